#include "subtitles/EngineCues.h"

#include "numbers/basic_numbers.h"
#include "subtitles/SubtitleReaders.h"

#include <algorithm>
#include <cmath>

namespace EngineCues {

SubtitleTable emptyTable(const QString &overlayFrameText)
{
    SubtitleTable t;
    const double lead = leadingNumber(overlayFrameText.toUtf8());
    t.append(lead, lead + 10, QString());
    t.append(sentinelStart, sentinelEnd, QString());
    return t;
}

Entry entry(double start, double end, double delay, const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
    // A hair of rounding must not put the start past the frame it falls in.
    const double first = std::floor(start + delay + 1e-6);
    return {first, std::max(first, basic_numbers::roundEven(end + delay)), lines};
}

int add(SubtitleTable &table, Entry e)
{
    // The sentinel is the last used entry; a table without one takes none.
    if (table.subCount <= 0)
        return -1;
    const auto used = static_cast<std::ptrdiff_t>(table.subCount - 1);
    // A cue at or past the sentinel is never reached, and one without a time has no place.
    if (!std::isfinite(e.start) || !(e.start < table.subStart[used]))
        return -1;
    for (std::ptrdiff_t i = 0; i < used; ++i) {
        if (table.subStart[i] == e.start && table.subEnd[i] == e.end && table.subText[i] == e.text)
            return -1;
    }
    const auto at = std::upper_bound(table.subStart.begin(), table.subStart.begin() + used, e.start) - table.subStart.begin();
    table.subStart.insert(table.subStart.begin() + at, e.start);
    table.subEnd.insert(table.subEnd.begin() + at, e.end);
    table.subText.insert(table.subText.begin() + at, std::move(e.text));
    ++table.subCount;
    return static_cast<int>(at);
}

}  // namespace EngineCues
