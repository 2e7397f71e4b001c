// A SubRip file on the real movie: as it plays, the overlay window shows each text while the movie
// is inside that entry's frames.
#include "support/FakeDialogs.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"

#include "startup/Program.h"
#include "subtitles/subtitles.h"

#include <QFile>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// At 25 fps: "Hello" frames 50 to 75, "Two lines" frames 100 to 150.
const QByteArray kSrt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHello\r\n\r\n"
                        "2\r\n00:00:04,000 --> 00:00:06,000\r\nTwo\r\nlines\r\n\r\n";

}  // namespace

TEST(SubtitlesEndToEnd, EachTextShowsInTheOverlayWhileItsFramesPlay)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    Program program(folder.path(), QString(), dialogs);
    Panelfrm &panel = program.panel;
    panel.Form_Load();
    const QString srt = folder.filePath(QStringLiteral("clip25.srt"));
    {
        QFile f(srt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kSrt);
    }
    RealPicture::dropFiles(panel.openfile, {RealPicture::clip25});
    RealPicture::dropFiles(panel.subopen, {srt});
    ASSERT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(panel.Sublbl->text(), QStringLiteral("SUB: CLIP25.SRT"));

    panel.vplay_Click();
    QLabel *text = panel.subtitlesForm->Label1;
    const auto frame = [&] { return program.MediaPlayer1.currentPosition(); };
    const auto waitFor = [&](const QString &wanted) {
        return QTest::qWaitFor([&] { return panel.subtitlesForm->isVisible() && text->text() == wanted; }, 15000);
    };

    ASSERT_TRUE(waitFor(QStringLiteral("Hello"))) << "at frame " << frame();
    double at = frame();
    EXPECT_GE(at, 50);
    EXPECT_LE(at, 75);

    ASSERT_TRUE(waitFor(QString())) << "at frame " << frame();
    EXPECT_GT(frame(), 75);

    ASSERT_TRUE(waitFor(QStringLiteral("Two\nlines"))) << "at frame " << frame();
    at = frame();
    EXPECT_GE(at, 100);
    EXPECT_LE(at, 150);
    panel.Form_Unload(0);
}
