#pragma once
// An overlay window double that records what the display loop does to it.
#include "subtitles/SubtitleOverlay.h"

#include <QStringList>

class FakeOverlay : public SubtitleOverlay {
public:
    QStringList calls;  // "show", "hide", "text <caption>"
    int dues = 0;       // entries that came due
    void cueDue() override { ++dues; }
    void showOverlay() override { calls << "show"; }
    void hideOverlay() override { calls << "hide"; }
    void setCaption(const QString &text) override { calls << "text " + text; }
};
