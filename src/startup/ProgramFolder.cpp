#include "startup/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder {

QString withSeparator(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString appPath()
{
    return withSeparator(QCoreApplication::applicationDirPath());
}

QString userFolder()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return QString();
    return withSeparator(dir);
}

bool installed(const QString &appPath)
{
    return QFileInfo::exists(appPath + QStringLiteral("../share/applications/vistrel.desktop"));
}

QString writableFolder(const QString &appPath)
{
    const QFileInfo info(appPath);
    if (info.isDir() && info.isWritable() && !installed(appPath))
        return appPath;
    const QString user = userFolder();
    return user.isEmpty() ? appPath : user;
}

}  // namespace ProgramFolder
