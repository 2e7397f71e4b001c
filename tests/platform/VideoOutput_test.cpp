#include "engine/VideoOutput.h"

#include <gtest/gtest.h>

TEST(VideoOutput, SoftwareDriversAreToldFromGraphicsCardsByTheirRendererString)
{
    const struct {
        const char *renderer;
        bool software;
    } cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Google SwiftShader", true},
        {"SwiftShader Device (Subzero)", true},
        {"Software Rasterizer", true},
        {"zink (LLVMPIPE (LLVM 15.0.6, 256 bits))", true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        // AMD's drivers name the LLVM that compiles their shaders.
        {"AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
        {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false},
        {"virgl (Mesa Intel(R) Xe Graphics)", false},
        {"", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VideoOutput::isSoftwareRenderer(QString::fromLatin1(c.renderer)), c.software) << c.renderer;
}
