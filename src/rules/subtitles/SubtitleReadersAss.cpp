// ASS/SSA: the events of the "[Events]" section, in the field order its "Format:" line gives.
#include "numbers/basic_numbers.h"
#include "subtitles/SubtitleMarkup.h"
#include "subtitles/SubtitleReaders.h"
#include "subtitles/SubtitleTimes.h"

#include <QList>
#include <vector>

namespace {

// Where the times and the text stand among an event's fields; the text takes the rest of the line.
struct Fields {
    qsizetype count = 10;
    qsizetype start = 1;
    qsizetype end = 2;
    qsizetype text = 9;
};

// The value after "Key:" when the line starts with that key, in any letter case.
std::optional<QByteArrayView> valueOf(QByteArrayView line, QByteArrayView key)
{
    if (line.size() <= key.size() || line[key.size()] != ':' ||
        QLatin1String(line.first(key.size())).compare(QLatin1String(key), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return line.sliced(key.size() + 1);
}

// A "Format:" line naming no start, end or text leaves the order as it was.
Fields fieldsOf(QByteArrayView format, const Fields &was)
{
    Fields f{0, -1, -1, -1};
    for (const QByteArrayView name : QByteArray(format.data(), format.size()).split(',')) {
        const QLatin1String n(trimmedText(name));
        if (n.compare(QLatin1String("Start"), Qt::CaseInsensitive) == 0)
            f.start = f.count;
        else if (n.compare(QLatin1String("End"), Qt::CaseInsensitive) == 0)
            f.end = f.count;
        else if (n.compare(QLatin1String("Text"), Qt::CaseInsensitive) == 0)
            f.text = f.count;
        ++f.count;
    }
    return f.start < 0 || f.end < 0 || f.text < 0 ? was : f;
}

struct Event {
    long long start;
    long long end;
    QByteArray text;
};

std::optional<Event> eventOf(QByteArrayView value, const Fields &f)
{
    std::vector<QByteArrayView> fields;
    qsizetype from = 0;
    while (qsizetype(fields.size()) + 1 < f.count) {
        const qsizetype comma = value.sliced(from).indexOf(',');
        if (comma < 0)
            return std::nullopt;
        fields.push_back(value.sliced(from, comma));
        from += comma + 1;
    }
    fields.push_back(value.sliced(from));
    const auto start = SubtitleTimes::clockTime(trimmedText(fields[size_t(f.start)]), '.', '.');
    const auto end = SubtitleTimes::clockTime(trimmedText(fields[size_t(f.end)]), '.', '.');
    if (!start || !end)
        return std::nullopt;
    QByteArray text = SubtitleMarkup::assText(fields[size_t(f.text)]);
    if (text.isEmpty())
        return std::nullopt;
    return Event{*start, *end, std::move(text)};
}

}  // namespace

void readAss(const SubtitleSource &source, double videoFps, SubtitleTable &table)
{
    LineReader lines(source);
    QByteArrayView line;
    bool inEvents = false;
    Fields fields;
    const int first = table.subCount;
    while (lines.next(line)) {
        const QByteArrayView t = trimmedText(line);
        if (t.startsWith('[')) {
            inEvents = QLatin1String(t).compare(QLatin1String("[Events]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inEvents)
            continue;
        if (const auto format = valueOf(t, "Format")) {
            fields = fieldsOf(*format, fields);
        } else if (const auto dialogue = valueOf(t, "Dialogue")) {
            if (const auto event = eventOf(*dialogue, fields))
                table.append(basic_numbers::framesAt(event->start, videoFps),
                             basic_numbers::framesAt(event->end, videoFps), decodePiece(source, event->text));
        }
    }
    // Lines that show together (two speakers, a sign over a line) are often listed apart, grouped by
    // style or layer.
    table.mergeSameSpans(first);
}
