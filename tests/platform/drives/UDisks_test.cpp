// The disk service's answer read into places and optical drives, and the real drive service against a
// disk service on a private bus that answers, and one that never does.
#include "drives/Drives.h"
#include "drives/UDisks.h"
#include "support/StuckMount.h"
#include "threads/DetachedThreads.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace {

using UDisks::Interfaces;
using UDisks::Objects;

const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");

QDBusObjectPath object(const char *name)
{
    return QDBusObjectPath(QStringLiteral("/org/freedesktop/UDisks2/") + QLatin1String(name));
}

// A block device as the service describes one; `mountedAt` empty for a file system not mounted, null
// for a device without a file system.
Interfaces block(const char *device, const char *mountedAt, QVariantMap extra = {}, const char *drive = "drives/none")
{
    QVariantMap props{{QStringLiteral("Device"), QByteArray(device) + '\0'},
                      {QStringLiteral("Drive"), QVariant::fromValue(object(drive))},
                      {QStringLiteral("IdType"), QStringLiteral("vfat")},
                      {QStringLiteral("Size"), QVariant::fromValue(qulonglong(16'000'000'000))}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        props[it.key()] = it.value();
    Interfaces i{{kBlock, props}};
    if (mountedAt) {
        const QByteArrayList points = *mountedAt ? QByteArrayList{QByteArray(mountedAt) + '\0'} : QByteArrayList{};
        i[kFilesystem] = QVariantMap{{QStringLiteral("MountPoints"), QVariant::fromValue(points)}};
    }
    return i;
}

Interfaces opticalDrive(bool media)
{
    return {{kDrive, QVariantMap{{QStringLiteral("Optical"), true}, {QStringLiteral("MediaAvailable"), media}}}};
}

Objects machine(const QString &home)
{
    const QByteArray stick = (home + QStringLiteral("/stick")).toLocal8Bit();
    return {
        {object("block_devices/sda1"), block("/dev/sda1", "/", {{QStringLiteral("IdType"), QStringLiteral("ext4")}})},
        {object("block_devices/sda2"),
         block("/dev/sda2", "/media/u/RECOVERY", {{QStringLiteral("HintIgnore"), true}})},
        {object("block_devices/sdb1"), block("/dev/sdb1", stick.constData(), {{QStringLiteral("IdLabel"), QStringLiteral("HOLIDAY")}})},
        {object("block_devices/sdc1"), block("/dev/sdc1", "/media/u/CAMERA",
                                             {{QStringLiteral("IdLabel"), QStringLiteral("EOS_DIGITAL")},
                                              {QStringLiteral("HintName"), QStringLiteral("Camera")}})},
        {object("block_devices/sdd1"), block("/dev/sdd1", "")},
        {object("block_devices/sdd"), block("/dev/sdd", nullptr)},
        {object("block_devices/sr10"), block("/dev/sr10", "", {}, "drives/dvd10")},
        {object("block_devices/sr0"), block("/dev/sr0", "/media/u/FILM", {{QStringLiteral("IdType"), QStringLiteral("iso9660")}}, "drives/dvd0")},
        {object("block_devices/sr2"), block("/dev/sr2", nullptr, {}, "drives/dvd2")},
        {object("drives/dvd0"), opticalDrive(true)},
        {object("drives/dvd2"), opticalDrive(false)},
        {object("drives/dvd10"), opticalDrive(true)},
        {object("drives/stick"), {{kDrive, QVariantMap{{QStringLiteral("Optical"), false}}}}},
    };
}

TEST(UDisks, MountedFileSystemsNotHiddenWithTheirNames)
{
    const UDisks::Found found = UDisks::read(machine(QStringLiteral("/home/u")));
    QStringList got;
    for (const Volumes::Mount &m : found.mounts)
        got << m.root + QLatin1Char('=') + m.label + QLatin1Char('/') + QString::fromLatin1(m.fsType);
    got.sort();
    EXPECT_EQ(got, (QStringList{QStringLiteral("/=/ext4"), QStringLiteral("/home/u/stick=HOLIDAY/vfat"),
                                // The service's name for a device comes before the file system's label.
                                QStringLiteral("/media/u/CAMERA=Camera/vfat"),
                                QStringLiteral("/media/u/FILM=/iso9660")}));
    for (const Volumes::Mount &m : found.mounts) {
        EXPECT_EQ(m.bytesTotal, 16'000'000'000) << qPrintable(m.root);
        EXPECT_FALSE(m.ready) << "readiness is asked of the mount itself";
    }
}

TEST(UDisks, OpticalDrivesInDeviceOrderWithMedia)
{
    const UDisks::Found found = UDisks::read(machine(QStringLiteral("/home/u")));
    const struct {
        const char *device, *mountPoint;
        bool media;
    } want[] = {
        {"/dev/sr0", "/media/u/FILM", true},
        // No file system read from it, no medium.
        {"/dev/sr2", "", false},
        // A medium in, not mounted.
        {"/dev/sr10", "", true},
    };
    ASSERT_EQ(found.optical.size(), int(std::size(want)));
    for (int i = 0; i < found.optical.size(); ++i) {
        EXPECT_EQ(found.optical[i].device, QLatin1String(want[i].device));
        EXPECT_EQ(found.optical[i].mountPoint, QLatin1String(want[i].mountPoint));
        EXPECT_EQ(found.optical[i].media, want[i].media) << want[i].device;
    }
}

TEST(UDisks, NothingFromAnEmptyAnswer)
{
    const UDisks::Found found = UDisks::read({});
    EXPECT_TRUE(found.mounts.isEmpty());
    EXPECT_TRUE(found.optical.isEmpty());
}

// A disk service on the test's private bus, standing in for the system bus: it answers with `objects`,
// or never when told not to.
class DiskService : public QDBusVirtualObject {
public:
    DiskService(const QString &address, std::optional<Objects> objects)
        : bus_(QDBusConnection::connectToBus(address, QStringLiteral("disk-service"))), objects_(std::move(objects))
    {
        bus_.registerVirtualObject(QStringLiteral("/org/freedesktop/UDisks2"), this);
        bus_.registerService(QStringLiteral("org.freedesktop.UDisks2"));
    }
    ~DiskService() override
    {
        bus_.unregisterService(QStringLiteral("org.freedesktop.UDisks2"));
        bus_.unregisterObject(QStringLiteral("/org/freedesktop/UDisks2"));
        QDBusConnection::disconnectFromBus(QStringLiteral("disk-service"));
    }
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        // Taken and never answered, as a service that hangs.
        if (objects_)
            connection.send(message.createReply(QVariant::fromValue(*objects_)));
        return true;
    }

private:
    QDBusConnection bus_;
    std::optional<Objects> objects_;
};

class DrivesOnAPrivateBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("VISTREL_PRIVATE_BUS"))
            GTEST_SKIP() << "needs a private bus (ctest runs it under dbus-run-session)";
        qDBusRegisterMetaType<Interfaces>();
        qDBusRegisterMetaType<Objects>();
        qDBusRegisterMetaType<QByteArrayList>();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", qgetenv("DBUS_SESSION_BUS_ADDRESS"));
        oldHome_ = qgetenv("HOME");
        qputenv("HOME", home_.path().toLocal8Bit());
        ASSERT_TRUE(QDir(home_.path()).mkpath(QStringLiteral("stick")));
    }
    void TearDown() override
    {
        if (!oldHome_.isNull())
            qputenv("HOME", oldHome_);
    }
    QString address() const { return qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"); }

    QTemporaryDir home_;
    QByteArray oldHome_;
};

TEST_F(DrivesOnAPrivateBus, TheServiceNamesThePlaces)
{
    DiskService service(address(), machine(home_.path()));
    QtDrives drives(1000);
    QSignalSpy changed(&drives, &Drives::changed);
    ASSERT_TRUE(changed.wait(5000));
    const QList<Drive> places = drives.volumes();
    const auto named = [&](const QString &name) {
        return std::find_if(places.begin(), places.end(), [&](const Drive &d) { return d.name == name; });
    };
    ASSERT_NE(named(QStringLiteral("HOLIDAY")), places.end());
    EXPECT_EQ(named(QStringLiteral("HOLIDAY"))->root, home_.path() + QStringLiteral("/stick"));
    EXPECT_TRUE(named(QStringLiteral("HOLIDAY"))->ready);
    // Named by the service, though its folder does not answer a listing here.
    ASSERT_NE(named(QStringLiteral("Camera")), places.end());
    EXPECT_FALSE(named(QStringLiteral("Camera"))->ready);
    EXPECT_FALSE(std::any_of(places.begin(), places.end(), [](const Drive &d) {
        return d.root == QLatin1String("/media/u/RECOVERY");
    }));
    // The disc in sr0 is mounted where nothing answers a listing: not ready, but named by its folder.
    const QList<Drive> optical = drives.opticalDrives();
    ASSERT_EQ(optical.size(), 3);
    EXPECT_EQ(optical[0].name, QStringLiteral("/media/u/FILM"));
    EXPECT_FALSE(optical[0].ready);
    EXPECT_EQ(optical[1].name, QStringLiteral("/dev/sr2"));
}

TEST_F(DrivesOnAPrivateBus, AServiceThatNeverAnswersIsLeftForTheMountTable)
{
    if (!qEnvironmentVariableIsSet("VISTREL_PRIVATE_MOUNTS"))
        GTEST_SKIP() << "needs a mount namespace of its own (ctest runs it under unshare --mount)";
    // A real mount in the kernel's table, which only the table tells of.
    const QTemporaryDir source;
    const QByteArray stick = (home_.path() + QStringLiteral("/stick")).toLocal8Bit();
    ASSERT_EQ(::mount(source.path().toLocal8Bit().constData(), stick.constData(), nullptr, MS_BIND, nullptr), 0);
    DiskService service(address(), std::nullopt);
    QtDrives drives(300);
    QSignalSpy changed(&drives, &Drives::changed);
    // The list is there at once; the one that follows comes from the kernel's table after the bound.
    EXPECT_EQ(drives.volumes().value(0).root, home_.path());
    ASSERT_TRUE(changed.wait(5000));
    const QList<Drive> places = drives.volumes();
    ASSERT_GE(places.size(), 2);
    EXPECT_EQ(places[0].root, home_.path());
    EXPECT_TRUE(places[0].ready);
    const auto atStick = std::find_if(places.begin(), places.end(), [&](const Drive &d) { return d.root == stick; });
    ASSERT_NE(atStick, places.end());
    EXPECT_NE(atStick->name, QStringLiteral("HOLIDAY"));
    EXPECT_TRUE(atStick->ready);
    ::umount2(stick.constData(), MNT_DETACH);
}

// The program ends while its scan waits on a service that never answers and a mount that never does:
// the scan gives up asking once nobody is left to tell, within the bound the end waits for it.
TEST_F(DrivesOnAPrivateBus, LetGoDuringAScanThatWaitsOnNothingAnsweringItEndsWithinTheBound)
{
    if (!StuckMount::privateNamespace())
        GTEST_SKIP() << "needs a mount namespace of its own (ctest runs it under unshare --mount)";
    const QString stuckAt = home_.path() + QStringLiteral("/stick");
    StuckMount stuck(stuckAt);
    ASSERT_TRUE(stuck.mounted());
    DiskService service(address(), std::nullopt);
    {
        // Service and mount each take the whole answer bound; both together would outlast the end's.
        QtDrives drives(QtDrives::kAnswerMs);
    }
    EXPECT_TRUE(DetachedThreads::settle(DetachedThreads::kAtExit));
}

}  // namespace
