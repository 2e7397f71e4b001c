// The subtitle group's "Font" button: the font dialog filled from the overlay's text label.
#include "numbers/basic_numbers.h"
#include "playback/Panelfrm.h"
#include "prefs/FontChoice.h"
#include "prefs/Settings.h"
#include "prefs/fontselfrm.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

void Settings::fontsel_Click()
{
    if (!panelForm || !panelForm->subtitlesForm)
        return;
    subtitles &overlay = *panelForm->subtitlesForm;
    if (!fontDialog)
        fontDialog = new fontselfrm(overlay, panelForm->dialogs, tppX_, tppY_, this);
    fontselfrm &dlg = *fontDialog;
    const QFont font = overlay.Label1->font();
    // The sample stands in for the overlay as the overlay's own stand-in does, where its face is missing.
    QFont sample = FontChoice::withFace(dlg.Label1->font(), font);
    sample.setStyleHint(font.styleHint());
    dlg.Label1->setFont(sample);
    dlg.Text1->setText(font.family());
    dlg.Text2->setText(basic_numbers::shortText(font.pointSizeF()));
    dlg.Check1->setChecked(font.bold());
    dlg.Check2->setChecked(font.italic());
    dlg.Check3->setChecked(font.strikeOut());
    dlg.Check4->setChecked(font.underline());
    dlg.setSampleColour(overlay.Label1->palette().color(QPalette::WindowText));
    dlg.show();
    dlg.raise();
    dlg.activateWindow();
}
