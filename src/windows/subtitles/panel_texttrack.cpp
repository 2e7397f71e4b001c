// The movie's own text track on the panel: the session found it while no subtitle file is chosen.
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "subtitles/EmbeddedCues.h"


void Panelfrm::showTextTrack(const EmbeddedTrack &track)
{
    session.setSubtitleTable(EmbeddedCues::table(track, prefs.values().overlayFrame, session.videoFps()));
    Sublbl->setText(EmbeddedCues::caption(track.track));
}
