#pragma once
// MediaPlayer1's picture where OpenGL runs on a graphics card: libmpv's OpenGL renderer drawing straight
// into a native window that sits among the widgets through a window container. A QOpenGLWidget costs an
// offscreen pass and a backing-store blit per frame on top of mpv's own drawing.
#include <QOpenGLWindow>

struct mpv_handle;
struct mpv_render_context;

class MpvVideoWindow : public QOpenGLWindow {
    Q_OBJECT
public:
    // The window's container becomes a child of `parent`.
    MpvVideoWindow(mpv_handle *mpv, QWidget *parent);
    ~MpvVideoWindow() override;

    // The widget that carries this window among widgets. It owns the window: deleting it deletes both.
    QWidget *container() const { return container_; }

signals:
    // After a paint that put a new video frame on screen.
    void frameDrawn();
    // Classic button values and modifier bits, position in pixels.
    void mouseDown(int button, int shift, QPointF pos);
    void mouseUp(int button, int shift, QPointF pos);

protected:
    bool event(QEvent *e) override;
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;

private:
    void releaseRenderer();

    mpv_handle *mpv_;
    mpv_render_context *render_ = nullptr;
    QWidget *container_ = nullptr;
};
