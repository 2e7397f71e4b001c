#pragma once
// libmpv's software renderer on a thread of its own: it converts and scales each frame into an image
// that the video widget paints. At 1920x1080 the conversion takes longer than the UI thread can spare.
// The thread calls only mpv_render_* functions, never anything that waits on the player core, since the
// core may be waiting for it to take a frame.
#include <QImage>
#include <QObject>
#include <QSize>
#include <condition_variable>
#include <mutex>
#include <thread>

class QPainter;
class QRectF;
struct mpv_handle;
struct mpv_render_context;

class MpvSoftwareRenderer : public QObject {
    Q_OBJECT
public:
    // Switches `mpv` from the null output to this renderer; without a renderer isValid() is false.
    explicit MpvSoftwareRenderer(mpv_handle *mpv, QObject *parent = nullptr);
    ~MpvSoftwareRenderer() override;

    bool isValid() const { return render_ != nullptr; }

    // The picture's size in device pixels; an empty size takes frames without converting them.
    // Either way the picture is drawn again.
    void setSize(QSize pixels);

    // Paints the newest finished picture into `target`, black before the first one.
    void paint(QPainter &painter, const QRectF &target);

signals:
    // From the render thread: a picture is finished, `newFrame` when it shows a frame not shown before.
    void finished(bool newFrame);

private:
    static void onUpdate(void *self);
    void run();
    void draw(bool skip);

    mpv_handle *mpv_;
    mpv_render_context *render_ = nullptr;
    std::thread thread_;

    // What the thread is asked to do.
    std::mutex wakeLock_;
    std::condition_variable wake_;
    bool pending_ = false, stop_ = false, redraw_ = false;
    QSize size_;

    // The picture being painted, and the one being drawn into (the thread's own).
    std::mutex pictureLock_;
    QImage front_;
    QImage back_;
};
