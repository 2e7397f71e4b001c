#include "engine/XcbPixelFormat.h"

#include <gtest/gtest.h>
#include <string>

// The layout is read off the bytes of one pixel as the server lays them in memory: pure red, 0xff in
// the red mask's place, gives the byte order of the name with "r" where the 0xff lands.
TEST(XcbPixelFormat, TheRenderersLayoutIsTheOneTheServerReadsAWindowOfDepth24In)
{
    const struct {
        const char *what;
        XcbPixelFormat::Visual visual;
        const char *format;
    } cases[] = {
        {"the usual PC display: red in bits 16-23, least significant byte first", {24, 32, 0xff0000, 0xff00, 0xff, true},
         "bgr0"},
        {"a big-endian server: the word's high byte first", {24, 32, 0xff0000, 0xff00, 0xff, false}, "0rgb"},
        {"a visual with blue in the high bits", {24, 32, 0xff, 0xff00, 0xff0000, true}, "rgb0"},
        {"the same on a big-endian server", {24, 32, 0xff, 0xff00, 0xff0000, false}, "0bgr"},
        // The fourth byte would be read as transparency under a compositor.
        {"depth 32 (with alpha)", {32, 32, 0xff0000, 0xff00, 0xff, true}, nullptr},
        {"three bytes a pixel", {24, 24, 0xff0000, 0xff00, 0xff, true}, nullptr},
        {"16-bit 565", {16, 16, 0xf800, 0x07e0, 0x001f, true}, nullptr},
        {"ten bits a colour", {30, 32, 0x3ff00000, 0xffc00, 0x3ff, true}, nullptr},
        {"green not in the middle byte", {24, 32, 0xff0000, 0xff, 0xff00, true}, nullptr},
        {"nothing known of the window", {}, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const char *format = XcbPixelFormat::mpvFormat(c.visual);
        EXPECT_EQ(std::string(format ? format : "none"), std::string(c.format ? c.format : "none"));
    }
}
