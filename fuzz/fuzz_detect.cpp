#include "fuzz_readers.h"

// Autodetection, then whichever reader it picks.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto format = detectFormat(decodeSubtitleBytes(raw));
    if (format && (*format < formatMicroDvd || *format > formatWebVtt))
        std::abort();
    const SubtitleLoad load = loadSubtitleBytes(raw, std::nullopt, QStringLiteral("30"), 25);
    checkTable(load.table);
    return 0;
}
