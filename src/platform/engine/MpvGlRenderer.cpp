#include "engine/MpvGlRenderer.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWindow>
#include <mpv/client.h>
#include <mpv/render_gl.h>
#include <chrono>
#include <utility>

namespace {

void *procAddress(void *, const char *name)
{
    QOpenGLContext *ctx = QOpenGLContext::currentContext();
    return ctx ? reinterpret_cast<void *>(ctx->getProcAddress(name)) : nullptr;
}

// The back buffer as drawn, top row first.
QImage readBack(QOpenGLContext &context, QSize size)
{
    QImage image(size, QImage::Format_RGBA8888);
    context.functions()->glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    return image.mirrored();
}

}  // namespace

void MpvGlRenderer::deliverCapture(const QImage &image)
{
    {
        const std::lock_guard lock(lock_);
        capturedImage_ = image;
        captureDone_ = true;
    }
    captured_.notify_all();
}

MpvGlRenderer::MpvGlRenderer(mpv_handle *mpv, QWindow *surface)
    : mpv_(mpv), surface_(surface), format_(surface->requestedFormat())
{
}

void MpvGlRenderer::start()
{
    thread_ = std::thread([this] { run(); });
}

MpvGlRenderer::~MpvGlRenderer()
{
    {
        const std::lock_guard lock(lock_);
        stop_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void MpvGlRenderer::setTarget(QSize pixels, bool exposed)
{
    {
        const std::lock_guard lock(lock_);
        size_ = pixels;
        exposed_ = exposed;
        redraw_ = pending_ = true;
    }
    wake_.notify_one();
}

QImage MpvGlRenderer::capture(int waitMs)
{
    std::unique_lock lock(lock_);
    captureWanted_ = redraw_ = pending_ = true;
    captureDone_ = false;
    wake_.notify_one();
    if (!captured_.wait_for(lock, std::chrono::milliseconds(waitMs), [this] { return captureDone_; }))
        return {};
    return std::exchange(capturedImage_, QImage());
}

// Runs on one of mpv's threads: only wakes the render thread.
void MpvGlRenderer::onUpdate(void *self)
{
    auto *r = static_cast<MpvGlRenderer *>(self);
    {
        const std::lock_guard lock(r->lock_);
        r->pending_ = true;
    }
    r->wake_.notify_one();
}

void MpvGlRenderer::run()
{
    // The context belongs to this thread from its making to its end.
    QOpenGLContext context;
    context.setFormat(format_);
    if (!context.create() || !context.makeCurrent(surface_)) {
        emit failed();
        return;
    }
    mpv_opengl_init_params gl{procAddress, nullptr};
    mpv_render_param init[]{{MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
                            {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
                            {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context *render = nullptr;
    if (mpv_render_context_create(&render, mpv_, init) < 0) {
        context.doneCurrent();
        emit failed();
        return;
    }
    mpv_render_context_set_update_callback(render, onUpdate, this);
    emit ready();
    for (;;) {
        bool redraw, exposed, capture;
        QSize size;
        {
            std::unique_lock lock(lock_);
            wake_.wait(lock, [this] { return pending_ || stop_; });
            if (stop_)
                break;
            pending_ = false;
            redraw = std::exchange(redraw_, false);
            exposed = exposed_;
            size = size_;
            capture = std::exchange(captureWanted_, false);
        }
        const bool fresh = mpv_render_context_update(render) & MPV_RENDER_UPDATE_FRAME;
        if (!fresh && !redraw)
            continue;
        if (!exposed || size.isEmpty()) {
            // Nothing shows: the frame is still taken, or the core would wait for it.
            int skip = 1;
            mpv_render_param params[]{{MPV_RENDER_PARAM_SKIP_RENDERING, &skip}, {MPV_RENDER_PARAM_INVALID, nullptr}};
            mpv_render_context_render(render, params);
            if (capture)
                deliverCapture({});
            continue;
        }
        mpv_opengl_fbo fbo{static_cast<int>(context.defaultFramebufferObject()), size.width(), size.height(), 0};
        int flipY = 1;
        mpv_render_param params[]{{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                  {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                                  {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context_render(render, params);
        if (capture)
            deliverCapture(readBack(context, size));
        context.swapBuffers(surface_);
        mpv_render_context_report_swap(render);
        if (fresh)
            emit frameDrawn();
    }
    mpv_render_context_set_update_callback(render, nullptr, nullptr);
    mpv_render_context_free(render);
    context.doneCurrent();
}
