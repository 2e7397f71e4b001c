#pragma once
// MediaPlayer1's picture as a widget. The way it draws is chosen when it first shows (VideoOutput):
// an OpenGL window (MpvVideoWindow) or a software one (MpvShmWindow on X11, else MpvRasterWindow)
// fills it. A window that cannot draw after all makes way for the next of them.
#include <QWidget>

#include <functional>

struct mpv_handle;
class MpvPictureWindow;
class MpvVideoWindow;

class MpvVideoView : public QWidget {
    Q_OBJECT
public:
    // `core` gives the engine's player core, started when the view first shows.
    explicit MpvVideoView(std::function<mpv_handle *()> core, QWidget *parent = nullptr);
    ~MpvVideoView() override;

    // What is drawn now, in device pixels: for tests and diagnostics. The GL path waits for its thread.
    QImage picture();
    // The window the picture is drawn in once the view has shown, else null.
    MpvPictureWindow *pictureWindow() const { return window_; }
    // The same when it is the OpenGL one, else null.
    MpvVideoWindow *glWindow() const;

signals:
    // Once, when the view first shows: "gl" or "software".
    void outputChosen(const QString &name);
    // A new video frame is on the screen.
    void frameDrawn();
    // Classic button values and modifier bits, position in pixels.
    void mouseDown(int button, int shift, QPointF pos);
    void mouseUp(int button, int shift, QPointF pos);

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void chooseOutput();
    void useGl(mpv_handle *mpv);
    void useSoftware(mpv_handle *mpv);
    // `instead` puts another window in its place should it fail.
    void adopt(MpvPictureWindow *window, std::function<void()> instead = {});

    std::function<mpv_handle *()> core_;
    bool chosen_ = false;
    MpvPictureWindow *window_ = nullptr;
};
