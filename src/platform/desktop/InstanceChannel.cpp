#include "desktop/InstanceChannel.h"

#include "startup/InstanceMessage.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {
constexpr int kWaitMs = 2000;
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

void InstanceChannel::deliver()
{
    QTimer::singleShot(0, this, [this] {
        delivering_ = true;
        for (const QStringList &files : std::exchange(kept_, {}))
            take(files);
    });
}

bool InstanceChannel::handOver(const QString &path, const QStringList &files)
{
    const QByteArray message = InstanceMessage::encode(files);
    if (message.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(message);
    // A local socket takes the whole message into its buffer at once: no wait on the reader.
    const bool sent = socket.waitForBytesWritten(kWaitMs) && socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
}

void InstanceChannel::accept()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        // A sender that never finishes its message must not keep a connection for ever.
        QTimer::singleShot(kIncompleteMs, socket, &QLocalSocket::abort);
        read(socket);
    }
}

void InstanceChannel::read(QLocalSocket *socket)
{
    // Every byte so far stays in the socket until the message is whole.
    const InstanceMessage::Decoded d = InstanceMessage::decode(socket->peek(socket->bytesAvailable()));
    if (d.status == InstanceMessage::Status::Incomplete)
        return;
    disconnect(socket, nullptr, this, nullptr);
    socket->disconnectFromServer();
    if (d.status == InstanceMessage::Status::Complete)
        take(d.files);
}

void InstanceChannel::take(const QStringList &files)
{
    if (!delivering_) {
        kept_.append(files);
        return;
    }
    emit filesReceived(files);
}
