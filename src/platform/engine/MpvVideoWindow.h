#pragma once
// MediaPlayer1's picture where OpenGL runs on a graphics card: a plain OpenGL window among the widgets
// (through a window container) that libmpv's OpenGL renderer draws into from a thread of its own
// (MpvGlRenderer). The window itself lives on the UI thread: its input, its size and whether it shows.
#include <QWindow>

#include <memory>

struct mpv_handle;
class MpvGlRenderer;

class MpvVideoWindow : public QWindow {
    Q_OBJECT
public:
    // The window's container becomes a child of `parent`.
    MpvVideoWindow(mpv_handle *mpv, QWidget *parent);
    ~MpvVideoWindow() override;

    // The widget that carries this window among widgets. It owns the window: deleting it deletes both.
    QWidget *container() const { return container_; }

    // The next picture drawn, in device pixels, the parts off the screen included. Waits for the render
    // thread: for tests and diagnostics only.
    QImage grabPicture() const;

signals:
    // The OpenGL context or libmpv's renderer could not be made: nothing will be drawn here.
    void failed();
    // After a buffer swap that put a new video frame on screen.
    void frameDrawn();
    // Classic button values and modifier bits, position in pixels.
    void mouseDown(int button, int shift, QPointF pos);
    void mouseUp(int button, int shift, QPointF pos);

protected:
    bool event(QEvent *e) override;
    void exposeEvent(QExposeEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;

private:
    void updateTarget();
    void stopRenderer();

    mpv_handle *mpv_;
    QWidget *container_ = nullptr;
    std::unique_ptr<MpvGlRenderer> renderer_;
};
