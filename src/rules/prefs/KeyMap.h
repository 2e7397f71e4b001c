#pragma once
// The one-key commands: 21 of them, each bound to one character the user may change. The captions
// name them on the Preferences window and are their keys in the settings file.
#include <QString>
#include <array>

namespace KeyMap {

constexpr int kCommands = 21;
using Keys = std::array<QString, kCommands>;

// In the order of the window and the file.
enum Command {
    PlayStop,
    VolumeUp,
    VolumeDown,
    OpenVideo,
    OpenAudio,
    OpenSubtitles,
    OpenQuickIni,
    SelectSpecials,
    SelectChapters,
    CdRun,
    Zoom,
    Preferences,
    Statistics,
    MoveToStart,
    MoveToEnd,
    KeyConfig,
    Mute,
    FasterRate,
    SlowerRate,
    Minimize,
    Exit,
};

const std::array<QString, kCommands> &captions();
const Keys &defaultKeys();

// The command of the first box holding exactly `key`, or -1: an empty box binds nothing.
int command(const Keys &keys, const QString &key);

}  // namespace KeyMap
