#pragma once
// What the end-to-end tests read off the real windows: drops of files onto a control, and the test
// clip's picture (its coloured quarters and the frame number it carries in its top strip).
#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace RealPicture {

inline const QString clip25 = QStringLiteral(VISTREL_MEDIA_DIR "/clip25.mp4");

// A real Qt drag entering the control and dropping `paths` on its centre.
inline void dropFiles(QWidget *target, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    const QPointF at = QRectF(target->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

// The clip's quarters by their strongest channels: "red", "green", "blue", "yellow" or "other".
inline QString colourName(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 160 && g > 160 && b < 100)
        return QStringLiteral("yellow");
    if (r > 160 && g < 100 && b < 100)
        return QStringLiteral("red");
    if (g > 160 && r < 100 && b < 100)
        return QStringLiteral("green");
    if (b > 160 && r < 100 && g < 100)
        return QStringLiteral("blue");
    return QStringLiteral("other");
}

// True when `picture` shows the whole clip: its four quarters where the clip has them.
inline bool showsClipQuarters(const QImage &picture)
{
    if (picture.isNull())
        return false;
    const int w = picture.width(), h = picture.height();
    return colourName(picture.pixel(w / 4, h * 2 / 5)) == QLatin1String("red")
           && colourName(picture.pixel(w * 3 / 4, h * 2 / 5)) == QLatin1String("green")
           && colourName(picture.pixel(w / 4, h * 4 / 5)) == QLatin1String("blue")
           && colourName(picture.pixel(w * 3 / 4, h * 4 / 5)) == QLatin1String("yellow");
}

// The frame number carried by the clip's top strip: ten blocks across the width, block i white when
// bit i is set. The picture may be scaled; the strip is the top sixth.
inline int frameNumber(const QImage &picture)
{
    if (picture.isNull())
        return -1;
    int n = 0;
    const int y = picture.height() / 12;
    for (int i = 0; i < 10; ++i) {
        const QRgb c = picture.pixel(picture.width() * (2 * i + 1) / 20, y);
        if (qGray(c) > 128)
            n |= 1 << i;
    }
    return n;
}

}  // namespace RealPicture
