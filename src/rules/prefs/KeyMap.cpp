#include "prefs/KeyMap.h"

namespace KeyMap {

const std::array<QString, kCommands> &captions()
{
    static const std::array<QString, kCommands> list{
        QStringLiteral("play/stop"),       QStringLiteral("Volume up"),     QStringLiteral("Volume down"),
        QStringLiteral("Open Video"),      QStringLiteral("Open Audio"),    QStringLiteral("Open Subtitles"),
        QStringLiteral("Open Quick ini"),  QStringLiteral("Select Specials"), QStringLiteral("Select Chapters"),
        QStringLiteral("CD run"),          QStringLiteral("Zoom"),          QStringLiteral("Preferances"),
        QStringLiteral("Statistics"),      QStringLiteral("Move to start"), QStringLiteral("Move to end"),
        QStringLiteral("Key Config"),      QStringLiteral("Mute"),          QStringLiteral("Faster Rate"),
        QStringLiteral("Slower Rate"),     QStringLiteral("Minimize"),      QStringLiteral("EXIT"),
    };
    return list;
}

const Keys &defaultKeys()
{
    static const Keys keys{
        QStringLiteral("P"), QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("V"), QStringLiteral("A"),
        QStringLiteral("S"), QStringLiteral("Q"), QStringLiteral("L"), QStringLiteral("N"), QStringLiteral("C"),
        QStringLiteral("Z"), QStringLiteral("R"), QStringLiteral("T"), QStringLiteral("B"), QStringLiteral("E"),
        QStringLiteral("K"), QStringLiteral("U"), QStringLiteral("*"), QStringLiteral("/"), QStringLiteral("M"),
        QStringLiteral("X"),
    };
    return keys;
}

int command(const Keys &keys, const QString &key)
{
    if (key.isEmpty())
        return -1;
    for (int i = 0; i < kCommands; ++i) {
        if (keys[size_t(i)] == key)
            return i;
    }
    return -1;
}

}  // namespace KeyMap
