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

QString familyName(const QString &name)
{
    const QString trimmed = name.trimmed();
    const qsizetype tag = trimmed.lastIndexOf(QLatin1String(" ["));
    if (tag > 0 && trimmed.endsWith(QLatin1Char(']')))
        return trimmed.left(tag).trimmed();
    return trimmed;
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

QString sliderTip(int red, int green, int blue)
{
    return QStringLiteral("R: %1 G: %2 B: %3").arg(red).arg(green).arg(blue);
}

}  // namespace FontChoice
