#include "startup/Program.h"

#include "desktop/DesktopSession.h"
#include "engine/MpvLibrary.h"
#include "engine/MpvVideoView.h"
#include "engine/VideoOutput.h"
#include "startup/OpenedFile.h"
#include "desktop/SingleInstance.h"
#include "startup/basMyMain.h"

#include <QApplication>
#include <QFileInfo>
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

}  // namespace

Program::Program(const QString &programFolder, const QString &commandLine, Dialogs &dialogs)
    : app(startState(programFolder, commandLine, desktop)),
      MediaPlayer1(true, app.twipsPerPixelX, app.twipsPerPixelY),
      MediaPlayer2(false, app.twipsPerPixelX, app.twipsPerPixelY),
      session(app, MediaPlayer1, MediaPlayer2, log, prefs),
      panel(PanelContext{app, session, prefs, desktop, dialogs, log, drives}),
      screenSaver_(sessionBus())
{
    QObject::connect(&shutdown_, &ShutdownSignals::requested, &panel, [this] { panel.Form_Unload(0); });
    QObject::connect(&shutdown_, &ShutdownSignals::saveRequested, &panel, [this] { panel.saveSettings(); });
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
    return start() ? QApplication::exec() : 0;
}

bool Program::start()
{
    if (basMyMain::IsPrevInstance()) {
        // Handed over, the files are the running instance's to open or to complain about. With
        // nothing to hand over, the load sequence tells the user that the program already runs.
        if (!files.isEmpty() && InstanceChannel::handOver(socketPath(), files))
            return false;
    } else {
        channel_.listen(socketPath());
    }
    panel.Form_Load();
    if (basMyMain::programEnded())
        return false;
    takeFiles();
    // Loading the GL driver costs the first picture a good tenth of a second, and telling how to draw
    // needs it: while the user picks a movie, not after the drop, and not before the panel is on screen.
    auto *painted = new FirstPaint(&panel);
    QObject::connect(painted, &FirstPaint::seen, &panel, &MpvLibrary::preload);
    QObject::connect(painted, &FirstPaint::seen, &panel, [] { VideoOutput::glRenderer(); }, Qt::QueuedConnection);
    return true;
}

void Program::takeFiles()
{
    desktopSession_ = std::make_unique<DesktopSession>(session, screenSaver_, sessionBus());
    QObject::connect(desktopSession_.get(), &DesktopSession::raiseRequested, &panel, &Panelfrm::comeForward);
    QObject::connect(desktopSession_.get(), &DesktopSession::quitRequested, &panel, &Panelfrm::endRun);
    QObject::connect(desktopSession_.get(), &DesktopSession::openRequested, &panel,
                     [this](const QString &file) { openFiles({file}); });
    // The command line's files first, then those a later start sent meanwhile.
    QTimer::singleShot(0, &panel, [this] {
        if (!files.isEmpty())
            openFiles(files);
    });
    QObject::connect(&channel_, &InstanceChannel::filesReceived, &panel,
                     [this](const QStringList &sent) { openFiles(sent); });
    channel_.deliver();
}

void Program::openFiles(const QStringList &paths)
{
    OpenedFile::open(session, paths);
    panel.comeForward();
}

#include "Program.moc"
