// WebVTT: cues of a timing line and text lines up to an empty line; the header, NOTE, STYLE and REGION
// blocks hold no timing line and are passed over with any other lines outside a cue.
#include "numbers/basic_numbers.h"
#include "subtitles/CharacterReferences.h"
#include "subtitles/SubtitleMarkup.h"
#include "subtitles/SubtitleReaders.h"
#include "subtitles/SubtitleTimes.h"

#include <string>

namespace {

// "MM:SS.ttt" or "HH:MM:SS.ttt".
std::optional<long long> cueTime(QByteArrayView text)
{
    if (text.count(':') != 1)
        return SubtitleTimes::clockTime(text, '.', ',');
    std::string withHours = "0:";
    withHours.append(text.data(), size_t(text.size()));
    return SubtitleTimes::clockTime(QByteArrayView(withHours.data(), qsizetype(withHours.size())), '.', ',');
}

struct Timing {
    long long start;
    long long end;
};

// "start --> end", cue settings after the end time ignored.
std::optional<Timing> cueTiming(QByteArrayView line)
{
    const QByteArrayView t = trimmedText(line);
    const qsizetype arrow = t.indexOf("-->");
    if (arrow < 0)
        return std::nullopt;
    const QByteArrayView right = trimmedText(t.sliced(arrow + 3));
    qsizetype endLen = 0;
    while (endLen < right.size() && right[endLen] != ' ' && right[endLen] != '\t')
        ++endLen;
    const auto start = cueTime(trimmedText(t.first(arrow)));
    const auto end = cueTime(right.first(endLen));
    if (!start || !end)
        return std::nullopt;
    return Timing{*start, *end};
}

bool isBlank(QByteArrayView line)
{
    return trimmedText(line).isEmpty();
}

}  // namespace

void readWebVtt(const SubtitleSource &source, double videoFps, SubtitleTable &table)
{
    LineReader lines(source);
    QByteArrayView line;
    std::string raw;
    const int first = table.subCount;
    bool have = lines.next(line);
    while (have) {
        const auto timing = cueTiming(line);
        if (!timing) {
            // The header, a note, a style or region, a cue's identifier or stray text: passed over up to
            // an empty line, or up to a timing line, which starts a cue however the block began.
            while (have && !isBlank(line) && !cueTiming(line))
                have = lines.next(line);
            while (have && isBlank(line))
                have = lines.next(line);
            continue;
        }
        // Text lines up to an empty line, or up to the next cue's timing where the empty line is missing.
        raw.clear();
        have = lines.next(line);
        QByteArrayView after;
        for (bool firstLine = true; have && !isBlank(line) && !cueTiming(line); firstLine = false) {
            if (!firstLine) {
                if (lines.peek(after) && cueTiming(after)) {
                    line = lines.current();
                    break;
                }
                line = lines.current();
                raw += '\r';
            }
            raw.append(line.data(), size_t(line.size()));
            have = lines.next(line);
        }
        const QByteArray text = SubtitleMarkup::withoutTags(QByteArrayView(raw.data(), qsizetype(raw.size())));
        table.append(basic_numbers::framesAt(timing->start, videoFps), basic_numbers::framesAt(timing->end, videoFps),
                     CharacterReferences::resolve(decodePiece(source, text)));
    }
    // Two speakers, or a caption and a sound, are often two cues of the same time.
    table.mergeSameSpans(first);
}
