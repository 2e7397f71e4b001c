#pragma once
// The software picture put on an X11 window by the renderer's thread itself, from memory the X server
// shares with us (MIT-SHM): nothing on the UI thread per frame. Through Qt's backing store the UI thread
// lends the store for each frame and waits for the server to finish reading the last one before it can
// lend it again; a busy server then stalls the panel and, through the renderer, the player.
//
// The canvas has a connection to the server of its own, made on the UI thread and then used by the
// renderer's thread only.
#include "engine/SoftwareCanvas.h"

#include <QImage>
#include <QObject>
#include <memory>
#include <mutex>

class QWindow;
struct xcb_connection_t;

class XcbCanvas : public QObject, public SoftwareCanvas {
    Q_OBJECT
public:
    // A canvas for `window`'s native window, or null where its pictures cannot be put this way: not
    // X11, a server that cannot map our memory (one on another machine), a window whose pixels are not
    // 32-bit RGB.
    static std::unique_ptr<XcbCanvas> open(QWindow *window);
    ~XcbCanvas() override;

    // From the UI thread: the native window to put pictures on (0: none, it is going) and its size in
    // device pixels.
    void setWindow(quint32 window);
    void setSize(QSize pixels);
    // A copy of the last picture put on the window; null before the first. Waits while one is drawn.
    QImage lastPicture() const;

    Pixels take() override;
    void drawn(bool newFrame) override;
    bool showAgain() override;
    void stop() override;

signals:
    // From the thread: a picture showing a new video frame is on the window.
    void frameShown();

private:
    struct Segment;
    XcbCanvas(xcb_connection_t *connection, quint32 window, const char *format, int depth);
    bool ensureMemory(size_t bytes);
    void put(QSize size);
    bool waitForServer();

    xcb_connection_t *const connection_;
    const char *const format_;
    const int depth_;
    quint32 gc_ = 0;
    int completion_ = -1;
    // Written by stop() to wake a wait for the server.
    int wake_ = -1;
    // Pictures put whose reading the server has not yet confirmed.
    int unread_ = 0;
    std::unique_ptr<Segment> memory_;

    // Between take() and drawn() the thread holds `drawing_`: the memory is being written.
    mutable std::mutex drawing_;
    mutable std::mutex lock_;
    quint32 window_;
    QSize size_;
    // The size of the picture in the memory, empty while none is.
    QSize drawn_;
    bool stopped_ = false;
};
