// The video picture's pop-up menu: a right click on the picture opens it with the subtitle timer
// held, and each command acts on the panel and sets the timer going again.
#include "support/MovieWithTracks.h"
#include "support/PanelFixture.h"

#include "menu/menufrm.h"
#include "playback/player.h"

#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

namespace {

struct MenuRig : PanelFixture {
    MenuRig()
    {
        panel.Form_Load();
        openMovie();
        panel.vplay_Click();
    }
    ~MenuRig() { panel.Form_Unload(0); }

    // Right-clicks the picture and, once the menu is up, chooses `item` with the keyboard (or closes
    // the menu with Esc when there is none). Returns whether the subtitle timer was held meanwhile.
    bool rightClickAndChoose(const char *item)
    {
        emit mp1.MouseDown(2, 0, 100, 100);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return false;
        const bool held = !session.displayLoopRunning();
        if (item) {
            for (QAction *a : menu->actions()) {
                if (a->objectName() == QLatin1String(item))
                    menu->setActiveAction(a);
            }
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            QTest::keyClick(menu, Qt::Key_Escape);
        }
        return held;
    }
};

}  // namespace

TEST(Menufrm, EachCommandActsOnThePanelAndTheSubtitleTimerRunsAgainAfterTheMenu)
{
    struct Case {
        const char *item;
        std::function<void(MenuRig &)> before;
        std::function<void(MenuRig &)> check;
    } cases[] = {
        {nullptr, {}, [](MenuRig &r) { EXPECT_EQ(r.mp1.displaySize(), 0); }},
        {"Playhidemnu", {}, [](MenuRig &r) {
             EXPECT_TRUE(r.panel.windowState() & Qt::WindowMinimized);
             EXPECT_EQ(r.mp1.playState(), 2);
         }},
        {"playshowmnu", [](MenuRig &r) { r.panel.minim_Click(); },
         [](MenuRig &r) { EXPECT_FALSE(r.panel.windowState() & Qt::WindowMinimized); }},
        {"pns43", {}, [](MenuRig &r) {
             EXPECT_EQ(r.session.zoomMode(), 0);
             EXPECT_EQ(r.mp1.displaySize(), 4);
             EXPECT_TRUE(r.desktop.taskbarHidden);
         }},
        {"zoom1", [](MenuRig &r) { r.panel.zoom(1); }, [](MenuRig &r) {
             EXPECT_EQ(r.session.zoomMode(), 1);
             EXPECT_EQ(ctl(r.panel, "Message")->text(), "Fullscreen mode");
         }},
        {"zoom0", {}, [](MenuRig &r) {
             EXPECT_EQ(r.session.zoomMode(), 0);
             EXPECT_EQ(ctl(r.panel, "Message")->text(), "Window mode");
         }},
    };
    for (const Case &c : cases) {
        MenuRig r;
        ctl(r.panel, "Message")->setText(QStringLiteral("Playing"));
        r.mp1.setDisplaySize(0);
        if (c.before)
            c.before(r);
        const QString name = c.item ? c.item : "none";
        EXPECT_TRUE(r.rightClickAndChoose(c.item)) << name.toStdString();
        EXPECT_TRUE(r.session.displayLoopRunning()) << name.toStdString();
        EXPECT_FALSE(r.panel.videoMenu()->Videomnu->isVisible());
        c.check(r);
    }
}

TEST(Menufrm, ItemsReadAsStoredWithOneAmpersandAndNoMnemonic)
{
    MenuRig r;
    r.rightClickAndChoose(nullptr);
    QStringList shown;
    for (QAction *a : r.panel.videoMenu()->Videomnu->actions()) {
        shown << (a->isSeparator() ? QStringLiteral("-") : a->iconText());
        EXPECT_TRUE(QKeySequence::mnemonic(a->text()).isEmpty()) << a->text().toStdString();
    }
    EXPECT_EQ(shown, QStringList({"Show Vistrel", "Hide Vistrel", "-", "Pan & scan 4:3", "Fullscreen", "window", "-",
                                  "Subtitles", "Audio languages"}));
    EXPECT_EQ(r.panel.videoMenu()->Videomnu->title(), "Video");
}

TEST(Menufrm, LeftButtonMovesTheWindowOnlyInWindowModeAndNeverOpensTheMenu)
{
    MenuRig r;
    for (int zoomMode : {1, 0}) {
        r.session.zoom(zoomMode);
        r.desktop.calls.clear();
        emit r.mp1.MouseDown(1, 0, 100, 100);
        EXPECT_EQ(r.desktop.calls.contains("move"), zoomMode == 0);
        EXPECT_EQ(r.panel.videoMenu(), nullptr);
    }
}

TEST(Menufrm, TheTrackSubMenusOfferTheListsChoicesCheckTheCurrentOneAndChooseByKeyboard)
{
    MenuRig r;
    r.mp1.movieTracks = movieTracks();
    r.openMovie(QStringLiteral("tracks.mkv"), 12, 300);
    struct Case {
        const char *menu;
        int downs;  // arrow presses from the sub-menu's first entry
        QStringList entries;
        std::function<void(MenuRig &)> check;
    } cases[] = {
        {"subs", 2, {"None", "*eng", "fre Français", "eng Pictures"}, [](MenuRig &m) {
             EXPECT_EQ(m.mp1.subtitleTrack(), 2);
             EXPECT_EQ(ctl(m.panel, "Sublbl")->text(), "SUB: FRE FRANÇAIS");
         }},
        {"audio", 1, {"*DEFAULT", "fre"}, [](MenuRig &m) {
             EXPECT_EQ(m.mp1.audioTrack(), 2);
             EXPECT_EQ(ctl(m.panel, "audiolbl")->text(), "AUDIO: FRE");
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.menu);
        emit r.mp1.MouseDown(2, 0, 100, 100);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        QAction *item = menu->findChild<QMenu *>(QString::fromLatin1(c.menu) + "Menu")->menuAction();
        ASSERT_EQ(item->objectName(), c.menu);
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_Right);
        auto *sub = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_TRUE(sub && sub != menu);
        QStringList entries;
        for (QAction *a : sub->actions())
            entries << (a->isChecked() ? "*" : "") + a->text();
        EXPECT_EQ(entries, c.entries);
        for (int i = 0; i < c.downs; ++i)
            QTest::keyClick(sub, Qt::Key_Down);
        QTest::keyClick(sub, Qt::Key_Return);
        EXPECT_FALSE(menu->isVisible());
        EXPECT_TRUE(r.session.displayLoopRunning());
        c.check(r);
    }
    // The check follows the choice.
    QStringList checked;
    for (QMenu *m : {r.panel.videoMenu()->subsMenu, r.panel.videoMenu()->audioMenu}) {
        for (QAction *a : m->actions()) {
            if (a->isChecked())
                checked << a->text();
        }
    }
    EXPECT_EQ(checked, (QStringList{"fre Français", "fre"}));
}
