#pragma once
// Pan and scan: the picture as tall as the screen, wider than it, centred.
#include <QString>

namespace PanScan {

// The width factor from the "Pan & Scan" ratio text: 1 at 10, wider below 10 (10 / value, so 5 is
// twice as wide), value \ 10 above it (20 gives 2). Text that is no positive number counts as 10.
double factor(const QString &ratioText);

struct Geometry {
    double width;
    double left;
};
// The engine's width and left edge for a screen `screenWidth` twips wide.
Geometry geometry(double screenWidth, double videoAspect, double factor);

}  // namespace PanScan
