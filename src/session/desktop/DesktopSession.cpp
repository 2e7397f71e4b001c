#include "desktop/DesktopSession.h"

#include "desktop/ScreenSaver.h"
#include "engine/MediaEngine.h"
#include "playback/PlayerSession.h"

#include <algorithm>
#include <cmath>

namespace {
// The volume slider's quietest place that still sets a volume.
constexpr float kQuietestDb = 99.99f;
}  // namespace

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

double DesktopSession::frameToUs() const
{
    return session_.videoFps() > 0 ? 1e6 / session_.videoFps() : 0;
}

qint64 DesktopSession::position() const
{
    return std::llround(session_.movie().currentPosition() * frameToUs());
}

void DesktopSession::setPosition(qint64 positionUs)
{
    const double usPerFrame = frameToUs();
    if (usPerFrame <= 0)
        return;
    const double frame = positionUs / usPerFrame;
    if (frame < 0 || frame > session_.movie().duration())
        return;
    session_.seek(frame);
}

void DesktopSession::seek(qint64 offsetUs)
{
    if (frameToUs() <= 0)
        return;
    const double end = session_.movie().duration() * frameToUs();
    // In doubles: an offset near the ends of its range must not overflow the sum.
    setPosition(std::llround(std::clamp(double(position()) + double(offsetUs), 0.0, end)));
}

double DesktopSession::volume() const
{
    // Engine volume in hundredths of a decibel; the desktop's scale is the amplitude.
    const int hundredthsDb = session_.movie().volume();
    return hundredthsDb <= -10000 ? 0.0 : std::pow(10.0, hundredthsDb / 2000.0);
}

void DesktopSession::setVolume(double volume)
{
    const double db = volume <= 0 ? kQuietestDb : std::min<double>(kQuietestDb, std::max(0.0, -20 * std::log10(volume)));
    session_.setVolume(static_cast<float>(db));
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
    t.lengthUs = std::llround(session_.movie().duration() * frameToUs());
    return t;
}
