#include "desktop/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance() : SingleInstance(defaultLockPath()) {}

SingleInstance::SingleInstance(const QString &lockPath) : path_(lockPath) {}

QString SingleInstance::defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/vistrel-") + qEnvironmentVariable("USER", QStringLiteral("user"))
           + QStringLiteral(".lock");
}

bool SingleInstance::IsPrevInstance()
{
    if (answer_ >= 0)
        return answer_ == 1;
    lock_ = std::make_unique<QLockFile>(path_);
    // Staleness only by the holder's process being gone, never by age: a long run keeps its lock.
    lock_->setStaleLockTime(0);
    bool taken = lock_->tryLock(0);
    if (!taken && lock_->error() == QLockFile::LockFailedError && lock_->removeStaleLockFile())
        taken = lock_->tryLock(0);
    if (!taken && lock_->error() == QLockFile::PermissionError)
        taken = true;  // no lock can be kept there: run rather than refuse to start
    answer_ = taken ? 0 : 1;
    if (!taken)
        lock_.reset();
    return answer_ == 1;
}
