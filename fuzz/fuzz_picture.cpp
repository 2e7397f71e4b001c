// The skin picture check against Qt's own decoders, on any bytes and on a cut of them: a cut the check
// calls whole shows the same picture, of the same size, as the whole file, so a picture the check
// passes has lost nothing. Pictures are decoded only up to the bound the skins keep to.
#include "fuzz_check.h"
#include "prefs/PictureFile.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <cstdint>

namespace {

// Far larger than a panel, small enough to decode thousands of times a second.
constexpr qint64 kMaxPixels = 1024 * 1024;

bool whole(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return PictureFile::isWhole(buffer);
}

// Qt's picture of the bytes, null when Qt cannot decode it or it is past the bound.
QImage decoded(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxPixels)
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    PROPERTY(image.size() == size);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (!whole(raw))
        return 0;
    const QImage full = decoded(raw);
    if (full.isNull())
        return 0;
    // The last byte picks a second place to cut, so the fuzzer can steer it.
    const qsizetype chosen = size > 0 ? qsizetype(size) * static_cast<unsigned char>(raw.back()) / 256 : 0;
    for (qsizetype cut : {qsizetype(size) - 1, chosen}) {
        const QByteArray part = raw.left(cut);
        if (cut >= raw.size() || !whole(part))
            continue;
        // Where Qt cannot decode the cut, the skin says so itself; a different picture would be a loss
        // nobody is told of.
        const QImage shown = decoded(part);
        PROPERTY(shown.isNull() || shown == full);
    }
    return 0;
}
