// Whatever the preferences can hold comes back the same after a save and a start: generated values of
// every entry's kind go through the writer, the reader and the entry's own conversion.
#include "startup/SettingsFile.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace SettingsFile;

namespace {

// Pieces that have broken settings files: the file's own syntax, blanks at the ends, line ends,
// control keys, characters of two and three UTF-8 bytes, a pair of UTF-16 units, a byte-order mark.
const QString kPieces[] = {
    QStringLiteral(","), QStringLiteral("\""), QStringLiteral(" "), QStringLiteral("a"), QStringLiteral("Z"),
    QStringLiteral("é"), QStringLiteral("映"), QStringLiteral("😀"), QStringLiteral("\\"), QStringLiteral("/"),
    QString(QChar(0xFEFF)), QString(QChar(0x2028)), QStringLiteral("\t"), QStringLiteral("\r"),
    QStringLiteral("\n"), QStringLiteral("\x1b"), QString(QChar(0)),
};
constexpr int kPrintable = 12;  // the pieces before the tab are no control characters

class Generator {
public:
    explicit Generator(quint32 seed) : random_(seed) {}

    // Mostly short texts; now and then one at the bound, made of the piece that takes most bytes.
    QString text(bool controls, qsizetype maxUnits)
    {
        if (random_.bounded(10) == 0) {
            const QString &piece = kPieces[random_.bounded(kPrintable)];
            QString t;
            while (t.size() + piece.size() <= maxUnits)
                t += piece;
            return t;
        }
        QString t;
        const int pieces = random_.bounded(40);
        const int choices = controls ? int(std::size(kPieces)) : kPrintable;
        for (int i = 0; i < pieces; ++i) {
            const QString &piece = kPieces[random_.bounded(choices)];
            if (t.size() + piece.size() <= maxUnits)
                t += piece;
        }
        return t;
    }

    // Any one character a key box can hold: Enter, Escape, a comma, a quote, a blank, a letter of
    // any script, or none.
    QString key()
    {
        switch (random_.bounded(8)) {
        case 0: return QString();
        case 1: return random_.bounded(2) ? QStringLiteral("\r") : QStringLiteral("\x1b");
        default: return kPieces[random_.bounded(kPrintable)];
        }
    }

    // Places anywhere on a desktop of several screens, fractional sizes, whole numbers.
    double number(double min, double max, bool whole)
    {
        const double v = min + random_.generateDouble() * (max - min);
        return whole ? std::round(v) : v;
    }

    bool flip() { return random_.bounded(2) == 1; }

private:
    QRandomGenerator random_;
};

Keys captions(Generator &g)
{
    Keys keys;
    for (QString &k : keys)
        k = g.text(true, kMaxTextLength);
    return keys;
}

}  // namespace

TEST(SettingsRoundTrip, EveryValueThePreferencesHoldComesBackTheSame)
{
    for (quint32 seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        Generator g(seed);
        std::array<QString, kEntries> v;
        std::array<double, kEntries> numbers{};
        const struct {
            Entry entry;
            double min, max;
            bool whole;
        } ranges[] = {
            {PanelTop, -1e7, 1e7, false},     {PanelLeft, -1e7, 1e7, false},   {SubtitlesHsize, 1, 32767, true},
            {SubtitlesVsize, 1, 32767, true}, {SubtitlesTop, -1e7, 1e7, false}, {SubtitlesLeft, -1e7, 1e7, false},
            {FontSize, 1, 1638, false},       {FontColor, 0, 0xFFFFFF, true},
        };
        for (const auto &r : ranges) {
            numbers[r.entry] = g.number(r.min, r.max, r.whole);
            v[r.entry] = numberText(numbers[r.entry]);
        }
        std::array<bool, kEntries> ticks{};
        for (Entry e : {FontBold, FontItalic, FontUnderline, FontStrike, ElapsedVsRemain, TimeVsFrames}) {
            ticks[e] = g.flip();
            v[e] = flagText(ticks[e]);
        }
        for (Entry e : {AutoShowSubtitles, HideSubtitles, TransparentSubtitles, StartFullscreen, AutoStart, Autoreverse}) {
            ticks[e] = g.flip();
            v[e] = checkText(ticks[e]);
        }
        v[FontName] = QStringLiteral("F") + g.text(false, 127);
        v[OverlayInitializeFrame] = g.text(false, kMaxTextLength);
        v[PanScanRatio] = g.text(false, 3);
        v[LastDir] = QStringLiteral("/") + g.text(false, 4096 / 3 - 1);
        v[SkinFile] = QStringLiteral("/") + g.text(false, 4096 / 3 - 1);
        for (int i = FirstKey; i < kEntries; ++i)
            v[size_t(i)] = g.key();

        const Values back = read(write(captions(g), v));

        for (const auto &r : ranges)
            ASSERT_EQ(number(back[r.entry], r.min, r.max), numbers[r.entry]) << "entry " << r.entry;
        for (Entry e : {FontBold, FontItalic, FontUnderline, FontStrike})
            ASSERT_EQ(nonZero(back[e]), ticks[e]) << "entry " << e;
        for (Entry e : {ElapsedVsRemain, TimeVsFrames})
            ASSERT_EQ(minusOne(back[e]), ticks[e]) << "entry " << e;
        for (Entry e : {AutoShowSubtitles, HideSubtitles, TransparentSubtitles, StartFullscreen, AutoStart, Autoreverse})
            ASSERT_EQ(checkBox(back[e]), ticks[e]) << "entry " << e;
        ASSERT_EQ(fontName(back[FontName]), v[FontName]);
        ASSERT_EQ(boxText(back[OverlayInitializeFrame], kMaxTextLength), v[OverlayInitializeFrame]);
        ASSERT_EQ(boxText(back[PanScanRatio], 3), v[PanScanRatio]);
        ASSERT_EQ(path(back[LastDir]), v[LastDir]);
        ASSERT_EQ(path(back[SkinFile]), v[SkinFile]);
        for (int i = FirstKey; i < kEntries; ++i)
            ASSERT_EQ(key(back[size_t(i)]), v[size_t(i)]) << "key " << i - FirstKey;
    }
}

// A text at the bound survives in the characters that take most room in the file; past it the
// writer cuts, so the reader never meets a line it would refuse.
TEST(SettingsRoundTrip, TextsAtTheBoundSurviveLongerOnesAreCutAtACharacter)
{
    const struct {
        const char *what;
        QString value;
        QString back;
    } cases[] = {
        {"commas", QString(kMaxTextLength, QLatin1Char(',')), QString(kMaxTextLength, QLatin1Char(','))},
        {"quotes", QString(kMaxTextLength, QLatin1Char('"')), QString(kMaxTextLength, QLatin1Char('"'))},
        {"three-byte characters", QString(kMaxTextLength, QChar(0x6620)), QString(kMaxTextLength, QChar(0x6620))},
        {"a comma in 16,000 characters", QString(8000, QLatin1Char('x')) + "," + QString(7999, QLatin1Char('x')),
         QString(8000, QLatin1Char('x')) + "," + QString(kMaxTextLength - 8001, QLatin1Char('x'))},
        {"a pair across the bound", QString(kMaxTextLength - 1, QLatin1Char('a')) + QStringLiteral("😀"),
         QString(kMaxTextLength - 1, QLatin1Char('a'))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::array<QString, kEntries> values;
        values.fill(c.value);
        Keys keys;
        keys.fill(c.value);
        const Values back = read(write(keys, values));
        for (int i = 0; i < kEntries; ++i)
            ASSERT_EQ(back[size_t(i)], c.back) << "entry " << i;
    }
}

TEST(SettingsRoundTrip, NumbersComeBackExactly)
{
    const double numbers[] = {0.1 + 0.2, -1440.5, 10.5, 7.3, 1.0 / 3, -0.0, 1e-300, -9999999.999999998, 1638};
    for (double n : numbers) {
        SCOPED_TRACE(n);
        EXPECT_EQ(number(valueOf(QStringLiteral("k,") + numberText(n)), -1e7, 1e7), n);
    }
    // Nothing stands for a number that is not one: the entry keeps its default.
    for (double n : {std::nan(""), HUGE_VAL, -HUGE_VAL})
        EXPECT_FALSE(number(valueOf(QStringLiteral("k,") + numberText(n)), -1e300, 1e300));
}
