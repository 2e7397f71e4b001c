// The whole program with the real engine on a real display: a movie dropped on "Video" shows in the
// video window, and closing the panel ends the run with its log complete.
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"

#include "engine/MpvVideoView.h"
#include "playback/player.h"
#include "startup/Program.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

TEST(OpenVideoEndToEnd, DroppedMovieShowsInTheVideoWindowAndTheLogRecordsTheRun)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    QString logText;
    {
        Program program(folder.path(), QString(), dialogs);
        program.panel.Form_Load();
        ASSERT_TRUE(program.panel.isVisible());

        RealPicture::dropFiles(ctl(program.panel, "openfile"), {RealPicture::clip25});
        ASSERT_TRUE(opensEnded(program.session));
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(ctl(program.panel, "namelbl")->text(), QStringLiteral("VIDEO: CLIP25.MP4"));
        ASSERT_TRUE(program.panel.videoWindow().isVisible());

        // Window mode: the picture at its own size, its four coloured quarters where the clip has them.
        MpvVideoView *video = program.MediaPlayer1.videoView();
        ASSERT_NE(video, nullptr);
        QImage picture;
        const auto quarters = [&] {
            picture = video->picture();
            return RealPicture::showsClipQuarters(picture);
        };
        EXPECT_TRUE(QTest::qWaitFor(quarters, 20000)) << "picture " << picture.width() << "x" << picture.height();
        EXPECT_EQ(picture.width(), 320);
        EXPECT_EQ(picture.height(), 240);

        program.panel.close();
        EXPECT_FALSE(program.panel.isVisible());
        QFile log(folder.filePath(QStringLiteral("kelmora.log")));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        logText = QString::fromLatin1(log.readAll());
    }
    EXPECT_TRUE(logText.contains(QStringLiteral("opening video ") + RealPicture::clip25 + QStringLiteral("\r\n")));
    EXPECT_TRUE(logText.contains(QStringLiteral("\r\nfps 25\r\n")));
    // Xvfb's OpenGL is Mesa's llvmpipe, which runs on the processor.
    EXPECT_TRUE(logText.contains(QStringLiteral("\r\nvideo output software\r\n")));
    EXPECT_TRUE(logText.endsWith(QStringLiteral("Exiting\r\n")));
}
