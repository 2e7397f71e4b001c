// The video window's layouts: at the picture's own size, covering the screen stretched, panned and
// scanned, or sized by the preferences' slider. The window sizes itself; the session places the
// picture in it.
#include "desktop/Desktop.h"
#include "engine/MediaEngine.h"
#include "playback/PanScan.h"
#include "playback/PlayerSession.h"
#include "playback/player.h"
#include "numbers/basic_numbers.h"
#include "prefs/Preferences.h"

#include <algorithm>

void player::zoom(int mode)
{
    const MediaEngine &movie = session_.movie();
    if (mode == 0) {
        show();
        // Showing the taskbar takes the window out of full screen, which must happen before it is sized.
        desktop_.showTaskbar();
        const double width = double(movie.imageSourceWidth()) * tppX_;
        const double height = double(movie.imageSourceHeight()) * tppY_;
        setTwipWidth(width);
        setTwipHeight(height);
        session_.placePicture({0, 0, 0, width, height});
    } else {
        desktop_.hideTaskbar();
        coverScreen();
        session_.placePicture({4, 0, 0, twipWidth(), twipHeight()});
    }
}

void player::coverScreen()
{
    setTwipHeight(desktop_.screenHeight());
    setTwipWidth(desktop_.screenWidth());
    setTwipTop(0);
    setTwipLeft(0);
}

void player::panAndScan()
{
    zoom(0);
    coverScreen();
    const PanScan::Geometry g = PanScan::geometry(desktop_.screenWidth(), session_.videoAspect(),
                                                  PanScan::factor(prefs_.values().panScan));
    session_.placePicture({4, g.left, 0, g.width, twipHeight()});
    desktop_.hideTaskbar();
}

void player::sizeTo(int widthPx)
{
    // Through the window's twips, so a later placing of the window keeps this size; its place stays.
    const int heightPx = std::max(1, int(basic_numbers::roundEven(widthPx / session_.videoAspect())));
    setTwipWidth(double(widthPx) * tppX_);
    setTwipHeight(double(heightPx) * tppY_);
    session_.placePicture({4, session_.movie().left(), session_.movie().top(), twipWidth(), twipHeight()});
}
