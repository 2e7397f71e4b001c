#pragma once
// Where the Browse dialog stands: the folder it opens in, and which of the places a folder lies on.
#include "drives/Drives.h"

#include <QString>

namespace BrowsePlaces {

// The remembered folder when it still exists and can be listed, else the home folder.
QString startFolder(const QString &lastDir, const QString &home);

// The place whose folder holds `path` most closely ("/media/u/STICK" before "/" for a file on the
// stick), or -1 when none does.
int driveFor(const QList<Drive> &drives, const QString &path);

}  // namespace BrowsePlaces
