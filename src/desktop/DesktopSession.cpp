#include "desktop/DesktopSession.h"

#include "platform/MediaEngine.h"
#include "platform/ScreenSaver.h"
#include "playback/Panelfrm.h"
#include "playback/Tracker.h"
#include "playback/VolumeSteps.h"
#include "startup/AppState.h"
#include "startup/OpenedFile.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kWatchMs = 250;
// The volume slider's quietest place that still sets a volume.
constexpr double kQuietestDb = 99.99;
}  // namespace

DesktopSession::DesktopSession(Panelfrm &panel, ScreenSaver &screenSaver, const QDBusConnection &bus,
                               QObject *parent)
    : QObject(parent), panel_(panel), screenSaver_(screenSaver)
{
    mpris.registerOn(bus);
    watch_.setInterval(kWatchMs);
    connect(&watch_, &QTimer::timeout, this, &DesktopSession::sync);
    watch_.start();
    sync();
}

DesktopSession::~DesktopSession()
{
    screenSaver_.release();
}

bool DesktopSession::moving() const
{
    return panel_.isPlaying && (panel_.MediaPlayer1.playState() == 2 || panel_.TimerMovieBack.isActive());
}

void DesktopSession::sync()
{
    if (moving())
        screenSaver_.inhibit();
    else
        screenSaver_.release();

    if (!stopped())
        stoppedFile_.clear();
    QStringList changed;
    const QString file = panel_.MediaPlayer1.fileName();
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
    const int vol = panel_.MediaPlayer1.volume();
    if (vol != lastVolume_) {
        lastVolume_ = vol;
        changed << QStringLiteral("Volume");
    }
    mpris.propertiesChanged(changed);

    const double frame = panel_.MediaPlayer1.currentPosition();
    // A new movie starts at its own beginning; that is no seek.
    const bool jumped = !changed.contains(QStringLiteral("Metadata")) && positionJumped(frame);
    notePosition(frame);
    if (jumped)
        mpris.seeked(position());
}

bool DesktopSession::positionJumped(double frame) const
{
    if (!moving())
        return frame != lastFrame_;
    // Playing, the position runs at the rate; the panel's own timer steps it once a second by up to
    // six seconds, so only more than that counts as a jump.
    const double rate = panel_.app.rateTable[panel_.rateIndex];
    const double expected = lastFrame_ + sinceLastFrame_.elapsed() / 1000.0 * rate * panel_.videoFps;
    return std::abs(frame - expected) > (std::abs(rate) + 1) * panel_.videoFps;
}

void DesktopSession::notePosition(double frame)
{
    lastFrame_ = frame;
    sinceLastFrame_.restart();
}

void DesktopSession::play()
{
    if (!moving())
        panel_.vplay_Click();
    sync();
}

void DesktopSession::pause()
{
    if (moving())
        panel_.vplay_Click();
    sync();
}

void DesktopSession::playPause()
{
    panel_.vplay_Click();
    sync();
}

void DesktopSession::stop()
{
    if (panel_.MediaPlayer1.fileName().isEmpty())
        return;
    if (moving())
        panel_.vplay_Click();
    panel_.vgos_Click();
    panel_.updateBarTime();
    stoppedFile_ = panel_.MediaPlayer1.fileName();
    sync();
}

bool DesktopSession::stopped() const
{
    return !stoppedFile_.isEmpty() && stoppedFile_ == panel_.MediaPlayer1.fileName() && !moving()
           && panel_.MediaPlayer1.currentPosition() == 0;
}

double DesktopSession::frameToUs() const
{
    return panel_.videoFps > 0 ? 1e6 / panel_.videoFps : 0;
}

qint64 DesktopSession::position() const
{
    return std::llround(panel_.MediaPlayer1.currentPosition() * frameToUs());
}

void DesktopSession::setPosition(qint64 positionUs)
{
    const double usPerFrame = frameToUs();
    if (usPerFrame <= 0 || panel_.posPerTwip <= 0)
        return;
    const double frame = positionUs / usPerFrame;
    if (frame < 0 || frame > panel_.MediaPlayer1.duration())
        return;
    // Through the tracker, as a click on it at that place. At the track's right end the tracker takes
    // no click, so from there the start button moves first.
    if (!Tracker::seekAllowed(panel_.MediaPlayer1.currentPosition(), panel_.posPerTwip, panel_.VideoPos->twipWidth()))
        panel_.vgos_Click();
    panel_.VideoPos_MouseDown(1, 0, frame / panel_.posPerTwip, 0);
    panel_.updateBarTime();
    // Told even when the step is too small to be seen as a jump.
    notePosition(panel_.MediaPlayer1.currentPosition());
    mpris.seeked(position());
    sync();
}

void DesktopSession::seek(qint64 offsetUs)
{
    if (frameToUs() <= 0)
        return;
    const double end = panel_.MediaPlayer1.duration() * frameToUs();
    // In doubles: an offset near the limits of its type would overflow the sum.
    setPosition(std::llround(std::clamp(double(position()) + double(offsetUs), 0.0, end)));
}

double DesktopSession::volume() const
{
    // Engine volume in hundredths of a decibel; the desktop's scale is the amplitude.
    const int hundredthsDb = panel_.MediaPlayer1.volume();
    return hundredthsDb <= -10000 ? 0.0 : std::pow(10.0, hundredthsDb / 2000.0);
}

void DesktopSession::setVolume(double volume)
{
    const double db = volume <= 0 ? kQuietestDb : std::min(kQuietestDb, std::max(0.0, -20 * std::log10(volume)));
    // Through the slider, as a click at that height.
    panel_.volpos_MouseDown(1, 0, 0, db * VolumeSteps::volStep(panel_.volpos->twipHeight()));
    sync();
}

void DesktopSession::raise()
{
    OpenedFile::bringForward(panel_);
}

void DesktopSession::quit()
{
    panel_.exitLbl_Click();
}

void DesktopSession::openFile(const QString &path)
{
    // After the answer to the caller: opening may wait on the file or show a message box.
    QTimer::singleShot(0, this, [this, path] {
        OpenedFile::open(panel_, path);
        sync();
    });
}

QString DesktopSession::playbackStatus() const
{
    if (panel_.MediaPlayer1.fileName().isEmpty() || stopped())
        return QStringLiteral("Stopped");
    return moving() ? QStringLiteral("Playing") : QStringLiteral("Paused");
}

MediaControls::Track DesktopSession::track() const
{
    Track t;
    t.id = trackId_;
    t.path = panel_.MediaPlayer1.fileName();
    t.lengthUs = std::llround(panel_.MediaPlayer1.duration() * frameToUs());
    return t;
}
