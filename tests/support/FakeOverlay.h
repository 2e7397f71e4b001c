#pragma once
// An overlay window double: what the display loop does to it, what it shows, and whether it is up.
#include "subtitles/SubtitleOverlay.h"

#include <QString>
#include <QStringList>

class FakeOverlay : public SubtitleOverlay {
public:
    QStringList calls;  // "show", "hide", "text <caption>"
    int dues = 0;       // entries that came due
    bool shown = false;
    QString text;
    void cueDue() override { ++dues; }
    void showOverlay() override
    {
        calls << "show";
        shown = true;
    }
    void hideOverlay() override
    {
        calls << "hide";
        shown = false;
    }
    void setCaption(const QString &caption) override
    {
        calls << "text " + caption;
        text = caption;
    }
    // What a viewer sees: the text while the window is up.
    QString seen() const { return shown ? text : QString(); }
};
