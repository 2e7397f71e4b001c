// The settings reader on any bytes: it never fails; every value it reads, written back (with other
// values of the same file as keys), reads back the same, or cut at a character where it is longer
// than the file keeps; and the texts that pass the checks on the way in are written as exactly 46 lines.
#include "startup/SettingsFile.h"

#include "fuzz_check.h"

#include <cstdint>

using namespace SettingsFile;

namespace {

// What the file keeps of a text, worked out apart from the writer: nothing of a line end it cannot
// hold, and no more than its bound, never half of a pair of UTF-16 units.
QString kept(const QString &text)
{
    QString cut = text.left(kMaxTextLength);
    if (text.size() > kMaxTextLength && cut.back().isHighSurrogate())
        cut.chop(1);
    return cut.contains(QStringLiteral("\r\n")) ? QString() : cut;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Values first = read(raw);
    Keys keys;
    std::array<QString, kEntries> values, checked;
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = first[i].value_or(QString());
        keys[(i + 1) % values.size()] = values[i];
        (void)number(first[i], -1e7, 1e7);
        (void)checkBox(first[i]);
        (void)minusOne(first[i]);
        const auto text = i == LastDir || i == SkinFile ? path(first[i])
                          : i == FontName               ? fontName(first[i])
                          : i >= FirstKey               ? key(first[i])
                                                        : boxText(first[i], kMaxTextLength);
        checked[i] = text.value_or(QStringLiteral("default"));
    }
    const Values second = read(write(keys, values));
    for (size_t i = 0; i < values.size(); ++i)
        PROPERTY(second[i] == kept(values[i]));

    std::copy(fixedKeys().begin(), fixedKeys().end(), keys.begin());
    const QByteArray clean = write(keys, checked);
    PROPERTY(clean.count("\r\n") == kEntries && clean.endsWith("\r\n"));
    const Values back = read(clean);
    for (size_t i = 0; i < checked.size(); ++i)
        PROPERTY(back[i] == checked[i]);
    return 0;
}
