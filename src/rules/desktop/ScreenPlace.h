#pragma once
// Where a window comes back on the screens connected now. A place that lies wholly on the screens is
// kept as it was, on any of them and across them; a window partly off the screens is pulled onto the
// screen that shows most of it; one on no screen at all goes onto the primary screen.
#include <QList>
#include <QPoint>
#include <QRect>

namespace ScreenPlace {

// The top left corner for `frame` (the window's frame at its stored place). `screens` are the areas
// of the connected screens in desktop pixels, the primary one first; without any, the place stands.
QPoint restore(const QRect &frame, const QList<QRect> &screens);

}  // namespace ScreenPlace
