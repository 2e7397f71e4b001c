#include "disc/QuickIni.h"

#include "disc/DiscPaths.h"
#include "disc/IniReader.h"

namespace {

// The display name of a track or language: the text after the first blank, or all of a value
// without one.
QString displayName(const QString &value)
{
    const qsizetype blank = value.indexOf(QLatin1Char(' '));
    return blank < 0 ? value : value.mid(blank + 1);
}

// The number at the start of a text, as a number field reads it: leading blanks and tabs, a sign,
// digits with an optional fraction; 0 when there is none.
double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    qsizetype end = i;
    if (end < text.size() && (text[end] == u'+' || text[end] == u'-'))
        ++end;
    while (end < text.size() && (text[end].isDigit() || text[end] == u'.'))
        ++end;
    return QStringView(text).sliced(i, end - i).toDouble();
}

// The numbered entries of a SUBTITLES or LANGUAGES section, read only when its Directory is set: each
// one's display name, and the path of the section's File line of the same number.
void listTracks(const IniFile &ini, DiscPaths::Resolver &paths, const char *section, const QString &base,
                QStringList &names, QStringList &files)
{
    const QString name = QString::fromLatin1(section);
    const QString dir = ini.value(name, QStringLiteral("Directory"));
    if (dir.isEmpty())
        return;
    for (int n = 1;; ++n) {
        const QString entry = ini.value(name, QString::number(n));
        if (entry.isEmpty())
            break;
        names << displayName(entry);
        files << paths.resolve(base, dir + u'\\' + ini.value(name, QStringLiteral("File"), n));
    }
}

}  // namespace

namespace QuickIni {

QString mediaBase(bool autorunMode, bool relativeToIni, const QString &appPath, const QString &iniPath,
                  const QString &driveRoot)
{
    if (autorunMode)
        return appPath;
    if (relativeToIni)
        return DiscPaths::folderOf(iniPath);
    return driveRoot;
}

QuickDisc read(const QString &iniPath, const QString &base)
{
    return read(IniFile::load(iniPath), iniPath, base);
}

QuickDisc read(const IniFile &ini, const QString &iniPath, const QString &base)
{
    const auto at = [&](const char *section, const QString &key, int occurrence = 1) {
        return ini.value(QString::fromLatin1(section), key, occurrence);
    };
    const auto number = [](int n) { return QString::number(n); };
    const QString folder = DiscPaths::folderOf(iniPath);
    DiscPaths::Resolver paths;
    QuickDisc disc;

    const QString subDefault = at("SUBTITLES", QStringLiteral("Default"));
    const double defaultNumber = subDefault.isEmpty() ? 1 : leadingNumber(subDefault);
    listTracks(ini, paths, "SUBTITLES", base, disc.subNames, disc.subFiles);
    for (int n = 1; n <= disc.subNames.size(); ++n) {
        if (defaultNumber == n)
            disc.defaultSub = n - 1;
    }

    disc.moviePath = paths.resolve(
        base, at("MOVIE", QStringLiteral("Directory")) + u'\\' + at("MOVIE", QStringLiteral("AVIName")));
    disc.title = at("MAIN", QStringLiteral("Title"));

    if (!at("SPECIAL", QStringLiteral("CD")).isEmpty()) {
        disc.specialsListed = true;
        const QString specialDir = at("SPECIAL", QStringLiteral("Directory"));
        for (int n = 1;; ++n) {
            const QString entry = at("SPECIAL", number(n));
            if (entry.isEmpty())
                break;
            const qsizetype dot = entry.indexOf(QLatin1Char('.'));
            const qsizetype blank = dot < 0 ? -1 : entry.indexOf(QLatin1Char(' '), dot);
            if (blank < 0)
                continue;
            disc.specialNames << entry.mid(blank + 1);
            disc.specialInis << paths.resolve(folder, specialDir + u'\\' + entry.left(blank));
        }
    }

    for (int n = 1;; ++n) {
        const QString entry = at("CHAPTERS", number(n));
        if (entry.isEmpty())
            break;
        const qsizetype blank = entry.indexOf(QLatin1Char(' '));
        bool whole = false;
        const int frame = blank < 0 ? 0 : entry.left(blank).toInt(&whole);
        if (whole)
            disc.chapters.append({entry.mid(blank + 1), frame});
    }

    const QString primary = at("LANGUAGES", QStringLiteral("Primary"));
    disc.langNames << (primary.isEmpty() ? QStringLiteral("DEFAULT") : displayName(primary));
    listTracks(ini, paths, "LANGUAGES", base, disc.langNames, disc.audioFiles);
    return disc;
}

}  // namespace QuickIni
