#pragma once
// What plays: the movie's engine (MediaPlayer1) and a separate sound file's (MediaPlayer2), whether the
// movie plays, its rate and frame rate, the stepping timer for the rates the engine does not play, the
// display loop with the subtitle table and its clock, and the disc description in use.
//
// Windows and services change it only through its intents and learn of every change from its
// signals. Opening is asynchronous: an open starts and returns, the last one asked for wins, and while
// one is under way the transport intents do nothing (they are dropped, never replayed later).
#include "disc/QuickIni.h"
#include "engine/EmbeddedText.h"
#include "playback/ResumePositions.h"
#include "subtitles/SubtitleClock.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <array>

struct AppState;
class MediaEngine;
class Preferences;
class RunLog;
class SubtitleOverlay;

class PlayerSession : public QObject {
    Q_OBJECT
public:
    PlayerSession(AppState &app, MediaEngine &movie, MediaEngine &sound, RunLog &log, const Preferences &prefs,
                  QObject *parent = nullptr);

    // The engines, for what they show and tell (picture, place, position, length); changes go through
    // the intents below.
    MediaEngine &MediaPlayer1;
    MediaEngine &MediaPlayer2;

    // The rates of the rate slider's steps, fastest forward first; index 4 is normal speed.
    static constexpr std::array<double, 11> rateTable{6, 4, 2, 1.5, 1, 0.5, 0.1, -1, -2, -4, -6};
    static constexpr int normalRate = 4;

    bool isPlaying() const { return isPlaying_; }
    bool opening() const { return openingMovie_ || openingSound_; }
    bool movieOpen() const;
    int rateIndex() const { return rateIndex_; }
    double rate() const { return rateTable[static_cast<size_t>(rateIndex_)]; }
    // Frames per second of the open movie, as the panel's frame units count them; 0 before any.
    double videoFps() const { return videoFps_; }
    bool audioSeparate() const { return audioSeparate_; }
    // The movie moves: the engine plays it, or the stepping timer steps it.
    bool moving() const;
    bool stepping() const { return TimerMovieBack.isActive(); }
    bool displayLoopRunning() const { return subTimer.isActive(); }

    SubtitleClock &subClock() { return subClock_; }
    // The window the display loop shows the subtitles in; none until one is attached.
    void setOverlay(SubtitleOverlay *overlay) { overlay_ = overlay; }
    // Moves every entry of the loaded table by `frames`, as a delay typed in the preferences does.
    void shiftSubtitles(double frames);
    // The subtitle file in use: loaded with every movie that opens after it was chosen.
    const QString &subFilePath() const { return subFilePath_; }

    // The disc description in use and where its media lie.
    struct Disc {
        QString iniFile;
        QStringList subTrackFiles;
        QStringList audioTrackFiles;
    };
    const Disc &disc() const { return disc_; }

    // Opening. Each tells its end with the signals below; a movie's open replaces any open under way.
    void openMovie(const QString &path);
    // The disc chosen by the user (not one of its specials): its Quick ini file leads the selection.
    void chooseDisc(const QString &iniPath) { disc_.iniFile = iniPath; }
    // Reads a Quick ini file (media under `mediaBase`) and takes its track lists and default subtitle
    // track. Returns what the file describes; openDiscMovie then opens its movie.
    QuickDisc readDisc(const QString &iniPath, const QString &mediaBase);
    void openDiscMovie(const QuickDisc &disc);
    void openSound(const QString &path);
    // Back to the movie's own sound.
    void closeSound();
    void setSubFilePath(const QString &path) { subFilePath_ = path; }
    // The subtitle file to use from now on, as a drop on "Sub" chooses it: loaded at once when a movie
    // is open (subtitlesChosen), else with the next one.
    void chooseSubtitles(const QString &path);
    // The movie open, or being opened, is a disc's main movie.
    bool discMovie() const { return discMovie_; }
    void setSubtitleTable(SubtitleTable table);

    // Transport. Each does nothing while an open is under way or no movie is open.
    void togglePlay();
    void play();
    void pause();
    void goStart();
    void goEnd();
    // To a frame of the movie, within its length.
    void seek(double frame);
    // Applies the rate of step `index`: the engine plays it, or the stepping timer steps it. Only while
    // playing; returns whether it was applied.
    bool setRate(int index);
    // While dragging: the slider shows `index` and a forward rate retunes the engine; nothing starts
    // or stops.
    bool retune(int index);
    // Attenuation in decibels, as the volume slider gives it; 100 and more sets no volume.
    void setVolume(float db);
    void toggleMute();

    // The display loop: the subtitles, the separate sound kept in step, the position display.
    void startDisplayLoop() { subTimer.start(); }
    void stopDisplayLoop() { subTimer.stop(); }
    void resyncSubtitles() { subClock_.resyncSubtitles(); }
    void subTimer_Timer() { subClock_.tick(); }
    void TimerMovieBack_Timer();

    // The run ends: timers stop, opens under way are dropped, nothing more is told.
    void end();

    // The reading of the movie's own text track ends here: told on when the movie is still the one open
    // and no subtitle file has been chosen meanwhile.
    void takeTextTrack(const QString &movie, const EmbeddedTrack &track);

signals:
    // An open began or ended: the windows show the busy pointer meanwhile.
    void busyChanged(bool busy);
    void movieOpened(const QString &path);
    void movieOpenFailed(const QString &path);
    void soundOpened(const QString &path);
    void soundOpenFailed(const QString &path);
    void subtitlesChosen(const QString &path);
    // `byTimer`: the stepping timer started or stopped, or an open halted the movie; the engine's own
    // play and pause are not.
    void playingChanged(bool playing, bool byTimer);
    // The position moved by a seek or a step of the stepping timer (not by playing).
    void positionChanged();
    // A seek asked for by the user: a jump, as the desktop's media controls tell it.
    void seeked();
    void rateChanged(int index);
    void volumeChanged(float db);
    // A tick of the display loop: the position display follows.
    void clockTicked();
    // The subtitle table was replaced or moved in time.
    void subtitleTableChanged();
    // Playback ran into the end of the movie.
    void movieEnded();
    // The open movie's own text track, while no subtitle file is chosen: the windows put it in the table.
    void textTrackFound(const EmbeddedTrack &track);

private:
    void startMovieOpen(const QString &path, bool discMovie);
    void movieFinishedOpening(bool ok);
    void soundFinishedOpening(bool ok);
    void busyMaybeEnded();
    void stopStepping();
    // Where movies were left part-way (session_resume.cpp): kept when the open movie is stopped,
    // replaced or closed, taken up when it opens again.
    void keepPosition();
    void resumePosition(const QString &path);
    // The movie's own text track, read when no subtitle file is chosen (session_texttrack.cpp).
    void readTextTrack(const QString &path);

    AppState &app_;
    RunLog &log_;
    const Preferences &prefs_;
    SubtitleOverlay *overlay_ = nullptr;
    SubtitleClock subClock_;
    QTimer TimerMovieBack;  // 1000 ms, steps the position for the rates the engine does not play
    QTimer subTimer;        // 500 ms, subtitles, separate audio and the tracker
    bool isPlaying_ = false;
    bool openingMovie_ = false;
    bool openingSound_ = false;
    bool ended_ = false;
    bool discMovie_ = false;
    int rateIndex_ = normalRate;
    double videoFps_ = 0;
    bool audioSeparate_ = false;
    QString subFilePath_;
    QString movieAsked_;
    QString soundAsked_;
    Disc disc_;
    EmbeddedText textTrack_;
    // The open movie as it was when it opened: the key of its kept position.
    std::optional<MovieKey> openMovie_;
};
