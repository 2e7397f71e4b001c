#pragma once
// One running instance per user. The first instance holds a lock file for its whole run; the lock
// names the holder's process, so a lock left by a crashed run counts as stale and is taken over.
#include <QLockFile>
#include <QString>
#include <memory>

class SingleInstance {
public:
    // The lock file in the per-user runtime folder.
    SingleInstance();
    explicit SingleInstance(const QString &lockPath);

    // True when another instance holds the lock. Asked once; later calls give the same answer, and
    // the lock, once taken, is kept until this object goes.
    bool IsPrevInstance();

    static QString defaultLockPath();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    int answer_ = -1;  // -1 not asked yet, 0 first instance, 1 another one runs
};
