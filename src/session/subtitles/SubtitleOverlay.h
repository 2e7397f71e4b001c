#pragma once
// What the display loop does to the overlay window.
#include <QString>

class SubtitleOverlay {
public:
    virtual ~SubtitleOverlay() = default;
    // Shows the window modeless and in front, without taking the keyboard focus.
    virtual void showOverlay() = 0;
    virtual void hideOverlay() = 0;
    // The subtitle text; a CR starts a new line.
    virtual void setCaption(const QString &text) = 0;
    // An entry of the table is due for the first time since the overlay was set up.
    virtual void cueDue() {}

    // A due entry: shown in front with its text.
    void showCue(const QString &text)
    {
        cueDue();
        showOverlay();
        setCaption(text);
    }
};
