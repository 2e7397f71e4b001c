// A Matroska movie with text tracks of its own and no subtitle file: its default track shows in the
// overlay at its frames; a file dropped on "Sub" replaces it.
#include "support/FakeDialogs.h"
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"
#include "support/RealPicture.h"
#include "support/TestFiles.h"

#include "startup/Program.h"
#include "subtitles/subtitles.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

TEST(EmbeddedSubtitlesEndToEnd, TheMoviesOwnTrackShowsUntilAFileIsDropped)
{
    PanelFixture::privateRuntimeFolder();
    QTemporaryDir folder;
    FakeDialogs dialogs;
    Program program(folder.path(), QString(), dialogs);
    Panelfrm &panel = program.panel;
    panel.Form_Load();
    RealPicture::dropFiles(ctl(panel, "openfile"), {QStringLiteral(VISTREL_MEDIA_DIR "/texttracks.mkv")});
    ASSERT_TRUE(opensEnded(program.session));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ctl(panel, "Sublbl")->text() == QStringLiteral("SUB: FRE FRAN\u00c7AIS"); }, 10000))
        << ctl(panel, "Sublbl")->text().toStdString();

    QLabel *text = panel.overlay()->Label1;
    const auto frame = [&] { return program.MediaPlayer1.currentPosition(); };
    const auto waitFor = [&](const QString &wanted) {
        return QTest::qWaitFor([&] { return panel.overlay()->isVisible() && text->text() == wanted; }, 15000);
    };
    panel.vplay_Click();
    ASSERT_TRUE(waitFor(QStringLiteral("Français un"))) << "at frame " << frame();
    EXPECT_GE(frame(), 50);
    EXPECT_LE(frame(), 75);
    ASSERT_TRUE(waitFor(QStringLiteral("Deux\nlignes"))) << "at frame " << frame();
    EXPECT_GE(frame(), 100);
    EXPECT_LE(frame(), 150);

    // A file dropped on "Sub" takes the track's place, from its own first entry.
    const QString srt = folder.filePath(QStringLiteral("mine.srt"));
    writeFile(srt, "1\r\n00:00:02,000 --> 00:00:03,000\r\nFrom the file\r\n");
    RealPicture::dropFiles(ctl(panel, "subopen"), {srt});
    EXPECT_EQ(ctl(panel, "Sublbl")->text(), QStringLiteral("SUB: MINE.SRT"));
    panel.vgos_Click();
    ASSERT_TRUE(waitFor(QStringLiteral("From the file"))) << "at frame " << frame();
    EXPECT_GE(frame(), 50);
    EXPECT_LE(frame(), 75);
    EXPECT_TRUE(dialogs.shown.empty());
    panel.Form_Unload(0);
}
