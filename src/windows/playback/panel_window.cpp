// The panel's own window: dragging it by its background, its small buttons, and the video window's
// modes it asks the session for.
#include "desktop/Desktop.h"
#include "dialogs/Dialogs.h"
#include "engine/MediaEngine.h"
#include "numbers/Twips.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"

void Panelfrm::Form_MouseDown(int button, int, double x, double y)
{
    if (button == 1)
        drag_.start(desktop, this, QPoint(Twips::toPixels(x, app.twipsPerPixelX), Twips::toPixels(y, app.twipsPerPixelY)));
}

void Panelfrm::Form_MouseMove(int, int, double, double)
{
    setPointer(Qt::SizeAllCursor);
}

void Panelfrm::minim_Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void Panelfrm::exitLbl_Click()
{
    endRun();
}

void Panelfrm::endRun()
{
    desktop.showTaskbar();
    Form_Unload(0);
}

void Panelfrm::stats_Click()
{
    session.showStatistics();
}

void Panelfrm::Prefers_Click()
{
    log.line(QStringLiteral("PrefS"));
    if (!settingsForm)
        return;
    if (settingsForm->isVisible())
        settingsForm->hide();
    else
        settingsForm->show();
}

void Panelfrm::LabelAbout_Click()
{
    const QChar cr(13);
    dialogs.msgBox(QStringLiteral("Vistrel movie player") + cr + QStringLiteral("version ") +
                       QStringLiteral(VISTREL_VERSION) + cr + cr + QStringLiteral("Vistrel developers"),
                   Dialogs::Icon::Information);
}

void Panelfrm::zoom(int mode)
{
    session.zoom(mode);
}

void Panelfrm::cmdzoom_Click()
{
    // The engine's display size decides: after pan and scan (stretched) this goes to window mode.
    zoom(session.movie().displaySize() == 4 ? 0 : 1);
}

void Panelfrm::pan_n_scan43()
{
    session.panAndScan();
}

QString Panelfrm::modeName(int mode)
{
    return mode == 1 ? QStringLiteral("Fullscreen mode") : QStringLiteral("Window mode");
}

void Panelfrm::showZoom(int mode)
{
    Message->setText(modeName(mode));
    cmdzoom->setChecked(mode == 1);
}
