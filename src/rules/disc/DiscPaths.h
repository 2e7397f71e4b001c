#pragma once
// Paths of a disc. Quick ini files name folders with backslashes and are mastered on systems that
// ignore letter case, so their names are found here under this system's separator and, where the
// exact name does not exist, under one that differs only in case.
#include <QHash>
#include <QString>

namespace DiscPaths {

// `relative` (backslashes or slashes) under `folder`. Each part is taken under its exact name or, where
// that does not exist, under the first name in the folder that differs only in letter case; from the
// first part found neither way on, the rest stays as written. Empty parts and "." are dropped.
QString resolve(const QString &folder, const QString &relative);

// The same for many paths at once: each folder is listed once, however many names are looked up in
// it, so a disc's long lists cost one listing per folder.
class Resolver {
public:
    QString resolve(const QString &folder, const QString &relative);

private:
    // Each folder's names by their lower-case form; the first in name order where several differ only
    // in case.
    QHash<QString, QHash<QString, QString>> listings_;
};

// The folder a file lies in, ending in a separator.
QString folderOf(const QString &file);

// The first of the Quick ini names a disc may carry ("kelmora.ini", "mdvd.ini", "mdvd.mdv",
// "mdvd.mvd") that is a file in `root`, letter case aside; empty when there is none.
QString quickIniIn(const QString &root);

}  // namespace DiscPaths
