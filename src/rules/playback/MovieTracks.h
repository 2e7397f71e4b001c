#pragma once
// A movie's own tracks and chapters as its file lists them, and the rules for naming and choosing them.
#include <QList>
#include <QString>

struct MovieTrack {
    enum class Type { Video, Audio, Subtitle };
    Type type = Type::Audio;
    int id = 0;  // the engine's number for it among the tracks of its type, from 1
    QString language, title, codec;
    bool isDefault = false, forced = false;
    // A subtitle track of pictures (DVD, Blu-ray, DVB): the engine draws it on the picture; the rest
    // are text, shown in the overlay.
    bool picture = false;
    bool operator==(const MovieTrack &) const = default;
};

struct MovieChapter {
    QString title;  // empty when the file names none
    double start = 0;
    bool operator==(const MovieChapter &) const = default;
};

namespace MovieTracks {

// Subtitle codecs decoded to pictures rather than text, as FFmpeg names them.
bool isPictureCodec(const QString &codec);

// How a list names a track: its language and title, either alone when the other is missing
// ("und" is none), else "Track N".
QString name(const MovieTrack &track);

// "Chapter N" (counted from 1) where the file names none.
QString chapterName(const MovieChapter &chapter, int number);

// The tracks of one type, in the file's order.
QList<MovieTrack> ofType(const QList<MovieTrack> &tracks, MovieTrack::Type type);

// Whether a track's language (an ISO 639 code of two or three letters) is the user's (a locale name like "fr_CA").
bool isUsersLanguage(const QString &trackLanguage, const QString &userLocale);

// The subtitle track shown when no subtitle file is in use: the first marked default, else the first
// marked forced, else the first in the user's language, else the first text track; 0 when there is none.
int defaultSubtitle(const QList<MovieTrack> &tracks, const QString &userLocale);

}  // namespace MovieTracks
