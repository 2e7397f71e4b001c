// The session's subtitles over the engine double: every way the position moves, and every load, puts
// the cue the movie is in on the overlay at once; a file out of time order shows each of its cues.
#include "support/FakeOverlay.h"
#include "support/SessionFixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct Subs : SessionFixture {
    FakeOverlay overlay;
    Subs()
    {
        session.setOverlay(&overlay);
        // The double's clip: 90 s, 2250 frames, so 25 fps.
        session.openMovie(path(QStringLiteral("film.avi")));
    }
    // The captions written since the last look, blanks left out.
    QStringList texts()
    {
        QStringList shown;
        for (const QString &call : std::as_const(overlay.calls)) {
            if (call.startsWith(QLatin1String("text ")) && call.size() > 5)
                shown << call.mid(5);
        }
        overlay.calls.clear();
        return shown;
    }
};

// "before" 10 s to 16 s, "long" 20.5 s to 59 s.
const QByteArray kLong = "1\r\n00:00:10,000 --> 00:00:16,000\r\nbefore\r\n\r\n"
                         "2\r\n00:00:20,500 --> 00:00:59,000\r\nlong\r\n\r\n";

}  // namespace

TEST(SessionSubtitles, ThePositionLandingInACueShowsItAtOnce)
{
    struct Case {
        const char *what;
        std::function<void(Subs &)> move;  // to 26 s, with the file loaded at 0 s unless it says otherwise
    };
    const Case cases[] = {
        {"a seek, as the tracker, the media controls and a chapter ask it", [](Subs &f) { f.session.seek(650); }},
        {"a file chosen while the movie is at 26 s", [](Subs &f) {
             f.mp1.setPositionQuietly(650);
             f.session.chooseSubtitles(f.file(QStringLiteral("late.srt"), kLong));
         }},
        {"the re-find the panel asks after a click", [](Subs &f) {
             f.mp1.setPositionQuietly(650);
             f.session.resyncSubtitles();
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Subs f;
        f.session.chooseSubtitles(f.file(QStringLiteral("film.srt"), kLong));
        f.texts();
        c.move(f);
        EXPECT_EQ(f.texts(), QStringList{"long"});
    }
}

TEST(SessionSubtitles, AFileOutOfTimeOrderShowsEveryCueAtItsTime)
{
    Subs f;
    f.session.chooseSubtitles(f.file(QStringLiteral("film.srt"), "1\r\n00:00:14,000 --> 00:00:15,000\r\nfourteen\r\n\r\n"
                                                                 "2\r\n00:00:08,000 --> 00:00:09,000\r\neight\r\n\r\n"
                                                                 "3\r\n00:00:02,000 --> 00:00:03,000\r\ntwo\r\n"));
    // Playing: a tick every half second, 12.5 frames apart. A tick finds one entry over and moves on
    // to the next, which the following tick shows: "two" waits for the lead-in's end to be seen.
    QStringList seen;
    for (double frame = 0; frame <= 400; frame += 12.5) {
        f.mp1.setPositionQuietly(frame);
        f.session.subTimer_Timer();
        for (const QString &text : f.texts())
            seen << text + QStringLiteral(" at ") + QString::number(frame / 25) + QStringLiteral(" s");
    }
    EXPECT_EQ(seen, (QStringList{"two at 2.5 s", "two at 3 s", "eight at 8 s", "eight at 8.5 s", "eight at 9 s",
                                 "fourteen at 14 s", "fourteen at 14.5 s", "fourteen at 15 s"}));
}
