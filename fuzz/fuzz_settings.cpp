// The settings reader on any bytes: it never fails; what it reads is written so that it reads back
// the same when it is no longer than a path; and the texts that pass the checks on the way in are written as exactly 46 lines.
#include "startup/SettingsFile.h"

#include <cstdint>
#include <cstdlib>

using namespace SettingsFile;

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Values first = read(raw);
    Keys keys;
    std::copy(fixedKeys().begin(), fixedKeys().end(), keys.begin());
    std::array<QString, kEntries> values, checked;
    for (size_t i = 0; i < values.size(); ++i) {
        // Any value as long as the longest the program holds (a path) reads back whatever it holds.
        values[i] = first[i].value_or(QString());
        if (values[i].toUtf8().size() > 4096) {
            values[i].truncate(1024);
            if (values[i].back().isHighSurrogate())
                values[i].chop(1);
        }
        (void)number(first[i], -1e7, 1e7);
        (void)checkBox(first[i]);
        (void)minusOne(first[i]);
        const auto text = i == LastDir || i == SkinFile ? path(first[i])
                          : i == FontName               ? fontName(first[i])
                                                        : boxText(first[i], 32767);
        checked[i] = text.value_or(QStringLiteral("default"));
    }
    const Values second = read(write(keys, values));
    for (size_t i = 0; i < values.size(); ++i)
        check(second[i] == values[i]);

    const QByteArray clean = write(keys, checked);
    check(clean.count('\n') == kEntries && clean.count('\r') == kEntries && clean.endsWith("\r\n"));
    const Values back = read(clean);
    for (size_t i = 0; i < checked.size(); ++i)
        check(back[i] == checked[i]);
    return 0;
}
