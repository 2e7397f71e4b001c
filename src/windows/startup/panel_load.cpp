// The panel's load and unload sequences: the whole start-up of the program in its fixed order, and
// the one orderly way out.
#include "desktop/Desktop.h"
#include "numbers/Twips.h"
#include "disc/DiscPaths.h"
#include "numbers/basic_numbers.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/CommandLine.h"
#include "startup/PanelSettings.h"
#include "startup/ProgramFolder.h"
#include "startup/RunLog.h"
#include "startup/basMyMain.h"
#include "subtitles/subtitles.h"

#include <QDateTime>

namespace {

void openRunLog(RunLog &log, const AppState &app)
{
    log.open(ProgramFolder::writableFolder(app.appPath) + QStringLiteral("kelmora.log"));
    if (app.argCount > 0) {
        log.line(app.argList.value(0));
        log.line(app.argList.value(1));
    }
    log.line(QStringLiteral("Initialized at ") + RunLog::dateText(QDateTime::currentDateTime()));
}

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
        openRunLog(log, app);
    if (!basMyMain::Main(app, desktop, dialogs, log))
        return;
    // The preferences window with its overlay-size bars fitted to the screen, then the panel.
    if (!settingsForm)
        attachSettings(new Settings(SettingsContext{prefs, session, desktop, dialogs}, app.twipsPerPixelX,
                                    app.twipsPerPixelY, this));
    settingsForm->fitScreen();
    log.line(QStringLiteral("showing player"));
    show();
    log.line(QStringLiteral("exiting Main"));
    log.line(QStringLiteral("Main exited"));

    GetCDRoms();
    log.line(basic_numbers::shortText(cdDriveCount) + QStringLiteral("CDrom(s) found"));
    for (int i = 1; i <= 4; ++i)
        log.line(cdDrives[i]);
    log.line(basic_numbers::shortText(app.argCount) + QStringLiteral("Arguments"));

    const double rateY =
        Ratepos->twipTop() + PlayerSession::normalRate * basic_numbers::intDiv(Ratepos->twipHeight(), 11);
    LineRate.Y1 = rateY;
    LineRate.Y2 = rateY;
    update();

    posPerTwip = 1;
    trackWidth = VideoPos->twipWidth();

    // The settings file sizes and places the overlay and sets the preferences that act on it.
    if (!subtitlesForm)
        attachOverlay(new subtitles(prefs, desktop, dialogs));
    applySettingsFile(*this);
    // The volume the last run ended at, on the slider and in the engines before anything plays.
    session.restoreVolume();

    if (app.autorunMode) {
        prefs.set(&Prefs::autoplay, true);
        // Discs are mastered with names in any letter case.
        session.playDisc(DiscPaths::resolve(app.appPath, QStringLiteral("kelmora.ini")), false);
    }
}

void Panelfrm::Form_Unload(int)
{
    if (unloading_)
        return;
    unloading_ = true;
    // An open still under way is dropped: no window of it shows after this.
    session.end();
    // A failed save leaves the old file whole and says so in the log; the run still ends in order.
    if (saveSettings()) {
        log.line(QStringLiteral("Exiting"));
        log.close();
    }
    basMyMain::endProgram();
}

bool Panelfrm::saveSettings()
{
    // A second instance ends without touching the files of the running one.
    if (app.autorunMode || basMyMain::IsPrevInstance())
        return false;
    log.line(QStringLiteral("Created cfg"));
    saveSettingsFile(*this);
    return true;
}
