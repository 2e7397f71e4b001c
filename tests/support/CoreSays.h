#pragma once
// "Nothing happened" on the real engine is checked once the player core has nothing more to tell about
// it: wait for the core's own state, then let the engine handle every event the core queued on the way.
// The core queues an event before its state shows the change, so nothing of it can come later.
#include "engine/MpvEngine.h"

#include <QCoreApplication>
#include <QTest>

// True once the core reads `value` for `property`; by then the engine has heard all the core said
// before.
inline bool coreSays(MpvEngine &engine, const char *property, const char *value, int ms = 10000)
{
    const bool there = QTest::qWaitFor([&] { return engine.property(property) == QLatin1String(value); }, ms);
    QCoreApplication::sendPostedEvents(&engine, QEvent::MetaCall);
    return there;
}
