#include "subtitles/SubtitleText.h"

#include "subtitles/SubtitleEncoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

constexpr qint64 pieceBytes = 64 * 1024;

// Lines of a file that is not UTF-8 are sampled for its code page, from the first line that is not
// ASCII on and at most this far: enough for the detector, and a few milliseconds on any file.
constexpr qsizetype sampleBytes = 4 * 1024;
constexpr qint64 sampleSpan = 1024 * 1024;

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

// This much of a file's start tells UTF-16 without a byte-order mark by its zero bytes.
constexpr qsizetype utf16Probe = 4096;

// UTF-16 with a byte-order mark, or without one when most code units of the file's start have a
// zero high byte (timings, digits and Latin text) on one side and almost none on the other.
std::optional<QStringConverter::Encoding> utf16In(QByteArrayView head)
{
    if (head.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (head.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    const qsizetype units = std::min(head.size(), utf16Probe) / 2;
    qsizetype evenZeros = 0, oddZeros = 0;
    for (qsizetype i = 0; i < units; ++i) {
        evenZeros += head[2 * i] == 0;
        oddZeros += head[2 * i + 1] == 0;
    }
    if (units >= 2 && oddZeros * 2 > units && evenZeros * 8 < oddZeros)
        return QStringConverter::Utf16LE;
    if (units >= 2 && evenZeros * 2 > units && oddZeros * 8 < evenZeros)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// Where the first byte above 0x7F stands, or the size when there is none.
qsizetype firstHighByte(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    qsizetype i = 0;
    for (; bytes.size() - i >= 8; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < bytes.size() && p[i] < 0x80)
        ++i;
    return i;
}

// The text is not UTF-8: its code page is chosen from its lines from `from` on (the first that is not
// ASCII). A multibyte code page turns the whole text into UTF-8 in memory.
bool settleCodePage(SubtitleSource &source, qint64 from)
{
    SubtitleSource rest = source;
    if (source.file.isEmpty()) {
        rest.bytes = source.bytes.sliced(from);
    } else {
        rest.offset += from;
        rest.length -= from;
    }
    QByteArray sample;
    LineReader lines(rest);
    QByteArrayView line;
    qint64 seen = 0;
    while (seen < sampleSpan && lines.next(line) && sampleLine(line, sample, sampleBytes))
        seen += line.size() + 1;
    const CodePage codePage = chooseCodePage(sample);
    if (!codePage.table.isEmpty()) {
        source.codePage = codePage.table;
        return true;
    }
    if (!source.file.isEmpty()) {
        QFile file(source.file);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(source.offset))
            return false;
        source.bytes = file.read(source.length);
        if (file.error() != QFileDevice::NoError)
            return false;
        source.file.clear();
    }
    source.bytes = toUtf8(source.bytes, codePage.name);
    return true;
}

}  // namespace

SubtitleSource decodeSubtitleBytes(const QByteArray &raw)
{
    SubtitleSource source;
    if (raw.startsWith("\xEF\xBB\xBF")) {
        source.bytes = raw.sliced(3);
        return source;
    }
    if (const auto utf16 = utf16In(raw)) {
        QStringDecoder decoder(*utf16);
        // The decoder drops a byte-order mark itself.
        const QString text = decoder.decode(raw);
        source.bytes = text.toUtf8();
        return source;
    }
    source.bytes = raw;
    if (validUtf8Prefix(raw, true) < 0)
        settleCodePage(source, firstHighByte(raw));
    return source;
}

bool scanSubtitleFile(QFile &file, SubtitleSource &source)
{
    const qint64 size = file.size();
    const QByteArray head = file.read(utf16Probe);
    if (file.error() != QFileDevice::NoError)
        return false;
    if (utf16In(head)) {
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
    qint64 firstHigh = -1;
    qint64 done = 0;
    while (left > 0) {
        const qint64 want = std::min(pieceBytes, left);
        piece.resize(carried + want);
        const qint64 got = file.read(piece.data() + carried, want);
        if (got < 0)
            return false;
        // A file that shrank since its size was read ends here.
        left = got == 0 ? 0 : left - got;
        done += got;
        const qsizetype n = carried + got;
        if (firstHigh < 0) {
            const qsizetype high = firstHighByte(QByteArrayView(piece.constData(), n));
            if (high < n)
                firstHigh = done - n + high;
        }
        const qsizetype valid = validUtf8Prefix(QByteArrayView(piece.constData(), n), left == 0);
        if (valid < 0)
            return settleCodePage(source, firstHigh);
        carried = n - valid;
        std::memmove(piece.data(), piece.constData() + valid, carried);
    }
    return true;
}

QString decodePiece(const SubtitleSource &source, QByteArrayView piece)
{
    // Plain ASCII, most of many a file, is widened at once in either case.
    if (firstHighByte(piece) == piece.size())
        return QString::fromLatin1(piece);
    if (source.codePage.isEmpty())
        return QString::fromUtf8(piece);
    // A file hand-edited in two encodings: each of the piece's lines (joined by CR) that is valid
    // UTF-8 is read as such, the others in the code page.
    QString text;
    text.reserve(piece.size());
    const QChar *table = source.codePage.constData();
    for (qsizetype start = 0; start <= piece.size();) {
        qsizetype end = piece.indexOf('\r', start);
        if (end < 0)
            end = piece.size();
        const QByteArrayView line = piece.sliced(start, end - start);
        if (validUtf8Prefix(line, true) == line.size()) {
            text += QString::fromUtf8(line);
        } else {
            for (char c : line)
                text += table[static_cast<unsigned char>(c)];
        }
        if (end < piece.size())
            text += u'\r';
        start = end + 1;
    }
    return text;
}

bool hasText(const SubtitleSource &source)
{
    LineReader lines(source);
    QByteArrayView line;
    while (lines.next(line)) {
        if (!trimmedText(line).isEmpty())
            return true;
    }
    return false;
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
    const char *const data = buffer_.constData();
    const qsizetype i = nextBreak(position_);
    // Most lines stand whole in the buffer with their line end, of which a CR needs the byte after it.
    if (i + 1 < buffer_.size()) {
        current_ = position_;
        currentLength_ = i - position_;
        position_ = i + (data[i] == '\r' && data[i + 1] == '\n' ? 2 : 1);
        line = current();
        return true;
    }
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

// The first CR or LF at or after `from`, eight bytes at a time: one pass for both, where two searches
// would each look at every line.
qsizetype LineReader::nextBreak(qsizetype from)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highs = 0x8080808080808080ULL;
    const char *const data = buffer_.constData();
    const qsizetype size = buffer_.size();
    qsizetype i = from;
    for (; size - i >= 8; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        const std::uint64_t cr = word ^ (ones * '\r');
        const std::uint64_t lf = word ^ (ones * '\n');
        // A byte that is zero after the xor is a hit; the lowest flag always marks a true one.
        const std::uint64_t hits = (((cr - ones) & ~cr) | ((lf - ones) & ~lf)) & highs;
        if (hits)
            return i + std::countr_zero(hits) / 8;
    }
    while (i < size && data[i] != '\r' && data[i] != '\n')
        ++i;
    return i;
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
    return keep;
}
