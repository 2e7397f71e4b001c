#include "prefs/FontFamily.h"

namespace FontFamily {

QString familyName(const QString &name)
{
    const QString trimmed = name.trimmed();
    const qsizetype tag = trimmed.lastIndexOf(QLatin1String(" ["));
    if (tag > 0 && trimmed.endsWith(QLatin1Char(']')))
        return trimmed.left(tag).trimmed();
    return trimmed;
}

}  // namespace FontFamily
