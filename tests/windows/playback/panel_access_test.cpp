// The panel as assistive tools read it (Qt's accessibility interfaces, in process) and as the keyboard
// works it: roles, names, actions, values and states, the Tab chain, keys on a focused control, and the
// one-key commands ahead of them.
#include "browse/Browsefrm.h"
#include "menu/menufrm.h"
#include "playback/RateSteps.h"
#include "playback/player.h"
#include "support/PanelFixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace {

QAccessibleInterface *accessible(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w);
}

QAccessibleInterface *accessible(const QWidget &panel, const char *name)
{
    return accessible(ctl(panel, name));
}

double value(QAccessibleInterface *iface)
{
    return iface->valueInterface()->currentValue().toDouble();
}

// A shown panel with a 90 s movie of 25 frames a second open.
struct Access : ::testing::Test {
    PanelFixture f;
    void SetUp() override
    {
        f.panel.show();
        f.panel.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.panel));
        f.openMovie();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
    }
    void type(char c) { QTest::keyClick(QApplication::focusWidget(), c, Qt::ShiftModifier); }
    QString focusName() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? accessible(w)->text(QAccessible::Name) : QString();
    }
    void focus(const char *control) { ctl(f.panel, control)->setFocus(Qt::TabFocusReason); }
};

}  // namespace

TEST(RateSteps, NearestIndexTakesTheClosestStepAndTheFasterOfTwo)
{
    const double rates[] = {6, 4, 2, 1.5, 1, 0.5, 0.1, -1, -2, -4, -6};
    const struct {
        const char *what;
        double rate;
        int expected;
    } cases[] = {
        {"a step's own rate", 1.5, 3},
        {"between 1.5 and 2, nearer 2", 1.8, 2},
        {"halfway between 4 and 2", 3, 1},
        {"past the fastest", 100, 0},
        {"past the slowest", -7, 10},
        {"zero lies nearest 0.1", 0, 6},
        {"between -1 and 0.1, nearer -1", -0.6, 7},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RateSteps::nearestIndex(rates, c.rate), c.expected);
    }
}

TEST_F(Access, EveryControlIsAButtonOrSliderNamedInWordsAndEveryTextReadsAsItShows)
{
    QAccessibleInterface *panel = accessible(&f.panel);
    ASSERT_EQ(panel->childCount(), 31);
    const QRegularExpression words(QStringLiteral("^[A-Z][a-z]+( [A-Za-z][a-z]+)*$"));
    int buttons = 0, sliders = 0, texts = 0;
    for (int i = 0; i < panel->childCount(); ++i) {
        QAccessibleInterface *c = panel->child(i);
        const auto *label = static_cast<LabelButton *>(c->object());
        SCOPED_TRACE(label->objectName().toStdString());
        const QString name = c->text(QAccessible::Name);
        const QStringList actions = c->actionInterface()->actionNames();
        switch (c->role()) {
        case QAccessible::Button:
            ++buttons;
            EXPECT_TRUE(actions.contains(QAccessibleActionInterface::pressAction()));
            break;
        case QAccessible::Slider:
            ++sliders;
            ASSERT_NE(c->valueInterface(), nullptr);
            EXPECT_LT(c->valueInterface()->minimumValue().toDouble(), c->valueInterface()->maximumValue().toDouble());
            EXPECT_TRUE(actions.contains(QAccessibleActionInterface::increaseAction()));
            break;
        case QAccessible::StaticText:
            ++texts;
            EXPECT_EQ(name, label->text());
            EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
            continue;
        default:
            ADD_FAILURE() << "role " << c->role();
            continue;
        }
        // A control says what it does, in words, and its tooltip describes it.
        EXPECT_TRUE(words.match(name).hasMatch()) << name.toStdString();
        EXPECT_EQ(c->text(QAccessible::Description), label->toolTip());
        EXPECT_TRUE(c->state().focusable);
    }
    EXPECT_EQ(buttons, 21);
    EXPECT_EQ(sliders, 3);
    EXPECT_EQ(texts, 7);

    // The glyphs and the captionless controls the issue names.
    const std::pair<const char *, const char *> named[] = {
        {"vgos", "Go to start"}, {"vgoe", "Go to end"}, {"minim", "Minimise"}, {"exitLbl", "Exit"},
        {"AddVol", "Volume up"}, {"ratem", "Faster"},   {"ratea", "Slower"},   {"NormRate", "Normal speed"},
        {"CDplay", "Play disc"}, {"VideoPos", "Position"}, {"volpos", "Volume"}, {"Ratepos", "Rate"},
    };
    for (const auto &[control, name] : named)
        EXPECT_EQ(accessible(f.panel, control)->text(QAccessible::Name), name) << control;
}

TEST_F(Access, TogglesTellTheirStateAsTheSessionChangesIt)
{
    QAccessibleInterface *play = accessible(f.panel, "vplay");
    QAccessibleInterface *mute = accessible(f.panel, "Mutesnd");
    QAccessibleInterface *zoom = accessible(f.panel, "cmdzoom");
    for (QAccessibleInterface *t : {play, mute, zoom})
        EXPECT_TRUE(t->state().checkable);
    EXPECT_FALSE(play->state().checked);
    EXPECT_TRUE(play->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));

    play->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(f.session.isPlaying());
    EXPECT_TRUE(play->state().checked);
    // The end of the movie puts "Play" back up while the session still means to play.
    emit f.mp1.EndOfStream(8);
    EXPECT_FALSE(play->state().checked);

    f.session.toggleMute();
    EXPECT_TRUE(mute->state().checked);
    f.session.toggleMute();
    EXPECT_FALSE(mute->state().checked);
    // With a separate sound the movie is silent but the sound is heard: not muted.
    f.panel.openAudio(f.path("dub.mp3"));
    EXPECT_TRUE(f.mp1.mute());
    EXPECT_FALSE(mute->state().checked);

    f.session.zoom(1);
    EXPECT_TRUE(zoom->state().checked);
    f.session.panAndScan();
    EXPECT_FALSE(zoom->state().checked);
}

TEST_F(Access, SlidersFollowTheSessionAndTakeAValueSetThroughTheInterface)
{
    QAccessibleInterface *rate = accessible(f.panel, "Ratepos");
    QAccessibleInterface *volume = accessible(f.panel, "volpos");
    QAccessibleInterface *position = accessible(f.panel, "VideoPos");
    EXPECT_EQ(value(rate), 1);
    EXPECT_EQ(rate->valueInterface()->maximumValue().toDouble(), 6);
    EXPECT_EQ(rate->valueInterface()->minimumValue().toDouble(), -6);
    EXPECT_EQ(position->valueInterface()->maximumValue().toDouble(), 90);  // 2250 frames at 25
    EXPECT_EQ(value(volume), 0);

    // The session moves: the values follow, in seconds, as a factor, in decibels.
    f.session.play();
    f.session.setRate(3);
    EXPECT_EQ(value(rate), 1.5);
    f.session.setVolume(20.5f);
    EXPECT_EQ(value(volume), -20.5);
    f.session.seek(1000);
    EXPECT_EQ(value(position), 40);

    // A tool sets them: the rate goes to the nearest step, the volume and position where asked.
    rate->valueInterface()->setCurrentValue(2.2);
    EXPECT_EQ(f.session.rateIndex(), 2);
    EXPECT_EQ(value(rate), 2);
    volume->valueInterface()->setCurrentValue(-6);
    EXPECT_EQ(f.mp1.volume(), -600);
    position->valueInterface()->setCurrentValue(12.5);
    EXPECT_EQ(f.mp1.currentPosition(), 312.5);
    EXPECT_EQ(value(position), 12.5);

    // What lies outside a slider's reach stops at its end; what is no number is dropped.
    position->valueInterface()->setCurrentValue(1e9);
    EXPECT_EQ(f.mp1.currentPosition(), 2250);
    position->valueInterface()->setCurrentValue(std::numeric_limits<double>::quiet_NaN());
    position->valueInterface()->setCurrentValue(QStringLiteral("soon"));
    EXPECT_EQ(f.mp1.currentPosition(), 2250);
    volume->valueInterface()->setCurrentValue(30);
    EXPECT_EQ(f.mp1.volume(), 0);
}

TEST_F(Access, PressingVideoThroughItsActionOpensTheBrowseDialogForAVideo)
{
    accessible(f.panel, "openfile")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Browsefrm *browse = f.panel.browseDialog();
    ASSERT_NE(browse, nullptr);
    EXPECT_TRUE(browse->isVisible());
    EXPECT_EQ(browse->windowTitle(), "Locate Video file");
}

TEST_F(Access, TabVisitsEveryControlOnceInVisualOrderAndShiftTabGoesBack)
{
    f.panel.setFocus();
    QStringList forward;
    for (int i = 0; i < 25; ++i) {
        key(Qt::Key_Tab);
        forward << focusName();
    }
    // Round the chain and back to the first: the panel itself is no stop of it.
    ASSERT_EQ(forward.size(), 25);
    EXPECT_EQ(forward.first(), forward.last());
    forward.removeLast();
    EXPECT_EQ(QSet<QString>(forward.begin(), forward.end()).size(), 24);
    EXPECT_EQ(forward.first(), "About Vistrel");
    EXPECT_EQ(forward.last(), "Exit");
    // The row of buttons under the track, left to right.
    const qsizetype cd = forward.indexOf("Play disc");
    EXPECT_EQ(forward.mid(cd, 10),
              QStringList({"Play disc", "Fullscreen", "Play", "Preferences", "Statistics", "Go to start",
                           "Go to end", "Open video", "Open audio", "Open subtitles"}));

    QStringList backward;
    for (int i = 0; i < 24; ++i) {
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        backward.prepend(focusName());
    }
    EXPECT_EQ(backward, forward);
}

TEST_F(Access, SpaceAndEnterPressAFocusedButtonAndArrowsMoveAFocusedSlider)
{
    focus("vplay");
    key(Qt::Key_Space);
    EXPECT_TRUE(f.session.isPlaying());
    key(Qt::Key_Return);
    EXPECT_FALSE(f.session.isPlaying());
    key(Qt::Key_Space);

    focus("Ratepos");
    key(Qt::Key_Up);
    EXPECT_EQ(f.session.rateIndex(), 3);  // one step faster: 1.5
    key(Qt::Key_Down);
    key(Qt::Key_Left);
    EXPECT_EQ(f.session.rateIndex(), 5);  // two slower: 0.5

    focus("volpos");
    key(Qt::Key_Down);
    const int lower = f.mp1.volume();
    EXPECT_LT(lower, 0);
    key(Qt::Key_Up);
    EXPECT_GT(f.mp1.volume(), lower);

    // Five seconds a press, stopping at the ends.
    focus("VideoPos");
    f.session.seek(1000);
    key(Qt::Key_Right);
    EXPECT_EQ(f.mp1.currentPosition(), 1125);
    key(Qt::Key_Left);
    key(Qt::Key_Down);
    EXPECT_EQ(f.mp1.currentPosition(), 875);
    f.session.seek(50);
    key(Qt::Key_Left);
    EXPECT_EQ(f.mp1.currentPosition(), 0);
}

TEST_F(Access, OneKeyCommandsKeepTheirCharactersWhereverTheFocusIs)
{
    focus("vplay");
    type('U');  // "Mute", not the focused button
    EXPECT_TRUE(f.mp1.mute());
    EXPECT_FALSE(f.session.isPlaying());
    EXPECT_EQ(focusName(), "Play");

    // Space and Tab bound in the key map act as their commands, not on the focus.
    f.prefs.setKey(KeyMap::Mute, QStringLiteral(" "));
    key(Qt::Key_Space);
    EXPECT_FALSE(f.mp1.mute());
    EXPECT_FALSE(f.session.isPlaying());
    f.prefs.setKey(KeyMap::Statistics, QStringLiteral("\t"));
    key(Qt::Key_Tab);
    EXPECT_TRUE(f.mp1.calls.contains("dialog 1"));
    EXPECT_EQ(focusName(), "Play");

    // A character the map does not hold does nothing on a focused slider.
    focus("volpos");
    type('J');
    EXPECT_EQ(f.mp1.volume(), 0);
}

TEST_F(Access, TheMenuKeyAndShiftF10OpenTheVideoMenuAtTheVideoWindow)
{
    f.panel.videoWindow().show();
    focus("vplay");
    key(Qt::Key_Menu);
    QMenu *menu = f.panel.videoMenu()->Videomnu;
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
    EXPECT_TRUE(menu->geometry().contains(f.panel.videoWindow().geometry().center()));
    EXPECT_EQ(menu->activeAction(), f.panel.videoMenu()->playshowmnu);
    menu->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !menu->isVisible(); }));

    f.panel.setFocus();
    QTest::keyClick(&f.panel, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
    menu->close();
}
