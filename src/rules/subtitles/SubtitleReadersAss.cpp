// ASS/SSA: the events of the "[Events]" section, in the field order its "Format:" line gives.
#include "numbers/basic_numbers.h"
#include "subtitles/SubtitleMarkup.h"
#include "subtitles/SubtitleReaders.h"
#include "subtitles/SubtitleTimes.h"

#include <QList>
#include <algorithm>
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
    text = trimmedText(text).toByteArray();
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
    std::vector<Event> events;
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
            if (auto event = eventOf(*dialogue, fields))
                events.push_back(std::move(*event));
        }
    }
    // The format keeps no order of its own (styles and layers are often grouped), and the display
    // shows one entry at a time: events are taken by their start, and lines that show together
    // (two speakers, a sign over a line) become one entry.
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) { return a.start < b.start; });
    for (size_t i = 0; i < events.size();) {
        QByteArray text = events[i].text;
        size_t next = i + 1;
        for (; next < events.size() && events[next].start == events[i].start && events[next].end == events[i].end;
             ++next)
            text += '\r' + events[next].text;
        table.append(basic_numbers::framesAt(events[i].start, videoFps),
                     basic_numbers::framesAt(events[i].end, videoFps), decodePiece(source, text));
        i = next;
    }
}
