#include "startup/PrefsFile.h"

#include "numbers/basic_numbers.h"
#include "prefs/FontFamily.h"

#include <algorithm>

using namespace SettingsFile;
using basic_numbers::roundEven;

namespace PrefsFile {

namespace {

// Far beyond any screen, still exact in single precision: positions past it are not positions.
constexpr double kFar = 1e7;

void readFont(const Values &v, SubtitleFont &font)
{
    if (auto name = fontName(v[FontName]))
        font.family = FontFamily::familyName(*name);
    if (auto size = number(v[FontSize], 1, 1638))
        font.size = *size;
    if (auto bold = nonZero(v[FontBold]))
        font.bold = *bold;
    if (auto italic = nonZero(v[FontItalic]))
        font.italic = *italic;
    if (auto underline = nonZero(v[FontUnderline]))
        font.underline = *underline;
    if (auto strike = nonZero(v[FontStrike]))
        font.strike = *strike;
    if (auto colour = number(v[FontColor], 0, 0xFFFFFF))
        font.colour = unsigned(roundEven(*colour));
}

void tick(bool &to, const std::optional<QString> &value)
{
    if (auto ticked = checkBox(value))
        to = *ticked;
}

}  // namespace

Prefs read(const Values &v, Prefs p, const QString &appPath)
{
    p.panelLeft = number(v[PanelLeft], -kFar, kFar).value_or(0);
    p.panelTop = number(v[PanelTop], -kFar, kFar).value_or(0);
    if (auto w = number(v[SubtitlesHsize], 1, 32767))
        p.overlayWidth = int(roundEven(*w));
    if (auto h = number(v[SubtitlesVsize], 1, 32767))
        p.overlayHeight = int(roundEven(*h));
    readFont(v, p.font);
    tick(p.autoshow, v[AutoShowSubtitles]);
    tick(p.hidden, v[HideSubtitles]);
    tick(p.transparent, v[TransparentSubtitles]);
    if (auto frame = boxText(v[OverlayInitializeFrame], kOverlayFrameLength))
        p.overlayFrame = *frame;
    if (auto ratio = boxText(v[PanScanRatio], kPanScanLength))
        p.panScan = *ratio;
    tick(p.fullscreen, v[StartFullscreen]);
    tick(p.autoplay, v[AutoStart]);
    tick(p.autoreverse, v[Autoreverse]);
    if (auto elapsed = minusOne(v[ElapsedVsRemain]))
        p.elapsed = *elapsed;
    if (auto time = minusOne(v[TimeVsFrames]))
        p.time = *time;
    p.lastDir = path(v[LastDir]).value_or(appPath);
    p.skinFile = path(v[SkinFile]).value_or(QStringLiteral("NONE"));
    for (int i = 0; i < kKeyEntries; ++i) {
        if (auto k = key(v[size_t(FirstKey + i)]))
            p.keys[size_t(i)] = *k;
    }
    return p;
}

std::array<QString, kEntries> write(const Prefs &p)
{
    std::array<QString, kEntries> v;
    v[PanelTop] = numberText(p.panelTop);
    v[PanelLeft] = numberText(p.panelLeft);
    v[SubtitlesHsize] = numberText(p.overlayWidth);
    v[SubtitlesVsize] = numberText(p.overlayHeight);
    v[SubtitlesTop] = numberText(p.overlayTop);
    v[SubtitlesLeft] = numberText(p.overlayLeft);
    v[FontName] = p.font.family;
    // A size between whole points comes back as it was chosen.
    v[FontSize] = numberText(p.font.size);
    v[FontColor] = numberText(p.font.colour);
    v[FontBold] = flagText(p.font.bold);
    v[FontItalic] = flagText(p.font.italic);
    v[FontUnderline] = flagText(p.font.underline);
    v[FontStrike] = flagText(p.font.strike);
    v[AutoShowSubtitles] = checkText(p.autoshow);
    v[HideSubtitles] = checkText(p.hidden);
    v[TransparentSubtitles] = checkText(p.transparent);
    v[OverlayInitializeFrame] = p.overlayFrame;
    v[PanScanRatio] = p.panScan;
    v[StartFullscreen] = checkText(p.fullscreen);
    v[AutoStart] = checkText(p.autoplay);
    v[Autoreverse] = checkText(p.autoreverse);
    v[ElapsedVsRemain] = flagText(p.elapsed);
    v[TimeVsFrames] = flagText(p.time);
    v[LastDir] = p.lastDir;
    v[SkinFile] = p.skinFile;
    for (int i = 0; i < kKeyEntries; ++i)
        v[size_t(FirstKey + i)] = p.keys[size_t(i)];
    return v;
}

Keys keys()
{
    Keys k;
    std::copy(fixedKeys().begin(), fixedKeys().end(), k.begin());
    for (int i = 0; i < kKeyEntries; ++i)
        k[size_t(FirstKey + i)] = KeyMap::captions()[size_t(i)];
    return k;
}

}  // namespace PrefsFile
