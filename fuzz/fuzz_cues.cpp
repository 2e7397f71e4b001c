// A movie's own text cues as the engine tells them, in any order, again after seeks: any times, delays
// and texts. The table keeps its sentinel last and every cue once with the text told (line breaks as
// CR), never ending before it starts, before the sentinel, in the order of the starts.
#include "fuzz_check.h"
#include "subtitles/EngineCues.h"
#include "subtitles/SubtitleReaders.h"

#include <cmath>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <set>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    SubtitleTable t = EngineCues::emptyTable(QString::fromStdString(in.ConsumeRandomLengthString(16)));
    const auto lead = std::make_tuple(t.subStart[0], t.subEnd[0], t.subText[0]);
    std::set<std::tuple<double, double, QString>> kept{lead};
    while (in.remaining_bytes() > 0 && kept.size() < 64) {
        const bool wide = in.ConsumeBool();
        const auto time = [&] {
            return wide ? in.ConsumeFloatingPoint<double>() : in.ConsumeFloatingPointInRange(-500.0, 5000.0);
        };
        const double start = time(), end = time(), delay = time();
        const QString text = QString::fromStdString(in.ConsumeRandomLengthString(256));
        const EngineCues::Entry e = EngineCues::entry(start, end, delay, text);
        PROPERTY(!e.text.contains(QLatin1Char('\n')));
        const int count = t.subCount;
        const auto key = std::make_tuple(e.start, e.end, e.text);
        const int at = EngineCues::add(t, e);
        PROPERTY(at == -1 ? t.subCount == count : t.subCount == count + 1);
        if (at >= 0) {
            PROPERTY(!kept.count(key) && t.subText[size_t(at)] == e.text);
            kept.insert(key);
        }
    }
    PROPERTY(t.subStart.size() == size_t(t.subCount) + 1 && t.subText.size() == t.subStart.size());
    PROPERTY(t.subStart[size_t(t.subCount - 1)] == sentinelStart);
    // The lead-in entry stands where the OverlayFrame text puts it, as for a file; the cues keep their order
    // around it.
    double previous = -HUGE_VAL;
    for (int i = 0; i + 1 < t.subCount; ++i) {
        const auto row = std::make_tuple(t.subStart[size_t(i)], t.subEnd[size_t(i)], t.subText[size_t(i)]);
        PROPERTY(kept.count(row) && std::get<1>(row) >= std::get<0>(row));
        if (row == lead)
            continue;
        PROPERTY(std::get<0>(row) < sentinelStart && std::get<0>(row) >= previous);
        previous = std::get<0>(row);
    }
    return 0;
}
