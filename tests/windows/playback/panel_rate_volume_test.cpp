// The rate and volume sliders, their buttons and mute.
#include "playback/RateSteps.h"
#include "playback/VolumeSteps.h"
#include "support/PanelFixture.h"

#include <QFile>
#include <QLocale>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(RateSteps, StepHeightIndexAndCaption)
{
    EXPECT_EQ(RateSteps::stepHeight(675), 61);
    EXPECT_EQ(RateSteps::indexFromY(0, 61), 0);
    EXPECT_EQ(RateSteps::indexFromY(60.5, 61), 0);  // rounded half to even first
    EXPECT_EQ(RateSteps::indexFromY(61.5, 61), 1);
    EXPECT_EQ(RateSteps::indexFromY(670, 61), 10);
    EXPECT_EQ(RateSteps::indexFromY(674, 61), 10);  // would be 11, one past the table
    EXPECT_EQ(RateSteps::caption(-4), "RATE:-4x");
    EXPECT_NEAR(VolumeSteps::volStep(675), 6.6176, 1e-4);
}

TEST(RateSteps, CaptionUsesTheUsersDecimalSeparator)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(RateSteps::caption(1.5), "RATE:1,5x");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(RateSteps::caption(0.1), "RATE:0.1x");
    QLocale::setDefault(before);
}

// A playing 25 fps movie on a shown panel; the run log is open.
struct Rate : ::testing::Test {
    PanelFixture f;
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        f.log.open(f.path("kelmora.log"));
        f.panel.show();
        f.openMovie();
        f.panel.vplay_Click();
        f.mp1.calls.clear();
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    void pressAt(double yTwips) { QTest::mouseClick(ctl(f.panel, "Ratepos"), Qt::LeftButton, {}, QPoint(4, int(yTwips / 15))); }
    void dragTo(double yTwips)
    {
        const QPointF p(4, yTwips / 15);
        QMouseEvent move(QEvent::MouseMove, p, ctl(f.panel, "Ratepos")->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(ctl(f.panel, "Ratepos"), &move);
    }
    QByteArray log()
    {
        f.log.close();
        QFile file(f.path("kelmora.log"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST(RateStopped, SliderAndButtonsAreIgnored)
{
    PanelFixture f;
    f.panel.show();
    f.openMovie();
    QTest::mouseClick(ctl(f.panel, "Ratepos"), Qt::LeftButton, {}, QPoint(4, 2));
    f.panel.ratem_Click();
    f.panel.NormRate_Click();
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE: 1X");
    EXPECT_EQ(f.session.rateIndex(), 4);
    EXPECT_EQ(f.panel.rateMark().Y1, 900);
    EXPECT_FALSE(f.session.stepping());
}

TEST_F(Rate, TopStepPausesAndStepsThenTwoTimesPlays)
{
    pressAt(15);
    EXPECT_EQ(f.session.rateIndex(), 0);
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE:6x");
    EXPECT_EQ(f.panel.rateMark().Y1, 540);
    EXPECT_EQ(f.panel.rateMark().Y2, 540);
    EXPECT_EQ(f.mp1.playState(), 1);
    EXPECT_TRUE(f.session.stepping());
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Stop");

    pressAt(135);  // 135 \ 61 = 2
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE:2x");
    EXPECT_EQ(f.panel.rateMark().Y1, 540 + 122);
    EXPECT_FALSE(f.session.stepping());
    EXPECT_EQ(f.mp1.rate(), 2);
    EXPECT_EQ(f.mp1.playState(), 2);
    EXPECT_TRUE(log().endsWith("Rate chg to 6 \r\nRate chg to 2 \r\n"));
}

TEST_F(Rate, BackwardStepPausesBothEnginesAndTheLastTwipsClampToMinusSix)
{
    f.panel.openAudio(f.path("dub.mp3"));
    ASSERT_EQ(f.mp2.playState(), 2);
    f.panel.Ratepos_MouseDown(1, 0, 0, 673);
    EXPECT_EQ(f.session.rateIndex(), 10);
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE:-6x");
    EXPECT_EQ(f.panel.rateMark().Y1, 540 + 610);
    EXPECT_EQ(f.mp1.playState(), 1);
    EXPECT_EQ(f.mp2.playState(), 1);
    EXPECT_TRUE(f.session.stepping());
}

TEST_F(Rate, HalfSpeedWithSeparateAudioSlowsOnlyTheMovie)
{
    f.panel.openAudio(f.path("dub.mp3"));
    f.mp2.setRate(1);
    f.mp2.calls.clear();
    f.panel.Ratepos_MouseDown(1, 0, 0, 5 * 61);
    EXPECT_EQ(f.mp1.rate(), 0.5);
    EXPECT_EQ(f.mp2.rate(), 1);
    EXPECT_EQ(f.mp2.calls, QStringList{"play"});
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE:0.5x");
}

TEST_F(Rate, DraggingIntoBackwardStepsOnlyRelabels)
{
    dragTo(5 * 61 + 10);
    EXPECT_EQ(f.mp1.rate(), 0.5);
    dragTo(8 * 61 + 10);
    EXPECT_EQ(f.session.rateIndex(), 8);
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE:-2x");
    EXPECT_EQ(f.panel.rateMark().Y1, 540 + 8 * 61);
    EXPECT_EQ(f.mp1.rate(), 0.5);
    EXPECT_EQ(f.mp1.playState(), 2);
    EXPECT_FALSE(f.session.stepping());
    EXPECT_TRUE(f.mp1.calls.isEmpty());
    EXPECT_FALSE(log().contains("Rate chg to"));
}

TEST_F(Rate, ButtonsStepWithinTheTableAndNormalReturns)
{
    QTest::mouseClick(ctl(f.panel, "ratem"), Qt::LeftButton);
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE:1.5x");
    f.session.setRate(0);
    f.mp1.calls.clear();
    QTest::mouseClick(ctl(f.panel, "ratem"), Qt::LeftButton);
    EXPECT_EQ(f.session.rateIndex(), 0);
    EXPECT_EQ(f.mp1.calls, QStringList{"pause"});
    QTest::mouseClick(ctl(f.panel, "NormRate"), Qt::LeftButton);
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE:1x");
    EXPECT_EQ(f.panel.rateMark().Y1, 540 + 4 * 61);
    EXPECT_EQ(f.mp1.playState(), 2);
    f.session.setRate(10);
    QTest::mouseClick(ctl(f.panel, "ratea"), Qt::LeftButton);
    EXPECT_EQ(f.session.rateIndex(), 10);
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE:-6x");
}

struct Volume : ::testing::Test {
    PanelFixture f;
    void SetUp() override
    {
        f.panel.show();
        f.openMovie();
    }
};

TEST_F(Volume, PlusAtZeroDecibelsStaysAndMinusStepsDown)
{
    QTest::mouseClick(ctl(f.panel, "AddVol"), Qt::LeftButton);
    EXPECT_EQ(f.mp1.volume(), 0);
    EXPECT_DOUBLE_EQ(f.panel.volumeMark().Y1, 420);
    QTest::mouseClick(ctl(f.panel, "subVol"), Qt::LeftButton);  // 50 twips: about 7.56 dB
    EXPECT_EQ(f.mp1.volume(), -756);
    EXPECT_EQ(f.mp2.volume(), -756);
    EXPECT_NEAR(f.panel.volumeMark().Y1, 470, 1e-3);
    EXPECT_EQ(f.panel.volumeMark().Y2, f.panel.volumeMark().Y1);
    QTest::mouseClick(ctl(f.panel, "AddVol"), Qt::LeftButton);  // 8 dB x 6.6176 - 50 = 2.9 -> 3 twips
    EXPECT_EQ(f.mp1.volume(), -45);
}

TEST_F(Volume, MinusNearTheBottomMovesTheThumbButKeepsTheVolume)
{
    f.mp1.setVolume(-9500);
    f.panel.subVol_Click();
    EXPECT_EQ(f.mp1.volume(), -9500);
    EXPECT_NEAR(f.panel.volumeMark().Y1, 420 + 675, 1e-3);
}

TEST_F(Volume, SliderNeedsAMovieAndTheLeftButtonButNotPlay)
{
    QTest::mouseClick(ctl(f.panel, "volpos"), Qt::RightButton, {}, QPoint(5, 20));
    EXPECT_EQ(f.mp1.volume(), 0);
    QTest::mouseClick(ctl(f.panel, "volpos"), Qt::LeftButton, {}, QPoint(5, 20));
    EXPECT_EQ(f.mp1.volume(), -4533);  // 300 twips over 675 / 102
    PanelFixture empty;
    empty.panel.volpos_MouseDown(1, 0, 0, 300);
    EXPECT_EQ(empty.mp1.volume(), 0);
    EXPECT_DOUBLE_EQ(empty.panel.volumeMark().Y1, 420);
}

TEST_F(Volume, DragBelowOneHundredDecibelsDoesNothing)
{
    f.panel.volpos_MouseMove(1, 0, 0, 200);
    EXPECT_EQ(f.mp1.volume(), -3022);
    f.panel.volpos_MouseMove(1, 0, 0, 670);
    EXPECT_EQ(f.mp1.volume(), -3022);
    EXPECT_NEAR(f.panel.volumeMark().Y1, 620, 1e-3);
    f.panel.volpos_MouseMove(2, 0, 0, 100);
    EXPECT_EQ(f.mp1.volume(), -3022);
}

TEST_F(Volume, MuteWithSeparateAudioUnmutesOnlyTheAudioFile)
{
    f.panel.openAudio(f.path("dub.mp3"));
    QTest::mouseClick(ctl(f.panel, "Mutesnd"), Qt::LeftButton);
    EXPECT_TRUE(f.mp1.mute());
    EXPECT_TRUE(f.mp2.mute());
    QTest::mouseClick(ctl(f.panel, "Mutesnd"), Qt::LeftButton);
    EXPECT_TRUE(f.mp1.mute());
    EXPECT_FALSE(f.mp2.mute());
    EXPECT_EQ(ctl(f.panel, "Mutesnd")->text(), "mute");
}

TEST_F(Volume, MuteWithoutSeparateAudioUnmutesTheMovie)
{
    f.panel.Mutesnd_Click();
    EXPECT_TRUE(f.mp1.mute());
    EXPECT_TRUE(f.mp2.mute());
    f.panel.Mutesnd_Click();
    EXPECT_FALSE(f.mp1.mute());
    EXPECT_TRUE(f.mp2.mute());
}

}  // namespace
