// The Quick ini reader on real files: every rule of its format, the line ends it meets in practice,
// files past 32 KB and paths that name no readable file.
#include "disc/IniReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/UserLocale.h"

namespace {

struct Lookup {
    const char *what;
    QByteArray file;
    const char *section;
    const char *key;
    int occurrence;
    QString expected;
};

QByteArray bigFile()
{
    // 40 KB of another section before the one looked up, then a lookup that stops at a later section.
    QByteArray b = "[OTHER]\r\n";
    for (int i = 0; b.size() < 40000; ++i)
        b += "Key" + QByteArray::number(i) + "=some value that fills the file\r\n";
    return b + "[MOVIE]\r\nDirectory=movie\r\nAVIName=far.avi\r\n[MAIN]\r\nTitle=T\r\n";
}

}  // namespace

TEST(IniReader, LookupsFollowTheFormatsRules)
{
    const UserLocale user{QLocale(QLocale::English, QLocale::UnitedStates)};
    const QByteArray movie = "[MOVIE]\r\nFile=a\r\nFile=b\r\n1=x\r\n; hides the rest\r\n2=y\r\n[MAIN]\r\nTitle=t\r\n";
    const Lookup cases[] = {
        {"header in another case", "[movie]\r\nAVIName=film.avi\r\n", "MOVIE", "AVIName", 1, "film.avi"},
        {"blanks inside the brackets", "[ MOVIE ]\r\nAVIName=film.avi\r\n", "MOVIE", "AVIName", 1, ""},
        {"text after the header", "[MOVIE] ;x\r\nAVIName=film.avi\r\n", "MOVIE", "AVIName", 1, ""},
        {"blanks and an inline comment", "[MOVIE]\r\n  AVIName = film.avi ; main \r\n", "MOVIE", "aviname", 1,
         "film.avi"},
        {"split at the last =", "[M]\r\nTitle=A=B\r\n", "M", "Title", 1, ""},
        {"a key holding =", "[M]\r\nTitle=A=B\r\n", "M", "Title=A", 1, "B"},
        {"comment at the last ;", "[M]\r\nTitle=A;B;C\r\n", "M", "Title", 1, "A;B"},
        {"only a comment", "[M]\r\nTitle=;note\r\n", "M", "Title", 1, ""},
        {"nothing after =", "[M]\r\nTitle=\r\nOther=x\r\n", "M", "Title", 1, ""},
        {"first occurrence", movie, "MOVIE", "File", 1, "a"},
        {"second occurrence", movie, "MOVIE", "File", 2, "b"},
        {"past the last occurrence", movie, "MOVIE", "File", 3, "b"},
        {"above a comment line", movie, "MOVIE", "1", 1, "x"},
        {"below a comment line", movie, "MOVIE", "2", 1, ""},
        {"key in a later section only", movie, "MOVIE", "Title", 1, ""},
        {"the key 1 is the digit alone", "[M]\r\n01=a\r\n 1 =b\r\n", "M", "1", 1, "b"},
        {"tabs are text", "[M]\r\n\tKey=v\r\nKey=\tv\t\r\n", "M", "Key", 1, "\tv\t"},
        {"a line without = is passed over", "[M]\r\nnoise\r\nKey=v\r\n", "M", "Key", 1, "v"},
        {"header as the last line", "[A]\r\nk=v\r\n[B]\r\n", "B", "k", 1, ""},
        {"header as the last line, no line end", "[A]\r\nk=v\r\n[B]", "B", "k", 1, ""},
        {"last line without its line end", "[A]\r\nk=v", "A", "k", 1, "v"},
        {"missing section", "[A]\r\nk=v\r\n", "B", "k", 1, ""},
        {"empty file", "", "A", "k", 1, ""},
        {"LF line ends", "[A]\nx=1\nk=v\n[B]\nk=w\n", "A", "k", 1, "v"},
        {"lone CR line ends", "[A]\rk=v\r[B]\rk=w\r", "B", "k", 1, "w"},
        {"8-bit code page", "[M]\r\nTitle=Fran\xe7" "ais\r\n", "M", "Title", 1, QStringLiteral("Fran\u00e7ais")},
        {"UTF-8", "[M]\r\nTitle=Fran\xc3\xa7" "ais\r\n", "M", "title", 1, QStringLiteral("Fran\u00e7ais")},
        {"UTF-8 with a byte-order mark", "\xef\xbb\xbf[M]\r\nTitle=x\r\n", "M", "Title", 1, "x"},
        {"lines mixing UTF-8 and the 8-bit code page", "[M]\r\nA=D\xc3\xa9j\xc3\xa0 vu\r\nTitle=caf\xe9\r\n", "M", "Title", 1,
         QStringLiteral("caf\u00e9")},
        {"the UTF-8 line of a mixed file", "[M]\r\nA=D\xc3\xa9j\xc3\xa0 vu\r\nTitle=caf\xe9\r\n", "M", "A", 1,
         QStringLiteral("D\u00e9j\u00e0 vu")},
        {"a repeated header: the first one counts", "[A]\r\nx=1\r\n[A]\r\nk=v\r\n", "A", "k", 1, ""},
        {"a header repeated after a stop", "[A]\r\n;c\r\n[A]\r\nk=v\r\n", "A", "k", 1, ""},
        {"entries before any header", "k=v\r\n[A]\r\n", "A", "k", 1, ""},
        {"occurrence 0", movie, "MOVIE", "File", 0, ""},
        {"an empty key is never found", "[M]\r\n=v\r\n", "M", "", 1, ""},
        {"NUL bytes: not text", QByteArray("[M]\r\nk=v\r\n\0", 11), "M", "k", 1, ""},
        {"past 32 KB", bigFile(), "MOVIE", "AVIName", 1, "far.avi"},
        {"stops at the section after 32 KB", bigFile(), "MOVIE", "Title", 1, ""},
    };
    QTemporaryDir dir;
    for (const Lookup &c : cases) {
        const QString path = dir.filePath(QStringLiteral("disc.ini"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.file);
        f.close();
        EXPECT_EQ(basMyMain::ReadIni(path, QString::fromLatin1(c.section), QString::fromLatin1(c.key), c.occurrence),
                  c.expected)
            << c.what;
    }
}

TEST(IniReader, PathsWithoutAReadableFileReadAsEmpty)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("folder.ini"));
    for (const QString &path : {dir.filePath(QStringLiteral("missing.ini")), dir.filePath(QStringLiteral("folder.ini")),
                                QString(), QStringLiteral("/dev/zero")})
        EXPECT_EQ(basMyMain::ReadIni(path, QStringLiteral("MOVIE"), QStringLiteral("AVIName")), QString()) << path.toStdString();
}

// A Quick ini file is a few KB; a file past the bound is no disc's description and reads as missing,
// so a large file dropped by mistake costs neither time nor memory.
TEST(IniReader, FilesPastTheSizeBoundReadAsMissing)
{
    const QByteArray head = "[MOVIE]\r\nAVIName=film.avi\r\n;";
    const struct {
        qint64 size;
        QString expected;
    } cases[] = {
        {IniFile::kMaxBytes - 1, "film.avi"},
        {IniFile::kMaxBytes, "film.avi"},
        {IniFile::kMaxBytes + 1, ""},
        {50 * 1024 * 1024, ""},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("disc.ini"));
    for (const auto &c : cases) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(head + QByteArray(c.size - head.size(), 'x'));
        f.close();
        EXPECT_EQ(basMyMain::ReadIni(path, QStringLiteral("MOVIE"), QStringLiteral("AVIName")), c.expected) << c.size;
    }
}

// A disc mastered on an older system of the user's language: its titles in that language's code page.
TEST(IniReader, TitlesInTheUsersLegacyCodePage)
{
    const struct {
        QLocale locale;
        QByteArray title;
        QString expected;
    } cases[] = {
        {QLocale(QLocale::Polish), "\xAF\xF3\xB3w", QStringLiteral("Żółw")},
        {QLocale(QLocale::Russian), "\xD7\xE5\xF0\xE5\xEF\xE0\xF5\xE0", QStringLiteral("Черепаха")},
        {QLocale(QLocale::Greek), "\xD7\xE5\xEB\xFE\xED\xE1", QStringLiteral("Χελώνα")},
        {QLocale(QLocale::Japanese), "\x83\x5E\x83\x43\x83\x67\x83\x8B", QStringLiteral("タイトル")},
        {QLocale(QLocale::French), "Tortue \xE0 \xE9" "cailles", QStringLiteral("Tortue à écailles")},
        // A UTF-8 line is UTF-8 whatever the language.
        {QLocale(QLocale::Polish), "\xC5\xBB\xC3\xB3\xC5\x82w", QStringLiteral("Żółw")},
    };
    for (const auto &c : cases) {
        const UserLocale user{c.locale};
        const IniFile ini("[MAIN]\r\nTitle=" + c.title + "\r\n");
        EXPECT_EQ(ini.value(QStringLiteral("MAIN"), QStringLiteral("Title")), c.expected) << c.locale.name().toStdString();
    }
}
