#include "startup/basMyMain.h"

#include "desktop/Desktop.h"
#include "dialogs/Dialogs.h"
#include "playback/Panelfrm.h"
#include "playback/player.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "desktop/SingleInstance.h"

#include <QApplication>
#include <QThread>
#include <QWidget>

namespace basMyMain {

bool IsPrevInstance()
{
    static SingleInstance instance;
    return instance.IsPrevInstance();
}

bool Main(Panelfrm &panel)
{
    AppState &app = panel.app;
    if (IsPrevInstance()) {
        panel.log.line(QStringLiteral("tried to run more than once"));
        panel.dialogs.msgBox(QStringLiteral("Program is already running"));
        endProgram();
        return false;
    }
    app.twipsPerPixelX = panel.desktop.twipsPerPixelX();
    panel.log.item(app.twipsPerPixelX);
    app.twipsPerPixelY = panel.desktop.twipsPerPixelY();
    panel.log.item(app.twipsPerPixelY);

    if (!panel.settingsForm) {
        panel.settingsForm = new Settings(SettingsContext{panel.prefs, panel.session, panel.desktop, panel.dialogs},
                                          app.twipsPerPixelX, app.twipsPerPixelY, &panel);
        panel.settingsForm->attachPlayer(&panel.MediaPlayer1, panel.playerForm, &app);
    }
    panel.attachSettings(panel.settingsForm);
    panel.settingsForm->fitScreen();

    panel.log.line(QStringLiteral("showing player"));
    panel.show();
    panel.log.line(QStringLiteral("exiting Main"));
    return true;
}

namespace {
bool ended = false;
}

void endProgram()
{
    ended = true;
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    // Outside any event loop (the load sequence, before the main loop) there is nothing to leave, and
    // asking anyway would end the next loop the moment it starts.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

bool programEnded()
{
    return ended;
}

}  // namespace basMyMain
