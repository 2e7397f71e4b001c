#pragma once
// The desktop's media controls (media keys, the panel's sound menu) over the session bus, as the
// MPRIS 2 interfaces. The service only translates: every call goes to the player's own commands
// behind MediaControls, and the player tells it what changed.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// What the service asks of the player. Times are microseconds, volume 0 (silent) to 1 (full).
class MediaControls {
public:
    virtual ~MediaControls() = default;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void playPause() = 0;
    virtual void stop() = 0;
    virtual void seek(qint64 offsetUs) = 0;
    virtual void setPosition(qint64 positionUs) = 0;
    virtual void setVolume(double volume) = 0;
    virtual void raise() = 0;
    virtual void quit() = 0;
    // A local file, opened as the command line opens it.
    virtual void openFile(const QString &path) = 0;

    // "Playing", "Paused" or "Stopped" (no movie open, or stopped and back at its start).
    virtual QString playbackStatus() const = 0;
    virtual qint64 position() const = 0;
    virtual double volume() const = 0;

    // The open movie; empty path when there is none.
    struct Track {
        int id = 0;  // changes with each movie opened
        QString path;
        qint64 lengthUs = 0;
    };
    virtual Track track() const = 0;
};

class MprisService : public QObject {
    Q_OBJECT
public:
    explicit MprisService(MediaControls &controls, QObject *parent = nullptr);
    // Gives the bus name back, so the desktop sees the player go.
    ~MprisService() override;

    // "org.mpris.MediaPlayer2." and the program's name in lower case.
    static QString busName();
    // The types the desktop entry offers the player for.
    static QStringList mimeTypes();

    // Takes the bus name and the MPRIS object
    // on `bus`. False without a bus or when the name is taken; the player runs on without it.
    bool registerOn(const QDBusConnection &bus);

    // Tells the desktop that these player properties changed ("PlaybackStatus", "Metadata", "Volume");
    // with the movie, what can be done with it changes too.
    void propertiesChanged(const QStringList &names);
    // Tells it that the position jumped.
    void seeked(qint64 positionUs);
    // Answers a call on the bus the service is on.
    void reply(const QDBusMessage &message);

    MediaControls &controls;
    QVariantMap metadata() const;
    static QDBusObjectPath trackPath(int id);

private:
    QDBusConnection bus_;
    bool registered_ = false;
};
