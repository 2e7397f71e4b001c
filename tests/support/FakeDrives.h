#pragma once
// Drives a test sets up by hand.
#include "drives/Drives.h"

class FakeDrives : public Drives {
public:
    QList<Drive> volumeList;
    QList<Drive> opticalList;

    QList<Drive> volumes() override { return volumeList; }
    QList<Drive> opticalDrives() override { return opticalList; }
};
