// The movie's own text track: read on a thread when a movie opens while no subtitle file is chosen,
// told on to the windows when it arrives.
#include "engine/MediaEngine.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "subtitles/EmbeddedCues.h"
#include "startup/RunLog.h"

void PlayerSession::readTextTrack(const QString &path)
{
    if (!subFilePath_.isEmpty())
        return;
    // The last movie's track is no longer the one to show.
    subClock_.setTable(SubtitleTable());
    textTrack_.read(path);
}

void PlayerSession::takeTextTrack(const QString &movie, const EmbeddedTrack &track)
{
    // A subtitle file chosen meanwhile, or another movie opened, wins.
    if (ended_ || !subFilePath_.isEmpty() || !movieOpen() || MediaPlayer1.fileName() != movie)
        return;
    log_.line(QStringLiteral("subtitles from the movie's track ") + QString::number(track.track.stream));
    setSubtitleTable(EmbeddedCues::table(track, prefs_.values().overlayFrame, videoFps_));
    setCaptions({captions_.video, captions_.audio, EmbeddedCues::caption(track.track)});
}
