// One-key commands: the typed character is looked up in the key map, in its order, and runs the same
// handler as the panel control it stands for.
#include "playback/Panelfrm.h"
#include "prefs/Preferences.h"
#include "prefs/Settings.h"

void Panelfrm::Form_KeyPress(const QString &key)
{
    switch (KeyMap::command(prefs.values().keys, key)) {
    case 0: vplay_Click(); break;
    case 1: AddVol_Click(); break;
    case 2: subVol_Click(); break;
    case 3: openfile_Click(); break;
    case 4: sndopen_Click(); break;
    case 5: subopen_Click(); break;
    case 6: CDplay_MouseDown(2, 0, 0, 0); break;
    case 7: Lblspecial_Click(); break;
    case 8: LblScenes_Click(); break;
    case 9: CDplay_MouseDown(1, 0, 0, 0); break;
    case 10: cmdzoom_Click(); break;
    case 11: Prefers_Click(); break;
    case 12: stats_Click(); break;
    case 13: vgos_Click(); break;
    case 14: vgoe_Click(); break;
    case 15:
        if (settingsForm)
            settingsForm->show();
        break;
    case 16: Mutesnd_Click(); break;
    case 17: ratem_Click(); break;
    case 18: ratea_Click(); break;
    case 19: minim_Click(); break;
    case 20: Form_Unload(0); break;
    default: break;
    }
}
