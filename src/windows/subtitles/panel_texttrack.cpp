// The movie's own text track on the panel: the session found it while no subtitle file is chosen.
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Settings.h"
#include "subtitles/EmbeddedCues.h"

#include <QLineEdit>

void Panelfrm::showTextTrack(const EmbeddedTrack &track)
{
    const QString overlayFrame = settingsForm ? settingsForm->OverlayFrame->text() : QStringLiteral("30");
    session.setSubtitleTable(EmbeddedCues::table(track, overlayFrame, session.videoFps()));
    Sublbl->setText(EmbeddedCues::caption(track.track));
}
