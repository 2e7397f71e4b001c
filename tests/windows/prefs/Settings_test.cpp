#include "prefs/Settings.h"

#include "playback/player.h"
#include "support/PanelFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The dialog as the program has it: attached to the panel's video window and movie engine.
struct SettingsWindow : ::testing::Test {
    PanelFixture f;
    Settings &dlg = f.settings;
    FakeEngine &engine = f.mp1;
    FakeDesktop &desktop = f.desktop;
    player &window = f.panel.videoWindow();

    // A movie of the given aspect opened in window mode, its picture `widthTwips` wide.
    void openVideo(double widthTwips, double aspect)
    {
        engine.imageHeight = 272;
        engine.imageWidth = int(aspect * 272);
        f.openMovie();
        f.session.placePicture({0, 0, 0, widthTwips, engine.height()});
    }
};

TEST_F(SettingsWindow, LayoutAndDesignValues)
{
    EXPECT_EQ(dlg.windowTitle(), "Settings");
    EXPECT_EQ(dlg.size(), QSize(633, 529));
    EXPECT_EQ(dlg.Command1->text(), "Accept");
    EXPECT_EQ(dlg.Command1->toolTip(), "OKey");
    EXPECT_EQ(dlg.Command1->geometry(), QRect(8, 200, 89, 33));
    EXPECT_EQ(dlg.Playerfrm->geometry(), QRect(368, 264, 257, 257));
    // Time and Frames are a pair of their own, apart from Elapsed and Remaining.
    EXPECT_TRUE(dlg.Elapsed->isChecked());
    EXPECT_TRUE(dlg.Time->isChecked());
    dlg.Frames->setChecked(true);
    EXPECT_TRUE(dlg.Elapsed->isChecked());
    dlg.Remaining->setChecked(true);
    EXPECT_TRUE(dlg.Frames->isChecked());
    EXPECT_EQ(dlg.Panscan->text(), "10");
    EXPECT_EQ(dlg.Panscan->maxLength(), 3);
    EXPECT_EQ(dlg.SubCombo->currentText(), "None");
    EXPECT_EQ(dlg.LangCombo->currentText(), "DEFAULT");
    EXPECT_EQ(dlg.OverlayFrame->text(), "30");
    EXPECT_EQ(dlg.delaytxt->text(), "0");
    EXPECT_EQ(dlg.Label[0]->text(), "play/stop");
    EXPECT_EQ(dlg.Text1[0]->text(), "P");
    EXPECT_EQ(dlg.Label[20]->text(), "EXIT");
    EXPECT_EQ(dlg.Text1[20]->text(), "X");
    EXPECT_EQ(dlg.Text1[17]->text(), "*");
    for (QLineEdit *box : dlg.Text1) {
        EXPECT_EQ(box->maxLength(), 2);  // one character, which may be two UTF-16 units
        EXPECT_TRUE(dlg.Keyboardfrm->rect().contains(box->geometry()));
    }
}

TEST_F(SettingsWindow, ColumnGroupsAndControlsAtTheirDesignPlaces)
{
    const QList<QPushButton *> column{dlg.Subtitlescmd, dlg.Skinscmd, dlg.Playercmd, dlg.Keyboardcmd,
                                      dlg.Command3,     dlg.Command4, dlg.Command1};
    const QStringList captions{"Subtitles", "Skins", "Player", "Keyboard", "OSD", "Command4", "Accept"};
    for (int i = 0; i < column.size(); ++i) {
        EXPECT_EQ(column[i]->text(), captions[i]);
        EXPECT_EQ(column[i]->geometry(), QRect(8, 8 + 32 * i, 89, 33)) << i;
    }
    EXPECT_EQ(dlg.Label10->geometry(), QRect(6, 6, 92, 228));
    EXPECT_EQ(dlg.subtitlesfrm->geometry(), QRect(104, 0, 257, 257));
    EXPECT_EQ(dlg.Skins->geometry(), QRect(368, 0, 257, 257));
    EXPECT_EQ(dlg.Keyboardfrm->geometry(), QRect(104, 264, 257, 257));
    for (QGroupBox *g : {dlg.subtitlesfrm, dlg.Skins, dlg.Keyboardfrm, dlg.Playerfrm})
        EXPECT_TRUE(g->title().isEmpty());
    // Check boxes and options lower than their indicator grow about the middle of their place.
    const auto designPlace = [](const QWidget *w) {
        const QRect g = w->geometry();
        return QRect(g.x(), g.center().y() - 6, g.width(), 13);
    };
    EXPECT_EQ(designPlace(dlg.Transsub), QRect(8, 24, 125, 13));
    EXPECT_EQ(dlg.OverlayFrame->geometry(), QRect(96, 136, 33, 17));
    EXPECT_EQ(dlg.HScroll1->geometry(), QRect(16, 56, 73, 17));
    EXPECT_EQ(dlg.Panscan->geometry(), QRect(192, 192, 29, 17));
    EXPECT_EQ(dlg.Frames->parentWidget(), dlg.Playerfrm);
    EXPECT_EQ(designPlace(dlg.Frames), QRect(92, 120, 61, 13));
    EXPECT_EQ(dlg.Frame2->title(), "Tracker Shows:");
    EXPECT_EQ(dlg.autoreverse->toolTip(), "Go to start of the Movie after it finishes playing");
}

TEST_F(SettingsWindow, TheTwoTrackerPairsNeverTouchEachOther)
{
    dlg.Frames->setChecked(true);
    dlg.Remaining->setChecked(true);
    dlg.Time->setChecked(true);
    EXPECT_TRUE(dlg.Remaining->isChecked());
    EXPECT_FALSE(dlg.Frames->isChecked());
    dlg.Elapsed->setChecked(true);
    EXPECT_TRUE(dlg.Time->isChecked());
    EXPECT_FALSE(dlg.Remaining->isChecked());
    dlg.show();
    QTest::mouseClick(dlg.Frames, Qt::LeftButton, {}, QPoint(4, 6));
    EXPECT_TRUE(dlg.Frames->isChecked());
    EXPECT_FALSE(dlg.Time->isChecked());
    EXPECT_TRUE(dlg.Elapsed->isChecked());
}

TEST_F(SettingsWindow, AcceptAndCloseHideAndKeepValues)
{
    dlg.show();
    dlg.Autoplay->setChecked(true);
    dlg.Panscan->setText(QStringLiteral("5"));
    dlg.Command1->click();
    EXPECT_FALSE(dlg.isVisible());
    dlg.show();
    dlg.Text1[3]->setText(QStringLiteral("v"));
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.Autoplay->isChecked());
    EXPECT_EQ(dlg.Panscan->text(), "5");
    EXPECT_EQ(dlg.Text1[3]->text(), "v");
}

TEST_F(SettingsWindow, SliderDisabledWithoutVideoAndEnabledAfterOpen)
{
    dlg.Form_Activate();
    EXPECT_FALSE(dlg.HScroll1->isEnabled());
    openVideo(640 * 15, 640.0 / 272.0);
    dlg.Form_Activate();
    EXPECT_TRUE(dlg.HScroll1->isEnabled());
    EXPECT_EQ(dlg.HScroll1->maximum(), 15360);
    EXPECT_EQ(dlg.HScroll1->value(), 640);
    EXPECT_EQ(window.size(), QSize(640, 272));
    EXPECT_EQ(engine.displaySize(), 4);
}

TEST_F(SettingsWindow, SliderSizesWindowOnlyInWindowMode)
{
    openVideo(640 * 15, 2.0);
    f.panel.zoom(1);
    dlg.Form_Activate();
    dlg.HScroll1->setValue(500);
    EXPECT_EQ(window.size(), QSize(1024, 768));
    EXPECT_DOUBLE_EQ(engine.width(), 1024 * 15);

    f.panel.zoom(0);
    window.setTwipLeft(90);
    dlg.HScroll1->setValue(400);
    EXPECT_EQ(window.pos(), QPoint(6, 0));  // only the size follows
    EXPECT_EQ(window.size(), QSize(400, 200));
    EXPECT_DOUBLE_EQ(window.twipWidth(), 6000);
    EXPECT_DOUBLE_EQ(window.twipHeight(), 3000);
    EXPECT_DOUBLE_EQ(engine.width(), 6000);
    EXPECT_DOUBLE_EQ(engine.height(), 3000);
    EXPECT_EQ(engine.displaySize(), 4);
}

TEST_F(SettingsWindow, WideScreenMaximumStaysInSixteenBits)
{
    desktop.widthPx = 4000;  // 60000 twips
    openVideo(640 * 15, 2.0);
    dlg.Form_Activate();
    EXPECT_EQ(dlg.HScroll1->maximum(), 32767);
}

}  // namespace
