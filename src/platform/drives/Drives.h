#pragma once
// The machine's drives as the player sees them: the places the Browse dialog offers, and the optical
// drives that disc mode searches. Real implementation over the mount table and the kernel's block
// devices; tests use a double with drives of their own.
#include <QList>
#include <QString>

struct Drive {
    QString name;        // as the lists and the run log show it
    QString root;        // the folder its files are under; empty while no medium is mounted
    bool ready = false;  // a medium is in and can be read
};

class Drives {
public:
    virtual ~Drives() = default;
    // The places a user would browse from, in the order a file manager shows them.
    virtual QList<Drive> volumes() = 0;
    // The optical drives, in device-name order, with or without a medium.
    virtual QList<Drive> opticalDrives() = 0;
};

class QtDrives final : public Drives {
public:
    QList<Drive> volumes() override;
    QList<Drive> opticalDrives() override;
};
