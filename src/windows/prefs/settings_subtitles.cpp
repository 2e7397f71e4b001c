// The subtitle group of the preferences: what each control does to the overlay window, the display
// loop and the loaded table. Restoring the settings at start sets these controls and so runs the
// same handlers.
#include "desktop/Desktop.h"
#include "numbers/Twips.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "subtitles/SubtitleDelay.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

void Settings::attachSubtitles(AppState *state, subtitles *overlay, SubtitleTable *table)
{
    app_ = state;
    overlay_ = overlay;
    table_ = table;
}

void Settings::connectSubtitleGroup()
{
    // Set by the user or by the settings file alike.
    connect(Transsub, &QCheckBox::toggled, this, &Settings::Transsub_Click);
    connect(Hidesub, &QCheckBox::toggled, this, &Settings::Hidesub_Click);
    connect(centersubsH, &QPushButton::clicked, this, &Settings::centersubsH_Click);
    connect(subsizeH, &QScrollBar::valueChanged, this, &Settings::subsizeH_Change);
    connect(subsizeV, &QScrollBar::valueChanged, this, &Settings::subsizeV_Change);
    connect(delaytxt, &QLineEdit::textChanged, this, &Settings::delaytxt_Change);
}

void Settings::Transsub_Click()
{
    if (Transsub->isChecked())
        return;
    subsizeH->setEnabled(true);
    subsizeV->setEnabled(true);
}

void Settings::Hidesub_Click()
{
    const bool hidden = Hidesub->isChecked();
    subsizeV->setEnabled(!hidden);
    subsizeH->setEnabled(!hidden);
    if (overlay_) {
        if (hidden)
            overlay_->hideOverlay();
        else
            overlay_->showOverlay();
    }
    if (app_)
        app_->subsHidden = hidden;
}

void Settings::centersubsH_Click()
{
    if (!overlay_ || !desktop_)
        return;
    const double left = (desktop_->screenWidth() - double(overlay_->width()) * tppX_) / 2;
    const int leftPx = Twips::toPixels(left, tppX_);
    overlay_->move(leftPx, overlay_->y());
    if (app_)
        app_->overlayLeft = double(leftPx) * tppX_;
}

void Settings::subsizeH_Change()
{
    if (!overlay_)
        return;
    // The labels follow the window's size.
    overlay_->resize(subsizeH->value(), overlay_->height());
    centersubsH_Click();
    if (app_ && app_->overlayState == 3)
        overlay_->paintScreenColour();
}

void Settings::subsizeV_Change()
{
    if (!overlay_)
        return;
    overlay_->resize(overlay_->width(), subsizeV->value());
    if (app_ && app_->overlayState == 3)
        overlay_->paintScreenColour();
}

void Settings::delaytxt_Change()
{
    // Every change shifts again, by the whole number in the box: typing 1 then 0 shifts by 11.
    if (table_)
        shiftTable(*table_, leadingNumber(delaytxt->text()));
}
