// Where a BMP file's rows start and how many bytes they take, as the decoders read them.
#include "prefs/PictureFile.h"

#include <QBuffer>
#include <QtEndian>
#include <gtest/gtest.h>
#include <limits>

namespace {

// A BMP of 12 x 6 pixels at 24 bits with a 40-byte header: rows of 36 bytes, 216 in all, written
// right after the 54 bytes of headers. `offset` is what the header says of where they start.
QByteArray bmp(quint32 offset, qint32 width = 12, qint32 height = 6, quint16 bits = 24)
{
    QByteArray b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(54 + 216, b.data() + 2);
    qToLittleEndian<quint32>(offset, b.data() + 10);
    qToLittleEndian<quint32>(40, b.data() + 14);
    qToLittleEndian<qint32>(width, b.data() + 18);
    qToLittleEndian<qint32>(height, b.data() + 22);
    qToLittleEndian<quint16>(1, b.data() + 26);
    qToLittleEndian<quint16>(bits, b.data() + 28);
    return b + QByteArray(216, '\x7f');
}

bool whole(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return PictureFile::isWhole(buffer);
}

}  // namespace

TEST(PictureFile, BmpRowsAreCountedFromWhereTheDecoderReadsThem)
{
    const struct {
        const char *what;
        QByteArray bytes;
        bool whole;
    } cases[] = {
        {"rows right after the headers", bmp(54), true},
        {"cut by a byte", bmp(54).chopped(1), false},
        // An offset inside the headers is passed over: the rows still start at byte 54.
        {"an offset inside the headers, cut by a byte", bmp(1).chopped(1), false},
        {"an offset inside the headers", bmp(1), true},
        {"an offset past the end", bmp(100000), false},
        // 2^31 rows of 2^31 x 4 bytes: no 64-bit product holds the size.
        {"sizes past 64 bits", bmp(54, 0x7fffffff, std::numeric_limits<qint32>::min(), 32), false},
        {"no rows", bmp(54, 12, 0), true},
        // 8 bits a pixel: 256 colours of 4 bytes before the rows, wherever the header says they start.
        {"a colour table the offset points into", bmp(54, 36, 6, 8), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(whole(c.bytes), c.whole);
    }
}

// JPEG decoders pass over bytes that are no marker where a marker should be, and show the picture: the
// check follows the same segments to the end of the image.
TEST(PictureFile, JpegSegmentsAreFollowedPastStrayBytes)
{
    const QByteArray start("\xFF\xD8", 2);
    const QByteArray app("\xFF\xE0\x00\x04\x4A\x46", 6);
    const QByteArray scan = QByteArray("\xFF\xDA\x00\x04\x01\x02", 6) + QByteArray("\x12\xFF\x00\x34\xFF\xD3\x56", 7);
    const QByteArray end("\xFF\xD9", 2);
    const struct {
        const char *what;
        QByteArray bytes;
        bool whole;
    } cases[] = {
        {"whole", start + app + scan + end, true},
        {"without its end", start + app + scan, false},
        {"stray bytes after the start", start + "@@@@" + app + scan + end, true},
        {"stray bytes after the start, without its end", start + "@@@@" + app + scan, false},
        {"fill bytes before a marker", start + "\xFF\xFF" + app + scan + end, true},
        {"a segment longer than the file", start + QByteArray("\xFF\xE0\x40\x00", 4), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(whole(c.bytes), c.whole);
    }
}

// Qt's decoder tells a GIF's size from its frames but draws it on the whole screen: they agree only
// when the first frame fills the screen and none reaches past it.
TEST(PictureFile, GifFramesStayInsideTheScreen)
{
    const auto gif = [](quint16 left, quint16 top, quint16 width, quint16 height) {
        QByteArray b("GIF89a", 6);
        b += QByteArray("\x10\x00\x08\x00\x00\x00\x00", 7);  // a screen of 16 x 8, no colour table
        QByteArray descriptor(10, '\0');
        descriptor[0] = 0x2C;
        qToLittleEndian<quint16>(left, descriptor.data() + 1);
        qToLittleEndian<quint16>(top, descriptor.data() + 3);
        qToLittleEndian<quint16>(width, descriptor.data() + 5);
        qToLittleEndian<quint16>(height, descriptor.data() + 7);
        return b + descriptor + QByteArray("\x02\x02\x44\x01\x00\x3B", 6);
    };
    const struct {
        const char *what;
        QByteArray bytes;
        bool whole;
    } cases[] = {
        {"the whole screen", gif(0, 0, 16, 8), true},
        {"a part of it", gif(4, 2, 12, 6), false},
        {"a frame taller than the screen", gif(0, 0, 16, 65288), false},
        {"a screen taller than its frame", gif(0, 0, 16, 4), false},
        {"a frame past its right edge", gif(8, 0, 9, 8), false},
        {"without its trailer", gif(0, 0, 16, 8).chopped(1), true},
        {"without the end of its data", gif(0, 0, 16, 8).chopped(2), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(whole(c.bytes), c.whole);
    }
}
