// A movie's text cues as the demuxer hands them, for each text codec: any packet bytes, time stamps,
// durations, time bases and frame rates. Every cue's text is made of its packet's bytes, in order, or
// of what its character references name (for MP4 timed text, of its text alone, never of the style
// boxes after it); the table's times are never negative, never end before they start, come in the order
// of their start and stay before the sentinel.
#include "fuzz_check.h"
#include "subtitles/CharacterReferences.h"
#include "subtitles/EmbeddedCues.h"
#include "subtitles/SubtitleReaders.h"

#include <QSet>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QByteArray kCodecs[] = {"subrip", "srt", "ass", "ssa", "webvtt", "mov_text", "text"};

// Whether a packet's text is made of the packet: its bytes come from the packet in order, markup
// removed between them; line breaks, blanks and the characters of entities stand for markup, and the
// replacement character for bytes that are no UTF-8.
bool madeOf(const QString &text, const QByteArray &source)
{
    qsizetype at = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (QStringLiteral("\r &<>\uFFFD").contains(text[i]))
            continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QByteArray bytes = text.mid(i, pair ? 2 : 1).toUtf8();
        i += pair ? 1 : 0;
        for (char b : bytes) {
            at = source.indexOf(b, at);
            if (at < 0)
                return false;
            ++at;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    EmbeddedTrack track;
    track.track.codec = kCodecs[in.ConsumeIntegralInRange<size_t>(0, std::size(kCodecs) - 1)];
    const double fps = in.ConsumeBool() ? in.ConsumeFloatingPoint<double>() : in.ConsumeFloatingPointInRange(0.0, 240.0);
    QSet<QString> texts;
    while (in.remaining_bytes() > 0 && track.cues.size() < 64) {
        const auto ts = in.ConsumeIntegral<qint64>();
        const auto duration = in.ConsumeIntegral<qint64>();
        const auto num = in.ConsumeIntegral<int>();
        const auto den = in.ConsumeIntegral<int>();
        const std::string bytes = in.ConsumeRandomLengthString(4096);
        const QByteArray packet(bytes.data(), qsizetype(bytes.size()));
        const Cue cue = EmbeddedCues::cue(ts, duration, num, den, packet);
        PROPERTY(cue.data == packet);
        if (duration > 0 && num > 0 && den > 0)
            PROPERTY(cue.endNs >= cue.startNs);
        const QString text = EmbeddedCues::cueText(track.track.codec, packet);
        const QByteArray own = track.track.codec != "mov_text" ? packet
                               : packet.size() < 2 ? QByteArray()
                                                   : packet.mid(2, (uchar(packet[0]) << 8) | uchar(packet[1]));
        // A character reference stands for what it names, which the packet need not hold.
        PROPERTY(madeOf(text, own) || madeOf(text, CharacterReferences::resolve(QString::fromUtf8(own)).toUtf8()));
        texts.insert(text);
        track.cues.push_back(cue);
    }
    const SubtitleTable t = EmbeddedCues::table(track, QStringLiteral("30"), fps);
    PROPERTY(t.subCount >= 2 && t.subStart.size() == size_t(t.subCount) + 1 && t.subText.size() == t.subStart.size());
    double previous = 0;
    for (int i = 1; i + 1 < t.subCount; ++i) {
        const double start = t.subStart[size_t(i)], end = t.subEnd[size_t(i)];
        PROPERTY(start >= previous && end >= start && start < sentinelStart);
        PROPERTY(!t.subText[size_t(i)].isEmpty() && texts.contains(t.subText[size_t(i)]));
        previous = start;
    }
    PROPERTY(t.subStart[size_t(t.subCount - 1)] == sentinelStart);
    return 0;
}
