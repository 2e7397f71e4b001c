#include "prefs/Skins.h"

#include "prefs/PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <algorithm>

namespace Skins {

namespace {

// A picture whose format cannot decode a part is decoded whole, up to this size in memory: 8000 x
// 8000 pixels fit even at 64 bits; a decompression bomb does not.
constexpr qint64 kMaxPictureBytes = 512LL * 1024 * 1024;

}  // namespace

QPixmap builtinPicture()
{
    if (qGuiApp->devicePixelRatio() > 1) {
        QPixmap sharp(QStringLiteral(":/skin/builtin@2x.jpg"));
        sharp.setDevicePixelRatio(2);
        return sharp;
    }
    return QPixmap(QStringLiteral(":/skin/builtin.jpg"));
}

bool isSkinFile(const QString &skinFile)
{
    return skinFile != QLatin1String("NONE") && QFileInfo(skinFile).isFile();
}

Picture read(const QString &file, QSize visible)
{
    // Raised once from Qt's 256 MB, which refuses an 8000 x 8000 picture in a format decoded whole.
    static const bool limitRaised = [] {
        QImageReader::setAllocationLimit(int(kMaxPictureBytes / (1024 * 1024)) + 1);
        return true;
    }();
    (void)limitRaised;
    Picture picture;
    QFile device(file);
    if (!device.open(QIODevice::ReadOnly)) {
        picture.error = device.errorString();
        return picture;
    }
    if (!PictureFile::isWhole(device) || device.error() != QFileDevice::NoError || !device.seek(0)) {
        picture.error = QStringLiteral("The picture file is incomplete or damaged.");
        return picture;
    }
    QImageReader reader(&device);
    const QSize full = reader.size();
    if (full.isValid()) {
        const int bits = std::max<int>(32, QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel());
        if (qint64(full.width()) * full.height() * bits / 8 > kMaxPictureBytes) {
            picture.error = QStringLiteral("The picture is too large: %1 x %2 pixels.").arg(full.width()).arg(full.height());
            return picture;
        }
        // Formats that can decode a part decode only what the panel shows; the others are cut after.
        reader.setClipRect(QRect(QPoint(0, 0), full.boundedTo(visible)));
    }
    // A decoder that stopped at a read error still hands out the picture it has: it is not taken.
    if (!reader.read(&picture.image) || device.error() != QFileDevice::NoError) {
        picture.error = device.error() != QFileDevice::NoError ? device.errorString() : reader.errorString();
        picture.image = QImage();
    }
    return picture;
}

}  // namespace Skins
