// The skin group of the preferences: choosing a picture through the Browse dialog, and going back to
// the built-in one from the next start.
#include "dialogs/Dialogs.h"
#include "prefs/Preferences.h"
#include "prefs/Settings.h"

void Settings::LoadSkin_Click()
{
    emit skinBrowseRequested();
}

void Settings::DefaultSkin_Click()
{
    // The picture on the panel stays until the next start.
    prefs_.set(&Prefs::skinFile, QStringLiteral("NONE"));
    dialogs_.msgBox(QStringLiteral("Now you must restart the player"));
}
