// The Preferences window, the font dialog, the Browse dialog and the selection window for the keyboard
// and for assistive tools: every control the Tab key reaches is named, Escape closes as the close box
// does, Enter presses the default button (or the focused one) and leaves the keys a control keeps.
#include "support/PanelFixture.h"

#include "browse/Browsefrm.h"
#include "disc/SelectFrm.h"
#include "playback/LabelButton.h"
#include "prefs/fontselfrm.h"
#include "subtitles/subtitles.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// What a screen reader says a control is called: its name, or the caption that labels it. A combo
// box's name is its current entry there; without a caption, its description says what it holds.
QString spokenLabel(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    const auto labels = iface->relations(QAccessible::Label);
    if (!labels.isEmpty())
        return labels.first().first->text(QAccessible::Name);
    if (qobject_cast<QComboBox *>(w))
        return iface->text(QAccessible::Description);
    return iface->text(QAccessible::Name);
}

struct Windows : ::testing::Test {
    PanelFixture f;
    subtitles *overlay = new subtitles(f.prefs, f.desktop, f.dialogs);

    Windows() { f.panel.attachOverlay(overlay); }

    fontselfrm *fontDialog()
    {
        f.settings.fontsel->click();
        return f.settings.fontDialog;
    }
    Browsefrm *browse()
    {
        f.panel.showBrowse(4, QStringLiteral("Locate Subtitles"));
        return f.panel.browseDialog();
    }
    SelectFrm *selection()
    {
        f.panel.LblScenes_Click();
        return f.panel.selection();
    }
    // Shown and given the keyboard, as the user finds a window they opened.
    static void activate(QWidget *w)
    {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    static void key(QWidget *w, Qt::Key k) { QTest::keyClick(w, k); }
};

}  // namespace

TEST_F(Windows, EveryControlTheTabKeyReachesIsNamed)
{
    const struct {
        const char *what;
        std::function<QWidget *()> open;
    } windows[] = {
        {"Preferences", [&] { return static_cast<QWidget *>(&f.settings); }},
        {"font dialog", [&] { return static_cast<QWidget *>(fontDialog()); }},
        {"Browse dialog", [&] { return static_cast<QWidget *>(browse()); }},
        {"selection window", [&] { return static_cast<QWidget *>(selection()); }},
    };
    for (const auto &w : windows) {
        SCOPED_TRACE(w.what);
        QWidget *window = w.open();
        ASSERT_NE(window, nullptr);
        int reached = 0;
        for (QWidget *c : window->findChildren<QWidget *>()) {
            // A combo box's own line edit and list speak for the box.
            if (!(c->focusPolicy() & Qt::TabFocus) || c->focusProxy() || c->window() != window
                || qobject_cast<QComboBox *>(c->parentWidget()))
                continue;
            ++reached;
            EXPECT_FALSE(spokenLabel(c).trimmed().isEmpty())
                << c->metaObject()->className() << " " << c->objectName().toStdString();
        }
        EXPECT_GT(reached, 1);
    }
    // The windows read as windows: the tool windows beside the panel as dialogs.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&f.panel)->role(), QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&f.settings)->role(), QAccessible::Dialog);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(selection())->role(), QAccessible::Dialog);

    // Names the captions beside them give.
    EXPECT_EQ(spokenLabel(f.settings.Text1[0]), "play/stop");
    EXPECT_EQ(spokenLabel(f.settings.SubCombo), "Select Subtitles:");
    EXPECT_EQ(spokenLabel(f.settings.HScroll1), "Window Size:");
    EXPECT_EQ(spokenLabel(browse()->Openas), "Open as:");
}

TEST_F(Windows, PreferencesHideOnEscapeAndOnEnterButTheKeyBoxesTakeBothAsCharacters)
{
    activate(&f.settings);
    f.settings.Panscan->setFocus();
    key(f.settings.Panscan, Qt::Key_Escape);
    EXPECT_FALSE(f.settings.isVisible());

    activate(&f.settings);
    f.settings.Autoplay->setFocus();
    key(f.settings.Autoplay, Qt::Key_Return);
    EXPECT_FALSE(f.settings.isVisible());

    activate(&f.settings);
    f.settings.Text1[20]->setFocus();
    key(f.settings.Text1[20], Qt::Key_Escape);
    key(f.settings.Text1[19], Qt::Key_Return);
    EXPECT_TRUE(f.settings.isVisible());
    EXPECT_EQ(f.prefs.values().keys[20], "\x1b");
    EXPECT_EQ(f.prefs.values().keys[19], "\r");
}

TEST_F(Windows, TheFontDialogTakesColoursAndTheSampleFromTheKeyboardAndEndsOnEscape)
{
    fontselfrm *d = fontDialog();
    activate(d);
    QSignalSpy ok(d->Command1, &QPushButton::clicked);

    // The yellow swatch, reached by Tab and pressed with Space; Enter in the size list is "OK".
    d->swatch[8]->setFocus(Qt::TabFocusReason);
    key(d->swatch[8], Qt::Key_Space);
    EXPECT_EQ(d->sampleColour(), QColor(255, 255, 0));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(d->swatch[8])->text(QAccessible::Name), "Yellow");
    d->FontSizeList->setFocus();
    key(d->FontSizeList, Qt::Key_Return);
    EXPECT_EQ(ok.count(), 1);
    EXPECT_EQ(f.prefs.values().font.colour, 0x00FFFFu);

    // Space on the sample asks for its text, as a double click does.
    f.dialogs.answers << QStringLiteral("Typed");
    d->Label1->setFocus(Qt::TabFocusReason);
    EXPECT_NE(d->Label1->frameShape(), QFrame::NoFrame);
    key(d->Label1, Qt::Key_Space);
    EXPECT_EQ(d->Label1->text(), "Typed");
    EXPECT_EQ(ok.count(), 1);

    key(d->Label1, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.settings.fontDialog.isNull(); }));
}

TEST_F(Windows, TheSelectionWindowTakesEnterAsOkAndHidesOnEscape)
{
    SelectFrm *s = selection();
    activate(s);
    QSignalSpy ok(s->Command1, &QPushButton::clicked);
    ASSERT_EQ(QApplication::focusWidget(), s->ListSelect);
    key(s->ListSelect, Qt::Key_Return);
    EXPECT_EQ(ok.count(), 1);
    EXPECT_FALSE(s->isVisible());

    activate(s);
    key(s->ListSelect, Qt::Key_Escape);
    EXPECT_FALSE(s->isVisible());
    EXPECT_EQ(ok.count(), 1);
}

TEST_F(Windows, TheBrowseDialogChoosesHowToReadSubtitlesBeforeOpen)
{
    Browsefrm *b = browse();
    EXPECT_EQ(b->Check1->nextInFocusChain(), b->Openas);
    EXPECT_EQ(b->Openas->nextInFocusChain(), b->cmdOpen);
}
