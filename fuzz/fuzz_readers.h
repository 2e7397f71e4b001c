// Shared body of the reader fuzz targets: the bytes go through decoding and one reader, and the
// table must keep its shape whatever they hold.
#include "subtitles/SubtitleReaders.h"

#include <cstdint>
#include <cstdlib>

inline void checkTable(const SubtitleTable &t)
{
    const auto width = static_cast<size_t>(t.subCount) + (t.subCount > 0 ? 1 : 0);
    if (t.subStart.size() != width || t.subEnd.size() != width || t.subText.size() != width)
        std::abort();
}

inline void fuzzFormat(const uint8_t *data, size_t size, int format)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const SubtitleLoad load = loadSubtitleBytes(raw, format, QStringLiteral("30"), 23.976);
    checkTable(load.table);
    if (load.ok && load.table.subCount < 2)
        std::abort();
}
