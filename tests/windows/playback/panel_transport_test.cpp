// Play and stop, start and end, the stepping timer, the end of the movie and the video window's mouse
// and keys.
#include "playback/player.h"
#include "support/PanelFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A 90 s movie of 2250 frames (25 fps) on a shown panel.
struct Transport : ::testing::Test {
    PanelFixture f;
    void SetUp() override
    {
        f.panel.show();
        f.openMovie();
    }
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    double pos() const { return f.mp1.currentPosition(); }
};

TEST(TransportWithoutMovie, PlayDoesNothing)
{
    PanelFixture f;
    f.panel.vplay_Click();
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
    EXPECT_FALSE(f.session.isPlaying());
    EXPECT_TRUE(f.mp1.calls.isEmpty());
    EXPECT_FALSE(f.session.displayLoopRunning());
}

TEST_F(Transport, PlayAndStopAtAnEngineRate)
{
    f.panel.openAudio(f.path("dub.mp3"));
    f.session.stopDisplayLoop();
    click(ctl(f.panel, "vplay"));
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Stop");
    EXPECT_TRUE(f.session.isPlaying());
    EXPECT_EQ(f.mp1.playState(), 2);
    EXPECT_EQ(f.mp2.playState(), 2);
    EXPECT_TRUE(f.session.displayLoopRunning());
    EXPECT_FALSE(f.session.stepping());
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "Playing");

    click(ctl(f.panel, "vplay"));
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
    EXPECT_FALSE(f.session.isPlaying());
    EXPECT_EQ(f.mp1.playState(), 1);
    EXPECT_EQ(f.mp2.playState(), 1);
    EXPECT_FALSE(f.session.displayLoopRunning());
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "Stopped");
}

TEST_F(Transport, TimerRateClickTogglesSteppingAndLeavesMessageAndSubtitleTimer)
{
    f.haltAtRate(9);
    ctl(f.panel, "Message")->setText(QStringLiteral("before"));
    click(ctl(f.panel, "vplay"));
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Stop");
    EXPECT_TRUE(f.session.isPlaying());
    EXPECT_TRUE(f.session.stepping());
    EXPECT_EQ(f.mp1.playState(), 1);
    EXPECT_TRUE(f.session.displayLoopRunning());
    click(ctl(f.panel, "vplay"));
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
    EXPECT_FALSE(f.session.isPlaying());
    EXPECT_FALSE(f.session.stepping());
    EXPECT_TRUE(f.session.displayLoopRunning());
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "before");
}

TEST_F(Transport, BackTwiceFrom130StepsToZeroAndTheNextClickTicksOnce)
{
    f.mp1.setPositionQuietly(130);
    f.haltAtRate(8);  // -2x
    click(ctl(f.panel, "vplay"));
    f.session.TimerMovieBack_Timer();
    EXPECT_EQ(pos(), 75);
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "TIME: 00:00:03");
    f.session.TimerMovieBack_Timer();
    EXPECT_EQ(pos(), 25);
    EXPECT_TRUE(f.session.stepping());
    f.session.TimerMovieBack_Timer();
    EXPECT_EQ(pos(), 0);
    EXPECT_FALSE(f.session.stepping());
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Stop");

    click(ctl(f.panel, "vplay"));
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
    EXPECT_TRUE(f.session.stepping());
    f.session.TimerMovieBack_Timer();
    EXPECT_EQ(pos(), 0);
    EXPECT_FALSE(f.session.stepping());
}

TEST_F(Transport, SixTimesStopsExactlyAtTheEnd)
{
    f.mp1.setPositionQuietly(2040);
    f.haltAtRate(0);
    click(ctl(f.panel, "vplay"));
    f.session.TimerMovieBack_Timer();
    EXPECT_EQ(pos(), 2175);  // whole second 81 (2025) plus 150
    EXPECT_TRUE(f.session.stepping());
    f.session.TimerMovieBack_Timer();
    EXPECT_EQ(pos(), 2250);
    EXPECT_FALSE(f.session.stepping());
    EXPECT_EQ(f.panel.positionMark().X1, 960 + 5115);
}

TEST(TransportNtsc, StepsCountTwentyFourFramesASecond)
{
    PanelFixture f;
    f.openMovie(QStringLiteral("ntsc.avi"), 125, 2997);
    f.haltAtRate(1);  // 4x
    f.mp1.setPositionQuietly(100);
    f.session.TimerMovieBack_Timer();
    EXPECT_EQ(f.mp1.currentPosition(), 192);  // 100 \ 24 = 4 seconds, 96 frames, then 4 x 24
    f.haltAtRate(7);  // -1x
    f.mp1.setPositionQuietly(250);
    f.session.TimerMovieBack_Timer();
    EXPECT_EQ(f.mp1.currentPosition(), 216);
    f.mp1.setPositionQuietly(60.5);  // 60 \ 24 = 2 seconds: halves round to even
    f.session.TimerMovieBack_Timer();
    EXPECT_EQ(f.mp1.currentPosition(), 24);
}

TEST_F(Transport, StartAndEndKeepThePlayState)
{
    click(ctl(f.panel, "vplay"));
    click(ctl(f.panel, "vgoe"));
    EXPECT_EQ(pos(), 2250);
    EXPECT_EQ(f.mp1.playState(), 2);
    click(ctl(f.panel, "vgos"));
    EXPECT_EQ(pos(), 0);
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Stop");

    PanelFixture empty;
    empty.panel.vgoe_Click();
    EXPECT_EQ(empty.mp1.currentPosition(), 0);
}

TEST_F(Transport, EndOfMovieWithoutAutoReverseStaysAtTheEnd)
{
    click(ctl(f.panel, "vplay"));
    f.mp1.finish();
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
    EXPECT_EQ(pos(), 2250);
    EXPECT_TRUE(f.session.isPlaying());
    EXPECT_TRUE(f.session.displayLoopRunning());
}

TEST_F(Transport, EndOfMovieWithAutoReverseGoesBackWithoutPlaying)
{
    f.settings.autoreverse->setChecked(true);
    click(ctl(f.panel, "vplay"));
    f.mp1.setPositionQuietly(2000);
    f.panel.updateBarTime();
    f.mp1.finish();
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
    EXPECT_EQ(pos(), 0);
    EXPECT_EQ(f.mp1.playState(), 1);
    EXPECT_EQ(f.panel.positionMark().X1, 960);
    EXPECT_EQ(f.panel.positionMark().X2, 960);
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "TIME: 00:00:00");
}

TEST_F(Transport, VideoWindowDragsOnlyWithTheLeftButtonInWindowMode)
{
    player &window = f.panel.videoWindow();
    f.panel.hide();
    QTest::mousePress(&window, Qt::RightButton);
    EXPECT_TRUE(f.desktop.calls.filter("move").isEmpty());
    QTest::mousePress(&window, Qt::LeftButton);
    EXPECT_EQ(f.desktop.calls.filter("move").size(), 1);
    EXPECT_TRUE(f.panel.isVisible());

    f.panel.cmdzoom_Click();
    ASSERT_EQ(f.session.zoomMode(), 1);
    QTest::mousePress(&window, Qt::LeftButton);
    EXPECT_EQ(f.desktop.calls.filter("move").size(), 1);
}

TEST_F(Transport, PressOnThePictureStartsTheSubtitleTimerAndDragsInWindowMode)
{
    f.session.stopDisplayLoop();
    // The right button opens the pop-up menu; it is closed again without a choice.
    emit f.mp1.MouseDown(2, 0, 100, 100);
    ASSERT_TRUE(QApplication::activePopupWidget());
    QApplication::activePopupWidget()->close();
    EXPECT_TRUE(f.session.displayLoopRunning());
    EXPECT_TRUE(f.desktop.calls.filter("move").isEmpty());
    emit f.mp1.MouseDown(1, 0, 100, 100);
    EXPECT_EQ(f.desktop.calls.filter("move").size(), 1);

    f.panel.hide();
    emit f.mp1.Click(1, 0, 100, 100);
    EXPECT_TRUE(f.panel.isVisible());
}

TEST_F(Transport, KeyOnTheVideoWindowOnlyBringsThePanelForward)
{
    f.panel.hide();
    QTest::keyClick(&f.panel.videoWindow(), Qt::Key_P, Qt::ShiftModifier);
    EXPECT_TRUE(f.panel.isVisible());
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
    EXPECT_EQ(f.mp1.playState(), 1);
}

}  // namespace
