#include "drives/DriveScan.h"

#include "drives/UDisks.h"
#include "drives/Volumes.h"
#include "threads/DetachedThreads.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace {

// What asking one mount told: filled on the asking thread, read once it is done.
struct Answer {
    std::mutex lock;
    std::condition_variable done;
    bool answered = false;
    QString label;
    qint64 bytesTotal = 0;
    bool ready = false;
};

// The optical drives' device names, sr2 before sr10. The kernel's sysfs never waits on a medium.
QStringList opticalDevices()
{
    QStringList names = QDir(QStringLiteral("/sys/block"))
                            .entryList({QStringLiteral("sr*")}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return names;
}

// The kernel's mount table, a file that is read without touching any mount.
QList<Volumes::TableEntry> mountTable()
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    return table.open(QIODevice::ReadOnly) ? Volumes::parseMountInfo(table.readAll()) : QList<Volumes::TableEntry>();
}

// What the kernel's tables tell where no disk service does: every mount, the optical drives from sysfs
// with a medium where one is mounted.
UDisks::Found fromTables()
{
    const QList<Volumes::TableEntry> entries = mountTable();
    UDisks::Found found;
    for (const Volumes::TableEntry &e : entries)
        found.mounts.append({e.root, e.fsType, {}, 0, false});
    for (const QString &name : opticalDevices()) {
        UDisks::Optical drive{QStringLiteral("/dev/") + name, {}, false};
        for (const Volumes::TableEntry &e : entries) {
            if (e.device == drive.device.toLocal8Bit()) {
                drive.mountPoint = e.root;
                drive.media = true;
                break;
            }
        }
        found.optical << drive;
    }
    return found;
}

// An optical drive as the lists show it: under its mount point where a medium is mounted.
Drive opticalDrive(const UDisks::Optical &o, bool ready)
{
    return {o.mountPoint.isEmpty() ? o.device : o.mountPoint, o.mountPoint, ready};
}

}  // namespace

struct DriveScan::Shared {
    const QString home;
    const int answerMs;

    std::mutex lock;
    Deliver deliver;
    bool running = false, again = false;
    // Mounts asked and not answered yet, by mount point; kept across scans.
    std::map<QString, std::shared_ptr<Answer>> waiting;

    Shared(QString h, int ms, Deliver d) : home(std::move(h)), answerMs(ms), deliver(std::move(d)) {}

    bool abandoned()
    {
        const std::lock_guard guard(lock);
        return !deliver;
    }

    // Asks `root` on a thread of its own, unless an earlier question is still unanswered.
    std::shared_ptr<Answer> ask(const QString &root)
    {
        {
            const std::lock_guard guard(lock);
            auto it = waiting.find(root);
            if (it != waiting.end())
                return it->second;
        }
        auto answer = std::make_shared<Answer>();
        std::thread([root, answer] {
            const QStorageInfo info(root);
            // A folder the mount table does not know (inside a chroot, or a sandbox with mounts of its
            // own) is ready when it lists.
            const bool ready = Volumes::listable(root) && (!info.isValid() || info.isReady());
            const std::lock_guard guard(answer->lock);
            answer->label = info.name();
            answer->bytesTotal = info.bytesTotal();
            answer->ready = ready;
            answer->answered = true;
            answer->done.notify_all();
        }).detach();
        return answer;
    }

    Found scan()
    {
        // UDisks2 where the system bus has it (labels, hints, media), else the kernel's own tables.
        const std::optional<UDisks::Found> told = UDisks::ask(answerMs);
        // Nobody is left to tell (the program ends): the mounts are not asked.
        if (abandoned())
            return {};
        const UDisks::Found source = told ? *told : fromTables();

        // Every mount worth asking, with one question each, all under one bound.
        std::map<QString, std::shared_ptr<Answer>> asked;
        asked[home] = ask(home);
        asked[QStringLiteral("/")] = ask(QStringLiteral("/"));
        for (const Volumes::Mount &m : source.mounts) {
            if (Volumes::userVisible(m, home))
                asked.try_emplace(m.root, ask(m.root));
        }
        for (const UDisks::Optical &o : source.optical) {
            if (!o.mountPoint.isEmpty())
                asked.try_emplace(o.mountPoint, ask(o.mountPoint));
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(answerMs);
        std::map<QString, std::shared_ptr<Answer>> answered;
        for (auto &[root, answer] : asked) {
            std::unique_lock guard(answer->lock);
            if (answer->done.wait_until(guard, deadline, [&] { return answer->answered; }))
                answered[root] = answer;
        }
        {
            const std::lock_guard guard(lock);
            for (auto &[root, answer] : asked) {
                if (answered.count(root))
                    waiting.erase(root);
                else
                    waiting[root] = answer;
            }
        }

        QList<Volumes::Mount> mounts;
        for (Volumes::Mount m : source.mounts) {
            auto it = answered.find(m.root);
            if (it == answered.end())
                continue;
            if (m.label.isEmpty())
                m.label = it->second->label;
            if (m.bytesTotal <= 0)
                m.bytesTotal = it->second->bytesTotal;
            m.ready = it->second->ready;
            mounts.append(m);
        }
        const auto readyAt = [&](const QString &root) {
            auto it = answered.find(root);
            return it != answered.end() && it->second->ready;
        };
        Found found;
        found.volumes = Volumes::places(mounts, home, readyAt(home), readyAt(QStringLiteral("/")));
        for (const UDisks::Optical &o : source.optical)
            found.optical << opticalDrive(o, o.media && readyAt(o.mountPoint));
        return found;
    }

    // The scan thread: scans until no request is left.
    static void run(const std::shared_ptr<Shared> &self)
    {
        for (;;) {
            const Found found = self->scan();
            const std::lock_guard guard(self->lock);
            if (self->deliver)
                self->deliver(found);
            if (!self->again || !self->deliver) {
                self->running = false;
                return;
            }
            self->again = false;
        }
    }
};

DriveScan::Found DriveScan::unasked(const QString &home)
{
    Found found{Volumes::places({}, home, true, true), {}};
    for (const UDisks::Optical &o : fromTables().optical)
        found.optical << opticalDrive(o, false);
    return found;
}

DriveScan::DriveScan(QString home, int answerMs, Deliver deliver)
    : shared_(std::make_shared<Shared>(std::move(home), answerMs, std::move(deliver)))
{
}

DriveScan::~DriveScan()
{
    // A scan under way finishes on its own and delivers nothing.
    const std::lock_guard guard(shared_->lock);
    shared_->deliver = nullptr;
}

void DriveScan::request()
{
    {
        const std::lock_guard guard(shared_->lock);
        if (shared_->running) {
            shared_->again = true;
            return;
        }
        shared_->running = true;
    }
    DetachedThreads::start([shared = shared_] { Shared::run(shared); });
}
