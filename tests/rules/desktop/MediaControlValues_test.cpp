#include "desktop/MediaControlValues.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace MediaControlValues;

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();
const double kNan = std::nan("");
const double kInf = HUGE_VAL;
}  // namespace

TEST(MediaControlValues, TimesToMicrosecondsStayInRange)
{
    const struct {
        const char *what;
        double frame, fps;
        qint64 us;
    } cases[] = {
        {"frame 50 at 25 fps", 50, 25, 2'000'000},
        {"a third rounds down", 1, 3, 333'333},
        {"two thirds round up", 2, 3, 666'667},
        {"NTSC", 120, 24000.0 / 1001, 5'005'000},
        {"no rate yet", 50, 0, 0},
        {"a rate that is no number", 50, kNan, 0},
        {"an endless rate", 50, kInf, 0},
        {"a frame that is no number", kNan, 25, 0},
        {"past what microseconds hold", 1e300, 25, 9'223'372'036'854'774'784},
        {"an endless movie", kInf, 25, 9'223'372'036'854'774'784},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(microseconds(c.frame, c.fps), c.us);
    }
}

TEST(MediaControlValues, PositionsOutsideTheMovieAreRefused)
{
    const std::optional<double> none;
    const struct {
        const char *what;
        qint64 us;
        double fps, duration;
        std::optional<double> frame;
    } cases[] = {
        {"inside", 2'000'000, 25, 2250, 50},
        {"the start", 0, 25, 2250, 0},
        {"the end", 90'000'000, 25, 2250, 2250},
        {"a microsecond past the end", 90'000'040, 25, 2250, none},
        {"before the start", -1, 25, 2250, none},
        {"the most", kMax, 25, 2250, none},
        {"the least", kMin, 25, 2250, none},
        {"no rate", 0, 0, 2250, none},
        {"a length that is no number", 0, 25, kNan, none},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(frameAt(c.us, c.fps, c.duration), c.frame);
    }
}

TEST(MediaControlValues, SeeksAreHeldInsideTheMovie)
{
    const std::optional<double> none;
    const struct {
        const char *what;
        double from;
        qint64 offset;
        double fps, duration;
        std::optional<double> frame;
    } cases[] = {
        {"forward", 50, 30'000'000, 25, 2250, 800},
        {"back", 800, -30'000'000, 25, 2250, 50},
        {"past the end", 50, 88'000'000, 25, 2250, 2250},
        {"the most", 50, kMax, 25, 2250, 2250},
        {"the least", 50, kMin, 25, 2250, 0},
        // The end is reached whatever the rounding of its time: 101 frames at 30 fps end at 3,366,666.7 us.
        {"to the end of 101 frames at 30 fps", 0, 10'000'000, 30, 101, 101},
        {"no rate", 50, 1'000'000, 0, 2250, none},
        {"a movie without length", 0, 1'000'000, 25, kNan, 0},
        {"a negative length", 0, 1'000'000, 25, -5, 0},
        {"from a place that is no number", kNan, 2'000'000, 25, 2250, 50},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(seekTarget(c.from, c.offset, c.fps, c.duration), c.frame);
    }
}

TEST(MediaControlValues, VolumeBothWaysStaysOnTheSlider)
{
    const struct {
        const char *what;
        int hundredthsDb;
        double amplitude;
    } engine[] = {
        {"full", 0, 1},
        {"20 dB down", -2000, 0.1},
        {"40 dB down", -4000, 0.01},
        {"the quietest", -10000, 0},
        {"below the quietest", std::numeric_limits<int>::min(), 0},
        {"above full", 600, 1},
    };
    for (const auto &c : engine) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(amplitude(c.hundredthsDb), c.amplitude, 1e-12);
    }
    const std::optional<float> none;
    const struct {
        const char *what;
        double volume;
        std::optional<float> db;
    } desktop[] = {
        {"full", 1, 0.0f},
        {"louder than full", 2, 0.0f},
        {"endless", kInf, 0.0f},
        {"a tenth", 0.1, 20.0f},
        {"silence", 0, 99.99f},
        {"below silence", -3, 99.99f},
        {"almost silence", 1e-300, 99.99f},
        {"no number", kNan, none},
    };
    for (const auto &c : desktop) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(attenuation(c.volume), c.db);
    }
}

TEST(MediaControlValues, OnlyThisMachinesFilesAreOpened)
{
    const std::optional<QString> none;
    const struct {
        const char *uri;
        std::optional<QString> file;
    } cases[] = {
        {"file:///home/me/my%20clip.mkv", QStringLiteral("/home/me/my clip.mkv")},
        {"file:///home/me/%C3%A9t%C3%A9.mkv", QStringLiteral("/home/me/été.mkv")},
        {"FILE:///x.mkv", QStringLiteral("/x.mkv")},
        {"file://localhost/x.mkv", QStringLiteral("/x.mkv")},
        {"file://server/share/x.mkv", none},
        {"file:x.mkv", none},
        {"file:///a%00b.mkv", none},
        {"http://example.invalid/x.mkv", none},
        {"/home/me/x.mkv", none},
        {"", none},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.uri);
        EXPECT_EQ(localFile(QString::fromUtf8(c.uri)), c.file);
    }
}
