// The whole start-up and orderly exit of the panel against doubles, seen through the run log and the
// state the load sequence leaves.
#include "support/PanelFixture.h"
#include "subtitles/subtitles.h"
#include "support/TestFiles.h"

#include "startup/basMyMain.h"

#include <QCheckBox>
#include <QFile>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

// The log with its "Initialized at " line checked and replaced by that prefix alone, since it
// carries the clock.
QByteArray withoutClock(QByteArray log)
{
    const int at = log.indexOf("Initialized at ");
    if (at < 0)
        return log;
    const int end = log.indexOf("\r\n", at);
    EXPECT_GT(end, at + 15) << "the date and time are missing";
    return log.left(at + 15) + log.mid(end);
}

const QByteArray kRunAfterInit = " 15 \r\n 15 \r\nshowing player\r\nexiting Main\r\nMain exited\r\nTrying to get CDRoms\r\n"
                                 "0CDrom(s) found\r\n\r\n\r\n\r\n\r\n";
const QByteArray kExit = "No cfg\r\nCreated cfg\r\nExiting\r\n";

}  // namespace

TEST(PanelLoad, RunWithoutArgumentsLogsEveryStepInOrder)
{
    PanelFixture f;
    f.panel.Form_Load();
    EXPECT_TRUE(f.panel.isVisible());
    f.panel.Form_Unload(0);
    EXPECT_FALSE(f.panel.isVisible());
    EXPECT_EQ(withoutClock(readAll(f.path("kelmora.log"))),
              "Initialized at \r\n" + kRunAfterInit + "0Arguments\r\n" + kExit);
}

TEST(PanelLoad, RunWithArgumentsLogsTheFirstWordAndTheCount)
{
    PanelFixture f;
    f.app.commandLine = QStringLiteral("first.avi\tsecond  AUTORUN");
    f.panel.Form_Load();
    EXPECT_FALSE(f.app.autorunMode);
    f.panel.Form_Unload(0);
    EXPECT_EQ(withoutClock(readAll(f.path("kelmora.log"))),
              "\r\nfirst.avi\r\nInitialized at \r\n" + kRunAfterInit + "3Arguments\r\n" + kExit);
}

TEST(PanelLoad, TwelveWordsCountAsTen)
{
    PanelFixture f;
    f.app.commandLine = QStringLiteral("a b c d e f g h i j k l");
    f.panel.Form_Load();
    f.panel.Form_Unload(0);
    EXPECT_TRUE(readAll(f.path("kelmora.log")).contains("\r\n10Arguments\r\n"));
}

TEST(PanelLoad, UnloadRunsOnceWhicheverWayItIsReached)
{
    PanelFixture f;
    f.panel.Form_Load();
    f.panel.close();
    f.panel.Form_Unload(0);
    f.panel.close();
    EXPECT_EQ(readAll(f.path("kelmora.log")).count("Exiting"), 1);
    EXPECT_FALSE(f.session.displayLoopRunning());
}

// The end of one run is no end of the next one started in the same process.
TEST(PanelLoad, ARunEndedBeforeLeavesTheNextOneRunning)
{
    {
        PanelFixture first;
        first.panel.Form_Load();
        first.panel.Form_Unload(0);
        ASSERT_TRUE(basMyMain::programEnded());
    }
    PanelFixture next;
    next.panel.Form_Load();
    EXPECT_FALSE(basMyMain::programEnded());
    EXPECT_TRUE(next.panel.isVisible());
    next.panel.Form_Unload(0);
}

TEST(PanelLoad, StateAfterLoad)
{
    PanelFixture f;
    f.desktop.widthPx = 1280;
    f.desktop.heightPx = 1024;
    f.app.programFolder = f.folder.path();  // without a trailing separator
    f.panel.Form_Load();
    EXPECT_EQ(f.app.appPath, f.folder.path() + "/");
    EXPECT_EQ(f.session.videoFps(), 0);
    EXPECT_FALSE(f.session.isPlaying());
    EXPECT_EQ(f.session.zoomMode(), 1);
    EXPECT_EQ(f.session.rateIndex(), 4);
    // Ratepos is 675 twips high from 540: 540 + 4 * (675 \ 11).
    EXPECT_EQ(f.panel.rateMark().Y1, 784);
    EXPECT_EQ(f.panel.rateMark().Y2, 784);
    EXPECT_EQ(f.panel.trackScale(), 1);
    // The overlay-size sliders reach the whole screen in pixels.
    EXPECT_EQ(f.settings.subsizeH->maximum(), 1280);
    EXPECT_EQ(f.settings.subsizeV->maximum(), 1024);
    // First-run defaults: the overlay (9000 x 1500 twips) centred at the bottom.
    EXPECT_EQ(f.prefs.values().overlayLeft, (1280 * 15 - 9000) / 2);
    EXPECT_EQ(f.prefs.values().overlayTop, 1024 * 15 - 1500);
    EXPECT_EQ(f.panel.overlay()->pos(), QPoint((1280 - 600) / 2, 1024 - 100));
    EXPECT_EQ(f.prefs.values().skinFile, "NONE");
    EXPECT_EQ(f.prefs.values().lastDir, f.app.appPath);
    EXPECT_FALSE(f.session.displayLoopRunning());
    EXPECT_FALSE(f.session.stepping());
    f.panel.Form_Unload(0);
}

TEST(PanelLoad, ScreenMetricsAreReadAndLogged)
{
    PanelFixture f;
    f.desktop.tppX = 12;
    f.desktop.tppY = 9;
    f.panel.Form_Load();
    f.panel.Form_Unload(0);
    EXPECT_EQ(f.app.twipsPerPixelX, 12);
    EXPECT_EQ(f.app.twipsPerPixelY, 9);
    EXPECT_EQ(f.settings.subsizeH->maximum(), 1024);
    EXPECT_TRUE(readAll(f.path("kelmora.log")).contains("\r\n 12 \r\n 9 \r\nshowing player\r\n"));
}

TEST(PanelLoad, AutorunInAnyCaseWritesNoLogAndTicksAutoPlay)
{
    PanelFixture f;
    writeFile(f.path("kelmora.log"), "earlier run\r\n");
    writeFile(f.path("kelmora.cfg"), "saved settings\r\n");
    f.app.commandLine = QStringLiteral("  AutoRun extra");
    f.panel.Form_Load();
    EXPECT_TRUE(f.app.autorunMode);
    EXPECT_TRUE(f.prefs.values().autoplay);
    EXPECT_TRUE(f.settings.Autoplay->isChecked());
    EXPECT_EQ(f.session.disc().iniFile, f.path("kelmora.ini"));
    EXPECT_FALSE(f.log.isOpen());
    f.panel.Form_Unload(0);
    EXPECT_EQ(readAll(f.path("kelmora.log")), "earlier run\r\n");
    EXPECT_EQ(readAll(f.path("kelmora.cfg")), "saved settings\r\n");
}

TEST(PanelLoad, AutorunWithoutAnEarlierLogCreatesNone)
{
    PanelFixture f;
    f.app.commandLine = QStringLiteral("autorun");
    f.panel.Form_Load();
    f.panel.Form_Unload(0);
    EXPECT_FALSE(QFile::exists(f.path("kelmora.log")));
}

TEST(PanelLoad, AnExistingSettingsFileIsNotReportedMissing)
{
    PanelFixture f;
    writeFile(f.path("kelmora.cfg"), "Vistrel top,0\r\n");
    f.panel.Form_Load();
    f.panel.Form_Unload(0);
    EXPECT_FALSE(readAll(f.path("kelmora.log")).contains("No cfg"));
}

TEST(PanelLoad, AutorunFindsTheDiscDescriptionInAnyLetterCase)
{
    const struct {
        const char *name;  // as the disc was mastered
    } cases[] = {{"kelmora.ini"}, {"KELMORA.INI"}, {"Kelmora.Ini"}};
    for (const auto &c : cases) {
        PanelFixture f;
        writeFile(f.path(QString::fromLatin1(c.name)), "[MOVIE]\r\nDirectory=movie\r\nAVIName=film.avi\r\n");
        f.app.commandLine = QStringLiteral("AUTORUN");
        f.panel.Form_Load();
        EXPECT_EQ(f.session.disc().iniFile, f.path(QString::fromLatin1(c.name)));
        EXPECT_EQ(f.mp1.fileName(), f.path("movie/film.avi")) << c.name;
        EXPECT_EQ(f.mp1.playState(), 2) << c.name;
        f.panel.Form_Unload(0);
    }
}

TEST(PanelLoad, ASaveRequestWritesTheSettingsAndTheRunGoesOn)
{
    PanelFixture f;
    f.panel.Form_Load();
    f.panel.move(30, 45);
    EXPECT_TRUE(f.panel.saveSettings());
    EXPECT_TRUE(f.panel.isVisible());
    EXPECT_TRUE(f.log.isOpen());
    EXPECT_TRUE(readAll(f.path("kelmora.cfg")).startsWith("Vistrel top,675\r\nVistrel left,450\r\n"));
    // The logout was cancelled: the run goes on, and its exit saves again.
    f.panel.move(60, 45);
    f.panel.Form_Unload(0);
    EXPECT_TRUE(readAll(f.path("kelmora.cfg")).startsWith("Vistrel top,675\r\nVistrel left,900\r\n"));
    EXPECT_TRUE(withoutClock(readAll(f.path("kelmora.log"))).endsWith("No cfg\r\nCreated cfg\r\nCreated cfg\r\nExiting\r\n"));

    // In autorun mode nothing is kept, on a save request as at the exit.
    PanelFixture autorun;
    autorun.app.commandLine = QStringLiteral("AUTORUN");
    autorun.panel.Form_Load();
    EXPECT_FALSE(autorun.panel.saveSettings());
    EXPECT_FALSE(QFile::exists(autorun.path("kelmora.cfg")));
    autorun.panel.Form_Unload(0);
}
