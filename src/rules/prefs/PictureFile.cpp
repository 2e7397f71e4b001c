#include "prefs/PictureFile.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace PictureFile {

namespace {

std::uint32_t bigEndian(const QByteArray &b, int at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::uint32_t littleEndian(const QByteArray &b, int at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

// Moves `by` bytes on; false when that passes the end of the file.
bool skip(QIODevice &file, qint64 by)
{
    const qint64 to = file.pos() + by;
    return by >= 0 && to <= file.size() && file.seek(to);
}

// Chunks of length, type, data and checksum up to the closing IEND chunk.
bool pngWhole(QIODevice &file)
{
    if (!file.seek(8))
        return false;
    for (;;) {
        const QByteArray head = file.read(8);
        if (head.size() < 8)
            return false;
        if (head.sliced(4) == "IEND")
            return skip(file, 4);
        if (!skip(file, qint64(bigEndian(head, 0, 4)) + 4))
            return false;
    }
}

// Data sub-blocks, each a length byte and that many bytes, up to an empty one.
bool gifSubBlocks(QIODevice &file)
{
    for (;;) {
        char n = 0;
        if (!file.getChar(&n))
            return false;
        if (n == 0)
            return true;
        if (!skip(file, static_cast<unsigned char>(n)))
            return false;
    }
}

// Header, screen descriptor and colour table, then extensions and images up to the trailer; the
// first image fills the screen and none reaches past it.
bool gifWhole(QIODevice &file)
{
    const QByteArray head = file.read(13);
    if (head.size() < 13)
        return false;
    const std::uint32_t screenWidth = littleEndian(head, 6, 2);
    const std::uint32_t screenHeight = littleEndian(head, 8, 2);
    const auto flags = static_cast<unsigned char>(head[10]);
    if ((flags & 0x80) && !skip(file, 3 << ((flags & 7) + 1)))
        return false;
    bool pictures = false;
    for (;;) {
        char block = 0;
        if (!file.getChar(&block))
            return pictures;
        switch (static_cast<unsigned char>(block)) {
        case 0x3B:
            return true;
        case 0x21:
            if (!skip(file, 1) || !gifSubBlocks(file))
                return false;
            break;
        case 0x2C: {
            const QByteArray descriptor = file.read(9);
            if (descriptor.size() < 9)
                return false;
            // The decoder draws on the whole screen, grown to take in a frame past it, but tells the
            // size of the frames: the two agree, and the picture's memory is judged by its true size,
            // only when the first frame fills the screen and no frame reaches past it.
            const std::uint32_t left = littleEndian(descriptor, 0, 2), top = littleEndian(descriptor, 2, 2);
            const std::uint32_t width = littleEndian(descriptor, 4, 2), height = littleEndian(descriptor, 6, 2);
            if (left + width > screenWidth || top + height > screenHeight)
                return false;
            if (!pictures && (width != screenWidth || height != screenHeight))
                return false;
            const auto local = static_cast<unsigned char>(descriptor[8]);
            if ((local & 0x80) && !skip(file, 3 << ((local & 7) + 1)))
                return false;
            // The code size byte, then the picture's data.
            if (!skip(file, 1) || !gifSubBlocks(file))
                return false;
            pictures = true;
            break;
        }
        default:
            return false;
        }
    }
}

// Enough bytes for every row, or for the compressed data's size, from where the rows start: the
// offset the header names, but never inside the headers and the colour table, where no decoder looks
// for them.
bool bmpWhole(QIODevice &file)
{
    const QByteArray head = file.read(50);
    if (head.size() < 26)
        return false;
    const qint64 offset = littleEndian(head, 10, 4);
    const qint64 headerSize = littleEndian(head, 14, 4);
    qint64 width = 0, height = 0, bits = 0, compression = 0, imageSize = 0, colours = 0, entryBytes = 4;
    if (headerSize == 12) {
        width = littleEndian(head, 18, 2);
        height = littleEndian(head, 20, 2);
        bits = littleEndian(head, 24, 2);
        entryBytes = 3;
    } else {
        if (head.size() < 50)
            return false;
        width = static_cast<std::int32_t>(littleEndian(head, 18, 4));
        height = static_cast<std::int32_t>(littleEndian(head, 22, 4));
        bits = littleEndian(head, 28, 2);
        compression = littleEndian(head, 30, 4);
        imageSize = littleEndian(head, 34, 4);
        colours = littleEndian(head, 46, 4);
    }
    qint64 tables = 0;
    if (bits <= 8)
        tables = (colours > 0 ? colours : qint64(1) << bits) * entryBytes;
    else if (headerSize == 40 && compression == 3 && (bits == 16 || bits == 32))
        tables = 12;  // the three colour masks
    const qint64 start = std::max(offset, 14 + headerSize + tables);
    if (start > file.size())
        return false;
    const qint64 room = file.size() - start;
    if (compression == 1 || compression == 2)
        return room >= imageSize;
    if (compression != 0 && compression != 3 && compression != 6)
        return true;
    const qint64 rowBytes = (std::abs(width) * bits + 31) / 32 * 4;
    const qint64 rows = std::abs(height);
    // Compared by division: rows times row bytes can pass 64 bits.
    return rows == 0 || rowBytes == 0 || rowBytes <= room / rows;
}

// In entropy-coded data: the marker after it, passing over stuffed zero bytes and restart markers;
// 0 at the end of the file.
unsigned char nextJpegMarker(QIODevice &file)
{
    char buffer[64 * 1024];
    bool afterFF = false;
    for (;;) {
        const qint64 n = file.read(buffer, sizeof buffer);
        if (n <= 0)
            return 0;
        for (qint64 i = 0; i < n; ++i) {
            const auto b = static_cast<unsigned char>(buffer[i]);
            if (afterFF && b != 0 && b != 0xFF && (b < 0xD0 || b > 0xD7)) {
                file.seek(file.pos() - n + i + 1);
                return b;
            }
            afterFF = b == 0xFF;
        }
    }
}

// Between segments, as JPEG decoders find the next marker: any other bytes passed over, then 0xFF,
// any fill bytes 0xFF and the marker's code (0xFF 0x00 is no marker); 0 when the file ends first.
unsigned char segmentMarker(QIODevice &file)
{
    char c = 0;
    for (;;) {
        do {
            if (!file.getChar(&c))
                return 0;
        } while (static_cast<unsigned char>(c) != 0xFF);
        do {
            if (!file.getChar(&c))
                return 0;
        } while (static_cast<unsigned char>(c) == 0xFF);
        if (c != 0)
            return static_cast<unsigned char>(c);
    }
}

// Segments up to the end-of-image marker; a scan's data runs to the next marker.
bool jpegWhole(QIODevice &file)
{
    if (!file.seek(2))
        return false;
    unsigned char marker = segmentMarker(file);
    for (;;) {
        if (marker == 0)
            return false;
        if (marker == 0xD9)
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            marker = segmentMarker(file);
            continue;
        }
        const QByteArray length = file.read(2);
        if (length.size() < 2 || !skip(file, qint64(bigEndian(length, 0, 2)) - 2))
            return false;
        marker = marker == 0xDA ? nextJpegMarker(file) : segmentMarker(file);
    }
}

}  // namespace

bool isWhole(QIODevice &file)
{
    if (!file.seek(0))
        return false;
    const QByteArray magic = file.peek(8);
    if (magic.startsWith("\x89PNG\r\n\x1A\n"))
        return pngWhole(file);
    if (magic.startsWith("GIF87a") || magic.startsWith("GIF89a"))
        return gifWhole(file);
    if (magic.startsWith("BM"))
        return bmpWhole(file);
    if (magic.startsWith("\xFF\xD8"))
        return jpegWhole(file);
    return true;
}

}  // namespace PictureFile
