#pragma once
// The program's one set of values, engines and windows, built in the order they depend on each other.
// main runs it; the end-to-end tests and the start-up benchmark build the same thing in their process.
#include "desktop/Desktop.h"
#include "drives/Drives.h"
#include "engine/MpvEngine.h"
#include "desktop/ScreenSaver.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "startup/AppState.h"
#include "desktop/InstanceChannel.h"
#include "startup/RunLog.h"
#include "desktop/ShutdownSignals.h"

#include <memory>

class Dialogs;
class DesktopSession;

class Program {
public:
    // `commandLine` is the text after the program's name; `dialogs` shows the message and input boxes.
    Program(const QString &programFolder, const QString &commandLine, Dialogs &dialogs);
    ~Program();

    // The panel's load sequence, then the event loop unless the run already ended during the load.
    // Files named on the command line open once the load is done; when another instance runs, it
    // gets them instead and this run ends at once. Returns the program's exit status.
    int run();
    // run() without the event loop: false when the run is already over (handed over, or a second
    // instance told so). The end-to-end tests drive the loop themselves.
    bool start();

    // The files the command line names (see Invocation::fileArguments).
    QStringList files;

    QtDesktop desktop;
    QtDrives drives;
    AppState app;
    RunLog log{app};
    MpvEngine MediaPlayer1;
    MpvEngine MediaPlayer2;
    Preferences prefs;
    PlayerSession session;
    Panelfrm panel;

private:
    void takeFiles();
    void openFiles(const QStringList &paths);

    ShutdownSignals shutdown_;
    InstanceChannel channel_;
    SessionScreenSaver screenSaver_;
    std::unique_ptr<DesktopSession> desktopSession_;
};
