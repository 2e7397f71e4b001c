#include "subtitles/SubtitleMarkup.h"
#include "subtitles/SubtitleReaders.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Row {
    double start;
    double end;
    const char *text;  // UTF-8, "\r" between lines
};

// The file's own entries, without the lead-in and the sentinel.
std::vector<Row> rowsOf(const SubtitleLoad &l, std::vector<std::string> &texts)
{
    std::vector<Row> rows;
    texts.clear();
    for (int i = 1; i + 1 < l.table.subCount; ++i)
        texts.push_back(l.table.subText[size_t(i)].toStdString());
    for (int i = 1; i + 1 < l.table.subCount; ++i)
        rows.push_back({l.table.subStart[size_t(i)], l.table.subEnd[size_t(i)], texts[size_t(i - 1)].c_str()});
    return rows;
}

void expectTable(const QByteArray &file, std::optional<int> format, double fps, const std::vector<Row> &expected,
                 int expectedFormat)
{
    const SubtitleLoad l = loadSubtitleBytes(file, format, QStringLiteral("30"), fps);
    ASSERT_TRUE(l.ok) << file.constData();
    EXPECT_TRUE(l.error.isEmpty()) << file.constData();
    EXPECT_EQ(l.format, expectedFormat) << file.constData();
    std::vector<std::string> texts;
    const std::vector<Row> rows = rowsOf(l, texts);
    ASSERT_EQ(rows.size(), expected.size()) << file.constData();
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].start, expected[i].start) << i << ": " << file.constData();
        EXPECT_EQ(rows[i].end, expected[i].end) << i << ": " << file.constData();
        EXPECT_STREQ(rows[i].text, expected[i].text) << i << ": " << file.constData();
    }
    EXPECT_EQ(l.table.subStart[size_t(l.table.subCount - 1)], 10000000);
}

const QByteArray assHead = "[Script Info]\r\nScriptType: v4.00+\r\n\r\n[V4+ Styles]\r\n"
                           "Format: Name, Fontname, Fontsize, PrimaryColour\r\n"
                           "Style: Default,Arial,20,&H00FFFFFF\r\n\r\n[Events]\r\n"
                           "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";

}  // namespace

TEST(SubtitleDetect, HeadersOfTheStyledFormatsComeBeforeTheFirstCharacterRule)
{
    struct Case {
        QByteArray file;
        std::optional<int> format;
    } cases[] = {
        {"[Script Info]\r\nTitle: x\r\n", formatAss},
        {"  [script info]  \n", formatAss},
        {"\xEF\xBB\xBF[Script Info]\n", formatAss},
        {"\r\n\r\nWEBVTT\r\n\r\n00:01.000 --> 00:02.000\r\nx\r\n", formatWebVtt},
        {"WEBVTT - a title\n", formatWebVtt},
        {"WEBVTT\tKind: captions\n", formatWebVtt},
        {"\xEF\xBB\xBFWEBVTT\n", formatWebVtt},
        // Not the headers: the old rule decides as before.
        {"WEBVTTX\n", std::nullopt},
        {"webvtt\n", std::nullopt},
        {"[Script Info] extra\n", formatSubViewer},
        {"[Events]\nDialogue: 0,0:00:01.00,0:00:02.00,,,0,0,0,,x\n", formatSubViewer},
        {"[INFORMATION]\n", formatSubViewer},
        {"{1}{2}x\n", formatMicroDvd},
        {"1\n00:00:01,000 --> 00:00:02,000\nx\n", formatSubRip},
    };
    for (const Case &c : cases)
        EXPECT_EQ(detectFormat(decodeSubtitleBytes(c.file)), c.format) << c.file.constData();
}

TEST(AssReader, EventsAgainstHandWrittenTables)
{
    struct Case {
        const char *what;
        QByteArray events;
        std::vector<Row> rows;
    };
    const Case cases[] = {
        {"times in centiseconds, at 25 frames",
         "Dialogue: 0,0:00:01.50,0:00:02.50,Default,,0,0,0,,Hello\r\n"
         "Dialogue: 0,1:02:03.04,1:02:04.00,Default,,0,0,0,,Later\r\n",
         {{38, 62, "Hello"}, {93076, 93100, "Later"}}},
        {"commas belong to the text",
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,Ann,0,0,0,,Well, well, well.\r\n",
         {{25, 50, "Well, well, well."}}},
        {"override blocks, line breaks and hard spaces",
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\an8}{\\i1}Top{\\i0}\\Nline\\ntwo\\hend\r\n"
         "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,{\\pos(10,20)\\c&H00FF00&}Green {\\b1}bold{\\b0}\r\n",
         {{25, 50, "Top\rline two end"}, {75, 100, "Green bold"}}},
        {"hard spaces kept at either end, other blanks and breaks trimmed",
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,\\h\\hIndented\\h\r\n"
         "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,, {\\i1} \\N\\nPlain\\n \\N \r\n"
         "Dialogue: 0,0:00:05.00,0:00:06.00,Default,,0,0,0,,\\h\r\n",
         {{25, 50, "  Indented "}, {75, 100, "Plain"}, {125, 150, " "}}},
        {"drawings dropped, the text after them kept",
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\p1}m 0 0 l 100 0 100 100 0 100{\\p0}Sign\r\n"
         "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,{\\an7\\p2}m 0 0 l 5 5\r\n"
         "Dialogue: 0,0:00:05.00,0:00:06.00,Default,,0,0,0,,{\\pbo5\\pos(1,2)}Not a drawing\r\n",
         {{25, 50, "Sign"}, {125, 150, "Not a drawing"}}},
        {"taken by their start; the same span shown together",
         "Dialogue: 0,0:00:05.00,0:00:06.00,Default,,0,0,0,,Third\r\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,Top,,0,0,0,,First\r\n"
         "Dialogue: 1,0:00:01.00,0:00:02.00,Default,,0,0,0,,Second\r\n"
         "Dialogue: 0,0:00:01.00,0:00:03.00,Default,,0,0,0,,Longer\r\n",
         {{25, 50, "First\rSecond"}, {25, 75, "Longer"}, {125, 150, "Third"}}},
        {"the same span joined wherever the file lists it",
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Speaker one\r\n"
         "Dialogue: 0,0:00:01.00,0:00:03.00,Default,,0,0,0,,Longer\r\n"
         "Dialogue: 0,0:00:09.00,0:00:10.00,Default,,0,0,0,,Later\r\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Speaker two\r\n"
         "Dialogue: 0,0:00:01.01,0:00:02.00,Default,,0,0,0,,Same frames\r\n",
         {{25, 50, "Speaker one\rSpeaker two\rSame frames"}, {25, 75, "Longer"}, {225, 250, "Later"}}},
        {"comments, empty texts and malformed lines passed over",
         "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,note\r\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\i1}{\\i0}\r\n"
         "Dialogue: 0,0:0x:01.00,0:00:02.00,Default,,0,0,0,,bad time\r\n"
         "Dialogue: 0,0:00:01.00\r\n"
         "Dialogue 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,no colon\r\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{unclosed\r\n"
         "dialogue:0,0:00:07.00,0:00:08.00,Default,,0,0,0,,  any case  \r\n",
         {{25, 50, "{unclosed"}, {175, 200, "any case"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        expectTable(assHead + c.events, std::nullopt, 25, c.rows, formatAss);
    }
}

TEST(AssReader, FormatLineGivesTheFieldOrder)
{
    // Old SSA: "Marked" where ASS has "Layer", and a section name of its own for the styles.
    expectTable("[Script Info]\nScriptType: v4.00\n\n[V4 Styles]\nFormat: Name, Start, End\n"
                "Style: Default,Arial,20\n\n[Events]\n"
                "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
                "Dialogue: Marked=0,0:00:02.00,0:00:03.00,Default,NTP,0000,0000,0000,!Effect,SSA line\n",
                std::nullopt, 25, {{50, 75, "SSA line"}}, formatAss);
    // A shorter order with the text not last, and the times swapped round.
    expectTable("[Script Info]\n[Events]\nFormat: End, Text, Start\nDialogue: 0:00:02.00, Hi ,0:00:01.00\n",
                std::nullopt, 25, {{25, 50, "Hi"}}, formatAss);
    // A format line that names no text keeps the usual order; the styles' format line is not the events'.
    expectTable("[Script Info]\n[Events]\nFormat: Layer, Begin, Finish\n"
                "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Usual\n"
                "[Fonts]\nDialogue: 0,0:00:03.00,0:00:04.00,,,0,0,0,,gone\n",
                std::nullopt, 25, {{25, 50, "Usual"}}, formatAss);
    // Events before any section header, or in another section, are not read.
    EXPECT_FALSE(loadSubtitleBytes("[Script Info]\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,early\n",
                                   std::nullopt, "30", 25)
                     .ok);
}

TEST(WebVttReader, CuesAgainstHandWrittenTables)
{
    struct Case {
        const char *what;
        QByteArray file;
        std::vector<Row> rows;
    };
    const Case cases[] = {
        {"timings with and without hours, settings ignored",
         "WEBVTT\n\n00:01.500 --> 00:02.500 line:0 position:10% align:start\nHello\nthere\n\n"
         "01:02:03.040 --> 01:02:04.000\nLater\n",
         {{38, 62, "Hello\rthere"}, {93076, 93100, "Later"}}},
        {"identifiers, NOTE, STYLE and REGION blocks",
         "WEBVTT - With a title\nKind: captions\nLanguage: en\n\n"
         "NOTE a comment\nover two lines\n\n"
         "STYLE\n::cue { color: yellow }\n\n"
         "REGION\nid:fred width:40%\n\n"
         "intro\n00:00:01.000 --> 00:00:02.000\nOne\n\n"
         "2\n00:00:03.000 --> 00:00:04.000\nTwo\n\n"
         "NOTE\n\n00:00:05.000 --> 00:00:06.000\nThree\n",
         {{25, 50, "One"}, {75, 100, "Two"}, {125, 150, "Three"}}},
        {"tags removed, references resolved",
         "WEBVTT\n\n00:01.000 --> 00:02.000\n<v Roger Bingham><i>We</i> are <c.yellow.bg_blue>here</c>\n"
         "<00:01.500>and <b>now</b> &amp; &lt;then&gt;&nbsp;&lrm;too\n\n"
         "00:03.000 --> 00:04.000\n<ruby>漢<rt>kan</rt></ruby> a < b &eacute;t&#233; &#x2014; &copy\n",
         {{25, 50, "We are here\rand now & <then>\u00a0\u200etoo"}, {75, 100, "漢 a < b été — ©"}}},
        {"ruby text dropped, closed or not",
         "WEBVTT\n\n00:01.000 --> 00:02.000\n<ruby>東<rt>tō</rt>京<rt>kyō</ruby> is big\n\n"
         "00:03.000 --> 00:04.000\n<ruby.x>字<rt.y>ji\nstill ruby\n",
         {{25, 50, "東京 is big"}, {75, 100, "字"}}},
        {"a timing line ends a block of stray lines and starts its cue",
         "WEBVTT\n\nstray one\nstray two\n00:00:01.000 --> 00:00:02.000\nKept\n\n"
         "NOTE\nnot a cue\n00:03.000 --> 00:04.000\nAlso kept\n",
         {{25, 50, "Kept"}, {75, 100, "Also kept"}}},
        {"cues of the same span joined wherever they stand",
         "WEBVTT\n\n00:01.000 --> 00:02.000\n<v A>Hello\n\n00:01.000 --> 00:03.000\nlonger\n\n"
         "00:05.000 --> 00:06.000\nlater\n\n00:01.000 --> 00:02.000\n<v B>Hi\n\n"
         "00:01.000 --> 00:02.000\n\n",
         {{25, 50, "Hello\rHi"}, {25, 75, "longer"}, {125, 150, "later"}}},
        {"cues that run into the next without an empty line",
         "WEBVTT\n\n00:01.000 --> 00:02.000\nA\n00:03.000 --> 00:04.000\nB\nsecond\nc3\n00:05.000 --> 00:06.000\nC",
         {{25, 50, "A"}, {75, 100, "B\rsecond"}, {125, 150, "C"}}},
        {"broken timings skip their cue; an empty cue stays",
         "WEBVTT\n\n00:0x.000 --> 00:02.000\nbad\n\n00:01.000 -> 00:02.000\narrow\n\n00:01.000 -->\nno end\n\n"
         "00:07.000 --> 00:08.000\n\n00:09.000 --> 00:10.000\nlast",
         {{175, 200, ""}, {225, 250, "last"}}},
        {"line ends of every kind",
         "WEBVTT\r\r00:01.000 --> 00:02.000\rA\rB\r\r00:03.000 --> 00:04.000\r\nC\r\n",
         {{25, 50, "A\rB"}, {75, 100, "C"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        expectTable(c.file, std::nullopt, 25, c.rows, formatWebVtt);
    }
}

// Frames as the other seconds-based readers give them: exact decimal times, halves to the even frame.
TEST(StyledReaders, TiesGoToTheEvenFrame)
{
    expectTable(assHead + "Dialogue: 0,0:00:02.30,0:00:01.14,Default,,0,0,0,,x\r\n", std::nullopt, 25,
                {{58, 28, "x"}}, formatAss);
    expectTable("WEBVTT\n\n00:02.300 --> 00:01.140\nx\n", std::nullopt, 25, {{58, 28, "x"}}, formatWebVtt);
    expectTable("WEBVTT\n\n100:00:00.500 --> 100:00:00.500\nx\n", std::nullopt, 23.976,
                {{8631372, 8631372, "x"}}, formatWebVtt);
}

// Files in the legacy code page of their language: each line one entry, read from memory and from
// disk as its own letters, markup and all removed.
TEST(StyledReaders, LegacyCodePagesReadAsTheirOwnLetters)
{
    struct Case {
        const char *codePage;
        int format;
        const char *lines;  // UTF-8, "|" between entries
    };
    const Case cases[] = {
        {"windows-1250", formatAss, "Zażółć gęślą jaźń.|Świętą ścieżką, żółwiu!|Dziękuję – „cześć”."},
        {"windows-1251", formatWebVtt, "Съешь же ещё этих мягких французских булок.|Да выпей чаю, пожалуйста!"},
        {"windows-1253", formatAss, "Γαζέες και μυρτιές δεν θα βρω πια.|«Ευχαριστώ πολύ», φίλε μου…"},
        {"Shift_JIS", formatWebVtt, "駅はどこですか？わかりません。|今日はいい天気ですね。"},
        {"GBK", formatAss, "我不知道火车站在哪里。|今天天气很好，谢谢你。"},
        {"windows-1252", formatWebVtt, "« Où est la bibliothèque ? » Je ne sais pas…|Mon cœur, ma sœur – c’est l’été."},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QStringList lines = QString::fromUtf8(c.lines).split(QLatin1Char('|'));
        QStringEncoder encoder(c.codePage);
        ASSERT_TRUE(encoder.isValid()) << c.codePage;
        QByteArray bytes = c.format == formatAss ? assHead : QByteArray("WEBVTT\r\n\r\n");
        for (int i = 0; i < lines.size(); ++i) {
            const QByteArray n = QByteArray::number(i + 1);
            const QByteArray text = encoder.encode(lines[i]);
            if (c.format == formatAss)
                bytes += "Dialogue: 0,0:00:0" + n + ".00,0:00:0" + n + ".50,Default,,0,0,0,,{\\i1}" + text +
                         "{\\i0}\r\n";
            else
                bytes += "00:0" + n + ".000 --> 00:0" + n + ".500\r\n<i>" + text + "</i>\r\n\r\n";
        }
        QFile file(dir.filePath(QStringLiteral("subs.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        for (const SubtitleLoad &l : {loadSubtitleBytes(bytes, std::nullopt, "30", 25),
                                      loadSubtitleFile(file.fileName(), std::nullopt, "30", 25)}) {
            ASSERT_EQ(l.format, c.format) << c.lines;
            ASSERT_EQ(l.table.subCount - 2, lines.size()) << c.lines;
            for (int i = 0; i < lines.size(); ++i)
                EXPECT_EQ(l.table.subText[size_t(i + 1)].toStdString(), lines[i].toStdString()) << c.codePage;
        }
    }
}

TEST(SubtitleMarkup, EdgesOfTheMarkup)
{
    struct Case {
        QByteArray in;
        QByteArray ass;
        QByteArray tagFree;
    } cases[] = {
        {"", "", ""},
        {"{}", "", "{}"},
        {"a{b", "a{b", "a{b"},
        {"a}b", "a}b", "a}b"},
        {"<i>", "<i>", ""},
        {"x <", "x <", "x <"},
        {"\\", "\\", "\\"},
        {"\\N", "", "\\N"},
        {"C:\\new", "C: ew", "C:\\new"},
        {" \\N{\\i1}\\h\\n", " ", " \\N{\\i1}\\h\\n"},
        {"a\\Nb", "a\rb", "a\\Nb"},
        {"\\hx\\n \\N", " x", "\\hx\\n \\N"},
        {"a<rt>b", "a<rt>b", "a"},
        {"a</rt>b", "a</rt>b", "ab"},
        {"&amp;amp;", "&amp;amp;", "&amp;"},
        {"&unknown; &", "&unknown; &", "&unknown; &"},
        {"{\\p1}never closed", "", "{\\p1}never closed"},
        {"{\\p0}shown", "shown", "{\\p0}shown"},
        {"{\\p1}x{\\i1}y{\\p0}z", "z", "{\\p1}x{\\i1}y{\\p0}z"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(SubtitleMarkup::assText(c.in), c.ass) << c.in.constData();
        EXPECT_EQ(SubtitleMarkup::tagFreeText(c.in), c.tagFree) << c.in.constData();
    }
}

// A long line of openers and no closer: were every opener to look for its closer to the line's end
// again, this would take minutes.
TEST(SubtitleMarkup, ALongLineOfOpenersAndNoCloserIsReadInOnePass)
{
    const QByteArray braces(4 * 1024 * 1024, '{'), angles(4 * 1024 * 1024, '<');
    EXPECT_EQ(SubtitleMarkup::assText(braces), braces);
    EXPECT_EQ(SubtitleMarkup::tagFreeText(angles), angles);
    EXPECT_EQ(SubtitleMarkup::assText(braces + "}x"), "x");
    EXPECT_EQ(SubtitleMarkup::tagFreeText(angles + ">x"), "x");
}

TEST(StyledReaders, ForcedOnAnotherFormatsFileReadNothingOrWhatFits)
{
    // "Open as" has no code for these; forced on them (as a caller may), each reads only what it knows.
    const SubtitleLoad ass = loadSubtitleBytes("1\n00:00:01,000 --> 00:00:02,000\nx\n", formatAss, "30", 25);
    EXPECT_FALSE(ass.ok);
    EXPECT_EQ(ass.error, "The subtitle file is empty");
    const SubtitleLoad vtt = loadSubtitleBytes("1\n00:00:01,000 --> 00:00:02,000\nx\n", formatWebVtt, "30", 25);
    ASSERT_EQ(vtt.table.subCount, 3);
    EXPECT_EQ(vtt.table.subStart[1], 25);
    EXPECT_EQ(vtt.table.subText[1], "x");
    EXPECT_EQ(formatLogLine(formatWebVtt), "format is 4");
}
