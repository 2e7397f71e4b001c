// The disc's audio languages and subtitle tracks on the preferences window, as runCD listed them.
#include "engine/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"

#include <QComboBox>

void Settings::SubCombo_Click()
{
    if (!panelForm)
        return;
    panelForm->getsubtitles(panelForm->session.disc().subTrackFiles.value(SubCombo->currentIndex()));
    panelForm->Sublbl->setText(QStringLiteral("SUB: ") + SubCombo->currentText().toUpper());
}

void Settings::LangCombo_Click()
{
    if (!panelForm)
        return;
    Panelfrm &p = *panelForm;
    if (LangCombo->currentIndex() > 0) {
        // The label follows once the file has opened; one that does not open puts the list back
        // on the movie's own sound.
        p.openAudio(p.session.disc().audioTrackFiles.value(LangCombo->currentIndex() - 1), LangCombo->currentText());
        return;
    }
    p.session.closeSound();
    p.audiolbl->setText(QStringLiteral("AUDIO: ") + LangCombo->currentText().toUpper());
}
