#pragma once
// Finds the places and the optical drives away from the UI thread: from UDisks2 where the system bus
// offers it, else from the kernel's mount table. Each mount is asked on a thread of
// its own and left out when it has not answered within a bound: a network or FUSE mount that hangs
// keeps only its own thread, and is not asked again until that thread returns.
#include "drives/Drives.h"

#include <QString>
#include <functional>
#include <memory>

class DriveScan {
public:
    struct Found {
        QList<Drive> volumes;
        QList<Drive> optical;
    };
    using Deliver = std::function<void(const Found &)>;

    // `deliver` is called on the scan's thread after each scan, until this object goes.
    DriveScan(QString home, int answerMs, Deliver deliver);
    ~DriveScan();

    // What the kernel's tables tell without asking any mount: home and the root folder as places (taken
    // as readable), the optical drives by mount point or device, none of them ready yet.
    static Found unasked(const QString &home);

    // Scans now, or once more after the scan under way.
    void request();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};
