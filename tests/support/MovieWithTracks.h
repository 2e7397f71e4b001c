#pragma once
// What tests/media/tracks.mkv holds, for the engine double: two audio tracks (English marked default,
// French), two text subtitle tracks (English marked default, French with a title), a picture track, and
// three chapters, the last without a title; 12 s at 25 frames a second.
#include "playback/MovieTracks.h"

inline QList<MovieTrack> movieTracks()
{
    using T = MovieTrack::Type;
    const auto track = [](T type, int id, const char *lang, const char *title, const char *codec, bool isDefault) {
        MovieTrack t;
        t.type = type;
        t.id = id;
        t.language = QString::fromUtf8(lang);
        t.title = QString::fromUtf8(title);
        t.codec = QString::fromUtf8(codec);
        t.isDefault = isDefault;
        t.picture = MovieTracks::isPictureCodec(t.codec);
        return t;
    };
    return {track(T::Video, 1, "", "", "h264", false),
            track(T::Audio, 1, "eng", "", "aac", true),
            track(T::Audio, 2, "fre", "", "aac", false),
            track(T::Subtitle, 1, "eng", "", "subrip", true),
            track(T::Subtitle, 2, "fre", "Français", "subrip", false),
            track(T::Subtitle, 3, "eng", "Pictures", "dvd_subtitle", false)};
}

inline QList<MovieChapter> movieChapters()
{
    return {{QStringLiteral("Opening"), 0}, {QStringLiteral("Middle"), 4}, {QString(), 8}};
}
