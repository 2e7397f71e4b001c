#pragma once
// MediaPlayer1's picture: libmpv's OpenGL renderer drawing into a QOpenGLWidget.
#include <QOpenGLWidget>

struct mpv_handle;
struct mpv_render_context;

class MpvVideoWidget : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit MpvVideoWidget(mpv_handle *mpv, QWidget *parent = nullptr);
    ~MpvVideoWidget() override;

signals:
    // After a paint that put a new video frame on screen.
    void frameDrawn();
    // Classic button values and modifier bits, position in pixels.
    void mouseDown(int button, int shift, QPointF pos);
    void mouseUp(int button, int shift, QPointF pos);

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void releaseRenderer();

    mpv_handle *mpv_;
    mpv_render_context *render_ = nullptr;
};
