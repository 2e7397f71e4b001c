// The real program under a session manager of the test's own (the X session management protocol over
// ICE, as a desktop's session manager speaks it): a logout that asks for the data to be kept and is
// then cancelled leaves the player running with its settings written; the session's end then ends
// it in order.
#include <QFile>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <csignal>
#include <memory>
#include <vector>

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

namespace {

// Serves one client at a time on the event loop; the calls it gets are counted.
class SessionManager {
public:
    SmsConn client = nullptr;
    int registered = 0;
    int saveDone = 0;
    int pingsAnswered = 0;
    bool closed = false;

    bool listen()
    {
        char error[256] = {};
        // A client that goes is noted where its messages are read, not by ending this process: neither
        // by the library's handler nor by the signal a write to its closed connection raises.
        IceSetIOErrorHandler([](IceConn) {});
        std::signal(SIGPIPE, SIG_IGN);
        if (!SmsInitialize("vistrel-test", "1.0", newClient, this, acceptAnyHost, sizeof error, error))
            return false;
        if (!IceListenForConnections(&count_, &listeners_, sizeof error, error))
            return false;
        for (int i = 0; i < count_; ++i) {
            IceSetHostBasedAuthProc(listeners_[i], acceptAnyHost);
            auto *n = new QSocketNotifier(IceGetListenConnectionNumber(listeners_[i]), QSocketNotifier::Read);
            QObject::connect(n, &QSocketNotifier::activated, n, [this, i] { accept(listeners_[i]); });
            notifiers_.emplace_back(n);
        }
        return true;
    }

    // True once the client has answered a ping sent now. Its ICE layer answers from the client's event
    // loop after every message sent before, so an answer says it has taken those and still runs.
    bool answers()
    {
        if (!client)
            return false;
        const int before = pingsAnswered;
        IceConn conn = SmsGetIceConnection(client);
        IcePing(conn, [](IceConn, IcePointer self) { ++static_cast<SessionManager *>(self)->pingsAnswered; }, this);
        IceFlush(conn);
        return QTest::qWaitFor([&] { return pingsAnswered > before || closed; }, 20000) && pingsAnswered > before;
    }

    // What SESSION_MANAGER names for a client.
    QByteArray address() const
    {
        char *ids = IceComposeNetworkIdList(count_, listeners_);
        const QByteArray a(ids);
        free(ids);
        return a;
    }

    ~SessionManager()
    {
        notifiers_.clear();
        if (listeners_)
            IceFreeListenObjs(count_, listeners_);
    }

private:
    static Bool acceptAnyHost(char *) { return True; }

    void accept(IceListenObj listener)
    {
        IceAcceptStatus status;
        IceConn conn = IceAcceptConnection(listener, &status);
        if (!conn || status != IceAcceptSuccess)
            return;
        auto *n = new QSocketNotifier(IceConnectionNumber(conn), QSocketNotifier::Read);
        QObject::connect(n, &QSocketNotifier::activated, n, [this, conn, n] {
            if (IceProcessMessages(conn, nullptr, nullptr) == IceProcessMessagesIOError) {
                n->setEnabled(false);
                IceCloseConnection(conn);
                client = nullptr;
                closed = true;
            }
        });
        notifiers_.emplace_back(n);
    }

    static Status newClient(SmsConn conn, SmPointer data, unsigned long *mask, SmsCallbacks *cb, char **)
    {
        auto *self = static_cast<SessionManager *>(data);
        self->client = conn;
        *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask
                | SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask
                | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask
                | SmsGetPropertiesProcMask;
        *cb = {};
        cb->register_client = {registerClient, data};
        cb->interact_request = {[](SmsConn c, SmPointer, int) { SmsInteract(c); }, data};
        cb->interact_done = {[](SmsConn, SmPointer, Bool) {}, data};
        cb->save_yourself_request = {[](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}, data};
        cb->save_yourself_phase2_request = {[](SmsConn c, SmPointer) { SmsSaveYourselfPhase2(c); }, data};
        cb->save_yourself_done = {[](SmsConn, SmPointer d, Bool) { ++static_cast<SessionManager *>(d)->saveDone; },
                                  data};
        cb->close_connection = {[](SmsConn c, SmPointer d, int n, char **reasons) {
                                    SmFreeReasons(n, reasons);
                                    SmsCleanUp(c);
                                    static_cast<SessionManager *>(d)->client = nullptr;
                                },
                                data};
        cb->set_properties = {[](SmsConn, SmPointer, int n, SmProp **props) {
                                  for (int i = 0; i < n; ++i)
                                      SmFreeProperty(props[i]);
                                  free(props);
                              },
                              data};
        cb->delete_properties = {[](SmsConn, SmPointer, int n, char **names) {
                                     for (int i = 0; i < n; ++i)
                                         free(names[i]);
                                     free(names);
                                 },
                                 data};
        cb->get_properties = {[](SmsConn c, SmPointer) { SmsReturnProperties(c, 0, nullptr); }, data};
        return 1;
    }

    static Status registerClient(SmsConn conn, SmPointer data, char *previousId)
    {
        free(previousId);
        SmsRegisterClientReply(conn, SmsGenerateClientID(conn));
        ++static_cast<SessionManager *>(data)->registered;
        return 1;
    }

    int count_ = 0;
    IceListenObj *listeners_ = nullptr;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(SessionEnd, ACancelledLogoutSavesAndKeepsThePlayerRunningAndTheEndEndsItInOrder)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "session management runs on the X display";
    SessionManager manager;
    ASSERT_TRUE(manager.listen());

    QTemporaryDir folder, runtime;
    const QString binary = folder.filePath(QStringLiteral("vistrel"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VISTREL_BIN_DIR "/vistrel"), binary));
    QProcess player;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("SESSION_MANAGER"), QString::fromLatin1(manager.address()));
    env.insert(QStringLiteral("ICEAUTHORITY"), runtime.filePath(QStringLiteral("iceauth")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    player.setProcessEnvironment(env);
    player.setProcessChannelMode(QProcess::ForwardedChannels);
    player.start(binary, {});
    ASSERT_TRUE(player.waitForStarted());
    const QString log = folder.filePath(QStringLiteral("kelmora.log"));
    const QString cfg = folder.filePath(QStringLiteral("kelmora.cfg"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return manager.registered > 0 && readAll(log).contains("No cfg"); }, 60000))
        << "registered " << manager.registered << ", log: " << readAll(log).constData();

    // A logout begins: the data is asked for, then the logout is cancelled.
    SmsSaveYourself(manager.client, SmSaveBoth, True, SmInteractStyleNone, False);
    ASSERT_TRUE(QTest::qWaitFor([&] { return manager.saveDone > 0; }, 20000));
    EXPECT_TRUE(readAll(cfg).startsWith("Vistrel top,")) << readAll(cfg).constData();
    ASSERT_TRUE(manager.answers()) << "ended on the request to save: " << readAll(log).constData();
    ASSERT_EQ(player.state(), QProcess::Running);
    SmsShutdownCancelled(manager.client);
    ASSERT_TRUE(manager.answers()) << "ended when the logout was cancelled: " << readAll(log).constData();
    EXPECT_EQ(player.state(), QProcess::Running);
    EXPECT_TRUE(readAll(log).endsWith("No cfg\r\nCreated cfg\r\n")) << readAll(log).constData();

    // The session ends for real.
    SmsDie(manager.client);
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.exitCode(), 0);
    EXPECT_TRUE(readAll(log).endsWith("Created cfg\r\nCreated cfg\r\nExiting\r\n")) << readAll(log).constData();
}
