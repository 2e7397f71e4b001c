#include "subtitles/EmbeddedCues.h"

#include "numbers/basic_numbers.h"
#include "subtitles/SubtitleMarkup.h"
#include "subtitles/SubtitleReaders.h"

#include <algorithm>

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
    for (Entry &e : entries)
        t.append(basic_numbers::framesAt(e.start, videoFps), basic_numbers::framesAt(e.end, videoFps),
                 std::move(e.text));
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
