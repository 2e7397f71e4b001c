#pragma once
// A mount that never answers, as a hung network mount behaves: a FUSE file system whose server never
// reads its requests, so every look at it waits until it goes. Needs root, and a mount namespace of the
// process's own (the tests run under `unshare --mount`) so no other program on the machine meets it.
#include <QFile>
#include <QString>
#include <sys/sysmacros.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

class StuckMount {
public:
    explicit StuckMount(const QString &at) : at_(at.toLocal8Bit())
    {
        fd_ = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
        if (fd_ < 0)
            return;
        const QByteArray options = "fd=" + QByteArray::number(fd_) + ",rootmode=40000,user_id=0,group_id=0";
        if (::mount("stuck", at_.constData(), "fuse.stuck", MS_NOSUID | MS_NODEV, options.constData()) != 0) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        mountedWaiting_ = waitingRequests();
    }
    ~StuckMount()
    {
        if (fd_ < 0)
            return;
        // Closing the server's end fails every waiting request, so threads stuck on the mount return.
        ::close(fd_);
        ::umount2(at_.constData(), MNT_DETACH);
    }
    StuckMount(const StuckMount &) = delete;
    StuckMount &operator=(const StuckMount &) = delete;

    bool mounted() const { return fd_ >= 0; }

    // How many looks at the mount wait for it now, from the kernel's count for the connection; -1 when
    // that count cannot be read.
    int waiting() const
    {
        const int now = waitingRequests();
        return now < 0 || mountedWaiting_ < 0 ? -1 : now - mountedWaiting_;
    }

    // True where this process has a mount namespace of its own, set up by the test's runner.
    static bool privateNamespace() { return qEnvironmentVariableIsSet("VISTREL_PRIVATE_MOUNTS"); }

private:
    // The kernel counts the requests of each FUSE connection in the FUSE control file system, mounted
    // here when it is not yet (the mount namespace is the test's own). The connection is named by the
    // device number of the mount, found in the mount table without looking at the mount itself.
    int waitingRequests() const
    {
        const char *control = "/sys/fs/fuse/connections";
        QFile table(QStringLiteral("/proc/self/mountinfo"));
        if (!table.open(QIODevice::ReadOnly))
            return -1;
        QByteArray device;
        for (const QByteArray &line : table.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() > 4 && fields[4] == at_)
                device = fields[2];
        }
        const QList<QByteArray> numbers = device.split(':');
        if (numbers.size() != 2)
            return -1;
        const dev_t dev = makedev(numbers[0].toUInt(), numbers[1].toUInt());
        // The kernel's own encoding of the device number names the folder.
        const QString count = QStringLiteral("%1/%2/waiting").arg(QLatin1String(control)).arg((major(dev) << 20) | minor(dev));
        if (!QFile::exists(count))
            ::mount("fusectl", control, "fusectl", 0, nullptr);
        QFile waiting(count);
        if (!waiting.open(QIODevice::ReadOnly))
            return -1;
        bool ok = false;
        const int n = waiting.readAll().trimmed().toInt(&ok);
        return ok ? n : -1;
    }

    QByteArray at_;
    int fd_ = -1;
    // What the mount itself leaves waiting: the first request, which the server never reads.
    int mountedWaiting_ = -1;
};
