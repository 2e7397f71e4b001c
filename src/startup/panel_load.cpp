// The panel's load and unload sequences: the whole start-up of the program in its fixed order, and
// the one orderly way out.
#include "platform/Desktop.h"
#include "platform/basic_numbers.h"
#include "playback/Panelfrm.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/CommandLine.h"
#include "startup/ProgramFolder.h"
#include "startup/RunLog.h"
#include "startup/basMyMain.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QScrollBar>

namespace {

// The overlay window's design size in twips, the size it has until the settings file sizes it.
constexpr double kOverlayWidth = 9000;
constexpr double kOverlayHeight = 1500;

void openRunLog(Panelfrm &p)
{
    p.log.open(ProgramFolder::writableFolder(p.app.appPath) + QStringLiteral("kelmora.log"));
    if (p.app.argCount > 0) {
        p.log.line(p.app.argList.value(0));
        p.log.line(p.app.argList.value(1));
    }
    p.log.line(QStringLiteral("Initialized at ") + RunLog::dateText(QDateTime::currentDateTime()));
}

// The defaults a first run starts with: the overlay centred at the bottom of the screen, the panel at
// the top left, the built-in skin, the program folder to browse from.
void applyDefaults(Panelfrm &p)
{
    AppState &app = p.app;
    app.overlayLeft = (p.desktop.screenWidth() - kOverlayWidth) / 2;
    app.overlayTop = p.desktop.screenHeight() - kOverlayHeight;
    p.move(0, 0);
    app.skinFile = QStringLiteral("NONE");
    app.lastDir = app.appPath;
}

// Reading the stored entries is not built yet: a file that exists is left unread and the defaults
// stay, so nothing is claimed about it in the log.
void applySettingsFile(Panelfrm &p)
{
    if (!QFileInfo::exists(p.app.appPath + QStringLiteral("kelmora.cfg")))
        p.log.line(QStringLiteral("No cfg"));
    applyDefaults(p);
}

// Writing the stored entries is not built yet; an existing file is left as it is.
void saveSettingsFile(Panelfrm &) {}

}  // namespace

void Panelfrm::Form_Load()
{
    app.appPath = ProgramFolder::withSeparator(app.programFolder);
    app.autorunMode = false;
    GetCommandLine(app, app.commandLine);
    if (isAutorunWord(app))
        app.autorunMode = true;
    // A second instance must leave the running one's log alone, so the instance test comes first.
    if (!app.autorunMode && !basMyMain::IsPrevInstance())
        openRunLog(*this);
    if (!basMyMain::Main(*this))
        return;
    log.line(QStringLiteral("Main exited"));

    videoFps = 0;
    isPlaying = false;
    app.zoomMode = 1;

    GetCDRoms();
    log.line(basic_numbers::shortText(cdDriveCount) + QStringLiteral("CDrom(s) found"));
    for (int i = 1; i <= 4; ++i)
        log.line(cdDrives[i]);
    log.line(basic_numbers::shortText(app.argCount) + QStringLiteral("Arguments"));

    app.overlayState = 1;
    app.relativeToIni = false;

    rateIndex = 4;
    const double rateY = Ratepos->twipTop() + rateIndex * basic_numbers::intDiv(Ratepos->twipHeight(), 11);
    LineRate.Y1 = rateY;
    LineRate.Y2 = rateY;
    update();

    posPerTwip = 1;
    trackWidth = VideoPos->twipWidth();
    modeNames = {QStringLiteral("Window mode"), QStringLiteral("Fullscreen mode")};

    applySettingsFile(*this);

    if (!subtitlesForm)
        attachOverlay(new subtitles(app, desktop, dialogs));
    subtitlesForm->move(int(basic_numbers::roundEven(app.overlayLeft / app.twipsPerPixelX)),
                        int(basic_numbers::roundEven(app.overlayTop / app.twipsPerPixelY)));
    settingsForm->subsizeH->setValue(subtitlesForm->width());
    settingsForm->subsizeV->setValue(subtitlesForm->height());

    if (app.autorunMode) {
        settingsForm->Autoplay->setChecked(true);
        app.iniFile = app.appPath + QStringLiteral("kelmora.ini");
        app.relativeToIni = false;
        runCD(app.iniFile);
    }
}

void Panelfrm::Form_Unload(int)
{
    if (unloading_)
        return;
    unloading_ = true;
    subTimer.stop();
    TimerMovieBack.stop();
    // A second instance ends without touching the files of the running one.
    if (!app.autorunMode && !basMyMain::IsPrevInstance()) {
        log.line(QStringLiteral("Created cfg"));
        saveSettingsFile(*this);
        log.line(QStringLiteral("Exiting"));
        log.close();
    }
    basMyMain::endProgram();
}
