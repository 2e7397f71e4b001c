// On a real display the overlay, shown on every tick while an entry is due and made topmost by the
// transparency set-up, never takes the keyboard from the panel; without that set-up it is an ordinary
// window that a cue does not raise.
#include "support/FakeDialogs.h"
#include "support/PanelFixture.h"

#include "startup/Program.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

TEST(OverlayFocusEndToEnd, ShowingTheOverlayLeavesTheKeyboardWithThePanel)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    Program program(folder.path(), QString(), dialogs);
    Panelfrm &panel = program.panel;
    panel.Form_Load();
    program.prefs.set(&Prefs::transparent, true);
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));

    subtitles &overlay = *panel.overlay();
    for (int tick = 0; tick < 4; ++tick) {
        // The lead-in entry is due: its first showing runs the set-up. Once the display has answered
        // all that asked of it, the keyboard is still where it was.
        overlay.showCue(QString());
        QGuiApplication::sync();
        EXPECT_TRUE(overlay.isVisible()) << tick;
        EXPECT_EQ(QGuiApplication::focusWindow(), panel.windowHandle()) << tick;
    }
    EXPECT_EQ(overlay.overlayState(), 3);
    EXPECT_TRUE(overlay.windowFlags() & Qt::WindowStaysOnTopHint);
    panel.Form_Unload(0);
}

TEST(OverlayFocusEndToEnd, AnOrdinaryOverlayStaysBehindAWindowRaisedOverItWhileCuesShow)
{
    Preferences prefs;
    FakeDesktop desktop;
    FakeDialogs dialogs;
    subtitles overlay(prefs, desktop, dialogs);
    overlay.move(100, 100);
    overlay.setCaption(QStringLiteral("first"));
    overlay.showOverlay();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&overlay));

    // A white window brought forward over the overlay's black ground.
    QWidget cover(nullptr, Qt::FramelessWindowHint);
    QPalette white = cover.palette();
    white.setColor(QPalette::Window, Qt::white);
    cover.setPalette(white);
    cover.setAutoFillBackground(true);
    cover.setGeometry(150, 120, 200, 50);
    cover.show();
    cover.raise();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
    const auto screenAt = [] { return QGuiApplication::primaryScreen()->grabWindow(0, 250, 145, 1, 1).toImage().pixel(0, 0); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return screenAt() == qRgb(255, 255, 255); }, 5000));

    for (int cue = 0; cue < 4; ++cue) {
        overlay.setCaption(QStringLiteral("cue %1").arg(cue));
        overlay.showOverlay();
    }
    // A raised overlay would paint its black over the window once the display has taken the showings
    // and the overlay has drawn what they exposed.
    QGuiApplication::sync();
    QGuiApplication::sync();
    EXPECT_EQ(screenAt(), qRgb(255, 255, 255));
}
