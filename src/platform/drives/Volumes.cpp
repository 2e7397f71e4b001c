#include "drives/Volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

namespace Volumes {

namespace {

bool pseudoFileSystem(const QByteArray &type)
{
    static const QList<QByteArray> pseudo = {
        "proc",     "sysfs",      "tmpfs",     "devtmpfs",  "devpts",     "overlay",    "squashfs", "cgroup",
        "cgroup2",  "mqueue",     "debugfs",   "tracefs",   "securityfs", "pstore",     "bpf",      "autofs",
        "fusectl",  "configfs",   "hugetlbfs", "binfmt_misc", "efivarfs", "ramfs",      "nsfs",     "rpc_pipefs",
        "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.snapfuse", "nfsd"};
    return type.isEmpty() || pseudo.contains(type);
}

bool under(const QString &path, const QString &folder)
{
    const QString f = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(f) && path.size() > f.size();
}

}  // namespace

bool userVisible(const Mount &m, const QString &home)
{
    const QString root = QDir::cleanPath(m.root);
    if (pseudoFileSystem(m.fsType) || root.contains(QLatin1String("/.")))
        return false;
    return under(root, QStringLiteral("/media")) || under(root, QStringLiteral("/run/media"))
           || (!home.isEmpty() && under(root, QDir::cleanPath(home)));
}

bool listable(const QString &folder)
{
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isDir() && info.isReadable() && info.isExecutable();
}

QString displayName(const Mount &m)
{
    if (!m.label.isEmpty())
        return m.label;
    return QLocale::c().formattedDataSize(m.bytesTotal, 1, QLocale::DataSizeSIFormat) + QStringLiteral(" Volume");
}

QList<Drive> places(const QList<Mount> &mounts, const QString &home, bool homeReady, bool rootReady)
{
    QList<Drive> volumes;
    for (const Mount &m : mounts) {
        if (userVisible(m, home))
            volumes.append({displayName(m), QDir::cleanPath(m.root), m.ready});
    }
    std::stable_sort(volumes.begin(), volumes.end(), [](const Drive &a, const Drive &b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    QList<Drive> out{{QStringLiteral("Home"), QDir::cleanPath(home), homeReady},
                     {QStringLiteral("File System"), QStringLiteral("/"), rootReady}};
    return out + volumes;
}

}  // namespace Volumes
