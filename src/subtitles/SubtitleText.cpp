#include "subtitles/SubtitleText.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr qint64 pieceBytes = 64 * 1024;

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned codes map to themselves.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// How many bytes from the start are whole, valid UTF-8 sequences; -1 at the first invalid one. Unless
// `final`, a sequence cut off at the end is left for the next piece.
qsizetype validUtf8Prefix(QByteArrayView bytes, bool final)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        // Subtitle text is mostly ASCII: step over it eight bytes at a time.
        while (n - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            if (word & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more;
        unsigned int cp;
        if ((c & 0xE0) == 0xC0) {
            more = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3;
            cp = c & 0x07;
        } else {
            return -1;
        }
        if (n - i <= more)
            return final ? -1 : i;
        for (int k = 1; k <= more; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return -1;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        static constexpr unsigned int minimum[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[more] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return -1;
        i += more + 1;
    }
    return n;
}

// Qt's own count is several times slower than this on large texts.
qint64 countIn(QByteArrayView text, QByteArrayView marker)
{
    qint64 count = 0;
    const char *p = text.data();
    const char *const end = p + text.size();
    while (end - p >= marker.size()) {
        p = static_cast<const char *>(std::memchr(p, marker.front(), static_cast<size_t>(end - p)));
        if (!p || end - p < marker.size())
            break;
        if (std::memcmp(p, marker.data(), static_cast<size_t>(marker.size())) == 0) {
            ++count;
            p += marker.size();
        } else {
            ++p;
        }
    }
    return count;
}

bool isUtf16(QByteArrayView head)
{
    return head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF");
}

}  // namespace

SubtitleSource decodeSubtitleBytes(const QByteArray &raw)
{
    SubtitleSource source;
    if (raw.startsWith("\xEF\xBB\xBF")) {
        source.bytes = raw.sliced(3);
        return source;
    }
    if (isUtf16(raw)) {
        QStringDecoder decoder(raw.startsWith('\xFF') ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString text = decoder.decode(QByteArrayView(raw).sliced(2));
        source.bytes = text.toUtf8();
        return source;
    }
    source.bytes = raw;
    if (validUtf8Prefix(raw, true) < 0)
        source.encoding = SubtitleEncoding::Windows1252;
    return source;
}

bool scanSubtitleFile(QFile &file, SubtitleSource &source)
{
    const qint64 size = file.size();
    const QByteArray head = file.read(3);
    if (file.error() != QFileDevice::NoError)
        return false;
    if (isUtf16(head)) {
        const QByteArray raw = head + file.read(std::max<qint64>(size - head.size(), 0));
        source = decodeSubtitleBytes(raw);
        return file.error() == QFileDevice::NoError;
    }
    source = SubtitleSource();
    source.file = file.fileName();
    source.offset = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    source.length = std::max<qint64>(size - source.offset, 0);
    if (source.offset == 3)
        return true;
    if (!file.seek(0))
        return false;
    QByteArray piece;
    qsizetype carried = 0;
    qint64 left = source.length;
    while (left > 0) {
        const qint64 want = std::min(pieceBytes, left);
        piece.resize(carried + want);
        const qint64 got = file.read(piece.data() + carried, want);
        if (got < 0)
            return false;
        // A file that shrank since its size was read ends here.
        left = got == 0 ? 0 : left - got;
        const qsizetype n = carried + got;
        const qsizetype valid = validUtf8Prefix(QByteArrayView(piece.constData(), n), left == 0);
        if (valid < 0) {
            source.encoding = SubtitleEncoding::Windows1252;
            break;
        }
        carried = n - valid;
        std::memmove(piece.data(), piece.constData() + valid, carried);
    }
    return true;
}

QString decodePiece(const SubtitleSource &source, QByteArrayView piece)
{
    if (source.encoding == SubtitleEncoding::Utf8)
        return QString::fromUtf8(piece);
    QString text(piece.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const auto c = static_cast<unsigned char>(piece[i]);
        out[i] = (c >= 0x80 && c < 0xA0) ? QChar(cp1252High[c - 0x80]) : QChar(c);
    }
    return text;
}

bool hasText(const SubtitleSource &source)
{
    LineReader lines(source);
    QByteArrayView line;
    while (lines.next(line)) {
        if (!line.trimmed().isEmpty())
            return true;
    }
    return false;
}

qint64 countInText(const SubtitleSource &source, QByteArrayView marker)
{
    if (marker.isEmpty())
        return 0;
    if (source.file.isEmpty())
        return countIn(source.bytes, marker);
    QFile file(source.file);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !file.seek(source.offset))
        return 0;
    QByteArray piece(pieceBytes, Qt::Uninitialized);
    qint64 count = 0;
    for (qint64 left = source.length; left > 0;) {
        const qint64 got = file.read(piece.data(), std::min(pieceBytes, left));
        if (got <= 0)
            break;
        count += countIn(QByteArrayView(piece.constData(), got), marker);
        left -= got;
    }
    return count;
}

LineReader::LineReader(const SubtitleSource &source)
{
    if (source.file.isEmpty()) {
        buffer_ = source.bytes;
        return;
    }
    file_.setFileName(source.file);
    if (file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered) && file_.seek(source.offset))
        left_ = source.length;
}

bool LineReader::next(QByteArrayView &line)
{
    qsizetype keep = position_;
    qsizetype from = position_;
    qsizetype length = 0;
    int lineEnd = 0;
    if (!find(keep, from, length, lineEnd))
        return false;
    current_ = from;
    currentLength_ = length;
    position_ = from + length + lineEnd;
    line = current();
    return true;
}

bool LineReader::peek(QByteArrayView &line)
{
    qsizetype keep = current_;
    qsizetype from = position_;
    qsizetype length = 0;
    int lineEnd = 0;
    const bool found = find(keep, from, length, lineEnd);
    position_ -= current_ - keep;
    current_ = keep;
    if (found)
        line = QByteArrayView(buffer_.constData() + from, length);
    return found;
}

// Finds the line that starts at `from`: its length and the length of its line end. Reads on from the
// file while the buffer holds no whole line; bytes before `keep` may then be dropped, and `keep` and
// `from` follow the bytes they point at.
bool LineReader::find(qsizetype &keep, qsizetype &from, qsizetype &length, int &lineEnd)
{
    qsizetype scan = from;
    for (;;) {
        const char *data = buffer_.constData();
        const qsizetype size = buffer_.size();
        const qsizetype i = nextBreak(scan);
        // A CR at the end of the buffer may be the first half of a CR LF.
        const bool needMore = left_ > 0 && (i == size || (data[i] == '\r' && i + 1 == size));
        if (!needMore) {
            if (i == size && from >= size)
                return false;
            length = i - from;
            lineEnd = i == size ? 0 : (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') ? 2 : 1;
            return true;
        }
        const qsizetype dropped = fill(keep);
        keep -= dropped;
        from -= dropped;
        scan = i - dropped;
    }
}

// The first CR or LF at or after `from`. Each is searched for once and remembered until passed, so a
// file without any CR is not searched to its end for one at every line.
qsizetype LineReader::nextBreak(qsizetype from)
{
    const char *data = buffer_.constData();
    const qsizetype size = buffer_.size();
    const auto next = [&](qsizetype &known, char c) {
        if (known < from) {
            const void *hit = std::memchr(data + from, c, static_cast<size_t>(size - from));
            known = hit ? static_cast<const char *>(hit) - data : size;
        }
        return known;
    };
    return std::min(next(nextCr_, '\r'), next(nextLf_, '\n'));
}

// Drops the bytes before `keep` and reads the next piece of the file; returns how many were dropped.
qsizetype LineReader::fill(qsizetype keep)
{
    const qsizetype kept = buffer_.size() - keep;
    std::memmove(buffer_.data(), buffer_.constData() + keep, kept);
    const qint64 want = std::min(pieceBytes, left_);
    buffer_.resize(kept + want);
    const qint64 got = file_.read(buffer_.data() + kept, want);
    buffer_.resize(kept + std::max<qint64>(got, 0));
    left_ = got > 0 ? left_ - got : 0;
    nextCr_ = nextLf_ = -1;
    return keep;
}
