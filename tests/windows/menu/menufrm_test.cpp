// The video picture's pop-up menu: a right click on the picture opens it with the subtitle timer
// held, and each command acts on the panel and sets the timer going again.
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
        {"subs", {}, [](MenuRig &r) { EXPECT_EQ(ctl(r.panel, "Message")->text(), "Playing"); }},
        {"audio", {}, [](MenuRig &r) { EXPECT_EQ(ctl(r.panel, "Message")->text(), "Playing"); }},
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
