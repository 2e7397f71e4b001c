// The message a later start sends the running one. Any bytes received: a message that decodes is
// exactly what the encoder makes of its names. Names made from the input: the encoder's message
// decodes to them, every cut of it is incomplete and one byte more makes it invalid; where the
// encoder refuses, the names could not have arrived whole.
#include "fuzz_check.h"
#include "startup/InstanceMessage.h"

#include <QtEndian>
#include <cstdint>

using namespace InstanceMessage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Decoded received = decode(raw);
    if (received.status == Status::Complete)
        PROPERTY(encode(received.files) == raw);
    if (received.status != Status::Invalid)
        PROPERTY(received.status == Status::Complete || raw.size() < 4 ||
              qsizetype(qFromBigEndian<quint32>(raw.constData())) > raw.size() - 4);

    // The bytes as names, split at a newline; the last name repeated makes a long list.
    QStringList files = QString::fromUtf8(raw).split(QLatin1Char('\n'));
    if (!files.isEmpty() && files.last().startsWith(QLatin1Char('*')))
        for (int i = 0; i < 300; ++i)
            files << files.last().left(64).repeated(20);
    const QByteArray message = encode(files);
    if (message.isEmpty()) {
        qsizetype payload = 0;
        bool refusable = false;
        for (const QString &f : files) {
            payload += f.toUtf8().size() + 1;
            refusable = refusable || f.isEmpty() || f.contains(QChar(0));
        }
        PROPERTY(refusable || payload > qsizetype(kMaxPayload));
        return 0;
    }
    const Decoded back = decode(message);
    PROPERTY(back.status == Status::Complete && back.files == files);
    for (qsizetype cut : {qsizetype(0), qsizetype(3), qsizetype(4), message.size() / 2, message.size() - 1}) {
        if (cut < message.size())
            PROPERTY(decode(message.left(cut)).status == Status::Incomplete);
    }
    PROPERTY(decode(message + raw.left(1) + QByteArray(1, '\0')).status == Status::Invalid);
    return 0;
}
