// Folder listings on real folders: which entries each filter lets through (links, a pipe, hidden
// names), a folder that cannot be listed, listings handed back on the owner's thread, and a lister let
// go while a mount keeps its listing waiting.
#include "drives/FolderListing.h"

#include "support/StuckMount.h"
#include "support/Watchdog.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FolderListingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        for (const char *name : {"b.avi", "A.AVI", "notes.txt", ".hidden.avi", "clip 10.mpg", "clip 9.mpg"})
            QFile(path(name)).open(QIODevice::WriteOnly);
        for (const char *name : {"sub", ".hid", "sub.avi"})
            ASSERT_TRUE(QDir(dir_.path()).mkdir(QString::fromLatin1(name)));
        ASSERT_EQ(::mkfifo(path("pipe.avi").toLocal8Bit().constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(path("b.avi"), path("link.avi")));
        ASSERT_TRUE(QFile::link(path("gone.avi"), path("broken.avi")));
        ASSERT_TRUE(QFile::link(path("sub"), path("dirlink")));
    }
    QString path(const char *name) const { return dir_.filePath(QString::fromLatin1(name)); }
    FolderListing::Request request(QDir::Filters filters, const QStringList &nameFilters = {}) const
    {
        return {dir_.path(), filters, nameFilters, QLocale::c()};
    }

    QTemporaryDir dir_;
};

TEST_F(FolderListingTest, EachFilterLetsThroughItsKindsOfEntry)
{
    const QDir::Filters files = QDir::Files | QDir::NoDotAndDotDot;
    const QStringList folders = {"dirlink", "sub", "sub.avi"};
    const struct {
        const char *what;
        FolderListing::Request request;
        QStringList names, folders;
    } cases[] = {
        {"files of a kind, by name without regard to case, a link to a file among them",
         request(files, {"*.avi", "*.mpg"}), {"A.AVI", "b.avi", "clip 10.mpg", "clip 9.mpg", "link.avi"}, {}},
        {"every file", request(files, {"*"}), {"A.AVI", "b.avi", "clip 10.mpg", "clip 9.mpg", "link.avi", "notes.txt"}, {}},
        {"hidden and system files too: the pipe and the broken link",
         request(files | QDir::Hidden | QDir::System, {"*.avi"}),
         {".hidden.avi", "A.AVI", "b.avi", "broken.avi", "link.avi", "pipe.avi"}, {}},
        {"folders, a link to one among them", request(QDir::AllDirs | QDir::NoDotAndDotDot), {}, folders},
        {"hidden folders too", request(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden), {},
         {".hid", "dirlink", "sub", "sub.avi"}},
        {"files of a kind and every folder, apart", request(files | QDir::AllDirs, {"*.txt"}), {"notes.txt"}, folders},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const FolderListing::Result result = FolderListing::read(c.request);
        EXPECT_TRUE(result.listable);
        EXPECT_EQ(result.names, c.names);
        EXPECT_EQ(result.folders, c.folders);
    }
}

TEST_F(FolderListingTest, WhatIsNoFolderCannotBeListed)
{
    for (const char *name : {"missing", "b.avi", "pipe.avi", "broken.avi"}) {
        SCOPED_TRACE(name);
        FolderListing::Request r = request(QDir::Files);
        r.folder = path(name);
        const FolderListing::Result result = FolderListing::read(r);
        EXPECT_FALSE(result.listable);
        EXPECT_TRUE(result.names.isEmpty() && result.folders.isEmpty());
    }
}

TEST_F(FolderListingTest, ListingsComeBackOnTheOwnersThreadAndARequestUnderWayIsNotMadeTwice)
{
    FolderLister lister;
    QSignalSpy listed(&lister, &FolderLister::listed);
    QThread *arrivedOn = nullptr;
    QObject::connect(&lister, &FolderLister::listed, [&] { arrivedOn = QThread::currentThread(); });
    const FolderListing::Request some = request(QDir::Files | QDir::NoDotAndDotDot, {"*.txt"});
    const quint64 first = lister.list(some);
    // Asked again before the first has come back: the same listing.
    EXPECT_EQ(lister.list(some), first);
    const quint64 other = lister.list(request(QDir::AllDirs | QDir::NoDotAndDotDot));
    EXPECT_NE(other, first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return listed.count() == 2; }, 5000));
    EXPECT_EQ(arrivedOn, QThread::currentThread());
    for (const QList<QVariant> &arrival : listed) {
        const auto result = arrival[1].value<FolderListing::Result>();
        const bool files = arrival[0].toULongLong() == first;
        EXPECT_EQ(result.names, files ? QStringList{"notes.txt"} : QStringList());
        EXPECT_EQ(result.folders, files ? QStringList() : QStringList({"dirlink", "sub", "sub.avi"}));
    }
    // Once back, the same request is a new listing.
    EXPECT_NE(lister.list(some), first);
}

TEST(DrivesWithAStuckFolder, AListerLetGoWhileItsListingWaitsDoesNotWait)
{
    if (!StuckMount::privateNamespace())
        GTEST_SKIP() << "needs a mount namespace of its own (ctest runs it under unshare --mount)";
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("net")));
    StuckMount stuck(home.filePath(QStringLiteral("net")));
    ASSERT_TRUE(stuck.mounted());
    {
        const Watchdog watch("letting a lister go while it reads a stuck folder");
        auto lister = std::make_unique<FolderLister>();
        for (int i = 0; i < 2; ++i)
            lister->list({home.filePath(QStringLiteral("net")), QDir::Files, {}, QLocale::c()});
        ASSERT_TRUE(QTest::qWaitFor([&] { return stuck.waiting() > 0; }, 5000)) << stuck.waiting();
        lister.reset();
    }
    // Another lister meanwhile reads what answers.
    FolderLister lister;
    QSignalSpy listed(&lister, &FolderLister::listed);
    lister.list({home.path(), QDir::AllDirs | QDir::NoDotAndDotDot, {}, QLocale::c()});
    ASSERT_TRUE(listed.wait(5000));
    EXPECT_EQ(listed[0][1].value<FolderListing::Result>().folders, QStringList{"net"});
}

}  // namespace
