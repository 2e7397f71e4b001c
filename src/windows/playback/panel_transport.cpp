// Play and stop, go to start or end, and the end of the movie.
#include "engine/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "playback/TimeText.h"
#include "prefs/Preferences.h"

void Panelfrm::vplay_Click()
{
    session.togglePlay();
}

void Panelfrm::showPlayCaption(bool stop)
{
    vplay->setText(stop ? QStringLiteral("Stop") : QStringLiteral("Play"));
    vplay->setChecked(stop);
}

void Panelfrm::showPlaying(bool playing, bool stepped)
{
    showPlayCaption(playing);
    // The stepping timer tells nothing on the message line.
    if (!stepped)
        Message->setText(playing ? QStringLiteral("Playing") : QStringLiteral("Stopped"));
}

void Panelfrm::vgos_Click()
{
    session.goStart();
}

void Panelfrm::vgoe_Click()
{
    session.goEnd();
}

void Panelfrm::MediaPlayer1_EndOfStream(int)
{
    showPlayCaption(false);
    if (prefs.values().autoreverse) {
        session.seek(0);
        LinePos.X1 = VideoPos->twipLeft();
        LinePos.X2 = LinePos.X1;
        double zero = 0;
        Message->setText(QStringLiteral("TIME: ") + maketime(zero));
        update();
    }
}
