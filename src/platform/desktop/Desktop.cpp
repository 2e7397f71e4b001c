#include "desktop/Desktop.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cmath>

static QScreen *primary()
{
    return QGuiApplication::primaryScreen();
}

QtDesktop::QtDesktop()
{
    // 1440 twips per inch; an ordinary 96 dpi screen gives 15.
    if (QScreen *s = primary()) {
        const double dpiX = s->logicalDotsPerInchX();
        const double dpiY = s->logicalDotsPerInchY();
        if (dpiX > 0)
            tppX_ = std::max(1, static_cast<int>(std::nearbyint(1440.0 / dpiX)));
        if (dpiY > 0)
            tppY_ = std::max(1, static_cast<int>(std::nearbyint(1440.0 / dpiY)));
    }
}

int QtDesktop::screenWidth() const
{
    QScreen *s = primary();
    return s ? s->geometry().width() * tppX_ : 1024 * tppX_;
}

int QtDesktop::screenHeight() const
{
    QScreen *s = primary();
    return s ? s->geometry().height() * tppY_ : 768 * tppY_;
}

QList<QRect> QtDesktop::screenAreas() const
{
    QList<QRect> areas;
    if (QScreen *p = primary())
        areas << p->geometry();
    for (QScreen *s : QGuiApplication::screens()) {
        if (s != primary())
            areas << s->geometry();
    }
    return areas;
}

bool QtDesktop::hideTaskbar()
{
    if (!video_)
        return false;
    video_->setWindowState(video_->windowState() | Qt::WindowFullScreen);
    return true;
}

bool QtDesktop::showTaskbar()
{
    if (!video_)
        return false;
    if (video_->windowState() & Qt::WindowFullScreen)
        video_->setWindowState(video_->windowState() & ~Qt::WindowFullScreen);
    return true;
}

bool QtDesktop::startSystemMove(QWidget *window)
{
    QWindow *handle = window ? window->window()->windowHandle() : nullptr;
    return handle && handle->startSystemMove();
}

std::optional<QRgb> QtDesktop::screenPixel(int xPx, int yPx)
{
    QScreen *s = primary();
    if (!s)
        return std::nullopt;
    const QPixmap shot = s->grabWindow(0, xPx, yPx, 1, 1);
    if (shot.isNull())
        return std::nullopt;
    const QImage img = shot.toImage();
    if (img.isNull() || img.width() < 1 || img.height() < 1)
        return std::nullopt;
    return img.pixel(0, 0);
}
