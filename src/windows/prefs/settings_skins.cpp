// The skin group of the preferences: choosing a picture through the Browse dialog, and going back to
// the built-in one from the next start.
#include "dialogs/Dialogs.h"
#include "playback/Panelfrm.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"

void Settings::LoadSkin_Click()
{
    if (panelForm)
        panelForm->showBrowse(5, QStringLiteral("Locate Skin"));
}

void Settings::DefaultSkin_Click()
{
    if (!panelForm)
        return;
    // The picture on the panel stays until the next start.
    panelForm->app.skinFile = QStringLiteral("NONE");
    panelForm->dialogs.msgBox(QStringLiteral("Now you must restart the player"));
}
