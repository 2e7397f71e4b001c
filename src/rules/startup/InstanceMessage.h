#pragma once
// The message a later start sends the running instance: the files it was given, in order. Four bytes
// of payload length (big-endian), then each name in UTF-8 followed by a NUL, so a name may hold any
// other character, a line break included.
#include <QByteArray>
#include <QStringList>

namespace InstanceMessage {

// Far more than any list of file names; a longer message is not read on.
constexpr quint32 kMaxPayload = 256 * 1024;

// Empty when the list cannot arrive whole: a name that is empty, holds a NUL or half of a UTF-16
// pair, or names together longer than kMaxPayload. The receiver would refuse such a message, and the
// files would be lost without a word.
QByteArray encode(const QStringList &files);

enum class Status { Incomplete, Complete, Invalid };

struct Decoded {
    Status status = Status::Incomplete;
    QStringList files;  // when Complete
};

// What the bytes received so far on one connection hold. Invalid: a length past the limit, bytes
// after the message, an empty name, a name without its NUL, or bytes that are no UTF-8.
Decoded decode(const QByteArray &received);

}  // namespace InstanceMessage
