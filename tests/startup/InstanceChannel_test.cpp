// The running instance's door for files: a file handed over arrives whole, and a socket left by a run
// that died neither takes files nor keeps the next run from opening its own door.
#include "desktop/InstanceChannel.h"

#include <QElapsedTimer>
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

    // Nobody there, or only a dead run's socket: nobody takes it, and quickly.
    EXPECT_FALSE(InstanceChannel::handOver(path, file));
    leaveStaleSocket(path);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(InstanceChannel::handOver(path, file));
    EXPECT_LT(clock.elapsed(), 1000);

    InstanceChannel running;
    ASSERT_TRUE(running.listen(path));
    QSignalSpy received(&running, &InstanceChannel::fileReceived);
    for (const QString &sent : {file, QStringLiteral("/tmp/second.srt")}) {
        EXPECT_TRUE(InstanceChannel::handOver(path, sent));
        ASSERT_TRUE(received.wait(5000) || !received.isEmpty());
        EXPECT_EQ(received.takeFirst().value(0).toString(), sent);
    }
}
