// The subtitle group of the preferences: each control changes a preference (the overlay window follows
// it) or, for the delay, asks the session to move the loaded table.
#include "desktop/Desktop.h"
#include "numbers/Twips.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "prefs/Settings.h"
#include "subtitles/SubtitleDelay.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

void Settings::connectSubtitleGroup()
{
    connect(Transsub, &QCheckBox::toggled, this, &Settings::Transsub_Click);
    connect(Hidesub, &QCheckBox::toggled, this, &Settings::Hidesub_Click);
    connect(Autosub, &QCheckBox::toggled, this, &Settings::Autosub_Click);
    connect(OverlayFrame, &QLineEdit::textChanged, this, &Settings::OverlayFrame_Change);
    connect(centersubsH, &QPushButton::clicked, this, &Settings::centersubsH_Click);
    connect(subsizeH, &QScrollBar::valueChanged, this, &Settings::subsizeH_Change);
    connect(subsizeV, &QScrollBar::valueChanged, this, &Settings::subsizeV_Change);
    connect(delaytxt, &QLineEdit::textChanged, this, &Settings::delaytxt_Change);
}

void Settings::showSubtitlePrefs(const Prefs &was)
{
    const Prefs &now = prefs_.values();
    for (auto [box, on] : {std::pair{Transsub, now.transparent}, std::pair{Hidesub, now.hidden},
                           std::pair{Autosub, now.autoshow}}) {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }
    if (OverlayFrame->text() != now.overlayFrame) {
        const QSignalBlocker quiet(OverlayFrame);
        OverlayFrame->setText(now.overlayFrame);
    }
    for (auto [bar, value] : {std::pair{subsizeH, now.overlayWidth}, std::pair{subsizeV, now.overlayHeight}}) {
        const QSignalBlocker quiet(bar);
        bar->setValue(value);
    }
    // Hiding the subtitles leaves nothing to size; showing them or making them opaque again gives the
    // sizes back.
    if (was.hidden != now.hidden) {
        subsizeV->setEnabled(!now.hidden);
        subsizeH->setEnabled(!now.hidden);
    }
    if (was.transparent != now.transparent && !now.transparent) {
        subsizeH->setEnabled(true);
        subsizeV->setEnabled(true);
    }
}

void Settings::Transsub_Click()
{
    prefs_.set(&Prefs::transparent, Transsub->isChecked());
}

void Settings::Hidesub_Click()
{
    prefs_.set(&Prefs::hidden, Hidesub->isChecked());
}

void Settings::Autosub_Click()
{
    prefs_.set(&Prefs::autoshow, Autosub->isChecked());
}

void Settings::OverlayFrame_Change()
{
    prefs_.set(&Prefs::overlayFrame, OverlayFrame->text());
}

void Settings::centersubsH_Click()
{
    const double left = (desktop_.screenWidth() - double(prefs_.values().overlayWidth) * tppX_) / 2;
    prefs_.placeOverlay(double(Twips::toPixels(left, tppX_)) * tppX_, prefs_.values().overlayTop);
}

void Settings::subsizeH_Change()
{
    prefs_.set(&Prefs::overlayWidth, subsizeH->value());
    centersubsH_Click();
}

void Settings::subsizeV_Change()
{
    prefs_.set(&Prefs::overlayHeight, subsizeV->value());
}

void Settings::delaytxt_Change()
{
    // Every change shifts again, by the whole number in the box: typing 1 then 0 shifts by 11.
    session_.shiftSubtitles(leadingNumber(delaytxt->text()));
}
