// A movie's text cues as the demuxer hands them, for each text codec: any packet bytes, time stamps,
// durations, time bases and frame rates. Every cue's text is made of what its packet holds (for MP4
// timed text, of its text alone, never of the style boxes after it); the table's times are never
// negative, never end before they start, come in the order of their start and stay before the sentinel.
#include "fuzz_check.h"
#include "subtitles/EmbeddedCues.h"
#include "subtitles/SubtitleReaders.h"

#include <QSet>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QByteArray kCodecs[] = {"subrip", "srt", "ass", "ssa", "webvtt", "mov_text", "text"};

// The characters a packet's text may be made of: the packet's own, and those markup stands for.
bool madeOf(const QString &text, const QByteArray &source)
{
    const QString from = QString::fromUtf8(source);
    QSet<QChar> allowed(from.begin(), from.end());
    for (QChar c : QStringLiteral("\r &<>\uFFFD"))
        allowed.insert(c);
    return std::all_of(text.begin(), text.end(), [&](QChar c) { return allowed.contains(c); });
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
        if (track.track.codec == "mov_text")
            PROPERTY(madeOf(text, packet.size() < 2 ? QByteArray()
                                                 : packet.mid(2, (uchar(packet[0]) << 8) | uchar(packet[1]))));
        else
            PROPERTY(madeOf(text, packet));
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
