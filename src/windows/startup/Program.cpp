#include "startup/Program.h"

#include "desktop/DesktopSession.h"
#include "engine/MpvLibrary.h"
#include "engine/MpvVideoView.h"
#include "engine/VideoOutput.h"
#include "startup/OpenedFile.h"
#include "desktop/SingleInstance.h"
#include "startup/basMyMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

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

// The desktop session's bus, when the session has one. Asking for it otherwise would have the bus
// library start a bus of its own for the X display.
QDBusConnection sessionBus()
{
    const QString runtimeBus = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") && !QFileInfo::exists(runtimeBus))
        return QDBusConnection(QString());
    return QDBusConnection::sessionBus();
}

QString socketPath()
{
    return InstanceChannel::socketPath(SingleInstance::defaultLockPath());
}

// Hands `file` to the running instance. One that is still loading opens its door in a moment, so it
// is asked again for a while before the user is told that the program is already running.
bool handToRunningInstance(const QString &file)
{
    QElapsedTimer clock;
    clock.start();
    while (!InstanceChannel::handOver(socketPath(), file)) {
        if (clock.elapsed() > 3000)
            return false;
        QThread::msleep(100);
    }
    return true;
}

}  // namespace

Program::Program(const QString &programFolder, const QString &commandLine, Dialogs &dialogs)
    : app(startState(programFolder, commandLine, desktop)),
      MediaPlayer1(true, app.twipsPerPixelX, app.twipsPerPixelY),
      MediaPlayer2(false, app.twipsPerPixelX, app.twipsPerPixelY),
      session(app, MediaPlayer1, MediaPlayer2, log),
      panel(PanelContext{app, session, desktop, dialogs, log, drives}),
      screenSaver_(sessionBus())
{
    QObject::connect(&shutdown_, &ShutdownSignals::requested, &panel, [this] { panel.Form_Unload(0); });
    QObject::connect(MediaPlayer1.videoView(), &MpvVideoView::outputChosen, &panel,
                     [this](const QString &name) { log.line(QStringLiteral("video output ") + name); });
}

Program::~Program()
{
    desktopSession_.reset();
    // Whatever ended the run, the desktop's panels come back.
    desktop.showTaskbar();
}

int Program::run()
{
    // Before the load sequence, which would tell the user that the program is already running.
    if (!fileArgument.isEmpty() && basMyMain::IsPrevInstance() && handToRunningInstance(fileArgument))
        return 0;
    panel.Form_Load();
    if (basMyMain::programEnded())
        return 0;
    takeFiles();
    // Loading the GL driver costs the first picture a good tenth of a second, and telling how to draw
    // needs it: while the user picks a movie, not after the drop, and not before the panel is on screen.
    auto *painted = new FirstPaint(&panel);
    QObject::connect(painted, &FirstPaint::seen, &panel, &MpvLibrary::preload);
    QObject::connect(painted, &FirstPaint::seen, &panel, [] { VideoOutput::glRenderer(); }, Qt::QueuedConnection);
    return QApplication::exec();
}

void Program::takeFiles()
{
    desktopSession_ = std::make_unique<DesktopSession>(session, screenSaver_, sessionBus());
    QObject::connect(desktopSession_.get(), &DesktopSession::raiseRequested, &panel,
                     [this] { OpenedFile::bringForward(panel); });
    QObject::connect(desktopSession_.get(), &DesktopSession::quitRequested, &panel, &Panelfrm::endRun);
    channel_.listen(socketPath());
    QObject::connect(&channel_, &InstanceChannel::fileReceived, &panel, [this](const QString &file) {
        if (QFileInfo(file).isFile())
            OpenedFile::open(panel, file);
    });
    if (!fileArgument.isEmpty())
        QTimer::singleShot(0, &panel, [this] { OpenedFile::open(panel, fileArgument); });
}

#include "Program.moc"
