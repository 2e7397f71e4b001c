#include "engine/MpvSoftwareRenderer.h"

#include "engine/SoftwareCanvas.h"
#include "engine/VideoOutput.h"

#include <mpv/client.h>
#include <mpv/render.h>

MpvSoftwareRenderer::MpvSoftwareRenderer(mpv_handle *mpv, SoftwareCanvas *canvas) : mpv_(mpv), canvas_(canvas)
{
    mpv_render_param params[]{{MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_SW)},
                              {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_create(&render_, mpv_, params) < 0) {
        render_ = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(render_, onUpdate, this);
    for (auto [name, value] : conversion())
        mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_STRING, &value);
}

void MpvSoftwareRenderer::start()
{
    if (!render_ || thread_.joinable())
        return;
    thread_ = std::thread([this] { run(); });
    // Until now the engine decoded into the null output; the picture can be drawn from here on.
    VideoOutput::switchCore(mpv_, "libmpv");
}

std::span<const std::pair<const char *, const char *>> MpvSoftwareRenderer::conversion()
{
    // libswscale's direct YUV to RGB routines take a third less than zimg's conversion with mpv's
    // repacking after it. "area" averages where the picture shrinks and is bilinear where it grows.
    static constexpr std::pair<const char *, const char *> options[] = {
        {"sws-allow-zimg", "no"}, {"sws-fast", "yes"}, {"sws-scaler", "area"}};
    return options;
}

MpvSoftwareRenderer::~MpvSoftwareRenderer()
{
    if (!render_)
        return;
    if (thread_.joinable()) {
        {
            const std::lock_guard lock(lock_);
            stop_ = true;
        }
        canvas_->stop();
        wake_.notify_one();
        thread_.join();
        // Keep the loaded file playing without a picture once there is nothing to draw in.
        VideoOutput::switchCore(mpv_, "null");
    }
    mpv_render_context_set_update_callback(render_, nullptr, nullptr);
    mpv_render_context_free(render_);
}

void MpvSoftwareRenderer::setShown(bool shown)
{
    {
        const std::lock_guard lock(lock_);
        shown_ = shown;
        reshow_ = reshow_ || shown;
        pending_ = pending_ || shown;
    }
    wake_.notify_one();
}

void MpvSoftwareRenderer::redraw()
{
    {
        const std::lock_guard lock(lock_);
        redraw_ = pending_ = true;
    }
    wake_.notify_one();
}

// Runs on one of mpv's threads: only wakes the render thread.
void MpvSoftwareRenderer::onUpdate(void *self)
{
    auto *r = static_cast<MpvSoftwareRenderer *>(self);
    {
        const std::lock_guard lock(r->lock_);
        r->pending_ = true;
    }
    r->wake_.notify_one();
}

// Nothing shows the picture; the frame is still taken, or the core would wait for it.
void MpvSoftwareRenderer::skip()
{
    int skip = 1;
    mpv_render_param params[]{{MPV_RENDER_PARAM_SKIP_RENDERING, &skip}, {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(render_, params);
}

void MpvSoftwareRenderer::run()
{
    for (;;) {
        std::unique_lock lock(lock_);
        wake_.wait(lock, [this] { return pending_ || stop_; });
        if (stop_)
            return;
        pending_ = false;
        const bool redraw = std::exchange(redraw_, false), reshow = std::exchange(reshow_, false);
        const bool shown = shown_;
        lock.unlock();
        const bool fresh = mpv_render_context_update(render_) & MPV_RENDER_UPDATE_FRAME;
        if (!fresh && !redraw && !reshow)
            continue;
        // Uncovered, the picture is put back as it is: it is drawn again only when something changed.
        if (shown && !fresh && !redraw && canvas_->showAgain())
            continue;
        const SoftwareCanvas::Pixels target = shown ? canvas_->take() : SoftwareCanvas::Pixels();
        if (!target.bits) {
            skip();
            continue;
        }
        int dims[2]{target.size.width(), target.size.height()};
        size_t stride = target.stride;
        mpv_render_param params[]{{MPV_RENDER_PARAM_SW_SIZE, dims},
                                  {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char *>(target.format)},
                                  {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                  {MPV_RENDER_PARAM_SW_POINTER, target.bits},
                                  {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context_render(render_, params);
        canvas_->drawn(fresh);
    }
}
