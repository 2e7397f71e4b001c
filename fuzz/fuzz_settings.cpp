// The settings reader on any bytes: it never fails, and whatever it reads is written so that it reads
// back the same.
#include "startup/SettingsFile.h"

#include <cstdint>
#include <cstdlib>

using namespace SettingsFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Values first = read(raw);
    Keys keys;
    std::copy(fixedKeys().begin(), fixedKeys().end(), keys.begin());
    std::array<QString, kEntries> values;
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = first[i].value_or(QString());
        (void)number(first[i], -1e7, 1e7);
        (void)checkBox(first[i]);
        (void)minusOne(first[i]);
    }
    const Values second = read(write(keys, values));
    for (size_t i = 0; i < values.size(); ++i) {
        if (second[i] != values[i])
            std::abort();
    }
    return 0;
}
