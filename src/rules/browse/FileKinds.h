#pragma once
// The kinds of file the player opens by browsing, with the filter entries and patterns the Browse
// dialog offers for each, and the pattern test used wherever a file's kind is decided by its name.
#include <QString>
#include <QStringList>

namespace FileKinds {

// What the Browse dialog is choosing (browseMode).
enum Mode { QuickIni = 1, Video = 2, Audio = 3, Subtitles = 4, Skin = 5 };

// The filter list of one mode: the entries shown and their ";"-separated patterns, by position.
struct Filters {
    QStringList entries;
    QStringList patterns;
};
Filters filtersFor(int mode);

// True when fileName (a name or a path; only the last component counts) matches one of the
// ";"-separated wildcard patterns, ignoring letter case: "MOVIE.AVI" is a video as "movie.avi" is.
bool matches(const QString &fileName, const QString &patterns);

// The wildcard list of a ";"-separated pattern string, as name filters take it ("*.*" becomes "*").
QStringList nameFilters(const QString &patterns);

}  // namespace FileKinds
