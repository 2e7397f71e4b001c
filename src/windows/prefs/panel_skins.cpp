// The panel's skin: a chosen picture drawn over its black background from the top left, unscaled.
#include "dialogs/Dialogs.h"
#include "playback/Panelfrm.h"
#include "prefs/Preferences.h"
#include "prefs/Settings.h"
#include "prefs/Skins.h"

#include <QDir>

void Panelfrm::attachSettings(Settings *form)
{
    settingsForm = form;
    connect(form, &Settings::skinBrowseRequested, this, [this] { showBrowse(5, QStringLiteral("Locate Skin")); });
}

bool Panelfrm::loadSkin(const QString &file)
{
    // "NONE" is the built-in picture, never a file. A saved skin whose file has gone is passed over
    // without a word; the picture there is stays and the preference keeps its path.
    if (!Skins::isSkinFile(file))
        return false;
    const Skins::Picture skin = Skins::read(file, size());
    if (skin.image.isNull()) {
        dialogs.msgBox(QStringLiteral("Cannot load the skin picture ") + QDir::toNativeSeparators(file)
                           + QStringLiteral("\n") + skin.error,
                       Dialogs::Icon::Exclamation);
        return false;
    }
    setPicture(QPixmap::fromImage(skin.image));
    prefs.set(&Prefs::skinFile, file);
    return true;
}
