#pragma once
// The sound and subtitle choices the "Select Language:" and "Select Subtitles:" lists offer, and which
// of them is in use: the movie's own tracks, a disc's languages and subtitle tracks, and the subtitle
// file in use. The lists are its views and choose through the session.
#include "playback/MovieTracks.h"

#include <QList>
#include <QObject>
#include <QString>

class TrackList : public QObject {
    Q_OBJECT
public:
    struct Choice {
        enum class Kind {
            Own,    // the movie's own sound: the audio track it started with
            Movie,  // another of the movie's own tracks
            Disc,   // a disc's language or subtitle track, from its file
            File,   // the subtitle file in use
            None,   // no subtitles
        };
        Kind kind = Kind::None;
        QString name;  // as listed
        QString file;  // where a disc's entry or the subtitle file lies
        int track = 0; // the movie's track id; 0 when it has none
        bool picture = false;
        bool operator==(const Choice &) const = default;
    };

    using QObject::QObject;

    // The movie's own sound first (the disc's name for it, else "DEFAULT"), then the movie's other
    // audio tracks, then the disc's languages. Empty while there is neither a disc nor a movie's sound.
    const QList<Choice> &audio() const { return audio_; }
    // The entry heard; -1 while the list is empty.
    int audioIndex() const { return audioIndex_; }
    // "None", the movie's own subtitle tracks, the disc's tracks, then the subtitle file in use when
    // it is none of the disc's.
    const QList<Choice> &subtitles() const { return subtitles_; }
    // The entry shown; 0 ("None") while nothing is.
    int subtitleIndex() const { return subtitleIndex_; }
    const QList<MovieTrack> &movieTracks() const { return movieTracks_; }

    // A disc's languages (the first names the movie's own sound) and subtitle tracks, with the track
    // shown (-1 for none); its movie starts with its own sound.
    void setDisc(const QList<Choice> &languages, const QList<Choice> &subtitles, int subtitleIndex);
    // The open movie's tracks and the audio track it started with. A movie track shown before is gone
    // with the movie it belonged to.
    void setMovie(const QList<MovieTrack> &tracks, int ownAudio);
    // The open movie's tracks as they changed while it plays; what is heard and shown stays.
    void setMovieTracks(const QList<MovieTrack> &tracks);
    // The subtitle file in use; listed unless it is one of the disc's.
    void setFile(const QString &path);
    void setAudioIndex(int index);
    void setSubtitleIndex(int index);
    // The entry shown from now on: a movie's track by id, a file by path, or none.
    void showSubtitle(Choice::Kind kind, int track = 0, const QString &file = QString());

signals:
    void changed();

private:
    // The lists again from what they are made of, the current entries found by what they are.
    void rebuild();
    static int indexOf(const QList<Choice> &list, const Choice &wanted);
    static Choice own() { return Choice{Choice::Kind::Own, QString(), QString(), 0, false}; }

    QList<MovieTrack> movieTracks_;
    int ownAudio_ = 0;
    QList<Choice> discLanguages_, discSubtitles_;
    QString file_;
    Choice heard_ = own();
    Choice shown_;

    QList<Choice> audio_;
    int audioIndex_ = -1;
    QList<Choice> subtitles_;
    int subtitleIndex_ = 0;
};
