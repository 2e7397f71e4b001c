#include "engine/XcbCanvas.h"

#include "engine/XcbPixelFormat.h"

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
// Last: its macros would clash with Qt's names.
#include <X11/Xlib.h>

namespace {

// Longer than this and the server is too busy to show the frame in time: it is taken without drawing.
constexpr int kServerWaitMs = 100;

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> reply(T *r)
{
    return Reply<T>(r, &std::free);
}

// The window's depth and visual as the pixel format rule reads them; nullopt where the server does not
// describe them.
std::optional<XcbPixelFormat::Visual> visualOf(xcb_connection_t *c, xcb_window_t window)
{
    const auto geometry = reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    const auto attributes = reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    if (!geometry || !attributes)
        return std::nullopt;
    const xcb_setup_t *setup = xcb_get_setup(c);
    XcbPixelFormat::Visual v;
    v.depth = geometry->depth;
    v.lsbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
        if (f.data->depth == geometry->depth)
            v.bitsPerPixel = f.data->bits_per_pixel;
    }
    for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s)) {
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d)) {
            for (auto t = xcb_depth_visuals_iterator(d.data); t.rem; xcb_visualtype_next(&t)) {
                if (t.data->visual_id != attributes->visual || t.data->_class != XCB_VISUAL_CLASS_TRUE_COLOR)
                    continue;
                v.red = t.data->red_mask;
                v.green = t.data->green_mask;
                v.blue = t.data->blue_mask;
                return v;
            }
        }
    }
    return std::nullopt;
}

// Qt's name of libmpv's layout, as far as the pictures handed out need one.
QImage::Format qtFormat(const char *mpv)
{
    const QByteArray name(mpv);
    if (name == (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "bgr0" : "0rgb"))
        return QImage::Format_RGB32;
    return name == "rgb0" ? QImage::Format_RGBX8888 : QImage::Format_Invalid;
}

}  // namespace

// Memory the server maps too, handed over as a file descriptor.
struct XcbCanvas::Segment {
    xcb_connection_t *connection = nullptr;
    xcb_shm_seg_t id = 0;
    unsigned char *bits = nullptr;
    size_t bytes = 0;

    // `checked`: waits for the server's answer, null when it could not map the memory.
    static std::unique_ptr<Segment> make(xcb_connection_t *c, size_t bytes, bool checked)
    {
        const int fd = memfd_create("vistrel-picture", MFD_CLOEXEC);
        if (fd < 0)
            return nullptr;
        void *bits = ftruncate(fd, static_cast<off_t>(bytes)) == 0
                         ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                         : MAP_FAILED;
        if (bits == MAP_FAILED) {
            close(fd);
            return nullptr;
        }
        auto s = std::make_unique<Segment>();
        s->connection = c;
        s->bits = static_cast<unsigned char *>(bits);
        s->bytes = bytes;
        const xcb_shm_seg_t id = xcb_generate_id(c);
        // The connection closes the descriptor once it is sent.
        if (!checked) {
            xcb_shm_attach_fd(c, id, fd, 0);
        } else if (xcb_generic_error_t *error = xcb_request_check(c, xcb_shm_attach_fd_checked(c, id, fd, 0))) {
            std::free(error);
            return nullptr;
        }
        s->id = id;
        return s;
    }

    ~Segment()
    {
        if (id)
            xcb_shm_detach(connection, id);
        munmap(bits, bytes);
    }
};

std::unique_ptr<XcbCanvas> XcbCanvas::open(QWindow *window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return nullptr;
    // The display Qt itself was told to use.
    xcb_connection_t *c = xcb_connect(x11->display() ? XDisplayString(x11->display()) : nullptr, nullptr);
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(c, &xcb_disconnect);
    if (xcb_connection_has_error(c))
        return nullptr;
    const xcb_query_extension_reply_t *shm = xcb_get_extension_data(c, &xcb_shm_id);
    if (!shm || !shm->present)
        return nullptr;
    // Version 1.2 takes the memory as a file descriptor.
    const auto version = reply(xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr));
    if (!version || version->major_version < 1 || (version->major_version == 1 && version->minor_version < 2))
        return nullptr;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const std::optional<XcbPixelFormat::Visual> visual = visualOf(c, id);
    const char *format = visual ? XcbPixelFormat::mpvFormat(*visual) : nullptr;
    if (!format || qtFormat(format) == QImage::Format_Invalid)
        return nullptr;
    std::unique_ptr<XcbCanvas> canvas(new XcbCanvas(connection.release(), id, format, visual->depth));
    canvas->completion_ = shm->first_event + XCB_SHM_COMPLETION;
    // A server on another machine cannot map our memory: found out here, once.
    canvas->memory_ = Segment::make(c, 4096, true);
    if (!canvas->memory_ || canvas->wake_ < 0)
        return nullptr;
    return canvas;
}

XcbCanvas::XcbCanvas(xcb_connection_t *connection, quint32 window, const char *format, int depth)
    : connection_(connection), format_(format), depth_(depth), wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      window_(window)
{
    gc_ = xcb_generate_id(connection_);
    const uint32_t noExposures = 0;
    xcb_create_gc(connection_, gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
}

XcbCanvas::~XcbCanvas()
{
    memory_.reset();
    xcb_free_gc(connection_, gc_);
    xcb_disconnect(connection_);
    if (wake_ >= 0)
        close(wake_);
}

void XcbCanvas::setWindow(quint32 window)
{
    const std::lock_guard lock(lock_);
    window_ = window;
}

void XcbCanvas::setSize(QSize pixels)
{
    const std::lock_guard lock(lock_);
    size_ = pixels;
}

QImage XcbCanvas::lastPicture() const
{
    const std::lock_guard drawing(drawing_);
    QSize size;
    {
        const std::lock_guard lock(lock_);
        size = drawn_;
    }
    if (size.isEmpty())
        return {};
    return QImage(memory_->bits, size.width(), size.height(), size.width() * 4, qtFormat(format_)).copy();
}

SoftwareCanvas::Pixels XcbCanvas::take()
{
    // The server may still be reading the last picture out of the memory.
    if (!waitForServer())
        return {};
    QSize size;
    {
        const std::lock_guard lock(lock_);
        if (stopped_ || !window_)
            return {};
        size = size_;
    }
    if (size.isEmpty())
        return {};
    const size_t stride = static_cast<size_t>(size.width()) * 4;
    drawing_.lock();
    if (!ensureMemory(stride * static_cast<size_t>(size.height()))) {
        drawing_.unlock();
        return {};
    }
    {
        const std::lock_guard lock(lock_);
        drawn_ = size;
    }
    return {memory_->bits, stride, size, format_};
}

void XcbCanvas::drawn(bool newFrame)
{
    QSize size;
    {
        const std::lock_guard lock(lock_);
        size = drawn_;
    }
    put(size);
    drawing_.unlock();
    if (newFrame)
        emit frameShown();
}

bool XcbCanvas::showAgain()
{
    QSize size;
    {
        const std::lock_guard lock(lock_);
        if (stopped_ || drawn_.isEmpty() || drawn_ != size_)
            return false;
        size = drawn_;
    }
    // The server only reads the memory, however many times it is put.
    put(size);
    return true;
}

void XcbCanvas::stop()
{
    {
        const std::lock_guard lock(lock_);
        stopped_ = true;
    }
    // The descriptor stays readable: every later wait for the server ends at once too.
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wake_, &one, sizeof one);
}

// Grows only: a window zoomed back and forth keeps one piece of memory, that of its largest picture.
bool XcbCanvas::ensureMemory(size_t bytes)
{
    if (memory_ && memory_->bytes >= bytes)
        return true;
    memory_.reset();
    {
        const std::lock_guard lock(lock_);
        drawn_ = QSize();
    }
    memory_ = Segment::make(connection_, bytes, false);
    return memory_ != nullptr;
}

void XcbCanvas::put(QSize size)
{
    // Under the lock: once setWindow() has taken a window away, nothing more is put on it.
    const std::lock_guard lock(lock_);
    if (!window_ || !memory_)
        return;
    const auto w = static_cast<uint16_t>(size.width()), h = static_cast<uint16_t>(size.height());
    xcb_shm_put_image(connection_, window_, gc_, w, h, 0, 0, w, h, 0, 0, static_cast<uint8_t>(depth_),
                      XCB_IMAGE_FORMAT_Z_PIXMAP, 1, memory_->id, 0);
    xcb_flush(connection_);
    ++unread_;
}

// False when the server has not read every picture put within kServerWaitMs, or stop() was called.
bool XcbCanvas::waitForServer()
{
    while (unread_ > 0) {
        if (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
            // A put either completes or fails (its window went): either way the server is done with it.
            const int type = event->response_type & 0x7f;
            if (type == completion_ || type == 0)
                unread_ = std::max(0, unread_ - 1);
            std::free(event);
            continue;
        }
        if (xcb_connection_has_error(connection_))
            return false;
        pollfd fds[]{{xcb_get_file_descriptor(connection_), POLLIN, 0}, {wake_, POLLIN, 0}};
        if (poll(fds, 2, kServerWaitMs) <= 0 || fds[1].revents)
            return false;
    }
    return true;
}
