#pragma once
// What UDisks2 (the desktop's disk service, on the system bus) tells of the machine's disks: labels,
// "ignore" hints, the optical drives and whether a medium is in, all without touching any mount.
#include "drives/Volumes.h"

#include <QList>
#include <QDBusObjectPath>
#include <QMap>
#include <QMetaType>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace UDisks {

// The service's managed objects as GetManagedObjects returns them: object -> interface -> properties.
using Interfaces = QMap<QString, QVariantMap>;
using Objects = QMap<QDBusObjectPath, Interfaces>;

struct Optical {
    QString device;      // "/dev/sr0"
    QString mountPoint;  // empty while nothing is mounted
    bool media = false;  // a medium is in
};

struct Found {
    // Every mounted file system the service does not ask to hide, not ready until asked.
    QList<Volumes::Mount> mounts;
    // The optical drives, in device-name order.
    QList<Optical> optical;
};

Found read(const Objects &objects);

// Asks the service on the system bus and waits up to `answerMs` for its answer; nullopt where there is
// no bus, no service, or no answer in time. Waits: for a thread that may.
std::optional<Found> ask(int answerMs);

}  // namespace UDisks

Q_DECLARE_METATYPE(UDisks::Interfaces)
Q_DECLARE_METATYPE(UDisks::Objects)
