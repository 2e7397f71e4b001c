#include "engine/MpvVideoWindow.h"

#include "engine/MpvGlRenderer.h"
#include "engine/VideoOutput.h"

#include <QPlatformSurfaceEvent>

MpvVideoWindow::MpvVideoWindow(mpv_handle *mpv, QWidget *parent)
    : MpvPictureWindow(QSurface::OpenGLSurface, parent), mpv_(mpv)
{
    // A screen of another scale changes the pixels without a resize.
    connect(this, &QWindow::screenChanged, this, [this] { updateTarget(); });
}

MpvVideoWindow::~MpvVideoWindow()
{
    stopRenderer();
}

bool MpvVideoWindow::event(QEvent *e)
{
    // The renderer's GL objects must go while the surface they were made on can still be made current.
    // A new native window (the container moved to another top-level) gets a renderer of its own on show.
    if (e->type() == QEvent::PlatformSurface
        && static_cast<QPlatformSurfaceEvent *>(e)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
        stopRenderer();
    return QWindow::event(e);
}

void MpvVideoWindow::exposeEvent(QExposeEvent *)
{
    if (!renderer_ && isExposed() && handle()) {
        renderer_ = std::make_unique<MpvGlRenderer>(mpv_, this);
        MpvGlRenderer *renderer = renderer_.get();
        // Until now the engine decoded into the null output; the picture can be drawn from here on.
        connect(renderer, &MpvGlRenderer::ready, renderer, [this] { VideoOutput::switchCore(mpv_, "libmpv"); });
        connect(renderer, &MpvGlRenderer::frameDrawn, this, &MpvVideoWindow::frameDrawn);
        connect(renderer, &MpvGlRenderer::failed, this, &MpvVideoWindow::failed);
        renderer->start();
    }
    updateTarget();
}

void MpvVideoWindow::resizeEvent(QResizeEvent *)
{
    updateTarget();
}

void MpvVideoWindow::updateTarget()
{
    if (!renderer_)
        return;
    renderer_->setTarget(VideoOutput::pixelSize(size(), devicePixelRatio()), isExposed());
}

void MpvVideoWindow::stopRenderer()
{
    if (!renderer_)
        return;
    // Keep the loaded file playing without a picture once there is nothing to draw in.
    VideoOutput::switchCore(mpv_, "null");
    renderer_.reset();
}

QImage MpvVideoWindow::grabPicture() const
{
    return renderer_ ? renderer_->capture(2000).convertToFormat(QImage::Format_RGB32) : QImage();
}
