#include "playback/TrackList.h"

#include <QFileInfo>

using Kind = TrackList::Choice::Kind;

void TrackList::setDisc(const QList<Choice> &languages, const QList<Choice> &subtitles, int subtitleIndex)
{
    discLanguages_ = languages;
    discSubtitles_ = subtitles;
    heard_ = own();
    shown_ = Choice();
    if (subtitleIndex >= 0 && subtitleIndex < subtitles.size())
        shown_ = Choice{Kind::Disc, subtitles[subtitleIndex].name, subtitles[subtitleIndex].file, 0, false};
    rebuild();
}

void TrackList::setMovie(const QList<MovieTrack> &tracks, int ownAudio)
{
    movieTracks_ = tracks;
    ownAudio_ = ownAudio;
    heard_ = own();
    if (shown_.kind == Kind::Movie)
        shown_ = Choice();
    rebuild();
}

void TrackList::setMovieTracks(const QList<MovieTrack> &tracks)
{
    movieTracks_ = tracks;
    rebuild();
}

void TrackList::setFile(const QString &path)
{
    if (file_ == path)
        return;
    file_ = path;
    rebuild();
}

void TrackList::setAudioIndex(int index)
{
    if (index < 0 || index >= audio_.size() || index == audioIndex_)
        return;
    heard_ = audio_[index];
    rebuild();
}

void TrackList::setSubtitleIndex(int index)
{
    if (index < 0 || index >= subtitles_.size() || index == subtitleIndex_)
        return;
    shown_ = subtitles_[index];
    rebuild();
}

void TrackList::showSubtitle(Choice::Kind kind, int track, const QString &file)
{
    shown_ = Choice{kind, QString(), file, track, false};
    rebuild();
}

int TrackList::indexOf(const QList<Choice> &list, const Choice &wanted)
{
    for (int i = 0; i < list.size(); ++i) {
        const Choice &c = list[i];
        const bool same = wanted.kind == Kind::Disc || wanted.kind == Kind::File
                              ? (c.kind == Kind::Disc || c.kind == Kind::File) && c.file == wanted.file
                              : c.kind == wanted.kind && (c.kind != Kind::Movie || c.track == wanted.track);
        if (same)
            return i;
    }
    return -1;
}

void TrackList::rebuild()
{
    const QList<Choice> oldAudio = audio_, oldSubtitles = subtitles_;
    const int oldAudioIndex = audioIndex_, oldSubtitleIndex = subtitleIndex_;

    audio_.clear();
    const QList<MovieTrack> sounds = MovieTracks::ofType(movieTracks_, MovieTrack::Type::Audio);
    if (!discLanguages_.isEmpty() || !sounds.isEmpty()) {
        const QString own = discLanguages_.isEmpty() ? QStringLiteral("DEFAULT") : discLanguages_.first().name;
        audio_.append({Kind::Own, own, QString(), ownAudio_, false});
    }
    for (const MovieTrack &t : sounds) {
        if (t.id != ownAudio_)
            audio_.append({Kind::Movie, MovieTracks::name(t), QString(), t.id, false});
    }
    for (qsizetype i = 1; i < discLanguages_.size(); ++i)
        audio_.append({Kind::Disc, discLanguages_[i].name, discLanguages_[i].file, 0, false});

    subtitles_ = {Choice{Kind::None, QStringLiteral("None"), QString(), 0, false}};
    for (const MovieTrack &t : MovieTracks::ofType(movieTracks_, MovieTrack::Type::Subtitle))
        subtitles_.append({Kind::Movie, MovieTracks::name(t), QString(), t.id, t.picture});
    for (const Choice &c : discSubtitles_)
        subtitles_.append({Kind::Disc, c.name, c.file, 0, false});
    if (!file_.isEmpty() && indexOf(subtitles_, Choice{Kind::File, QString(), file_, 0, false}) < 0)
        subtitles_.append({Kind::File, QFileInfo(file_).fileName(), file_, 0, false});

    audioIndex_ = audio_.isEmpty() ? -1 : std::max(0, indexOf(audio_, heard_));
    subtitleIndex_ = std::max(0, indexOf(subtitles_, shown_));
    if (audio_ != oldAudio || subtitles_ != oldSubtitles || audioIndex_ != oldAudioIndex
        || subtitleIndex_ != oldSubtitleIndex)
        emit changed();
}
