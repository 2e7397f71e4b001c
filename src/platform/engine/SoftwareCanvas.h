#pragma once
// Where libmpv's software renderer draws, asked by its thread before each picture and told after it.
// MpvRasterWindow lends the window's backing store from the UI thread (LentCanvas); on X11 the thread
// puts the picture on the window itself (XcbCanvas).
#include <QSize>
#include <cstddef>

class SoftwareCanvas {
public:
    struct Pixels {
        unsigned char *bits = nullptr;
        size_t stride = 0;
        QSize size;
        // libmpv's name of their layout.
        const char *format = nullptr;
    };

    virtual ~SoftwareCanvas() = default;

    // On the thread: the pixels to draw the next picture into, untouched by anyone else until drawn();
    // none when nothing can be drawn now. May wait, but not once stop() is called.
    virtual Pixels take() = 0;
    // On the thread: the pixels taken hold the picture, `newFrame` when it shows a frame not shown before.
    virtual void drawn(bool newFrame) = 0;
    // On the thread: shows the last picture again where nothing changed but that it has to be shown
    // (a window uncovered); false when it has to be drawn again.
    virtual bool showAgain() { return false; }
    // From the UI thread: take() returns at once from now on.
    virtual void stop() = 0;
};
