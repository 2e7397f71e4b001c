// The desktop session on a real session bus: the screen-saver calls reach a screen-saver service, and
// a desktop client drives the player through the media-control interfaces. These run only on the
// private bus that their ctest entry starts (dbus-run-session), never on a user's own bus.
#include "support/PanelFixture.h"

#include "desktop/DesktopSession.h"
#include "engine/MediaEngine.h"
#include "desktop/ScreenSaver.h"
#include "startup/OpenedFile.h"

#include <QDBusConnection>
#include <QFile>
#include <QUrl>
#include <limits>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QTest>
#include <gtest/gtest.h>

namespace {

bool onPrivateBus()
{
    return qEnvironmentVariable("VISTREL_PRIVATE_BUS") == QLatin1String("1")
           && QDBusConnection::sessionBus().isConnected();
}

#define REQUIRE_PRIVATE_BUS()                                                     \
    if (!onPrivateBus())                                                          \
    GTEST_SKIP() << "needs the private session bus of its ctest entry"

// The desktop's screen saver as far as the player uses it, on a connection of its own.
class FakeScreenSaverService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList calls;
    uint nextCookie = 41;

public slots:
    uint Inhibit(const QString &app, const QString &reason)
    {
        calls << QStringLiteral("Inhibit ") + (app.isEmpty() || reason.isEmpty() ? QStringLiteral("?") : app);
        return ++nextCookie;
    }
    void UnInhibit(uint cookie) { calls << QStringLiteral("UnInhibit %1").arg(cookie); }
};

// A second connection to the bus, as another program on the desktop has.
QDBusConnection otherProgram(const QString &name)
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

// A call from the other connection, waited for without blocking the player's side.
QDBusMessage callAndWait(QDBusConnection &bus, const QDBusMessage &call)
{
    QDBusPendingCall pending = bus.asyncCall(call);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000)) << "no answer";
    return pending.reply();
}

const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

QDBusMessage playerCall(const QString &method, const QVariantList &args = {})
{
    QDBusMessage m = QDBusMessage::createMethodCall(MprisService::busName(), kPath, kPlayer, method);
    m.setArguments(args);
    return m;
}

QVariant playerProperty(QDBusConnection &bus, const QString &name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(MprisService::busName(), kPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << kPlayer << name;
    const QDBusMessage reply = callAndWait(bus, get);
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

class ChangeListener : public QObject {
    Q_OBJECT
public:
    QStringList seen;  // "PlaybackStatus=Playing", "Metadata"...
    QList<qlonglong> seeks;
public slots:
    void seeked(qlonglong position) { seeks << position; }
    void changed(const QString &, const QVariantMap &props, const QStringList &)
    {
        for (auto it = props.begin(); it != props.end(); ++it)
            seen << (it.value().metaType() == QMetaType::fromType<QString>()
                         ? it.key() + QLatin1Char('=') + it.value().toString()
                         : it.key());
    }
};

}  // namespace

TEST(SessionBus, ScreenSaverIsInhibitedOnPlayAndReleasedOnStopAtTheEndAndAtExit)
{
    REQUIRE_PRIVATE_BUS();
    FakeScreenSaverService service;
    QDBusConnection desktop = otherProgram(QStringLiteral("screensaver"));
    ASSERT_TRUE(desktop.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &service,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(desktop.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));

    PanelFixture f;
    SessionScreenSaver saver(QDBusConnection::sessionBus());
    auto media = std::make_unique<DesktopSession>(f.session, saver, QDBusConnection::sessionBus());
    f.openMovie();
    const auto expectCalls = [&](const QStringList &calls, const char *when) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return service.calls == calls; }, 5000))
            << when << ": " << service.calls.join(QStringLiteral(", ")).toStdString();
    };
    const QString inhibit = QStringLiteral("Inhibit ") + QCoreApplication::applicationName();

    f.panel.vplay_Click();
    media->sync();
    expectCalls({inhibit}, "play");
    f.panel.vplay_Click();
    media->sync();
    expectCalls({inhibit, "UnInhibit 42"}, "stop");
    f.panel.vplay_Click();
    media->sync();
    f.mp1.finish();
    media->sync();
    expectCalls({inhibit, "UnInhibit 42", inhibit, "UnInhibit 43"}, "end of the movie");
    // The program ends before the desktop has answered: the hold it then grants is given back.
    f.panel.vplay_Click();
    media->sync();
    media.reset();
    expectCalls({inhibit, "UnInhibit 42", inhibit, "UnInhibit 43", inhibit, "UnInhibit 44"}, "exit");
    desktop.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
}

TEST(SessionBus, DesktopMediaControlsDriveThePanel)
{
    REQUIRE_PRIVATE_BUS();
    PanelFixture f;
    struct NoScreenSaver : ScreenSaver {
        void inhibit() override {}
        void release() override {}
    } saver;
    DesktopSession media(f.session, saver, QDBusConnection::sessionBus());
    QDBusConnection client = otherProgram(QStringLiteral("controls"));
    ChangeListener listener;
    ASSERT_TRUE(client.connect(MprisService::busName(), kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                               QStringLiteral("PropertiesChanged"), &listener,
                               SLOT(changed(QString, QVariantMap, QStringList))));
    ASSERT_TRUE(client.connect(MprisService::busName(), kPath, kPlayer, QStringLiteral("Seeked"), &listener,
                               SLOT(seeked(qlonglong))));

    EXPECT_EQ(playerProperty(client, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));
    f.openMovie(QStringLiteral("Night Train.avi"));
    media.sync();

    EXPECT_EQ(callAndWait(client, playerCall(QStringLiteral("PlayPause"))).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), QStringLiteral("Stop"));
    EXPECT_EQ(f.mp1.playState(), 2);
    EXPECT_EQ(playerProperty(client, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return listener.seen.contains(QStringLiteral("PlaybackStatus=Playing")); }, 5000))
        << listener.seen.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(listener.seen.contains(QStringLiteral("Metadata")));

    const QVariant meta = playerProperty(client, QStringLiteral("Metadata"));
    const QVariantMap map = qdbus_cast<QVariantMap>(meta.value<QDBusArgument>());
    EXPECT_EQ(map.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("Night Train.avi"));
    const QDBusObjectPath track = qdbus_cast<QDBusObjectPath>(map.value(QStringLiteral("mpris:trackid")));

    // Positions are microseconds; the panel counts frames (25 per second here).
    callAndWait(client, playerCall(QStringLiteral("SetPosition"), {QVariant::fromValue(track), qlonglong(4'000'000)}));
    EXPECT_DOUBLE_EQ(f.mp1.currentPosition(), 100);
    EXPECT_EQ(playerProperty(client, QStringLiteral("Position")).toLongLong(), 4'000'000);
    // A jump made on the panel is told as well, once.
    f.panel.vgos_Click();
    media.sync();
    media.sync();
    EXPECT_TRUE(QTest::qWaitFor([&] { return listener.seeks.size() >= 2; }, 5000));
    EXPECT_EQ(listener.seeks, (QList<qlonglong>{4'000'000, 0}));
    // A position for another movie than the open one is ignored.
    callAndWait(client, playerCall(QStringLiteral("SetPosition"),
                                   {QVariant::fromValue(QDBusObjectPath(QStringLiteral("/other"))), qlonglong(0)}));
    EXPECT_DOUBLE_EQ(f.mp1.currentPosition(), 0);

    callAndWait(client, playerCall(QStringLiteral("Pause")));
    EXPECT_EQ(ctl(f.panel, "vplay")->text(), QStringLiteral("Play"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return listener.seen.contains(QStringLiteral("PlaybackStatus=Paused")); }, 5000));
}

TEST(SessionBus, MediaControlsTellTheTruthAfterStopOpenAndExtremeSeeks)
{
    REQUIRE_PRIVATE_BUS();
    PanelFixture f;
    struct NoScreenSaver : ScreenSaver {
        void inhibit() override {}
        void release() override {}
    } saver;
    DesktopSession media(f.session, saver, QDBusConnection::sessionBus());
    // Opened as the program opens what the media controls hand it.
    QObject::connect(&media, &DesktopSession::openRequested, &f.panel,
                     [&f](const QString &file) { OpenedFile::open(f.session, {file}); });
    QDBusConnection client = otherProgram(QStringLiteral("truth"));
    ChangeListener listener;
    ASSERT_TRUE(client.connect(MprisService::busName(), kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                               QStringLiteral("PropertiesChanged"), &listener,
                               SLOT(changed(QString, QVariantMap, QStringList))));

    // The types are those the desktop entry offers the player for.
    QFile entry(QStringLiteral(VISTREL_TEST_SOURCE_DIR "/../dist/vistrel.desktop.in"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    QStringList offered;
    for (const QByteArray &line : entry.readAll().split('\n'))
        if (line.startsWith("MimeType="))
            offered = QString::fromLatin1(line.mid(9)).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QDBusMessage get = QDBusMessage::createMethodCall(MprisService::busName(), kPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << QStringLiteral("org.mpris.MediaPlayer2") << QStringLiteral("SupportedMimeTypes");
    const QVariant types = callAndWait(client, get).arguments().value(0).value<QDBusVariant>().variant();
    EXPECT_FALSE(offered.isEmpty());
    EXPECT_EQ(types.toStringList(), offered);

    // OpenUri opens a local file as the command line would, blanks and all; anything else is refused.
    const QString movie = f.path(QStringLiteral("Night Train.avi"));
    f.mp1.seconds = 90;
    f.mp1.frames = 2250;
    const QDBusMessage opened = callAndWait(
        client, playerCall(QStringLiteral("OpenUri"), {QUrl::fromLocalFile(movie).toString(QUrl::FullyEncoded)}));
    EXPECT_EQ(opened.type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.mp1.fileName() == movie; }, 5000));
    const QDBusMessage refused =
        callAndWait(client, playerCall(QStringLiteral("OpenUri"), {QStringLiteral("https://example.org/a.avi")}));
    EXPECT_EQ(refused.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(f.mp1.fileName(), movie);

    // Extreme offsets land on the movie's ends.
    callAndWait(client, playerCall(QStringLiteral("Play")));
    callAndWait(client, playerCall(QStringLiteral("Seek"), {qlonglong(4'000'000)}));
    callAndWait(client, playerCall(QStringLiteral("Seek"), {std::numeric_limits<qlonglong>::max()}));
    EXPECT_EQ(playerProperty(client, QStringLiteral("Position")).toLongLong(), 90'000'000);
    callAndWait(client, playerCall(QStringLiteral("Seek"), {std::numeric_limits<qlonglong>::min()}));
    EXPECT_EQ(playerProperty(client, QStringLiteral("Position")).toLongLong(), 0);

    callAndWait(client, playerCall(QStringLiteral("Seek"), {qlonglong(4'000'000)}));
    EXPECT_EQ(playerProperty(client, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));
    listener.seen.clear();
    callAndWait(client, playerCall(QStringLiteral("Stop")));
    EXPECT_EQ(playerProperty(client, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));
    EXPECT_EQ(playerProperty(client, QStringLiteral("Position")).toLongLong(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return listener.seen.contains(QStringLiteral("PlaybackStatus=Stopped")); }, 5000))
        << listener.seen.join(QStringLiteral(", ")).toStdString();
}

#include "SessionBus_test.moc"
