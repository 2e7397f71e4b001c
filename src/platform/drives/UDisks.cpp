#include "drives/UDisks.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <algorithm>

namespace UDisks {

namespace {

const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");

// Byte-string properties ("ay") end in a NUL the service counts as part of the value.
QString byteString(const QVariant &v)
{
    QByteArray bytes = v.toByteArray();
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    return QString::fromLocal8Bit(bytes);
}

// "aay" arrives from the bus still marshalled; a list made in the process arrives as it is.
QByteArrayList byteStrings(const QVariant &v)
{
    if (v.canConvert<QDBusArgument>())
        return qdbus_cast<QByteArrayList>(v.value<QDBusArgument>());
    return v.value<QByteArrayList>();
}

QString objectPath(const QVariant &v)
{
    if (v.canConvert<QDBusObjectPath>())
        return v.value<QDBusObjectPath>().path();
    return v.toString();
}

}  // namespace

Found read(const Objects &objects)
{
    Found found;
    QMap<QString, bool> opticalMedia;  // drive object -> medium in
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        const QVariantMap drive = it.value().value(kDrive);
        if (drive.value(QStringLiteral("Optical")).toBool())
            opticalMedia[it.key().path()] = drive.value(QStringLiteral("MediaAvailable")).toBool();
    }
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        if (!it.value().contains(kBlock))
            continue;
        const QVariantMap block = it.value().value(kBlock);
        const QByteArrayList points = byteStrings(it.value().value(kFilesystem).value(QStringLiteral("MountPoints")));
        QString mountPoint = points.isEmpty() ? QString() : QString::fromLocal8Bit(points.first());
        if (mountPoint.endsWith(QChar(0)))
            mountPoint.chop(1);
        const QString drivePath = objectPath(block.value(QStringLiteral("Drive")));
        if (opticalMedia.contains(drivePath)) {
            found.optical.append({byteString(block.value(QStringLiteral("Device"))), mountPoint,
                                  opticalMedia.value(drivePath)});
        }
        if (mountPoint.isEmpty() || block.value(QStringLiteral("HintIgnore")).toBool())
            continue;
        QString label = block.value(QStringLiteral("HintName")).toString();
        if (label.isEmpty())
            label = block.value(QStringLiteral("IdLabel")).toString();
        found.mounts.append({mountPoint, block.value(QStringLiteral("IdType")).toString().toLatin1(), label,
                             block.value(QStringLiteral("Size")).toLongLong(), false});
    }
    // sr2 before sr10.
    std::sort(found.optical.begin(), found.optical.end(), [](const Optical &a, const Optical &b) {
        return a.device.size() != b.device.size() ? a.device.size() < b.device.size() : a.device < b.device;
    });
    return found;
}

std::optional<Found> ask(int answerMs)
{
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<Objects>();
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return std::nullopt;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.UDisks2"), QStringLiteral("/org/freedesktop/UDisks2"),
        QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("GetManagedObjects"));
    const QDBusReply<Objects> reply = bus.call(call, QDBus::Block, answerMs);
    if (!reply.isValid())
        return std::nullopt;
    return read(reply.value());
}

}  // namespace UDisks
