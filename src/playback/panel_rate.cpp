// The rate slider and its buttons. Ratepos_MouseDown is the one place a rate is applied.
#include "platform/MediaEngine.h"
#include "platform/basic_numbers.h"
#include "playback/Panelfrm.h"
#include "playback/RateSteps.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"

int Panelfrm::rateStepHeight() const
{
    return RateSteps::stepHeight(Ratepos->twipHeight());
}

void Panelfrm::showRateAt(double y)
{
    const int stepH = rateStepHeight();
    rateIndex = RateSteps::indexFromY(y, stepH);
    rateshow->setText(RateSteps::caption(app.rateTable[rateIndex]));
    LineRate.Y1 = Ratepos->twipTop() + stepH * rateIndex;
    LineRate.Y2 = LineRate.Y1;
    update();
}

void Panelfrm::Ratepos_MouseDown(int button, int, double, double y)
{
    if (!isPlaying || MediaPlayer1.fileName().isEmpty() || button != 1)
        return;
    showRateAt(y);
    const double r = app.rateTable[rateIndex];
    log.line(QStringLiteral("Rate chg to") + basic_numbers::logItem(r));
    if (RateSteps::enginePlays(r)) {
        TimerMovieBack.stop();
        MediaPlayer1.setRate(r);
        MediaPlayer1.play();
        if (app.audioSeparate)
            MediaPlayer2.play();
    } else {
        MediaPlayer1.pause();
        MediaPlayer2.pause();
        TimerMovieBack.start();
    }
}

void Panelfrm::Ratepos_MouseMove(int button, int, double, double y)
{
    setPointer(Qt::ArrowCursor);
    if (!(y > 0 && y < Ratepos->twipHeight()) || button == 0 || !isPlaying || MediaPlayer1.fileName().isEmpty())
        return;
    showRateAt(y);
    // Dragging only retunes the engine; play, pause and the timer wait for a click.
    const double r = app.rateTable[rateIndex];
    if (r > 0)
        MediaPlayer1.setRate(r);
}

void Panelfrm::ratem_Click()
{
    if (!isPlaying)
        return;
    if (rateIndex > 0)
        --rateIndex;
    Ratepos_MouseDown(1, 0, 0, rateStepHeight() * rateIndex);
}

void Panelfrm::ratea_Click()
{
    if (!isPlaying)
        return;
    if (rateIndex < RateSteps::lastIndex)
        ++rateIndex;
    Ratepos_MouseDown(1, 0, 0, rateStepHeight() * rateIndex);
}

void Panelfrm::NormRate_Click()
{
    if (!isPlaying)
        return;
    rateIndex = 4;
    Ratepos_MouseDown(1, 0, 0, rateStepHeight() * rateIndex);
}
