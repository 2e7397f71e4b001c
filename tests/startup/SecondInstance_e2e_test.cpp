// Two real runs of the program from one folder: the second is refused and ends without touching the
// first one's log, and a termination request takes the first out in order.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct ProgramCopy {
    QTemporaryDir folder;
    QTemporaryDir runtime;  // the instance lock lives here, away from any other run of the tests
    QString binary = folder.filePath(QStringLiteral("vistrel"));

    ProgramCopy() { QFile::copy(QStringLiteral(VISTREL_BIN_DIR "/vistrel"), binary); }

    void start(QProcess &p) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(binary, {});
    }

    QString log() const { return folder.filePath(QStringLiteral("kelmora.log")); }
};

}  // namespace

TEST(SecondInstance, IsRefusedAndLeavesTheFirstRunsLogAlone)
{
    ProgramCopy copy;
    ASSERT_TRUE(QFile::exists(copy.binary));

    QProcess first;
    copy.start(first);
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return readAll(copy.log()).contains("No cfg"); }, 60000));
    const QByteArray firstLog = readAll(copy.log());

    // The second copy stops at its message box; its own log would have replaced the first one's.
    QProcess second;
    copy.start(second);
    ASSERT_TRUE(second.waitForStarted());
    QTest::qWait(3000);
    EXPECT_EQ(readAll(copy.log()), firstLog);

    // A termination request ends it through the same orderly path, still without a log.
    ::kill(static_cast<pid_t>(second.processId()), SIGTERM);
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(readAll(copy.log()), firstLog);
    EXPECT_EQ(first.state(), QProcess::Running);

    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    const QByteArray finalLog = readAll(copy.log());
    EXPECT_TRUE(finalLog.startsWith(firstLog));
    EXPECT_TRUE(finalLog.endsWith("Created cfg\r\nExiting\r\n")) << finalLog.constData();
}
