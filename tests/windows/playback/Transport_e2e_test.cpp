// The panel's transport and window modes acting on the real engine in the real windows.
#include "support/EachVideoOutput.h"
#include "support/OpenAndWait.h"
#include "support/FakeDialogs.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"

#include "engine/MpvVideoView.h"
#include "playback/player.h"
#include "prefs/Settings.h"
#include "startup/Program.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct RealPanel {
    bool runtimeSet = PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    Program program{folder.path(), QString(), dialogs};
    Panelfrm &panel = program.panel;

    RealPanel()
    {
        panel.Form_Load();
        RealPicture::dropFiles(ctl(panel, "openfile"), {RealPicture::clip25});
        opensEnded(program.session);
    }
    ~RealPanel() { panel.Form_Unload(0); }

    QWidget *video() { return program.MediaPlayer1.videoWidget(); }
    QImage picture() { return program.MediaPlayer1.videoView()->picture(); }
    int shownFrame() { return RealPicture::frameNumber(picture()); }
};

// Full screen and pan and scan on both ways of drawing the picture.
class TransportPicture : public EachVideoOutput {};
INSTANTIATE_TEST_SUITE_P(Outputs, TransportPicture, EachVideoOutput::kinds(), EachVideoOutput::kindName);

}  // namespace

TEST(TransportEndToEnd, BackwardRateStepsThePictureBackOnceASecond)
{
    RealPanel r;
    ASSERT_EQ(r.program.session.videoFps(), 25);
    r.panel.vplay_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.program.MediaPlayer1.currentPosition() >= 75; }, 20000));

    // Three notches slower: 0.5x, 0.1x, then -1x, where the engine halts and the timer steps back.
    for (int i = 0; i < 3; ++i)
        r.panel.ratea_Click();
    ASSERT_EQ(r.program.session.rateIndex(), 7);
    EXPECT_TRUE(r.program.session.stepping());
    EXPECT_NE(r.program.MediaPlayer1.playState(), 2);

    // The software picture comes once its thread has put the one it is drawing on the screen.
    int before = -1;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (before = r.shownFrame()) >= 0; }, 2000));
    ASSERT_GT(before, 25);
    int seen = before;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        seen = r.shownFrame();
        return seen >= 0 && seen <= before - 25;
    }, 5000)) << "frame stayed near " << seen << " from " << before;
    // A step lands on a whole second of film.
    EXPECT_EQ(seen % 25, 0);
}

TEST_P(TransportPicture, FullScreenCoversTheScreenAndPanAndScanOverhangsBothEdges)
{
    RealPanel r;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    r.panel.cmdzoom_Click();
    ASSERT_EQ(r.program.session.zoomMode(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.panel.videoWindow().geometry() == screen; }, 5000))
        << r.panel.videoWindow().geometry().width() << "x" << r.panel.videoWindow().geometry().height();
    EXPECT_TRUE(r.panel.videoWindow().windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(r.video()->geometry(), QRect(QPoint(0, 0), screen.size()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return RealPicture::showsClipQuarters(r.picture()); }, 10000));

    // Back to window mode: the picture's own size, the desktop's panels back.
    r.panel.cmdzoom_Click();
    EXPECT_EQ(r.program.session.zoomMode(), 0);
    EXPECT_FALSE(r.panel.videoWindow().windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(r.video()->size(), QSize(320, 240));

    // Pan and scan at "5": twice as wide as a fitted picture, centred, so both edges hang over.
    r.program.prefs.set(&Prefs::panScan, QStringLiteral("5"));
    r.panel.pan_n_scan43();
    const QRect g = r.video()->geometry();
    EXPECT_LT(g.left(), 0);
    EXPECT_GT(g.right(), screen.width());
    EXPECT_EQ(g.height(), screen.height());
    // The picture spans the whole control, the edges off the screen included.
    QImage panned;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        panned = r.picture();
        return panned.width() == g.width() && RealPicture::showsClipQuarters(panned);
    }, 10000)) << panned.width() << "x" << panned.height();
}
