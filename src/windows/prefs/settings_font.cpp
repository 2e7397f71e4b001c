// The subtitle group's "Font" button: the font dialog, which shows the subtitle font and changes it.
#include "prefs/Settings.h"
#include "prefs/fontselfrm.h"

void Settings::fontsel_Click()
{
    if (!fontDialog)
        fontDialog = new fontselfrm(prefs_, dialogs_, tppX_, tppY_, this);
    fontDialog->showFont();
}
