// Text encodings the detector alone gets wrong: short files in the user's own code page, UTF-16
// without a byte-order mark, and files whose lines were saved in two encodings. Each file is read
// from memory and from disk.
#include "subtitles/SubtitleEncoding.h"
#include "subtitles/SubtitleReaders.h"
#include "text/TextDecoding.h"
#include "support/UserLocale.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray encoded(const char *codePage, const QString &text)
{
    QStringEncoder encoder(codePage);
    EXPECT_TRUE(encoder.isValid()) << codePage;
    return encoder.encode(text);
}

// Two SubRip cues, each of one line.
QByteArray twoCues(const QByteArray &first, const QByteArray &second)
{
    return "1\r\n00:00:01,000 --> 00:00:02,000\r\n" + first + "\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\n" +
           second + "\r\n";
}

// The texts of the entries, read from memory and from a file.
std::vector<QStringList> cueTexts(const QByteArray &bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("subs.srt"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    std::vector<QStringList> texts;
    for (const SubtitleLoad &l : {loadSubtitleBytes(bytes, std::nullopt, "30", 25),
                                  loadSubtitleFile(path, std::nullopt, "30", 25)}) {
        QStringList cues;
        for (int i = 1; i + 1 < l.table.subCount; ++i)
            cues << l.table.subText[size_t(i)];
        texts.push_back(cues);
    }
    return texts;
}

}  // namespace

TEST(TextDecoding, LegacyCodePageOfEachLanguage)
{
    const struct {
        QLocale locale;
        const char *codePage;
    } cases[] = {
        {QLocale(QLocale::Polish, QLocale::Poland), "windows-1250"},
        {QLocale(QLocale::Czech), "windows-1250"},
        {QLocale(QLocale::Hungarian), "windows-1250"},
        {QLocale(QLocale::Russian), "windows-1251"},
        {QLocale(QLocale::Ukrainian), "windows-1251"},
        {QLocale(QLocale::Bulgarian), "windows-1251"},
        {QLocale(QLocale::Serbian, QLocale::CyrillicScript, QLocale::Serbia), "windows-1251"},
        {QLocale(QLocale::Serbian, QLocale::LatinScript, QLocale::Serbia), "windows-1250"},
        {QLocale(QLocale::Greek), "windows-1253"},
        {QLocale(QLocale::Turkish), "windows-1254"},
        {QLocale(QLocale::Hebrew), "windows-1255"},
        {QLocale(QLocale::Arabic, QLocale::Egypt), "windows-1256"},
        {QLocale(QLocale::Japanese), "Shift_JIS"},
        {QLocale(QLocale::Chinese, QLocale::China), "GBK"},
        {QLocale(QLocale::Chinese, QLocale::Taiwan), "Big5"},
        {QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::HongKong), "Big5"},
        {QLocale(QLocale::Korean), "EUC-KR"},
        {QLocale(QLocale::French, QLocale::France), "windows-1252"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "windows-1252"},
        {QLocale::c(), "windows-1252"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(TextDecoding::legacyCodePage(c.locale), c.codePage) << c.locale.name().toStdString();
        EXPECT_TRUE(QStringDecoder(c.codePage).isValid()) << c.codePage;
    }
}

TEST(TextDecoding, EachLineInItsOwnEncoding)
{
    const struct {
        const char *name;
        QByteArray bytes;
        QByteArray codePage;
        QString text;
    } cases[] = {
        {"UTF-8 throughout", "D\xC3\xA9j\xC3\xA0 vu\r\ncaf\xC3\xA9", "windows-1252", "Déjà vu\r\ncafé"},
        {"8-bit throughout", "D\xE9j\xE0 vu\ncaf\xE9", "windows-1252", "Déjà vu\ncafé"},
        {"mixed", "D\xC3\xA9j\xC3\xA0 vu\r\ncaf\xE9\r\n", "windows-1252", "Déjà vu\r\ncafé\r\n"},
        {"mixed, Central European", "\xC5\xBC\xC3\xB3\xC5\x82w\r\n\xBF\xF3\xB3w", "windows-1250", "żółw\r\nżółw"},
        {"byte-order mark", "\xEF\xBB\xBF" "caf\xE9", "windows-1252", "café"},
        {"lone CR line ends", "\xC3\xA9\r\xE9\r\r", "windows-1252", "é\ré\r\r"},
        {"multibyte code page", "\xC3\xA9\n\x93\xFA\x96\x7B", "Shift_JIS", "é\n日本"},
        {"unknown code page", "caf\xE9", "no-such-page", "café"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TextDecoding::decode(c.bytes, c.codePage), c.text) << c.name;
}

// Too little text for the detector, or text it takes for Western: the user's own code page, or its
// ISO twin where that reads more of the text as letters.
TEST(SubtitleEncoding, ShortFilesReadInTheUsersCodePage)
{
    const QString polish = QStringLiteral("Zażółć gęślą jaźń");
    const struct {
        const char *name;
        QLocale locale;
        QByteArray sample;
        const char *codePage;
    } cases[] = {
        {"ISO-8859-2 under Polish", QLocale(QLocale::Polish), encoded("ISO-8859-2", polish), "ISO-8859-2"},
        {"Windows-1250 under Polish", QLocale(QLocale::Polish), encoded("windows-1250", polish), "windows-1250"},
        {"Windows-1250 without ś ź ą under Polish", QLocale(QLocale::Polish),
         encoded("windows-1250", QStringLiteral("Dziękuję, żółw")), "windows-1250"},
        {"a single letter under Polish", QLocale(QLocale::Polish), encoded("windows-1250", QStringLiteral("ł")),
         "windows-1250"},
        {"a single letter under Russian", QLocale(QLocale::Russian), encoded("windows-1251", QStringLiteral("Да")),
         "windows-1251"},
        {"a single letter under Greek", QLocale(QLocale::Greek), encoded("windows-1253", QStringLiteral("Ναι")),
         "windows-1253"},
        {"a single letter under English", QLocale(QLocale::English), encoded("windows-1252", QStringLiteral("Voilà")),
         "windows-1252"},
        {"ISO-8859-2 under English stays Western", QLocale(QLocale::English), encoded("ISO-8859-2", polish),
         "windows-1252"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray chosen = chooseCodePage(c.sample + "\n", c.locale).name;
        EXPECT_EQ(chosen.compare(c.codePage, Qt::CaseInsensitive), 0) << chosen.toStdString();
    }

    // The whole way, under a Polish user's locale.
    const UserLocale user{QLocale(QLocale::Polish, QLocale::Poland)};
    const QString first = QStringLiteral("Zażółć gęślą"), second = QStringLiteral("jaźń");
    for (const QStringList &cues : cueTexts(twoCues(encoded("ISO-8859-2", first), encoded("ISO-8859-2", second))))
        EXPECT_EQ(cues, QStringList({first, second}));
}

TEST(SubtitleEncoding, Utf16WithoutAByteOrderMarkIsToldByItsZeroBytes)
{
    const struct {
        const char *name;
        QString text;
        int format;
    } cases[] = {
        {"SubRip, Latin", QString::fromUtf8(twoCues("Caf\xC3\xA9", "Done")), 1},
        {"SubRip, Japanese", QString::fromUtf8(twoCues("\xE6\x97\xA5\xE6\x9C\xAC", "\xE9\xA7\x85")), 1},
        {"MicroDVD", QStringLiteral("{10}{20}Źdźbło\r\n{30}{40}Ende\r\n"), 0},
    };
    for (const auto &c : cases) {
        for (const char *encoding : {"UTF-16LE", "UTF-16BE"}) {
            SCOPED_TRACE(std::string(c.name) + " " + encoding);
            const QByteArray bytes = encoded(encoding, c.text);
            ASSERT_FALSE(bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"));
            const SubtitleLoad l = loadSubtitleBytes(bytes, std::nullopt, "30", 25);
            EXPECT_EQ(l.format, c.format);
            EXPECT_EQ(l.table.subCount, 4);
            const std::vector<QStringList> texts = cueTexts(bytes);
            EXPECT_EQ(texts[0], texts[1]);
            ASSERT_EQ(texts[0].size(), 2);
            EXPECT_TRUE(c.text.contains(texts[0][0])) << texts[0][0].toStdString();
        }
    }
    // Zero bytes without the pattern of UTF-16 text are not taken for it.
    const QByteArray binary = QByteArray("{1}{2}x\r\n") + QByteArray(64, '\0') + "{3}{4}y\r\n";
    EXPECT_EQ(loadSubtitleBytes(binary, std::nullopt, "30", 25).format, 0);
}

TEST(SubtitleEncoding, LinesSavedInTwoEncodingsReadEachAsItsOwn)
{
    const UserLocale user{QLocale(QLocale::English, QLocale::UnitedStates)};
    const struct {
        const char *name;
        QByteArray bytes;
        QStringList cues;
    } cases[] = {
        {"UTF-8, then Windows-1252", twoCues("D\xC3\xA9j\xC3\xA0 vu", "caf\xE9"), {"Déjà vu", "café"}},
        {"Windows-1252, then UTF-8", twoCues("caf\xE9 cr\xE8me br\xFBl\xE9" "e", "D\xC3\xA9j\xC3\xA0 vu"),
         {"café crème brûlée", "Déjà vu"}},
        {"two lines of one cue", "1\r\n00:00:01,000 --> 00:00:02,000\r\nD\xC3\xA9j\xC3\xA0 vu\r\ncaf\xE9\r\n\r\n"
                                 "2\r\n00:00:03,000 --> 00:00:04,000\r\nx\r\n",
         {"Déjà vu\rcafé", "x"}},
        {"MicroDVD", "{1}{2}D\xC3\xA9j\xC3\xA0 vu\r\n{3}{4}caf\xE9\r\n", {"Déjà vu", "café"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (const QStringList &cues : cueTexts(c.bytes))
            EXPECT_EQ(cues, c.cues);
    }
}
