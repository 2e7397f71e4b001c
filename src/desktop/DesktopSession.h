#pragma once
// The player as a citizen of the desktop session: the screen stays awake while a movie plays, and the
// desktop's media controls run the panel's own commands. It watches the panel rather than being told,
// so no playback code knows of it.
#include "platform/Mpris.h"

#include <QElapsedTimer>
#include <QTimer>

class Panelfrm;
class ScreenSaver;

class DesktopSession final : public QObject, public MediaControls {
    Q_OBJECT
public:
    // Registers the media controls on `bus` (nothing happens without a bus) and starts watching.
    DesktopSession(Panelfrm &panel, ScreenSaver &screenSaver, const QDBusConnection &bus,
                   QObject *parent = nullptr);
    // Lets the screen sleep again.
    ~DesktopSession() override;

    // Compares the panel with what was last seen: takes or releases the screen, tells the desktop
    // what changed, including a position that jumped (a seek on the tracker, a jump to the start).
    // The watch timer runs it; tests call it directly.
    void sync();

    // True while the movie moves: the engine plays it, or the stepping timer does.
    bool moving() const;

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

private:
    double frameToUs() const;
    bool positionJumped(double frame) const;
    void notePosition(double frame);
    bool stopped() const;

    Panelfrm &panel_;
    ScreenSaver &screenSaver_;
    QTimer watch_;
    QString lastStatus_;
    QString lastFile_;
    // The movie the desktop stopped: it counts as stopped while it stands at its start.
    QString stoppedFile_;
    int lastVolume_ = 1;  // never a volume the engine reports, so the first sync tells it
    int trackId_ = 0;
    double lastFrame_ = 0;
    QElapsedTimer sinceLastFrame_;
};
