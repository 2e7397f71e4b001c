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

TEST(VideoOutput, OpenGlOnlyOnAGraphicsCardThatMayBeDrivenFromItsOwnThread)
{
    using VideoOutput::Kind;
    const struct {
        const char *renderer;
        bool threaded;
        Kind kind;
    } cases[] = {
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", true, Kind::Gl},
        // A platform that cannot make a context current off the UI thread would draw on it.
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false, Kind::Software},
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true, Kind::Software},
        {"llvmpipe (LLVM 15.0.6, 256 bits)", false, Kind::Software},
        // No graphics device, or no context could be made.
        {"", true, Kind::Software},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VideoOutput::decide(QString::fromLatin1(c.renderer), c.threaded), c.kind)
            << c.renderer << " threaded " << c.threaded;
}

TEST(VideoOutput, DevicePixelsAreRoundedOneWayForTheRendererAndThePainter)
{
    const struct {
        QSize logical;
        qreal ratio;
        QSize pixels;
    } cases[] = {
        {{320, 240}, 1.0, {320, 240}},
        {{320, 240}, 2.0, {640, 480}},
        // Fractional scales: 321 x 1.25 = 401.25 and 333 x 1.5 = 499.5 round to whole pixels, the same
        // whichever side asks, so a finished picture is painted pixel for pixel rather than rescaled.
        {{321, 241}, 1.25, {401, 301}},
        {{333, 199}, 1.5, {500, 299}},
        {{1, 1}, 1.25, {1, 1}},
        {{0, 0}, 1.5, {0, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VideoOutput::pixelSize(c.logical, c.ratio), c.pixels) << c.logical.width() << " at " << c.ratio;
}
