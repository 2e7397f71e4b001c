#pragma once
// MediaPlayer1's picture on X11 where OpenGL is a software one or missing: libmpv's software renderer
// draws each frame into memory shared with the X server and puts it on this window from its own thread
// (XcbCanvas), pixel for pixel at any scale. The UI thread only tells it the window's size. Where the
// server cannot take the picture so, the window reports failed() on its first showing and the view puts
// an MpvRasterWindow in its place.
#include "engine/MpvPictureWindow.h"

#include <memory>

struct mpv_handle;
class MpvSoftwareRenderer;
class XcbCanvas;

class MpvShmWindow : public MpvPictureWindow {
    Q_OBJECT
public:
    MpvShmWindow(mpv_handle *mpv, QWidget *parent);
    ~MpvShmWindow() override;

    // The last picture put on the window; waits while the renderer draws one.
    QImage grabPicture() const override;

protected:
    bool event(QEvent *e) override;
    void exposeEvent(QExposeEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void updateSize();

    mpv_handle *mpv_;
    bool failed_ = false;
    std::unique_ptr<XcbCanvas> canvas_;
    // Last: it stops drawing on the canvas before the canvas goes.
    std::unique_ptr<MpvSoftwareRenderer> renderer_;
};
