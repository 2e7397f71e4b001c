// The Quick ini reader on arbitrary bytes: the lookups a disc makes must come back as one trimmed
// line of text whatever the file holds.
#include "disc/IniReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const IniFile ini(QByteArrayView(data, static_cast<qsizetype>(size)));
    static const char *const lookups[][2] = {
        {"MOVIE", "Directory"}, {"MOVIE", "AVIName"}, {"MAIN", "Title"},     {"SUBTITLES", "Default"},
        {"SUBTITLES", "1"},     {"SUBTITLES", "File"}, {"LANGUAGES", "Primary"}, {"SPECIAL", "CD"},
        {"CHAPTERS", "2"},      {"", ""},              {"X=Y", "A=B"},
    };
    for (const auto &lookup : lookups) {
        for (int occurrence : {0, 1, 3}) {
            const QString v = ini.value(QString::fromLatin1(lookup[0]), QString::fromLatin1(lookup[1]), occurrence);
            if (v.contains(u'\r') || v.contains(u'\n') || v.startsWith(u' ') || v.endsWith(u' '))
                std::abort();
        }
    }
    return 0;
}
