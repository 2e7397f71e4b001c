// The disc's audio languages and subtitle tracks on the preferences window, as runCD listed them.
#include "platform/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"

#include <QComboBox>

void Settings::SubCombo_Click()
{
    if (!panelForm)
        return;
    panelForm->getsubtitles(panelForm->app.subTrackFiles.value(SubCombo->currentIndex()));
    panelForm->Sublbl->setText(QStringLiteral("SUB: ") + SubCombo->currentText().toUpper());
}

void Settings::LangCombo_Click()
{
    if (!panelForm)
        return;
    Panelfrm &p = *panelForm;
    if (LangCombo->currentIndex() > 0) {
        p.openAudio(p.app.audioTrackFiles.value(LangCombo->currentIndex() - 1));
        // A language whose file did not open is not what is heard: the list shows the movie's own.
        if (!p.app.audioSeparate)
            LangCombo->setCurrentIndex(0);
    } else {
        p.MediaPlayer2.setMute(true);
        p.MediaPlayer2.setFileName(QString());
        p.app.audioSeparate = false;
        p.MediaPlayer1.setMute(false);
    }
    p.audiolbl->setText(QStringLiteral("AUDIO: ") + LangCombo->currentText().toUpper());
}
