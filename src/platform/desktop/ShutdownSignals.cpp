#include "desktop/ShutdownSignals.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

static int writeEnd = -1;

static void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe calls here; a full pipe means a request is already pending.
    [[maybe_unused]] const ssize_t n = ::write(writeEnd, &byte, 1);
}

ShutdownSignals::ShutdownSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) == 0) {
        writeEnd = fds_[0];
        notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &ShutdownSignals::readPipe);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
    }
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        // Asked at a logout, before the session state is saved; a checkpoint saves only that state.
        connect(app, &QGuiApplication::commitDataRequest, this, &ShutdownSignals::saveRequested);
        // The session really ends: the session manager's die, or any other end of the event loop.
        connect(app, &QCoreApplication::aboutToQuit, this, &ShutdownSignals::requested);
    }
}

ShutdownSignals::~ShutdownSignals()
{
    if (fds_[0] < 0)
        return;
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    writeEnd = -1;
    ::close(fds_[0]);
    ::close(fds_[1]);
}

void ShutdownSignals::readPipe()
{
    char buffer[16];
    while (::read(fds_[1], buffer, sizeof buffer) > 0) {
    }
    emit requested();
}
