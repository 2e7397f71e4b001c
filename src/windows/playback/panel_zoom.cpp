// Window modes: the video window at the picture's own size, or covering the screen stretched or
// panned and scanned.
#include "desktop/Desktop.h"
#include "engine/MediaEngine.h"
#include "playback/PanScan.h"
#include "playback/Panelfrm.h"
#include "playback/player.h"
#include "prefs/Preferences.h"
#include "startup/AppState.h"

void Panelfrm::zoom()
{
    player &w = *playerForm;
    if (app.zoomMode == 0) {
        w.show();
        // Showing the taskbar takes the window out of full screen, which must happen before it is sized.
        desktop.showTaskbar();
        MediaPlayer1.setDisplaySize(0);
        MediaPlayer1.setTop(0);
        MediaPlayer1.setLeft(0);
        const long width = static_cast<long>(MediaPlayer1.imageSourceWidth()) * app.twipsPerPixelX;
        const long height = static_cast<long>(MediaPlayer1.imageSourceHeight()) * app.twipsPerPixelY;
        w.setTwipWidth(width);
        w.setTwipHeight(height);
        MediaPlayer1.setWidth(width);
        MediaPlayer1.setHeight(height);
        Message->setText(QStringLiteral("Window mode"));
    } else {
        desktop.hideTaskbar();
        w.setTwipHeight(desktop.screenHeight());
        w.setTwipWidth(desktop.screenWidth());
        w.setTwipTop(0);
        w.setTwipLeft(0);
        MediaPlayer1.setHeight(w.twipHeight());
        MediaPlayer1.setWidth(w.twipWidth());
        MediaPlayer1.setTop(0);
        MediaPlayer1.setLeft(0);
        MediaPlayer1.setDisplaySize(4);
        Message->setText(QStringLiteral("Fullscreen mode"));
    }
}

void Panelfrm::cmdzoom_Click()
{
    // The engine's display size decides: after pan and scan (stretched) this goes to window mode.
    app.zoomMode = MediaPlayer1.displaySize() == 4 ? 0 : 1;
    zoom();
}

void Panelfrm::pan_n_scan43()
{
    app.zoomMode = 0;
    zoom();
    player &w = *playerForm;
    w.setTwipHeight(desktop.screenHeight());
    w.setTwipWidth(desktop.screenWidth());
    w.setTwipTop(0);
    w.setTwipLeft(0);
    MediaPlayer1.setHeight(w.twipHeight());
    const PanScan::Geometry g =
        PanScan::geometry(desktop.screenWidth(), app.videoAspect, PanScan::factor(prefs.values().panScan));
    MediaPlayer1.setWidth(g.width);
    MediaPlayer1.setTop(0);
    MediaPlayer1.setLeft(g.left);
    MediaPlayer1.setDisplaySize(4);
    desktop.hideTaskbar();
}
