// The whole program with the real engine on a real display, worked by a new user with the keyboard
// alone: Tab to "Open video", the Browse dialog to a movie, play, pause, a seek on the position slider,
// the volume up, and "Exit". Keys go where the keyboard goes: to the window that has it.
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"

#include "browse/Browsefrm.h"
#include "engine/MpvVideoView.h"
#include "startup/Program.h"

#include <QAccessible>
#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    QAccessibleInterface *iface = w ? QAccessible::queryAccessibleInterface(w) : nullptr;
    return iface ? iface->text(QAccessible::Name) : QString();
}

void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWindow *window = QGuiApplication::focusWindow();
    ASSERT_NE(window, nullptr) << "no window has the keyboard";
    QTest::keyClick(window, key, mods);
}

// Tab until the control named `name` has the keyboard; a key on the video window only brings the
// panel forward, as the user would find.
bool tabTo(Panelfrm &panel, const QString &name)
{
    for (int i = 0; i < 30 && focusName() != name; ++i) {
        if (!QTest::qWaitFor([] { return QGuiApplication::focusWindow() != nullptr; }))
            return false;
        press(Qt::Key_Tab);
        QTest::qWaitForWindowActive(&panel);
    }
    return focusName() == name;
}

}  // namespace

TEST(KeyboardWalkEndToEnd, OpenPlayPauseSeekLouderAndExitWithKeysAlone)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder, place;
    const QString clip = place.filePath(QStringLiteral("Clip.avi"));
    ASSERT_TRUE(QFile::copy(RealPicture::clip25, clip));
    FakeDialogs dialogs;
    Program program(folder.path(), QString(), dialogs);
    Panelfrm &panel = program.panel;
    panel.Form_Load();
    program.prefs.set(&Prefs::lastDir, place.path());
    // There is no window manager here to give the start window the keyboard; it is done as one would.
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));

    ASSERT_TRUE(tabTo(panel, QStringLiteral("Open video"))) << focusName().toStdString();
    press(Qt::Key_Space);
    Browsefrm *b = panel.browseDialog();
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(b));
    EXPECT_EQ(b->windowTitle(), QStringLiteral("Locate Video file"));
    // From the folder list to the files, down to the clip, Enter.
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), b->filList);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b->filList->model()->rowCount(b->filList->rootIndex()) == 1; }, 5000));
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    ASSERT_TRUE(opensEnded(program.session));
    ASSERT_EQ(program.MediaPlayer1.fileName(), clip);
    EXPECT_TRUE(dialogs.shown.empty());

    ASSERT_TRUE(tabTo(panel, QStringLiteral("Play"))) << focusName().toStdString();
    press(Qt::Key_Space);
    EXPECT_TRUE(program.session.isPlaying());
    MpvVideoView *video = program.MediaPlayer1.videoView();
    int first = -1;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (first = RealPicture::frameNumber(video->picture())) > 0; }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return RealPicture::frameNumber(video->picture()) > first + 10; }, 20000));
    press(Qt::Key_Space);
    EXPECT_FALSE(program.session.isPlaying());

    // Five seconds on, at 25 frames a second.
    ASSERT_TRUE(tabTo(panel, QStringLiteral("Position")));
    const double before = program.MediaPlayer1.currentPosition();
    press(Qt::Key_Right);
    EXPECT_EQ(program.MediaPlayer1.currentPosition(), before + 125);

    // It starts at the loudest: down two notches, then up one.
    ASSERT_TRUE(tabTo(panel, QStringLiteral("Volume")));
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    const int quieter = program.MediaPlayer1.volume();
    EXPECT_LT(quieter, 0);
    press(Qt::Key_Up);
    EXPECT_GT(program.MediaPlayer1.volume(), quieter);

    ASSERT_TRUE(tabTo(panel, QStringLiteral("Exit")));
    press(Qt::Key_Space);
    EXPECT_FALSE(panel.isVisible());
    QFile log(folder.filePath(QStringLiteral("kelmora.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().endsWith("Created cfg\r\nExiting\r\n"));
}
