// A disc's Quick ini file read on a thread while the session goes on: what holds while it is read, what
// is asked meanwhile, the disc asked for last winning, and files that cannot be read. The engines hold
// their opens where the order matters; reads end when the test waits for the session's signal.
#include "support/OpenAndWait.h"
#include "support/SessionFixture.h"

#include "threads/DetachedThreads.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QByteArray kDisc = "[MOVIE]\r\nAVIName=film.avi\r\n[MAIN]\r\nTitle=Film\r\n"
                         "[SUBTITLES]\r\nDefault=2\r\nDirectory=subs\r\n1=en English\r\nFile=en.srt\r\n"
                         "2=fr French\r\nFile=fr.srt\r\n"
                         "[LANGUAGES]\r\nPrimary=en English\r\nDirectory=audio\r\n1=de Deutsch\r\nFile=de.mp3\r\n";
const QByteArray kSrt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHello\r\n\r\n";

struct Reading : SessionFixture {
    Reading()
    {
        mp1.holdOpens = true;
        mp2.holdOpens = true;
        file(QStringLiteral("subs/fr.srt"), kSrt);
        file(QStringLiteral("mine.srt"), kSrt);
    }
    // Every read started has ended and what it posted has been handled: whatever was to arrive has.
    static void settleReads()
    {
        ASSERT_TRUE(DetachedThreads::settle(DetachedThreads::kAtExit));
        QCoreApplication::sendPostedEvents();
    }
    QStringList opens() const { return mp1.calls.filter(QStringLiteral("open ")); }
    std::string labels() const
    {
        return (session.captions().video + " | " + session.captions().audio + " | " + session.captions().sub).toStdString();
    }
};

}  // namespace

TEST(DiscRead, WhileTheFileIsReadTheDiscIsOpeningAndTheMovieBeforeItIsGone)
{
    Reading f;
    f.mp1.holdOpens = false;
    f.session.openMovie(f.path("before.avi"));
    f.session.play();
    f.mp1.holdOpens = true;
    QSignalSpy busy(&f.session, &PlayerSession::busyChanged);
    QSignalSpy read(&f.session, &PlayerSession::discRead);

    f.session.playDisc(f.file("film.ini", kDisc), true);
    EXPECT_TRUE(read.isEmpty()) << "read on the UI thread";
    EXPECT_TRUE(f.session.opening());
    EXPECT_EQ(busy.size(), 1);
    EXPECT_TRUE(f.mp1.fileName().isEmpty()) << "the movie before the disc still plays";
    EXPECT_FALSE(f.session.movieOpen());
    // The transport waits for the disc's movie, as for any open.
    f.mp1.calls.clear();
    f.session.togglePlay();
    f.session.seek(100);
    EXPECT_TRUE(f.mp1.calls.isEmpty()) << f.mp1.calls.join(", ").toStdString();
    EXPECT_EQ(f.session.tracks().subtitles().size(), 1) << "only \"None\" before the read ends";
    EXPECT_TRUE(f.logLines().contains("INI mode"));

    ASSERT_TRUE(read.wait());
    EXPECT_EQ(f.session.tracks().subtitles().size(), 3) << "\"None\" and the disc's two";
    EXPECT_EQ(f.opens(), QStringList{"open " + f.path("film.avi")});
    EXPECT_EQ(busy.size(), 1) << "busy from the read through the movie's open";
    f.mp1.finishOpen();
    EXPECT_EQ(f.labels(), "VIDEO: FILM | AUDIO: ENGLISH | SUB: FRENCH");
    ASSERT_EQ(busy.size(), 2);
    EXPECT_FALSE(busy.last().at(0).toBool());
}

TEST(DiscRead, WhatIsAskedWhileTheFileIsReadGoesWithTheDiscsMovie)
{
    struct Case {
        const char *what;
        std::function<void(Reading &)> ask;
        bool whileRead;  // else while the disc's movie opens
        std::string labels;
        QString subFile;
        QString sound;
    };
    const Case cases[] = {
        {"nothing: the default track", [](Reading &) {}, true, "VIDEO: FILM | AUDIO: ENGLISH | SUB: FRENCH",
         "subs/fr.srt", ""},
        {"a subtitle file wins over the default track", [](Reading &f) { f.session.chooseSubtitles(f.path("mine.srt")); },
         true, "VIDEO: FILM | AUDIO: ENGLISH | SUB: MINE.SRT", "mine.srt", ""},
        {"a subtitle file keeps its name on the labels",
         [](Reading &f) { f.session.chooseSubtitles(f.path("mine.srt")); }, false,
         "VIDEO: FILM | AUDIO: ENGLISH | SUB: MINE.SRT", "mine.srt", ""},
        {"a sound file is heard with it", [](Reading &f) { f.session.openSound(f.path("dub.mp3")); }, true,
         "VIDEO: FILM | AUDIO: DUB.MP3 | SUB: FRENCH", "subs/fr.srt", "dub.mp3"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Reading f;
        f.session.playDisc(f.file("film.ini", kDisc), true);
        if (c.whileRead)
            c.ask(f);
        ASSERT_TRUE(discReadEnds(f.session));
        if (!c.whileRead)
            c.ask(f);
        EXPECT_FALSE(f.mp2.opening());
        f.mp1.finishOpen();
        f.mp2.finishOpen();
        EXPECT_EQ(f.labels(), c.labels);
        EXPECT_EQ(f.session.subFilePath(), f.path(c.subFile));
        EXPECT_EQ(f.mp2.fileName(), c.sound.isEmpty() ? QString() : f.path(c.sound));
        EXPECT_FALSE(f.session.opening());
    }
    // The choice lasts only through the read it was made in: the next disc's default track is loaded.
    Reading f;
    f.mp1.holdOpens = false;
    f.session.playDisc(f.file("film.ini", kDisc), true);
    f.session.chooseSubtitles(f.path("mine.srt"));
    ASSERT_TRUE(discReadEnds(f.session));
    f.session.playDisc(f.path("film.ini"), true);
    ASSERT_TRUE(discReadEnds(f.session));
    EXPECT_EQ(f.session.subFilePath(), f.path("subs/fr.srt"));
}

TEST(DiscRead, TheLastDiscOrMovieAskedForWinsAndNothingOfAnEarlierReadArrives)
{
    // A larger file for the disc given up, so that its read is still under way when the next is asked.
    QByteArray big = kDisc + "[CHAPTERS]\r\n";
    for (int n = 1; big.size() < 256 * 1024; ++n)
        big += QByteArray::number(n) + "=" + QByteArray::number(n * 25) + " Chapter\r\n";
    {
        SCOPED_TRACE("another disc");
        Reading f;
        QSignalSpy read(&f.session, &PlayerSession::discRead);
        QSignalSpy ended(&f.session, &PlayerSession::discRunEnded);
        f.session.playDisc(f.file("big.ini", big), true);
        f.session.playDisc(f.file("other.ini", "[MOVIE]\r\nAVIName=other.avi\r\n[MAIN]\r\nTitle=Other\r\n"), true);
        ASSERT_TRUE(read.wait());
        f.settleReads();
        EXPECT_EQ(read.size(), 1);
        EXPECT_TRUE(f.session.chapters().list().isEmpty());
        EXPECT_EQ(f.session.disc().iniFile, f.path("other.ini"));
        EXPECT_EQ(f.opens(), QStringList{"open " + f.path("other.avi")});
        f.mp1.finishOpen();
        EXPECT_EQ(f.session.captions().video, "VIDEO: OTHER");
        EXPECT_EQ(ended.size(), 1);
    }
    {
        SCOPED_TRACE("a movie");
        Reading f;
        QSignalSpy read(&f.session, &PlayerSession::discRead);
        QSignalSpy ended(&f.session, &PlayerSession::discRunEnded);
        f.session.playDisc(f.file("big.ini", big), true);
        f.session.openMovie(f.path("movie.avi"));
        f.settleReads();
        EXPECT_TRUE(read.isEmpty());
        EXPECT_TRUE(f.session.tracks().subtitles().isEmpty());
        EXPECT_EQ(f.opens(), QStringList{"open " + f.path("movie.avi")});
        EXPECT_TRUE(ended.isEmpty());
        f.mp1.finishOpen();
        // The disc's run ends with the movie that replaced it, without its labels.
        EXPECT_EQ(ended.size(), 1);
        EXPECT_EQ(f.session.captions().video, "VIDEO: MOVIE.AVI");
        EXPECT_FALSE(f.session.opening());
    }
    {
        SCOPED_TRACE("the run's end");
        Reading f;
        QSignalSpy busy(&f.session, &PlayerSession::busyChanged);
        f.session.playDisc(f.file("big.ini", big), true);
        f.session.end();
        const qsizetype told = busy.size();
        f.settleReads();
        EXPECT_TRUE(f.opens().isEmpty());
        EXPECT_TRUE(f.session.chapters().list().isEmpty());
        EXPECT_EQ(busy.size(), told);
    }
}

TEST(DiscRead, AFileThatCannotBeReadEndsItsReadWithNothingListed)
{
    struct Case {
        const char *what;
        std::function<QString(Reading &)> make;
    };
    const Case cases[] = {
        {"missing", [](Reading &f) { return f.path("disc/gone.ini"); }},
        {"a folder", [](Reading &f) {
             QDir().mkpath(f.path("disc/folder.ini"));
             return f.path("disc/folder.ini");
         }},
        // Nobody ever writes to it: a read that waited for a writer would never end.
        {"a FIFO", [](Reading &f) {
             QDir().mkpath(f.path("disc"));
             EXPECT_EQ(mkfifo(QFile::encodeName(f.path("disc/fifo.ini")).constData(), 0600), 0);
             return f.path("disc/fifo.ini");
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Reading f;
        f.session.playDisc(c.make(f), true);
        ASSERT_TRUE(discReadEnds(f.session));
        ASSERT_EQ(f.session.tracks().subtitles().size(), 1);
        EXPECT_EQ(f.session.tracks().subtitles()[0].name, "None");
        ASSERT_EQ(f.session.tracks().audio().size(), 1);
        EXPECT_EQ(f.session.tracks().audio()[0].name, "DEFAULT");
        // The movie's path is built from nothing: the disc's folder, which no engine opens.
        EXPECT_EQ(f.opens(), QStringList{"open " + f.path("disc/")});
    }
}
