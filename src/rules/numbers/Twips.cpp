#include "numbers/Twips.h"

#include "numbers/basic_numbers.h"

#include <algorithm>

namespace Twips {

int toPixels(double twips, int twipsPerPixel)
{
    return int(basic_numbers::roundEven(twips / std::max(1, twipsPerPixel)));
}

QRect toPixels(double left, double top, double width, double height, int twipsPerPixelX, int twipsPerPixelY)
{
    const int x = toPixels(left, twipsPerPixelX);
    const int y = toPixels(top, twipsPerPixelY);
    const int right = toPixels(left + width, twipsPerPixelX);
    const int bottom = toPixels(top + height, twipsPerPixelY);
    return QRect(x, y, std::max(1, right - x), std::max(1, bottom - y));
}

}  // namespace Twips
