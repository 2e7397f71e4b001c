// The volume slider, its buttons and mute: each asks the session for a volume; the slider shows the one
// the session took.
#include "engine/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "playback/VolumeSteps.h"

double Panelfrm::volumeStep() const
{
    return VolumeSteps::volStep(volpos->twipHeight());
}

void Panelfrm::showVolume(float db)
{
    volLine1.Y1 = volpos->twipTop() + volumeStep() * db;
    volLine1.Y2 = volLine1.Y1;
    update();
}

void Panelfrm::setVolumeAt(double y)
{
    session.setVolume(VolumeSteps::attenuation(y, volumeStep()));
}

void Panelfrm::volpos_MouseDown(int button, int, double, double y)
{
    if (button == 1)
        setVolumeAt(y);
}

void Panelfrm::volpos_MouseMove(int button, int, double, double y)
{
    setPointer(Qt::ArrowCursor);
    if (button != 1)
        return;
    const float db = VolumeSteps::attenuation(y, volumeStep());
    if (db >= 0 && VolumeSteps::setsVolume(db))
        session.setVolume(db);
}

void Panelfrm::AddVol_Click()
{
    // As a click on the slider one step higher sets it.
    setVolumeAt(VolumeSteps::upY(session.movie().volume(), volumeStep()));
}

void Panelfrm::subVol_Click()
{
    setVolumeAt(VolumeSteps::downY(session.movie().volume(), volumeStep(), volpos->twipHeight()));
}

void Panelfrm::Mutesnd_Click()
{
    session.toggleMute();
}
