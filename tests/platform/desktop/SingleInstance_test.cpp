#include "desktop/SingleInstance.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SingleInstance, SecondHolderSeesThePreviousInstanceUntilTheFirstEnds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vistrel.lock");
    auto first = std::make_unique<SingleInstance>(path);
    EXPECT_FALSE(first->IsPrevInstance());
    EXPECT_FALSE(first->IsPrevInstance());  // asked again: still the first
    SingleInstance second(path);
    EXPECT_TRUE(second.IsPrevInstance());
    EXPECT_TRUE(second.IsPrevInstance());
    first.reset();
    SingleInstance third(path);
    EXPECT_FALSE(third.IsPrevInstance());
}

TEST(SingleInstance, LockLeftByACrashedRunIsTakenOver)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vistrel.lock");
    {
        // What a killed run leaves: its lock file naming a process that no longer exists.
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("999999999\nvistrel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    SingleInstance instance(path);
    EXPECT_FALSE(instance.IsPrevInstance());
}
