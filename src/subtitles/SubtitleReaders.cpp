#include "subtitles/SubtitleReaders.h"

#include "platform/basic_numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

// A user hands us subtitle files of a few hundred kilobytes; anything past this is not one.
constexpr qint64 maxFileBytes = 64 * 1024 * 1024;

bool isBlank(QByteArrayView line)
{
    return line.trimmed().isEmpty();
}

// Digits only, at most `maxDigits` of them.
std::optional<long long> wholeField(QByteArrayView field, qsizetype maxDigits)
{
    if (field.isEmpty() || field.size() > maxDigits)
        return std::nullopt;
    long long v = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

// H:MM:SS with an optional fraction after one of the allowed decimal marks, in seconds.
// Searches go through std::string_view: two timing lines a block make Qt's general search the
// larger part of a big file's load.
std::optional<double> clockTime(QByteArrayView text, std::string_view decimalMarks)
{
    const std::string_view chars(text.data(), static_cast<size_t>(text.size()));
    const auto c1 = static_cast<qsizetype>(chars.find(':'));
    if (c1 < 0)
        return std::nullopt;
    const auto c2 = static_cast<qsizetype>(chars.find(':', static_cast<size_t>(c1) + 1));
    if (c2 < 0)
        return std::nullopt;
    QByteArrayView secondsPart = text.sliced(c2 + 1);
    QByteArrayView fraction;
    for (qsizetype i = 0; i < secondsPart.size(); ++i) {
        if (decimalMarks.find(secondsPart[i]) != std::string_view::npos) {
            fraction = secondsPart.sliced(i + 1);
            secondsPart = secondsPart.first(i);
            if (fraction.isEmpty())
                return std::nullopt;
            break;
        }
    }
    const auto h = wholeField(text.first(c1), 6);
    const auto m = wholeField(text.sliced(c1 + 1, c2 - c1 - 1), 2);
    const auto s = wholeField(secondsPart, 2);
    if (!h || !m || !s)
        return std::nullopt;
    double seconds = double(*h) * 3600 + double(*m) * 60 + double(*s);
    if (!fraction.isEmpty()) {
        const auto f = wholeField(fraction, 9);
        if (!f)
            return std::nullopt;
        double scale = 1;
        for (qsizetype i = 0; i < fraction.size(); ++i)
            scale *= 10;
        seconds += double(*f) / scale;
    }
    return seconds;
}

struct Timing {
    double start;
    double end;
};

// "HH:MM:SS,mmm --> HH:MM:SS,mmm", blanks around the fields allowed and anything after the end
// time (position tags) ignored.
std::optional<Timing> subRipTiming(QByteArrayView line)
{
    const auto arrow = static_cast<qsizetype>(std::string_view(line.data(), line.size()).find("-->"));
    if (arrow < 0)
        return std::nullopt;
    QByteArrayView right = line.sliced(arrow + 3).trimmed();
    qsizetype endLen = 0;
    while (endLen < right.size() && right[endLen] != ' ' && right[endLen] != '\t')
        ++endLen;
    const auto start = clockTime(line.first(arrow).trimmed(), ",.");
    const auto end = clockTime(right.first(endLen), ",.");
    if (!start || !end)
        return std::nullopt;
    return Timing{*start, *end};
}

// "HH:MM:SS.cc,HH:MM:SS.cc".
std::optional<Timing> subViewerTiming(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return std::nullopt;
    const auto start = clockTime(line.first(comma).trimmed(), ".");
    const auto end = clockTime(line.sliced(comma + 1).trimmed(), ".");
    if (!start || !end)
        return std::nullopt;
    return Timing{*start, *end};
}

bool isNumberLine(QByteArrayView line)
{
    return wholeField(line.trimmed(), 9).has_value();
}

// Room for about as many entries as the text has markers, never more than entries of `minimumBytes`
// could fill: growing the lists one entry at a time costs a large file much of its load time.
void reserveFor(const SubtitleSource &source, QByteArrayView marker, qint64 minimumBytes, SubtitleTable &table)
{
    const qint64 bytes = source.file.isEmpty() ? source.bytes.size() : source.length;
    // The end sentinel follows the file's entries.
    table.reserve(std::min(countInText(source, marker), bytes / minimumBytes) + 1);
}

double toFrame(double seconds, double fps)
{
    return basic_numbers::roundEven(seconds * fps);
}

}  // namespace

std::optional<int> detectFormat(const SubtitleSource &source)
{
    LineReader lines(source);
    QByteArrayView line;
    while (lines.next(line)) {
        const QByteArrayView t = line.trimmed();
        if (t.isEmpty())
            continue;
        switch (t.front()) {
        case '{':
            return 0;
        case '1':
            return 1;
        case '[':
            return 2;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

double leadingNumber(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const qsizetype begin = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
    }
    if (i - begin == 0 || (i - begin == 1 && text[begin] == '.'))
        return 0;
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        qsizetype j = i + 1;
        if (text[j] == '-' || text[j] == '+')
            ++j;
        if (j < text.size() && text[j] >= '0' && text[j] <= '9') {
            i = j;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9')
                ++i;
        }
    }
    double v = 0;
    const auto r = std::from_chars(text.data() + begin, text.data() + i, v);
    if (r.ec != std::errc())
        return 0;
    return negative ? -v : v;
}

void readMicroDvd(const SubtitleSource &source, SubtitleTable &table)
{
    reserveFor(source, "}{", 5, table);
    LineReader lines(source);
    QByteArrayView line;
    while (lines.next(line)) {
        if (line.isEmpty() || line.front() != '{')
            continue;
        const qsizetype close1 = line.indexOf('}');
        if (close1 < 0)
            continue;
        const double start = leadingNumber(line.sliced(1, close1 - 1));
        const QByteArrayView rest = line.sliced(close1 + 1);
        // The rest opens the end field with "{", which is taken as given.
        const qsizetype close2 = rest.indexOf('}');
        if (close2 < 1)
            continue;
        const QByteArrayView endField = rest.sliced(1, close2 - 1);
        const double end = endField.isEmpty() ? start + 50 : leadingNumber(endField);
        QString text = decodePiece(source, rest.sliced(rest.lastIndexOf('}') + 1));
        text.replace(QLatin1Char('|'), QLatin1Char('\r'));
        table.append(start, end, text);
    }
}

void readSubRip(const SubtitleSource &source, double videoFps, SubtitleTable &table)
{
    reserveFor(source, "-->", 14, table);
    LineReader lines(source);
    QByteArrayView line;
    // A block's lines joined by CR, decoded once: a large file's table is mostly these texts.
    QByteArray raw;
    bool haveLine = lines.next(line);
    while (haveLine) {
        const auto timing = subRipTiming(line);
        haveLine = lines.next(line);
        if (!timing)
            continue;
        // Text lines up to an empty line; a block that runs into the next timing line ends there,
        // and a number line right before that timing line is the next block's number.
        raw.resize(0);
        bool first = true;
        while (haveLine && !isBlank(line)) {
            if (subRipTiming(line))
                break;
            if (isNumberLine(line)) {
                QByteArrayView after;
                if (lines.peek(after) && subRipTiming(after)) {
                    haveLine = lines.next(line);
                    break;
                }
                line = lines.current();
            }
            if (!first)
                raw.append('\r');
            raw.append(line);
            first = false;
            haveLine = lines.next(line);
        }
        table.append(toFrame(timing->start, videoFps), toFrame(timing->end, videoFps), decodePiece(source, raw));
    }
}

void readSubViewer(const SubtitleSource &source, double videoFps, SubtitleTable &table)
{
    LineReader lines(source);
    QByteArrayView line;
    bool found = false;
    while (!found && lines.next(line))
        found = line.trimmed().compare("[SUBTITLE]", Qt::CaseInsensitive) == 0;
    if (!found)
        return;
    // The style line after the header, like any other line that is not a timing line, is passed over.
    while (lines.next(line)) {
        const QByteArrayView t = line.trimmed();
        if (t.isEmpty())
            continue;
        const auto timing = subViewerTiming(t);
        if (!timing)
            continue;
        QByteArrayView textLine;
        QString text = lines.next(textLine) ? decodePiece(source, textLine) : QString();
        text.replace(QLatin1String("[br]"), QLatin1String("\r"));
        table.append(toFrame(timing->start, videoFps), toFrame(timing->end, videoFps), text);
    }
}

namespace {

// The whole load: lead-in entry from the OverlayFrame text, the file's entries, the end sentinel.
SubtitleLoad loadSource(const SubtitleSource &source, std::optional<int> format, const QString &overlayFrameText,
                        double videoFps)
{
    SubtitleLoad load;
    if (!hasText(source)) {
        load.error = QStringLiteral("The subtitle file is empty");
        return load;
    }
    load.ok = true;
    const double lead = leadingNumber(overlayFrameText.toUtf8());
    load.table.append(lead, lead + 10, QString());
    load.format = format ? format : detectFormat(source);
    switch (load.format.value_or(-1)) {
    case 0:
        readMicroDvd(source, load.table);
        break;
    case 1:
        readSubRip(source, videoFps, load.table);
        break;
    case 2:
        readSubViewer(source, videoFps, load.table);
        break;
    default:
        load.error = unknownFormatMessage;
        break;
    }
    load.table.append(sentinelStart, sentinelEnd, QString());
    return load;
}

}  // namespace

SubtitleLoad loadSubtitleBytes(const QByteArray &raw, std::optional<int> format, const QString &overlayFrameText,
                               double videoFps)
{
    return loadSource(decodeSubtitleBytes(raw), format, overlayFrameText, videoFps);
}

SubtitleLoad loadSubtitleFile(const QString &path, std::optional<int> format, const QString &overlayFrameText,
                              double videoFps)
{
    QFile file(path);
    SubtitleSource source;
    bool readable = file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (readable && file.isSequential()) {
        // Devices and pipes do not say their size: they are read whole, up to the limit.
        const QByteArray raw = file.read(maxFileBytes + 1);
        readable = file.error() == QFileDevice::NoError && raw.size() <= maxFileBytes;
        if (readable)
            source = decodeSubtitleBytes(raw);
    } else if (readable) {
        readable = file.size() <= maxFileBytes && scanSubtitleFile(file, source);
    }
    if (!readable) {
        SubtitleLoad load;
        load.error = QStringLiteral("The subtitle file could not be read: ") + QDir::toNativeSeparators(path);
        return load;
    }
    SubtitleLoad load = loadSource(source, format, overlayFrameText, videoFps);
    if (!load.ok)
        load.error += QStringLiteral(": ") + QDir::toNativeSeparators(path);
    return load;
}

QString sublblCaption(const QString &path)
{
    return QStringLiteral("SUB: ") + QFileInfo(path).fileName().toUpper();
}

QString formatLogLine(std::optional<int> format)
{
    return QStringLiteral("format is ") + (format ? basic_numbers::shortText(*format) : QString());
}
