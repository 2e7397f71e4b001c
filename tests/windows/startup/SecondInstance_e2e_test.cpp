// Two real runs of the program from one folder: the second is refused and ends without touching the
// first one's log, and a termination request takes the first out in order. A later start that names
// a file hands it to the running one instead, and a killed run never blocks the next.
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"

#include "startup/Program.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

    // Without arguments on Qt's offscreen platform unless asked `onDisplay`; a run that opens files
    // plays them on the display.
    void start(QProcess &p, const QStringList &arguments = {}, bool onDisplay = false) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        if ((arguments.isEmpty() && !onDisplay) || !env.contains(QStringLiteral("DISPLAY")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(binary, arguments);
    }

    QString log() const { return folder.filePath(QStringLiteral("kelmora.log")); }
};

// Until `p` shows a window on the X display, as a refused start shows its message box.
bool showsAWindow(const QProcess &p)
{
    QProcess search;
    search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--sync"),
                                             QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                             QString::number(p.processId())});
    if (!search.waitForFinished(60000)) {
        search.kill();
        search.waitForFinished();
        return false;
    }
    return search.exitStatus() == QProcess::NormalExit && search.exitCode() == 0;
}

}  // namespace

TEST(SecondInstance, IsRefusedAndLeavesTheFirstRunsLogAlone)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "the refused start's message box is looked for on the X display";
    ProgramCopy copy;
    ASSERT_TRUE(QFile::exists(copy.binary));

    QProcess first;
    copy.start(first);
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return readAll(copy.log()).contains("No cfg"); }, 60000));
    const QByteArray firstLog = readAll(copy.log());

    // The second copy stops at its message box; its own log would have replaced the first one's.
    QProcess second;
    copy.start(second, {}, true);
    ASSERT_TRUE(second.waitForStarted());
    ASSERT_TRUE(showsAWindow(second));
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

namespace {

// A later start of the real program beside this process's running one (same runtime folder); waits
// for it to end, as a file manager's "Open With" would.
struct LaterStart {
    int exitCode = -1;
    bool ended = false;
    QByteArray errors;
};

LaterStart startLater(const QStringList &arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VISTREL_BIN_DIR "/vistrel"), arguments);
    LaterStart r;
    r.ended = p.waitForFinished(20000);
    if (!r.ended) {
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitCode();
    r.errors = p.readAllStandardError();
    return r;
}

}  // namespace

TEST(SecondInstance, HandsEveryFileOverAndEndsAtOnceWhileTheRunningOneTellsWhatItCannotOpen)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    const QString clip = folder.filePath(QStringLiteral("clip 25.mp4"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VISTREL_MEDIA_DIR "/clip25.mp4"), clip));
    const QString twoLines = folder.filePath(QStringLiteral("two\nlines.srt"));
    {
        QFile f(twoLines);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("1\r\n00:00:00,500 --> 00:00:01,500\r\nHello\r\n\r\n");
    }
    const QString fifo = folder.filePath(QStringLiteral("x.srt"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString folderAvi = folder.filePath(QStringLiteral("folder.avi"));
    ASSERT_TRUE(QDir().mkpath(folderAvi));
    const QString missing = folder.filePath(QStringLiteral("missing.avi"));

    // The running one starts from its disc, which is not there: while it still shows that (the disc's
    // movie fails to open once the load is done), a later start hands the movie over.
    // A user's second start can happen while the first start still shows a message of its load.
    FakeDialogs dialogs;
    Program running(folder.path(), QStringLiteral("AUTORUN"), dialogs);
    LaterStart duringLoad;
    dialogs.whileShown = [&] { duringLoad = startLater({clip}); };
    ASSERT_TRUE(running.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.whileShown; }, 20000));
    EXPECT_TRUE(duringLoad.ended);
    EXPECT_EQ(duringLoad.exitCode, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return running.MediaPlayer1.fileName() == clip; }, 20000))
        << dialogs.texts().join(" / ").toStdString();
    const qsizetype loadMessages = dialogs.shown.size();

    const struct {
        const char *what;
        QStringList arguments;
        int exitCode;
        QString message;  // what the running one shows, in part
    } cases[] = {
        {"a name with a line break", {twoLines}, 0, {}},
        {"a pipe named as subtitles", {fifo}, 0, fifo},
        {"a missing movie", {missing}, 0, QStringLiteral("ERROR LOADING MAIN A/V FILE")},
        {"a folder named as a movie", {folderAvi}, 0, QStringLiteral("ERROR LOADING MAIN A/V FILE")},
        {"an option it does not know", {QStringLiteral("--bogus-option")}, 2, {}},
    };
    qsizetype shown = loadMessages;
    for (const auto &c : cases) {
        const LaterStart later = startLater(c.arguments);
        ASSERT_TRUE(later.ended) << c.what << ": the later start still waits";
        EXPECT_EQ(later.exitCode, c.exitCode) << c.what << ": " << later.errors.constData();
        if (!c.message.isEmpty()) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return qsizetype(dialogs.shown.size()) > shown; }, 20000)) << c.what;
            EXPECT_TRUE(dialogs.texts().value(shown).contains(c.message))
                << c.what << ": " << dialogs.texts().join(" / ").toStdString();
            shown = dialogs.shown.size();
        }
        if (c.arguments.first() == twoLines)
            EXPECT_TRUE(QTest::qWaitFor([&] { return running.session.subFilePath() == twoLines; }, 20000));
    }
    // Once every open the hand-overs started has ended, no message follows.
    ASSERT_TRUE(opensEnded(running.session));
    EXPECT_EQ(qsizetype(dialogs.due().size()), shown) << dialogs.texts().join(" / ").toStdString();
    EXPECT_FALSE(dialogs.texts().contains(QStringLiteral("Program is already running")));
}

TEST(SecondInstance, AFirstStartWithAFileThatCannotBeOpenedShowsThePanelsMessage)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    Program program(folder.path(), folder.filePath(QStringLiteral("missing.avi")), dialogs);
    program.files = {folder.filePath(QStringLiteral("missing.avi"))};
    ASSERT_TRUE(program.start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown.empty(); }, 20000));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ERROR LOADING MAIN A/V FILE")});
    EXPECT_TRUE(program.panel.isVisible());
}

TEST(SecondInstance, AMovieAndItsSoundGivenTogetherPlayTogetherAtAFirstStartAndWhenHandedOver)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    const QString clip = QStringLiteral(VISTREL_MEDIA_DIR "/clip25.mp4");
    const QString sound = QStringLiteral(VISTREL_MEDIA_DIR "/audio10.wav");
    FakeDialogs dialogs;
    Program running(folder.path(), QString(), dialogs);
    // The sound named first: files given together are sorted, the movie opens first.
    running.files = {sound, clip};
    ASSERT_TRUE(running.start());
    const auto together = [&] {
        return running.MediaPlayer1.fileName() == clip && running.MediaPlayer2.fileName() == sound
               && !running.session.opening();
    };
    ASSERT_TRUE(QTest::qWaitFor(together, 30000)) << dialogs.texts().join(" / ").toStdString();
    EXPECT_TRUE(running.session.audioSeparate());
    EXPECT_TRUE(running.MediaPlayer1.mute());
    EXPECT_FALSE(running.MediaPlayer2.mute());
    EXPECT_EQ(running.session.captions().audio, QStringLiteral("AUDIO: AUDIO10.WAV"));

    // Back to the movie's own sound, then both handed over by a later start.
    running.session.closeSound();
    ASSERT_TRUE(running.MediaPlayer2.fileName().isEmpty());
    const LaterStart later = startLater({clip, sound});
    ASSERT_TRUE(later.ended);
    EXPECT_EQ(later.exitCode, 0) << later.errors.constData();
    EXPECT_TRUE(QTest::qWaitFor(together, 30000)) << dialogs.texts().join(" / ").toStdString();
    EXPECT_TRUE(running.session.audioSeparate());
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(" / ").toStdString();
    running.panel.Form_Unload(0);
}
