#include "engine/XcbPixelFormat.h"

namespace XcbPixelFormat {

const char *mpvFormat(const Visual &v)
{
    if (v.depth != 24 || v.bitsPerPixel != 32 || v.green != 0x00ff00)
        return nullptr;
    // A pixel is the word 0x00RRGGBB (or 0x00BBGGRR); the byte order says which byte comes first.
    if (v.red == 0xff0000 && v.blue == 0x0000ff)
        return v.lsbFirst ? "bgr0" : "0rgb";
    if (v.red == 0x0000ff && v.blue == 0xff0000)
        return v.lsbFirst ? "rgb0" : "0bgr";
    return nullptr;
}

}  // namespace XcbPixelFormat
