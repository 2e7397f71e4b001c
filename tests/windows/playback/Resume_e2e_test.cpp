// A movie closed part-way opens again at the frame where it was left, with the real engine and the real
// picture; closed near its end it opens at the start.
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"

#include "engine/MpvVideoView.h"
#include "playback/player.h"
#include "startup/Program.h"

#include <QDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

TEST(ResumeEndToEnd, ClosedPartWayOpensWhereItWasLeft)
{
    const QString clip = QStringLiteral(VISTREL_MEDIA_DIR "/clip180.mp4");
    struct Case {
        double playFrom;  // frames, 25 a second; the movie is 180 s long
        bool resumes;
    } cases[] = {{1625, true}, {2225, true}, {4175, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.playFrom);
        PanelFixture::privateRuntimeFolder();
        QTemporaryDir folder;
        FakeDialogs dialogs;
        double left = 0;
        {
            Program program(folder.path(), QString(), dialogs);
            Panelfrm &panel = program.panel;
            panel.Form_Load();
            RealPicture::dropFiles(ctl(panel, "openfile"), {clip});
            ASSERT_TRUE(opensEnded(program.session));
            ASSERT_EQ(program.session.videoFps(), 25);
            ASSERT_EQ(program.MediaPlayer1.currentPosition(), 0);
            program.session.seek(c.playFrom);
            panel.vplay_Click();
            const auto played = [&] { return program.MediaPlayer1.currentPosition() > c.playFrom + 25; };
            ASSERT_TRUE(QTest::qWaitFor(played, 20000));
            left = program.MediaPlayer1.currentPosition();
            panel.Form_Unload(0);
        }
        Program program(folder.path(), QString(), dialogs);
        Panelfrm &panel = program.panel;
        panel.Form_Load();
        RealPicture::dropFiles(ctl(panel, "openfile"), {clip});
        ASSERT_TRUE(opensEnded(program.session));
        const double expected = c.resumes ? left : 0;
        EXPECT_EQ(program.MediaPlayer1.currentPosition(), expected);
        panel.videoWindow().show();
        MpvVideoView *video = program.MediaPlayer1.videoView();
        int shown = -1;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return (shown = RealPicture::frameNumber(video->picture())) == int(expected) % 1024; }, 20000))
            << "left at " << left << ", the picture shows " << shown << " (mod 1024)";
        // The start control still goes to the first frame.
        panel.vgos_Click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return RealPicture::frameNumber(video->picture()) == 0; }, 20000));
        panel.Form_Unload(0);
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

TEST(ResumeEndToEnd, OpenedAndClosedWithoutPlayingTheKeptFrameStaysAndTheResumeIsShown)
{
    // Its frames start about half a frame after the grid of the rate, as the sound's encoder delay
    // leaves them.
    const QString clip = QStringLiteral(VISTREL_MEDIA_DIR "/clip180.mkv");
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    {
        Program program(folder.path(), QString(), dialogs);
        program.panel.Form_Load();
        RealPicture::dropFiles(ctl(program.panel, "openfile"), {clip});
        ASSERT_TRUE(opensEnded(program.session));
        program.session.seek(2002);
        ASSERT_TRUE(QTest::qWaitFor([&] { return program.MediaPlayer1.currentPosition() == 2002; }, 10000));
        program.panel.Form_Unload(0);
    }
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        Program program(folder.path(), QString(), dialogs);
        program.panel.Form_Load();
        RealPicture::dropFiles(ctl(program.panel, "openfile"), {clip});
        ASSERT_TRUE(opensEnded(program.session));
        EXPECT_EQ(ctl(program.panel, "Message")->text(), "Resumed");
        // Settled on the frame the engine shows, not only its aim.
        program.panel.videoWindow().show();
        MpvVideoView *video = program.MediaPlayer1.videoView();
        EXPECT_TRUE(QTest::qWaitFor([&] { return RealPicture::frameNumber(video->picture()) == 2002 % 1024; }, 20000))
            << RealPicture::frameNumber(video->picture());
        EXPECT_EQ(program.MediaPlayer1.currentPosition(), 2002);
        program.panel.Form_Unload(0);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ResumeEndToEnd, TheVolumeIsKeptForTheNextStart)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    double mark = 0;
    {
        Program program(folder.path(), QString(), dialogs);
        program.panel.Form_Load();
        const double fullVolume = program.panel.volumeMark().Y1;
        RealPicture::dropFiles(ctl(program.panel, "openfile"), {RealPicture::clip25});
        ASSERT_TRUE(opensEnded(program.session));
        program.session.setVolume(20);
        mark = program.panel.volumeMark().Y1;
        ASSERT_GT(mark, fullVolume);
        program.panel.Form_Unload(0);
    }
    Program program(folder.path(), QString(), dialogs);
    program.panel.Form_Load();
    EXPECT_EQ(program.panel.volumeMark().Y1, mark);
    RealPicture::dropFiles(ctl(program.panel, "openfile"), {RealPicture::clip25});
    ASSERT_TRUE(opensEnded(program.session));
    // 20 dB down is a tenth of the sound's amplitude; the engine's volume is cubic in it.
    EXPECT_NEAR(program.MediaPlayer1.property("volume").toDouble(), 100 * std::cbrt(0.1), 0.01);
    program.panel.Form_Unload(0);
    // Nothing of it in the settings file, which keeps its 46 lines.
    const QStringList files = QDir(folder.path()).entryList(QDir::Files);
    EXPECT_TRUE(files.contains("kelmora.vol")) << files.join(' ').toStdString();
    EXPECT_TRUE(dialogs.shown.empty());
}
