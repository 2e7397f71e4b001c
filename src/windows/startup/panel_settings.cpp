// The settings file's entries taken from and given to the panel, the overlay window and the
// preferences' controls.
#include "startup/PanelSettings.h"

#include "desktop/Desktop.h"
#include "numbers/Twips.h"
#include "desktop/ScreenPlace.h"
#include "numbers/basic_numbers.h"
#include "playback/LineShape.h"
#include "playback/Panelfrm.h"
#include "prefs/FontChoice.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "startup/SettingsFile.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

using namespace SettingsFile;
using basic_numbers::roundEven;
using basic_numbers::shortText;

namespace {

// Far beyond any screen, still exact in single precision: positions past it are not positions.
constexpr double kFar = 1e7;

// The place is the frame's, on whichever screen it was left.
void placePanel(Panelfrm &p, const Values &v)
{
    const double left = number(v[PanelLeft], -kFar, kFar).value_or(0);
    const double top = number(v[PanelTop], -kFar, kFar).value_or(0);
    const QRect frame(QPoint(Twips::toPixels(left, p.app.twipsPerPixelX), Twips::toPixels(top, p.app.twipsPerPixelY)),
                      p.frameGeometry().size());
    p.move(ScreenPlace::restore(frame, p.desktop.screenAreas()));
}

// Size and remembered place of the overlay. A place past the screen's edge comes back by the whole
// height, or by half the width; then the window is kept where it can be reached.
void placeOverlay(Panelfrm &p, const Values &v)
{
    subtitles &o = *p.subtitlesForm;
    AppState &app = p.app;
    const double screenW = p.desktop.screenWidth(), screenH = p.desktop.screenHeight();
    const int maxW = std::max(1, int(screenW / app.twipsPerPixelX));
    const int maxH = std::max(1, int(screenH / app.twipsPerPixelY));
    const int w = int(roundEven(number(v[SubtitlesHsize], 1, 32767).value_or(o.width())));
    const int h = int(roundEven(number(v[SubtitlesVsize], 1, 32767).value_or(o.height())));
    o.resize(std::clamp(w, 1, maxW), std::clamp(h, 1, maxH));

    const double width = double(o.width()) * app.twipsPerPixelX;
    const double height = double(o.height()) * app.twipsPerPixelY;
    app.overlayTop = screenH - height;
    app.overlayLeft = (screenW - width) / 2;
    if (auto top = number(v[SubtitlesTop], -kFar, kFar))
        app.overlayTop = *top > screenH ? screenH - height : *top;
    if (auto left = number(v[SubtitlesLeft], -kFar, kFar))
        app.overlayLeft = *left > screenW ? screenW - width / 2 : *left;
    app.overlayTop = std::clamp(app.overlayTop, 0.0, std::max(0.0, screenH - height));
    app.overlayLeft = std::clamp(app.overlayLeft, 0.0, std::max(0.0, screenW - width / 2));
}

void applyFont(subtitles &o, const Values &v)
{
    QFont f1 = o.Label1->font();
    QFont f2 = o.Label2->font();
    if (auto name = fontName(v[FontName])) {
        // A name saved with the font database's foundry tag finds its family.
        f1.setFamily(FontChoice::familyName(*name));
        f2.setFamily(FontChoice::familyName(*name));
    }
    if (auto size = number(v[FontSize], 1, 1638)) {
        f1.setPointSizeF(*size);
        f2.setPointSizeF(*size);
    }
    if (auto bold = nonZero(v[FontBold]))
        f1.setBold(*bold);
    f2.setBold(true);
    if (auto italic = nonZero(v[FontItalic])) {
        f1.setItalic(*italic);
        f2.setItalic(*italic);
    }
    if (auto underline = nonZero(v[FontUnderline])) {
        f1.setUnderline(*underline);
        f2.setUnderline(*underline);
    }
    if (auto strike = nonZero(v[FontStrike])) {
        f1.setStrikeOut(*strike);
        f2.setStrikeOut(*strike);
    }
    o.Label1->setFont(f1);
    o.Label2->setFont(f2);
    if (auto colour = number(v[FontColor], 0, 0xFFFFFF)) {
        QPalette pal = o.Label1->palette();
        pal.setColor(QPalette::WindowText, QColor(fromBgr(unsigned(roundEven(*colour)))));
        o.Label1->setPalette(pal);
    }
}

void applyPreferences(Panelfrm &p, const Values &v)
{
    Settings &s = *p.settingsForm;
    const auto tick = [](QCheckBox *box, const std::optional<QString> &value) {
        if (auto ticked = checkBox(value))
            box->setChecked(*ticked);
    };
    tick(s.Autosub, v[AutoShowSubtitles]);
    tick(s.Hidesub, v[HideSubtitles]);
    tick(s.Transsub, v[TransparentSubtitles]);
    if (auto frame = boxText(v[OverlayInitializeFrame], s.OverlayFrame->maxLength()))
        s.OverlayFrame->setText(*frame);
    if (auto ratio = boxText(v[PanScanRatio], s.Panscan->maxLength()))
        s.Panscan->setText(*ratio);
    if (auto full = checkBox(v[StartFullscreen])) {
        s.fullscreen->setChecked(*full);
        p.Message->setText(p.modeNames[*full ? 1 : 0]);
    }
    tick(s.Autoplay, v[AutoStart]);
    tick(s.autoreverse, v[Autoreverse]);
    if (auto elapsed = minusOne(v[ElapsedVsRemain]))
        (*elapsed ? s.Elapsed : s.Remaining)->setChecked(true);
    if (auto time = minusOne(v[TimeVsFrames]))
        (*time ? s.Time : s.Frames)->setChecked(true);
    for (int i = 0; i < kKeyEntries; ++i) {
        QLineEdit *box = s.Text1[size_t(i)];
        if (auto key = boxText(v[size_t(FirstKey + i)], box->maxLength()))
            box->setText(*key);
    }
}

void applyValues(Panelfrm &p, const Values &v)
{
    placePanel(p, v);
    placeOverlay(p, v);
    applyFont(*p.subtitlesForm, v);
    applyPreferences(p, v);
    AppState &app = p.app;
    app.lastDir = path(v[LastDir]).value_or(app.appPath);
    app.skinFile = path(v[SkinFile]).value_or(QStringLiteral("NONE"));
    // A skin that has gone keeps its name, so it is written back as it was.
    if (app.skinFile != QLatin1String("NONE") && QFileInfo(app.skinFile).isFile())
        p.loadSkin(app.skinFile);
}

unsigned toBgr(const QColor &c)
{
    return unsigned(c.red()) | unsigned(c.green()) << 8 | unsigned(c.blue()) << 16;
}

std::array<QString, kEntries> currentValues(const Panelfrm &p)
{
    const Settings &s = *p.settingsForm;
    const subtitles &o = *p.subtitlesForm;
    const double tppX = p.app.twipsPerPixelX, tppY = p.app.twipsPerPixelY;
    const QFont font = o.Label1->font();
    std::array<QString, kEntries> v;
    v[PanelTop] = shortText(p.y() * tppY);
    v[PanelLeft] = shortText(p.x() * tppX);
    v[SubtitlesHsize] = shortText(o.width());
    v[SubtitlesVsize] = shortText(o.height());
    v[SubtitlesTop] = shortText(o.y() * tppY);
    v[SubtitlesLeft] = shortText(o.x() * tppX);
    v[FontName] = font.family();
    v[FontSize] = shortText(roundEven(font.pointSizeF()));
    v[FontColor] = shortText(toBgr(o.Label1->palette().color(QPalette::WindowText)));
    v[FontBold] = flagText(font.bold());
    v[FontItalic] = flagText(font.italic());
    v[FontUnderline] = flagText(font.underline());
    v[FontStrike] = flagText(font.strikeOut());
    v[AutoShowSubtitles] = checkText(s.Autosub->isChecked());
    v[HideSubtitles] = checkText(s.Hidesub->isChecked());
    v[TransparentSubtitles] = checkText(s.Transsub->isChecked());
    v[OverlayInitializeFrame] = s.OverlayFrame->text();
    v[PanScanRatio] = s.Panscan->text();
    v[StartFullscreen] = checkText(s.fullscreen->isChecked());
    v[AutoStart] = checkText(s.Autoplay->isChecked());
    v[Autoreverse] = checkText(s.autoreverse->isChecked());
    v[ElapsedVsRemain] = flagText(s.Elapsed->isChecked());
    v[TimeVsFrames] = flagText(s.Time->isChecked());
    v[LastDir] = p.app.lastDir;
    v[SkinFile] = p.app.skinFile;
    for (int i = 0; i < kKeyEntries; ++i)
        v[size_t(FirstKey + i)] = s.Text1[size_t(i)]->text();
    return v;
}

}  // namespace

void applySettingsFile(Panelfrm &p)
{
    QFile file(readPath(p.app.appPath));
    if (!QFileInfo(file.fileName()).isFile() || !file.open(QIODevice::ReadOnly)) {
        p.log.line(QStringLiteral("No cfg"));
        applyValues(p, Values{});
        return;
    }
    p.log.line(QStringLiteral("Opened cfg"));
    applyValues(p, read(file));
    file.close();
    p.log.line(QStringLiteral("cfg closed"));
}

bool saveSettingsFile(Panelfrm &p)
{
    // Without its windows the run never got as far as reading the file: nothing to save over it.
    if (!p.settingsForm || !p.subtitlesForm)
        return false;
    Keys keys;
    std::copy(fixedKeys().begin(), fixedKeys().end(), keys.begin());
    for (int i = 0; i < kKeyEntries; ++i)
        keys[size_t(FirstKey + i)] = p.settingsForm->Label[size_t(i)]->text();
    QString reason;
    if (save(writePath(p.app.appPath), write(keys, currentValues(p)), reason))
        return true;
    p.log.line(QStringLiteral("cfg not saved: ") + reason);
    return false;
}
