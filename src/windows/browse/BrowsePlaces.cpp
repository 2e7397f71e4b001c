#include "browse/BrowsePlaces.h"

#include <QDir>

namespace BrowsePlaces {

int driveFor(const QList<Drive> &drives, const QString &path)
{
    const QString p = QDir::cleanPath(path);
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString root = QDir::cleanPath(drives[i].root);
        if (drives[i].root.isEmpty())
            continue;
        const bool holds = p == root || p.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

}  // namespace BrowsePlaces
