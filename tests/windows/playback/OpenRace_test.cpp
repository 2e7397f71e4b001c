// What arrives while a movie is being opened, with an engine whose opens end when the test says: the
// last open wins and nothing of an earlier one shows, the transport waits for no one (what is pressed
// meanwhile is dropped, never replayed), and the end of the run drops the open for good.
#include "support/PanelFixture.h"

#include "playback/player.h"
#include "prefs/Settings.h"

#include <QCheckBox>

#include <functional>
#include <gtest/gtest.h>

namespace {

struct Race : ::testing::Test {
    PanelFixture f;
    void SetUp() override
    {
        f.settings.Autoplay->setChecked(false);
        f.mp1.holdOpens = true;
    }
};

}  // namespace

TEST_F(Race, TheLastOpenWinsAndNothingOfTheFirstIsShown)
{
    int opened = 0;
    QObject::connect(&f.session, &PlayerSession::movieOpened, [&] { ++opened; });
    f.panel.openVideo(f.path("first.avi"));
    f.panel.openVideo(f.path("second.avi"));
    EXPECT_EQ(f.panel.cursor().shape(), Qt::WaitCursor);
    f.mp1.finishOpen();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(f.mp1.fileName(), f.path("second.avi"));
    EXPECT_EQ(ctl(f.panel, "namelbl")->text(), "VIDEO: SECOND.AVI");
    EXPECT_EQ(f.panel.videoWindow().windowTitle(), f.path("second.avi"));
    EXPECT_NE(f.panel.cursor().shape(), Qt::WaitCursor);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_F(Race, WhatIsPressedDuringAnOpenIsDroppedNotReplayed)
{
    f.openMovie(QStringLiteral("old.avi"));
    f.mp1.finishOpen();
    f.mp1.setPositionQuietly(500);
    struct Press {
        const char *what;
        std::function<void()> act;
    };
    const std::vector<Press> presses{
        {"three impatient clicks on Play", [&] { for (int i = 0; i < 3; ++i) f.panel.vplay_Click(); }},
        {"to the end", [&] { f.panel.vgoe_Click(); }},
        {"on the tracker", [&] { f.panel.VideoPos_MouseDown(1, 0, 100, 0); }},
        {"rate and volume", [&] { f.panel.ratem_Click(); f.panel.volpos_MouseDown(1, 0, 0, 300); }},
        {"the media controls' seek", [&] { f.session.seek(40); }},
    };
    for (const Press &p : presses) {
        SCOPED_TRACE(p.what);
        f.mp1.calls.clear();
        f.panel.openVideo(f.path("new.avi"));
        p.act();
        f.mp1.finishOpen();
        EXPECT_EQ(f.mp1.calls, QStringList{"open " + f.path("new.avi")});
        EXPECT_FALSE(f.session.isPlaying());
        EXPECT_EQ(f.mp1.playState(), 1);
        EXPECT_EQ(f.mp1.currentPosition(), 0);
        EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
        EXPECT_EQ(f.session.rateIndex(), PlayerSession::normalRate);
    }
    // Once open, the same press acts.
    f.panel.vplay_Click();
    EXPECT_TRUE(f.session.isPlaying());
}

TEST_F(Race, TheEndOfTheRunDropsTheOpenAndShowsNothingAfter)
{
    for (const bool closeBox : {true, false}) {
        SCOPED_TRACE(closeBox ? "close box" : "media controls' Quit");
        PanelFixture g;
        g.settings.Autoplay->setChecked(true);
        g.mp1.holdOpens = true;
        g.panel.openVideo(g.path("slow.avi"));
        if (closeBox)
            g.panel.close();
        else
            g.panel.endRun();
        EXPECT_FALSE(g.mp1.opening()) << "the open is dropped at once";
        // A late word from the engine changes nothing either.
        g.mp1.holdOpens = false;
        g.mp1.open(g.path("late.avi"));
        EXPECT_FALSE(g.panel.videoWindow().isVisible());
        EXPECT_EQ(ctl(g.panel, "namelbl")->text(), "VIDEO:");
        EXPECT_TRUE(g.dialogs.shown.empty());
    }
}
