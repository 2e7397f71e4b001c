#pragma once
// libmpv's OpenGL renderer on a thread of its own, drawing into a native window with a context made on
// that thread. mpv waits there until a frame is due and for the buffer swap, shader compiles land
// there too: none of it holds the UI thread. The thread calls only mpv_render_* functions; every other
// libmpv call stays with the window on the UI thread.
#include <QImage>
#include <QObject>
#include <QSize>
#include <QSurfaceFormat>
#include <condition_variable>
#include <mutex>
#include <thread>

class QWindow;
struct mpv_handle;

class MpvGlRenderer : public QObject {
    Q_OBJECT
public:
    // `surface` must have its native window already and outlive this object.
    MpvGlRenderer(mpv_handle *mpv, QWindow *surface);
    // Starts the thread. Its first word (ready() or failed()) may come at once, so whoever listens
    // connects before this.
    void start();
    // Frees mpv's GL objects on the thread, while the surface can still be made current, and joins it.
    ~MpvGlRenderer() override;

    // The window's size in device pixels and whether any of it shows; nothing is drawn while it does not.
    // Either way the picture is drawn again.
    void setTarget(QSize pixels, bool exposed);

    // The next picture drawn, read back from the window's buffer; null when the window does not show or
    // none comes within `waitMs`. Waits for the thread: for tests and diagnostics only.
    QImage capture(int waitMs);

signals:
    // From the thread: the renderer exists, so the core can send it frames.
    void ready();
    // From the thread: the context or the renderer could not be made.
    void failed();
    // From the thread: a new video frame was swapped onto the screen.
    void frameDrawn();

private:
    static void onUpdate(void *self);
    void run();
    void deliverCapture(const QImage &image);

    mpv_handle *mpv_;
    QWindow *surface_;
    const QSurfaceFormat format_;
    std::thread thread_;

    std::mutex lock_;
    std::condition_variable wake_;
    bool pending_ = false, stop_ = false, redraw_ = false, exposed_ = false;
    QSize size_;
    std::condition_variable captured_;
    bool captureWanted_ = false, captureDone_ = false;
    QImage capturedImage_;
};
