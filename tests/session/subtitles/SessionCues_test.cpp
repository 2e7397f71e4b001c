// The movie's own text track fed from the engine's cues into the table the display loop shows: each
// cue shows as soon as the engine finds it due, from the first second, after a seek, while the stepping
// timer steps, and with the delay of the preferences.
#include "support/FakeOverlay.h"
#include "support/MovieWithTracks.h"
#include "support/SessionFixture.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// tracks.mkv open with its English text track shown on an overlay; frames at 25 a second.
struct Cues : SessionFixture {
    FakeOverlay overlay;
    Cues()
    {
        mp1.movieTracks = movieTracks();
        mp1.seconds = 12;
        mp1.frames = 300;
        session.setOverlay(&overlay);
        session.openMovie(path("tracks.mkv"));
    }
    // The engine reaches `frame` and finds the cue due there.
    void due(double frame, double start, double end, const char *text)
    {
        mp1.setPositionQuietly(frame);
        mp1.sendCue(start, end, QString::fromUtf8(text));
    }
    QStringList texts() const
    {
        const SubtitleTable &t = session.subClock().table();
        return QStringList(t.subText.begin(), t.subText.begin() + std::max(0, t.subCount - 1));
    }
};

}  // namespace

TEST(SessionCues, EachCueShowsWhenTheEngineFindsItDue)
{
    struct Case {
        const char *what;
        std::function<void(Cues &)> before;
        double at, start, end;
        const char *expected;
    } cases[] = {
        {"the first cue, before the lead-in entry", {}, 13, 13.025, 50.525, "One"},
        {"after a seek into the middle of a cue", [](Cues &c) { c.session.seek(100); }, 100, 75.525, 225.525,
         "Two long"},
        {"while the stepping timer steps at 4x", [](Cues &c) {
             c.session.play();
             ASSERT_TRUE(c.session.setRate(1));
             c.mp1.setPositionQuietly(150);
             c.session.TimerMovieBack_Timer();
         }, 250, 250.525, 275.525, "Three"},
        {"backward", [](Cues &c) {
             c.mp1.setPositionQuietly(275);
             c.session.play();
             ASSERT_TRUE(c.session.setRate(8));
             c.session.TimerMovieBack_Timer();
         }, 225, 200.525, 240.525, "Back"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Cues f;
        if (c.before)
            c.before(f);
        f.due(c.at, c.start, c.end, c.expected);
        EXPECT_EQ(f.overlay.seen(), c.expected) << "at frame " << f.mp1.currentPosition();
        // Gone once past its end, as a file's entry.
        f.mp1.setPositionQuietly(c.end + 2);
        f.session.subTimer_Timer();
        EXPECT_EQ(f.overlay.seen(), QString());
    }
}

TEST(SessionCues, EveryCueIsKeptOnceInOrderAndSeenAgainAfterASeekBack)
{
    Cues f;
    QSignalSpy changed(&f.session, &PlayerSession::subtitleTableChanged);
    f.due(13, 13.025, 50.525, "One");
    f.due(250, 250.525, 275.525, "Three");
    f.due(76, 75.525, 225.525, "Two\nlong");
    f.due(76, 75.525, 225.525, "Two\nlong");
    EXPECT_EQ(f.texts(), (QStringList{"One", "", "Two\rlong", "Three"})) << "the lead-in entry among them";
    EXPECT_EQ(changed.size(), 3) << "a cue told again changes nothing";
    EXPECT_EQ(f.overlay.seen(), "Two\rlong");
    // Already in the table: a seek back to its start finds it without the engine.
    f.session.seek(13);
    EXPECT_EQ(f.overlay.seen(), "One");
}

TEST(SessionCues, TheDelayMovesTheCuesTakenAndThoseToComeAndTheEngineTellsThemThatMuchEarlier)
{
    Cues f;
    f.due(13, 13.025, 50.525, "One");
    f.session.shiftSubtitles(-10);
    EXPECT_EQ(f.mp1.subtitleDelay(), -10);
    const SubtitleTable &t = f.session.subClock().table();
    EXPECT_EQ(t.subStart[0], 3);
    // Told 10 frames before its own start, it shows at once.
    f.due(65, 75.525, 225.525, "Two long");
    EXPECT_EQ(f.overlay.seen(), "Two long");
    EXPECT_EQ(t.subStart[2], 65);
    EXPECT_EQ(t.subEnd[2], 216);
    // Typed again, the box shifts again by its whole number.
    f.session.shiftSubtitles(25);
    EXPECT_EQ(f.mp1.subtitleDelay(), 15);
    // A new track starts without a delay.
    f.session.chooseSubtitleTrack(2);
    EXPECT_EQ(f.mp1.subtitleDelay(), 0);
}

TEST(SessionCues, CuesCountOnlyWhileTheMoviesTextTrackIsShown)
{
    struct Case {
        const char *what;
        std::function<void(Cues &)> choose;
        int expectedCount;
    } cases[] = {
        {"a picture track: the engine draws it", [](Cues &c) { c.session.chooseSubtitleTrack(3); }, 0},
        {"none", [](Cues &c) { c.session.chooseSubtitleTrack(0); }, 0},
        {"a subtitle file", [](Cues &c) {
             c.session.chooseSubtitles(c.file("mine.srt", "1\r\n00:00:08,000 --> 00:00:09,000\r\nMine\r\n"));
         }, 3},
        {"another movie without a text track", [](Cues &c) {
             c.mp1.movieTracks = {};
             c.session.openMovie(c.path("plain.mp4"));
         }, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Cues f;
        f.due(13, 13.025, 50.525, "One");
        c.choose(f);
        EXPECT_EQ(f.overlay.seen(), QString()) << "nothing of the track stays on the overlay";
        f.due(14, 13.025, 50.525, "One");
        EXPECT_EQ(f.session.subClock().table().subCount, c.expectedCount);
        EXPECT_EQ(f.overlay.seen(), QString());
    }
}
