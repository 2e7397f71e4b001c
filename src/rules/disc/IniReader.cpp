#include "disc/IniReader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

QString decode(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252");
    return ansi(bytes);
}

}  // namespace

IniFile::IniFile(QByteArrayView bytes)
{
    const QString text = decode(bytes);
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView trimmed = trimBlanks(all.sliced(start, end - start));
        Line line;
        line.upper = trimmed.toString().toUpper();
        if (trimmed.isEmpty()) {
            line.kind = Line::Blank;
        } else if (trimmed[0] == u'[' || trimmed[0] == u';') {
            line.kind = Line::Stop;
        } else if (const qsizetype eq = trimmed.lastIndexOf(u'='); eq >= 0) {
            line.kind = Line::Entry;
            line.key = trimBlanks(trimmed.first(eq)).toString().toUpper();
            QStringView value = trimmed.sliced(eq + 1);
            if (const qsizetype semi = value.lastIndexOf(u';'); semi >= 0)
                value = value.first(semi);
            line.value = trimBlanks(value).toString();
        } else {
            // Neither entry nor header nor comment: the format gives it no meaning, so it is passed over.
            line.kind = Line::Other;
        }
        lines_.append(std::move(line));
        // CR LF is one line end; a lone CR or LF is one too.
        if (end < all.size() && all[end] == u'\r' && end + 1 < all.size() && all[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

IniFile IniFile::load(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(kTextProbe);
    if (bytes.contains('\0'))
        return {};
    bytes += file.readAll();
    return IniFile(bytes);
}

QString IniFile::value(const QString &section, const QString &key, int occurrence) const
{
    const QString header = QLatin1Char('[') + section.toUpper() + QLatin1Char(']');
    const qsizetype n = lines_.size();
    qsizetype i = 0;
    while (i < n && lines_[i].upper != header)
        ++i;
    // The entries start after the header; a header on the last line, or none, leaves nothing to read.
    ++i;

    const QString wanted = key.toUpper();
    QString result, keyFound, value;
    for (; occurrence > 0; --occurrence) {
        while (keyFound != wanted && i < n) {
            const Line &line = lines_[i++];
            if (line.kind == Line::Stop)
                return result;
            if (line.kind == Line::Entry) {
                keyFound = line.key;
                value = line.value;
            }
        }
        if (keyFound == wanted)
            result = value;
        keyFound.clear();
        if (i >= n)
            break;
    }
    return result;
}

namespace basMyMain {

QString ReadIni(const QString &iniPath, const QString &section, const QString &key, int occurrence)
{
    return IniFile::load(iniPath).value(section, key, occurrence);
}

}  // namespace basMyMain
