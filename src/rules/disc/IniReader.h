#pragma once
// The reader of Quick ini files. Its rules are its own, not the platform's profile functions: a line
// splits at its last "=", a value ends before its last ";", a comment line ends a section for every
// lookup, repeated keys are picked by occurrence, names compare without regard to case, and trimming
// removes blanks only (tabs are text).
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The lines of one file, read once so that many lookups cost no further reading.
class IniFile {
public:
    IniFile() = default;
    // Lines end in CR LF, a lone LF or a lone CR. Text that is valid UTF-8 is read as such, anything
    // else in the 8-bit code page (Windows-1252).
    explicit IniFile(QByteArrayView bytes);

    // A path that names no regular readable file reads as an empty file, and so does a file with NUL
    // bytes in its first block (a movie dropped by mistake is no text and is not read through).
    static IniFile load(const QString &path);

    // The value of the `occurrence`-th line carrying `key` in `section`. Fewer matching lines before
    // the section ends give the last one found; none give the empty text. A header that is the last
    // line of the file has no lines and yields nothing.
    QString value(const QString &section, const QString &key, int occurrence = 1) const;

private:
    struct Line {
        enum Kind { Blank, Stop, Entry, Other };
        Kind kind = Blank;
        QString upper;  // the trimmed line upper-cased, compared with a section header
        QString key;    // an entry's key part, upper-cased
        QString value;
    };
    QList<Line> lines_;
};

namespace basMyMain {

// One lookup in the Quick ini file at `iniPath`; a missing file yields the empty text. Numbered keys
// are passed as their decimal text ("1", "2" ...).
QString ReadIni(const QString &iniPath, const QString &section, const QString &key, int occurrence = 1);

}  // namespace basMyMain
