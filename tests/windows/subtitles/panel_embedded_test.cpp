// The movie's own text track on the panel: taken while no subtitle file is loaded, never over one, and
// dropped when the movie it belongs to is replaced.
#include "support/PanelFixture.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

EmbeddedTrack frenchTrack()
{
    EmbeddedTrack t{TextTrack{2, "ass", true, QStringLiteral("fre"), QString()}, {}};
    t.cues = {{1000000000, 2000000000, "0,0,Default,,0,0,0,,{\\i1}Un{\\i0}"}};
    return t;
}

// A panel with a movie open and no subtitle file.
struct MovieOpen {
    PanelFixture f;
    QString movie;
    MovieOpen()
    {
        f.openMovie(QStringLiteral("movie.mkv"), 90, 2250);
        movie = f.path("movie.mkv");
    }
};

}  // namespace

TEST(EmbeddedOnPanel, TakenWhileNoSubtitleFileIsLoaded)
{
    MovieOpen o;
    PanelFixture &f = o.f;
    const QString &movie = o.movie;
    f.session.takeTextTrack(movie, frenchTrack());
    const SubtitleTable &t = f.session.subClock().table();
    ASSERT_EQ(t.subCount, 3);
    EXPECT_EQ(t.subStart[1], 25);
    EXPECT_EQ(t.subEnd[1], 50);
    EXPECT_EQ(t.subText[1], "Un");
    EXPECT_EQ(ctl(f.panel, "Sublbl")->text(), "SUB: FRE");
}

TEST(EmbeddedOnPanel, ALoadedFileOrAnotherMovieWins)
{
    struct Case {
        const char *what;
        std::function<void(MovieOpen &)> before;
        QString caption;
    } cases[] = {
        {"a subtitle file dropped on Sub", [](MovieOpen &t) {
             writeFile(t.f.path("mine.srt"), "1\r\n00:00:03,000 --> 00:00:04,000\r\nMine\r\n");
             t.f.panel.subopen_Drop({t.f.path("mine.srt")});
         }, QStringLiteral("SUB: MINE.SRT")},
        {"another movie opened", [](MovieOpen &t) { t.f.openMovie(QStringLiteral("other.mkv")); },
         QStringLiteral("SUB:")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MovieOpen t;
        c.before(t);
        const SubtitleTable before = t.f.session.subClock().table();
        t.f.session.takeTextTrack(t.movie, frenchTrack());
        EXPECT_EQ(t.f.session.subClock().table().subCount, before.subCount);
        EXPECT_EQ(t.f.session.subClock().table().subText, before.subText);
        EXPECT_EQ(ctl(t.f.panel, "Sublbl")->text(), c.caption);
    }
}

TEST(EmbeddedOnPanel, ANewMovieClearsTheLastMoviesTrack)
{
    MovieOpen o;
    PanelFixture &f = o.f;
    const QString &movie = o.movie;
    f.session.takeTextTrack(movie, frenchTrack());
    f.openMovie(QStringLiteral("next.mkv"));
    EXPECT_EQ(f.session.subClock().table().subCount, 0);
    EXPECT_EQ(ctl(f.panel, "Sublbl")->text(), "SUB:");
    // With a subtitle file remembered the table is the file's business, and stays for it to reload.
    writeFile(f.path("mine.srt"), "1\r\n00:00:03,000 --> 00:00:04,000\r\nMine\r\n");
    f.panel.subopen_Drop({f.path("mine.srt")});
    f.openMovie(QStringLiteral("third.mkv"));
    EXPECT_EQ(f.session.subClock().table().subCount, 3);
}
