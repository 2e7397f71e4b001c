#pragma once
// The panel as the program builds it, on the real engines and drives, with the desktop and the message
// boxes stood in for; its files in `folder`.
#include "drives/Drives.h"
#include "engine/MpvEngine.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"

struct BenchPanel {
    explicit BenchPanel(const QString &folder) : state(stateIn(folder)) {}

    static AppState stateIn(const QString &folder)
    {
        AppState s;
        s.programFolder = folder;
        s.appPath = folder + QLatin1Char('/');
        return s;
    }

    AppState state;
    // The panel's engines as the program makes them; neither starts its core while nothing opens.
    MpvEngine mp1{true, 15, 15}, mp2{false, 15, 15};
    FakeDesktop desktop;
    FakeDialogs dialogs;
    RunLog log{state};
    QtDrives drives;
    Preferences prefs;
    PlayerSession session{state, mp1, mp2, log, prefs};
    Panelfrm panel{PanelContext{state, session, prefs, desktop, dialogs, log, drives}};
};
