// The movie's own tracks and chapters in the session. Its subtitle track is the engine's to read: a
// picture track the engine draws itself, a text track's cues come from the engine as they fall due
// (while playing, after each seek and at each step) and go into the table the display loop shows, so
// nothing reads the file ahead of playing.
#include "engine/MediaEngine.h"
#include "numbers/basic_numbers.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "startup/RunLog.h"
#include "subtitles/EngineCues.h"

void PlayerSession::takeMovieTracks()
{
    tracks_.setMovie(MediaPlayer1.tracks(), MediaPlayer1.audioTrack());
    listChapters();
}

void PlayerSession::movieTracksChanged()
{
    if (!movieOpen())
        return;
    tracks_.setMovieTracks(MediaPlayer1.tracks());
    listChapters();
}

void PlayerSession::listChapters()
{
    if (!discChapters_.isEmpty())
        return;
    QList<Chapter> chapters;
    const QList<MovieChapter> own = MediaPlayer1.chapters();
    for (qsizetype i = 0; i < own.size(); ++i)
        chapters.append({MovieTracks::chapterName(own[i], int(i + 1)), basic_numbers::roundEven(own[i].start)});
    if (chapters != chapters_.list())
        chapters_.set(chapters);
}

void PlayerSession::showMovieSubtitle(int id)
{
    const QList<MovieTrack> subs = MovieTracks::ofType(tracks_.movieTracks(), MovieTrack::Type::Subtitle);
    const auto track = std::find_if(subs.begin(), subs.end(), [id](const MovieTrack &t) { return t.id == id; });
    if (track == subs.end())
        return;
    MediaPlayer1.setSubtitleTrack(id);
    MediaPlayer1.setSubtitleDelay(0);
    cueDelay_ = 0;
    // A picture track is drawn on the picture: the overlay stays empty meanwhile.
    cuesFromMovie_ = !track->picture;
    setSubtitleTable(cuesFromMovie_ ? EngineCues::emptyTable(prefs_.values().overlayFrame) : SubtitleTable());
    if (!cuesFromMovie_)
        blankOverlay();
    tracks_.showSubtitle(TrackList::Choice::Kind::Movie, id);
    const QString name = MovieTracks::name(*track);
    log_.line(QStringLiteral("subtitle track ") + QString::number(id) + QLatin1Char(' ') + name);
    setCaptions({captions_.video, captions_.audio, QStringLiteral("SUB: ") + name.toUpper()});
}

void PlayerSession::stopMovieSubtitle()
{
    if (MediaPlayer1.subtitleTrack() != 0)
        MediaPlayer1.setSubtitleTrack(0);
    if (cuesFromMovie_) {
        subClock_.setTable(SubtitleTable());
        blankOverlay();
    }
    cuesFromMovie_ = false;
    cueDelay_ = 0;
}

void PlayerSession::takeCue(double start, double end, const QString &text)
{
    if (!cuesFromMovie_ || ended_ || !movieOpen())
        return;
    SubtitleTable &table = subClock_.table();
    const int at = EngineCues::add(table, EngineCues::entry(start, end, cueDelay_, text));
    if (at < 0)
        return;
    emit subtitleTableChanged();
    // The cue is due now. One that lands behind the clock's place is found again; before one ahead of
    // it, the clock passes the entries over by now as its ticks would have, so the cue shows at once.
    if (at < subClock_.subIndex()) {
        subClock_.resyncSubtitles();
        return;
    }
    const double now = MediaPlayer1.currentPosition();
    while (subClock_.subIndex() < at && table.subEnd[size_t(subClock_.subIndex())] < now)
        subClock_.tick();
    if (subClock_.subIndex() == at)
        subClock_.tick();
}
