// The movie's own text tracks read with FFmpeg's demuxers from the generated clips.
#include "engine/EmbeddedText.h"
#include "threads/DetachedThreads.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString media(const char *name)
{
    return QStringLiteral(VISTREL_MEDIA_DIR "/") + QLatin1String(name);
}

}  // namespace

TEST(EmbeddedText, ReadsTheChosenTrackOfEachContainer)
{
    struct Case {
        const char *clip;
        int stream;
        const char *codec;
        const char *caption;
        std::vector<std::pair<double, const char *>> starts;  // second, text
        double firstEnd;
    } cases[] = {
        // The second track is the default one.
        {"texttracks.mkv", 2, "ass", "SUB: FRE", {{2, "Français un"}, {4, "Deux\rlignes"}}, 3},
        {"movtext.mp4", 1, "mov_text", "SUB: ENG", {{2, "English one"}, {4, "English two"}}, 3},
        {"webvtt.mkv", 1, "webvtt", "SUB: TRACK 1", {{2, "Web one & all"}}, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.clip);
        const std::atomic<bool> stop = false;
        const auto track = EmbeddedText::readNow(media(c.clip), stop);
        ASSERT_TRUE(track);
        EXPECT_EQ(track->track.stream, c.stream);
        EXPECT_EQ(track->track.codec, c.codec);
        EXPECT_EQ(EmbeddedCues::caption(track->track).toStdString(), c.caption);
        // Timed as a file's entries are, at 25 frames a second; mov_text puts empty samples between cues.
        const SubtitleTable t = EmbeddedCues::table(*track, QStringLiteral("30"), 25);
        ASSERT_EQ(t.subCount, int(c.starts.size()) + 2);
        for (size_t i = 0; i < c.starts.size(); ++i) {
            EXPECT_EQ(t.subStart[i + 1], c.starts[i].first * 25) << i;
            EXPECT_EQ(t.subText[i + 1].toStdString(), c.starts[i].second) << i;
        }
        EXPECT_EQ(t.subEnd[1], c.firstEnd * 25);
    }
}

TEST(EmbeddedText, MoviesWithoutTextTracksAndFilesThatAreNoMoviesGiveNone)
{
    const std::atomic<bool> stop = false;
    for (const char *clip : {"clip25.mp4", "clip25.mkv", "notvideo.avi", "truncated.mp4", "missing.mkv"})
        EXPECT_FALSE(EmbeddedText::readNow(media(clip), stop)) << clip;
    const std::atomic<bool> stopped = true;
    EXPECT_FALSE(EmbeddedText::readNow(media("texttracks.mkv"), stopped));
}

TEST(EmbeddedText, ReadsOnAThreadAndAGivenUpReadNeverArrives)
{
    EmbeddedText reader;
    QSignalSpy found(&reader, &EmbeddedText::found);
    reader.read(media("texttracks.mkv"));
    ASSERT_TRUE(found.wait(10000));
    EXPECT_EQ(found.first().first().toString(), media("texttracks.mkv"));

    // Replaced at once by a movie without text tracks: neither read reports, once both have ended and
    // whatever they handed over has been taken.
    const auto readsEnded = [&] {
        const bool ended = DetachedThreads::settle(std::chrono::seconds(30));
        QCoreApplication::sendPostedEvents(&reader, QEvent::MetaCall);
        return ended;
    };
    found.clear();
    reader.read(media("movtext.mp4"));
    reader.read(media("clip25.mp4"));
    ASSERT_TRUE(readsEnded());
    EXPECT_TRUE(found.isEmpty());
    reader.read(media("movtext.mp4"));
    reader.cancel();
    ASSERT_TRUE(readsEnded());
    EXPECT_TRUE(found.isEmpty());
}

// Readers let go in the middle of their reads: each thread ends by itself, delivering to nobody.
TEST(EmbeddedText, ReadersLetGoDuringTheirReadsLeaveNothingRunning)
{
    for (int i = 0; i < 5; ++i) {
        EmbeddedText reader;
        reader.read(media("texttracks.mkv"));
    }
    EXPECT_TRUE(DetachedThreads::settle(DetachedThreads::kAtExit));
}

// The process ends while a read is under way, as when the player is closed right after an open: the
// end waits for the read, which then touches nothing the end tears down.
TEST(EmbeddedText, AProcessEndingDuringAReadEndsCleanly)
{
    if (qEnvironmentVariableIsSet("VISTREL_END_DURING_READ")) {
        // Never let go, so its read is still under way when main() returns.
        (new EmbeddedText)->read(media("texttracks.mkv"));
        return;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VISTREL_END_DURING_READ"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=EmbeddedText.AProcessEndingDuringAReadEndsCleanly")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QByteArray out = child.readAll();
    EXPECT_TRUE(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0) << out.toStdString();
}
