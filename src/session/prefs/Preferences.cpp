#include "prefs/Preferences.h"

void Preferences::setKey(int command, const QString &key)
{
    if (command < 0 || command >= KeyMap::kCommands || values_.keys[size_t(command)] == key)
        return;
    const Prefs was = values_;
    values_.keys[size_t(command)] = key;
    emit changed(was);
}

void Preferences::placeOverlay(double left, double top)
{
    Prefs next = values_;
    next.overlayLeft = next.overlayHomeLeft = left;
    next.overlayTop = next.overlayHomeTop = top;
    replace(next);
}

void Preferences::overlayMoved(double left, double top)
{
    Prefs next = values_;
    next.overlayLeft = left;
    next.overlayTop = top;
    replace(next);
}

void Preferences::placePanel(double left, double top)
{
    Prefs next = values_;
    next.panelLeft = left;
    next.panelTop = top;
    replace(next);
}

void Preferences::replace(const Prefs &all)
{
    if (values_ == all)
        return;
    const Prefs was = values_;
    values_ = all;
    emit changed(was);
}
