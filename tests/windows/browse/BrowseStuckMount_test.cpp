// The Browse dialog over a folder that holds a mount that never answers, as a hung network share does:
// listing that folder, moving on from it and ending the run never wait for the mount; nor does anything
// done in a folder listed whole that stops answering after. Runs in a mount namespace of its own (ctest
// starts it through in_private_mounts.sh).
#include "support/PanelFixture.h"
#include "support/StuckMount.h"
#include "support/Watchdog.h"

#include "browse/Browsefrm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

TEST(BrowseWithAStuckMount, ListingItMovingOnAndEndingTheRunNeverWait)
{
    if (!StuckMount::privateNamespace())
        GTEST_SKIP() << "needs a mount namespace of its own (ctest runs it under unshare --mount)";
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("net")));
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("films")));
    // Made first, so that it goes last: its end releases whatever still waits on it.
    StuckMount stuck(home.path() + QStringLiteral("/net"));
    ASSERT_TRUE(stuck.mounted());

    auto rig = std::make_unique<PanelFixture>();
    rig->panel.Form_Load();
    rig->drives.volumeList = {{QStringLiteral("Home"), home.path(), true}};
    rig->prefs.set(&Prefs::lastDir, home.path());
    {
        const Watchdog watch("showing the folder");
        rig->panel.showBrowse(2, QStringLiteral("Locate Video file"));
        // Until the folder is listed, the mount among its folders.
        const QTreeView *folders = rig->panel.browseDialog()->dirList;
        ASSERT_TRUE(QTest::qWaitFor([&] { return folders->model()->rowCount(folders->currentIndex()) == 2; }, 5000));
    }
    {
        const Watchdog watch("moving to another folder");
        const QString films = home.path() + QStringLiteral("/films");
        rig->panel.browseDialog()->setDirPath(films);
        ASSERT_TRUE(QTest::qWaitFor([&] { return rig->panel.browseDialog()->dirPath() == films; }, 5000));
        rig->panel.browseDialog()->hide();
    }
    {
        const Watchdog watch("ending the run");
        rig->panel.Form_Unload(0);
        rig.reset();
    }
}

TEST(BrowseWithAStuckMount, AFolderThatStopsAnsweringAfterItWasListedNeverHoldsTheDialog)
{
    if (!StuckMount::privateNamespace())
        GTEST_SKIP() << "needs a mount namespace of its own (ctest runs it under unshare --mount)";
    QTemporaryDir home;
    const QString films = home.filePath(QStringLiteral("films")), other = home.filePath(QStringLiteral("other"));
    for (const QString &folder : {films + QStringLiteral("/inner"), other})
        ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString &file : {films + QStringLiteral("/a.avi"), films + QStringLiteral("/b.avi"), other + QStringLiteral("/c.avi")})
        ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    // Made before the panel, so that it goes last: its end releases whatever still waits on it.
    std::optional<StuckMount> stuck;

    auto rig = std::make_unique<PanelFixture>();
    rig->panel.Form_Load();
    rig->drives.volumeList = {{QStringLiteral("Home"), home.path(), true}};
    rig->prefs.set(&Prefs::lastDir, films);
    rig->panel.showBrowse(2, QStringLiteral("Locate Video file"));
    Browsefrm &b = *rig->panel.browseDialog();
    const auto rowsBelow = [&](QAbstractItemView *view, const QModelIndex &at) { return view->model()->rowCount(at); };
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return b.dirPath() == films && rowsBelow(b.filList, b.filList->rootIndex()) == 2
               && rowsBelow(b.dirList, b.dirList->currentIndex()) == 1;
    }, 5000));

    // Listed whole, the folder stops answering: a mount that never answers stands where it was.
    stuck.emplace(films);
    ASSERT_TRUE(stuck->mounted());
    {
        const Watchdog watch("using the dialog on the folder that stopped answering");
        // Every row drawn again, a file chosen, the list read again with other filters and on showing again.
        b.grab();
        const QModelIndex second = b.filList->model()->index(1, 0, b.filList->rootIndex());
        QTest::mouseClick(b.filList->viewport(), Qt::LeftButton, {}, b.filList->visualRect(second).center());
        EXPECT_EQ(rig->panel.browseDialog()->selectedFile(), films + QStringLiteral("/b.avi"));
        QTest::mouseClick(b.Check1, Qt::LeftButton);
        b.CmbFilter->setCurrentIndex(1);
        b.hide();
        rig->panel.showBrowse(2, QStringLiteral("Locate Video file"));
        // Its folder highlighted and left: the dialog stays where it is while that folder says nothing.
        b.dirList->setCurrentIndex(b.dirList->model()->index(0, 0, b.dirList->currentIndex()));
        b.dirList_LostFocus();
        b.grab();
        EXPECT_EQ(b.dirPath(), films);
        // A folder that answers is reached as ever.
        b.setDirPath(other);
        ASSERT_TRUE(QTest::qWaitFor([&] { return b.dirPath() == other; }, 5000));
        const QModelIndex only = b.filList->model()->index(0, 0, b.filList->rootIndex());
        EXPECT_EQ(only.data().toString(), QStringLiteral("c.avi"));
        EXPECT_EQ(rowsBelow(b.filList, b.filList->rootIndex()), 1);
    }
    {
        const Watchdog watch("ending the run");
        rig->panel.Form_Unload(0);
        rig.reset();
    }
}

}  // namespace
