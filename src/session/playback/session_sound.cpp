// A separate sound file beside the movie: opened into the second engine, kept in step by the display
// loop, heard instead of the movie's own sound.
#include "engine/MediaEngine.h"
#include "playback/PlayerSession.h"
#include "startup/RunLog.h"

#include <QFileInfo>

void PlayerSession::openSound(const QString &path, const QString &language)
{
    if (ended_)
        return;
    soundAsked_ = path;
    soundLanguage_ = language;
    if (openingMovie_) {
        // The movie's open would silence it again: it opens once the movie has.
        const bool wasBusy = opening();
        soundWaits_ = true;
        if (!wasBusy)
            emit busyChanged(true);
        return;
    }
    startSoundOpen();
}

void PlayerSession::startSoundOpen()
{
    const bool wasBusy = opening();
    openingSound_ = true;
    if (!wasBusy)
        emit busyChanged(true);
    MediaPlayer2.open(soundAsked_);
}

void PlayerSession::soundFinishedOpening(bool ok)
{
    if (!openingSound_)
        return;
    openingSound_ = false;
    const QString path = soundAsked_;
    Captions next = captions_;
    if (!ok) {
        // Muting the movie for a track that did not open would leave the user in silence.
        audioSeparate_ = false;
        MediaPlayer1.setMute(false);
        next.audio = QStringLiteral("AUDIO: DEFAULT");
        // A language whose file did not open is not what is heard: the list shows the movie's own.
        if (!soundLanguage_.isEmpty() && !tracks_.audio().isEmpty()) {
            tracks_.setAudioIndex(0);
            next.audio = QStringLiteral("AUDIO: ") + tracks_.audio().first().name.toUpper();
        }
        setCaptions(next);
        busyMaybeEnded();
        emit soundOpenFailed(path);
        emit messageDue(QStringLiteral("ERROR LOADING AUDIO FILE"), Dialogs::Icon::None, QString());
        return;
    }
    MediaPlayer2.setVolume(MediaPlayer1.volume());
    MediaPlayer2.setMute(false);
    MediaPlayer1.setMute(true);
    audioSeparate_ = true;
    // Its position follows the movie's on the next tick of the display loop.
    if (MediaPlayer1.playState() == 2)
        MediaPlayer2.play();
    log_.line(QStringLiteral("opened audio ") + path);
    next.audio = QStringLiteral("AUDIO: ")
                 + (soundLanguage_.isEmpty() ? QFileInfo(path).fileName() : soundLanguage_).toUpper();
    setCaptions(next);
    busyMaybeEnded();
    emit soundOpened(path);
}

void PlayerSession::closeSound()
{
    openingSound_ = false;
    soundWaits_ = false;
    MediaPlayer2.setMute(true);
    MediaPlayer2.close();
    audioSeparate_ = false;
    MediaPlayer1.setMute(false);
    busyMaybeEnded();
    emit soundClosed();
}

void PlayerSession::chooseLanguage(int index)
{
    if (index < 0 || index >= tracks_.audio().size())
        return;
    const TrackList::Choice choice = tracks_.audio()[index];
    tracks_.setAudioIndex(index);
    if (choice.kind == TrackList::Choice::Kind::Disc) {
        // The label follows once the file has opened; one that does not open puts the list back on
        // the movie's own sound.
        openSound(choice.file, choice.name);
        return;
    }
    closeSound();
    // The movie's own tracks switch in its engine; with the movie's own sound the engine goes back to
    // the track it started with.
    if (choice.track > 0 && movieOpen() && MediaPlayer1.audioTrack() != choice.track) {
        MediaPlayer1.setAudioTrack(choice.track);
        log_.line(QStringLiteral("audio track ") + QString::number(choice.track) + QLatin1Char(' ') + choice.name);
    }
    setCaptions({captions_.video, QStringLiteral("AUDIO: ") + choice.name.toUpper(), captions_.sub});
}
