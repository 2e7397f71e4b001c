#include "subtitles/EmbeddedCues.h"

#include "numbers/basic_numbers.h"
#include "subtitles/SubtitleMarkup.h"
#include "subtitles/SubtitleReaders.h"

#include <algorithm>
#include <limits>

namespace EmbeddedCues {

bool isTextCodec(const QByteArray &codec)
{
    static const QByteArray text[] = {"subrip", "srt", "ass", "ssa", "webvtt", "mov_text", "text"};
    return std::find(std::begin(text), std::end(text), codec) != std::end(text);
}

std::optional<TextTrack> chooseTrack(const std::vector<TextTrack> &tracks)
{
    std::optional<TextTrack> first;
    for (const TextTrack &t : tracks) {
        if (!isTextCodec(t.codec))
            continue;
        if (t.isDefault)
            return t;
        if (!first)
            first = t;
    }
    return first;
}

Cue cue(qint64 timestamp, qint64 duration, int baseNum, int baseDen, QByteArray data)
{
    constexpr long long most = std::numeric_limits<long long>::max();
    // At most 63 + 31 + 30 bits: the product fits in 128.
    const auto nanoseconds = [&](qint64 units) -> long long {
        if (baseNum <= 0 || baseDen <= 0)
            return 0;
        const __int128 ns = static_cast<__int128>(units) * baseNum * 1000000000 / baseDen;
        return static_cast<long long>(std::clamp<__int128>(ns, -most - 1, most));
    };
    const long long start = nanoseconds(timestamp);
    const long long length = duration > 0 ? nanoseconds(duration) : 0;
    const long long end = start > most - length ? most : start + length;
    return {start, end, std::move(data)};
}

QString cueText(const QByteArray &codec, const QByteArray &data)
{
    QByteArray text;
    if (codec == "ass" || codec == "ssa") {
        // ReadOrder, Layer, Style, Name, MarginL, MarginR, MarginV, Effect, then the text.
        qsizetype at = 0;
        for (int field = 0; field < 8 && at >= 0; ++field) {
            at = data.indexOf(',', at);
            if (at >= 0)
                ++at;
        }
        if (at < 0)
            return {};
        text = SubtitleMarkup::assText(QByteArrayView(data).sliced(at));
    } else if (codec == "mov_text") {
        if (data.size() < 2)
            return {};
        const qsizetype length = (uchar(data[0]) << 8) | uchar(data[1]);
        text = data.mid(2, length);
    } else {
        text = SubtitleMarkup::tagFreeText(data);
    }
    text.replace("\r\n", "\r").replace('\n', '\r');
    return QString::fromUtf8(trimmedText(text));
}

SubtitleTable table(const EmbeddedTrack &track, const QString &overlayFrameText, double videoFps)
{
    struct Entry {
        long long start, end;
        QString text;
    };
    std::vector<Entry> entries;
    for (const Cue &cue : track.cues) {
        QString text = cueText(track.track.codec, cue.data);
        if (!text.isEmpty())
            entries.push_back({cue.startNs, cue.endNs, std::move(text)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.start < b.start; });
    SubtitleTable t;
    const double lead = leadingNumber(overlayFrameText.toUtf8());
    t.append(lead, lead + 10, QString());
    for (Entry &e : entries) {
        const double start = std::max(0.0, basic_numbers::framesAt(e.start, videoFps));
        const double end = std::max(start, basic_numbers::framesAt(e.end, videoFps));
        if (start >= sentinelStart)
            continue;
        t.append(start, end, std::move(e.text));
    }
    t.append(sentinelStart, sentinelEnd, QString());
    return t;
}

QString caption(const TextTrack &track)
{
    QString name = track.language;
    if (name.isEmpty() || name == QLatin1String("und"))
        name = track.title;
    if (name.isEmpty())
        name = QStringLiteral("TRACK ") + QString::number(track.stream);
    return QStringLiteral("SUB: ") + name.toUpper();
}

}  // namespace EmbeddedCues
