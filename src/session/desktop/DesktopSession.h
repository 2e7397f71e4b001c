#pragma once
// The player as a citizen of the desktop session: the screen stays awake while a movie moves, and the
// desktop's media controls ask the session what the panel's controls ask it. It follows the session's
// signals, so no playback code knows of it.
#include "desktop/Mpris.h"

#include <QObject>

class PlayerSession;
class ScreenSaver;

class DesktopSession final : public QObject, public MediaControls {
    Q_OBJECT
public:
    // Registers the media controls on `bus` (nothing happens without a bus) and starts following.
    DesktopSession(PlayerSession &session, ScreenSaver &screenSaver, const QDBusConnection &bus,
                   QObject *parent = nullptr);
    // Lets the screen sleep again.
    ~DesktopSession() override;

    // Compares the session with what was last told: takes or releases the screen and tells the
    // desktop what changed. Every change of the session runs it.
    void sync();

    void play() override;
    void pause() override;
    void playPause() override;
    void stop() override;
    void seek(qint64 offsetUs) override;
    void setPosition(qint64 positionUs) override;
    void setVolume(double volume) override;
    void raise() override;
    void quit() override;
    void openFile(const QString &path) override;
    QString playbackStatus() const override;
    qint64 position() const override;
    double volume() const override;
    Track track() const override;

    MprisService mpris{*this};

signals:
    // What only the windows can do: bring the player forward, end the run in order.
    void raiseRequested();
    void quitRequested();
    // A file to open as the command line opens it; told after the call that asked has its answer.
    void openRequested(const QString &path);

private:
    bool stopped() const;

    PlayerSession &session_;
    ScreenSaver &screenSaver_;
    QString lastStatus_;
    QString lastFile_;
    // The movie the desktop stopped: it counts as stopped while it stands at its start.
    QString stoppedFile_;
    int lastVolume_ = 1;  // never a volume the engine reports, so the first sync tells it
    int trackId_ = 0;
};
