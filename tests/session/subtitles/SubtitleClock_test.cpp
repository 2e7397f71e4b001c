#include "subtitles/SubtitleClock.h"

#include "subtitles/SubtitleOverlay.h"
#include "support/FakeEngine.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class FakeOverlay : public SubtitleOverlay {
public:
    QStringList calls;  // "show", "hide", "text <caption>"
    int dues = 0;       // entries that came due
    void cueDue() override { ++dues; }
    void showOverlay() override { calls << "show"; }
    void hideOverlay() override { calls << "hide"; }
    void setCaption(const QString &text) override { calls << "text " + text; }
};

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
    void table(std::initializer_list<std::tuple<double, double, const char *>> rows)
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

TEST(SubtitleClock, SeekIntoAnEntryLeavesItBlankUntilTheNext)
{
    Rig r;
    r.table({{100, 200, "A"}, {300, 400, "B"}});
    r.video.setPositionQuietly(150);
    r.overlay.calls.clear();
    r.clock.resyncSubtitles();
    EXPECT_EQ(r.clock.subIndex(), 2);
    EXPECT_EQ(r.overlay.calls, QStringList{"hide"});
    EXPECT_TRUE(r.tickAt(190).isEmpty());
    EXPECT_EQ(r.tickAt(300), (QStringList{"show", "text B"}));
    // Back before frame 30: the lead-in shows again.
    r.video.setPositionQuietly(10);
    r.clock.resyncSubtitles();
    EXPECT_EQ(r.clock.subIndex(), 0);
    EXPECT_EQ(r.tickAt(35), (QStringList{"show", "text "}));
    // A seek exactly onto a start picks that entry, and the tick inside resync shows it.
    r.video.setPositionQuietly(100);
    r.overlay.calls.clear();
    r.autosub = false;
    r.clock.resyncSubtitles();
    EXPECT_EQ(r.clock.subIndex(), 1);
    EXPECT_EQ(r.overlay.calls, (QStringList{"text ", "show", "text A"}));
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
