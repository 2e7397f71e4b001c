// The rate slider and its buttons: each asks the session for a rate step; the slider shows the one the
// session applied.
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "playback/RateSteps.h"

#include <algorithm>

int Panelfrm::rateStepHeight() const
{
    return RateSteps::stepHeight(Ratepos->twipHeight());
}

void Panelfrm::showRate(int index)
{
    rateshow->setText(RateSteps::caption(PlayerSession::rateTable[static_cast<size_t>(index)]));
    LineRate.Y1 = Ratepos->twipTop() + rateStepHeight() * index;
    LineRate.Y2 = LineRate.Y1;
    update();
}

void Panelfrm::Ratepos_MouseDown(int button, int, double, double y)
{
    if (button != 1)
        return;
    session.setRate(RateSteps::indexFromY(y, rateStepHeight()));
}

void Panelfrm::Ratepos_MouseMove(int button, int, double, double y)
{
    setPointer(Qt::ArrowCursor);
    if (!(y > 0 && y < Ratepos->twipHeight()) || button == 0)
        return;
    // Dragging only retunes the engine; play, pause and the timer wait for a click.
    session.retune(RateSteps::indexFromY(y, rateStepHeight()));
}

void Panelfrm::ratem_Click()
{
    session.setRate(std::max(0, session.rateIndex() - 1));
}

void Panelfrm::ratea_Click()
{
    session.setRate(std::min(RateSteps::lastIndex, session.rateIndex() + 1));
}

void Panelfrm::NormRate_Click()
{
    session.setRate(PlayerSession::normalRate);
}
