#include "desktop/DesktopSession.h"

#include "desktop/MediaControlValues.h"
#include "desktop/ScreenSaver.h"
#include "engine/MediaEngine.h"
#include "playback/PlayerSession.h"

using namespace MediaControlValues;

DesktopSession::DesktopSession(PlayerSession &session, ScreenSaver &screenSaver, const QDBusConnection &bus,
                               QObject *parent)
    : QObject(parent), session_(session), screenSaver_(screenSaver)
{
    mpris.registerOn(bus);
    for (auto change : {&PlayerSession::movieOpened, &PlayerSession::movieOpenFailed})
        connect(&session_, change, this, &DesktopSession::sync);
    connect(&session_, &PlayerSession::playingChanged, this, &DesktopSession::sync);
    connect(&session_, &PlayerSession::rateChanged, this, &DesktopSession::sync);
    connect(&session_, &PlayerSession::volumeChanged, this, &DesktopSession::sync);
    connect(&session_, &PlayerSession::movieEnded, this, &DesktopSession::sync);
    connect(&session_, &PlayerSession::positionChanged, this, &DesktopSession::sync);
    connect(&session_, &PlayerSession::seeked, this, [this] {
        sync();
        mpris.seeked(position());
    });
    sync();
}

DesktopSession::~DesktopSession()
{
    screenSaver_.release();
}

void DesktopSession::sync()
{
    if (session_.moving())
        screenSaver_.inhibit();
    else
        screenSaver_.release();

    if (!stopped())
        stoppedFile_.clear();
    QStringList changed;
    const QString file = session_.movie().fileName();
    if (file != lastFile_) {
        lastFile_ = file;
        ++trackId_;
        changed << QStringLiteral("Metadata");
    }
    const QString status = playbackStatus();
    if (status != lastStatus_) {
        lastStatus_ = status;
        changed << QStringLiteral("PlaybackStatus");
    }
    const int vol = session_.movie().volume();
    if (vol != lastVolume_) {
        lastVolume_ = vol;
        changed << QStringLiteral("Volume");
    }
    mpris.propertiesChanged(changed);
}

void DesktopSession::play()
{
    if (!session_.moving())
        session_.togglePlay();
}

void DesktopSession::pause()
{
    if (session_.moving())
        session_.togglePlay();
}

void DesktopSession::playPause()
{
    session_.togglePlay();
}

void DesktopSession::stop()
{
    if (!session_.movieOpen())
        return;
    if (session_.moving())
        session_.togglePlay();
    session_.goStart();
    stoppedFile_ = session_.movie().fileName();
    sync();
}

bool DesktopSession::stopped() const
{
    return !stoppedFile_.isEmpty() && stoppedFile_ == session_.movie().fileName() && !session_.moving()
           && session_.movie().currentPosition() == 0;
}

qint64 DesktopSession::position() const
{
    return microseconds(session_.movie().currentPosition(), session_.videoFps());
}

void DesktopSession::setPosition(qint64 positionUs)
{
    if (const auto frame = frameAt(positionUs, session_.videoFps(), session_.movie().duration()))
        session_.seek(*frame);
}

void DesktopSession::seek(qint64 offsetUs)
{
    const auto frame = seekTarget(session_.movie().currentPosition(), offsetUs, session_.videoFps(),
                                  session_.movie().duration());
    if (frame)
        session_.seek(*frame);
}

double DesktopSession::volume() const
{
    return amplitude(session_.movie().volume());
}

void DesktopSession::setVolume(double volume)
{
    if (const auto db = attenuation(volume))
        session_.setVolume(*db);
}

void DesktopSession::raise()
{
    emit raiseRequested();
}

void DesktopSession::quit()
{
    emit quitRequested();
}

void DesktopSession::openFile(const QString &path)
{
    // After the answer to the caller: opening may show a message box.
    QMetaObject::invokeMethod(this, [this, path] { emit openRequested(path); }, Qt::QueuedConnection);
}

QString DesktopSession::playbackStatus() const
{
    if (session_.movie().fileName().isEmpty() || stopped())
        return QStringLiteral("Stopped");
    return session_.moving() ? QStringLiteral("Playing") : QStringLiteral("Paused");
}

MediaControls::Track DesktopSession::track() const
{
    Track t;
    t.id = trackId_;
    t.path = session_.movie().fileName();
    t.lengthUs = microseconds(session_.movie().duration(), session_.videoFps());
    return t;
}
