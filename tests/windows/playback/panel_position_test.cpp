// The time text, the tracker's message and marker, and seeking on the track.
#include "playback/TimeText.h"
#include "support/PanelFixture.h"

#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString maketime(double seconds)
{
    return Panelfrm::maketime(seconds);
}

TEST(Maketime, RoundsSecondsAndMinutesHalfToEven)
{
    EXPECT_EQ(maketime(3725.4), "01:02:05");
    EXPECT_EQ(maketime(59.6), "00:01:00");
    EXPECT_EQ(maketime(89.5), "00:01:30");
    EXPECT_EQ(maketime(90.5), "00:01:30");
    EXPECT_EQ(maketime(0), "00:00:00");
    EXPECT_EQ(maketime(360000), "100:00:00");
    EXPECT_EQ(maketime(3599.4), "00:59:59");
}

TEST(Maketime, TakesTheCallersValueAwayFromIt)
{
    double t = 3725.4;
    Panelfrm::maketime(t);
    EXPECT_NEAR(t, 3720.4, 1e-9);
}

TEST(PositionText, FramesInTheirShortestForm)
{
    EXPECT_EQ(TimeText::positionText(12.5, 100, 25, false, true), "FRAME: 12.5");
    EXPECT_EQ(TimeText::positionText(1234567, 2000000, 25, false, true), "FRAME: 1234567");
    EXPECT_EQ(TimeText::positionText(500, 2250, 0, false, false), "TIME: 00:00:00");
}

struct Position : ::testing::Test {
    PanelFixture f;
    void SetUp() override
    {
        f.panel.show();
        f.openMovie();
    }
    void at(double frame)
    {
        f.mp1.setPositionQuietly(frame);
        f.panel.updateBarTime();
    }
    QString message() const { return ctl(f.panel, "Message")->text(); }
    void drag(double xTwips, Qt::MouseButtons held)
    {
        const QPointF p(xTwips / 15, 5);
        QMouseEvent move(QEvent::MouseMove, p, ctl(f.panel, "VideoPos")->mapToGlobal(p), Qt::NoButton, held,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(ctl(f.panel, "VideoPos"), &move);
    }
};

TEST_F(Position, FrameThousandAtTwentyFiveInEveryDisplayChoice)
{
    at(1000);
    EXPECT_EQ(message(), "TIME: 00:00:40");
    // 1000 frames over 2250 / 5115 frames per twip is 2273.3 twips.
    EXPECT_EQ(f.panel.positionMark().X1, 960 + 2273);
    EXPECT_EQ(f.panel.positionMark().X2, f.panel.positionMark().X1);
    f.settings.Frames->setChecked(true);
    at(1000);
    EXPECT_EQ(message(), "FRAME: 1000");
    f.settings.Remaining->setChecked(true);
    at(1000);
    EXPECT_EQ(message(), "FRAME: 1250");
    f.settings.Time->setChecked(true);
    at(1000);
    EXPECT_EQ(message(), "TIME: 00:00:50");
}

TEST_F(Position, ClickSeeksAndMovesTheMarker)
{
    QTest::mouseClick(ctl(f.panel, "VideoPos"), Qt::LeftButton, {}, QPoint(100, 5));
    EXPECT_DOUBLE_EQ(f.mp1.currentPosition(), 1500 * (2250.0 / 5115));
    EXPECT_EQ(f.panel.positionMark().X1, 960 + 1500);
    QTest::mouseClick(ctl(f.panel, "VideoPos"), Qt::RightButton, {}, QPoint(200, 5));
    EXPECT_EQ(f.panel.positionMark().X1, 960 + 1500);
}

TEST_F(Position, NoSeekWhileTheMarkerStandsAtTheRightEnd)
{
    f.panel.vgoe_Click();
    f.panel.updateBarTime();
    QTest::mouseClick(ctl(f.panel, "VideoPos"), Qt::LeftButton, {}, QPoint(100, 5));
    drag(1500, Qt::LeftButton);
    EXPECT_EQ(f.mp1.currentPosition(), 2250);
    f.panel.vgos_Click();
    QTest::mouseClick(ctl(f.panel, "VideoPos"), Qt::LeftButton, {}, QPoint(100, 5));
    EXPECT_EQ(f.panel.positionMark().X1, 960 + 1500);
}

TEST_F(Position, DragSeeksOnlyInsideTheTrackWithAButtonHeld)
{
    drag(3000, Qt::LeftButton);
    EXPECT_EQ(f.panel.positionMark().X1, 960 + 3000);
    drag(6000, Qt::LeftButton);
    drag(-15, Qt::LeftButton);
    EXPECT_EQ(f.panel.positionMark().X1, 960 + 3000);
    drag(1500, Qt::NoButton);
    EXPECT_EQ(f.panel.positionMark().X1, 960 + 3000);
    drag(1500, Qt::RightButton);
    EXPECT_EQ(f.panel.positionMark().X1, 960 + 1500);
}

TEST(PositionWithoutMovie, TrackDoesNothing)
{
    PanelFixture f;
    f.panel.show();
    QTest::mouseClick(ctl(f.panel, "VideoPos"), Qt::LeftButton, {}, QPoint(100, 5));
    EXPECT_TRUE(f.mp1.calls.isEmpty());
    EXPECT_EQ(f.panel.positionMark().X1, 960);
}

}  // namespace
