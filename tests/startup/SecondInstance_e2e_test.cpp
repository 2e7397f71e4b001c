// Two real runs of the program from one folder: the second is refused and ends without touching the
// first one's log, and a termination request takes the first out in order. A later start that names
// a file hands it to the running one instead, and a killed run never blocks the next.
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

    // Without arguments on Qt's offscreen platform; a run that opens files plays them on the display.
    void start(QProcess &p, const QStringList &arguments = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        if (arguments.isEmpty() || !env.contains(QStringLiteral("DISPLAY")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(binary, arguments);
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

TEST(SecondInstance, AKilledRunNeverBlocksAndALaterStartHandsItsFileOver)
{
    ProgramCopy copy;
    ASSERT_TRUE(QFile::exists(copy.binary));
    const QString movie = copy.folder.filePath(QStringLiteral("my clip 25.mp4"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VISTREL_MEDIA_DIR "/clip25.mp4"), movie));
    const QString subs = copy.folder.filePath(QStringLiteral("my clip 25.srt"));
    {
        QFile f(subs);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("1\r\n00:00:00,500 --> 00:00:01,500\r\nHello\r\n\r\n");
    }

    // Killed: its lock and its socket stay behind.
    QProcess killed;
    copy.start(killed);
    ASSERT_TRUE(killed.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return readAll(copy.log()).contains("No cfg"); }, 60000));
    ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
    ASSERT_TRUE(killed.waitForFinished(30000));

    // The next start runs as the only instance and opens the movie it was given, blanks and all.
    QProcess first;
    copy.start(first, {movie});
    ASSERT_TRUE(first.waitForStarted());
    const QByteArray opened = "opening video " + movie.toLocal8Bit() + "\r\n";
    ASSERT_TRUE(QTest::qWaitFor([&] { return readAll(copy.log()).contains(opened); }, 60000))
        << readAll(copy.log()).constData();
    const QByteArray firstLog = readAll(copy.log());

    // A later start with a subtitle file gives it to the running one and ends at once, quietly.
    QProcess second;
    copy.start(second, {subs});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    const QByteArray loaded = "Opening Subs " + subs.toLocal8Bit() + "\r\n";
    EXPECT_TRUE(QTest::qWaitFor([&] { return readAll(copy.log()).contains(loaded); }, 20000));
    const QByteArray log = readAll(copy.log());
    EXPECT_TRUE(log.startsWith(firstLog));
    EXPECT_EQ(log.count("Initialized at "), 1);
    EXPECT_FALSE(log.contains("tried to run more than once"));
    EXPECT_EQ(first.state(), QProcess::Running);

    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitCode(), 0);
}
