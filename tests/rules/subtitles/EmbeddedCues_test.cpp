#include "subtitles/EmbeddedCues.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TextTrack track(int stream, const char *codec, bool isDefault = false, const char *language = "",
                const char *title = "")
{
    return TextTrack{stream, codec, isDefault, QString::fromUtf8(language), QString::fromUtf8(title)};
}

}  // namespace

TEST(EmbeddedCues, TheDefaultTextTrackElseTheFirst)
{
    struct Case {
        const char *what;
        std::vector<TextTrack> tracks;
        int chosen;  // stream, -1 for none
    } cases[] = {
        {"none", {}, -1},
        {"first", {track(1, "subrip"), track(2, "ass")}, 1},
        {"default", {track(1, "subrip"), track(2, "ass", true), track(3, "webvtt", true)}, 2},
        // A picture track marked default is passed over, for the default text track or else the first.
        {"picture default", {track(1, "hdmv_pgs_subtitle", true), track(2, "mov_text"), track(3, "subrip")}, 2},
        {"pictures only", {track(1, "dvd_subtitle", true), track(2, "dvb_subtitle")}, -1},
        {"every text codec", {track(4, "text"), track(5, "ssa", true)}, 5},
    };
    for (const Case &c : cases) {
        const auto chosen = EmbeddedCues::chooseTrack(c.tracks);
        EXPECT_EQ(chosen ? chosen->stream : -1, c.chosen) << c.what;
    }
}

TEST(EmbeddedCues, PacketTextsOfEachCodec)
{
    struct Case {
        const char *codec;
        QByteArray packet;
        const char *text;
    } cases[] = {
        {"subrip", "<i>Hello</i>\nworld &amp; all", "Hello\rworld & all"},
        {"subrip", "  one\r\ntwo\r\n", "one\rtwo"},
        {"ass", "0,0,Default,,0,0,0,,{\\i1}Fran\xC3\xA7" "ais{\\i0}, un\\Ndeux", "Français, un\rdeux"},
        {"ssa", "3,0,Default,Name,0,0,0,Effect,Text", "Text"},
        {"ass", "0,0,Default", ""},  // too few fields: nothing of the text left to show
        {"webvtt", "<v Ann><c.yellow>Hi</c>\n<00:00:01.000>there", "Hi\rthere"},
        {"mov_text", QByteArray("\x00\x05Hello+styl", 12), "Hello"},
        {"mov_text", QByteArray("\x00\x09" "two\nlines", 12), "two\rlines"},
        {"mov_text", QByteArray("\x00\x00", 2), ""},
        {"mov_text", QByteArray("\x00", 1), ""},
        {"mov_text", QByteArray("\x00\x40short", 7), "short"},  // a length past the packet
        {"text", "plain", "plain"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(EmbeddedCues::cueText(c.codec, c.packet).toStdString(), c.text)
            << c.codec << " " << c.packet.constData();
}

TEST(EmbeddedCues, TableLikeAFilesLoad)
{
    EmbeddedTrack t{track(2, "subrip"), {}};
    t.cues = {{3000000000, 4000000000, "Second"},
              {1140000000, 2300000000, "First"},   // ties: 28.5 and 57.5 frames
              {5000000000, 6000000000, "<i></i>"},  // nothing to show
              {7000000000, 8000000000, "Last"}};
    const SubtitleTable table = EmbeddedCues::table(t, QStringLiteral("45"), 25);
    struct Row {
        double start, end;
        const char *text;
    } rows[] = {{45, 55, ""}, {28, 58, "First"}, {75, 100, "Second"}, {175, 200, "Last"}, {10000000, 10000009, ""}};
    ASSERT_EQ(table.subCount, 5);
    ASSERT_EQ(table.subStart.size(), 6u);
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(table.subStart[i], rows[i].start) << i;
        EXPECT_EQ(table.subEnd[i], rows[i].end) << i;
        EXPECT_EQ(table.subText[i].toStdString(), rows[i].text) << i;
    }
    // A track without cues still gets the lead-in and the sentinel, so the overlay is set up as for a file.
    EXPECT_EQ(EmbeddedCues::table(EmbeddedTrack{track(2, "subrip"), {}}, "30", 25).subCount, 2);
}

TEST(EmbeddedCues, CaptionNamesTheTrack)
{
    struct Case {
        TextTrack track;
        const char *caption;
    } cases[] = {
        {track(2, "ass", true, "fre", "Français"), "SUB: FRE"},
        {track(2, "ass", true, "", "Français"), "SUB: FRANÇAIS"},
        {track(2, "ass", true, "und", "Director's comments"), "SUB: DIRECTOR'S COMMENTS"},
        {track(3, "subrip"), "SUB: TRACK 3"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(EmbeddedCues::caption(c.track).toStdString(), c.caption);
}

TEST(EmbeddedCues, PacketTimesInNanosecondsNeverWrapAround)
{
    constexpr long long most = std::numeric_limits<long long>::max();
    constexpr long long least = std::numeric_limits<long long>::min();
    const struct {
        const char *what;
        qint64 timestamp, duration;
        int num, den;
        long long start, end;
    } cases[] = {
        {"90 kHz", 90000, 180000, 1, 90000, 1'000'000'000, 3'000'000'000},
        {"milliseconds, no duration", 1500, 0, 1, 1000, 1'500'000'000, 1'500'000'000},
        {"a duration below zero", 1500, -40, 1, 1000, 1'500'000'000, 1'500'000'000},
        {"before the start of the movie", -500, 1000, 1, 1000, -500'000'000, 500'000'000},
        {"half a nanosecond", 1, 1, 1, 2'000'000'000, 0, 0},
        {"past what nanoseconds hold", std::numeric_limits<qint64>::max(), 1, 1000, 1, most, most},
        {"long before it", std::numeric_limits<qint64>::min(), 0, 1000, 1, least, least},
        {"an end past it", qint64(1) << 62, qint64(1) << 62, 1, 1'000'000'000, qint64(1) << 62, most},
        {"no time base", 1500, 10, 1, 0, 0, 0},
        {"a time base below zero", 1500, 10, -1, 1000, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Cue cue = EmbeddedCues::cue(c.timestamp, c.duration, c.num, c.den, "x");
        EXPECT_EQ(cue.startNs, c.start);
        EXPECT_EQ(cue.endNs, c.end);
        EXPECT_EQ(cue.data, "x");
    }
}

// Whatever times the container gives, the overlay's table starts at the first frame, never ends
// before it starts and keeps the sentinel last.
TEST(EmbeddedCues, TableTimesStayInsideTheMovie)
{
    EmbeddedTrack t{track(2, "subrip"), {}};
    t.cues = {{-1'000'000'000, 2'000'000'000, "Early"},
              {4'000'000'000, 3'000'000'000, "Reversed"},
              {std::numeric_limits<long long>::max(), std::numeric_limits<long long>::max(), "Never"},
              {-3'000'000'000, -2'000'000'000, "Gone before"}};
    const SubtitleTable table = EmbeddedCues::table(t, QStringLiteral("30"), 25);
    struct Row {
        double start, end;
        const char *text;
    } rows[] = {{30, 40, ""}, {0, 0, "Gone before"}, {0, 50, "Early"}, {100, 100, "Reversed"}, {10000000, 10000009, ""}};
    ASSERT_EQ(table.subCount, int(std::size(rows)));
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table.subStart[i], rows[i].start);
        EXPECT_EQ(table.subEnd[i], rows[i].end);
        EXPECT_EQ(table.subText[i].toStdString(), rows[i].text);
    }
}
