#include "desktop/Mpris.h"

#include "desktop/MediaControlValues.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QUrl>

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

class RootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool CanSetFullscreen READ no)
    Q_PROPERTY(bool Fullscreen READ no)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ uriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ mimeTypes)
public:
    explicit RootAdaptor(MprisService *service) : QDBusAbstractAdaptor(service), service_(service) {}
    bool yes() const { return true; }
    bool no() const { return false; }
    QString identity() const { return QCoreApplication::applicationName(); }
    QString desktopEntry() const { return QStringLiteral("vistrel"); }
    QStringList uriSchemes() const { return {QStringLiteral("file")}; }
    QStringList mimeTypes() const { return MprisService::mimeTypes(); }

public slots:
    void Raise() { service_->controls.raise(); }
    void Quit() { service_->controls.quit(); }

private:
    MprisService *service_;
};

class PlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ one WRITE ignoreRate)
    Q_PROPERTY(double MinimumRate READ one)
    Q_PROPERTY(double MaximumRate READ one)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ no)
    Q_PROPERTY(bool CanGoPrevious READ no)
    Q_PROPERTY(bool CanPlay READ hasTrack)
    Q_PROPERTY(bool CanPause READ hasTrack)
    Q_PROPERTY(bool CanSeek READ hasTrack)
    Q_PROPERTY(bool CanControl READ yes)
public:
    explicit PlayerAdaptor(MprisService *service) : QDBusAbstractAdaptor(service), service_(service) {}
    QString playbackStatus() const { return c().playbackStatus(); }
    // The rate is the panel's own slider; the desktop's rate control is not offered.
    double one() const { return 1.0; }
    void ignoreRate(double) {}
    QVariantMap metadata() const { return service_->metadata(); }
    double volume() const { return c().volume(); }
    void setVolume(double v) { c().setVolume(v); }
    qlonglong position() const { return c().position(); }
    bool no() const { return false; }
    bool yes() const { return true; }
    bool hasTrack() const { return !c().track().path.isEmpty(); }

signals:
    // Declared for the interface's description; MprisService::seeked sends it.
    void Seeked(qlonglong Position);

public slots:
    void Next() {}
    void Previous() {}
    void Play() { c().play(); }
    void Pause() { c().pause(); }
    void PlayPause() { c().playPause(); }
    void Stop() { c().stop(); }
    void Seek(qlonglong Offset) { c().seek(Offset); }
    void SetPosition(const QDBusObjectPath &TrackId, qlonglong Position)
    {
        // A position meant for another movie than the open one is ignored.
        if (hasTrack() && TrackId == MprisService::trackPath(c().track().id))
            c().setPosition(Position);
    }
    void OpenUri(const QString &Uri, const QDBusMessage &call)
    {
        const auto file = MediaControlValues::localFile(Uri);
        if (!file) {
            call.setDelayedReply(true);
            service_->reply(call.createErrorReply(QDBusError::NotSupported,
                                                  QStringLiteral("Only file: URIs of this machine are opened: ") + Uri));
            return;
        }
        c().openFile(*file);
    }

private:
    MediaControls &c() const { return service_->controls; }
    MprisService *service_;
};

}  // namespace

MprisService::MprisService(MediaControls &controls, QObject *parent)
    : QObject(parent), controls(controls), bus_(QString())
{
    new RootAdaptor(this);
    new PlayerAdaptor(this);
}

MprisService::~MprisService()
{
    if (!registered_)
        return;
    bus_.unregisterService(busName());
    bus_.unregisterObject(kObjectPath);
}

QString MprisService::busName()
{
    return QStringLiteral("org.mpris.MediaPlayer2.")
           + QCoreApplication::applicationName().toLower().remove(QLatin1Char(' '));
}

bool MprisService::registerOn(const QDBusConnection &bus)
{
    bus_ = bus;
    if (!bus_.isConnected())
        return false;
    if (!bus_.registerObject(kObjectPath, this))
        return false;
    if (!bus_.registerService(busName())) {
        bus_.unregisterObject(kObjectPath);
        return false;
    }
    registered_ = true;
    return true;
}

QStringList MprisService::mimeTypes()
{
    return QStringLiteral(VISTREL_MIME_TYPES).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

QDBusObjectPath MprisService::trackPath(int id)
{
    return QDBusObjectPath(QStringLiteral("/org/vistrel/track/%1").arg(id));
}

QVariantMap MprisService::metadata() const
{
    const MediaControls::Track t = controls.track();
    if (t.path.isEmpty())
        return {{QStringLiteral("mpris:trackid"),
                 QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack")))}};
    const QUrl url = QUrl::fromLocalFile(t.path);
    return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(trackPath(t.id))},
            {QStringLiteral("mpris:length"), QVariant::fromValue(t.lengthUs)},
            {QStringLiteral("xesam:title"), url.fileName()},
            {QStringLiteral("xesam:url"), url.toString()}};
}

void MprisService::propertiesChanged(const QStringList &names)
{
    if (!registered_ || names.isEmpty())
        return;
    QVariantMap changed;
    for (const QString &name : names) {
        if (name == QLatin1String("PlaybackStatus"))
            changed.insert(name, controls.playbackStatus());
        else if (name == QLatin1String("Metadata")) {
            changed.insert(name, metadata());
            // What can be done depends on whether a movie is open.
            const bool open = !controls.track().path.isEmpty();
            for (const char *can : {"CanPlay", "CanPause", "CanSeek"})
                changed.insert(QLatin1String(can), open);
        }
        else if (name == QLatin1String("Volume"))
            changed.insert(name, controls.volume());
    }
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    bus_.send(signal);
}

void MprisService::reply(const QDBusMessage &message)
{
    bus_.send(message);
}

void MprisService::seeked(qint64 positionUs)
{
    if (!registered_)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, kPlayerInterface, QStringLiteral("Seeked"));
    signal << positionUs;
    bus_.send(signal);
}

#include "Mpris.moc"
