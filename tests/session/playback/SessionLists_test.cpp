// The disc's lists as the session keeps them, and the labels it gives the panel, with engine doubles.
#include "support/OpenAndWait.h"
#include "support/SessionFixture.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QByteArray kDisc = "[MOVIE]\r\nAVIName=film.avi\r\n[MAIN]\r\nTitle=My Disc\r\n"
                         "[SUBTITLES]\r\nDefault=2\r\nDirectory=subs\r\n1=en English\r\nFile=en.srt\r\n"
                         "2=fr French\r\nFile=fr.srt\r\n"
                         "[LANGUAGES]\r\nPrimary=en English\r\nDirectory=audio\r\n1=de Deutsch\r\nFile=de.mp3\r\n"
                         "[SPECIAL]\r\nCD=1\r\nDirectory=extra\r\n1=making.ini The Making\r\n"
                         "[CHAPTERS]\r\n1=0 Start\r\n2=1200 Battle\r\n";
const QByteArray kSrt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHello\r\n\r\n";

QString names(const QList<TrackList::Choice> &choices)
{
    QStringList out;
    for (const auto &c : choices)
        out << c.name;
    return out.join('|');
}

struct Disc : SessionFixture {
    Disc()
    {
        file(QStringLiteral("subs/en.srt"), kSrt);
        file(QStringLiteral("subs/fr.srt"), kSrt);
        session.playDisc(file(QStringLiteral("film.ini"), kDisc), true);
        EXPECT_TRUE(discReadEnds(session));
    }
};

}  // namespace

TEST(SessionLists, ADiscFillsEveryListAndItsLabelsFollowItsMoviesOpen)
{
    SessionFixture f;
    f.mp1.holdOpens = true;
    QSignalSpy tracks(&f.session.tracks(), &TrackList::changed);
    QSignalSpy specials(&f.session.specials(), &DiscList::changed);
    QSignalSpy ended(&f.session, &PlayerSession::discRunEnded);
    f.file(QStringLiteral("subs/fr.srt"), kSrt);
    f.session.playDisc(f.file(QStringLiteral("film.ini"), kDisc), true);
    ASSERT_TRUE(discReadEnds(f.session));

    EXPECT_EQ(names(f.session.tracks().audio()), "English|Deutsch");
    EXPECT_EQ(f.session.tracks().audio()[1].file, f.path("audio/de.mp3"));
    EXPECT_EQ(names(f.session.tracks().subtitles()), "None|English|French");
    EXPECT_EQ(f.session.tracks().subtitleIndex(), 2);
    ASSERT_EQ(f.session.specials().list().size(), 2);
    EXPECT_EQ(f.session.specials().list()[0].iniFile, f.path("film.ini"));
    EXPECT_EQ(f.session.specials().list()[1].iniFile, f.path("extra/making.ini"));
    ASSERT_EQ(f.session.chapters().list().size(), 2);
    EXPECT_EQ(f.session.chapters().list()[1].frame, 1200);
    EXPECT_EQ(tracks.size(), 1);
    EXPECT_EQ(specials.size(), 1);
    // The labels wait for the movie.
    EXPECT_EQ(f.session.captions(), Captions{});
    EXPECT_TRUE(ended.isEmpty());

    f.mp1.finishOpen();
    EXPECT_EQ(f.session.captions().video, "VIDEO: MY DISC");
    EXPECT_EQ(f.session.captions().audio, "AUDIO: ENGLISH");
    EXPECT_EQ(f.session.captions().sub, "SUB: FRENCH");
    EXPECT_EQ(f.session.subClock().table().subCount, 3);
    EXPECT_EQ(ended.size(), 1);
    const QStringList log = f.logLines();
    EXPECT_LT(log.indexOf("INI mode"), log.indexOf("opening video " + f.path("film.avi")));
    EXPECT_LT(log.indexOf("Subs opened succesfully?"), log.indexOf("Ini opened succesfully?"));
}

TEST(SessionLists, ChoicesFromTheListsChangeWhatIsHeardAndShown)
{
    Disc f;
    f.session.chooseSubtitleTrack(1);
    EXPECT_EQ(f.session.tracks().subtitleIndex(), 1);
    EXPECT_EQ(f.session.captions().sub, "SUB: ENGLISH");
    // The subtitle file in use stays the disc's default.
    EXPECT_EQ(f.session.subFilePath(), f.path("subs/fr.srt"));

    f.session.chooseLanguage(1);
    EXPECT_EQ(f.mp2.fileName(), f.path("audio/de.mp3"));
    EXPECT_EQ(f.session.captions().audio, "AUDIO: DEUTSCH");
    f.session.chooseLanguage(0);
    EXPECT_FALSE(f.session.audioSeparate());
    EXPECT_TRUE(f.mp2.fileName().isEmpty());
    EXPECT_EQ(f.session.captions().audio, "AUDIO: ENGLISH");

    // Out of the lists: nothing happens.
    const Captions before = f.session.captions();
    for (int index : {-1, 3, 99}) {
        f.session.chooseLanguage(index);
        f.session.chooseSubtitleTrack(index);
    }
    EXPECT_EQ(f.session.captions(), before);
}

TEST(SessionLists, ALanguageThatDoesNotOpenPutsTheListBackOnTheMoviesSound)
{
    Disc f;
    f.mp2.unopenable << f.path("audio/de.mp3");
    QStringList told;
    QObject::connect(&f.session, &PlayerSession::messageDue, [&](const QString &text) { told << text; });
    f.session.chooseLanguage(1);
    EXPECT_EQ(f.session.tracks().audioIndex(), 0);
    EXPECT_EQ(f.session.captions().audio, "AUDIO: ENGLISH");
    EXPECT_EQ(told, QStringList{"ERROR LOADING AUDIO FILE"});
    EXPECT_FALSE(f.mp1.mute());
}

TEST(SessionLists, ScenesRunTheirDiscOrMoveToTheChapter)
{
    Disc f;
    f.file(QStringLiteral("extra/making.ini"), "[MOVIE]\r\nAVIName=making.avi\r\n[MAIN]\r\nTitle=Making\r\n");
    f.session.chooseScene(3);  // Battle
    EXPECT_EQ(f.mp1.currentPosition(), 1200);
    f.session.chooseScene(1);  // the special
    ASSERT_TRUE(discReadEnds(f.session));
    EXPECT_EQ(f.mp1.fileName(), f.path("extra/making.avi"));
    EXPECT_EQ(f.session.captions().video, "VIDEO: MAKING");
    // "MAIN MOVIE" still leads back to the disc.
    ASSERT_FALSE(f.session.specials().list().isEmpty());
    EXPECT_EQ(f.session.specials().list()[0].iniFile, f.path("film.ini"));
    f.session.chooseScene(0);
    ASSERT_TRUE(discReadEnds(f.session));
    EXPECT_EQ(f.mp1.fileName(), f.path("film.avi"));
    f.session.chooseScene(99);
    EXPECT_EQ(f.mp1.fileName(), f.path("film.avi"));
}

TEST(SessionLists, TheLabelsNameWhatIsOpen)
{
    SessionFixture f;
    QSignalSpy changed(&f.session, &PlayerSession::captionsChanged);
    f.session.openMovie(f.path("my film.avi"));
    EXPECT_EQ(f.session.captions(), (Captions{"VIDEO: MY FILM.AVI", "AUDIO: DEFAULT", "SUB:"}));
    f.session.openSound(f.path("dub.mp3"));
    EXPECT_EQ(f.session.captions().audio, "AUDIO: DUB.MP3");
    f.session.chooseSubtitles(f.file(QStringLiteral("a.srt"), kSrt));
    EXPECT_EQ(f.session.captions().sub, "SUB: A.SRT");
    const qsizetype told = changed.size();
    f.session.chooseSubtitles(f.file(QStringLiteral("a.srt"), kSrt));
    EXPECT_EQ(changed.size(), told) << "the same labels are not told again";
}
