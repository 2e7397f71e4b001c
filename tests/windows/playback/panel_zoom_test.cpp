// Window modes of the video window, pan and scan, and the panel's own window buttons.
#include "playback/PanScan.h"
#include "playback/player.h"
#include "support/PanelFixture.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A 640 x 272 movie on the double's 1024 x 768 screen at 15 twips per pixel.
struct Zoom : ::testing::Test {
    PanelFixture f;
    player &window = f.panel.videoWindow();

    void SetUp() override
    {
        f.mp1.imageWidth = 640;
        f.mp1.imageHeight = 272;
        f.openMovie();
    }
    QRectF windowTwips() const
    {
        return {window.twipLeft(), window.twipTop(), window.twipWidth(), window.twipHeight()};
    }
    QRectF engineTwips() const { return {f.mp1.left(), f.mp1.top(), f.mp1.width(), f.mp1.height()}; }
};

TEST_F(Zoom, OpeningWithoutFullscreenPreferenceShowsTheOwnSize)
{
    EXPECT_EQ(f.session.zoomMode(), 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.size(), QSize(640, 272));
    EXPECT_EQ(engineTwips(), QRectF(0, 0, 9600, 4080));
    EXPECT_EQ(f.mp1.displaySize(), 0);
    EXPECT_EQ(f.desktop.calls, QStringList{"show"});
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "Window mode");
}

TEST_F(Zoom, ZoomTogglesBetweenFullscreenAndTheOwnSizeAtTheCorner)
{
    window.setTwipLeft(3000);
    window.setTwipTop(1500);
    QTest::mouseClick(ctl(f.panel, "cmdzoom"), Qt::LeftButton);
    EXPECT_EQ(f.session.zoomMode(), 1);
    EXPECT_EQ(windowTwips(), QRectF(0, 0, 15360, 11520));
    EXPECT_EQ(engineTwips(), QRectF(0, 0, 15360, 11520));
    EXPECT_EQ(f.mp1.displaySize(), 4);
    EXPECT_TRUE(f.desktop.taskbarHidden);
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "Fullscreen mode");

    QTest::mouseClick(ctl(f.panel, "cmdzoom"), Qt::LeftButton);
    EXPECT_EQ(f.session.zoomMode(), 0);
    EXPECT_EQ(windowTwips(), QRectF(0, 0, 9600, 4080));
    EXPECT_EQ(f.mp1.displaySize(), 0);
    EXPECT_FALSE(f.desktop.taskbarHidden);
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "Window mode");
}

TEST_F(Zoom, FullscreenLeavesAHiddenWindowHidden)
{
    window.hide();
    f.panel.zoom(1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(windowTwips(), QRectF(0, 0, 15360, 11520));
}

TEST_F(Zoom, PanAndScanOverhangsEquallyAndZoomThenGoesToWindowMode)
{
    f.panel.zoom(1);
    f.panel.pan_n_scan43();
    EXPECT_EQ(f.session.zoomMode(), 0);
    EXPECT_EQ(windowTwips(), QRectF(0, 0, 15360, 11520));
    EXPECT_EQ(f.mp1.left(), -10390);
    EXPECT_NEAR(f.mp1.width(), 36141.18, 0.01);
    EXPECT_EQ(f.mp1.height(), 11520);
    EXPECT_EQ(f.mp1.top(), 0);
    EXPECT_EQ(f.mp1.displaySize(), 4);
    EXPECT_TRUE(f.desktop.taskbarHidden);
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "Window mode");

    f.panel.cmdzoom_Click();
    EXPECT_EQ(f.session.zoomMode(), 0);
    EXPECT_EQ(windowTwips(), QRectF(0, 0, 9600, 4080));
    EXPECT_FALSE(f.desktop.taskbarHidden);
}

TEST_F(Zoom, PanAndScanRatioFive)
{
    f.settings.Panscan->setText(QStringLiteral("5"));
    f.panel.pan_n_scan43();
    EXPECT_NEAR(f.mp1.width(), 72282.35, 0.01);
    EXPECT_EQ(f.mp1.left(), -28461);
}

TEST(PanScan, RatioFactor)
{
    EXPECT_EQ(PanScan::factor("10"), 1);
    EXPECT_EQ(PanScan::factor("5"), 2);
    EXPECT_EQ(PanScan::factor("8"), 1.25);
    EXPECT_EQ(PanScan::factor("1"), 10);
    EXPECT_EQ(PanScan::factor("19"), 1);
    EXPECT_EQ(PanScan::factor("20"), 2);
    for (const char *tenLike : {"0", "", "abc", "-5", "0.4"})
        EXPECT_EQ(PanScan::factor(tenLike), 1) << tenLike;
}

TEST_F(Zoom, WindowSizeSliderFollowsOnlyInWindowMode)
{
    f.settings.Form_Activate();
    EXPECT_EQ(f.settings.HScroll1->value(), 640);
    f.settings.HScroll1->setValue(320);
    EXPECT_EQ(window.size(), QSize(320, 136));
    EXPECT_EQ(f.mp1.width(), 4800);
    EXPECT_EQ(f.mp1.displaySize(), 4);

    // Stretched by the slider, the first Zoom goes back to the own size, only the second fills the screen.
    f.panel.cmdzoom_Click();
    EXPECT_EQ(window.size(), QSize(640, 272));
    f.panel.cmdzoom_Click();
    EXPECT_EQ(window.size(), QSize(1024, 768));
    f.settings.HScroll1->setValue(200);
    EXPECT_EQ(window.size(), QSize(1024, 768));
    EXPECT_EQ(f.mp1.width(), 15360);
}

// The Qt desktop maps the taskbar onto the video window's full-screen state.
TEST(ZoomOnDesktop, FullscreenIsTheWindowsRealStateAndWindowModeComesBackAtItsSize)
{
    AppState app;
    FakeEngine mp1, mp2;
    QtDesktop desktop;
    FakeDialogs dialogs;
    RunLog log{app};
    FakeDrives drives;
    Preferences prefs;
    PlayerSession session{app, mp1, mp2, log, prefs};
    Panelfrm panel{PanelContext{app, session, prefs, desktop, dialogs, log, drives}};
    player &window = panel.videoWindow();
    mp1.imageWidth = 640;
    mp1.imageHeight = 272;
    prefs.set(&Prefs::fullscreen, true);
    window.show();
    QCoreApplication::processEvents();
    panel.openVideo(QStringLiteral("/m/clip.avi"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.windowState() & Qt::WindowFullScreen);

    panel.cmdzoom_Click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(window.geometry(), QRect(0, 0, 640, 272));

    panel.pan_n_scan43();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.windowState() & Qt::WindowFullScreen);
    panel.exitLbl_Click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.windowState() & Qt::WindowFullScreen);
}

struct PanelWindow : ::testing::Test {
    PanelFixture f;
    void SetUp() override { f.panel.show(); }
};

TEST_F(PanelWindow, BackgroundDragMovesThePanelButALabelDoesNot)
{
    QTest::mousePress(ctl(f.panel, "vplay"), Qt::LeftButton);
    QTest::mouseRelease(ctl(f.panel, "vplay"), Qt::LeftButton);
    EXPECT_TRUE(f.desktop.calls.isEmpty());
    const QPoint background(10, 10);
    ASSERT_EQ(f.panel.childAt(background), nullptr);
    QTest::mousePress(&f.panel, Qt::RightButton, {}, background);
    EXPECT_TRUE(f.desktop.calls.isEmpty());
    QTest::mousePress(&f.panel, Qt::LeftButton, {}, background);
    EXPECT_EQ(f.desktop.calls, QStringList{"move"});
}

TEST_F(PanelWindow, PointerIsTheMoveArrowOverTheBackgroundAndTheArrowOverControls)
{
    QTest::mouseMove(&f.panel, QPoint(10, 10));
    EXPECT_EQ(f.panel.cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseMove(ctl(f.panel, "stats"));
    EXPECT_EQ(f.panel.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(&f.panel, QPoint(10, 10));
    QTest::mouseMove(ctl(f.panel, "VideoPos"));
    EXPECT_EQ(f.panel.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(PanelWindow, SmallButtons)
{
    QTest::mouseClick(ctl(f.panel, "stats"), Qt::LeftButton);
    EXPECT_EQ(f.mp1.calls, QStringList{"dialog 1"});

    QTest::mouseClick(ctl(f.panel, "LabelAbout"), Qt::LeftButton);
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    const QStringList lines = f.dialogs.shown[0].text.split(QChar(13));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1], "version 3.0.0");
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_FALSE(lines[0].isEmpty());
    EXPECT_FALSE(lines[3].isEmpty());
    EXPECT_FALSE(f.dialogs.shown[0].text.contains('\n'));
    EXPECT_EQ(f.dialogs.shown[0].icon, Dialogs::Icon::Information);
    EXPECT_TRUE(f.dialogs.shown[0].title.isEmpty());

    QTest::mouseClick(ctl(f.panel, "minim"), Qt::LeftButton);
    EXPECT_TRUE(f.panel.windowState() & Qt::WindowMinimized);
}

TEST_F(PanelWindow, PrefTogglesTheDialogAndLogs)
{
    f.log.open(f.path("kelmora.log"));
    QTest::mouseClick(ctl(f.panel, "Prefers"), Qt::LeftButton);
    EXPECT_TRUE(f.settings.isVisible());
    QTest::mouseClick(ctl(f.panel, "Prefers"), Qt::LeftButton);
    EXPECT_FALSE(f.settings.isVisible());
    f.log.close();
    QFile file(f.path("kelmora.log"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "PrefS\r\nPrefS\r\n");
}

TEST_F(PanelWindow, ExitShowsTheTaskbarAndShutsDown)
{
    f.panel.zoom(1);
    ASSERT_TRUE(f.desktop.taskbarHidden);
    QTest::mouseClick(ctl(f.panel, "exitLbl"), Qt::LeftButton);
    EXPECT_FALSE(f.desktop.taskbarHidden);
    EXPECT_FALSE(f.panel.isVisible());
}

}  // namespace

namespace {

void sendMouse(QWidget *w, QEvent::Type type, QPoint local, QPoint global, Qt::MouseButtons held)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(local), QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}  // namespace

TEST_F(PanelWindow, WhereTheSystemWillNotMoveItThePanelFollowsTheMouseItself)
{
    for (const bool systemMoves : {false, true}) {
        f.desktop.systemMoves = systemMoves;
        f.panel.move(100, 50);
        const QPoint start = f.panel.pos();
        // Pressed on the background at 10,10 and dragged by 40,30, then released and moved on.
        sendMouse(&f.panel, QEvent::MouseButtonPress, {10, 10}, start + QPoint(10, 10), Qt::LeftButton);
        sendMouse(&f.panel, QEvent::MouseMove, {30, 20}, start + QPoint(30, 20), Qt::LeftButton);
        sendMouse(&f.panel, QEvent::MouseMove, {50, 40}, start + QPoint(50, 40), Qt::LeftButton);
        const QPoint dragged = f.panel.pos();
        sendMouse(&f.panel, QEvent::MouseButtonRelease, {10, 10}, dragged + QPoint(10, 10), Qt::NoButton);
        sendMouse(&f.panel, QEvent::MouseMove, {70, 70}, dragged + QPoint(70, 70), Qt::NoButton);
        EXPECT_EQ(dragged, systemMoves ? start : start + QPoint(40, 30)) << systemMoves;
        EXPECT_EQ(f.panel.pos(), dragged) << systemMoves;
        EXPECT_EQ(f.panel.cursor().shape(), Qt::SizeAllCursor);
    }
    // A press on a control never moves the panel.
    f.desktop.systemMoves = false;
    const QPoint start = f.panel.pos();
    const QPoint onPlay = ctl(f.panel, "vplay")->geometry().center();
    sendMouse(ctl(f.panel, "vplay"), QEvent::MouseButtonPress, {3, 3}, start + onPlay, Qt::LeftButton);
    sendMouse(ctl(f.panel, "vplay"), QEvent::MouseMove, {30, 3}, start + onPlay + QPoint(27, 0), Qt::LeftButton);
    sendMouse(ctl(f.panel, "vplay"), QEvent::MouseButtonRelease, {30, 3}, start + onPlay + QPoint(27, 0), Qt::NoButton);
    EXPECT_EQ(f.panel.pos(), start);
}
