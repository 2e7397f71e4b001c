#include "engine/MpvRasterWindow.h"

#include "engine/LentCanvas.h"
#include "engine/MpvSoftwareRenderer.h"
#include "engine/VideoOutput.h"

#include <QExposeEvent>
#include <QGuiApplication>
#include <QPainter>

namespace {

// A copy of the picture in `image`, whose fourth byte the screen ignores.
QImage copyOf(const QImage &image)
{
    return QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(), QImage::Format_RGB32).copy();
}

}  // namespace

MpvRasterWindow::MpvRasterWindow(mpv_handle *mpv, QWidget *parent)
    : MpvPictureWindow(QSurface::RasterSurface, parent), store_(this),
      growOnly_(QGuiApplication::platformName() == QLatin1String("xcb")),
      canvas_(std::make_unique<LentCanvas>()), renderer_(std::make_unique<MpvSoftwareRenderer>(mpv, canvas_.get()))
{
    connect(canvas_.get(), &LentCanvas::wanted, this, &MpvRasterWindow::lendPicture);
    connect(canvas_.get(), &LentCanvas::finished, this, &MpvRasterWindow::putPicture);
    // A screen of another scale changes the pixels without a resize.
    connect(this, &QWindow::screenChanged, this, [this] {
        if (!lent_)
            fitStore();
        renderer_->redraw();
    });
    renderer_->start();
}

MpvRasterWindow::~MpvRasterWindow() = default;

void MpvRasterWindow::exposeEvent(QExposeEvent *)
{
    renderer_->setShown(isExposed());
}

void MpvRasterWindow::resizeEvent(QResizeEvent *)
{
    // While the renderer draws into the store, the store keeps its size; putPicture() catches up.
    if (!lent_)
        fitStore();
    renderer_->redraw();
}

bool MpvRasterWindow::storeFits() const
{
    const QSize window = size(), store = store_.size();
    return growOnly_ ? window.width() <= store.width() && window.height() <= store.height() : window == store;
}

void MpvRasterWindow::fitStore()
{
    store_.resize(growOnly_ ? store_.size().expandedTo(size()) : size());
    target_ = nullptr;
}

QImage *MpvRasterWindow::drawingTarget()
{
    const QSize pixels = VideoOutput::pixelSize(size(), devicePixelRatio());
    QPaintDevice *device = store_.paintDevice();
    if (device && device->devType() == QInternal::Image) {
        auto *image = static_cast<QImage *>(device);
        // Qt's X11 store keeps even an opaque window's pixels as premultiplied ARGB; a window without
        // alpha shows only their colour bytes, laid out as the renderer's.
        const QImage::Format f = image->format();
        if (f == QImage::Format_RGB32 || (f == QImage::Format_ARGB32_Premultiplied && !format().hasAlpha())) {
            // The window's part of a store that may be larger.
            const QSize part = pixels.boundedTo(image->size());
            view_ = QImage(image->bits(), part.width(), part.height(), image->bytesPerLine(), f);
            return &view_;
        }
    }
    if (own_.size() != pixels)
        own_ = QImage(pixels, QImage::Format_RGB32);
    return &own_;
}

// The renderer has a picture to draw: it draws into the store between beginPaint() and endPaint().
void MpvRasterWindow::lendPicture()
{
    if (lent_ || !isExposed() || size().isEmpty()) {
        canvas_->lend(nullptr);
        return;
    }
    if (!storeFits())
        fitStore();
    drawn_ = QRect(QPoint(), size());
    store_.beginPaint(drawn_);
    target_ = drawingTarget();
    lent_ = canvas_->lend(target_);
    if (!lent_)
        store_.endPaint();
}

void MpvRasterWindow::putPicture(bool newFrame)
{
    if (!lent_)
        return;
    lent_ = false;
    if (target_ == &own_) {
        QPainter painter(store_.paintDevice());
        painter.drawImage(drawn_, own_);
    }
    store_.endPaint();
    store_.flush(drawn_);
    if (keepLast_)
        last_ = copyOf(*target_);
    if (!storeFits()) {
        fitStore();
        renderer_->redraw();
    }
    if (newFrame)
        emit frameDrawn();
}

QImage MpvRasterWindow::grabPicture() const
{
    keepLast_ = true;
    if (lent_ || !target_)
        return last_;
    return copyOf(*target_);
}
