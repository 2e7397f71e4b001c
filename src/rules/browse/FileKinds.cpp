#include "browse/FileKinds.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace FileKinds {

Filters filtersFor(int mode)
{
    const QString all = QStringLiteral("all files (*.*)");
    const QString any = QStringLiteral("*.*");
    switch (mode) {
    case QuickIni:
        return {{QStringLiteral("Quick ini file (*.ini,*.mdv,*mvd)"), all}, {QStringLiteral("*.ini;*.mdv;*.mvd"), any}};
    case Video:
        return {{QStringLiteral("Video file (*.avi,*.mpg,*.mpeg,*.mpv,*.mov,*.mv2,*.vob,*.asf)"), all},
                {QStringLiteral("*.avi;*.mpg;*.mpeg;*.mpv;*.mov;*.mv2;*.vob;*.asf"), any}};
    case Audio:
        return {{QStringLiteral("Audio file (*.avi,*.mpg,*.mpeg,*.mpv,*.mov,*.mv2,*.mp3,*.wav)"), all},
                {QStringLiteral("*.avi;*.mpg;*.mpeg;*.mpv;*.mov;*.mv2;*.mp3;*.wav"), any}};
    case Subtitles:
        return {{QStringLiteral("Subtitles (*.sub,*.txt,*.srt,*.ass,*.ssa,*.vtt)"), all},
                {QStringLiteral("*.sub;*.txt;*.srt;*.ass;*.ssa;*.vtt"), any}};
    case Skin:
        return {{QStringLiteral("images (*.gif,*.jpg,*.bmp)")}, {QStringLiteral("*.gif;*.jpg;*.bmp")}};
    default:
        return {};
    }
}

QStringList nameFilters(const QString &patterns)
{
    QStringList filters = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    // "*.*" means every file, with or without a dot, as on the system the patterns come from.
    filters.replaceInStrings(QRegularExpression(QStringLiteral("^\\*\\.\\*$")), QStringLiteral("*"));
    return filters;
}

bool matches(const QString &fileName, const QString &patterns)
{
    const QString name = QFileInfo(fileName).fileName();
    for (const QString &p : nameFilters(patterns)) {
        if (p == QLatin1String("*"))
            return true;
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(name).hasMatch())
            return true;
    }
    return false;
}

}  // namespace FileKinds
