// Drive discovery: the kernel's mount table read as text, and the real drive service against mounts
// that answer and one that never does.
#include "drives/Drives.h"
#include "drives/Volumes.h"
#include "support/StuckMount.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace {

TEST(Volumes, MountTableLinesGiveMountPointTypeAndSource)
{
    const struct {
        const char *line;
        const char *root;  // nullptr: the line is left out
        const char *type;
        const char *device;
    } cases[] = {
        {"36 35 98:0 / /mnt1 rw,noatime master:1 - ext3 /dev/root rw,errors=continue", "/mnt1", "ext3", "/dev/root"},
        // No optional fields, and several of them.
        {"22 1 8:1 / / rw,relatime - ext4 /dev/sda1 rw", "/", "ext4", "/dev/sda1"},
        {"40 22 11:0 / /media/disc ro shared:5 master:2 propagate_from:1 - iso9660 /dev/sr0 ro", "/media/disc",
         "iso9660", "/dev/sr0"},
        // Blanks, tabs and backslashes in a path come as octal escapes.
        {"50 22 8:17 / /media/u/My\\040Stick\\011x\\134y rw - vfat /dev/sdb1 rw", "/media/u/My Stick\tx\\y", "vfat",
         "/dev/sdb1"},
        // A backslash that starts no escape stays as it is.
        {"51 22 8:18 / /media/a\\b rw - vfat /dev/sdb2 rw", "/media/a\\b", "vfat", "/dev/sdb2"},
        {"52 22 0:50 / /home/u/net rw - fuse.sshfs u@host:/ rw", "/home/u/net", "fuse.sshfs", "u@host:/"},
        // Cut short, or without the separator before the type.
        {"60 22 8:1 / /x rw - ext4", nullptr, nullptr, nullptr},
        {"61 22 8:1 / /x rw shared:1 ext4 /dev/sda1 rw", nullptr, nullptr, nullptr},
        {"", nullptr, nullptr, nullptr},
    };
    for (const auto &c : cases) {
        const QList<Volumes::TableEntry> entries = Volumes::parseMountInfo(QByteArray(c.line) + '\n');
        if (!c.root) {
            EXPECT_TRUE(entries.isEmpty()) << c.line;
            continue;
        }
        ASSERT_EQ(entries.size(), 1) << c.line;
        EXPECT_EQ(entries[0].root, QString::fromUtf8(c.root)) << c.line;
        EXPECT_EQ(entries[0].fsType, QByteArray(c.type)) << c.line;
        EXPECT_EQ(entries[0].device, QByteArray(c.device)) << c.line;
    }
}

TEST(Volumes, MountTableKeepsItsOrderAcrossLines)
{
    const QList<Volumes::TableEntry> entries = Volumes::parseMountInfo(
        "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "bad line\n"
        "40 22 11:0 / /media/disc ro - iso9660 /dev/sr0 ro");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].root, QStringLiteral("/"));
    EXPECT_EQ(entries[1].root, QStringLiteral("/media/disc"));
}

// Home is a folder of the test's own, with a folder bound under it that answers and a FUSE mount that
// never does.
class DrivesWithAStuckMount : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!StuckMount::privateNamespace())
            GTEST_SKIP() << "needs a mount namespace of its own (ctest runs it under unshare --mount)";
        oldHome_ = qgetenv("HOME");
        qputenv("HOME", home_.path().toLocal8Bit());
        ASSERT_TRUE(QDir(home_.path()).mkpath(QStringLiteral("stuck")));
        ASSERT_TRUE(QDir(home_.path()).mkpath(QStringLiteral("stick")));
        ASSERT_TRUE(QDir(source_.path()).mkpath(QStringLiteral("movies")));
        ASSERT_EQ(::mount(source_.path().toLocal8Bit().constData(), stick().toLocal8Bit().constData(), nullptr,
                          MS_BIND, nullptr), 0);
        stuck_ = std::make_unique<StuckMount>(stuckAt());
        ASSERT_TRUE(stuck_->mounted());
    }
    void TearDown() override
    {
        stuck_.reset();
        ::umount2(stick().toLocal8Bit().constData(), MNT_DETACH);
        if (!oldHome_.isNull())
            qputenv("HOME", oldHome_);
    }
    QString stick() const { return home_.path() + QStringLiteral("/stick"); }
    QString stuckAt() const { return home_.path() + QStringLiteral("/stuck"); }

    static bool has(const QList<Drive> &drives, const QString &root)
    {
        return std::any_of(drives.begin(), drives.end(), [&](const Drive &d) { return d.root == root; });
    }

    QTemporaryDir home_, source_;
    QByteArray oldHome_;
    std::unique_ptr<StuckMount> stuck_;
};

TEST_F(DrivesWithAStuckMount, IsLeftOutAfterTheBoundWhileTheOthersArrive)
{
    QtDrives drives(300);
    QSignalSpy changed(&drives, &Drives::changed);
    // At once, before anything was asked: home and the root folder.
    const QList<Drive> first = drives.volumes();
    ASSERT_GE(first.size(), 2);
    EXPECT_EQ(first[0].root, QDir::cleanPath(home_.path()));
    EXPECT_EQ(first[1].root, QStringLiteral("/"));

    ASSERT_TRUE(changed.wait(5000));
    const QList<Drive> found = drives.volumes();
    EXPECT_TRUE(has(found, stick()));
    EXPECT_FALSE(has(found, stuckAt()));
    EXPECT_TRUE(found[0].ready);

    // Asked again while the first question still hangs: the answer comes in the same bound, without it.
    changed.clear();
    ASSERT_TRUE(::umount2(stick().toLocal8Bit().constData(), MNT_DETACH) == 0);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_FALSE(has(drives.volumes(), stick()));
    EXPECT_FALSE(has(drives.volumes(), stuckAt()));
}

}  // namespace
