#pragma once
// The settings file's entries as preferences and back. Places that depend on the screens connected
// now are the windows' to settle; everything else is converted here.
#include "prefs/Prefs.h"
#include "startup/SettingsFile.h"

namespace PrefsFile {

// The longest text the overlay-frame box takes (all the file keeps); the pan-and-scan box takes less.
// A key box holds one character, which may be two UTF-16 units.
constexpr int kOverlayFrameLength = SettingsFile::kMaxTextLength;
constexpr int kPanScanLength = 3;
constexpr int kKeyLength = 2;

// `base` with every entry of `values` that converts. The overlay's place is left as it is in `base`;
// a missing last folder is `appPath`.
Prefs read(const SettingsFile::Values &values, Prefs base, const QString &appPath);

// The 46 values as the file stores them, and their keys.
std::array<QString, SettingsFile::kEntries> write(const Prefs &prefs);
SettingsFile::Keys keys();

}  // namespace PrefsFile
