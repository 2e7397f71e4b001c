#include "browse/BrowsePlaces.h"
#include "drives/Volumes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Volumes, OnlyMountsAUserWouldBrowseAreListedByLabelOrSize)
{
    const QString home = QStringLiteral("/home/ann");
    const QList<Volumes::Mount> mounts = {
        {"/", "ext4", "", 1, true},
        {"/proc", "proc", "", 0, true},
        {"/run/user/1000", "tmpfs", "", 1, true},
        {"/snap/core/1", "squashfs", "", 1, true},
        {"/boot/efi", "vfat", "", 1, true},
        {"/media/ann/HOLIDAY", "vfat", "HOLIDAY", 16000000000, true},
        {"/run/media/ann/disc", "iso9660", "MOVIE_DISC", 700000000, false},
        {"/home/ann/nas", "cifs", "", 2000000000000, true},
        {"/home/ann/.cache/doc", "fuse.portal", "", 0, true},
        {"/home/ann/.hidden/disk", "ext4", "", 1, true},
        {"/mnt/sandbox", "overlay", "", 1, true},
    };
    QStringList shown;
    for (const Drive &d : Volumes::places(mounts, home, true, false))
        shown << d.name + "=" + d.root + (d.ready ? "" : " (not ready)");
    EXPECT_EQ(shown, QStringList({"Home=/home/ann", "File System=/ (not ready)", "2.0 TB Volume=/home/ann/nas",
                                  "HOLIDAY=/media/ann/HOLIDAY", "MOVIE_DISC=/run/media/ann/disc (not ready)"}));
}

TEST(BrowsePlaces, AFolderBelongsToTheClosestPlaceThatHoldsIt)
{
    const QList<Drive> places = {{"Home", "/home/ann", true}, {"File System", "/", true},
                                 {"STICK", "/media/ann/STICK", true}, {"Empty", "", false}};
    struct Case {
        const char *path;
        int place;
    } cases[] = {{"/home/ann", 0}, {"/home/ann/Videos", 0}, {"/home/anna", 1}, {"/media/ann/STICK/a/b", 2},
                 {"/media/ann/STICK2", 1}, {"/", 1}, {"relative", -1}};
    for (const Case &c : cases)
        EXPECT_EQ(BrowsePlaces::driveFor(places, c.path), c.place) << c.path;
    EXPECT_EQ(BrowsePlaces::driveFor({}, "/tmp"), -1);
}
