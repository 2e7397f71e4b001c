#include "startup/Invocation.h"

#include <QFileInfo>

namespace Invocation {

QString requestText(const QStringList &arguments)
{
    const QString first = arguments.value(1);
    if (first == QLatin1String("--version"))
        return QStringLiteral("Vistrel " VISTREL_VERSION "\n");
    if (first == QLatin1String("--help"))
        return QStringLiteral(
            "Usage: vistrel [FILE | AUTORUN]\n"
            "A movie player with subtitles and a skinned control panel.\n"
            "\n"
            "  FILE       a video, audio, subtitle or Quick ini file, opened as if dropped\n"
            "             on its button; a running Vistrel takes it over\n"
            "  AUTORUN    play the disc described by kelmora.ini beside the program\n"
            "  --help     show this text\n"
            "  --version  show the version\n");
    return QString();
}

QString fileArgument(const QStringList &arguments)
{
    const QString first = arguments.value(1);
    if (first.isEmpty() || first.toUpper() == QLatin1String("AUTORUN"))
        return QString();
    const QFileInfo info(first);
    return info.isFile() ? info.absoluteFilePath() : QString();
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
