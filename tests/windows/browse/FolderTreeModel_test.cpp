// The Browse dialog's folder tree without the dialog: a place's folder on top, a folder revealed before
// anything has been read, folders read as they are opened, and folders read again keeping the entries
// (and what points at them) that are still there.
#include "browse/FolderTreeModel.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList children(const QAbstractItemModel &model, const QModelIndex &parent)
{
    QStringList names;
    for (int r = 0; r < model.rowCount(parent); ++r)
        names << model.index(r, 0, parent).data().toString();
    return names;
}

struct TreeRig {
    QTemporaryDir root;
    FolderTreeModel model;
    QAbstractItemModelTester checked{&model, QAbstractItemModelTester::FailureReportingMode::Warning};

    TreeRig()
    {
        for (const char *path : {"films/new", "films/old", "films/.cache/x", "music", "Pictures", ".config"})
            QDir(root.path()).mkpath(QString::fromLatin1(path));
        model.setPlace(root.path());
    }
    QString path(const char *below) const { return root.filePath(QString::fromLatin1(below)); }
    // Opens `index` as the view does when it is expanded, and waits for its folders.
    bool read(const QModelIndex &index, const QStringList &expected)
    {
        if (model.canFetchMore(index))
            model.fetchMore(index);
        return QTest::qWaitFor([&] { return children(model, index) == expected; }, 5000);
    }
};

TEST(FolderTreeModel, ThePlaceOnTopAndAFolderRevealedBeforeAnythingIsRead)
{
    TreeRig t;
    ASSERT_EQ(t.model.rowCount(), 1);
    const QModelIndex top = t.model.index(0, 0);
    EXPECT_EQ(top.data().toString(), QFileInfo(t.root.path()).fileName());
    EXPECT_EQ(t.model.pathOf(top), t.root.path());
    EXPECT_TRUE(t.model.hasChildren(top));

    // The way down exists at once, before any folder on it has been read.
    const QModelIndex x = t.model.reveal(t.path("films/.cache/x"));
    ASSERT_TRUE(x.isValid());
    EXPECT_EQ(t.model.pathOf(x), t.path("films/.cache/x"));
    EXPECT_EQ(children(t.model, top), QStringList{"films"});
    EXPECT_FALSE(t.model.reveal("/elsewhere/films").isValid());

    // Read: the other folders join it in order, capitals or not; the hidden one on the way stays.
    ASSERT_TRUE(t.read(top, {"films", "music", "Pictures"}));
    const QModelIndex films = t.model.index(0, 0, top);
    ASSERT_TRUE(t.read(films, {".cache", "new", "old"}));
    EXPECT_EQ(t.model.pathOf(x), t.path("films/.cache/x"));

    // A folder of the root place is named from the root.
    FolderTreeModel rooted;
    rooted.setPlace("/");
    EXPECT_EQ(rooted.index(0, 0).data().toString(), "/");
    EXPECT_EQ(rooted.pathOf(rooted.reveal("/tmp")), "/tmp");
}

TEST(FolderTreeModel, FoldersReadAgainKeepTheEntriesStillThere)
{
    TreeRig t;
    const QModelIndex top = t.model.index(0, 0);
    ASSERT_TRUE(t.read(top, {"films", "music", "Pictures"}));
    const QPersistentModelIndex music = t.model.index(1, 0, top);
    const QPersistentModelIndex films = t.model.index(0, 0, top);
    ASSERT_TRUE(t.read(films, {"new", "old"}));

    // Folders come and go on the disk; hidden ones are shown on request.
    ASSERT_TRUE(QDir(t.path("films")).rename("old", "older"));
    ASSERT_TRUE(QDir(t.root.path()).mkdir("Audio"));
    ASSERT_TRUE(QDir(t.root.path()).mkdir("zebra"));
    ASSERT_TRUE(QDir(t.path("Pictures")).removeRecursively());
    t.model.setShowHidden(true);
    t.model.refresh();
    ASSERT_TRUE(t.read(top, {".config", "Audio", "films", "music", "zebra"}));
    ASSERT_TRUE(t.read(films, {".cache", "new", "older"}));
    EXPECT_EQ(music.data().toString(), "music");
    EXPECT_EQ(t.model.pathOf(music), t.path("music"));

    t.model.setShowHidden(false);
    t.model.refresh();
    ASSERT_TRUE(t.read(top, {"Audio", "films", "music", "zebra"}));
    ASSERT_TRUE(t.read(films, {"new", "older"}));
    // Read again with nothing changed: nothing moves.
    QSignalSpy inserted(&t.model, &QAbstractItemModel::rowsInserted), removed(&t.model, &QAbstractItemModel::rowsRemoved);
    ASSERT_TRUE(QDir(t.root.path()).mkdir("zzz"));
    t.model.refresh();
    ASSERT_TRUE(t.read(top, {"Audio", "films", "music", "zebra", "zzz"}));
    ASSERT_TRUE(t.read(films, {"new", "older"}));
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(removed.count(), 0);
    EXPECT_TRUE(music.isValid());

    // Folders read elsewhere (with the files) take their place at once, the rows still there kept.
    const QPersistentModelIndex older = t.model.index(1, 0, films);
    t.model.setFolders(t.path("films"), {"a", "older"});
    t.model.setFolders(t.path("nowhere"), {"x"});
    EXPECT_EQ(children(t.model, films), QStringList({"a", "older"}));
    EXPECT_EQ(older.row(), 1);
    EXPECT_FALSE(t.model.canFetchMore(films));
}

TEST(FolderTreeModel, AFolderThatCannotBeReadHasNoFoldersButTheWayToTheOneShown)
{
    TreeRig t;
    const QModelIndex top = t.model.index(0, 0);
    const QModelIndex gone = t.model.reveal(t.path("gone/deeper"));
    ASSERT_TRUE(gone.isValid());
    const QModelIndex goneParent = gone.parent();
    ASSERT_TRUE(t.read(goneParent, {"deeper"}));
    t.model.fetchMore(gone);
    EXPECT_FALSE(t.model.canFetchMore(gone));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !t.model.hasChildren(gone); }, 5000));
    EXPECT_EQ(t.model.rowCount(gone), 0);
    // Once another folder is shown, the way to the missing one goes at the next reading.
    t.model.reveal(t.path("music"));
    t.model.refresh();
    EXPECT_TRUE(t.read(top, {"films", "music", "Pictures"}));
}

}  // namespace
