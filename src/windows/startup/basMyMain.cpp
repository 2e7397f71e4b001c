#include "startup/basMyMain.h"

#include "desktop/Desktop.h"
#include "dialogs/Dialogs.h"
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

namespace {
bool ended = false;
}

bool Main(AppState &app, const Desktop &desktop, Dialogs &dialogs, RunLog &log)
{
    // A run that begins has not ended, whatever an earlier run in this process did.
    ended = false;
    if (IsPrevInstance()) {
        log.line(QStringLiteral("tried to run more than once"));
        dialogs.msgBox(QStringLiteral("Program is already running"));
        endProgram();
        return false;
    }
    app.twipsPerPixelX = desktop.twipsPerPixelX();
    log.item(app.twipsPerPixelX);
    app.twipsPerPixelY = desktop.twipsPerPixelY();
    log.item(app.twipsPerPixelY);
    return true;
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
