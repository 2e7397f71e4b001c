// The whole program with the real engine on a real display: a movie reached in the Browse dialog
// with the keyboard alone opens, and plays.
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"

#include "browse/Browsefrm.h"
#include "engine/MpvVideoView.h"
#include "startup/Program.h"

#include <QListView>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

TEST(BrowseEndToEnd, VideoButtonThenKeysAloneOpenTheClipAndPlayMovesThePicture)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder, place;
    ASSERT_TRUE(QDir(place.path()).mkpath(QStringLiteral("films/new")));
    const QString clip = place.filePath(QStringLiteral("films/new/Clip.AVI"));
    ASSERT_TRUE(QFile::copy(RealPicture::clip25, clip));
    FakeDialogs dialogs;
    Program program(folder.path(), QString(), dialogs);
    Panelfrm &panel = program.panel;
    panel.Form_Load();
    program.prefs.set(&Prefs::lastDir, place.path());

    QTest::mouseClick(ctl(panel, "openfile"), Qt::LeftButton);
    Browsefrm *b = panel.browseDialog();
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(b));
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    ASSERT_EQ(QApplication::focusWidget(), b->dirList);

    // Down to a folder, Enter to go in; the dialog stays and nothing opens yet.
    const auto oneFolderBelow = [&] { return b->dirList->model()->rowCount(b->dirList->currentIndex()) == 1; };
    ASSERT_TRUE(QTest::qWaitFor(oneFolderBelow, 5000));
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    // The dialog moves once the folder has been read.
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->dirPath() == place.filePath(QStringLiteral("films")); }, 5000));
    EXPECT_TRUE(b->isVisible());
    EXPECT_TRUE(program.MediaPlayer1.fileName().isEmpty());

    // Down to the next folder and Tab away: the highlighted folder becomes the current one.
    ASSERT_TRUE(QTest::qWaitFor(oneFolderBelow, 5000));
    key(Qt::Key_Down);
    key(Qt::Key_Tab);
    EXPECT_TRUE(QTest::qWaitFor([&] { return b->dirPath() == place.filePath(QStringLiteral("films/new")); }, 5000));
    ASSERT_EQ(QApplication::focusWidget(), b->filList);

    // Down to the clip, Enter opens it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return b->filList->model()->rowCount(b->filList->rootIndex()) == 1; }, 5000));
    key(Qt::Key_Down);
    EXPECT_EQ(program.panel.browseDialog()->selectedFile(), clip);
    key(Qt::Key_Return);
    ASSERT_TRUE(opensEnded(program.session));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(program.MediaPlayer1.fileName(), clip);
    EXPECT_EQ(ctl(panel, "namelbl")->text(), QStringLiteral("VIDEO: CLIP.AVI"));
    EXPECT_FALSE(b->isVisible());
    EXPECT_EQ(program.prefs.values().lastDir, place.filePath(QStringLiteral("films/new")));

    QTest::mouseClick(ctl(panel, "vplay"), Qt::LeftButton);
    EXPECT_EQ(ctl(panel, "vplay")->text(), QStringLiteral("Stop"));
    MpvVideoView *video = program.MediaPlayer1.videoView();
    int first = -1, later = -1;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (first = RealPicture::frameNumber(video->picture())) > 0; }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return (later = RealPicture::frameNumber(video->picture())) > first + 10; }, 20000))
        << first << " then " << later;
    panel.Form_Unload(0);
}
