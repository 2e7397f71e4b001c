#pragma once
// MediaPlayer1's picture as a widget. The way it draws is chosen when it first shows (VideoOutput):
// OpenGL in an MpvVideoWindow that fills it, or libmpv's software renderer, whose images it paints.
#include <QWidget>

#include <functional>
#include <memory>

struct mpv_handle;
class MpvSoftwareRenderer;
class MpvVideoWindow;

class MpvVideoView : public QWidget {
    Q_OBJECT
public:
    // `core` gives the engine's player core, started when the view first shows.
    explicit MpvVideoView(std::function<mpv_handle *()> core, QWidget *parent = nullptr);
    ~MpvVideoView() override;

    // What is on screen now, in device pixels: for tests and diagnostics.
    QImage picture();
    // The OpenGL window once the view draws that way, else null.
    MpvVideoWindow *glWindow() const { return glWindow_; }

signals:
    // Once, when the view first shows: "gl" or "software".
    void outputChosen(const QString &name);
    // After a paint that put a new video frame on screen.
    void frameDrawn();
    // Classic button values and modifier bits, position in pixels.
    void mouseDown(int button, int shift, QPointF pos);
    void mouseUp(int button, int shift, QPointF pos);

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void chooseOutput();
    void useGl(mpv_handle *mpv);
    void useSoftware(mpv_handle *mpv);
    QSize pixelSize() const;

    std::function<mpv_handle *()> core_;
    bool chosen_ = false;
    MpvVideoWindow *glWindow_ = nullptr;
    std::unique_ptr<MpvSoftwareRenderer> software_;
    // A finished picture shows a frame not painted yet.
    bool freshFrame_ = false;
    bool grabbing_ = false;
};
