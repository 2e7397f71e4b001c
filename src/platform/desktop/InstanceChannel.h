#pragma once
// The running instance's door for files: a later start that names files hands them over through a
// local socket beside the instance lock, and ends. The door opens before the load sequence, so
// nothing sent while the first start is still busy is lost; what arrives waits until the panel can
// take it.
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QObject *parent = nullptr);
    ~InstanceChannel() override;

    // The socket's path for an instance lock at `lockPath`.
    static QString socketPath(const QString &lockPath);

    // Opens the door. Only the holder of the instance lock calls it, so a socket file already there
    // was left by a run that died and is replaced. False when no socket can be made there. Files that
    // arrive are kept until deliver().
    bool listen(const QString &path);

    // From the next pass of the event loop on, every message kept and every message that arrives later
    // is told in the order sent, each with its files together.
    void deliver();

    // Sends `files` to the instance listening at `path`; false when none takes them or they cannot
    // travel whole in one message (InstanceMessage::encode). Never waits on
    // the running instance: the message goes into the socket whether or not it reads.
    static bool handOver(const QString &path, const QStringList &files);

    // A connection that has not sent a whole message after this long is dropped.
    static constexpr int kIncompleteMs = 2000;

signals:
    void filesReceived(const QStringList &files);

private:
    void accept();
    void read(QLocalSocket *socket);
    void take(const QStringList &files);

    QLocalServer *server_;
    QList<QStringList> kept_;
    bool delivering_ = false;
};
