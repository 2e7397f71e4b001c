#pragma once
// A control panel over doubles: engines, desktop and dialogs, a program folder of its own and the
// preferences window already created.
#include "support/FakeDesktop.h"
#include "support/PanelControls.h"
#include "support/FakeDialogs.h"
#include "support/FakeDrives.h"
#include "support/FakeEngine.h"
#include "support/UserFolders.h"

#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"

#include <QTemporaryDir>

struct PanelFixture {
    // The instance lock lives in the runtime folder; each test process has its own, so tests that
    // run at the same time do not count as a second instance of each other.
    static bool privateRuntimeFolder()
    {
        UserFolders::runtimeFolder();
        return true;
    }

    bool runtimeSet = privateRuntimeFolder();
    QTemporaryDir folder;
    AppState app;
    FakeEngine mp1, mp2;
    FakeDesktop desktop;
    FakeDialogs dialogs;
    FakeDrives drives;
    RunLog log{app};
    Preferences prefs;
    PlayerSession session{app, mp1, mp2, log, prefs};
    Settings settings{SettingsContext{prefs, session, desktop, dialogs}, 15, 15};
    Panelfrm panel{PanelContext{app, session, prefs, desktop, dialogs, log, drives}};

    PanelFixture()
    {
        app.programFolder = folder.path();
        app.appPath = folder.path() + QLatin1Char('/');
        panel.attachSettings(&settings);
    }

    // The rate slider left at step `index` with the movie halted, as a user leaves it: play, pick the
    // rate, stop.
    void haltAtRate(int index)
    {
        session.play();
        session.setRate(index);
        session.togglePlay();
    }

    QString path(const QString &name) const { return app.appPath + name; }

    // A movie opened as the panel opens one, with the track scaled as the load sequence scales it.
    void openMovie(const QString &name = QStringLiteral("clip.avi"), double seconds = 90, double frames = 2250)
    {
        mp1.seconds = seconds;
        mp1.frames = frames;
        panel.openVideo(path(name));
    }
};
