#pragma once
// Which mounted file systems a user would browse, and what they are called, as a desktop file
// manager decides it: the machine's own mounts and pseudo file systems stay out, removable media and
// disks mounted for the user come in under their label.
#include "drives/Drives.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace Volumes {

struct Mount {
    QString root;       // mount point
    QByteArray fsType;  // "ext4", "vfat", "iso9660", "tmpfs"...
    QString label;      // empty when the file system has none
    qint64 bytesTotal = 0;
    bool ready = true;
};

// True for a mount a file manager lists: under /media, /run/media or the home folder, not inside a
// hidden folder, and not a pseudo or memory file system.
bool userVisible(const Mount &m, const QString &home);

// The label, or for a file system without one its size, as in "16.0 GB Volume".
QString displayName(const Mount &m);

// True when `folder` exists and its entries can be listed.
bool listable(const QString &folder);

// "Home" and "File System" first, then every visible mount by name.
QList<Drive> places(const QList<Mount> &mounts, const QString &home, bool homeReady, bool rootReady);

}  // namespace Volumes
