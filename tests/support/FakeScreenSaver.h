#pragma once
// A screen saver that records what it was asked: "inhibit" and "release", changes only.
#include "desktop/ScreenSaver.h"

#include <QStringList>

class FakeScreenSaver : public ScreenSaver {
public:
    bool inhibited = false;
    QStringList calls;

    void inhibit() override
    {
        if (!inhibited)
            calls << QStringLiteral("inhibit");
        inhibited = true;
    }
    void release() override
    {
        if (inhibited)
            calls << QStringLiteral("release");
        inhibited = false;
    }
};
