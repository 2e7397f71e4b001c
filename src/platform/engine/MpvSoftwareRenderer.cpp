#include "engine/MpvSoftwareRenderer.h"

#include "engine/VideoOutput.h"

#include <QPainter>
#include <cstdlib>
#include <mpv/client.h>
#include <mpv/render.h>
#include <utility>

namespace {

// Qt's RGB32 is a 32-bit word 0x??RRGGBB: "bgr0" in memory on a little-endian machine. The painter
// ignores the unused byte.
constexpr const char *kFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "bgr0" : "0rgb";

// mpv converts fastest into rows that start on 64-byte boundaries; Qt's own images align to 4 only.
QImage alignedImage(QSize size)
{
    const qsizetype stride = (qsizetype{size.width()} * 4 + 63) / 64 * 64;
    void *data = std::aligned_alloc(64, static_cast<size_t>(stride * size.height()));
    if (!data)
        return {};
    return QImage(static_cast<uchar *>(data), size.width(), size.height(), stride, QImage::Format_RGB32,
                  [](void *p) { std::free(p); }, data);
}

}  // namespace

MpvSoftwareRenderer::MpvSoftwareRenderer(mpv_handle *mpv, QObject *parent) : QObject(parent), mpv_(mpv)
{
    mpv_render_param params[]{{MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_SW)},
                              {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_create(&render_, mpv_, params) < 0) {
        render_ = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(render_, onUpdate, this);
    // libswscale's direct YUV to RGB routines take a third less than zimg's conversion with mpv's
    // repacking after it. "area" averages where the picture shrinks and is bilinear where it grows.
    const std::pair<const char *, const char *> conversion[] = {
        {"sws-allow-zimg", "no"}, {"sws-fast", "yes"}, {"sws-scaler", "area"}};
    for (auto [name, value] : conversion)
        mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_STRING, &value);
    thread_ = std::thread([this] { run(); });
    // Until now the engine decoded into the null output; the picture can be drawn from here on.
    VideoOutput::switchCore(mpv_, "libmpv");
}

MpvSoftwareRenderer::~MpvSoftwareRenderer()
{
    if (!render_)
        return;
    {
        const std::lock_guard lock(wakeLock_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
    mpv_render_context_set_update_callback(render_, nullptr, nullptr);
    // Keep the loaded file playing without a picture once there is nothing to draw in.
    VideoOutput::switchCore(mpv_, "null");
    mpv_render_context_free(render_);
}

void MpvSoftwareRenderer::setSize(QSize pixels)
{
    {
        const std::lock_guard lock(wakeLock_);
        size_ = pixels;
        redraw_ = pending_ = true;
    }
    wake_.notify_one();
}

// Runs on one of mpv's threads: only wakes the render thread.
void MpvSoftwareRenderer::onUpdate(void *self)
{
    auto *r = static_cast<MpvSoftwareRenderer *>(self);
    {
        const std::lock_guard lock(r->wakeLock_);
        r->pending_ = true;
    }
    r->wake_.notify_one();
}

void MpvSoftwareRenderer::run()
{
    for (;;) {
        bool redraw;
        QSize size;
        {
            std::unique_lock lock(wakeLock_);
            wake_.wait(lock, [this] { return pending_ || stop_; });
            if (stop_)
                return;
            pending_ = false;
            redraw = std::exchange(redraw_, false);
            size = size_;
        }
        const bool fresh = mpv_render_context_update(render_) & MPV_RENDER_UPDATE_FRAME;
        if (!fresh && !redraw)
            continue;
        if (size.isEmpty()) {
            // Nothing shows the picture; the frame is still taken, or the core would wait for it.
            int skip = 1;
            mpv_render_param params[]{{MPV_RENDER_PARAM_SKIP_RENDERING, &skip}, {MPV_RENDER_PARAM_INVALID, nullptr}};
            mpv_render_context_render(render_, params);
            continue;
        }
        if (back_.size() != size)
            back_ = alignedImage(size);
        if (back_.isNull())
            continue;
        int dims[2]{size.width(), size.height()};
        size_t stride = static_cast<size_t>(back_.bytesPerLine());
        mpv_render_param params[]{{MPV_RENDER_PARAM_SW_SIZE, dims},
                                  {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char *>(kFormat)},
                                  {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                  {MPV_RENDER_PARAM_SW_POINTER, back_.bits()},
                                  {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context_render(render_, params);
        {
            const std::lock_guard lock(pictureLock_);
            std::swap(front_, back_);
        }
        emit finished(fresh);
    }
}

void MpvSoftwareRenderer::paint(QPainter &painter, const QRectF &target)
{
    const std::lock_guard lock(pictureLock_);
    if (front_.isNull()) {
        painter.fillRect(target, Qt::black);
        return;
    }
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (QSizeF(front_.size()) == target.size() * ratio) {
        // Pixel for pixel: the painter copies rows instead of scaling.
        front_.setDevicePixelRatio(ratio);
        painter.drawImage(target.topLeft(), front_);
    } else {
        // A picture of the old size until the thread has drawn the new one.
        painter.drawImage(target, front_);
    }
}
