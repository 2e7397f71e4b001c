#include "prefs/FontChoice.h"

#include "subtitles/SubtitleReaders.h"

namespace FontChoice {

QStringList sizeList()
{
    return {QStringLiteral("8"),  QStringLiteral("9"),   QStringLiteral("10"),  QStringLiteral("11"),
            QStringLiteral("12"), QStringLiteral("14"),  QStringLiteral("16"),  QStringLiteral("18"),
            QStringLiteral("24"), QStringLiteral("26"),  QStringLiteral("28"),  QStringLiteral("36"),
            QStringLiteral("48"), QStringLiteral("56"),  QStringLiteral("64"),  QStringLiteral("80"),
            QStringLiteral("96"), QStringLiteral("128"), QStringLiteral("256"), QStringLiteral("512")};
}

std::optional<double> sampleSize(const QString &text)
{
    const double v = leadingNumber(text.toUtf8());
    if (v > 2 && v < 1280)
        return v;
    return std::nullopt;
}

QStringList familyNames(const QStringList &databaseNames)
{
    QStringList out;
    for (const QString &name : databaseNames) {
        const QString family = familyName(name);
        if (!family.isEmpty() && !out.contains(family, Qt::CaseInsensitive))
            out << family;
    }
    return out;
}

QFont withFace(QFont target, const QFont &face)
{
    target.setFamily(familyName(face.family()));
    if (face.pointSizeF() > 0)  // a font sized in pixels has no point size to give
        target.setPointSizeF(face.pointSizeF());
    target.setBold(face.bold());
    target.setItalic(face.italic());
    target.setUnderline(face.underline());
    target.setStrikeOut(face.strikeOut());
    return target;
}

QFont overlayFont(const SubtitleFont &font)
{
    QFont::insertSubstitution(QStringLiteral("MS Serif"), QStringLiteral("Liberation Serif"));
    QFont f(font.family);
    f.setStyleHint(QFont::Serif);
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strike);
    return f;
}

SubtitleFont storedFont(const QFont &font, unsigned colour)
{
    SubtitleFont stored;
    stored.family = familyName(font.family());
    if (font.pointSizeF() > 0)  // a font sized in pixels has no point size to give
        stored.size = font.pointSizeF();
    stored.bold = font.bold();
    stored.italic = font.italic();
    stored.underline = font.underline();
    stored.strike = font.strikeOut();
    stored.colour = colour;
    return stored;
}

QString sliderTip(int red, int green, int blue)
{
    return QStringLiteral("R: %1 G: %2 B: %3").arg(red).arg(green).arg(blue);
}

}  // namespace FontChoice
