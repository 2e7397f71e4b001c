#include "numbers/basic_numbers.h"
#include "startup/AppState.h"
#include "startup/ProgramFolder.h"
#include "startup/RunLog.h"
#include "support/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

static QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(RunLog, WritesLinesItemsAndZonesWithCrLf)
{
    QTemporaryDir dir;
    AppState s;
    RunLog log(s);
    const QString path = dir.filePath("kelmora.log");
    ASSERT_TRUE(log.open(path));
    log.line(QString());
    log.line("Initialized");
    log.item(15);
    log.item(-2);
    log.line("Rate chg to" + basic_numbers::logItem(1.5));
    log.zones("Ini file (CDMODE):", "D:/kelmora.ini");
    log.line(QString::fromUtf8("caf\u00e9 \u20ac \u0424"));
    log.close();
    log.line("after close");
    EXPECT_EQ(readAll(path), QByteArray("\r\nInitialized\r\n 15 \r\n-2 \r\nRate chg to 1.5 \r\n"
                                        "Ini file (CDMODE):          D:/kelmora.ini\r\n"
                                        "caf\xc3\xa9 \xe2\x82\xac \xd0\xa4\r\n"));
}

TEST(RunLog, PrintZonesAreFourteenColumnsWide)
{
    EXPECT_EQ(RunLog::toNextZone("Ini file (CDMODE):").size(), 28);
    EXPECT_EQ(RunLog::toNextZone("").size(), 14);
    EXPECT_EQ(RunLog::toNextZone("abcdefghijklm").size(), 14);
    EXPECT_EQ(RunLog::toNextZone("abcdefghijklmn").size(), 28);
}

TEST(RunLog, OpeningReplacesTheLastRun)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kelmora.log");
    AppState s;
    {
        RunLog log(s);
        log.open(path);
        log.line("first run, a long line");
    }
    RunLog log(s);
    log.open(path);
    log.line("second");
    log.close();
    EXPECT_EQ(readAll(path), QByteArray("second\r\n"));
}

TEST(RunLog, AutorunModeNeitherCreatesNorChangesTheLog)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kelmora.log");
    AppState s;
    s.autorunMode = true;
    RunLog log(s);
    EXPECT_FALSE(log.open(path));
    log.line("x");
    EXPECT_FALSE(QFile::exists(path));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier run\r\n");
    }
    EXPECT_FALSE(log.open(path));
    log.line("x");
    log.item(15);
    EXPECT_EQ(readAll(path), QByteArray("earlier run\r\n"));
}

TEST(RunLog, UnwritableFolderFallsBackToTheUserFolder)
{
    const UserFolders folders;
    QTemporaryDir dir;
    // A program "folder" that is a plain file cannot hold the log, whoever runs the test.
    const QString locked = dir.filePath("ro");
    {
        QFile blocker(locked);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    AppState s;
    RunLog log(s);
    const QString user = ProgramFolder::userFolder();
    ASSERT_FALSE(user.isEmpty());
    ASSERT_TRUE(log.open(ProgramFolder::withSeparator(locked) + "kelmora.log"));
    EXPECT_EQ(log.path(), user + "kelmora.log");
    log.line("here");
    log.close();
    EXPECT_EQ(readAll(user + "kelmora.log"), QByteArray("here\r\n"));
    EXPECT_EQ(ProgramFolder::writableFolder(ProgramFolder::withSeparator(locked)), user);
    EXPECT_EQ(ProgramFolder::writableFolder(ProgramFolder::withSeparator(dir.path())),
              ProgramFolder::withSeparator(dir.path()));
}

TEST(RunLog, WithoutAnyWritableFolderTheRunGoesOnWithoutLog)
{
    AppState s;
    RunLog log(s);
    bool opened = true;
    {
        const ScopedEnvironment nowhere("XDG_DATA_HOME", "/proc/no-such-folder");
        opened = log.open("/proc/no-such-folder/kelmora.log");
    }
    EXPECT_FALSE(opened);
    log.line("nothing happens");
    EXPECT_FALSE(log.isOpen());
}

TEST(ProgramFolder, AppPathAlwaysEndsInOneSeparator)
{
    EXPECT_EQ(ProgramFolder::withSeparator("/opt/vistrel"), "/opt/vistrel/");
    EXPECT_EQ(ProgramFolder::withSeparator("/opt/vistrel/"), "/opt/vistrel/");
    EXPECT_EQ(ProgramFolder::withSeparator("/"), "/");
    EXPECT_TRUE(ProgramFolder::appPath().endsWith('/'));
}
