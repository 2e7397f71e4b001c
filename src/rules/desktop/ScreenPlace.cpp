#include "desktop/ScreenPlace.h"

#include <algorithm>
#include <set>

namespace ScreenPlace {

namespace {

qint64 area(const QRect &r)
{
    return r.isValid() ? qint64(r.width()) * r.height() : 0;
}

// Whether the screens together cover every pixel of `frame`: the frame is cut along every screen
// edge, and each piece must lie on some screen. Screens may overlap (mirrored ones do).
bool covered(const QRect &frame, const QList<QRect> &screens)
{
    std::set<int> xs{frame.left(), frame.right() + 1}, ys{frame.top(), frame.bottom() + 1};
    for (const QRect &s : screens) {
        for (int x : {s.left(), s.right() + 1})
            if (x > frame.left() && x <= frame.right())
                xs.insert(x);
        for (int y : {s.top(), s.bottom() + 1})
            if (y > frame.top() && y <= frame.bottom())
                ys.insert(y);
    }
    for (auto x = xs.begin(); std::next(x) != xs.end(); ++x) {
        for (auto y = ys.begin(); std::next(y) != ys.end(); ++y) {
            const QPoint piece(*x, *y);
            if (std::none_of(screens.begin(), screens.end(), [&](const QRect &s) { return s.contains(piece); }))
                return false;
        }
    }
    return true;
}

QPoint into(const QRect &frame, const QRect &screen)
{
    const int x = std::clamp(frame.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - frame.width()));
    const int y = std::clamp(frame.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - frame.height()));
    return {x, y};
}

}  // namespace

QPoint restore(const QRect &frame, const QList<QRect> &screens)
{
    if (screens.isEmpty() || frame.isEmpty() || covered(frame, screens))
        return frame.topLeft();
    const QRect *best = &screens.first();
    qint64 shown = 0;
    for (const QRect &s : screens) {
        const qint64 a = area(s.intersected(frame));
        if (a > shown) {
            shown = a;
            best = &s;
        }
    }
    return into(frame, *best);
}

}  // namespace ScreenPlace
