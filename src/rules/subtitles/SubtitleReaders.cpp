#include "subtitles/SubtitleReaders.h"

#include "numbers/basic_numbers.h"
#include "subtitles/SubtitleTimes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

namespace {

// A user hands us subtitle files of a few hundred kilobytes; anything past this is not one.
constexpr qint64 maxFileBytes = 64 * 1024 * 1024;

const QString emptyFileMessage = QStringLiteral("The subtitle file is empty");

bool isBlank(QByteArrayView line)
{
    return trimmedText(line).isEmpty();
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

// The digits at `p` on, between 1 and `maxDigits` of them; `p` moves past them.
bool digitsAt(const char *&p, const char *end, int maxDigits, long long &value)
{
    const char *const begin = p;
    long long v = 0;
    while (p < end && p - begin <= maxDigits && static_cast<unsigned>(*p - '0') < 10)
        v = v * 10 + (*p++ - '0');
    value = v;
    return p > begin && p - begin <= maxDigits;
}

}  // namespace

std::optional<long long> SubtitleTimes::clockTime(QByteArrayView text, char mark, char otherMark)
{
    static constexpr long long scale[] = {1000000000, 100000000, 10000000, 1000000, 100000,
                                          10000,      1000,      100,      10,      1};
    const char *p = text.data();
    const char *const end = p + text.size();
    // The usual "HH:MM:SS,mmm", read at its fixed places: two of these a block make much of a large
    // file's load.
    if (text.size() == 12 && p[2] == ':' && p[5] == ':' && (p[8] == mark || p[8] == otherMark)) {
        long long v = 0;
        for (const int at : {0, 1, 3, 4, 6, 7, 9, 10, 11}) {
            const auto digit = static_cast<unsigned>(p[at] - '0');
            if (digit > 9)
                return std::nullopt;
            v = v * (at == 3 || at == 6 ? 6 : 10) + digit;
        }
        return v * 1000000;
    }
    long long h, m, s;
    if (!digitsAt(p, end, 6, h) || p == end || *p++ != ':' || !digitsAt(p, end, 2, m) || p == end ||
        *p++ != ':' || !digitsAt(p, end, 2, s))
        return std::nullopt;
    const long long nanoseconds = ((h * 60 + m) * 60 + s) * 1000000000;
    if (p == end)
        return nanoseconds;
    if (*p != mark && *p != otherMark)
        return std::nullopt;
    const char *const fraction = ++p;
    long long digits;
    if (!digitsAt(p, end, 9, digits) || p != end)
        return std::nullopt;
    return nanoseconds + digits * scale[p - fraction];
}

namespace {

struct Timing {
    long long start;
    long long end;
};

std::string_view chars(QByteArrayView text)
{
    return std::string_view(text.data(), static_cast<size_t>(text.size()));
}

// "HH:MM:SS,mmm --> HH:MM:SS,mmm", blanks around the fields allowed and anything after the end
// time (position tags) ignored.
std::optional<Timing> subRipTiming(QByteArrayView line)
{
    // Text lines are most of what is asked: one that does not open with a digit is none.
    const QByteArrayView t = trimmedText(line);
    if (t.isEmpty() || t.front() < '0' || t.front() > '9')
        return std::nullopt;
    const auto arrow = static_cast<qsizetype>(chars(t).find("-->"));
    if (arrow < 0)
        return std::nullopt;
    QByteArrayView right = trimmedText(t.sliced(arrow + 3));
    qsizetype endLen = 0;
    while (endLen < right.size() && right[endLen] != ' ' && right[endLen] != '\t')
        ++endLen;
    const auto start = SubtitleTimes::clockTime(trimmedText(t.first(arrow)), ',', '.');
    const auto end = SubtitleTimes::clockTime(right.first(endLen), ',', '.');
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
    const auto start = SubtitleTimes::clockTime(trimmedText(line.first(comma)), '.', '.');
    const auto end = SubtitleTimes::clockTime(trimmedText(line.sliced(comma + 1)), '.', '.');
    if (!start || !end)
        return std::nullopt;
    return Timing{*start, *end};
}

bool isNumberLine(QByteArrayView line)
{
    return wholeField(trimmedText(line), 9).has_value();
}

}  // namespace

std::optional<int> detectFormat(const SubtitleSource &source)
{
    LineReader lines(source);
    QByteArrayView line;
    while (lines.next(line)) {
        const QByteArrayView t = trimmedText(line);
        if (t.isEmpty())
            continue;
        if (QLatin1String(t).compare(QLatin1String("[Script Info]"), Qt::CaseInsensitive) == 0)
            return formatAss;
        if (t.startsWith("WEBVTT") && (t.size() == 6 || t[6] == ' ' || t[6] == '\t'))
            return formatWebVtt;
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
        table.append(start, end, std::move(text));
    }
}

void readSubRip(const SubtitleSource &source, double videoFps, SubtitleTable &table)
{
    LineReader lines(source);
    QByteArrayView line;
    // A block's lines joined by CR, decoded once: a large file's table is mostly these texts.
    std::string raw;
    bool haveLine = lines.next(line);
    while (haveLine) {
        const auto timing = subRipTiming(line);
        haveLine = lines.next(line);
        if (!timing)
            continue;
        // Text lines up to an empty line; a block that runs into the next timing line ends there,
        // and a number line right before that timing line is the next block's number.
        raw.clear();
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
                raw += '\r';
            raw.append(line.data(), static_cast<size_t>(line.size()));
            first = false;
            haveLine = lines.next(line);
        }
        table.append(basic_numbers::framesAt(timing->start, videoFps), basic_numbers::framesAt(timing->end, videoFps),
                     decodePiece(source, QByteArrayView(raw.data(), static_cast<qsizetype>(raw.size()))));
    }
}

void readSubViewer(const SubtitleSource &source, double videoFps, SubtitleTable &table)
{
    LineReader lines(source);
    QByteArrayView line;
    bool found = false;
    while (!found && lines.next(line))
        found = trimmedText(line).compare("[SUBTITLE]", Qt::CaseInsensitive) == 0;
    if (!found)
        return;
    // The style line after the header, like any other line that is not a timing line, is passed over.
    while (lines.next(line)) {
        const QByteArrayView t = trimmedText(line);
        if (t.isEmpty())
            continue;
        const auto timing = subViewerTiming(t);
        if (!timing)
            continue;
        QByteArrayView textLine;
        QString text = lines.next(textLine) ? decodePiece(source, textLine) : QString();
        text.replace(QLatin1String("[br]"), QLatin1String("\r"));
        table.append(basic_numbers::framesAt(timing->start, videoFps), basic_numbers::framesAt(timing->end, videoFps),
                     std::move(text));
    }
}

namespace {

// The whole load: lead-in entry from the OverlayFrame text, the file's entries, the end sentinel.
SubtitleLoad loadSource(const SubtitleSource &source, std::optional<int> format, const QString &overlayFrameText,
                        double videoFps)
{
    SubtitleLoad load;
    if (!hasText(source)) {
        load.error = emptyFileMessage;
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
    case formatAss:
        readAss(source, videoFps, load.table);
        break;
    case formatWebVtt:
        readWebVtt(source, videoFps, load.table);
        break;
    default:
        load.error = unknownFormatMessage;
        break;
    }
    if (load.error.isEmpty() && load.table.subCount == 1) {
        // Nothing but headers, notes or lines of another format: to the user that is an empty file.
        return SubtitleLoad{false, emptyFileMessage, load.format, SubtitleTable()};
    }
    load.table.sortByStart(1);
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
    const QFileInfo info(path);
    SubtitleLoad load;
    // A folder, a named pipe or a device is no subtitle file, and opening a pipe would wait for a
    // writer for ever.
    if (info.exists() && !info.isFile()) {
        load.error = emptyFileMessage + QStringLiteral(": ") + QDir::toNativeSeparators(path);
        return load;
    }
    QFile file(path);
    SubtitleSource source;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || file.size() > maxFileBytes ||
        !scanSubtitleFile(file, source)) {
        load.error = QStringLiteral("The subtitle file could not be read: ") + QDir::toNativeSeparators(path);
        return load;
    }
    load = loadSource(source, format, overlayFrameText, videoFps);
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
