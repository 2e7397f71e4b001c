#pragma once
// Keeps the screen awake while a movie plays: the desktop's screen saver and idle blanking are held
// off between inhibit() and release(). Real implementation on the session bus, with the X screen-saver
// extension where the bus offers no screen saver; tests use a double that records the calls.
#include <QDBusConnection>
#include <QObject>

class ScreenSaver {
public:
    virtual ~ScreenSaver() = default;
    // Both may be called again in the state they set; only a change reaches the desktop.
    virtual void inhibit() = 0;
    virtual void release() = 0;
};

class SessionScreenSaver final : public QObject, public ScreenSaver {
    Q_OBJECT
public:
    // Without a session bus only the X fallback is tried; nothing fails.
    explicit SessionScreenSaver(const QDBusConnection &bus, QObject *parent = nullptr);
    ~SessionScreenSaver() override;

    void inhibit() override;
    void release() override;

private:
    void unInhibit(uint cookie);
    void suspendX(bool on);

    QDBusConnection bus_;
    bool wanted_ = false;
    bool pending_ = false;     // an Inhibit call is on its way
    uint cookie_ = 0;          // valid while holding_
    bool holding_ = false;
    bool xSuspended_ = false;
    void *xDisplay_ = nullptr;  // the X connection that carries the suspension
};
