#pragma once
// The running instance's door for files: a later start that names a file hands it over through a
// local socket beside the instance lock, and ends.
#include <QObject>
#include <QString>

class QLocalServer;

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QObject *parent = nullptr);
    ~InstanceChannel() override;

    // The socket's path for an instance lock at `lockPath`.
    static QString socketPath(const QString &lockPath);

    // Opens the door. Only the holder of the instance lock calls it, so a socket file already there
    // was left by a run that died and is replaced. False when no socket can be made there.
    bool listen(const QString &path);

    // Sends `file` to the instance listening at `path`; false when none takes it.
    static bool handOver(const QString &path, const QString &file);

signals:
    void fileReceived(const QString &file);

private:
    void accept();

    QLocalServer *server_;
};
