// A SubRip file on the real movie: as it plays, the overlay window shows each text while the movie
// is inside that entry's frames.
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"

#include "startup/Program.h"
#include "subtitles/subtitles.h"

#include <QFile>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <cmath>

namespace {

// "Hello" from 2 s to 3 s, "Two lines" from 4 s to 6 s.
const QByteArray kSrt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHello\r\n\r\n"
                        "2\r\n00:00:04,000 --> 00:00:06,000\r\nTwo\r\nlines\r\n\r\n";

// The whole program on the real engine, a movie open and a subtitle file dropped on "Sub".
struct RealSubtitles {
    bool runtimeSet = PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    Program program{folder.path(), QString(), dialogs};
    Panelfrm &panel = program.panel;

    RealSubtitles() { panel.Form_Load(); }
    ~RealSubtitles() { panel.Form_Unload(0); }

    // True once both are in without a message.
    [[nodiscard]] bool open(const QString &movie, const QString &name, const QByteArray &subtitles)
    {
        const QString path = folder.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(subtitles) != subtitles.size())
            return false;
        f.close();
        RealPicture::dropFiles(ctl(panel, "openfile"), {movie});
        if (!opensEnded(program.session))
            return false;
        RealPicture::dropFiles(ctl(panel, "subopen"), {path});
        return dialogs.shown.empty();
    }
    double frame() const { return program.MediaPlayer1.currentPosition(); }
    QString shown() const { return panel.overlay()->isVisible() ? panel.overlay()->Label1->text() : QString(); }
    [[nodiscard]] bool waitFor(const QString &wanted)
    {
        return QTest::qWaitFor([&] { return panel.overlay()->isVisible() && shown() == wanted; }, 15000);
    }
};

}  // namespace

TEST(SubtitlesEndToEnd, EachTextShowsInTheOverlayWhileItsFramesPlay)
{
    struct Case {
        const char *clip;
        double fps;
    };
    // Also where the rate comes from the decoded frames (Theora) and where frames come unevenly.
    const Case cases[] = {{"clip25.mp4", 25}, {"clip25.ogv", 25}, {"vfr.mp4", 20.056}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.clip);
        RealSubtitles r;
        ASSERT_TRUE(r.open(QStringLiteral(VISTREL_MEDIA_DIR "/") + QLatin1String(c.clip), QStringLiteral("clip.srt"),
                           kSrt));
        ASSERT_EQ(r.program.session.videoFps(), c.fps);
        ASSERT_EQ(ctl(r.panel, "Sublbl")->text(), QStringLiteral("SUB: CLIP.SRT"));

        r.panel.vplay_Click();
        const auto at = [&](double seconds) { return std::nearbyint(seconds * c.fps); };

        ASSERT_TRUE(r.waitFor(QStringLiteral("Hello"))) << "at frame " << r.frame();
        EXPECT_GE(r.frame(), at(2));
        EXPECT_LE(r.frame(), at(3));

        ASSERT_TRUE(r.waitFor(QString())) << "at frame " << r.frame();
        EXPECT_GT(r.frame(), at(3));

        ASSERT_TRUE(r.waitFor(QStringLiteral("Two\nlines"))) << "at frame " << r.frame();
        EXPECT_GE(r.frame(), at(4));
        EXPECT_LE(r.frame(), at(6));
    }
}

TEST(SubtitlesEndToEnd, AssAndWebVttFilesShowTheirTextsWithoutMarkup)
{
    struct Case {
        const char *name;
        QByteArray file;
    } cases[] = {
        {"clip.ass", "[Script Info]\r\nScriptType: v4.00+\r\n\r\n[Events]\r\n"
                     "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
                     "Dialogue: 0,0:00:02.00,0:00:03.00,Default,,0,0,0,,{\\an8\\i1}Hello{\\i0}\\Nthere\r\n"},
        {"clip.vtt",
         "WEBVTT\n\nNOTE made by hand\n\n00:02.000 --> 00:03.000 align:start\n<v Ann><i>Hello</i>\nthere\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RealSubtitles r;
        ASSERT_TRUE(r.open(RealPicture::clip25, QLatin1String(c.name), c.file));
        r.panel.vplay_Click();
        ASSERT_TRUE(r.waitFor(QStringLiteral("Hello\nthere")))
            << "at frame " << r.frame() << ": " << r.shown().toStdString();
        EXPECT_GE(r.frame(), 50);
        EXPECT_LE(r.frame(), 75);
    }
}

// A click on the tracker in the middle of a long cue shows that cue at once, before the movie plays on.
TEST(SubtitlesEndToEnd, AClickOnTheTrackerInsideALongCueShowsItAtOnce)
{
    RealSubtitles r;
    ASSERT_TRUE(r.open(RealPicture::clip25, QStringLiteral("long.srt"),
                       "1\r\n00:00:00,500 --> 00:00:01,500\r\nshort\r\n\r\n"
                       "2\r\n00:00:02,050 --> 00:00:08,000\r\nlong\r\n\r\n"));
    ASSERT_FALSE(r.program.session.isPlaying());

    // The middle of the 10 s clip's track: 5 s.
    QWidget *track = ctl(r.panel, "VideoPos");
    QTest::mouseClick(track, Qt::LeftButton, {}, QPoint(track->width() / 2, track->height() / 2));
    EXPECT_NEAR(r.frame(), 125, 2);
    EXPECT_EQ(r.shown(), QStringLiteral("long"));
}
