#pragma once
// MediaPlayer1's picture where OpenGL runs on a graphics card: libmpv's OpenGL renderer draws into this
// window from a thread of its own (MpvGlRenderer).
#include "engine/MpvPictureWindow.h"

#include <memory>

struct mpv_handle;
class MpvGlRenderer;

class MpvVideoWindow : public MpvPictureWindow {
    Q_OBJECT
public:
    MpvVideoWindow(mpv_handle *mpv, QWidget *parent);
    ~MpvVideoWindow() override;

    // The next picture drawn, the parts off the screen included. Waits for the render thread.
    QImage grabPicture() const override;

protected:
    bool event(QEvent *e) override;
    void exposeEvent(QExposeEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void updateTarget();
    void stopRenderer();

    mpv_handle *mpv_;
    std::unique_ptr<MpvGlRenderer> renderer_;
};
