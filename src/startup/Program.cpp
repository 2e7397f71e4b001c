#include "startup/Program.h"

#include "platform/MpvLibrary.h"
#include "platform/MpvVideoWindow.h"
#include "startup/basMyMain.h"

#include <QApplication>

namespace {

// Tells once, after the first paint of the widget it belongs to, and goes.
class FirstPaint : public QObject {
    Q_OBJECT
public:
    explicit FirstPaint(QWidget *widget) : QObject(widget) { widget->installEventFilter(this); }

signals:
    void seen();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            emit seen();
            deleteLater();
        }
        return false;
    }
};

AppState startState(const QString &programFolder, const QString &commandLine, const Desktop &desktop)
{
    AppState app;
    app.programFolder = programFolder;
    app.commandLine = commandLine;
    // The windows are built in twips before the start routine reads the metrics again.
    app.twipsPerPixelX = desktop.twipsPerPixelX();
    app.twipsPerPixelY = desktop.twipsPerPixelY();
    return app;
}

}  // namespace

Program::Program(const QString &programFolder, const QString &commandLine, Dialogs &dialogs)
    : app(startState(programFolder, commandLine, desktop)),
      MediaPlayer1(true, app.twipsPerPixelX, app.twipsPerPixelY),
      MediaPlayer2(false, app.twipsPerPixelX, app.twipsPerPixelY),
      panel(PanelContext{app, MediaPlayer1, MediaPlayer2, desktop, dialogs, log, drives})
{
    QObject::connect(&shutdown_, &ShutdownSignals::requested, &panel, [this] { panel.Form_Unload(0); });
}

Program::~Program()
{
    // Whatever ended the run, the desktop's panels come back.
    desktop.showTaskbar();
}

int Program::run()
{
    panel.Form_Load();
    if (basMyMain::programEnded())
        return 0;
    // While the user picks a movie, not after the drop, and not before the panel is on screen.
    auto *painted = new FirstPaint(&panel);
    QObject::connect(painted, &FirstPaint::seen, &panel, &MpvLibrary::preload);
    QObject::connect(painted, &FirstPaint::seen, &panel, &MpvVideoWindow::loadDriver, Qt::QueuedConnection);
    return QApplication::exec();
}

#include "Program.moc"
