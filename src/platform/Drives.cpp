#include "platform/Drives.h"

QList<Drive> QtDrives::volumes()
{
    return {};
}

QList<Drive> QtDrives::opticalDrives()
{
    return {};
}
