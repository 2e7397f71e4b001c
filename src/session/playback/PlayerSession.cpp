#include "playback/PlayerSession.h"

#include "engine/MediaEngine.h"
#include "numbers/basic_numbers.h"
#include "playback/RateSteps.h"
#include "playback/VolumeSteps.h"
#include "prefs/Preferences.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"
#include "subtitles/SubtitleDelay.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>

PlayerSession::PlayerSession(AppState &app, MediaEngine &movie, MediaEngine &sound, RunLog &log,
                             const Preferences &prefs, QObject *parent)
    : QObject(parent), MediaPlayer1(movie), MediaPlayer2(sound), app_(app), log_(log), prefs_(prefs),
      subClock_(movie, sound,
                SubtitleClockHooks{[this] { return videoFps_; }, [this] { return audioSeparate_; },
                                   [this] { return prefs_.values().hidden; }, [this] { return prefs_.values().autoshow; },
                                   [this] { emit clockTicked(); }, [this] { return overlay_; }})
{
    TimerMovieBack.setInterval(1000);
    subTimer.setInterval(500);
    connect(&TimerMovieBack, &QTimer::timeout, this, &PlayerSession::TimerMovieBack_Timer);
    connect(&subTimer, &QTimer::timeout, this, &PlayerSession::subTimer_Timer);
    connect(&MediaPlayer1, &MediaEngine::opened, this, &PlayerSession::movieFinishedOpening);
    connect(&MediaPlayer2, &MediaEngine::opened, this, &PlayerSession::soundFinishedOpening);
    connect(&MediaPlayer1, &MediaEngine::cueDue, this, &PlayerSession::takeCue);
    connect(&MediaPlayer1, &MediaEngine::tracksChanged, this, &PlayerSession::movieTracksChanged);
    connect(&MediaPlayer1, &MediaEngine::EndOfStream, this, [this] {
        if (!ended_)
            emit movieEnded();
    });
}

bool PlayerSession::movieOpen() const
{
    return !openingMovie_ && !MediaPlayer1.fileName().isEmpty();
}

bool PlayerSession::moving() const
{
    return isPlaying_ && (MediaPlayer1.playState() == 2 || stepping());
}

void PlayerSession::openMovie(const QString &path)
{
    startMovieOpen(path, false);
}

bool PlayerSession::beginMovieOpen(bool discMovie)
{
    if (ended_)
        return false;
    keepPosition();
    openMovie_.reset();
    // A disc still being read is replaced; its run ends with this open.
    if (iniRead_.underWay()) {
        iniRead_.drop();
        discRun_.emplace();
    }
    // The old movie's state stays until the new one has opened: a file that cannot be opened
    // changes nothing else.
    discMovie_ = discMovie;
    const bool wasBusy = opening();
    openingMovie_ = true;
    if (!wasBusy)
        emit busyChanged(true);
    return true;
}

void PlayerSession::startMovieOpen(const QString &path, bool discMovie)
{
    if (!beginMovieOpen(discMovie))
        return;
    movieAsked_ = path;
    MediaPlayer1.open(path);
}

void PlayerSession::movieFinishedOpening(bool ok)
{
    if (!openingMovie_)
        return;
    openingMovie_ = false;
    const QString path = movieAsked_;
    if (!ok) {
        busyMaybeEnded();
        emit movieOpenFailed(path);
        emit messageDue(QStringLiteral("ERROR LOADING MAIN A/V FILE"), Dialogs::Icon::None, QString());
        afterMovieOpen();
        return;
    }
    log_.line(QStringLiteral("opening video ") + path);
    // The frame rate is the length in frames over the length in seconds; from here on the movie's
    // engine counts in frames. A file without a length has no rate rather than an infinite one.
    MediaPlayer1.setDisplayMode(0);
    const double seconds = MediaPlayer1.duration();
    MediaPlayer1.setDisplayMode(1);
    const double frames = MediaPlayer1.duration();
    videoFps_ = seconds > 0 ? basic_numbers::roundEvenTo(frames / seconds, 3) : 0;
    const int imageHeight = MediaPlayer1.imageSourceHeight();
    videoAspect_ = imageHeight > 0 ? double(MediaPlayer1.imageSourceWidth()) / imageHeight : 0;
    if (MediaPlayer1.frameRateAssumed())
        log_.line(QStringLiteral("no frame rate in the file, 25 assumed"));
    log_.line(QStringLiteral("fps ") + basic_numbers::shortText(videoFps_));
    subTimer.start();
    // The new movie stands halted: neither the stepping timer nor the rate controls may go on acting
    // for the old one.
    const bool wasPlaying = isPlaying_;
    isPlaying_ = false;
    stopStepping();
    // An earlier separate sound track stays loaded and in step, but silent.
    MediaPlayer1.setMute(false);
    MediaPlayer2.setMute(true);
    resumePosition(path);
    // The last movie's track is gone with it.
    stopMovieSubtitle();
    takeMovieTracks();
    busyMaybeEnded();
    if (wasPlaying)
        emit playingChanged(false, true);
    Captions next = captions_;
    next.video = QStringLiteral("VIDEO: ") + QFileInfo(path).fileName().toUpper();
    if (next.audio == QLatin1String("AUDIO:"))
        next.audio = QStringLiteral("AUDIO: DEFAULT");
    setCaptions(next);
    emit movieOpened(path);
    if (resumedAt_)
        emit resumed(*std::exchange(resumedAt_, std::nullopt));
    afterMovieOpen();
}

void PlayerSession::afterMovieOpen()
{
    // The subtitle file in use, with the format asked for while the movie opened; without one, the
    // movie's own track that its flags or the user's language choose.
    const std::optional<int> format = subFormatAsked_.value_or(std::nullopt);
    subFormatAsked_.reset();
    if (!subFilePath_.isEmpty()) {
        loadSubtitles(subFilePath_, format);
    } else if (movieOpen()) {
        setCaptions({captions_.video, captions_.audio, QStringLiteral("SUB:")});
        if (const int id = MovieTracks::defaultSubtitle(tracks_.movieTracks(), QLocale().name()))
            showMovieSubtitle(id);
    }
    const bool discRan = discRun_.has_value();
    if (discRan && discMovie_)
        showDiscLabels();
    discRun_.reset();
    // A sound asked for while the movie opened plays with it; without a movie there is nothing to
    // play it with.
    if (soundWaits_) {
        soundWaits_ = false;
        if (movieOpen())
            startSoundOpen();
        else
            busyMaybeEnded();
    }
    emit movieOpenEnded();
    if (discRan)
        emit discRunEnded();
}

void PlayerSession::busyMaybeEnded()
{
    if (!opening())
        emit busyChanged(false);
}

void PlayerSession::setCaptions(const Captions &next)
{
    if (captions_ == next)
        return;
    captions_ = next;
    emit captionsChanged();
}

void PlayerSession::togglePlay()
{
    if (!movieOpen())
        return;
    if (MediaPlayer1.playState() == 2)
        pause();
    else if (RateSteps::timerDriven(rateIndex_)) {
        // The engine stays halted; the timer does the stepping. Each press starts or stops the timer
        // and turns the play state over, so after the timer stopped itself at an end the next press
        // steps once more.
        if (stepping())
            stopStepping();
        else
            TimerMovieBack.start();
        isPlaying_ = !isPlaying_;
        if (!isPlaying_)
            keepPosition();
        emit playingChanged(isPlaying_, true);
    } else {
        play();
    }
}

void PlayerSession::play()
{
    if (!movieOpen())
        return;
    isPlaying_ = true;
    MediaPlayer1.play();
    if (!MediaPlayer2.fileName().isEmpty())
        MediaPlayer2.play();
    subTimer.start();
    emit playingChanged(true, false);
}

void PlayerSession::pause()
{
    if (!movieOpen())
        return;
    MediaPlayer1.pause();
    isPlaying_ = false;
    if (!MediaPlayer2.fileName().isEmpty())
        MediaPlayer2.pause();
    subTimer.stop();
    keepPosition();
    emit playingChanged(false, false);
}

void PlayerSession::stopStepping()
{
    TimerMovieBack.stop();
}

void PlayerSession::goStart()
{
    seek(0);
}

void PlayerSession::goEnd()
{
    seek(MediaPlayer1.duration());
}

void PlayerSession::seek(double frame)
{
    if (!movieOpen())
        return;
    MediaPlayer1.setCurrentPosition(std::clamp(frame, 0.0, std::max(0.0, MediaPlayer1.duration())));
    subClock_.resyncSubtitles();
    emit positionChanged();
    emit seeked();
}

void PlayerSession::TimerMovieBack_Timer()
{
    const RateSteps::Tick t =
        RateSteps::tick(MediaPlayer1.currentPosition(), videoFps_, rate(), MediaPlayer1.duration());
    MediaPlayer1.setCurrentPosition(t.position);
    if (t.stop)
        stopStepping();
    emit positionChanged();
    subClock_.resyncSubtitles();
}

bool PlayerSession::setRate(int index)
{
    if (!isPlaying_ || !movieOpen())
        return false;
    rateIndex_ = std::clamp(index, 0, RateSteps::lastIndex);
    const double r = rate();
    log_.line(QStringLiteral("Rate chg to") + basic_numbers::logItem(r));
    if (RateSteps::enginePlays(r)) {
        stopStepping();
        MediaPlayer1.setRate(r);
        MediaPlayer1.play();
        if (audioSeparate_)
            MediaPlayer2.play();
    } else {
        MediaPlayer1.pause();
        MediaPlayer2.pause();
        TimerMovieBack.start();
    }
    emit rateChanged(rateIndex_);
    return true;
}

bool PlayerSession::retune(int index)
{
    if (!isPlaying_ || !movieOpen())
        return false;
    rateIndex_ = std::clamp(index, 0, RateSteps::lastIndex);
    if (rate() > 0)
        MediaPlayer1.setRate(rate());
    emit rateChanged(rateIndex_);
    return true;
}

void PlayerSession::setVolume(float db)
{
    if (!movieOpen())
        return;
    if (VolumeSteps::setsVolume(db)) {
        MediaPlayer1.setVolume(VolumeSteps::engineVolume(db));
        MediaPlayer2.setVolume(MediaPlayer1.volume());
        volumeDb_ = std::max(0.0f, db);
    }
    emit volumeChanged(db);
}

void PlayerSession::toggleMute()
{
    const VolumeSteps::Mutes now{MediaPlayer1.mute(), MediaPlayer2.mute()};
    const VolumeSteps::Mutes next = VolumeSteps::toggleMute(now, audioSeparate_);
    MediaPlayer1.setMute(next.video);
    MediaPlayer2.setMute(next.audio);
    emit muteChanged();
}

QWidget *PlayerSession::pictureWidget()
{
    return MediaPlayer1.videoWidget();
}

void PlayerSession::showStatistics()
{
    MediaPlayer1.showDialog(1);
}

void PlayerSession::zoom(int mode)
{
    zoomMode_ = mode;
    emit zoomAsked(mode);
}

void PlayerSession::panAndScan()
{
    zoomMode_ = 0;
    emit panScanAsked();
}

void PlayerSession::sizeWindow(int widthPx)
{
    // Without a known aspect ratio, or at width 0, there is no window to size.
    if (zoomMode_ != 0 || !(videoAspect_ > 0) || widthPx < 1 || MediaPlayer1.fileName().isEmpty())
        return;
    emit windowSizeAsked(widthPx);
}

void PlayerSession::placePicture(const PicturePlace &place)
{
    MediaPlayer1.setDisplaySize(place.displaySize);
    MediaPlayer1.setTop(place.top);
    MediaPlayer1.setLeft(place.left);
    MediaPlayer1.setWidth(place.width);
    MediaPlayer1.setHeight(place.height);
    emit pictureChanged();
}

void PlayerSession::end()
{
    if (ended_)
        return;
    keepPosition();
    iniRead_.drop();
    keepVolume();
    ended_ = true;
    subTimer.stop();
    stopStepping();
    // An open still under way is dropped: nothing of it reaches the windows afterwards.
    if (openingMovie_)
        MediaPlayer1.close();
    if (openingSound_)
        MediaPlayer2.close();
    openingMovie_ = openingSound_ = false;
}
