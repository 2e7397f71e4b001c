#include "desktop/InstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace {
constexpr int kWaitMs = 2000;
// A path longer than any sane file name is not read on; the sender may be anything on the socket.
constexpr qint64 kMaxMessage = 64 * 1024;
}  // namespace

InstanceChannel::InstanceChannel(QObject *parent) : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::accept);
}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::socketPath(const QString &lockPath)
{
    QString path = lockPath;
    if (path.endsWith(QLatin1String(".lock")))
        path.chop(5);
    return path + QStringLiteral(".socket");
}

bool InstanceChannel::listen(const QString &path)
{
    QLocalServer::removeServer(path);
    return server_->listen(path);
}

bool InstanceChannel::handOver(const QString &path, const QString &file)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(file.toUtf8() + '\n');
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWaitMs);
    return sent;
}

void InstanceChannel::accept()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxMessage) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QString file = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->disconnectFromServer();
            if (!file.isEmpty())
                emit fileReceived(file);
        });
    }
}
