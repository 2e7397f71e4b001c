#include "engine/MpvVideoView.h"

#include "engine/MpvRasterWindow.h"
#include "engine/MpvShmWindow.h"
#include "engine/MpvVideoWindow.h"
#include "engine/VideoOutput.h"

#include <QGuiApplication>
#include <QPainter>

MpvVideoView::MpvVideoView(std::function<mpv_handle *()> core, QWidget *parent)
    : QWidget(parent), core_(std::move(core))
{
    setObjectName(QStringLiteral("MediaPlayer1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

MpvVideoView::~MpvVideoView() = default;

MpvVideoWindow *MpvVideoView::glWindow() const
{
    return qobject_cast<MpvVideoWindow *>(window_);
}

void MpvVideoView::showEvent(QShowEvent *)
{
    if (!chosen_)
        chooseOutput();
}

void MpvVideoView::chooseOutput()
{
    chosen_ = true;
    const VideoOutput::Kind kind = VideoOutput::choose();
    if (kind == VideoOutput::Kind::Gl)
        useGl(core_());
    else
        useSoftware(core_());
    emit outputChosen(VideoOutput::name(kind));
}

void MpvVideoView::adopt(MpvPictureWindow *window, std::function<void()> instead)
{
    window_ = window;
    connect(window, &MpvPictureWindow::frameDrawn, this, &MpvVideoView::frameDrawn);
    connect(window, &MpvPictureWindow::mouseDown, this, &MpvVideoView::mouseDown);
    connect(window, &MpvPictureWindow::mouseUp, this, &MpvVideoView::mouseUp);
    if (instead) {
        connect(window, &MpvPictureWindow::failed, this, [this, window, instead] {
            if (window_ != window)
                return;
            // Gone first: its last word to the core is to stop drawing, which must come before the new start.
            delete window->container();
            window_ = nullptr;
            instead();
        }, Qt::QueuedConnection);
    }
    window->container()->setGeometry(rect());
    window->container()->show();
}

void MpvVideoView::useGl(mpv_handle *mpv)
{
    // A driver that cannot draw from the render thread after all: the software renderer takes over.
    adopt(new MpvVideoWindow(mpv, this), [this, mpv] {
        useSoftware(mpv);
        emit outputChosen(VideoOutput::name(VideoOutput::Kind::Software));
    });
}

void MpvVideoView::useSoftware(mpv_handle *mpv)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        adopt(new MpvShmWindow(mpv, this), [this, mpv] { adopt(new MpvRasterWindow(mpv, this)); });
    else
        adopt(new MpvRasterWindow(mpv, this));
}

void MpvVideoView::resizeEvent(QResizeEvent *)
{
    if (window_)
        window_->container()->setGeometry(rect());
}

// Black until the picture's window covers the view; after that, painting under it would only cost a
// frame's worth of pixels at every zoom.
void MpvVideoView::paintEvent(QPaintEvent *)
{
    if (!window_)
        QPainter(this).fillRect(rect(), Qt::black);
}

QImage MpvVideoView::picture()
{
    return window_ ? window_->grabPicture() : QImage();
}
