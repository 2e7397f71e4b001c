#pragma once
// The session over engine doubles, with no window: a program folder of its own (where the run log and
// the resume positions go), the preferences and the run log open there.
#include "support/FakeEngine.h"
#include "support/TestFiles.h"

#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

struct SessionFixture {
    QTemporaryDir folder;
    AppState app = programIn(folder);
    FakeEngine mp1, mp2;
    RunLog log{app};
    Preferences prefs;
    PlayerSession session{app, mp1, mp2, log, prefs};

    SessionFixture() { log.open(path(QStringLiteral("kelmora.log"))); }

    static AppState programIn(const QTemporaryDir &dir)
    {
        AppState a;
        a.programFolder = dir.path();
        a.appPath = dir.path() + QLatin1Char('/');
        return a;
    }
    QString path(const QString &name) const { return app.appPath + name; }
    QString file(const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        writeFile(path(name), bytes);
        return path(name);
    }
    // The run log's lines so far.
    QStringList logLines() const
    {
        return QString::fromUtf8(readAll(app.appPath + QStringLiteral("kelmora.log"))).split(QStringLiteral("\r\n"));
    }
};
