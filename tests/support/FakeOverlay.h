#pragma once
// An overlay window double: what the display loop shows on it, and whether it is up.
#include "subtitles/SubtitleOverlay.h"

#include <QString>

class FakeOverlay : public SubtitleOverlay {
public:
    bool shown = false;
    QString text;
    void showOverlay() override { shown = true; }
    void hideOverlay() override { shown = false; }
    void setCaption(const QString &caption) override { text = caption; }
    // What a viewer sees: the text while the window is up.
    QString seen() const { return shown ? text : QString(); }
};
