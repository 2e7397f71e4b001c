#include "subtitles/SubtitleClock.h"

#include "support/FakeEngine.h"
#include "support/FakeOverlay.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

struct Rig {
    FakeEngine video, audio;
    FakeOverlay overlay;
    bool hidesub = false;
    bool autosub = true;
    int barUpdates = 0;
    double fps = 25;
    bool audioSeparate = false;
    SubtitleClock clock{video, audio,
                        {[this] { return fps; }, [this] { return audioSeparate; }, [this] { return hidesub; },
                         [this] { return autosub; }, [this] { ++barUpdates; }, [this] { return &overlay; }}};

    // Lead-in 30..40, the given entries, the sentinel.
    using Rows = std::vector<std::tuple<double, double, const char *>>;
    void table(const Rows &rows)
    {
        SubtitleTable t;
        t.append(30, 40, QString());
        for (const auto &[s, e, text] : rows)
            t.append(s, e, QString::fromUtf8(text));
        t.append(10000000, 10000009, QString());
        clock.setTable(std::move(t));
    }
    QStringList tickAt(double frame)
    {
        overlay.calls.clear();
        video.setPositionQuietly(frame);
        clock.tick();
        return overlay.calls;
    }
};

}  // namespace

TEST(SubtitleClock, WithoutATableOnlyAudioAndDisplay)
{
    Rig r;
    r.audioSeparate = true;
    r.audio.setPositionQuietly(0);
    EXPECT_TRUE(r.tickAt(100).isEmpty());
    EXPECT_EQ(r.barUpdates, 1);
    EXPECT_EQ(r.audio.currentPosition(), 4);
    r.clock.resyncSubtitles();
    EXPECT_TRUE(r.overlay.calls.isEmpty());
}

TEST(SubtitleClock, AudioRealignsWhenWholeSecondsDiffer)
{
    Rig r;
    r.audioSeparate = true;
    r.audio.setPositionQuietly(2.4);
    r.tickAt(62);  // 2.48 s: both round to 2
    EXPECT_TRUE(r.audio.calls.isEmpty());
    r.audio.setPositionQuietly(2.6);
    r.tickAt(62);  // 2.6 rounds to 3, 2.48 to 2
    EXPECT_EQ(r.audio.calls, QStringList{"seek 2.48"});
    r.audio.calls.clear();
    r.tickAt(0);  // at position 0 neither audio nor display
    EXPECT_TRUE(r.audio.calls.isEmpty());
    EXPECT_EQ(r.barUpdates, 2);
}

TEST(SubtitleClock, SeparateAudioFollowsTheMovieByWholeSecondsOnly)
{
    struct Case {
        const char *what;
        bool separate;
        double fps, frame, audioAt;
        double audioThen;  // the audio's position after the tick
    };
    const Case cases[] = {
        {"0.2 s across a half second is corrected, to the exact time", true, 25, 265, 10.4, 10.6},
        {"0.8 s within one rounded second stays", true, 25, 260, 9.6, 9.6},
        {"halves round to even: 2.5 and 2.0 are one second", true, 25, 62.5, 2.0, 2.0},
        {"halves round to even: 3.5 and 3.0 are not", true, 25, 87.5, 3.0, 3.5},
        {"no separate audio", false, 25, 500, 30, 30},
        {"no frame rate", true, 0, 500, 30, 30},
        {"the movie at its start", true, 25, 0, 30, 30},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Rig r;
        r.audioSeparate = c.separate;
        r.fps = c.fps;
        r.audio.setPositionQuietly(c.audioAt);
        r.tickAt(c.frame);
        EXPECT_DOUBLE_EQ(r.audio.currentPosition(), c.audioThen);
    }
}

TEST(SubtitleClock, LeadInShowsAroundFrame30AndTellsTheOverlayAnEntryIsDue)
{
    Rig r;
    r.table({{100, 200, "Hello"}});
    EXPECT_TRUE(r.tickAt(0).isEmpty());  // the check runs at 0 too: waiting
    EXPECT_EQ(r.overlay.dues, 0);
    EXPECT_EQ(r.tickAt(30), (QStringList{"show", "text "}));
    EXPECT_EQ(r.overlay.dues, 1);
    EXPECT_EQ(r.tickAt(41), QStringList{"hide"});
    EXPECT_EQ(r.clock.subIndex(), 1);
    EXPECT_EQ(r.tickAt(150), (QStringList{"show", "text Hello"}));
    EXPECT_EQ(r.tickAt(162), (QStringList{"show", "text Hello"}));  // repeated while it lasts
    r.autosub = false;
    EXPECT_EQ(r.tickAt(201), QStringList{"text "});
    EXPECT_EQ(r.clock.subIndex(), 2);
    EXPECT_EQ(r.overlay.dues, 3);
}

TEST(SubtitleClock, ShortEntriesArePassedOverOnePerTick)
{
    Rig r;
    r.table({{100, 105, "short"}, {106, 110, "shorter"}, {200, 300, "long"}});
    r.clock.resyncSubtitles();
    r.tickAt(41);
    ASSERT_EQ(r.clock.subIndex(), 1);
    EXPECT_EQ(r.tickAt(120), QStringList{"hide"});
    EXPECT_EQ(r.tickAt(132), QStringList{"hide"});
    EXPECT_EQ(r.clock.subIndex(), 3);
    EXPECT_TRUE(r.tickAt(144).isEmpty());
}

// The re-find lands on the entry the position is inside, so it shows at once; between entries the
// overlay waits for the next one.
TEST(SubtitleClock, ASeekShowsTheEntryItLandsIn)
{
    using Rows = Rig::Rows;
    // 25 fps: "before" 10 s to 16 s, "long" 20.5 s to 59 s, "after" 60 s to 64 s.
    const Rows film = {{250, 400, "before"}, {512, 1475, "long"}, {1500, 1600, "after"}};
    struct Case {
        const char *what;
        Rows rows;
        double frame;
        int index;
        QStringList calls;  // with "Autoshow Subtitles." the clear is a hide
    };
    const Case cases[] = {
        {"26 s, inside a cue that began at 20.5 s", film, 650, 2, {"hide", "show", "text long"}},
        {"on a cue's first frame", film, 512, 2, {"hide", "show", "text long"}},
        {"on a cue's last frame", film, 1475, 2, {"hide", "show", "text long"}},
        {"one frame past a cue: the next waits", film, 1476, 3, {"hide"}},
        {"between the lead-in and the first cue", film, 100, 1, {"hide"}},
        {"before frame 30: the lead-in waits", film, 10, 0, {"hide"}},
        {"inside the lead-in: it shows, empty", film, 35, 0, {"hide", "show", "text "}},
        {"past every cue: the sentinel", film, 20000000, 4, {"hide", "hide"}},
        {"overlapping cues: the earlier listed, as the tick shows them",
         {{100, 200, "k"}, {150, 250, "k+1"}}, 160, 1, {"hide", "show", "text k"}},
        {"overlapping cues: the later once the earlier is over", {{100, 200, "k"}, {150, 250, "k+1"}}, 220, 2,
         {"hide", "show", "text k+1"}},
        {"a long cue with a short one inside it", {{100, 500, "long"}, {200, 250, "short"}}, 300, 1,
         {"hide", "show", "text long"}},
        {"a cue ending before it starts is passed", {{300, 290, "backward"}, {400, 500, "after"}}, 295, 2,
         {"hide"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Rig r;
        r.table(c.rows);
        r.video.setPositionQuietly(c.frame);
        r.clock.resyncSubtitles();
        EXPECT_EQ(r.clock.subIndex(), c.index);
        EXPECT_EQ(r.overlay.calls, c.calls);
    }
}

TEST(SubtitleClock, ARefindWithoutAutoshowBlanksBeforeItShows)
{
    Rig r;
    r.autosub = false;
    r.table({{100, 200, "A"}, {300, 400, "B"}});
    r.video.setPositionQuietly(350);
    r.clock.resyncSubtitles();
    EXPECT_EQ(r.clock.subIndex(), 2);
    EXPECT_EQ(r.overlay.calls, (QStringList{"text ", "show", "text B"}));
    // Then the ticks carry on from there.
    EXPECT_EQ(r.tickAt(401), QStringList{"text "});
    EXPECT_EQ(r.clock.subIndex(), 3);
}

TEST(SubtitleClock, OverlappingAndBackwardEntries)
{
    Rig r;
    r.table({{100, 200, "k"}, {150, 250, "k+1"}, {300, 290, "backward"}, {400, 500, "after"}});
    r.video.setPositionQuietly(50);
    r.clock.resyncSubtitles();
    EXPECT_EQ(r.tickAt(160), (QStringList{"show", "text k"}));
    EXPECT_EQ(r.tickAt(201), QStringList{"hide"});
    EXPECT_EQ(r.tickAt(210), (QStringList{"show", "text k+1"}));
    r.tickAt(260);
    EXPECT_EQ(r.tickAt(295), QStringList{"hide"});  // over at once
    EXPECT_EQ(r.clock.subIndex(), 4);
}

TEST(SubtitleClock, HiddenSubtitlesKeepAdvancing)
{
    Rig r;
    r.table({{100, 200, "A"}, {300, 400, "B"}});
    r.hidesub = true;
    r.video.setPositionQuietly(0);
    r.overlay.calls.clear();
    r.clock.resyncSubtitles();
    EXPECT_TRUE(r.overlay.calls.isEmpty());
    EXPECT_TRUE(r.tickAt(35).isEmpty());
    EXPECT_EQ(r.overlay.dues, 0);
    r.tickAt(150);  // lead-in over
    r.tickAt(250);  // A over
    EXPECT_EQ(r.clock.subIndex(), 2);
    r.hidesub = false;
    EXPECT_EQ(r.tickAt(350), (QStringList{"show", "text B"}));
}

TEST(SubtitleClock, TheIndexStopsAtTheSentinel)
{
    Rig r;
    r.table({});
    for (int i = 0; i < 5; ++i)
        r.tickAt(20000000);
    EXPECT_EQ(r.clock.subIndex(), 1);
    r.video.setPositionQuietly(20000000);
    r.clock.resyncSubtitles();
    EXPECT_EQ(r.clock.subIndex(), 1);
}
