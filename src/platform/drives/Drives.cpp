#include "drives/Drives.h"

#include "drives/Volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

QList<Drive> QtDrives::volumes()
{
    QList<Volumes::Mount> mounts;
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes())
        mounts.append({s.rootPath(), s.fileSystemType(), s.name(), s.bytesTotal(), s.isReady() && Volumes::listable(s.rootPath())});
    const QString home = QDir::homePath();
    return Volumes::places(mounts, home, Volumes::listable(home), Volumes::listable(QStringLiteral("/")));
}

QList<Drive> QtDrives::opticalDrives()
{
    QStringList names = QDir(QStringLiteral("/sys/block"))
                            .entryList({QStringLiteral("sr*")}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    // sr2 before sr10.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    const QList<QStorageInfo> mounted = QStorageInfo::mountedVolumes();
    QList<Drive> found;
    for (const QString &name : names) {
        Drive drive;
        const QByteArray device = "/dev/" + name.toLocal8Bit();
        drive.name = QString::fromLocal8Bit(device);
        for (const QStorageInfo &volume : mounted) {
            if (volume.device() != device)
                continue;
            drive.name = volume.rootPath();
            drive.root = volume.rootPath();
            drive.ready = volume.isValid() && volume.isReady() && QFileInfo(drive.root).isReadable();
            break;
        }
        found << drive;
    }
    return found;
}
