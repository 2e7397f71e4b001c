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

namespace {
QString userLocation(QStandardPaths::StandardLocation location)
{
    const QString dir = QStandardPaths::writableLocation(location);
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return QString();
    return withSeparator(dir);
}
}  // namespace

QString userFolder()
{
    return userLocation(QStandardPaths::AppDataLocation);
}

QString configFolder()
{
    return userLocation(QStandardPaths::AppConfigLocation);
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
