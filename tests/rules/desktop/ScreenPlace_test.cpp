// Where a window comes back on the screens connected now.
#include "desktop/ScreenPlace.h"

#include <gtest/gtest.h>

TEST(ScreenPlace, KeepsAPlaceOnAnyScreenAndMovesOnlyWhatIsOffThem)
{
    const QRect primary(0, 0, 1024, 768);
    const QRect right(1024, 0, 1280, 1024);   // taller, beside the primary
    const QRect left(-1920, -200, 1920, 1080);  // left of it and higher: negative places
    const QSize panel(200, 100);
    const struct {
        const char *what;
        QPoint stored;
        QList<QRect> screens;
        QPoint restored;
    } cases[] = {
        {"on the primary", {30, 40}, {primary, right}, {30, 40}},
        {"on the second screen", {1500, 800}, {primary, right}, {1500, 800}},
        {"second screen, below the primary's height", {1100, 900}, {primary, right}, {1100, 900}},
        {"left screen, negative place", {-1500, -150}, {primary, left}, {-1500, -150}},
        {"across two screens", {950, 300}, {primary, right}, {950, 300}},
        {"bottom right corner of the second screen", {2104, 924}, {primary, right}, {2104, 924}},
        {"half past the second screen's edge", {2200, 500}, {primary, right}, {2104, 500}},
        {"mostly on the primary, partly in the gap below it", {900, 700}, {primary, right}, {824, 668}},
        {"second screen unplugged", {1500, 800}, {primary}, {824, 668}},
        {"on no screen", {-5000, 5000}, {primary, right}, {0, 668}},
        {"left screen unplugged", {-1500, -150}, {primary, right}, {0, 0}},
        {"mirrored screens", {30, 40}, {primary, primary}, {30, 40}},
        {"no screen known", {-5000, 5000}, {}, {-5000, 5000}},
        {"window larger than the screen", {-50, -50}, {QRect(0, 0, 150, 80)}, {0, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ScreenPlace::restore(QRect(c.stored, panel), c.screens), c.restored) << c.what;
}
