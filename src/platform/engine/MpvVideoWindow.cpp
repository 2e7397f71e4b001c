#include "engine/MpvVideoWindow.h"

#include "engine/VideoOutput.h"
#include "input/ButtonValues.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPlatformSurfaceEvent>
#include <QWidget>
#include <mpv/client.h>
#include <mpv/render_gl.h>

namespace {

void *procAddress(void *, const char *name)
{
    QOpenGLContext *ctx = QOpenGLContext::currentContext();
    return ctx ? reinterpret_cast<void *>(ctx->getProcAddress(name)) : nullptr;
}

// Runs on one of mpv's threads: only hand the repaint to the UI thread.
void onRenderUpdate(void *data)
{
    auto *w = static_cast<MpvVideoWindow *>(data);
    QMetaObject::invokeMethod(w, [w] { w->update(); }, Qt::QueuedConnection);
}

} // namespace

MpvVideoWindow::MpvVideoWindow(mpv_handle *mpv, QWidget *parent) : mpv_(mpv)
{
    container_ = QWidget::createWindowContainer(this, parent);
}

MpvVideoWindow::~MpvVideoWindow()
{
    releaseRenderer();
}

bool MpvVideoWindow::event(QEvent *e)
{
    // The renderer's GL objects must go while the surface they were made on can still be made current.
    if (e->type() == QEvent::PlatformSurface
        && static_cast<QPlatformSurfaceEvent *>(e)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
        releaseRenderer();
    return QOpenGLWindow::event(e);
}

void MpvVideoWindow::initializeGL()
{
    mpv_opengl_init_params gl{procAddress, nullptr};
    mpv_render_param params[]{{MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
                              {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
                              {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_create(&render_, mpv_, params) < 0) {
        render_ = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(render_, onRenderUpdate, this);
    // Until now the engine decoded into the null output; the picture can be drawn from here on.
    VideoOutput::switchCore(mpv_, "libmpv");
}

void MpvVideoWindow::releaseRenderer()
{
    if (!render_)
        return;
    makeCurrent();
    mpv_render_context_set_update_callback(render_, nullptr, nullptr);
    // Keep the loaded file playing without a picture once there is nothing to draw in.
    VideoOutput::switchCore(mpv_, "null");
    mpv_render_context_free(render_);
    render_ = nullptr;
    doneCurrent();
}

void MpvVideoWindow::paintGL()
{
    if (!render_)
        return;
    const qreal dpr = devicePixelRatio();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), static_cast<int>(width() * dpr),
                       static_cast<int>(height() * dpr), 0};
    int flipY = 1;
    mpv_render_param params[]{{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                              {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                              {MPV_RENDER_PARAM_INVALID, nullptr}};
    const bool fresh = mpv_render_context_update(render_) & MPV_RENDER_UPDATE_FRAME;
    mpv_render_context_render(render_, params);
    if (fresh)
        emit frameDrawn();
}

void MpvVideoWindow::mousePressEvent(QMouseEvent *e)
{
    emit mouseDown(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()), e->position());
}

void MpvVideoWindow::mouseReleaseEvent(QMouseEvent *e)
{
    emit mouseUp(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()), e->position());
}

// Keys typed while the picture has focus belong to the widgets around it, as they would for a child widget.
void MpvVideoWindow::keyPressEvent(QKeyEvent *e)
{
    QCoreApplication::sendEvent(container_, e);
}

void MpvVideoWindow::keyReleaseEvent(QKeyEvent *e)
{
    QCoreApplication::sendEvent(container_, e);
}
