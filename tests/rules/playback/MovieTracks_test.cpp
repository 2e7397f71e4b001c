#include "playback/MovieTracks.h"

#include <gtest/gtest.h>

namespace {

MovieTrack sub(int id, const char *lang, bool isDefault = false, bool forced = false, bool picture = false)
{
    MovieTrack t;
    t.type = MovieTrack::Type::Subtitle;
    t.id = id;
    t.language = QString::fromLatin1(lang);
    t.isDefault = isDefault;
    t.forced = forced;
    t.picture = picture;
    return t;
}

}  // namespace

TEST(MovieTracks, NamesFromLanguageAndTitle)
{
    struct Case {
        const char *what;
        const char *language, *title;
        int id;
        const char *expected;
    } cases[] = {
        {"both", "fre", "Commentaire", 2, "fre Commentaire"},
        {"language only", "eng", "", 1, "eng"},
        {"title only", "", "Director", 3, "Director"},
        {"undetermined language", "und", "", 4, "Track 4"},
        {"undetermined with a title", "und", "Signs", 5, "Signs"},
        {"nothing", "", "", 7, "Track 7"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MovieTrack t;
        t.id = c.id;
        t.language = QString::fromUtf8(c.language);
        t.title = QString::fromUtf8(c.title);
        EXPECT_EQ(MovieTracks::name(t).toStdString(), c.expected);
    }
    EXPECT_EQ(MovieTracks::chapterName({QStringLiteral("Opening"), 0}, 1), "Opening");
    EXPECT_EQ(MovieTracks::chapterName({QString(), 8}, 3), "Chapter 3");
}

TEST(MovieTracks, PictureCodecsAreTheBitmapOnes)
{
    for (const char *codec : {"dvd_subtitle", "hdmv_pgs_subtitle", "dvb_subtitle", "xsub"})
        EXPECT_TRUE(MovieTracks::isPictureCodec(QString::fromLatin1(codec))) << codec;
    for (const char *codec : {"subrip", "ass", "webvtt", "mov_text", "eia_608", ""})
        EXPECT_FALSE(MovieTracks::isPictureCodec(QString::fromLatin1(codec))) << codec;
}

TEST(MovieTracks, TheDefaultSubtitleFollowsFlagsThenTheUsersLanguage)
{
    struct Case {
        const char *what;
        QList<MovieTrack> tracks;
        const char *locale;
        int expected;
    } cases[] = {
        {"marked default wins over an earlier forced one",
         {sub(1, "eng", false, true), sub(2, "fre", true)}, "en_GB", 2},
        {"forced before the user's language", {sub(1, "fre"), sub(2, "eng", false, true)}, "fr_FR", 2},
        {"the user's language by its ISO 639-2 code", {sub(1, "eng"), sub(2, "fre")}, "fr_CA", 2},
        {"the user's language by its two-letter code", {sub(1, "en"), sub(2, "de")}, "de_AT", 2},
        {"the terminology code names the same language", {sub(1, "eng"), sub(2, "fra")}, "fr_FR", 2},
        {"nothing matches: the first text track", {sub(1, "jpn", false, false, true), sub(2, "kor")}, "fr_FR", 2},
        {"a picture track in the user's language", {sub(1, "eng"), sub(2, "fre", false, false, true)}, "fr_FR", 2},
        {"pictures only, nothing marked", {sub(1, "jpn", false, false, true)}, "fr_FR", 0},
        {"no subtitle tracks", {}, "fr_FR", 0},
        {"the C locale names no language", {sub(1, "eng"), sub(2, "fre")}, "C", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MovieTracks::defaultSubtitle(c.tracks, QString::fromLatin1(c.locale)), c.expected);
    }
    // Audio tracks never count, whatever their flags.
    MovieTrack audio = sub(5, "fre", true);
    audio.type = MovieTrack::Type::Audio;
    EXPECT_EQ(MovieTracks::defaultSubtitle({audio, sub(6, "eng")}, QStringLiteral("fr_FR")), 6);
}
