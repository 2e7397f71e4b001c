// The disc description read from arbitrary bytes. The indexed reader must give what a literal scan of
// the lines gives (the format's own steps, one lookup at a time), every path must be one line under
// its folder, and each numbered list must end at its first number without a value.
#include "disc/IniReader.h"
#include "disc/QuickIni.h"
#include "text/TextDecoding.h"

#include <cstdint>
#include <cstdlib>

namespace {

QStringView trimBlanks(QStringView s)
{
    while (!s.isEmpty() && s.front() == u' ')
        s = s.sliced(1);
    while (!s.isEmpty() && s.back() == u' ')
        s.chop(1);
    return s;
}

// The lines of the text, split as the reader splits them: CR LF, a lone CR or a lone LF.
QStringList linesOf(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        lines << text.mid(start, end - start);
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

// One lookup as the format describes it: find the header from the top, then read on line by line.
QString scan(const QStringList &lines, const QString &section, const QString &key, int occurrence)
{
    const QString header = u'[' + section.toUpper() + u']';
    const qsizetype n = lines.size();
    qsizetype i = 0;
    while (i < n && trimBlanks(lines[i]).toString().toUpper() != header)
        ++i;
    ++i;
    const QString wanted = key.toUpper();
    QString result, keyFound, value;
    for (; occurrence > 0; --occurrence) {
        while (keyFound != wanted && i < n) {
            const QStringView line = trimBlanks(lines[i++]);
            if (line.isEmpty())
                continue;
            if (line.front() == u'[' || line.front() == u';')
                return result;
            const qsizetype eq = line.lastIndexOf(u'=');
            if (eq < 0)
                continue;
            keyFound = trimBlanks(line.first(eq)).toString().toUpper();
            QStringView v = line.sliced(eq + 1);
            if (const qsizetype semi = v.lastIndexOf(u';'); semi >= 0)
                v = v.first(semi);
            value = trimBlanks(v).toString();
        }
        if (keyFound == wanted)
            result = value;
        keyFound.clear();
    }
    return result;
}

void check(bool holds)
{
    if (!holds)
        std::abort();
}

bool oneLineUnder(const QString &path, const QString &folder)
{
    return path.startsWith(folder) && !path.contains(u'\r') && !path.contains(u'\n');
}

// How many numbered entries a section has before its first number without a value.
int run(const QStringList &lines, const QString &section)
{
    int n = 0;
    while (!scan(lines, section, QString::number(n + 1), 1).isEmpty())
        ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const IniFile ini(bytes);
    const QStringList lines = linesOf(TextDecoding::decode(bytes));

    static const char *const sections[] = {"MOVIE", "MAIN", "SUBTITLES", "LANGUAGES", "SPECIAL", "CHAPTERS", "", "X=Y"};
    static const char *const keys[] = {"Directory", "AVIName", "Title", "Default", "File", "Primary",
                                       "CD",        "1",       "2",     "3",       "",     "A=B"};
    for (const char *section : sections) {
        for (const char *key : keys) {
            for (int occurrence : {0, 1, 2, 3}) {
                const QString s = QString::fromLatin1(section), k = QString::fromLatin1(key);
                check(ini.value(s, k, occurrence) == scan(lines, s, k, occurrence));
            }
        }
    }

    const QString iniPath = QStringLiteral("/nonexistent-disc/films/disc.ini");
    const QString base = QStringLiteral("/nonexistent-disc/");
    const QuickDisc disc = QuickIni::read(ini, iniPath, base);
    check(oneLineUnder(disc.moviePath, base));
    for (const QStringList *paths : {&disc.subFiles, &disc.audioFiles, &disc.specialInis}) {
        for (const QString &path : *paths)
            check(oneLineUnder(path, base));
    }
    check(disc.subNames.size() == disc.subFiles.size());
    check(disc.langNames.size() == disc.audioFiles.size() + 1);
    check(disc.specialNames.size() == disc.specialInis.size());
    check(disc.defaultSub >= -1 && disc.defaultSub < disc.subNames.size());
    const bool subtitles = !scan(lines, QStringLiteral("SUBTITLES"), QStringLiteral("Directory"), 1).isEmpty();
    const bool languages = !scan(lines, QStringLiteral("LANGUAGES"), QStringLiteral("Directory"), 1).isEmpty();
    check(disc.subNames.size() == (subtitles ? run(lines, QStringLiteral("SUBTITLES")) : 0));
    check(disc.audioFiles.size() == (languages ? run(lines, QStringLiteral("LANGUAGES")) : 0));
    check(disc.chapters.size() <= run(lines, QStringLiteral("CHAPTERS")));
    check(disc.specialNames.size() <= run(lines, QStringLiteral("SPECIAL")));
    return 0;
}
