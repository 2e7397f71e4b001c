// What is asked while a movie is still opening is applied once it has, in the order of events: the
// sound heard is the one chosen last, subtitles load with the format asked for, and nothing of it is
// undone by the movie's open. The engines hold their opens until the test ends them.
#include "support/OpenAndWait.h"
#include "support/SessionFixture.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

struct HeldOpens : SessionFixture {
    HeldOpens()
    {
        mp1.holdOpens = true;
        mp2.holdOpens = true;
    }
    // Which engine is heard: the movie's own sound, or the separate file.
    QString heard() const
    {
        if (!mp1.mute() && mp2.mute())
            return QStringLiteral("movie");
        if (mp1.mute() && !mp2.mute() && session.audioSeparate())
            return QStringLiteral("sound ") + QFileInfo(mp2.fileName()).fileName();
        return QStringLiteral("mp1 muted %1, mp2 muted %2").arg(mp1.mute()).arg(mp2.mute());
    }
};

const QByteArray kDisc = "[MOVIE]\r\nAVIName=film.avi\r\n"
                         "[LANGUAGES]\r\nPrimary=en English\r\nDirectory=audio\r\n1=de Deutsch\r\nFile=de.mp3\r\n";

}  // namespace

TEST(OpenOrder, ASoundAskedWhileTheMovieOpensIsHeardOnceItHas)
{
    struct Case {
        const char *what;
        std::function<void(HeldOpens &)> ask;  // while the movie opens
        QString heard;
        QString caption;
    };
    const Case cases[] = {
        {"a sound file", [](HeldOpens &f) { f.session.openSound(f.path("dub.mp3")); }, "sound dub.mp3",
         "AUDIO: DUB.MP3"},
        {"a disc language", [](HeldOpens &f) { f.session.chooseLanguage(1); }, "sound de.mp3", "AUDIO: DEUTSCH"},
        {"a language, then the movie's own", [](HeldOpens &f) {
             f.session.chooseLanguage(1);
             f.session.chooseLanguage(0);
         }, "movie", "AUDIO: ENGLISH"},
        {"nothing", [](HeldOpens &) {}, "movie", "AUDIO: ENGLISH"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        HeldOpens f;
        f.session.playDisc(f.file("film.ini", kDisc), true);
        ASSERT_TRUE(discReadEnds(f.session));
        ASSERT_TRUE(f.mp1.opening());
        c.ask(f);
        EXPECT_FALSE(f.mp2.opening()) << "the sound waits for the movie";
        EXPECT_TRUE(f.session.opening());
        f.mp1.finishOpen();
        f.mp2.finishOpen();
        EXPECT_EQ(f.heard(), c.heard);
        EXPECT_EQ(f.session.captions().audio, c.caption);
        EXPECT_FALSE(f.session.opening());
    }
}

TEST(OpenOrder, ASoundWaitingForAMovieThatFailsIsDropped)
{
    HeldOpens f;
    f.mp1.unopenable << f.path("gone.avi");
    QSignalSpy busy(&f.session, &PlayerSession::busyChanged);
    f.session.openMovie(f.path("gone.avi"));
    f.session.openSound(f.path("dub.mp3"));
    f.mp1.finishOpen();
    EXPECT_FALSE(f.mp2.opening());
    EXPECT_FALSE(f.mp2.calls.contains("open " + f.path("dub.mp3")));
    EXPECT_FALSE(f.session.opening());
    ASSERT_FALSE(busy.isEmpty());
    EXPECT_EQ(busy.last().at(0).toBool(), false);
}

TEST(OpenOrder, SubtitlesChosenWithAFormatWhileTheMovieOpensLoadWithThatFormat)
{
    // SubRip text read as MicroDVD finds no entry of its own: it is refused as an empty file.
    const QByteArray srt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHello\r\n\r\n";
    const struct {
        const char *what;
        std::optional<int> format;
        int entries;
        const char *logged;
        const char *caption;
    } cases[] = {
        {"detected", std::nullopt, 3, "format is 1", "SUB: FILM.SRT"},
        {"as MicroDVD", 0, 0, "format is 0", "SUB:"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        HeldOpens f;
        f.session.openMovie(f.path("film.avi"));
        f.session.chooseSubtitles(f.file("film.srt", srt), c.format);
        EXPECT_EQ(f.session.subClock().table().subCount, 0);
        f.mp1.finishOpen();
        EXPECT_EQ(f.session.subClock().table().subCount, c.entries);
        EXPECT_TRUE(f.logLines().contains(QString::fromLatin1(c.logged)));
        EXPECT_EQ(f.session.captions().sub, QString::fromLatin1(c.caption));
    }
    // Without a movie the file waits for the next one, which detects its format.
    HeldOpens f;
    f.session.chooseSubtitles(f.file("film.srt", srt), 0);
    f.session.openMovie(f.path("film.avi"));
    f.mp1.finishOpen();
    EXPECT_EQ(f.session.subClock().table().subCount, 3);
}

TEST(OpenOrder, AMessageIsToldAfterTheOpenHasEndedAndEverythingItChangedIsInPlace)
{
    HeldOpens f;
    f.session.openMovie(f.path("film.avi"));
    f.mp1.finishOpen();
    f.mp2.unopenable << f.path("dub.mp3");
    QStringList seen;
    QObject::connect(&f.session, &PlayerSession::messageDue, [&](const QString &text) {
        seen << text + " / " + f.session.captions().audio + " / " + (f.session.opening() ? "busy" : "idle");
    });
    f.session.openSound(f.path("dub.mp3"));
    f.mp2.finishOpen();
    EXPECT_EQ(seen, QStringList{"ERROR LOADING AUDIO FILE / AUDIO: DEFAULT / idle"});
}
