// The running instance's door for files: a file handed over arrives whole, and a socket left by a run
// that died neither takes files nor keeps the next run from opening its own door.
#include "desktop/InstanceChannel.h"
#include "startup/InstanceMessage.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QTest>
#include <QtEndian>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A socket file as a killed instance leaves it: bound, then its owner gone without removing it.
void leaveStaleSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    ASSERT_LT(size_t(bytes.size()), sizeof addr.sun_path);
    memcpy(addr.sun_path, bytes.constData(), bytes.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
    ::close(fd);
}

}  // namespace

TEST(InstanceChannel, HandsAFileToTheRunningInstanceAndSurvivesAStaleSocket)
{
    QTemporaryDir runtime;
    const QString path = InstanceChannel::socketPath(runtime.filePath(QStringLiteral("vistrel-me.lock")));
    EXPECT_EQ(path, runtime.filePath(QStringLiteral("vistrel-me.socket")));
    const QString file = QStringLiteral("/home/me/Filme/Der Zug — 2. Teil.avi");

    // Nobody there, or only a dead run's socket: nobody takes it, and quickly. A dead run's socket
    // refuses the connection at once; the bound only tells that from sitting out the connect timeout,
    // which would hold up the start that should open its own window instead.
    EXPECT_FALSE(InstanceChannel::handOver(path, {file}));
    leaveStaleSocket(path);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(InstanceChannel::handOver(path, {file}));
    EXPECT_LT(clock.elapsed(), 1000);

    InstanceChannel running;
    ASSERT_TRUE(running.listen(path));
    running.deliver();
    QSignalSpy received(&running, &InstanceChannel::filesReceived);
    for (const QString &sent : {file, QStringLiteral("/tmp/second.srt")}) {
        EXPECT_TRUE(InstanceChannel::handOver(path, {sent}));
        ASSERT_TRUE(received.wait(5000) || !received.isEmpty());
        EXPECT_EQ(received.takeFirst().value(0).toStringList(), QStringList{sent});
    }
    // Names the running instance would refuse whole are not sent: the start that has them says so.
    EXPECT_FALSE(InstanceChannel::handOver(path, {QStringLiteral("/") + QString(InstanceMessage::kMaxPayload, 'x')}));
}

TEST(InstanceMessage, NamesSurviveAnyCharacterAndBrokenMessagesAreRefused)
{
    using S = InstanceMessage::Status;
    const QStringList names{QStringLiteral("/films/two\nlines.avi"), QStringLiteral("/films/ünï cödé.srt"),
                            QStringLiteral("relative name with  blanks")};
    const QByteArray whole = InstanceMessage::encode(names);
    const InstanceMessage::Decoded back = InstanceMessage::decode(whole);
    EXPECT_EQ(back.status, S::Complete);
    EXPECT_EQ(back.files, names);
    // Every cut of a whole message is only incomplete.
    for (int cut = 0; cut < whole.size(); ++cut)
        EXPECT_EQ(InstanceMessage::decode(whole.left(cut)).status, S::Incomplete) << cut;

    const auto framed = [](const QByteArray &payload, quint32 length) {
        QByteArray m(4, '\0');
        qToBigEndian(length, m.data());
        return m + payload;
    };
    const struct {
        const char *what;
        QByteArray bytes;
        S status;
    } cases[] = {
        {"nothing to hand over", InstanceMessage::encode({}), S::Complete},
        {"longer than any list of names", framed({}, InstanceMessage::kMaxPayload + 1), S::Invalid},
        {"length near 4 GiB", framed({}, 0xFFFFFFFFu), S::Invalid},
        {"bytes after the message", whole + "x", S::Invalid},
        {"a name without its NUL", framed("/a.avi", 6), S::Invalid},
        {"an empty name", framed(QByteArray("/a.avi\0\0", 8), 8), S::Invalid},
        {"no UTF-8", framed(QByteArray("\xff\xfe.avi\0", 7), 7), S::Invalid},
        {"a line-based message of old", QByteArray("/films/a.avi\n"), S::Invalid},
    };
    for (const auto &c : cases)
        EXPECT_EQ(InstanceMessage::decode(c.bytes).status, c.status) << c.what;
}

TEST(InstanceChannel, KeepsWhatArrivesUntilThePanelTakesItAndDropsSendersThatNeverFinish)
{
    QTemporaryDir runtime;
    const QString path = runtime.filePath(QStringLiteral("vistrel-me.socket"));
    InstanceChannel running;
    ASSERT_TRUE(running.listen(path));
    QSignalSpy received(&running, &InstanceChannel::filesReceived);

    // Sent while the running instance is still loading: nothing is told yet, nothing is lost. The
    // channel hangs up once it has the whole message.
    QLocalSocket early;
    early.connectToServer(path);
    ASSERT_TRUE(early.waitForConnected(1000));
    early.write(InstanceMessage::encode({QStringLiteral("/a.avi"), QStringLiteral("/b\nc.srt")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return early.state() == QLocalSocket::UnconnectedState; }, 5000));
    EXPECT_TRUE(received.isEmpty());

    // A sender that stops half way, and one that sends rubbish, while a whole message still gets through.
    // The stalled one is dropped, but not before it had its time to finish: counted from before it
    // connected, so a slow machine only makes the count longer.
    QElapsedTimer clock;
    clock.start();
    QLocalSocket stalled, rubbish;
    stalled.connectToServer(path);
    rubbish.connectToServer(path);
    ASSERT_TRUE(stalled.waitForConnected(1000) && rubbish.waitForConnected(1000));
    stalled.write(InstanceMessage::encode({QStringLiteral("/never.avi")}).left(9));
    rubbish.write(QByteArray(64, 'x'));
    ASSERT_TRUE(stalled.waitForBytesWritten(1000) && rubbish.waitForBytesWritten(1000));
    EXPECT_TRUE(InstanceChannel::handOver(path, {QStringLiteral("/d.avi")}));

    running.deliver();
    // Each message's files together, as they were sent.
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= 2; }, 5000));
    QList<QStringList> messages;
    for (const QList<QVariant> &signal : received)
        messages << signal.value(0).toStringList();
    EXPECT_EQ(messages, (QList<QStringList>{{"/a.avi", "/b\nc.srt"}, {"/d.avi"}}));

    EXPECT_TRUE(QTest::qWaitFor([&] { return rubbish.state() == QLocalSocket::UnconnectedState; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return stalled.state() == QLocalSocket::UnconnectedState; },
                                InstanceChannel::kIncompleteMs + 10000));
    EXPECT_GE(clock.elapsed(), InstanceChannel::kIncompleteMs / 2);
    EXPECT_EQ(received.size(), 2);
}
