#pragma once
// Twips to pixels for every window: each edge of a control rounds on its own, halves to the even
// neighbour, so controls that touch in twips touch on the screen and a control never loses its last
// pixel.
#include <QRect>

namespace Twips {

// One coordinate in pixels.
int toPixels(double twips, int twipsPerPixel);

// A control's rectangle in pixels from its left, top, width and height in twips; at least one pixel
// each way.
QRect toPixels(double left, double top, double width, double height, int twipsPerPixelX, int twipsPerPixelY);

}  // namespace Twips
