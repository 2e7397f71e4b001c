#pragma once
// Which of the Browse dialog's places a folder lies on.
#include "drives/Drives.h"

#include <QString>

namespace BrowsePlaces {

// The place whose folder holds `path` most closely ("/media/u/STICK" before "/" for a file on the
// stick), or -1 when none does.
int driveFor(const QList<Drive> &drives, const QString &path);

}  // namespace BrowsePlaces
