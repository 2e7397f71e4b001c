// Opens racing each other and the user on the real engine. A picture that tells no frame rate opens
// slowly (the engine watches its decoded frames for up to two seconds), which leaves time to press
// things meanwhile, as an impatient user does.
#include "support/CoreSays.h"
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"

#include "playback/player.h"
#include "prefs/Settings.h"

#include <QCheckBox>
#include "startup/Program.h"
#include "startup/basMyMain.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kSlow = QStringLiteral(VISTREL_MEDIA_DIR "/still.ogv");

struct RealRace {
    bool runtimeSet = PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    Program program{folder.path(), QString(), dialogs};
    Panelfrm &panel = program.panel;
    RealRace() { panel.Form_Load(); }
};

}  // namespace

TEST(OpenRaceEndToEnd, TheLastOpenWinsAndClicksMadeMeanwhileAreNotReplayed)
{
    RealRace r;
    QSignalSpy opened(&r.program.session, &PlayerSession::movieOpened);
    r.panel.openVideo(kSlow);
    ASSERT_TRUE(r.program.session.opening());
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(ctl(r.panel, "vplay"), Qt::LeftButton);
    r.panel.vgoe_Click();
    r.panel.openVideo(RealPicture::clip25);
    ASSERT_TRUE(opensEnded(r.program.session));
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.first().at(0).toString(), RealPicture::clip25);
    EXPECT_EQ(r.program.MediaPlayer1.fileName(), RealPicture::clip25);
    EXPECT_EQ(ctl(r.panel, "namelbl")->text(), QStringLiteral("VIDEO: CLIP25.MP4"));
    EXPECT_TRUE(r.dialogs.shown.empty());
    // Nothing pressed during the opens comes back afterwards: not in what the open's end left for the
    // event loop, nor in what the core was asked, which answers a read only after all asked before.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(r.program.MediaPlayer1.property("pause"), QStringLiteral("yes"));
    EXPECT_EQ(r.program.MediaPlayer1.property("time-pos").toDouble(), 0);
    EXPECT_EQ(r.program.MediaPlayer1.playState(), 1);
    EXPECT_EQ(r.program.MediaPlayer1.currentPosition(), 0);
    EXPECT_EQ(ctl(r.panel, "vplay")->text(), QStringLiteral("Play"));
    r.panel.Form_Unload(0);
}

TEST(OpenRaceEndToEnd, TheCloseBoxEndsASlowOpenAtOnceAndNoWindowShowsAfter)
{
    RealRace r;
    r.panel.preferencesWindow()->Autoplay->setChecked(true);
    r.panel.openVideo(kSlow);
    ASSERT_TRUE(r.program.session.opening());
    QSignalSpy engineOpened(&r.program.MediaPlayer1, &MediaEngine::opened);
    QElapsedTimer clock;
    clock.start();
    r.panel.close();
    EXPECT_TRUE(basMyMain::programEnded());
    // Waiting for the open would take up to the engine's two seconds of watching frames; closing
    // itself takes a small part of the bound.
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(r.program.session.opening());
    // The open was dropped, not finished; once the core has let the file go, no word of it is left
    // to come.
    ASSERT_TRUE(coreSays(r.program.MediaPlayer1, "idle-active", "yes"));
    EXPECT_TRUE(engineOpened.isEmpty());
    EXPECT_FALSE(r.panel.videoWindow().isVisible());
    EXPECT_TRUE(r.program.MediaPlayer1.fileName().isEmpty());
    EXPECT_TRUE(r.dialogs.shown.empty());
}
