// The movie's own text track in the overlay, while no subtitle file is loaded: read on a thread when the
// movie opens, put in the table when it arrives.
#include "platform/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"

#include <QLineEdit>

void Panelfrm::showEmbeddedSubtitles(const QString &movie)
{
    embeddedText.cancel();
    if (!app.subFilePath.isEmpty())
        return;
    // The last movie's track is no longer the one to show.
    subClock.setTable(SubtitleTable());
    Sublbl->setText(QStringLiteral("SUB:"));
    embeddedText.read(movie);
}

void Panelfrm::embeddedText_Found(const QString &movie, const EmbeddedTrack &track)
{
    // A file dropped on "Sub" meanwhile, or another movie opened, wins.
    if (!app.subFilePath.isEmpty() || MediaPlayer1.fileName() != movie)
        return;
    const QString overlayFrame = settingsForm ? settingsForm->OverlayFrame->text() : QStringLiteral("30");
    subClock.setTable(EmbeddedCues::table(track, overlayFrame, videoFps));
    Sublbl->setText(EmbeddedCues::caption(track.track));
    log.line(QStringLiteral("subtitles from the movie's track ") + QString::number(track.track.stream));
    resyncSubtitles();
}
