#include "disc/IniReader.h"

#include "text/TextDecoding.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

// A text file has no NUL bytes; this much of a file tells.
constexpr qint64 kTextProbe = 4096;

QStringView trimBlanks(QStringView s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && s[from] == u' ')
        ++from;
    while (to > from && s[to - 1] == u' ')
        --to;
    return s.sliced(from, to - from);
}

}  // namespace

IniFile::IniFile(QByteArrayView bytes)
{
    const QString text = TextDecoding::decode(bytes);
    const QStringView all(text);
    // The stretch that entry lines go to; none before the first header, after a stop line, and under
    // a header seen before (a lookup always finds the first one).
    Stretch *current = nullptr;
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView trimmed = trimBlanks(all.sliced(start, end - start));
        if (trimmed.isEmpty()) {
            // Blank lines are skipped.
        } else if (trimmed[0] == u'[' || trimmed[0] == u';') {
            current = nullptr;
            const QString header = trimmed.toString().toUpper();
            if (trimmed[0] == u'[' && !sections_.contains(header))
                current = &sections_[header];
        } else if (const qsizetype eq = trimmed.lastIndexOf(u'='); eq >= 0 && current) {
            QStringView value = trimmed.sliced(eq + 1);
            if (const qsizetype semi = value.lastIndexOf(u';'); semi >= 0)
                value = value.first(semi);
            (*current)[trimBlanks(trimmed.first(eq)).toString().toUpper()].append(trimBlanks(value).toString());
        }
        // A line that is neither entry nor header nor comment has no meaning in the format: passed over.
        // CR LF is one line end; a lone CR or LF is one too.
        if (end < all.size() && all[end] == u'\r' && end + 1 < all.size() && all[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

IniFile IniFile::load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxBytes)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(kTextProbe);
    if (bytes.contains('\0'))
        return {};
    // A file that grew past the bound since it was looked at is read no further.
    bytes += file.read(kMaxBytes + 1 - bytes.size());
    if (bytes.size() > kMaxBytes || file.error() != QFileDevice::NoError)
        return {};
    return IniFile(bytes);
}

QString IniFile::value(const QString &section, const QString &key, int occurrence) const
{
    // An empty key is never found: the search for it ends before it starts.
    if (key.isEmpty() || occurrence < 1)
        return {};
    const auto stretch = sections_.constFind(QLatin1Char('[') + section.toUpper() + QLatin1Char(']'));
    if (stretch == sections_.cend())
        return {};
    const auto values = stretch->constFind(key.toUpper());
    if (values == stretch->cend())
        return {};
    // Fewer matching lines than asked for: the last one found.
    return values->at(std::min<qsizetype>(occurrence, values->size()) - 1);
}

namespace basMyMain {

QString ReadIni(const QString &iniPath, const QString &section, const QString &key, int occurrence)
{
    return IniFile::load(iniPath).value(section, key, occurrence);
}

}  // namespace basMyMain
