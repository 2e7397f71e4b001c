#pragma once
// A native window among the widgets (through a window container) that one of libmpv's renderers draws
// into from a thread of its own. The window lives on the UI thread: its input, its size and whether it
// shows. MpvVideoWindow draws with OpenGL; MpvShmWindow (X11) and MpvRasterWindow with the software
// renderer.
#include <QImage>
#include <QWindow>

class MpvPictureWindow : public QWindow {
    Q_OBJECT
public:
    // The window's container becomes a child of `parent`. It owns the window: deleting it deletes both.
    QWidget *container() const { return container_; }

    // What is drawn now, in device pixels: for tests and diagnostics. Null when nothing is drawn yet, and
    // the first time it is asked on the software path while that path's thread draws.
    virtual QImage grabPicture() const = 0;

signals:
    // The picture cannot be drawn this way here after all: nothing will be drawn in this window.
    void failed();
    // A new video frame is on the screen.
    void frameDrawn();
    // Classic button values and modifier bits, position in pixels.
    void mouseDown(int button, int shift, QPointF pos);
    void mouseUp(int button, int shift, QPointF pos);

protected:
    MpvPictureWindow(QSurface::SurfaceType type, QWidget *parent);

    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;

private:
    QWidget *container_ = nullptr;
};
