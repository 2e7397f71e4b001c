// What the session keeps per user beside the settings file, with the engine doubles: the volume for the
// next start, and the sign that a movie opened where it was left.
#include "support/SessionFixture.h"

#include "playback/KeptVolume.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(SessionKept, TheVolumeSetLastIsKeptAtTheEndAndRestoredAtTheNextStart)
{
    struct Case {
        const char *what;
        std::function<void(SessionFixture &)> run;
        std::optional<float> kept;
    } cases[] = {
        {"set while a movie plays", [](SessionFixture &f) {
             f.session.openMovie(f.path("a.mkv"));
             f.session.setVolume(20);
             f.session.setVolume(35.5f);
         }, 35.5f},
        {"the slider's bottom sets no volume", [](SessionFixture &f) {
             f.session.openMovie(f.path("a.mkv"));
             f.session.setVolume(12);
             f.session.setVolume(100);
         }, 12.0f},
        {"never set: no file", [](SessionFixture &f) { f.session.openMovie(f.path("a.mkv")); }, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SessionFixture f;
        c.run(f);
        f.session.end();
        EXPECT_EQ(KeptVolume::load(f.path("kelmora.vol")), c.kept);
    }

    SessionFixture f;
    f.file(QStringLiteral("kelmora.vol"), KeptVolume::write(20));
    QSignalSpy told(&f.session, &PlayerSession::volumeChanged);
    f.session.restoreVolume();
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0][0].toFloat(), 20.0f);
    EXPECT_EQ(f.mp1.volume(), -2000);
    EXPECT_EQ(f.mp2.volume(), -2000);
    // Unchanged, it is not written again.
    QFile::remove(f.path("kelmora.vol"));
    f.session.end();
    EXPECT_FALSE(QFile::exists(f.path("kelmora.vol")));
}

TEST(SessionKept, AVolumeThatCannotBeWrittenIsLoggedAndTheRunEndsInOrder)
{
    SessionFixture f;
    // A folder where the file would go: the write fails for real.
    QDir().mkpath(f.path("kelmora.vol"));
    f.session.openMovie(f.path("a.mkv"));
    f.session.setVolume(20);
    f.session.end();
    EXPECT_TRUE(f.logLines().contains("volume not saved in " + f.path("kelmora.vol")));
}

TEST(SessionKept, AResumedMovieSaysSo)
{
    SessionFixture f;
    f.mp1.seconds = 300;
    f.mp1.frames = 7500;
    const QString movie = f.file(QStringLiteral("movie.mkv"), "movie bytes");
    QSignalSpy resumed(&f.session, &PlayerSession::resumed);
    f.session.openMovie(movie);
    f.session.play();
    f.mp1.setPositionQuietly(3002);
    f.session.pause();
    f.session.openMovie(movie);
    ASSERT_EQ(resumed.size(), 1);
    EXPECT_EQ(resumed[0][0].toDouble(), 3002);
    EXPECT_TRUE(f.logLines().contains("resumed at frame 3002"));
    // Closed again without playing, it keeps the same frame.
    f.session.end();
    EXPECT_EQ(ResumePositions::load(f.path("kelmora.pos")).frameOf(*movieKey(movie)), 3002);
}
