#pragma once
// A mount that never answers, as a hung network mount behaves: a FUSE file system whose server never
// reads its requests, so every look at it waits until it goes. Needs root, and a mount namespace of the
// process's own (the tests run under `unshare --mount`) so no other program on the machine meets it.
#include <QString>
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
        }
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

    // True where this process has a mount namespace of its own, set up by the test's runner.
    static bool privateNamespace() { return qEnvironmentVariableIsSet("VISTREL_PRIVATE_MOUNTS"); }

private:
    QByteArray at_;
    int fd_ = -1;
};
