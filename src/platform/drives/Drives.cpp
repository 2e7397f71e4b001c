#include "drives/Drives.h"

#include "drives/DriveScan.h"
#include "drives/Volumes.h"

#include <QDir>
#include <QSocketNotifier>
#include <algorithm>
#include <utility>
#include <fcntl.h>
#include <unistd.h>

QtDrives::QtDrives(int answerMs)
{
    const DriveScan::Found first = DriveScan::unasked(QDir::homePath());
    volumes_ = first.volumes;
    optical_ = first.optical;
    scan_ = std::make_unique<DriveScan>(QDir::homePath(), answerMs, [this](const DriveScan::Found &found) {
        const std::lock_guard guard(arriving_);
        arrived_ = Finding{found.volumes, found.optical};
        QMetaObject::invokeMethod(this, "take", Qt::QueuedConnection);
    });
    // The kernel marks its mount table exceptional whenever a mount comes or goes.
    const int fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        mountsChanged_ = new QSocketNotifier(fd, QSocketNotifier::Exception, this);
        connect(mountsChanged_, &QSocketNotifier::activated, this, [this] { scan_->request(); });
    }
    scan_->request();
}

QtDrives::~QtDrives()
{
    if (mountsChanged_) {
        const auto fd = mountsChanged_->socket();
        delete mountsChanged_;
        ::close(static_cast<int>(fd));
    }
}

QList<Drive> QtDrives::volumes()
{
    scan_->request();
    return volumes_;
}

QList<Drive> QtDrives::opticalDrives()
{
    scan_->request();
    return optical_;
}

void QtDrives::take()
{
    std::optional<Finding> arrived;
    {
        const std::lock_guard guard(arriving_);
        arrived = std::exchange(arrived_, std::nullopt);
    }
    if (!arrived)
        return;
    const auto &[volumes, optical] = *arrived;
    const auto same = [](const QList<Drive> &a, const QList<Drive> &b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Drive &x, const Drive &y) {
            return x.name == y.name && x.root == y.root && x.ready == y.ready;
        });
    };
    if (same(volumes, volumes_) && same(optical, optical_))
        return;
    volumes_ = volumes;
    optical_ = optical;
    emit changed();
}
