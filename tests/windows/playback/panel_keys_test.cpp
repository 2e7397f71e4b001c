// One-key commands through real key events on the panel, the video window and the overlay.
#include "browse/Browsefrm.h"
#include "playback/player.h"
#include "subtitles/subtitles.h"
#include "support/PanelFixture.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Keys : ::testing::Test {
    PanelFixture f;
    void SetUp() override
    {
        f.panel.Form_Load();
        f.openMovie();
    }
    void TearDown() override { f.panel.Form_Unload(0); }
    void type(QWidget *w, char key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(w, key, mods); }
};

}  // namespace

TEST_F(Keys, CharactersMatchTheBoxesExactlyAndTheFirstBoxWins)
{
    type(&f.panel, 'p');  // the default is upper case
    EXPECT_FALSE(f.session.isPlaying());
    type(&f.panel, 'P', Qt::ShiftModifier);
    EXPECT_TRUE(f.session.isPlaying());
    type(&f.panel, 'P', Qt::ShiftModifier);
    EXPECT_FALSE(f.session.isPlaying());

    // "Statistics" bound to P as well: only play/stop acts.
    f.settings.Text1[12]->setText(QStringLiteral("P"));
    type(&f.panel, 'P', Qt::ShiftModifier);
    EXPECT_TRUE(f.session.isPlaying());
    EXPECT_FALSE(f.mp1.calls.contains("dialog 1"));
    // An edit in a box acts at once; an emptied box binds nothing.
    f.settings.Text1[0]->clear();
    type(&f.panel, 'P', Qt::ShiftModifier);
    EXPECT_TRUE(f.mp1.calls.contains("dialog 1"));
    EXPECT_TRUE(f.session.isPlaying());

    type(&f.panel, 'S', Qt::ShiftModifier);
    EXPECT_EQ(f.panel.browseDialog()->mode(), 4);
    const double before = f.mp1.volume();
    type(&f.panel, '-');
    EXPECT_LT(f.mp1.volume(), before);
    type(&f.panel, 'K', Qt::ShiftModifier);
    EXPECT_TRUE(f.settings.isVisible());
}

TEST_F(Keys, DiscKeysRunTheCdButtonsHandlers)
{
    // "C" searches the drives as a left click does; this machine has none.
    type(&f.panel, 'C', Qt::ShiftModifier);
    EXPECT_EQ(f.dialogs.texts(), QStringList{"No CD-rom Drives found "});
    // "Q" locates a Quick ini file as a right click does.
    type(&f.panel, 'Q', Qt::ShiftModifier);
    EXPECT_EQ(f.panel.browseDialog()->mode(), 1);
    ASSERT_NE(f.panel.browseDialog(), nullptr);
    EXPECT_TRUE(f.panel.browseDialog()->isVisible());
    EXPECT_EQ(f.panel.browseDialog()->windowTitle(), "Locate Quick ini file");
}

TEST_F(Keys, ControlCharactersCanBeBoundAndExitEndsTheRunAsTheCloseBoxDoes)
{
    // Escape typed into a key box becomes its character.
    QTest::keyClick(f.settings.Text1[20], Qt::Key_Escape);
    EXPECT_EQ(f.settings.Text1[20]->text(), "\x1b");
    QTest::keyClick(&f.panel, Qt::Key_Escape);
    EXPECT_FALSE(f.panel.isVisible());
    QFile log(f.path("kelmora.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().endsWith("\r\nCreated cfg\r\nExiting\r\n"));
    EXPECT_TRUE(QFile(f.path("kelmora.cfg")).exists());
}

TEST_F(Keys, AKeyOnTheVideoWindowOrTheOverlayOnlyBringsThePanelForward)
{
    f.panel.hide();
    type(&f.panel.videoWindow(), 'P', Qt::ShiftModifier);
    EXPECT_TRUE(f.panel.isVisible());
    EXPECT_FALSE(f.session.isPlaying());
    f.panel.hide();
    type(f.panel.overlay(), 'P', Qt::ShiftModifier);
    EXPECT_TRUE(f.panel.isVisible());
    EXPECT_FALSE(f.session.isPlaying());
    type(&f.panel, 'P', Qt::ShiftModifier);
    EXPECT_TRUE(f.session.isPlaying());
}

// The overlay is shown on every tick while an entry is due: the panel keeps the keyboard throughout.
// (The offscreen platform activates every window it maps, so the first showing is left out here.)
TEST_F(Keys, KeysStillReachThePanelWhileASubtitleShows)
{
    subtitles &overlay = *f.panel.overlay();
    overlay.showOverlay();
    f.panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.panel));
    EXPECT_TRUE(overlay.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(overlay.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    for (int tick = 0; tick < 3; ++tick) {
        overlay.showOverlay();
        QApplication::processEvents();
        EXPECT_TRUE(overlay.isVisible());
        EXPECT_EQ(QApplication::activeWindow(), &f.panel);
    }
    type(&f.panel, 'P', Qt::ShiftModifier);
    EXPECT_TRUE(f.session.isPlaying());
}
