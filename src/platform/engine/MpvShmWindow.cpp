#include "engine/MpvShmWindow.h"

#include "engine/MpvSoftwareRenderer.h"
#include "engine/VideoOutput.h"
#include "engine/XcbCanvas.h"

#include <QPlatformSurfaceEvent>

MpvShmWindow::MpvShmWindow(mpv_handle *mpv, QWidget *parent) : MpvPictureWindow(QSurface::RasterSurface, parent), mpv_(mpv)
{
    // A screen of another scale changes the pixels without a resize.
    connect(this, &QWindow::screenChanged, this, [this] {
        updateSize();
        if (renderer_)
            renderer_->redraw();
    });
}

MpvShmWindow::~MpvShmWindow() = default;

bool MpvShmWindow::event(QEvent *e)
{
    // A new native window (the container moved to another top-level) is told to the canvas on its
    // first showing; the old one gets nothing more.
    if (e->type() == QEvent::PlatformSurface && canvas_
        && static_cast<QPlatformSurfaceEvent *>(e)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
        canvas_->setWindow(0);
    return MpvPictureWindow::event(e);
}

void MpvShmWindow::exposeEvent(QExposeEvent *)
{
    if (failed_ || !isExposed() || !handle()) {
        if (renderer_)
            renderer_->setShown(false);
        return;
    }
    if (!canvas_) {
        canvas_ = XcbCanvas::open(this);
        if (!canvas_) {
            failed_ = true;
            emit failed();
            return;
        }
        connect(canvas_.get(), &XcbCanvas::frameShown, this, &MpvPictureWindow::frameDrawn);
        renderer_ = std::make_unique<MpvSoftwareRenderer>(mpv_, canvas_.get());
        renderer_->start();
    }
    canvas_->setWindow(static_cast<quint32>(winId()));
    updateSize();
    renderer_->setShown(true);
}

void MpvShmWindow::resizeEvent(QResizeEvent *)
{
    updateSize();
    if (renderer_)
        renderer_->redraw();
}

void MpvShmWindow::updateSize()
{
    if (canvas_)
        canvas_->setSize(VideoOutput::pixelSize(size(), devicePixelRatio()));
}

QImage MpvShmWindow::grabPicture() const
{
    return canvas_ ? canvas_->lastPicture() : QImage();
}
