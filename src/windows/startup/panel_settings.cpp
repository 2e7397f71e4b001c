// The settings file between the preferences and the disc: read during start-up, with the places of the
// panel and the overlay settled on the screens connected now, and written by the orderly exit.
#include "startup/PanelSettings.h"

#include "desktop/Desktop.h"
#include "desktop/ScreenPlace.h"
#include "numbers/Twips.h"
#include "playback/LabelButton.h"
#include "playback/Panelfrm.h"
#include "prefs/Preferences.h"
#include "startup/AppState.h"
#include "startup/PrefsFile.h"
#include "startup/RunLog.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

using namespace SettingsFile;

namespace {

// Far beyond any screen, still exact in single precision: positions past it are not positions.
constexpr double kFar = 1e7;

// The overlay's size fits the screen. A place wholly on a connected screen stays, whichever screen;
// otherwise a place past the primary screen's edge comes back by the whole height, or by half the
// width, and the window is kept where it can be reached.
void placeOverlay(Prefs &p, const Values &v, const Desktop &desktop, const AppState &app)
{
    const double screenW = desktop.screenWidth(), screenH = desktop.screenHeight();
    const int tx = app.twipsPerPixelX, ty = app.twipsPerPixelY;
    p.overlayWidth = std::clamp(p.overlayWidth, 1, std::max(1, int(screenW / tx)));
    p.overlayHeight = std::clamp(p.overlayHeight, 1, std::max(1, int(screenH / ty)));
    const double width = double(p.overlayWidth) * tx;
    const double height = double(p.overlayHeight) * ty;
    const auto top = number(v[SubtitlesTop], -kFar, kFar);
    const auto left = number(v[SubtitlesLeft], -kFar, kFar);
    if (top && left) {
        const QRect frame(Twips::toPixels(*left, tx), Twips::toPixels(*top, ty), p.overlayWidth, p.overlayHeight);
        if (ScreenPlace::restore(frame, desktop.screenAreas()) == frame.topLeft()) {
            p.overlayTop = p.overlayHomeTop = *top;
            p.overlayLeft = p.overlayHomeLeft = *left;
            return;
        }
    }
    p.overlayTop = screenH - height;
    p.overlayLeft = (screenW - width) / 2;
    if (top)
        p.overlayTop = *top > screenH ? screenH - height : *top;
    if (left)
        p.overlayLeft = *left > screenW ? screenW - width / 2 : *left;
    p.overlayTop = std::clamp(p.overlayTop, 0.0, std::max(0.0, screenH - height));
    p.overlayLeft = std::clamp(p.overlayLeft, 0.0, std::max(0.0, screenW - width / 2));
    p.overlayHomeTop = p.overlayTop;
    p.overlayHomeLeft = p.overlayLeft;
}

// The panel's place is its frame's, on whichever screen it was left.
void placePanel(Prefs &p, const Panelfrm &panel, const Desktop &desktop, const AppState &app)
{
    const QRect frame(QPoint(Twips::toPixels(p.panelLeft, app.twipsPerPixelX), Twips::toPixels(p.panelTop, app.twipsPerPixelY)),
                      panel.frameGeometry().size());
    const QPoint at = ScreenPlace::restore(frame, desktop.screenAreas());
    p.panelLeft = double(at.x()) * app.twipsPerPixelX;
    p.panelTop = double(at.y()) * app.twipsPerPixelY;
}

Values readFile(const QString &path, RunLog &log)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        log.line(QStringLiteral("No cfg"));
        return Values{};
    }
    log.line(QStringLiteral("Opened cfg"));
    const Values v = read(file);
    file.close();
    log.line(QStringLiteral("cfg closed"));
    return v;
}

}  // namespace

void applySettingsFile(Panelfrm &p)
{
    const Values v = readFile(readPath(p.app.appPath), p.log);
    Prefs base = p.prefs.values();
    // The overlay's size as designed, where the file has none.
    base.overlayWidth = Twips::toPixels(9000, p.app.twipsPerPixelX);
    base.overlayHeight = Twips::toPixels(1500, p.app.twipsPerPixelY);
    Prefs next = PrefsFile::read(v, base, p.app.appPath);
    placeOverlay(next, v, p.desktop, p.app);
    placePanel(next, p, p.desktop, p.app);
    p.prefs.replace(next);
    if (checkBox(v[StartFullscreen]))
        p.Message->setText(Panelfrm::modeName(next.fullscreen ? 1 : 0));
    // A skin that has gone keeps its name, so it is written back as it was.
    if (next.skinFile != QLatin1String("NONE") && QFileInfo(next.skinFile).isFile())
        p.loadSkin(next.skinFile);
}

bool saveSettingsFile(Panelfrm &p)
{
    // Without its windows the run never got as far as reading the file: nothing to save over it.
    if (!p.settingsForm || !p.subtitlesForm)
        return false;
    QString reason;
    if (save(writePath(p.app.appPath), write(PrefsFile::keys(), PrefsFile::write(p.prefs.values())), reason))
        return true;
    p.log.line(QStringLiteral("cfg not saved: ") + reason);
    return false;
}
