#pragma once
// libmpv's software renderer on a thread of its own: it converts and scales each frame straight into the
// image the window puts on the screen, which the window lends it frame by frame (MpvRasterWindow). At
// 1920x1080 the conversion takes longer than the UI thread can spare, and a copy of each frame would cost
// as much again. The thread calls only mpv_render_* functions, never anything that waits on the player
// core, since the core may be waiting for it to take a frame.
#include <QObject>
#include <QSize>
#include <condition_variable>
#include <mutex>
#include <thread>

class QImage;
struct mpv_handle;
struct mpv_render_context;

class MpvSoftwareRenderer : public QObject {
    Q_OBJECT
public:
    // Switches `mpv` from the null output to this renderer; where none can be made, nothing is drawn.
    explicit MpvSoftwareRenderer(mpv_handle *mpv, QObject *parent = nullptr);
    ~MpvSoftwareRenderer() override;

    // Whether anything shows the picture: while nothing does, frames are taken without drawing them.
    void setShown(bool shown);
    // The picture is to be drawn again, into the next image lent.
    void redraw();
    // Answers wanted(): the thread draws into `target` (32-bit RGB, whole) and gives it back with
    // finished(); until then nobody else touches its pixels. Null when there is nothing to draw into.
    // False when the image was not taken: null, or the thread no longer wants one.
    bool lend(QImage *target);

signals:
    // From the thread: a picture is to be drawn; lend() an image for it.
    void wanted();
    // From the thread: the image lent is drawn and given back, `newFrame` when it shows a frame not
    // shown before.
    void finished(bool newFrame);

private:
    static void onUpdate(void *self);
    void run();
    void skip();

    mpv_handle *mpv_;
    mpv_render_context *render_ = nullptr;
    std::thread thread_;

    std::mutex lock_;
    std::condition_variable wake_;
    bool pending_ = false, stop_ = false, redraw_ = false, shown_ = false;
    // Asked for with wanted(), not yet answered.
    bool asking_ = false;
    // The pixels lent, read on the UI thread: the thread never touches the image itself.
    struct Target {
        uchar *pixels = nullptr;
        size_t stride = 0;
        QSize size;
    };
    Target lent_;
};
