#include "playback/ResumePositions.h"
#include "support/ForkedChild.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

MovieKey key(int n, qint64 size = 1000, qint64 modified = 5)
{
    return MovieKey{QStringLiteral("/films/movie %1.mkv").arg(n), size, modified};
}

}  // namespace

TEST(ResumePositions, WorthResumingOnlyPastTheFirstAndBeforeTheLastMinute)
{
    struct Case {
        double frame, duration, fps;
        bool worth;
    } cases[] = {
        {1500, 3000, 25, false},   // a two-minute movie has no such place
        {1501, 3000, 25, false},
        {1500, 3002, 25, false},   // exactly a minute in
        {1501, 3002, 25, true},    // a frame past a minute in, a frame more than a minute before the end
        {1502, 3002, 25, false},   // exactly a minute before the end
        {2250, 3000, 25, false},   // 1:30 of 2:00: half a minute from the end
        {2250, 90000, 25, true},   // 1:30 of an hour
        {0, 90000, 25, false},
        {89999, 90000, 25, false},
        {1439, 90000, 23.976, true},   // 60.02 s
        {1438, 90000, 23.976, false},  // 59.98 s
        {5000, 90000, 0, false},       // no rate: no minutes to count
        {5000, 0, 25, false},          // no length
    };
    for (const Case &c : cases)
        EXPECT_EQ(worthResuming(c.frame, c.duration, c.fps), c.worth) << c.frame << " of " << c.duration;
}

TEST(ResumePositions, KeyedByPathSizeAndModificationTime)
{
    ResumePositions p;
    p.keep(key(1), 2000);
    EXPECT_EQ(p.frameOf(key(1)), 2000);
    EXPECT_FALSE(p.frameOf(key(1, 1001)));     // the file grew
    EXPECT_FALSE(p.frameOf(key(1, 1000, 6)));  // rewritten since
    EXPECT_FALSE(p.frameOf(key(2)));
    // The same path, changed: its old position is replaced, not kept beside the new one.
    p.keep(key(1, 1001), 3000);
    EXPECT_EQ(p.size(), 1);
    EXPECT_EQ(p.frameOf(key(1, 1001)), 3000);
    p.forget(key(1, 7, 7));
    EXPECT_EQ(p.size(), 0);
}

TEST(ResumePositions, TheOldestGoPastAThousand)
{
    ResumePositions p;
    for (int i = 0; i < 1005; ++i)
        p.keep(key(i), i + 2000);
    // Kept again: the first movie is now the newest.
    p.keep(key(5), 7777);
    p.keep(key(1006), 1);
    EXPECT_EQ(p.size(), ResumePositions::kMaxEntries);
    for (int gone : {0, 1, 2, 3, 4, 6})
        EXPECT_FALSE(p.frameOf(key(gone))) << gone;
    EXPECT_EQ(p.frameOf(key(5)), 7777);
    EXPECT_EQ(p.frameOf(key(7)), 2007);
    EXPECT_EQ(p.frameOf(key(1006)), 1);
    // The order survives the file: the next one in drops the oldest that is left.
    ResumePositions back = ResumePositions::read(p.write());
    back.keep(key(2000), 1);
    EXPECT_FALSE(back.frameOf(key(7)));
    EXPECT_EQ(back.frameOf(key(8)), 2008);
    EXPECT_EQ(back.frameOf(key(5)), 7777);
}

TEST(ResumePositions, PathsOfAnyKindReadBack)
{
    const QString names[] = {QStringLiteral("/a b/c\td\ne%f.avi"), QStringLiteral("/фильмы/Ünïcode 映画.mkv"),
                             QStringLiteral("relative.mp4"), QStringLiteral("/x/100%25.mp4")};
    ResumePositions p;
    for (const QString &n : names)
        p.keep(MovieKey{n, 123456789012345, -42}, 9);
    const ResumePositions back = ResumePositions::read(p.write());
    EXPECT_EQ(back.size(), 4);
    for (const QString &n : names)
        EXPECT_EQ(back.frameOf(MovieKey{n, 123456789012345, -42}), 9) << n.toStdString();
}

TEST(ResumePositions, DamagedFilesHoldNothingOrOnlyTheirGoodLines)
{
    const QByteArray good = "vistrel positions 1\n2000\t10\t20\t/films/a.mkv\n";
    struct Case {
        QByteArray file;
        int entries;
    } cases[] = {
        {good, 1},
        {"", 0},
        {"\x00\x01\x02garbage", 0},
        {"vistrel positions 2\n2000\t10\t20\t/films/a.mkv\n", 0},  // a later kind of file
        {"2000\t10\t20\t/films/a.mkv\n", 0},                        // no header
        {good + "2000\t10\t20\n", 1},                               // a field missing
        {good + "x\t10\t20\t/b\n", 1},                              // not numbers
        {good + "-5\t10\t20\t/b\n", 1},                             // a negative frame
        {good + "5\t10\t20\t\n", 1},                                // no path
        {good + "5\t10\t20\t/b\textra\n", 1},
        {good + "99999999999999999999\t10\t20\t/b\n", 1},           // out of range
        {good + "5\t10\t20\t/b", 2},                                // no last line end
        {good + "\r\n\n\n", 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ResumePositions::read(c.file).size(), c.entries) << c.file.toStdString();

    QTemporaryDir dir;
    EXPECT_EQ(ResumePositions::load(dir.filePath("missing.pos")).size(), 0);
    EXPECT_EQ(ResumePositions::load(dir.path()).size(), 0);  // a folder in its place
    const QString fifo = dir.filePath("pipe.pos");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(ResumePositions::load(fifo).size(), 0);  // returns at once instead of waiting for a writer
}

// A file longer than the program writes (edited, or from a damaged disk): a movie's last line is its
// newest, and the newest thousand movies are kept in their order.
TEST(ResumePositions, ALongFileKeepsTheNewestLineOfTheNewestThousandMovies)
{
    QByteArray file = "vistrel positions 1\n";
    for (int n = 0; n < 1500; ++n)
        file += "100\t1000\t5\t/films/movie%20" + QByteArray::number(n) + ".mkv\n";
    file += "777\t1000\t5\t/films/movie%200.mkv\n";  // movie 0 again, now the newest
    file += "888\t1000\t5\t/films/movie%20900.mkv\tbroken\n";
    ResumePositions p = ResumePositions::read(file);
    ASSERT_EQ(p.size(), 1000);
    EXPECT_EQ(p.frameOf(key(0)), 777);
    EXPECT_EQ(p.frameOf(key(900)), 100);
    EXPECT_EQ(p.frameOf(key(1499)), 100);
    EXPECT_EQ(p.frameOf(key(501)), 100);
    EXPECT_FALSE(p.frameOf(key(500)));
    // The oldest kept goes first when one more comes.
    p.keep(key(2000), 1);
    EXPECT_FALSE(p.frameOf(key(501)));
    EXPECT_EQ(p.frameOf(key(502)), 100);
    EXPECT_EQ(p.frameOf(key(0)), 777);
}

TEST(ResumePositions, KeyOfTheFileOnDisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("movie.mp4");
    writeFile(path, "12345");
    const auto k = movieKey(path);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->path, path);
    EXPECT_EQ(k->size, 5);
    // Reached by another way, the same movie.
    EXPECT_EQ(movieKey(dir.path() + "/./movie.mp4"), k);
    EXPECT_FALSE(movieKey(dir.filePath("gone.mp4")));
    EXPECT_FALSE(movieKey(dir.path()));
    EXPECT_FALSE(movieKey(QString()));
}

// A disk that fills up during the save: the call says so and the old file stays whole. The child
// process may write only a few bytes more than the old file holds.
TEST(ResumePositions, SaveOnAFullDiskKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kelmora.pos");
    ResumePositions small;
    small.keep(key(1), 2000);
    ASSERT_TRUE(ResumePositions::save(path, small.write()));
    ResumePositions large;
    for (int i = 0; i < 1000; ++i)
        large.keep(key(i), i + 2000);
    const QByteArray bytes = large.write();
    ASSERT_GT(bytes.size(), 16384);

    ForkedChild child;
    ASSERT_TRUE(child.started());
    if (child.inChild()) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(ResumePositions::save(path, bytes) ? 1 : 0);
    }
    const std::optional<int> code = child.wait(std::chrono::seconds(60));
    ASSERT_TRUE(code) << "the saving child did not end by itself";
    EXPECT_EQ(*code, 0) << "the save reported success";
    EXPECT_EQ(readAll(path), small.write());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary file left
    // And with room, the new file replaces it.
    ASSERT_TRUE(ResumePositions::save(path, bytes));
    EXPECT_EQ(ResumePositions::load(path).size(), 1000);
}
