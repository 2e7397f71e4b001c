#pragma once
// Every preference the settings file keeps, as one value: the places of the panel and the overlay,
// the overlay's size and font, the choices of the Preferences window, the last folder, the skin and
// the key map. The session's Preferences owns it; the windows show it and change it through there.
#include "prefs/KeyMap.h"

#include <QString>

struct SubtitleFont {
    QString family = QStringLiteral("MS Serif");
    double size = 18;  // points, fractions kept
    bool bold = true;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    unsigned colour = 0xFFFFFF;  // &H00BBGGRR, as stored

    bool operator==(const SubtitleFont &) const = default;
};

struct Prefs {
    // Places in twips, the overlay's size in pixels.
    double panelLeft = 0;
    double panelTop = 0;
    int overlayWidth = 600;
    int overlayHeight = 100;
    double overlayLeft = 0;
    double overlayTop = 0;
    // Where the settings file or the centring last put the overlay; a drag moves it from there without
    // moving this, and the transparency set-up puts it back here. Not stored.
    double overlayHomeLeft = 0;
    double overlayHomeTop = 0;
    SubtitleFont font;

    // The subtitle group.
    bool autoshow = false;      // "Autoshow Subtitles."
    bool hidden = false;        // "Hide Subtitles."
    bool transparent = false;   // "Transparent Subtiles"
    QString overlayFrame = QStringLiteral("30");

    // The player group.
    QString panScan = QStringLiteral("10");
    bool fullscreen = false;
    bool autoplay = false;
    bool autoreverse = false;
    bool elapsed = true;  // else the time remaining
    bool time = true;     // else frame numbers

    QString lastDir;
    QString skinFile = QStringLiteral("NONE");
    KeyMap::Keys keys = KeyMap::defaultKeys();

    bool operator==(const Prefs &) const = default;
};
