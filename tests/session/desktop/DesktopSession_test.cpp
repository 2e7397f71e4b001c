// The desktop session over the player session with doubles: when the screen is held awake, and what
// the desktop's media controls do. The same calls over a real bus are in SessionBus_test.
#include "support/FakeScreenSaver.h"
#include "support/PanelFixture.h"

#include "desktop/DesktopSession.h"
#include "engine/MediaEngine.h"

#include <functional>
#include <limits>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct SessionFixture : PanelFixture {
    FakeScreenSaver saver;
    std::unique_ptr<DesktopSession> media =
        std::make_unique<DesktopSession>(session, saver, QDBusConnection(QString()));
};

}  // namespace

TEST(DesktopSession, ScreenIsHeldAwakeExactlyWhileTheMovieMoves)
{
    SessionFixture f;
    struct Step {
        const char *what;
        std::function<void()> act;
        bool awake;
    };
    const std::vector<Step> steps{
        {"nothing open", [] {}, false},
        {"movie opened, halted", [&] { f.openMovie(); }, false},
        {"Play", [&] { f.panel.vplay_Click(); }, true},
        {"Stop", [&] { f.panel.vplay_Click(); }, false},
        {"Play again", [&] { f.panel.vplay_Click(); }, true},
        // The panel keeps isPlaying after the end; the engine has halted, so the screen may sleep.
        {"end of the movie", [&] { f.mp1.finish(); }, false},
        {"another movie", [&] { f.openMovie(QStringLiteral("b.avi")); }, false},
        // Backward rates step on the panel's timer with the engine halted: still playing.
        {"Play at -2", [&] { f.panel.vplay_Click(); f.session.setRate(8); }, true},
        {"Stop at -2", [&] { f.panel.vplay_Click(); }, false},
        {"Play at -2 again", [&] { f.panel.vplay_Click(); }, true},
        {"program ends", [&] { f.media.reset(); }, false},
    };
    for (const Step &s : steps) {
        s.act();
        if (f.media)
            f.media->sync();
        EXPECT_EQ(f.saver.inhibited, s.awake) << s.what;
    }
    EXPECT_EQ(f.saver.calls.count(QStringLiteral("inhibit")), 4);
}

TEST(DesktopSession, MediaControlsAskTheSessionWhatThePanelAsks)
{
    SessionFixture f;
    DesktopSession &s = *f.media;
    // Nothing open: nothing to play, and nothing breaks.
    s.play();
    s.playPause();
    s.seek(5'000'000);
    s.setPosition(1'000'000);
    EXPECT_EQ(s.playbackStatus(), QStringLiteral("Stopped"));
    EXPECT_TRUE(f.mp1.calls.filter(QStringLiteral("play")).isEmpty());

    f.openMovie(QStringLiteral("my clip.avi"));  // 90 s, 2250 frames: 25 fps
    EXPECT_EQ(s.playbackStatus(), QStringLiteral("Paused"));
    s.playPause();
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), QStringLiteral("Stop"));
    EXPECT_EQ(f.mp1.playState(), 2);
    EXPECT_EQ(s.playbackStatus(), QStringLiteral("Playing"));
    s.play();  // already playing: stays so
    EXPECT_EQ(f.mp1.playState(), 2);
    s.pause();
    s.pause();  // already paused: stays so
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), QStringLiteral("Play"));
    EXPECT_EQ(s.playbackStatus(), QStringLiteral("Paused"));

    s.setPosition(2'000'000);
    EXPECT_DOUBLE_EQ(f.mp1.currentPosition(), 50);
    EXPECT_EQ(s.position(), 2'000'000);
    s.setPosition(91'000'000);  // past the end: ignored
    s.setPosition(-1);
    EXPECT_DOUBLE_EQ(f.mp1.currentPosition(), 50);
    s.seek(-10'000'000);  // before the start: to the start
    EXPECT_DOUBLE_EQ(f.mp1.currentPosition(), 0);
    s.seek(30'000'000);
    EXPECT_DOUBLE_EQ(f.mp1.currentPosition(), 750);

    s.playPause();
    s.stop();
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), QStringLiteral("Play"));
    EXPECT_EQ(f.mp1.playState(), 1);
    EXPECT_DOUBLE_EQ(f.mp1.currentPosition(), 0);

    for (const double v : {1.0, 0.5, 0.1}) {
        s.setVolume(v);
        EXPECT_NEAR(s.volume(), v, 0.01 * v) << v;
    }
    s.setVolume(0);
    EXPECT_LE(f.mp1.volume(), -9999);
    s.setVolume(-3);  // below silence counts as silence
    EXPECT_LE(f.mp1.volume(), -9999);

    const QVariantMap meta = s.mpris.metadata();
    EXPECT_EQ(meta.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("my clip.avi"));
    EXPECT_EQ(meta.value(QStringLiteral("xesam:url")).toString(),
              QUrl::fromLocalFile(f.path(QStringLiteral("my clip.avi"))).toString());
    EXPECT_EQ(meta.value(QStringLiteral("mpris:length")).toLongLong(), 90'000'000);
}

TEST(DesktopSession, StatusIsStoppedAfterStopUntilTheMovieMovesOnOrAnotherOpens)
{
    SessionFixture f;
    DesktopSession &s = *f.media;
    struct Step {
        const char *what;
        std::function<void()> act;
        const char *status;
    };
    const std::vector<Step> steps{
        {"nothing open", [] {}, "Stopped"},
        {"movie opened", [&] { f.openMovie(); }, "Paused"},
        {"Play", [&] { s.play(); }, "Playing"},
        {"Stop while playing", [&] { s.stop(); }, "Stopped"},
        {"Stop again", [&] { s.stop(); }, "Stopped"},
        {"Play after Stop", [&] { s.playPause(); }, "Playing"},
        {"Pause", [&] { s.pause(); }, "Paused"},
        {"Stop while paused", [&] { s.stop(); }, "Stopped"},
        {"tracker moved on the panel", [&] { s.setPosition(4'000'000); }, "Paused"},
        {"back to the start on the panel", [&] { f.panel.vgos_Click(); }, "Paused"},
        {"Stop", [&] { s.stop(); }, "Stopped"},
        {"another movie", [&] { f.openMovie(QStringLiteral("b.avi")); }, "Paused"},
        {"Stop, then the panel's Play", [&] { s.stop(); f.panel.vplay_Click(); }, "Playing"},
    };
    for (const Step &step : steps) {
        step.act();
        s.sync();
        EXPECT_EQ(s.playbackStatus(), QString::fromLatin1(step.status)) << step.what;
    }
}

TEST(DesktopSession, SeekClampsEveryOffsetToTheMovie)
{
    SessionFixture f;
    DesktopSession &s = *f.media;
    f.openMovie();  // 90 s at 25 fps
    const struct {
        qint64 offsetUs;
        double frame;
    } cases[] = {
        {std::numeric_limits<qint64>::max(), 2250},
        {std::numeric_limits<qint64>::min(), 0},
        {std::numeric_limits<qint64>::max() - 1'000'000, 2250},
        {-2'000'001, 0},
        {0, 50},
        {88'000'000, 2250},
        {88'000'000 - 40'000, 2249},
    };
    // Each case from the place where the last one left the movie, its end included.
    for (const auto &c : cases) {
        s.setPosition(2'000'000);
        s.seek(c.offsetUs);
        EXPECT_DOUBLE_EQ(f.mp1.currentPosition(), c.frame) << c.offsetUs;
    }
}
