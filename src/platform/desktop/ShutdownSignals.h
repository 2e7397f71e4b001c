#pragma once
// Brings the requests to end from outside (SIGTERM, SIGINT, the end of the desktop session) onto the
// UI thread as one signal, so they take the same orderly way out as the panel's close box. A signal
// handler only writes a byte to a pipe; a socket notifier reads it on the UI thread. A logout first
// asks for the user's data to be saved and may still be cancelled: that request only saves.
#include <QObject>

class QSocketNotifier;

class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers for SIGTERM and SIGINT and listens to the session's end. One at a time.
    explicit ShutdownSignals(QObject *parent = nullptr);
    ~ShutdownSignals() override;

signals:
    // Emitted on the UI thread, once per request.
    void requested();
    // The session manager asks for the user's data to be kept: a logout begins.
    void saveRequested();

private:
    void readPipe();

    int fds_[2] = {-1, -1};
    QSocketNotifier *notifier_ = nullptr;
};
