// The movie's own tracks and chapters in the session's lists, chosen from them, with the engine double.
#include "support/MovieWithTracks.h"
#include "support/OpenAndWait.h"
#include "support/SessionFixture.h"
#include "support/UserLocale.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QString names(const QList<TrackList::Choice> &choices, int current)
{
    QStringList out;
    for (qsizetype i = 0; i < choices.size(); ++i)
        out << (i == current ? "[" + choices[i].name + "]" : choices[i].name);
    return out.join('|');
}

struct Movie : SessionFixture {
    explicit Movie(const char *name = "C") : locale(QLocale(QString::fromLatin1(name)))
    {
        mp1.movieTracks = movieTracks();
        mp1.movieChapters = movieChapters();
        mp1.seconds = 12;
        mp1.frames = 300;
        session.openMovie(path("tracks.mkv"));
    }
    QString audio() const { return names(session.tracks().audio(), session.tracks().audioIndex()); }
    QString subs() const { return names(session.tracks().subtitles(), session.tracks().subtitleIndex()); }
    UserLocale locale;
};

const QByteArray kDisc = "[MOVIE]\r\nAVIName=tracks.mkv\r\n[MAIN]\r\nTitle=Disc\r\n"
                         "[SUBTITLES]\r\nDirectory=subs\r\n1=de Deutsch\r\nFile=de.srt\r\n"
                         "[LANGUAGES]\r\nPrimary=en English\r\nDirectory=audio\r\n1=de Deutsch\r\nFile=de.mp3\r\n";
const QByteArray kSrt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHallo\r\n\r\n";

}  // namespace

TEST(SessionTracks, TheMoviesOwnTracksAreListedAndItsDefaultSubtitleShows)
{
    Movie f;
    EXPECT_EQ(f.audio(), "[DEFAULT]|fre");
    EXPECT_EQ(f.subs(), "None|[eng]|fre Français|eng Pictures");
    EXPECT_EQ(f.mp1.subtitleTrack(), 1);
    EXPECT_EQ(f.session.captions(), (Captions{"VIDEO: TRACKS.MKV", "AUDIO: DEFAULT", "SUB: ENG"}));
    EXPECT_TRUE(f.logLines().contains("subtitle track 1 eng"));
    // A text track fills the table from its cues: it starts with no cue at all.
    EXPECT_EQ(f.session.subClock().table().subCount, 2);
}

TEST(SessionTracks, EachChoiceSwitchesTheEngineAndNamesItOnTheLabels)
{
    struct Case {
        const char *what;
        bool audio;
        int index;
        const char *calls;
        const char *label;
        const char *list;
    } cases[] = {
        {"the other audio track", true, 1, "aid 2", "AUDIO: FRE", "DEFAULT|[fre]"},
        {"a picture track", false, 3, "sid 3", "SUB: ENG PICTURES", "None|eng|fre Français|[eng Pictures]"},
        {"another text track", false, 2, "sid 2", "SUB: FRE FRANÇAIS", "None|eng|[fre Français]|eng Pictures"},
        {"none", false, 0, "sid 0", "SUB: NONE", "[None]|eng|fre Français|eng Pictures"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Movie f;
        f.mp1.calls.clear();
        if (c.audio) {
            f.session.chooseLanguage(c.index);
            EXPECT_EQ(f.session.captions().audio, c.label);
            EXPECT_EQ(f.audio(), c.list);
        } else {
            f.session.chooseSubtitleTrack(c.index);
            EXPECT_EQ(f.session.captions().sub, c.label);
            EXPECT_EQ(f.subs(), c.list);
        }
        EXPECT_TRUE(f.mp1.calls.contains(c.calls)) << f.mp1.calls.join(',').toStdString();
    }
}

TEST(SessionTracks, TheMoviesOwnSoundGoesBackToTheTrackItStartedWith)
{
    Movie f;
    f.session.chooseLanguage(1);
    ASSERT_EQ(f.mp1.audioTrack(), 2);
    EXPECT_TRUE(f.logLines().contains("audio track 2 fre"));
    f.session.chooseLanguage(0);
    EXPECT_EQ(f.mp1.audioTrack(), 1);
    EXPECT_EQ(f.session.captions().audio, "AUDIO: DEFAULT");
    // The next movie starts with its own sound again.
    f.session.chooseLanguage(1);
    f.session.openMovie(f.path("again.mkv"));
    EXPECT_EQ(f.audio(), "[DEFAULT]|fre");
    EXPECT_EQ(f.mp1.audioTrack(), 1);
}

TEST(SessionTracks, ADiscAndASubtitleFileJoinTheMoviesTracksInTheirPlaces)
{
    Movie f;
    f.file(QStringLiteral("subs/de.srt"), kSrt);
    f.session.playDisc(f.file(QStringLiteral("disc.ini"), kDisc), true);
    ASSERT_TRUE(discReadEnds(f.session));
    EXPECT_EQ(f.audio(), "[English]|fre|Deutsch");
    // The disc's default track shows, not the movie's own.
    EXPECT_EQ(f.subs(), "None|eng|fre Français|eng Pictures|[Deutsch]");
    EXPECT_EQ(f.mp1.subtitleTrack(), 0);
    EXPECT_EQ(f.session.subClock().table().subText[1], "Hallo");
    EXPECT_EQ(f.session.captions().sub, "SUB: DEUTSCH");

    f.session.chooseSubtitleTrack(1);
    EXPECT_EQ(f.mp1.subtitleTrack(), 1);
    EXPECT_EQ(f.session.subClock().table().subCount, 2) << "the file's entries are gone";
    EXPECT_EQ(f.session.captions().sub, "SUB: ENG");

    const QString mine = f.file(QStringLiteral("mine.srt"), kSrt);
    f.session.chooseSubtitles(mine);
    EXPECT_EQ(f.mp1.subtitleTrack(), 0) << "a file's subtitles take the movie's track's place";
    EXPECT_EQ(f.subs(), "None|eng|fre Français|eng Pictures|Deutsch|[mine.srt]");
    // A movie opened with a subtitle file in use shows the file, not its own track.
    f.session.openMovie(f.path("next.mkv"));
    EXPECT_EQ(f.mp1.subtitleTrack(), 0);
    EXPECT_EQ(f.subs(), "None|eng|fre Français|eng Pictures|Deutsch|[mine.srt]");
    // Back to the movie's own track from the list.
    f.session.chooseSubtitleTrack(2);
    EXPECT_EQ(f.mp1.subtitleTrack(), 2);
    EXPECT_EQ(f.session.subClock().table().subCount, 2);
}

TEST(SessionTracks, TheUsersLanguageChoosesWhenTheFileMarksNoDefault)
{
    Movie f("fr_FR");
    QList<MovieTrack> unmarked = movieTracks();
    for (MovieTrack &t : unmarked)
        t.isDefault = false;
    f.mp1.movieTracks = unmarked;
    f.session.openMovie(f.path("unmarked.mkv"));
    EXPECT_EQ(f.mp1.subtitleTrack(), 2);
    EXPECT_EQ(f.session.captions().sub, "SUB: FRE FRANÇAIS");
}

TEST(SessionTracks, ChangedTracksKeepTheChoicesMade)
{
    Movie f;
    f.session.chooseLanguage(1);
    f.session.chooseSubtitleTrack(2);
    QSignalSpy changed(&f.session.tracks(), &TrackList::changed);
    QList<MovieTrack> more = movieTracks();
    MovieTrack extra = more[3];
    extra.id = 4;
    extra.language = QStringLiteral("ger");
    more.append(extra);
    f.mp1.changeTracks(more);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(f.audio(), "DEFAULT|[fre]");
    EXPECT_EQ(f.subs(), "None|eng|[fre Français]|eng Pictures|ger");
}

TEST(SessionTracks, TheMoviesChaptersUnlessTheDiscGivesSome)
{
    Movie f;
    const auto chapters = [&] {
        QStringList out;
        for (const Chapter &c : f.session.chapters().list())
            out << c.name + "@" + QString::number(c.frame);
        return out.join('|');
    };
    EXPECT_EQ(chapters(), "Opening@0|Middle@100|Chapter 3@200");
    f.session.chooseScene(2);
    EXPECT_EQ(f.mp1.currentPosition(), 200);

    f.session.playDisc(f.file(QStringLiteral("chapters.ini"),
                              "[MOVIE]\r\nAVIName=tracks.mkv\r\n[CHAPTERS]\r\n1=0 Start\r\n2=150 Half\r\n"),
                       true);
    ASSERT_TRUE(discReadEnds(f.session));
    EXPECT_EQ(chapters(), "Start@0|Half@150");
    // A disc without chapters lists its movie's own, after "MAIN MOVIE".
    f.session.playDisc(f.file(QStringLiteral("plain.ini"), "[MOVIE]\r\nAVIName=tracks.mkv\r\n"), true);
    ASSERT_TRUE(discReadEnds(f.session));
    EXPECT_EQ(chapters(), "Opening@0|Middle@100|Chapter 3@200");
    f.session.chooseScene(2);  // "MAIN MOVIE", then the chapters
    EXPECT_EQ(f.mp1.currentPosition(), 100);
}
