// What the encoder refuses to send, because the receiver could not take it whole.
#include "startup/InstanceMessage.h"

#include <gtest/gtest.h>

TEST(InstanceMessage, NamesThatCannotArriveWholeAreNotEncoded)
{
    const QString longName = QStringLiteral("/") + QString(1000, QChar(0x6620));  // 3001 bytes in UTF-8
    QStringList justFits, oneByteMore;
    // 87 names of 3001 bytes and their NULs: 261,174 bytes; 262,144 is the bound.
    for (int i = 0; i < 87; ++i)
        justFits << longName;
    justFits << QStringLiteral("/") + QString(262144 - 261174 - 2, 'x');
    oneByteMore = justFits;
    oneByteMore.last() += QLatin1Char('x');
    const struct {
        const char *what;
        QStringList names;
        bool sent;
    } cases[] = {
        {"names up to the bound", justFits, true},
        {"one byte past it", oneByteMore, false},
        {"an empty name", {QStringLiteral("/a.avi"), QString()}, false},
        {"a NUL inside a name", {QStringLiteral("/a") + QChar(0) + QStringLiteral("b.avi")}, false},
        {"half of a UTF-16 pair", {QStringLiteral("/a") + QChar(0xD83D) + QStringLiteral(".avi")}, false},
        // Stateless decoding drops a leading byte-order mark unless told to keep it.
        {"a name starting with a byte-order mark", {QString(QChar(0xFEFF)) + QStringLiteral("a.avi")}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray message = InstanceMessage::encode(c.names);
        EXPECT_EQ(!message.isEmpty(), c.sent);
        if (c.sent) {
            const InstanceMessage::Decoded back = InstanceMessage::decode(message);
            EXPECT_EQ(back.status, InstanceMessage::Status::Complete);
            EXPECT_EQ(back.files, c.names);
        }
    }
}
