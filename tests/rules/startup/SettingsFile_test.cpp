// The settings file's own rules: fields, quoting, code pages, short and long files, conversions of
// stored values, the atomic save and where the file lives.
#include "startup/SettingsFile.h"

#include "startup/ProgramFolder.h"
#include "support/ForkedChild.h"
#include "support/TestFiles.h"
#include "support/UserFolders.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>

#include "support/UserLocale.h"
#include <sys/resource.h>
#include <unistd.h>

using namespace SettingsFile;

namespace {

Keys sampleKeys()
{
    Keys keys;
    std::copy(fixedKeys().begin(), fixedKeys().end(), keys.begin());
    for (int i = FirstKey; i < kEntries; ++i)
        keys[size_t(i)] = QStringLiteral("key %1").arg(i);
    return keys;
}

bool saved(const QString &path, const QByteArray &bytes)
{
    QString reason;
    return save(path, bytes, reason);
}

std::array<QString, kEntries> filled(const QString &value)
{
    std::array<QString, kEntries> v;
    v.fill(value);
    return v;
}

}  // namespace

TEST(SettingsFile, FieldRulesOfOneLine)
{
    const struct {
        const char *line;
        std::optional<QString> value;
    } cases[] = {
        {"Vistrel top,1200", QStringLiteral("1200")},
        {"font name ,  Arial  ", QStringLiteral("Arial")},
        {"Mute, ", QStringLiteral("")},  // a blank written unquoted reads back empty
        {"Mute,", QStringLiteral("")},
        {"Vistrel top", std::nullopt},  // no value at all keeps the default
        {"", std::nullopt},
        {"edited key,V", QStringLiteral("V")},
        {"\"a key, quoted\",V", QStringLiteral("V")},
        {"last dir,\"C:\\a, b\\\"", QStringLiteral("C:\\a, b\\")},
        {"font name,\"say \"\"hi\"\"\"", QStringLiteral("say \"hi\"")},
        {"Mute,\" \"", QStringLiteral(" ")},
        {"Mute,\",\"", QStringLiteral(",")},
        {"Mute,\"\"\"\"", QStringLiteral("\"")},
        {"font name,\"Arial\" trailing", QStringLiteral("Arial")},
        // Written unquoted by the older rule: a comma inside a value and a key bound to the quote.
        {"last dir,C:\\films,new\\", QStringLiteral("C:\\films,new\\")},
        {"EXIT,\"", QStringLiteral("\"")},
        {"EXIT,,", QStringLiteral(",")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(valueOf(QString::fromUtf8(c.line)), c.value) << c.line;
}

TEST(SettingsFile, AwkwardValuesReadBackExactly)
{
    const QString values[] = {
        QStringLiteral(","), QStringLiteral("\""), QStringLiteral(" "), QStringLiteral(""),
        QStringLiteral("  padded  "), QStringLiteral("C:\\Фильмы, 映画\\"), QStringLiteral("\"quoted\""),
        QStringLiteral("a\rb"), QStringLiteral("a\nb"), QStringLiteral("\t"), QStringLiteral("\x1b"),
    };
    for (const QString &value : values) {
        const Values back = read(write(sampleKeys(), filled(value)));
        for (int i = 0; i < kEntries; ++i)
            ASSERT_EQ(back[size_t(i)], value) << "entry " << i << " of " << value.toStdString();
    }
    // A line break as the file writes it cannot stay on its line: that entry alone is written empty.
    auto broken = filled(QStringLiteral("x"));
    broken[LastDir] = QStringLiteral("a\r\nb");
    const Values back = read(write(sampleKeys(), broken));
    EXPECT_EQ(back[LastDir], QStringLiteral(""));
    EXPECT_EQ(back[SkinFile], QStringLiteral("x"));
}

TEST(SettingsFile, BytesOnDiskAndCodePages)
{
    const UserLocale user{QLocale(QLocale::English, QLocale::UnitedStates)};
    auto values = filled(QStringLiteral("0"));
    values[LastDir] = QStringLiteral("/home/ä/映画");
    const QByteArray bytes = write(sampleKeys(), values);
    EXPECT_TRUE(bytes.startsWith("Vistrel top,0\r\nVistrel left,0\r\nSubtitles Hsize,0\r\n"));
    EXPECT_TRUE(bytes.contains("last dir,/home/\xC3\xA4/\xE6\x98\xA0\xE7\x94\xBB\r\nSkin file,0\r\n"));
    EXPECT_TRUE(bytes.endsWith("key 45,0\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), kEntries);

    // Not valid UTF-8: the older rule's Windows-1252.
    const Values old = read("a,1\r\nb,2\r\nc,\xE9t\xE9 \x80\r\n");
    EXPECT_EQ(old[2], QStringLiteral("été €"));
    EXPECT_EQ(read("\xEF\xBB\xBF" "a,\xC3\xA9\r\n")[0], QStringLiteral("é"));
    // A file edited into LF-only line ends.
    EXPECT_EQ(read("a,1\nb,2\n")[1], QStringLiteral("2"));
}

TEST(SettingsFile, ShortLongEmptyAndCorruptFiles)
{
    const Values empty = read(QByteArray());
    EXPECT_TRUE(std::all_of(empty.begin(), empty.end(), [](const auto &v) { return !v; }));

    const Values shortFile = read("a,1\r\nb,2\r\n");
    EXPECT_EQ(shortFile[1], QStringLiteral("2"));
    EXPECT_FALSE(shortFile[2]);

    QByteArray longFile;
    for (int i = 0; i < 60; ++i)
        longFile += "k," + QByteArray::number(i) + "\r\n";
    const Values longValues = read(longFile);
    EXPECT_EQ(longValues[45], QStringLiteral("45"));

    const Values binary = read(QByteArray("\0\xff\xfe,\0\r\n\"\"\",\r\n,,,,", 17));
    EXPECT_EQ(binary[2], QStringLiteral(",,,"));
}

TEST(SettingsFile, StoredValuesConvertOrKeepTheDefault)
{
    const auto v = [](const char *text) { return std::optional<QString>(QString::fromUtf8(text)); };
    const std::optional<QString> none;
    EXPECT_EQ(number(v(" 1200 "), 0, 2000), 1200);
    EXPECT_EQ(number(v("-7.5"), -10, 10), -7.5);
    for (const auto &bad : {v("abc"), v(""), v("12abc"), v("3000"), v("nan"), v("inf"), none})
        EXPECT_FALSE(number(bad, 0, 2000)) << bad.value_or("<none>").toStdString();

    EXPECT_EQ(checkBox(v("1")), true);
    EXPECT_EQ(checkBox(v("0")), false);
    for (const auto &bad : {v("2"), v("-1"), v("0.5"), v("yes"), none})
        EXPECT_FALSE(checkBox(bad));

    EXPECT_EQ(nonZero(v("-1")), true);
    EXPECT_EQ(nonZero(v("5")), true);
    EXPECT_EQ(nonZero(v("0")), false);
    EXPECT_FALSE(nonZero(v("True")));

    EXPECT_EQ(minusOne(v("-1")), true);
    EXPECT_EQ(minusOne(v("0")), false);
    EXPECT_EQ(minusOne(v("1")), false);  // any value but -1 selects the other option
    EXPECT_FALSE(minusOne(v("x")));
}

// The saving process is killed as a save begins or right after one ends, a random number of saves
// in; whatever it was doing, the file is the old one or the new one, whole.
TEST(SettingsFile, SaveKilledAtAnyMomentLeavesAWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kelmora.cfg"));
    const QByteArray first = write(sampleKeys(), filled(QStringLiteral("first")));
    const QByteArray second = write(sampleKeys(), filled(QStringLiteral("second value")));
    ASSERT_TRUE(saved(path, first));
    auto *random = QRandomGenerator::global();
    for (int round = 0; round < 40; ++round) {
        int progress[2];
        ASSERT_EQ(pipe2(progress, O_CLOEXEC), 0);
        ForkedChild child;
        ASSERT_TRUE(child.started());
        if (child.inChild()) {
            // One byte as each save begins and one as it ends.
            for (int i = 0;; ++i) {
                if (::write(progress[1], "b", 1) != 1)
                    _exit(1);
                saved(path, i % 2 ? first : second);
                if (::write(progress[1], "e", 1) != 1)
                    _exit(1);
            }
        }
        ::close(progress[1]);
        const int moments = static_cast<int>(random->bounded(1u, 8u));
        for (int i = 0; i < moments; ++i)
            ASSERT_TRUE(readByte(progress[0])) << "round " << round << ": the child stopped saving";
        child.kill();
        ::close(progress[0]);
        const QByteArray found = readAll(path);
        ASSERT_TRUE(found == first || found == second) << "round " << round << ": " << found.size() << " bytes";
    }
}

TEST(SettingsFile, ReadOnlyProgramFolderKeepsTheFileInTheUserConfigFolder)
{
    const UserFolders folders;
    QTemporaryDir dir;
    const QString user = ProgramFolder::configFolder();
    ASSERT_FALSE(user.isEmpty());
    // A program "folder" that is a plain file cannot be written, whoever runs the test.
    const QString locked = dir.filePath(QStringLiteral("ro"));
    QFile(locked).open(QIODevice::WriteOnly);
    const QString lockedPath = ProgramFolder::withSeparator(locked);

    EXPECT_EQ(writePath(lockedPath), user + "kelmora.cfg");
    EXPECT_EQ(readPath(lockedPath), lockedPath + "kelmora.cfg");  // nothing saved yet
    ASSERT_TRUE(saved(writePath(lockedPath), "a,1\r\n"));
    EXPECT_EQ(readPath(lockedPath), user + "kelmora.cfg");

    const QString open = ProgramFolder::withSeparator(dir.path());
    EXPECT_EQ(writePath(open), open + "kelmora.cfg");
    EXPECT_EQ(readPath(open), open + "kelmora.cfg");
}

// The save runs in a child process with a file-size limit, so its writes really fail the way a full
// disk makes them fail: in the buffered write's flush for a small file, in the write itself for a
// large one. The old file stays byte for byte and the save says why.
TEST(SettingsFile, AWriteThatReallyFailsLeavesTheOldFileByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kelmora.cfg"));
    const QByteArray old = write(sampleKeys(), filled(QStringLiteral("old")));
    const struct {
        rlim_t limit;
        qsizetype newBytes;
        bool saves;
    } cases[] = {
        {0, 809, false},          // nothing at all can be written
        {100, 809, false},        // a part is written before the disk is full
        {100, 40000, false},      // larger than the write buffer: the write itself fails
        {4000, 40000, false},
        {1 << 20, 40000, true},   // room enough: the new file replaces the old one
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.limit);
        writeFile(path, old);
        const QByteArray next = QByteArray(c.newBytes - 2, 'x') + "\r\n";
        ForkedChild child;
        ASSERT_TRUE(child.started());
        if (child.inChild()) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = c.limit;
            setrlimit(RLIMIT_FSIZE, &limit);
            QString reason;
            const bool ok = save(path, next, reason);
            _exit(ok ? 0 : reason.isEmpty() ? 2 : 1);
        }
        const std::optional<int> code = child.wait(std::chrono::seconds(60));
        ASSERT_TRUE(code) << "the saving child did not end by itself";
        EXPECT_EQ(*code, c.saves ? 0 : 1);
        EXPECT_EQ(readAll(path), c.saves ? next : old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kelmora.cfg")});
    }
}

// No line the writer makes is longer than 64 KiB; a longer one is no value at all (never a part of
// one, which could end inside its quotes) and the next line is the next entry.
TEST(SettingsFile, OverlongLinesGiveNothingAndTheNextLineIsTheNextEntry)
{
    const QByteArray head = "a,1\r\nb,2\r\nc,3\r\nd,4\r\ne,5\r\nf,6\r\nfont name,";
    const qsizetype bound = 64 * 1024 - 10;  // the bytes after "font name," on a line at the bound
    const QByteArray huge(5 * 1024 * 1024, 'A');
    const struct {
        const char *name;
        QByteArray bytes;
        std::optional<qsizetype> fontNameSize;
        std::optional<QString> fontSize;
    } cases[] = {
        {"5 MB font name", head + huge + "\r\nfont size,20\r\n", std::nullopt, QStringLiteral("20")},
        {"LF-only file", "a,1\nb,2\nc,3\nd,4\ne,5\nf,6\nfont name," + huge + "\nfont size,20\n", std::nullopt,
         QStringLiteral("20")},
        // The CR counts with the line: at the bound with it, one past the bound without it.
        {"line and CR at the bound", head + QByteArray(bound - 1, 'A') + "\r\nfont size,20\r\n", bound - 1,
         QStringLiteral("20")},
        {"CR past the bound", head + QByteArray(bound, 'A') + "\r\nfont size,20\r\n", std::nullopt,
         QStringLiteral("20")},
        {"LF-only line at the bound", "a,1\nb,2\nc,3\nd,4\ne,5\nf,6\nfont name," + QByteArray(bound, 'A') +
                                          "\nfont size,20\n",
         bound, QStringLiteral("20")},
        {"quoted value cut by the bound", head + "\"" + QByteArray(bound, ',') + "\"\r\nfont size,20\r\n",
         std::nullopt, QStringLiteral("20")},
        {"last line without its end", head + huge, std::nullopt, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Values v = read(c.bytes);
        EXPECT_EQ(v[5], QStringLiteral("6"));
        EXPECT_EQ(v[FontName] ? std::optional(v[FontName]->size()) : std::nullopt, c.fontNameSize);
        EXPECT_EQ(v[FontSize], c.fontSize);
    }
}

TEST(SettingsFile, LinesPastTheLastEntryAreNeverRead)
{
    QByteArray bytes = write(sampleKeys(), filled(QStringLiteral("v")));
    const qint64 entries = bytes.size();
    bytes += QByteArray(10 * 1024 * 1024, '\n');
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    const Values v = read(buffer);
    EXPECT_EQ(v[kEntries - 1], QStringLiteral("v"));
    EXPECT_LE(buffer.pos(), entries + 16 * 1024);
}

TEST(SettingsFile, TextsAreCheckedOnTheWayIn)
{
    const auto v = [](const QString &text) { return std::optional<QString>(text); };
    const std::optional<QString> none;
    const struct {
        const char *name;
        std::optional<QString> value;
        std::optional<QString> font, path, box3;
    } cases[] = {
        {"plain", v("Times New Roman"), v("Times New Roman"), v("Times New Roman"), v("Tim")},
        {"missing", none, none, none, none},
        {"empty", v(""), none, none, v("")},
        {"blank", v("  "), none, v("  "), v("  ")},
        {"NUL", v(QString("Ari") + QChar(0) + "al"), none, none, none},
        {"line feed", v("a\nb"), none, none, none},
        {"carriage return", v("a\rb"), none, none, none},
        {"tab", v("a\tb"), none, none, none},
        {"escape", v("\x1b"), none, none, none},
        {"delete", v("C:\\\x7f"), none, none, none},
        {"C1 control", v(QString(QChar(0x85))), none, none, none},
        {"non-Latin", v("微软雅黑"), v("微软雅黑"), v("微软雅黑"), v("微软雅")},
        {"Windows path", v("C:\\François\\"), v("C:\\François\\"), v("C:\\François\\"), v("C:\\")},
        {"128 characters", v(QString(128, 'x')), v(QString(128, 'x')), v(QString(128, 'x')), v("xxx")},
        {"129 characters", v(QString(129, 'x')), none, v(QString(129, 'x')), v("xxx")},
        {"4096 bytes", v(QString(2048, QChar(0xE9))), none, v(QString(2048, QChar(0xE9))), v(QString(3, QChar(0xE9)))},
        {"4097 bytes", v(QString(2048, QChar(0xE9)) + "x"), none, none, v(QString(3, QChar(0xE9)))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fontName(c.value), c.font);
        EXPECT_EQ(path(c.value), c.path);
        EXPECT_EQ(boxText(c.value, 3), c.box3);
    }
}

TEST(SettingsFile, AFolderNamedLikeTheFileSendsItToTheUserConfigFolder)
{
    const UserFolders folders;
    QTemporaryDir dir;
    const QString user = ProgramFolder::configFolder();
    ASSERT_FALSE(user.isEmpty());
    const QString folder = ProgramFolder::withSeparator(dir.path());
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("kelmora.cfg")));
    EXPECT_EQ(writePath(folder), user + "kelmora.cfg");
    ASSERT_TRUE(saved(writePath(folder), "a,1\r\n"));
    EXPECT_EQ(readPath(folder), user + "kelmora.cfg");
}
