#pragma once
// MediaPlayer1's picture where OpenGL is a software one or missing and the window system is not X11
// (or will not share memory with us): libmpv's software renderer draws each frame straight into this
// window's backing store from a thread of its own (MpvSoftwareRenderer), and the window puts it on the
// screen, pixel for pixel at any scale. Where the store's pixels are not 32-bit RGB the renderer draws
// into an image of the window's own, which is painted into the store.
#include "engine/MpvPictureWindow.h"

#include <QBackingStore>
#include <memory>

struct mpv_handle;
class LentCanvas;
class MpvSoftwareRenderer;

class MpvRasterWindow : public MpvPictureWindow {
    Q_OBJECT
public:
    MpvRasterWindow(mpv_handle *mpv, QWidget *parent);
    ~MpvRasterWindow() override;

    // The last picture put on the screen.
    QImage grabPicture() const override;

protected:
    void exposeEvent(QExposeEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void lendPicture();
    void putPicture(bool newFrame);
    bool storeFits() const;
    void fitStore();
    QImage *drawingTarget();

    QBackingStore store_;
    // On X11 the store only grows: the server shows the window's part of a larger one, and each new
    // size costs a shared-memory segment and round trips to the server (up to 25 ms on a busy machine,
    // at every zoom). Elsewhere (Wayland) a buffer's size is the surface's, so the store follows the window.
    const bool growOnly_;
    // What the renderer draws into: the window's part of the store, or an image of our own.
    QImage view_, own_;
    // The part of the window the picture being drawn covers.
    QRect drawn_;
    // The image lent to the renderer, or the one it drew last; null after a resize.
    QImage *target_ = nullptr;
    bool lent_ = false;
    // Once anyone has asked for the picture, each one put on the screen is kept, so that it can be
    // given while the renderer draws the next. The player itself never asks.
    mutable bool keepLast_ = false;
    QImage last_;
    std::unique_ptr<LentCanvas> canvas_;
    // Last: it stops drawing into the store before the store goes.
    std::unique_ptr<MpvSoftwareRenderer> renderer_;
};
