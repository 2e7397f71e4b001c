#include "startup/InstanceMessage.h"

#include <QStringDecoder>
#include <QtEndian>

namespace InstanceMessage {

namespace {
constexpr int kHeader = 4;
}

QByteArray encode(const QStringList &files)
{
    QByteArray payload;
    for (const QString &file : files)
        payload += file.toUtf8() + '\0';
    QByteArray message(kHeader, '\0');
    qToBigEndian(quint32(payload.size()), message.data());
    return message + payload;
}

Decoded decode(const QByteArray &received)
{
    Decoded d;
    if (received.size() < kHeader)
        return d;
    const quint32 length = qFromBigEndian<quint32>(received.constData());
    if (length > kMaxPayload) {
        d.status = Status::Invalid;
        return d;
    }
    if (quint32(received.size() - kHeader) < length)
        return d;
    d.status = Status::Invalid;
    if (quint32(received.size() - kHeader) > length)
        return d;
    const QByteArray payload = received.mid(kHeader);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QStringList files;
    qsizetype start = 0;
    while (start < payload.size()) {
        const qsizetype end = payload.indexOf('\0', start);
        if (end <= start)
            return d;
        const QString file = utf8.decode(payload.sliced(start, end - start));
        if (utf8.hasError())
            return d;
        files << file;
        start = end + 1;
    }
    d.status = Status::Complete;
    d.files = files;
    return d;
}

}  // namespace InstanceMessage
