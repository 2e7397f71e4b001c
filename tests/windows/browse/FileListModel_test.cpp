// The Browse dialog's file list without the dialog: it moves to a folder only once the folder has been
// read, the last folder asked for wins, and reading a folder again changes the rows only when the
// folder changed.
#include "browse/FileListModel.h"

#include "support/UserLocale.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Folders {
    QTemporaryDir root;
    QString make(const QString &folder, const QStringList &files)
    {
        const QString path = root.filePath(folder);
        QDir().mkpath(path);
        for (const QString &f : files)
            QFile(path + QLatin1Char('/') + f).open(QIODevice::WriteOnly);
        return path;
    }
};

QStringList rows(const FileListModel &model)
{
    QStringList names;
    for (int r = 0; r < model.rowCount(); ++r)
        names << model.index(r).data().toString();
    return names;
}

TEST(FileListModel, MovesToAFolderOnlyOnceItHasBeenRead)
{
    const UserLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
    Folders f;
    const QString films = f.make("films", {"clip 10.avi", "Clip 9.AVI", "notes.txt"});
    f.make("films/extras.avi", {});
    FileListModel model;
    QAbstractItemModelTester checked(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy listed(&model, &FileListModel::listed), refused(&model, &FileListModel::refused);
    model.setFilters(QDir::Files | QDir::NoDotAndDotDot, {"*.avi"});
    model.list(films);
    EXPECT_EQ(model.rowCount(), 0);
    ASSERT_TRUE(listed.wait(5000));
    EXPECT_EQ(listed[0][0].toString(), films);
    EXPECT_EQ(listed[0][1].toStringList(), QStringList{"extras.avi"});
    EXPECT_EQ(model.folder(), films);
    EXPECT_EQ(rows(model), QStringList({"Clip 9.AVI", "clip 10.avi"}));
    EXPECT_EQ(model.fileName(model.indexOf("clip 10.avi")), "clip 10.avi");

    // A folder that cannot be read leaves the list as it was.
    const struct {
        const char *what;
        QString folder;
    } refusals[] = {{"gone", f.root.filePath("gone")}, {"a file", films + "/notes.txt"}};
    for (const auto &r : refusals) {
        SCOPED_TRACE(r.what);
        refused.clear();
        model.list(r.folder);
        ASSERT_TRUE(refused.wait(5000));
        EXPECT_EQ(refused[0][0].toString(), r.folder);
        EXPECT_EQ(model.folder(), films);
        EXPECT_EQ(rows(model), QStringList({"Clip 9.AVI", "clip 10.avi"}));
    }

    // The folder shown, gone since: nothing of it is left.
    refused.clear();
    ASSERT_TRUE(QDir(films).removeRecursively());
    model.list(films);
    ASSERT_TRUE(refused.wait(5000));
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(FileListModel, TheLastFolderAskedForWinsAndItsFiltersAreReadOnce)
{
    Folders f;
    const QString a = f.make("a", {"1.avi"}), b = f.make("b", {"2.avi", "2.txt"});
    FileListModel model;
    QSignalSpy listed(&model, &FileListModel::listed);
    model.list(a);
    model.list(b);
    model.setFilters(QDir::Files | QDir::NoDotAndDotDot, {"*.txt"});
    ASSERT_TRUE(listed.wait(5000));
    // Another folder would come by now, were it asked for: a refusal of a missing one tells the queue is through.
    QSignalSpy refused(&model, &FileListModel::refused);
    model.list(f.root.filePath("none"));
    ASSERT_TRUE(refused.wait(5000));
    ASSERT_EQ(listed.count(), 1);
    EXPECT_EQ(listed[0][0].toString(), b);
    EXPECT_EQ(rows(model), QStringList{"2.txt"});
}

TEST(FileListModel, AFolderReadAgainChangesTheRowsOnlyWhenItChanged)
{
    Folders f;
    const QString films = f.make("films", {"a.avi", "c.avi"});
    FileListModel model;
    QSignalSpy listed(&model, &FileListModel::listed), reset(&model, &QAbstractItemModel::modelReset);
    model.list(films);
    ASSERT_TRUE(listed.wait(5000));
    ASSERT_EQ(reset.count(), 1);

    model.refresh();
    ASSERT_TRUE(listed.wait(5000));
    EXPECT_EQ(reset.count(), 1);

    QFile(films + "/b.avi").open(QIODevice::WriteOnly);
    model.refresh();
    ASSERT_TRUE(listed.wait(5000));
    EXPECT_EQ(reset.count(), 2);
    EXPECT_EQ(rows(model), QStringList({"a.avi", "b.avi", "c.avi"}));
}

}  // namespace
