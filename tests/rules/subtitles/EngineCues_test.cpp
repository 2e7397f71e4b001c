#include "subtitles/EngineCues.h"

#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QStringList rows(const SubtitleTable &t)
{
    QStringList out;
    for (int i = 0; i < t.subCount; ++i)
        out << QString::number(t.subStart[size_t(i)], 'f', 0) + "-" + QString::number(t.subEnd[size_t(i)], 'f', 0) + " "
                   + t.subText[size_t(i)];
    return out;
}

}  // namespace

TEST(EngineCues, AnEmptyTableIsTheLeadInAndTheSentinel)
{
    const SubtitleTable t = EngineCues::emptyTable(QStringLiteral("45"));
    EXPECT_EQ(rows(t), (QStringList{"45-55 ", "10000000-10000009 "}));
    // The spare slot behind the used ones, as a file's table keeps it.
    EXPECT_EQ(t.subStart.size(), 3u);
}

TEST(EngineCues, EntriesStartOnTheFrameTheCueFallsIn)
{
    struct Case {
        const char *what;
        double start, end, delay;
        const char *text;
        double expectedStart, expectedEnd;
        const char *expectedText;
    } cases[] = {
        // At 25 fps and 0.021 s of lead: 3.021 s is frame 75.525, shown from frame 75 on.
        {"inside a frame", 75.525, 225.525, 0, "Two long", 75, 226, "Two long"},
        {"on a frame", 50, 75, 0, "A", 50, 75, "A"},
        {"a hair under a frame", 49.9999999, 75, 0, "A", 50, 75, "A"},
        {"end on a half: to even", 10, 62.5, 0, "A", 10, 62, "A"},
        {"moved later", 75.525, 225.525, 12, "A", 87, 238, "A"},
        {"moved earlier", 75.525, 225.525, -25, "A", 50, 201, "A"},
        {"before the start", 10, 20, -30, "A", -20, -10, "A"},
        {"lines as CRs", 10, 20, 0, "one\ntwo\r\nthree", 10, 20, "one\rtwo\rthree"},
        {"an end before its start is no cue of length below zero", 40.5, 40.2, 0, "A", 40, 40, "A"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const EngineCues::Entry e = EngineCues::entry(c.start, c.end, c.delay, QString::fromUtf8(c.text));
        EXPECT_EQ(e.start, c.expectedStart);
        EXPECT_EQ(e.end, c.expectedEnd);
        EXPECT_EQ(e.text.toStdString(), c.expectedText);
    }
}

TEST(EngineCues, CuesGoInOrderOfStartOnceEachBeforeTheSentinel)
{
    SubtitleTable t = EngineCues::emptyTable(QStringLiteral("30"));
    struct Step {
        const char *what;
        double start, end;
        const char *text;
        int expectedIndex;
    } steps[] = {
        {"the first cue of the movie", 100, 150, "B", 1},
        {"a later one", 300, 350, "D", 2},
        {"one between, told after a seek back", 200, 250, "C", 2},
        {"before the lead-in", 10, 20, "A", 0},
        {"the same cue again after a seek", 200, 250, "C", -1},
        {"same start, other text: after the one told first", 200, 260, "C2", 4},
        {"at the sentinel: never reached", 10000000, 10000005, "E", -1},
        {"past it", 2e7, 3e7, "F", -1},
        {"no time", std::nan(""), 5, "G", -1},
        {"at the end of time", HUGE_VAL, HUGE_VAL, "H", -1},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        EXPECT_EQ(EngineCues::add(t, {s.start, s.end, QString::fromUtf8(s.text)}), s.expectedIndex);
    }
    EXPECT_EQ(rows(t), (QStringList{"10-20 A", "30-40 ", "100-150 B", "200-250 C", "200-260 C2", "300-350 D",
                                    "10000000-10000009 "}));
    EXPECT_EQ(t.subStart.size(), size_t(t.subCount + 1));
    EXPECT_EQ(t.subText.back(), QString());

    // A table that holds no track (nothing loaded) takes no cue.
    SubtitleTable none;
    EXPECT_EQ(EngineCues::add(none, {1, 2, QStringLiteral("X")}), -1);
    EXPECT_EQ(none.subCount, 0);
}
