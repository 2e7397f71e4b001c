#include "startup/Invocation.h"

#include <QFileInfo>

namespace Invocation {

QString requestText(const QStringList &arguments)
{
    const QString first = arguments.value(1);
    if (first == QLatin1String("--version"))
        return QStringLiteral("Vistrel " VISTREL_VERSION "\n");
    if (first == QLatin1String("--help") || first == QLatin1String("-h"))
        return QStringLiteral(
            "Usage: vistrel [FILE... | AUTORUN]\n"
            "A movie player with subtitles and a skinned control panel.\n"
            "\n"
            "  FILE        a video, audio, subtitle or Quick ini file, opened as if dropped\n"
            "              on its button, one after the other; a running Vistrel takes\n"
            "              them over\n"
            "  AUTORUN     play the disc described by kelmora.ini beside the program\n"
            "  -h, --help  show this text\n"
            "  --version   show the version\n");
    return QString();
}

QString usageError(const QStringList &arguments)
{
    for (const QString &word : arguments.mid(1)) {
        if (word.startsWith(QLatin1Char('-')) && word.size() > 1 && !QFileInfo::exists(word))
            return QStringLiteral("vistrel: unknown option '%1'\nTry 'vistrel --help'.\n").arg(word);
    }
    return QString();
}

QStringList fileArguments(const QStringList &arguments)
{
    const QStringList words = arguments.mid(1);
    if (words.isEmpty() || words.first().toUpper() == QLatin1String("AUTORUN"))
        return {};
    QStringList files;
    for (const QString &word : words) {
        if (!word.isEmpty())
            files << QFileInfo(word).absoluteFilePath();
    }
    return files;
}

QByteArray platformChoice(const QByteArray &qpaPlatform, const QByteArray &sessionType,
                          const QByteArray &waylandDisplay, const QByteArray &x11Display)
{
    if (!qpaPlatform.isEmpty() || x11Display.isEmpty())
        return QByteArray();
    const bool wayland = sessionType == "wayland" || !waylandDisplay.isEmpty();
    return wayland ? QByteArrayLiteral("xcb") : QByteArray();
}

}  // namespace Invocation
