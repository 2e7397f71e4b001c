// The volume slider, its buttons and mute. volpos_MouseDown is the one place a volume is applied.
#include "platform/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/VolumeSteps.h"
#include "startup/AppState.h"

double Panelfrm::volumeStep() const
{
    return VolumeSteps::volStep(volpos->twipHeight());
}

void Panelfrm::setVolumeAt(float db)
{
    volLine1.Y1 = volpos->twipTop() + volumeStep() * db;
    volLine1.Y2 = volLine1.Y1;
    update();
    if (VolumeSteps::setsVolume(db)) {
        MediaPlayer1.setVolume(VolumeSteps::engineVolume(db));
        MediaPlayer2.setVolume(MediaPlayer1.volume());
    }
}

void Panelfrm::volpos_MouseDown(int button, int, double, double y)
{
    if (MediaPlayer1.fileName().isEmpty() || button != 1)
        return;
    setVolumeAt(VolumeSteps::attenuation(y, volumeStep()));
}

void Panelfrm::volpos_MouseMove(int button, int, double, double y)
{
    setPointer(Qt::ArrowCursor);
    if (MediaPlayer1.fileName().isEmpty() || button != 1)
        return;
    const float db = VolumeSteps::attenuation(y, volumeStep());
    if (db >= 0 && VolumeSteps::setsVolume(db))
        setVolumeAt(db);
}

void Panelfrm::AddVol_Click()
{
    volpos_MouseDown(1, 0, 0, VolumeSteps::upY(MediaPlayer1.volume(), volumeStep()));
}

void Panelfrm::subVol_Click()
{
    volpos_MouseDown(1, 0, 0, VolumeSteps::downY(MediaPlayer1.volume(), volumeStep(), volpos->twipHeight()));
}

void Panelfrm::Mutesnd_Click()
{
    const VolumeSteps::Mutes now{MediaPlayer1.mute(), MediaPlayer2.mute()};
    const VolumeSteps::Mutes next = VolumeSteps::toggleMute(now, app.audioSeparate);
    MediaPlayer1.setMute(next.video);
    MediaPlayer2.setMute(next.audio);
}
