// The position tracker and the time or frame display; seeking on the track.
#include "engine/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "playback/TimeText.h"
#include "playback/Tracker.h"
#include "prefs/Preferences.h"

void Panelfrm::updateBarTime()
{
    const double pos = session.movie().currentPosition();
    LinePos.X1 = VideoPos->twipLeft() + Tracker::markerOffset(pos, posPerTwip);
    LinePos.X2 = LinePos.X1;
    const bool remaining = !prefs.values().elapsed;
    const bool frames = !prefs.values().time;
    if (!resumedShown_.isActive())
        Message->setText(TimeText::positionText(pos, session.movie().duration(), session.videoFps(), remaining, frames));
    update();
}

QString Panelfrm::maketime(double &timevalue)
{
    return TimeText::maketime(timevalue);
}

void Panelfrm::seekOnTrack(double x)
{
    if (!Tracker::seekAllowed(session.movie().currentPosition(), posPerTwip, VideoPos->twipWidth()))
        return;
    session.seek(x * posPerTwip);
    LinePos.X1 = VideoPos->twipLeft() + x;
    LinePos.X2 = LinePos.X1;
    update();
}

void Panelfrm::VideoPos_MouseDown(int button, int, double x, double)
{
    if (session.movie().fileName().isEmpty())
        return;
    if (button == 1)
        seekOnTrack(x);
    session.resyncSubtitles();
}

void Panelfrm::VideoPos_MouseMove(int button, int, double x, double)
{
    setPointer(Qt::ArrowCursor);
    if (session.movie().fileName().isEmpty())
        return;
    if (x > 0 && x < VideoPos->twipWidth() && button != 0) {
        seekOnTrack(x);
    }
}
