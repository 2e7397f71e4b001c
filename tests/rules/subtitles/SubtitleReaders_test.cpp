#include "subtitles/SubtitleReaders.h"
#include "support/UserLocale.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

SubtitleLoad load(const QByteArray &bytes, std::optional<int> format = std::nullopt, double fps = 25)
{
    return loadSubtitleBytes(bytes, format, QStringLiteral("30"), fps);
}

// The file's own entries, without the lead-in and the sentinel.
int entries(const SubtitleLoad &l)
{
    return l.table.subCount - 2;
}

const char *srtBlock12 = "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n"
                         "2\r\n00:00:03,000 --> 00:00:04,000\r\nTwo\r\n\r\n";

}  // namespace

TEST(SubtitleLoad, TableLayoutAfterALoad)
{
    const auto l = load("{100}{200}a\r\n{300}{400}b\r\n");
    ASSERT_TRUE(l.ok);
    EXPECT_TRUE(l.error.isEmpty());
    EXPECT_EQ(l.format, 0);
    const auto &t = l.table;
    ASSERT_EQ(t.subCount, 4);
    ASSERT_EQ(t.subStart.size(), 5u);
    ASSERT_EQ(t.subText.size(), 5u);
    EXPECT_EQ(t.subStart[0], 30);
    EXPECT_EQ(t.subEnd[0], 40);
    EXPECT_TRUE(t.subText[0].isEmpty());
    EXPECT_EQ(t.subText[1], "a");
    EXPECT_EQ(t.subText[2], "b");
    EXPECT_EQ(t.subStart[3], 10000000);
    EXPECT_EQ(t.subEnd[3], 10000009);
    EXPECT_EQ(t.subStart[4], 0);  // spare slot
    EXPECT_EQ(t.subEnd[4], 0);
    EXPECT_TRUE(t.subText[4].isEmpty());
}

TEST(SubtitleLoad, OverlayFrameTextGivesTheLeadIn)
{
    auto lead = [](const char *text) {
        const auto l = loadSubtitleBytes("{1}{2}x", 0, QString::fromLatin1(text), 25);
        return std::pair(l.table.subStart[0], l.table.subEnd[0]);
    };
    EXPECT_EQ(lead("45"), std::pair(45.0, 55.0));
    EXPECT_EQ(lead(" 2.5"), std::pair(2.5, 12.5));
    EXPECT_EQ(lead("40abc"), std::pair(40.0, 50.0));
    EXPECT_EQ(lead("abc"), std::pair(0.0, 10.0));
    EXPECT_EQ(lead(""), std::pair(0.0, 10.0));
}

TEST(SubtitleLoad, UnknownFormatKeepsLeadInAndSentinel)
{
    for (const QByteArray &bytes : {QByteArray("Hello\r\n{1}{2}x\r\n"), QByteArray("{1}{2}x")}) {
        const auto l = bytes.startsWith('{') ? load(bytes, 7) : load(bytes);
        EXPECT_TRUE(l.ok);
        EXPECT_EQ(l.error, "UNKNOWN SUBTITLE FORMAT");
        EXPECT_EQ(l.table.subCount, 2);
        EXPECT_EQ(l.table.subStart[1], 10000000);
    }
    EXPECT_FALSE(load("Hello").format.has_value());
}

TEST(SubtitleLoad, EmptyOrUnreadableFilesFail)
{
    EXPECT_FALSE(load("").ok);
    EXPECT_FALSE(load("\xEF\xBB\xBF\r\n  \r\n").ok);
    EXPECT_FALSE(load("").error.isEmpty());
    QTemporaryDir dir;
    const QString missing = dir.filePath("nothere.srt");
    const auto l = loadSubtitleFile(missing, std::nullopt, "30", 25);
    EXPECT_FALSE(l.ok);
    EXPECT_TRUE(l.error.contains("nothere.srt"));
    EXPECT_EQ(l.table.subCount, 0);

    // A folder, a named pipe and a device are refused as empty files without being opened: a pipe
    // would wait for a writer (the load ran into that once).
    const QString fifo = dir.filePath("pipe.srt");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &path : {dir.path(), fifo, QStringLiteral("/dev/null")}) {
        auto pending = std::async(std::launch::async, [path] { return loadSubtitleFile(path, 1, "30", 25); });
        const bool refusedAtOnce = pending.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        if (!refusedAtOnce)
            close(open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));  // lets the reader go
        ASSERT_TRUE(refusedAtOnce) << path.toStdString();
        const auto refused = pending.get();
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.error.toStdString(), ("The subtitle file is empty: " + path).toStdString());
    }

    QFile file(dir.filePath("movie.sub"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{10}{20}Hi\r\n");
    file.close();
    const auto good = loadSubtitleFile(file.fileName(), std::nullopt, "30", 25);
    EXPECT_TRUE(good.ok);
    EXPECT_EQ(entries(good), 1);
}

TEST(SubtitleLoad, CaptionAndLogTexts)
{
    EXPECT_EQ(sublblCaption("/films/a b/Movie.En.srt"), "SUB: MOVIE.EN.SRT");
    EXPECT_EQ(formatLogLine(1), "format is 1");
    EXPECT_EQ(formatLogLine(std::nullopt), "format is ");
}

TEST(SubtitleDetect, FirstNonEmptyLineDecides)
{
    auto detect = [](const QByteArray &b) { return detectFormat(decodeSubtitleBytes(b)); };
    EXPECT_EQ(detect("{1}{2}x"), 0);
    EXPECT_EQ(detect("  1  \r\n00:00:01,000 --> 00:00:02,000"), 1);
    EXPECT_EQ(detect("[INFORMATION]"), 2);
    EXPECT_EQ(detect("2\r\n"), std::nullopt);
    EXPECT_EQ(detect("Hello {1}"), std::nullopt);
    // A first empty line and a byte-order mark no longer hide the format.
    EXPECT_EQ(detect("\r\n\r\n1\r\n00:00:01,000 --> 00:00:02,000\r\nx"), 1);
    EXPECT_EQ(detect("\xEF\xBB\xBF" "1\r\n"), 1);
    EXPECT_EQ(detect(QByteArray("\xFF\xFE{\0", 4)), 0);
}

TEST(SubtitleEncoding, DecodesUtf8Utf16AndWindows1252)
{
    const UserLocale user{QLocale(QLocale::English, QLocale::UnitedStates)};
    // UTF-8 with and without a byte-order mark.
    auto l = load("\xEF\xBB\xBF{1}{2}caf\xC3\xA9");
    EXPECT_EQ(l.table.subText[1], QString::fromUtf8("caf\xC3\xA9"));
    l = load("{1}{2}caf\xC3\xA9");
    EXPECT_EQ(l.table.subText[1], QString::fromUtf8("caf\xC3\xA9"));
    // Windows-1252: accents and the 0x80..0x9F block (euro sign, curly quotes).
    l = load("{1}{2}caf\xE9 \x80 \x93\x94");
    EXPECT_EQ(l.table.subText[1], QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9C\xE2\x80\x9D"));
    // UTF-16 both ways round, as SubRip with its first block number.
    const QString srt = QString::fromUtf8("1\r\n00:00:01,000 --> 00:00:02,000\r\n\xC3\xBC\r\n");
    QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
    for (QChar c : srt) {
        le += char(c.unicode() & 0xFF);
        le += char(c.unicode() >> 8);
        be += char(c.unicode() >> 8);
        be += char(c.unicode() & 0xFF);
    }
    for (const QByteArray &bytes : {le, be}) {
        l = load(bytes);
        EXPECT_EQ(l.format, 1);
        ASSERT_EQ(entries(l), 1);
        EXPECT_EQ(l.table.subText[1], QString::fromUtf8("\xC3\xBC"));
        EXPECT_EQ(l.table.subStart[1], 25);
    }
}

// Files in the legacy code page of their language, written here from Unicode text: each line one
// entry, read back from memory and from disk as its own letters.
TEST(SubtitleEncoding, LegacyCodePagesReadAsTheirOwnLetters)
{
    const UserLocale user{QLocale(QLocale::English, QLocale::UnitedStates)};
    struct Case {
        const char *codePage;
        int format;
        const char *lines;  // UTF-8, "|" between entries
    };
    const Case cases[] = {
        {"windows-1250", 0, "Zażółć gęślą jaźń.|Świętą ścieżką, żółwiu!|Dziękuję – „cześć”."},
        {"windows-1250", 1, "Příliš žluťoučký kůň úpěl ďábelské ódy.|Šťastný nový rok, Žofie!"},
        {"windows-1250", 1, "Árvíztűrő tükörfúrógép.|„Köszönöm szépen”, viszontlátásra…"},
        {"windows-1251", 1, "Съешь же ещё этих мягких французских булок.|Да выпей чаю, пожалуйста!"},
        {"KOI8-R", 1, "Съешь же ещё этих мягких французских булок.|Да выпей чаю, пожалуйста!"},
        {"windows-1253", 1, "Γαζέες και μυρτιές δεν θα βρω πια.|«Ευχαριστώ πολύ», φίλε μου…"},
        {"windows-1254", 2, "Pijamalı hasta yağız şoföre çabucak güvendi.|“Teşekkür ederim”, görüşürüz."},
        {"Shift_JIS", 1, "駅はどこですか？わかりません。|今日はいい天気ですね。"},
        {"GBK", 0, "我不知道火车站在哪里。|今天天气很好，谢谢你。"},
        {"Big5", 1, "我不知道火車站在哪裡。|今天天氣很好，謝謝你。"},
        // Western files read as they always have, curly quotes and all.
        {"windows-1252", 1, "« Où est la bibliothèque ? » Je ne sais pas…|Mon cœur, ma sœur – c’est l’été."},
        {"windows-1252", 0, "¿Dónde está el baño? No lo sé, señor.|Ich weiß nicht, wo der Bahnhof ist."},
        // Too few letters to tell: Western.
        {"windows-1252", 0, "Voilà.|Done."},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QStringList lines = QString::fromUtf8(c.lines).split(QLatin1Char('|'));
        QStringEncoder encoder(c.codePage);
        ASSERT_TRUE(encoder.isValid()) << c.codePage;
        QByteArray bytes = c.format == 2 ? "[INFORMATION]\r\n[SUBTITLE]\r\n[COLF]&HFFFFFF\r\n" : "";
        for (int i = 0; i < lines.size(); ++i) {
            const QByteArray n = QByteArray::number(i + 1);
            const QByteArray text = encoder.encode(lines[i]);
            if (c.format == 0)
                bytes += "{" + n + "0}{" + n + "5}" + text + "\r\n";
            else if (c.format == 1)
                bytes += n + "\r\n00:00:0" + n + ",000 --> 00:00:0" + n + ",500\r\n" + text + "\r\n\r\n";
            else
                bytes += "00:00:0" + n + ".00,00:00:0" + n + ".50\r\n" + text + "\r\n";
        }
        QFile file(dir.filePath(QStringLiteral("subs.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        for (const SubtitleLoad &l : {load(bytes), loadSubtitleFile(file.fileName(), std::nullopt, "30", 25)}) {
            ASSERT_EQ(l.format, c.format) << c.lines;
            ASSERT_EQ(entries(l), lines.size()) << c.lines;
            for (int i = 0; i < lines.size(); ++i)
                EXPECT_EQ(l.table.subText[i + 1].toStdString(), lines[i].toStdString()) << c.codePage;
        }
    }
}

TEST(MicroDvd, FieldsAndTexts)
{
    // In the table by their start, as the load sorts them.
    const auto l = load("{100}{200}Hello|World\r\n"
                        "{100}{}Hi\r\n"
                        "{}{50}x\r\n"
                        "{100}{200}{y:i}Italic\r\n"
                        "{1}{1}23.976\r\n"
                        "  {5}{6}indented\r\n"
                        "{12.5}{20}half\r\n"
                        "{10}{20}a}b\r\n");
    struct Row {
        double start, end;
        const char *text;
    };
    const Row rows[] = {
        {0, 50, "x"},                        // no start field
        {1, 1, "23.976"},                    // a frame-rate line is an entry like any other
        {10, 20, "b"},                       // a "}" in the text cuts what stands before it
        {12.5, 20, "half"},                  // fractional frames stay; the indented line was skipped
        {100, 200, "Hello\rWorld"},
        {100, 150, "Hi"},                    // an empty end field: 50 frames
        {100, 200, "Italic"},                // formatting codes dropped
    };
    ASSERT_EQ(entries(l), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(rows[i].text);
        EXPECT_EQ(l.table.subStart[size_t(i + 1)], rows[i].start);
        EXPECT_EQ(l.table.subEnd[size_t(i + 1)], rows[i].end);
        EXPECT_EQ(l.table.subText[size_t(i + 1)], QString::fromUtf8(rows[i].text));
    }
}

TEST(MicroDvd, MalformedLinesAreSkipped)
{
    const auto l = load("{100\r\n{100}\r\n{100}{200\r\n{100}}x\r\n{abc}{def}ok\r\n{7}{8}last", 0);
    ASSERT_EQ(entries(l), 2);
    EXPECT_EQ(l.table.subStart[1], 0);
    EXPECT_EQ(l.table.subText[1], "ok");
    EXPECT_EQ(l.table.subText[2], "last");
}

TEST(SubRip, TimesBecomeFramesHalvesToEven)
{
    const auto l = load("1\r\n00:00:01,500 --> 00:00:02,500\r\nLine one\r\nLine two\r\n\r\n"
                        "2\r\n01:02:03,040 --> 01:02:04,000\r\n\r\n", std::nullopt, 25);
    ASSERT_EQ(entries(l), 2);
    EXPECT_EQ(l.table.subStart[1], 38);
    EXPECT_EQ(l.table.subEnd[1], 62);
    EXPECT_EQ(l.table.subText[1], "Line one\rLine two");
    EXPECT_EQ(l.table.subStart[2], 93076);
    EXPECT_TRUE(l.table.subText[2].isEmpty());
}

// Times are decimal values: a product that is exactly a half goes to the even frame, where binary
// fractions (2 + 0.3 = 2.2999...) once sent some of them the other way.
TEST(SubtitleFrames, ExactTiesAndEveryMillisecondAgainstWholeNumbers)
{
    struct Tie {
        QByteArray file;
        double fps;
        double frame;
    };
    const Tie ties[] = {
        {"1\r\n00:00:02,300 --> 00:00:02,300\r\nx\r\n", 25, 58},  // 57.5
        {"1\r\n00:00:01,140 --> 00:00:01,140\r\nx\r\n", 25, 28},  // 28.5
        {"1\r\n00:00:02,050 --> 00:00:02,050\r\nx\r\n", 30, 62},  // 61.5
        {"1\r\n00:00:01,0200 --> 00:00:01,0200\r\nx\r\n", 25, 26},  // 25.5, past the milliseconds
        {"1\r\n100:00:00,500 --> 100:00:00,500\r\nx\r\n", 23.976, 8631372},  // ...371.988
        {"[SUBTITLE]\r\n00:00:02.30,00:00:02.30\r\nx\r\n", 25, 58},
        {"[SUBTITLE]\r\n00:00:04.70,00:00:04.70\r\nx\r\n", 12.5, 59},  // 58.75
    };
    for (const Tie &tie : ties) {
        const auto l = load(tie.file, std::nullopt, tie.fps);
        ASSERT_EQ(entries(l), 1) << tie.file.constData();
        EXPECT_EQ(l.table.subStart[1], tie.frame) << tie.file.constData();
        EXPECT_EQ(l.table.subEnd[1], tie.frame) << tie.file.constData();
    }
    // Every millisecond of the first ten seconds, as start and as end times.
    constexpr long long last = 10000;
    QByteArray srt;
    for (long long ms = 0; ms <= last; ++ms) {
        const auto clock = [](long long t) {
            return QString::asprintf("00:00:%02lld,%03lld", t / 1000, t % 1000).toLatin1();
        };
        srt += QByteArray::number(ms + 1) + "\n" + clock(ms) + " --> " + clock(last - ms) + "\nx\n\n";
    }
    for (const long long thousandths : {25000, 30000, 24000, 23976, 29970}) {
        const auto frame = [thousandths](long long ms) {
            const long long product = ms * thousandths;  // millionths of a frame
            long long whole = product / 1000000;
            const long long rest = product % 1000000;
            return whole + (rest > 500000 || (rest == 500000 && whole % 2 == 1) ? 1 : 0);
        };
        const auto l = load(srt, 1, thousandths / 1000.0);
        ASSERT_EQ(entries(l), last + 1);
        for (long long ms = 0; ms <= last; ++ms) {
            ASSERT_EQ(l.table.subStart[ms + 1], frame(ms)) << ms << " ms at " << thousandths;
            ASSERT_EQ(l.table.subEnd[ms + 1], frame(last - ms)) << ms << " ms at " << thousandths;
        }
    }
}

TEST(SubRip, BlocksAreFoundByTheirTimingLine)
{
    // Mended fault: a line of blanks ends a text as an empty line does; the text once kept it as an
    // invisible last line.
    auto blank = load("1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n \t \r\n"
                      "2\r\n00:00:03,000 --> 00:00:04,000\r\nTwo\r\n");
    ASSERT_EQ(entries(blank), 2);
    EXPECT_EQ(blank.table.subText[1], "One");
    EXPECT_EQ(blank.table.subText[2], "Two");
    // Two empty lines between blocks.
    auto l = load("1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nTwo\r\n");
    ASSERT_EQ(entries(l), 2);
    EXPECT_EQ(l.table.subText[2], "Two");
    // A gap and a repeat in the numbering, and a missing number line.
    l = load("1\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\n\r\n4\r\n00:00:03,000 --> 00:00:04,000\r\nB\r\n\r\n"
             "6\r\n00:00:05,000 --> 00:00:06,000\r\nC\r\n\r\n6\r\n00:00:07,000 --> 00:00:08,000\r\nD\r\n\r\n"
             "00:00:09,000 --> 00:00:10,000\r\nE\r\n");
    ASSERT_EQ(entries(l), 5);
    EXPECT_EQ(l.table.subText[5], "E");
    EXPECT_EQ(l.table.subStart[5], 225);
    // Blocks without the closing empty line: the next number and timing line start the next block.
    l = load("1\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nB\r\n"
             "00:00:05,000 --> 00:00:06,000\r\nC");
    ASSERT_EQ(entries(l), 3);
    EXPECT_EQ(l.table.subText[1], "A");
    EXPECT_EQ(l.table.subText[2], "B");
    // A number inside the text that is not followed by a timing line stays text.
    l = load("1\r\n00:00:01,000 --> 00:00:02,000\r\n42\r\nis the answer\r\n");
    EXPECT_EQ(l.table.subText[1], "42\ris the answer");
    // The last line a number line: the load ends with what was read.
    EXPECT_EQ(entries(load(QByteArray(srtBlock12) + "3")), 2);
}

TEST(SubRip, TimingLinesAreReadByTheirFields)
{
    auto end = [](const QByteArray &timing) {
        const auto l = load("1\r\n" + timing + "\r\nx\r\n", 1, 25);
        return entries(l) == 1 ? l.table.subEnd[1] : -1.0;
    };
    EXPECT_EQ(end("00:00:01,000 --> 00:00:02,000"), 50);
    EXPECT_EQ(end("00:00:01,000 --> 00:00:02,000   "), 50);
    EXPECT_EQ(end("00:00:01,000 --> 00:00:02,000\t"), 50);
    EXPECT_EQ(end("00:00:01.000 --> 00:00:02.000"), 50);
    EXPECT_EQ(end("00:00:01,000-->00:00:02,000"), 50);
    EXPECT_EQ(end("00:00:01,000 --> 00:00:02,000 X1:100 X2:200 Y1:10 Y2:20"), 50);
    EXPECT_EQ(end("0:0:1,0 --> 0:0:2,4"), 60);
    EXPECT_EQ(end("100:00:00,000 --> 100:00:02,000"), 360000 * 25 + 50);
    // Not numbers, or not a time: the block is skipped.
    EXPECT_EQ(end("00:xx:01,000 --> 00:00:02,000"), -1);
    EXPECT_EQ(end("00:00:01,000 --> 00:00:0a,000"), -1);
    EXPECT_EQ(end("00:00:01,000 --> "), -1);
    EXPECT_EQ(end("00:00:01, --> 00:00:02,000"), -1);
}

TEST(SubRip, LineEndsOfEveryKind)
{
    for (const char *eol : {"\n", "\r", "\r\n"}) {
        QByteArray text = QByteArray(srtBlock12).replace("\r\n", eol);
        const auto l = load(text);
        ASSERT_EQ(entries(l), 2) << eol;
        EXPECT_EQ(l.table.subEnd[2], 100);
        EXPECT_EQ(l.table.subText[2], "Two");
    }
}

TEST(SubViewer, ReadsTheSubtitleSection)
{
    const auto l = load("[INFORMATION]\r\n[TITLE]Film\r\n[END INFORMATION]\r\n [subtitle] \r\n"
                        "[COLF]&HFFFFFF,[STYLE]bd,[SIZE]18,[FONT]Arial\r\n"
                        "00:00:01.50,00:00:02.50\r\nFirst[br]line\r\n\r\n\r\n"
                        "  00:01:00.00,00:01:02.00  \r\n  kept as is \r\n"
                        "00:02:xx.00,00:02:01.00\r\nbad\r\n"
                        "00:03:00.00,00:03:01.00\r\n");
    EXPECT_EQ(l.format, 2);
    ASSERT_EQ(entries(l), 3);
    EXPECT_EQ(l.table.subStart[1], 38);
    EXPECT_EQ(l.table.subEnd[1], 62);
    EXPECT_EQ(l.table.subText[1], "First\rline");
    EXPECT_EQ(l.table.subStart[2], 1500);
    EXPECT_EQ(l.table.subText[2], "  kept as is ");
    EXPECT_TRUE(l.table.subText[3].isEmpty());
}

// Mended fault: the line after "[SUBTITLE]" was always passed over as the style line, so a file
// without one lost its first subtitle.
TEST(SubViewer, TimingRightAfterTheHeaderIsRead)
{
    const auto l = load("[SUBTITLE]\r\n00:00:01.00,00:00:02.00\r\nA\r\n");
    ASSERT_EQ(entries(l), 1);
    EXPECT_EQ(l.table.subText[1], "A");
}

// A file that holds text but not one entry its reader can use is reported as an empty file: the
// previous table stays.
TEST(SubtitleLoad, AFileWithoutAnEntryIsReportedAsEmpty)
{
    struct Case {
        const char *what;
        QByteArray file;
        std::optional<int> format;
    };
    const Case cases[] = {
        {"SubViewer without its subtitle section", "[INFORMATION]\r\n00:00:01.00,00:00:02.00\r\nA\r\n",
         std::nullopt},
        {"SubRip without a timing line", "1\r\nno timing\r\n\r\n", std::nullopt},
        {"MicroDVD lines without their braces", "{100\r\n{100}\r\n", std::nullopt},
        {"WebVTT with a header and a note only", "WEBVTT\n\nNOTE nothing yet\n", std::nullopt},
        {"ASS with its events section empty", "[Script Info]\nTitle: x\n\n[Events]\nFormat: Start, End, Text\n",
         std::nullopt},
        {"ASS whose only event draws", "[Script Info]\n[Events]\n"
                                       "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\p1}m 0 0 l 1 1\n",
         std::nullopt},
        {"a SubRip file opened as MicroDVD", "1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n", formatMicroDvd},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const auto l = load(c.file, c.format);
        EXPECT_FALSE(l.ok);
        EXPECT_EQ(l.error, "The subtitle file is empty");
        EXPECT_EQ(l.table.subCount, 0);
    }
    // From disk the message names the file, as for a file of no bytes at all.
    QTemporaryDir dir;
    QFile file(dir.filePath("header.vtt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("WEBVTT\n\n");
    file.close();
    EXPECT_EQ(loadSubtitleFile(file.fileName(), std::nullopt, "30", 25).error.toStdString(),
              ("The subtitle file is empty: " + file.fileName()).toStdString());
}

// Every reader's entries come out by their start, between the lead-in and the sentinel that stay
// where they are; entries that start together keep the file's order.
TEST(SubtitleLoad, EntriesOutOfOrderAreSortedByTheirStart)
{
    struct Case {
        const char *what;
        QByteArray file;
        std::vector<std::pair<double, const char *>> entries;  // start, text
    };
    const Case cases[] = {
        {"SubRip listing 14 s, 8 s, 2 s",
         "1\r\n00:00:14,000 --> 00:00:15,000\r\nfourteen\r\n\r\n"
         "2\r\n00:00:08,000 --> 00:00:09,000\r\neight\r\n\r\n"
         "3\r\n00:00:02,000 --> 00:00:03,000\r\ntwo\r\n",
         {{50, "two"}, {200, "eight"}, {350, "fourteen"}}},
        {"MicroDVD, one before the lead-in and one after the sentinel's start",
         "{20000000}{20000010}late\r\n{300}{400}b\r\n{5}{10}early\r\n",
         {{5, "early"}, {300, "b"}, {20000000, "late"}}},
        {"SubViewer, equal starts in file order",
         "[SUBTITLE]\r\n00:00:04.00,00:00:05.00\r\nlater\r\n00:00:02.00,00:00:03.00\r\nfirst\r\n"
         "00:00:02.00,00:00:02.50\r\nsecond\r\n",
         {{50, "first"}, {50, "second"}, {100, "later"}}},
        {"WebVTT", "WEBVTT\n\n00:06.000 --> 00:07.000\nsix\n\n00:01.000 --> 00:02.000\none\n",
         {{25, "one"}, {150, "six"}}},
        {"ASS", "[Script Info]\n[Events]\nFormat: Start, End, Text\nDialogue: 0:00:03.00,0:00:04.00,three\n"
                "Dialogue: 0:00:01.00,0:00:04.00,one\n",
         {{25, "one"}, {75, "three"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const auto l = load(c.file);
        ASSERT_TRUE(l.ok);
        const SubtitleTable &t = l.table;
        ASSERT_EQ(entries(l), int(c.entries.size()));
        EXPECT_EQ(t.subStart[0], 30);
        EXPECT_TRUE(t.subText[0].isEmpty());
        for (size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(t.subStart[i + 1], c.entries[i].first) << i;
            EXPECT_EQ(t.subText[i + 1], QString::fromUtf8(c.entries[i].second)) << i;
        }
        EXPECT_EQ(t.subStart[size_t(t.subCount - 1)], 10000000);
        EXPECT_EQ(t.subEnd[size_t(t.subCount - 1)], 10000009);
    }
}
