#pragma once
// The font dialog's rules, apart from its window: the sizes it offers, which typed sizes the sample
// takes, the palette and the colour values the swatches and sliders mix.
#include "prefs/FontFamily.h"
#include "prefs/Prefs.h"

#include <QFont>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace FontChoice {

// The sample's design text and ground, and the custom swatch's colour before any slider moves.
inline const QString kSampleText = QStringLiteral(u"ABCDefgh-ÁÂÃÄåæçè");
constexpr unsigned kSampleGround = 0xE0E0E0;
constexpr unsigned kDesignCustom = 0xFFFF00;  // cyan, as &H00BBGGRR

// The twenty sizes of the size list, in points.
QStringList sizeList();

// The size the sample takes from the size box: its leading number, only when 2 < v < 1280.
std::optional<double> sampleSize(const QString &text);

// A swatch shows its colour and no text; its name is what assistive tools read.
struct Swatch {
    int red, green, blue;
    const char *name;
};
// Label2 to Label17, row by row, four a row.
constexpr std::array<Swatch, 16> kPalette{{
    {255, 255, 255, "White"}, {192, 192, 192, "Silver"}, {128, 128, 128, "Grey"},   {0, 0, 0, "Black"},
    {255, 0, 0, "Red"},       {128, 0, 0, "Maroon"},     {255, 128, 0, "Orange"},   {128, 64, 0, "Brown"},
    {255, 255, 0, "Yellow"},  {128, 128, 0, "Olive"},    {0, 255, 0, "Green"},      {0, 128, 0, "Dark green"},
    {0, 255, 255, "Cyan"},    {0, 0, 255, "Blue"},       {255, 0, 255, "Magenta"},  {128, 0, 128, "Purple"},
}};

// RGB(r, g, b) = r + 256 g + 65536 b: a colour value with red in the low byte.
constexpr unsigned rgb(int red, int green, int blue)
{
    return unsigned(red) + 256u * unsigned(green) + 65536u * unsigned(blue);
}

using FontFamily::familyName;

// The font database's names as the dialog lists them: each family once, without tags, in the
// database's order.
QStringList familyNames(const QStringList &databaseNames);

// `target` with the face, size and effects of `face`, set in the order name, size, bold, italic,
// underline, strikethrough; whatever else it has (its style hint) stays. The name is the family alone.
QFont withFace(QFont target, const QFont &face);

// The overlay's font for a stored one. The design's face keeps its name, which the settings file
// stores; where it is missing it is drawn in a serif the install script installs, not in whatever the
// font system falls back to.
QFont overlayFont(const SubtitleFont &font);
// The stored font for one chosen on the sample, in `colour`.
SubtitleFont storedFont(const QFont &font, unsigned colour);

// The sliders' tooltip: "R: 255 G: 128 B: 0".
QString sliderTip(int red, int green, int blue);

}  // namespace FontChoice
