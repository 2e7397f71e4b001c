// Play and stop, go to start or end, the stepping timer and the end of the movie.
#include "platform/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/RateSteps.h"
#include "playback/TimeText.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"

#include <QCheckBox>

void Panelfrm::vplay_Click()
{
    if (MediaPlayer1.fileName().isEmpty())
        return;
    if (MediaPlayer1.playState() == 2) {
        MediaPlayer1.pause();
        isPlaying = false;
        if (!MediaPlayer2.fileName().isEmpty())
            MediaPlayer2.pause();
        vplay->setText(QStringLiteral("Play"));
        subTimer.stop();
        Message->setText(QStringLiteral("Stopped"));
        keepPosition();
    } else if (RateSteps::timerDriven(rateIndex)) {
        // The engine stays halted; the timer does the stepping. The caption, not the timer, tells
        // whether this click starts or stops.
        if (TimerMovieBack.isActive())
            TimerMovieBack.stop();
        else
            TimerMovieBack.start();
        if (vplay->text() != QLatin1String("Stop")) {
            vplay->setText(QStringLiteral("Stop"));
            isPlaying = true;
        } else {
            vplay->setText(QStringLiteral("Play"));
            isPlaying = false;
            keepPosition();
        }
    } else {
        isPlaying = true;
        MediaPlayer1.play();
        if (!MediaPlayer2.fileName().isEmpty())
            MediaPlayer2.play();
        vplay->setText(QStringLiteral("Stop"));
        subTimer.start();
        Message->setText(QStringLiteral("Playing"));
    }
}

void Panelfrm::vgos_Click()
{
    MediaPlayer1.setCurrentPosition(0);
    resyncSubtitles();
}

void Panelfrm::vgoe_Click()
{
    MediaPlayer1.setCurrentPosition(MediaPlayer1.duration());
    resyncSubtitles();
}

void Panelfrm::TimerMovieBack_Timer()
{
    const RateSteps::Tick t = RateSteps::tick(MediaPlayer1.currentPosition(), videoFps, app.rateTable[rateIndex],
                                              MediaPlayer1.duration());
    MediaPlayer1.setCurrentPosition(t.position);
    if (t.stop)
        TimerMovieBack.stop();
    updateBarTime();
    resyncSubtitles();
}

void Panelfrm::MediaPlayer1_EndOfStream(int)
{
    vplay->setText(QStringLiteral("Play"));
    if (settingsForm && settingsForm->autoreverse->isChecked()) {
        MediaPlayer1.setCurrentPosition(0);
        LinePos.X1 = VideoPos->twipLeft();
        LinePos.X2 = LinePos.X1;
        double zero = 0;
        Message->setText(QStringLiteral("TIME: ") + maketime(zero));
        update();
    }
}
