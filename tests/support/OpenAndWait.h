#pragma once
// An open on a real engine ends later, with opened(); tests that need the file open first wait for it.
#include "engine/MediaEngine.h"

#include <QSignalSpy>

inline bool openAndWait(MediaEngine &engine, const QString &path, int ms = 35000)
{
    QSignalSpy opened(&engine, &MediaEngine::opened);
    engine.open(path);
    if (opened.isEmpty() && !opened.wait(ms))
        return false;
    return opened.takeFirst().at(0).toBool();
}

#include "playback/PlayerSession.h"

#include <QTest>

// Until the session's opens under way have ended, as a user waits for the busy pointer to go.
inline bool opensEnded(const PlayerSession &session, int ms = 35000)
{
    return QTest::qWaitFor([&] { return !session.opening(); }, ms);
}

// Until the Quick ini read asked for last has ended and its lists are up. Called right after asking:
// the read's end arrives through the event loop, which runs only while this waits.
inline bool discReadEnds(const PlayerSession &session, int ms = 10000)
{
    QSignalSpy read(&session, &PlayerSession::discRead);
    return read.wait(ms);
}
