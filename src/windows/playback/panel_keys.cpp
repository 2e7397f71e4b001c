// One-key commands: the typed character is looked up in the key map, in its order, and gives the same
// command as the panel control it stands for.
#include "playback/Panelfrm.h"
#include "prefs/Preferences.h"

void Panelfrm::Form_KeyPress(const QString &key)
{
    const int command = KeyMap::command(prefs.values().keys, key);
    if (command >= 0)
        commands_.byKey(command)->trigger();
}
