#include "playback/MovieTracks.h"

#include <QLocale>
#include <algorithm>

namespace MovieTracks {

bool isPictureCodec(const QString &codec)
{
    static const char *const pictures[] = {"dvd_subtitle", "hdmv_pgs_subtitle", "dvb_subtitle", "dvb_teletext", "xsub"};
    return std::any_of(std::begin(pictures), std::end(pictures),
                       [&](const char *p) { return codec == QLatin1String(p); });
}

QString name(const MovieTrack &track)
{
    QStringList parts;
    if (!track.language.isEmpty() && track.language != QLatin1String("und"))
        parts << track.language;
    if (!track.title.isEmpty())
        parts << track.title;
    return parts.isEmpty() ? QStringLiteral("Track ") + QString::number(track.id) : parts.join(QLatin1Char(' '));
}

QString chapterName(const MovieChapter &chapter, int number)
{
    return chapter.title.isEmpty() ? QStringLiteral("Chapter ") + QString::number(number) : chapter.title;
}

QList<MovieTrack> ofType(const QList<MovieTrack> &tracks, MovieTrack::Type type)
{
    QList<MovieTrack> out;
    std::copy_if(tracks.begin(), tracks.end(), std::back_inserter(out),
                 [type](const MovieTrack &t) { return t.type == type; });
    return out;
}

bool isUsersLanguage(const QString &trackLanguage, const QString &userLocale)
{
    const QLocale::Language user = QLocale(userLocale).language();
    if (trackLanguage.isEmpty() || user == QLocale::AnyLanguage || user == QLocale::C)
        return false;
    // Matroska names languages in ISO 639-2 ("fre", "ger"), MP4 often in 639-1 or the terminology codes.
    return QLocale::codeToLanguage(trackLanguage) == user;
}

int defaultSubtitle(const QList<MovieTrack> &tracks, const QString &userLocale)
{
    const QList<MovieTrack> subs = ofType(tracks, MovieTrack::Type::Subtitle);
    const auto first = [&](auto wanted) {
        const auto it = std::find_if(subs.begin(), subs.end(), wanted);
        return it == subs.end() ? 0 : it->id;
    };
    for (auto rule : {+[](const MovieTrack &t, const QString &) { return t.isDefault; },
                      +[](const MovieTrack &t, const QString &) { return t.forced; },
                      +[](const MovieTrack &t, const QString &user) { return isUsersLanguage(t.language, user); },
                      +[](const MovieTrack &t, const QString &) { return !t.picture; }}) {
        if (const int id = first([&](const MovieTrack &t) { return rule(t, userLocale); }))
            return id;
    }
    return 0;
}

}  // namespace MovieTracks
