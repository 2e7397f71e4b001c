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
        PanelFixture::privateRuntimeFolder();
        QTemporaryDir folder;
        FakeDialogs dialogs;
        Program program(folder.path(), QString(), dialogs);
        Panelfrm &panel = program.panel;
        panel.Form_Load();
        const QString srt = folder.filePath(QStringLiteral("clip.srt"));
        {
            QFile f(srt);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(kSrt);
        }
        RealPicture::dropFiles(ctl(panel, "openfile"), {QStringLiteral(VISTREL_MEDIA_DIR "/") + QLatin1String(c.clip)});
        ASSERT_TRUE(opensEnded(program.session));
        RealPicture::dropFiles(ctl(panel, "subopen"), {srt});
        ASSERT_TRUE(dialogs.shown.empty());
        ASSERT_EQ(program.session.videoFps(), c.fps);
        ASSERT_EQ(ctl(panel, "Sublbl")->text(), QStringLiteral("SUB: CLIP.SRT"));

        panel.vplay_Click();
        QLabel *text = panel.overlay()->Label1;
        const auto frame = [&] { return program.MediaPlayer1.currentPosition(); };
        const auto waitFor = [&](const QString &wanted) {
            return QTest::qWaitFor([&] { return panel.overlay()->isVisible() && text->text() == wanted; }, 15000);
        };
        const auto at = [&](double seconds) { return std::nearbyint(seconds * c.fps); };

        ASSERT_TRUE(waitFor(QStringLiteral("Hello"))) << "at frame " << frame();
        EXPECT_GE(frame(), at(2));
        EXPECT_LE(frame(), at(3));

        ASSERT_TRUE(waitFor(QString())) << "at frame " << frame();
        EXPECT_GT(frame(), at(3));

        ASSERT_TRUE(waitFor(QStringLiteral("Two\nlines"))) << "at frame " << frame();
        EXPECT_GE(frame(), at(4));
        EXPECT_LE(frame(), at(6));
        panel.Form_Unload(0);
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
        PanelFixture::privateRuntimeFolder();
        QTemporaryDir folder;
        FakeDialogs dialogs;
        Program program(folder.path(), QString(), dialogs);
        Panelfrm &panel = program.panel;
        panel.Form_Load();
        const QString path = folder.filePath(QLatin1String(c.name));
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.file);
        }
        RealPicture::dropFiles(ctl(panel, "openfile"), {RealPicture::clip25});
        ASSERT_TRUE(opensEnded(program.session));
        RealPicture::dropFiles(ctl(panel, "subopen"), {path});
        ASSERT_TRUE(dialogs.shown.empty());
        panel.vplay_Click();
        QLabel *text = panel.overlay()->Label1;
        const auto frame = [&] { return program.MediaPlayer1.currentPosition(); };
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return panel.overlay()->isVisible() && text->text() == QStringLiteral("Hello\nthere"); }, 15000))
            << "at frame " << frame() << ": " << text->text().toStdString();
        EXPECT_GE(frame(), 50);
        EXPECT_LE(frame(), 75);
        panel.Form_Unload(0);
    }
}
