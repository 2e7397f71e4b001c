#pragma once
// Whether libmpv's software renderer can draw straight into the memory an X11 window shows, and in
// which of its layouts. It draws 32 bits a pixel, 8 a colour, and a fourth byte of no meaning, which
// only a window of depth 24 ignores: at depth 32 it would be read as transparency.
#include <cstdint>

namespace XcbPixelFormat {

struct Visual {
    int depth = 0;
    // Of the server's images at that depth.
    int bitsPerPixel = 0;
    uint32_t red = 0, green = 0, blue = 0;
    // The server's image byte order: least significant byte first.
    bool lsbFirst = true;
};

// libmpv's name of the layout ("bgr0", "rgb0", "0rgb" or "0bgr"), or null when the window's pixels
// are laid out otherwise.
const char *mpvFormat(const Visual &visual);

}  // namespace XcbPixelFormat
