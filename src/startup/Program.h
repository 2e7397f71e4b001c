#pragma once
// The program's one set of values, engines and windows, built in the order they depend on each other.
// main runs it; the end-to-end tests and the start-up benchmark build the same thing in their process.
#include "platform/Desktop.h"
#include "platform/Drives.h"
#include "platform/MpvEngine.h"
#include "playback/Panelfrm.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "startup/ShutdownSignals.h"

class Dialogs;

class Program {
public:
    // `commandLine` is the text after the program's name; `dialogs` shows the message and input boxes.
    Program(const QString &programFolder, const QString &commandLine, Dialogs &dialogs);
    ~Program();

    // The panel's load sequence, then the event loop unless the run already ended during the load.
    // Returns the program's exit status.
    int run();

    QtDesktop desktop;
    QtDrives drives;
    AppState app;
    RunLog log{app};
    MpvEngine MediaPlayer1;
    MpvEngine MediaPlayer2;
    Panelfrm panel;

private:
    ShutdownSignals shutdown_;
};
