#include "desktop/ScreenSaver.h"

#include <QCoreApplication>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");

}  // namespace

SessionScreenSaver::SessionScreenSaver(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), bus_(bus)
{
}

SessionScreenSaver::~SessionScreenSaver()
{
    release();
    if (xDisplay_)
        XCloseDisplay(static_cast<Display *>(xDisplay_));
}

void SessionScreenSaver::inhibit()
{
    if (wanted_)
        return;
    wanted_ = true;
    if (holding_ || pending_)
        return;
    if (!bus_.isConnected()) {
        suspendX(true);
        return;
    }
    // Asynchronous: a slow or missing screen-saver service must never stall playback.
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Inhibit"));
    call << QCoreApplication::applicationName() << QStringLiteral("Playing a movie");
    pending_ = true;
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        pending_ = false;
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) {
            if (wanted_)
                suspendX(true);
            return;
        }
        if (wanted_) {
            cookie_ = reply.value();
            holding_ = true;
        } else {
            unInhibit(reply.value());
        }
    });
}

void SessionScreenSaver::release()
{
    if (!wanted_)
        return;
    wanted_ = false;
    suspendX(false);
    if (holding_) {
        holding_ = false;
        unInhibit(cookie_);
    }
}

void SessionScreenSaver::unInhibit(uint cookie)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("UnInhibit"));
    call << cookie;
    bus_.call(call, QDBus::NoBlock);
}

void SessionScreenSaver::suspendX(bool on)
{
    if (on == xSuspended_)
        return;
    if (on && !xDisplay_ && !qEnvironmentVariableIsEmpty("DISPLAY"))
        xDisplay_ = XOpenDisplay(nullptr);
    auto *display = static_cast<Display *>(xDisplay_);
    int event = 0, error = 0;
    if (!display || !XScreenSaverQueryExtension(display, &event, &error))
        return;
    // The suspension lasts while this connection asks for it, and ends with the connection.
    XScreenSaverSuspend(display, on ? True : False);
    XFlush(display);
    xSuspended_ = on;
}
