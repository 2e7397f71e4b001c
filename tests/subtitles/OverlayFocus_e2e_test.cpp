// On a real display the overlay, shown on every tick while an entry is due and made topmost by the
// transparency set-up, never takes the keyboard from the panel.
#include "support/FakeDialogs.h"
#include "support/PanelFixture.h"

#include "startup/Program.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QGuiApplication>
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
    panel.settingsForm->Transsub->setChecked(true);
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));

    subtitles &overlay = *panel.subtitlesForm;
    program.app.overlayState = 2;  // the lead-in entry is due: the first showing runs the set-up
    for (int tick = 0; tick < 4; ++tick) {
        overlay.showOverlay();
        QTest::qWait(150);
        EXPECT_TRUE(overlay.isVisible()) << tick;
        EXPECT_EQ(QGuiApplication::focusWindow(), panel.windowHandle()) << tick;
    }
    EXPECT_EQ(program.app.overlayState, 3);
    EXPECT_TRUE(overlay.windowFlags() & Qt::WindowStaysOnTopHint);
    panel.Form_Unload(0);
}
