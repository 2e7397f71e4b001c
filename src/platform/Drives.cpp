#include "platform/Drives.h"

#include "platform/Volumes.h"

#include <QDir>
#include <QStorageInfo>

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
    return {};
}
