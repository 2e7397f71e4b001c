// Opening a movie and a separate sound track, from the methods and from real drops on the buttons.
#include "playback/player.h"
#include "subtitles/subtitles.h"
#include "support/PanelFixture.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

void dropFiles(QWidget *target, const QStringList &paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    // As the window system delivers it: the enter makes the button the drop target.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

QStringList logLines(PanelFixture &f)
{
    f.log.close();
    QFile file(f.path("kelmora.log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

struct Open : ::testing::Test {
    PanelFixture f;
    void SetUp() override { f.log.open(f.path("kelmora.log")); }
};

TEST_F(Open, FrameRateScaleLabelsAndLog)
{
    f.openMovie(QStringLiteral("My Movie.avi"), 90, 2250);
    EXPECT_EQ(f.session.videoFps(), 25);
    EXPECT_EQ(f.mp1.displayMode(), 1);
    EXPECT_DOUBLE_EQ(f.panel.trackScale(), 2250.0 / 5115);
    EXPECT_DOUBLE_EQ(f.session.videoAspect(), 320.0 / 240);
    EXPECT_EQ(ctl(f.panel, "namelbl")->text(), "VIDEO: MY MOVIE.AVI");
    EXPECT_EQ(ctl(f.panel, "audiolbl")->text(), "AUDIO: DEFAULT");
    EXPECT_EQ(f.panel.videoWindow().windowTitle(), f.path("My Movie.avi"));
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Play");
    EXPECT_TRUE(f.session.displayLoopRunning());
    EXPECT_FALSE(f.mp1.mute());
    EXPECT_TRUE(f.mp2.mute());
    EXPECT_EQ(f.mp1.playState(), 1);
    EXPECT_EQ(logLines(f), QStringList({"opening video " + f.path("My Movie.avi"), "fps 25"}));
}

TEST_F(Open, NtscFrameRateRoundsToThreeDecimals)
{
    f.openMovie(QStringLiteral("ntsc.avi"), 125, 2997);
    EXPECT_DOUBLE_EQ(f.session.videoFps(), 23.976);
    EXPECT_TRUE(logLines(f).contains("fps 23.976"));
}

TEST_F(Open, AFrameRateTheFileDoesNotTellIsLoggedAsAssumed)
{
    f.mp1.assumedRate = true;
    f.openMovie(QStringLiteral("screen.ogv"), 10, 250);
    EXPECT_EQ(f.session.videoFps(), 25);
    EXPECT_EQ(logLines(f).mid(1), QStringList({"no frame rate in the file, 25 assumed", "fps 25"}));
}

TEST_F(Open, TheBusyPointerShowsWhileAFileOpensAndNotAfter)
{
    struct Case {
        const char *what;
        FakeEngine PanelFixture::*engine;
        bool opens;
    };
    const Case cases[] = {
        {"movie", &PanelFixture::mp1, true},
        {"movie that fails", &PanelFixture::mp1, false},
        {"audio", &PanelFixture::mp2, true},
        {"audio that fails", &PanelFixture::mp2, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        FakeEngine &engine = f.*c.engine;
        const QString file = f.path(QStringLiteral("slow.file"));
        if (!c.opens)
            engine.unopenable << file;
        f.panel.setPointer(Qt::SizeAllCursor);
        engine.holdOpens = true;
        if (c.engine == &PanelFixture::mp1)
            f.panel.openVideo(file);
        else
            f.panel.openAudio(file);
        EXPECT_EQ(f.panel.cursor().shape(), Qt::WaitCursor);
        // Moving over a control meanwhile keeps the busy pointer, and comes back after it.
        f.panel.setPointer(Qt::ArrowCursor);
        EXPECT_EQ(f.panel.cursor().shape(), Qt::WaitCursor);
        engine.finishOpen();
        EXPECT_EQ(f.panel.cursor().shape(), Qt::ArrowCursor);
        engine.holdOpens = false;
        engine.unopenable.clear();
    }
}

TEST_F(Open, AudioFileLabelSurvivesTheNextMovie)
{
    f.openMovie();
    f.panel.openAudio(f.path("dub.mp3"));
    EXPECT_EQ(ctl(f.panel, "audiolbl")->text(), "AUDIO: DUB.MP3");
    f.openMovie(QStringLiteral("second.avi"));
    EXPECT_EQ(ctl(f.panel, "audiolbl")->text(), "AUDIO: DUB.MP3");
    EXPECT_EQ(f.mp2.fileName(), f.path("dub.mp3"));
    EXPECT_TRUE(f.session.audioSeparate());
    EXPECT_FALSE(f.mp1.mute());
    EXPECT_TRUE(f.mp2.mute());
}

TEST_F(Open, AutoPlayStartsInTheChosenModeAndLogs)
{
    f.settings.Autoplay->setChecked(true);
    f.settings.fullscreen->setChecked(true);
    f.openMovie();
    EXPECT_EQ(f.session.zoomMode(), 1);
    EXPECT_TRUE(f.desktop.taskbarHidden);
    EXPECT_TRUE(f.panel.videoWindow().isVisible());
    EXPECT_EQ(f.mp1.playState(), 2);
    EXPECT_TRUE(f.session.isPlaying());
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Stop");
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "Playing");
    EXPECT_EQ(logLines(f).last(), "Video opened");
}

TEST_F(Open, AMovieThatCannotBeOpenedChangesNothingElse)
{
    f.openMovie();
    f.panel.vplay_Click();
    f.panel.ratem_Click();
    f.panel.ratem_Click();
    f.mp1.unopenable << f.path("broken.avi");
    f.panel.openVideo(f.path("broken.avi"));
    EXPECT_EQ(f.dialogs.texts(), QStringList{"ERROR LOADING MAIN A/V FILE"});
    EXPECT_TRUE(f.mp1.fileName().isEmpty());
    EXPECT_EQ(ctl(f.panel, "namelbl")->text(), "VIDEO: CLIP.AVI");
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), "RATE:2x");
    EXPECT_EQ(f.session.rateIndex(), 2);
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), "Stop");
    EXPECT_EQ(f.session.videoFps(), 25);
    EXPECT_TRUE(f.session.displayLoopRunning());
    EXPECT_FALSE(logLines(f).contains("opening video " + f.path("broken.avi")));
}

// A movie opened while another was being stepped must not inherit the stepping.
TEST_F(Open, ANewMovieStandsHalted)
{
    f.openMovie();
    f.haltAtRate(0);
    f.panel.vplay_Click();
    ASSERT_TRUE(f.session.stepping());
    const QString rateShown = ctl(f.panel, "rateshow")->text();
    f.openMovie(QStringLiteral("second.avi"));
    EXPECT_FALSE(f.session.stepping());
    EXPECT_FALSE(f.session.isPlaying());
    f.panel.Ratepos_MouseDown(1, 0, 0, 300);
    EXPECT_EQ(ctl(f.panel, "rateshow")->text(), rateShown);
}

TEST_F(Open, AutoshowHidesTheOverlay)
{
    // The panel owns its overlay window.
    auto *overlay = new subtitles(f.prefs, f.desktop, f.dialogs);
    f.panel.attachOverlay(overlay);
    overlay->show();
    f.openMovie();
    EXPECT_TRUE(overlay->isVisible());
    f.settings.Autosub->setChecked(true);
    f.openMovie();
    EXPECT_FALSE(overlay->isVisible());
}

TEST_F(Open, OpenAudioMovesTheSoundToTheSecondEngine)
{
    f.openMovie();
    f.mp1.setVolume(-1500);
    f.panel.vplay_Click();
    f.mp2.calls.clear();
    f.panel.openAudio(QStringLiteral("/music/Dub Track.mp3"));
    EXPECT_EQ(f.mp2.volume(), -1500);
    EXPECT_TRUE(f.mp1.mute());
    EXPECT_FALSE(f.mp2.mute());
    EXPECT_TRUE(f.session.audioSeparate());
    EXPECT_EQ(ctl(f.panel, "audiolbl")->text(), "AUDIO: DUB TRACK.MP3");
    EXPECT_EQ(f.mp2.calls, QStringList({"open /music/Dub Track.mp3", "play"}));
    EXPECT_EQ(logLines(f).last(), "opened audio /music/Dub Track.mp3");
}

TEST_F(Open, AnAudioFileThatCannotBeOpenedLeavesTheMoviesSound)
{
    f.openMovie();
    f.panel.openAudio(f.path("dub.mp3"));
    f.mp2.unopenable << f.path("bad.mp3");
    f.panel.openAudio(f.path("bad.mp3"));
    EXPECT_EQ(f.dialogs.texts(), QStringList{"ERROR LOADING AUDIO FILE"});
    EXPECT_FALSE(f.mp1.mute());
    EXPECT_FALSE(f.session.audioSeparate());
    EXPECT_EQ(ctl(f.panel, "audiolbl")->text(), "AUDIO: DEFAULT");
}

TEST_F(Open, SeparateAudioIsRealignedByWholeSeconds)
{
    f.openMovie();
    f.panel.openAudio(f.path("dub.mp3"));
    f.mp1.setPositionQuietly(260);  // 10.4 s
    f.mp2.setPositionQuietly(9.6);
    f.session.subTimer_Timer();
    EXPECT_DOUBLE_EQ(f.mp2.currentPosition(), 9.6);
    f.mp1.setPositionQuietly(265);  // 10.6 s
    f.mp2.setPositionQuietly(10.4);
    f.session.subTimer_Timer();
    EXPECT_DOUBLE_EQ(f.mp2.currentPosition(), 10.6);
}

TEST_F(Open, DropsOfExactlyOneFile)
{
    dropFiles(ctl(f.panel, "openfile"), {f.path("a.avi"), f.path("b.avi")});
    EXPECT_TRUE(f.mp1.calls.isEmpty());
    dropFiles(ctl(f.panel, "openfile"), {f.path("a.avi")});
    EXPECT_EQ(f.mp1.fileName(), f.path("a.avi"));
    EXPECT_EQ(ctl(f.panel, "namelbl")->text(), "VIDEO: A.AVI");

    dropFiles(ctl(f.panel, "sndopen"), {f.path("x.mp3"), f.path("y.mp3")});
    EXPECT_TRUE(f.mp2.calls.isEmpty());
    dropFiles(ctl(f.panel, "sndopen"), {f.path("x.mp3")});
    EXPECT_EQ(f.mp2.fileName(), f.path("x.mp3"));
    EXPECT_TRUE(f.session.audioSeparate());
}

TEST_F(Open, AudioButtonIsInertWithoutAMovie)
{
    f.panel.show();
    dropFiles(ctl(f.panel, "sndopen"), {f.path("x.mp3")});
    QTest::mouseClick(ctl(f.panel, "sndopen"), Qt::LeftButton);
    EXPECT_TRUE(f.mp2.calls.isEmpty());
    EXPECT_FALSE(f.session.audioSeparate());
    EXPECT_EQ(ctl(f.panel, "audiolbl")->text(), "AUDIO:");
    EXPECT_EQ(f.panel.browseDialog(), nullptr);
}

}  // namespace
