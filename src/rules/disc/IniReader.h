#pragma once
// The reader of Quick ini files. Its rules are its own, not the platform's profile functions: a line
// splits at its last "=", a value ends before its last ";", a comment line ends a section for every
// lookup, repeated keys are picked by occurrence, names compare without regard to case, and trimming
// removes blanks only (tabs are text).
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

// One file read once and indexed, so that each lookup costs the same whatever the file's size.
class IniFile {
public:
    // Far above any disc's description; a larger file is no Quick ini file.
    static constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

    IniFile() = default;
    // Lines end in CR LF, a lone LF or a lone CR. Each line is UTF-8 where it is valid UTF-8, else in
    // the user's legacy code page.
    explicit IniFile(QByteArrayView bytes);

    // A path that names no regular readable file reads as an empty file, and so does a file larger
    // than kMaxBytes or with NUL bytes in its first block (a movie dropped by mistake is no text and
    // is not read through).
    static IniFile load(const QString &path);

    // The value of the `occurrence`-th line carrying `key` in `section`. Fewer matching lines before
    // the section ends give the last one found; none give the empty text. A header that is the last
    // line of the file has no lines and yields nothing.
    QString value(const QString &section, const QString &key, int occurrence = 1) const;

private:
    // The entries of a section from its header to the first line starting with "[" or ";": for each
    // upper-cased key, the values of its lines in order.
    using Stretch = QHash<QString, QStringList>;
    // The first line of each header text, upper-cased, as a lookup finds it.
    QHash<QString, Stretch> sections_;
};

namespace basMyMain {

// One lookup in the Quick ini file at `iniPath`; a missing file yields the empty text. Numbered keys
// are passed as their decimal text ("1", "2" ...).
QString ReadIni(const QString &iniPath, const QString &section, const QString &key, int occurrence = 1);

}  // namespace basMyMain
