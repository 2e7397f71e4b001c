#include "startup/InstanceMessage.h"

#include <QStringDecoder>
#include <QtEndian>
#include <optional>

namespace InstanceMessage {

namespace {

constexpr int kHeader = 4;

// One name as the receiver reads it; nothing for bytes that are no UTF-8. Each name is decoded on its
// own, so a byte-order mark at its start is part of the name.
std::optional<QString> nameOf(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString name = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return name;
}

}  // namespace

QByteArray encode(const QStringList &files)
{
    QByteArray payload;
    for (const QString &file : files) {
        const QByteArray name = file.toUtf8();
        if (name.isEmpty() || name.contains('\0') || nameOf(name) != file)
            return {};
        payload += name + '\0';
        if (quint32(payload.size()) > kMaxPayload)
            return {};
    }
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
    QStringList files;
    qsizetype start = 0;
    while (start < payload.size()) {
        const qsizetype end = payload.indexOf('\0', start);
        if (end <= start)
            return d;
        const auto file = nameOf(payload.sliced(start, end - start));
        if (!file)
            return d;
        files << *file;
        start = end + 1;
    }
    d.status = Status::Complete;
    d.files = files;
    return d;
}

}  // namespace InstanceMessage
