#pragma once
// What plays: the movie's engine (MediaPlayer1) and a separate sound file's (MediaPlayer2), whether the
// movie plays, its rate and frame rate, the stepping timer for the rates the engine does not play, the
// display loop with the subtitle table and its clock, the view asked of the video window, the disc in
// use with its lists, and what the panel's labels say.
//
// Windows and services change it only through its intents and learn of every change from its
// signals. Opening is asynchronous: an open starts and returns, the last one asked for wins, and while
// one is under way the transport intents do nothing (they are dropped, never replayed later). A disc's
// open begins with the reading of its Quick ini file, on a thread of its own.
#include "dialogs/Dialogs.h"
#include "disc/DiscLists.h"
#include "disc/QuickIni.h"
#include "playback/Captions.h"
#include "playback/ResumePositions.h"
#include "playback/TrackList.h"
#include "subtitles/SubtitleClock.h"
#include "threads/LatestWork.h"

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
class QWidget;

class PlayerSession : public QObject {
    Q_OBJECT
public:
    PlayerSession(AppState &app, MediaEngine &movie, MediaEngine &sound, RunLog &log, const Preferences &prefs,
                  QObject *parent = nullptr);

    // What the engines show and tell (picture, place, position, length); changes go through the
    // intents below.
    const MediaEngine &movie() const { return MediaPlayer1; }
    const MediaEngine &sound() const { return MediaPlayer2; }
    // The widget the movie's picture is drawn in, for the video window to carry; none without video.
    QWidget *pictureWidget();
    // The engine's statistics window.
    void showStatistics();

    // The rates of the rate slider's steps, fastest forward first; index 4 is normal speed.
    static constexpr std::array<double, 11> rateTable{6, 4, 2, 1.5, 1, 0.5, 0.1, -1, -2, -4, -6};
    static constexpr int normalRate = 4;

    bool isPlaying() const { return isPlaying_; }
    bool opening() const { return openingMovie_ || openingSound_ || soundWaits_; }
    bool openingMovie() const { return openingMovie_; }
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

    const SubtitleClock &subClock() const { return subClock_; }
    // The window the display loop shows the subtitles in; none until one is attached.
    void setOverlay(SubtitleOverlay *overlay) { overlay_ = overlay; }
    // Moves every entry of the loaded table by `frames`, as a delay typed in the preferences does.
    void shiftSubtitles(double frames);
    // The subtitle file in use: loaded with every movie that opens after it was chosen.
    const QString &subFilePath() const { return subFilePath_; }

    // The disc in use: its main Quick ini file and the root of the medium the drive search found it on.
    struct Disc {
        QString iniFile;
        QString root;
    };
    const Disc &disc() const { return disc_; }

    // The choices of sound and subtitles, the disc's specials and chapters, and what the panel's labels
    // say of the movie, its sound and its subtitles.
    const TrackList &tracks() const { return tracks_; }
    const Specials &specials() const { return specials_; }
    const Chapters &chapters() const { return chapters_; }
    const Captions &captions() const { return captions_; }

    // Opening. Each tells its end with the signals below; a movie's open replaces any open under way.
    void openMovie(const QString &path);
    // A separate sound file for the movie, named `language` where a disc's list offers it. Asked while
    // the movie opens, it opens once the movie has.
    void openSound(const QString &path, const QString &language = QString());
    // Back to the movie's own sound.
    void closeSound();

    // Disc mode. A disc the user chose, by path or found by the drive search on the medium at
    // `driveRoot`: it becomes the disc in use and runs.
    void playDisc(const QString &iniPath, bool chosenByPath, const QString &driveRoot = QString());
    // Opens a disc: the open movie goes, and its Quick ini file is read with its media under
    // `mediaBase` away from this thread (it may lie on a drive that does not answer). When the read
    // ends, the lists go up and discRead tells it, and the disc's movie opens; once that open has
    // ended, the default subtitle track loads, the labels name the disc and discRunEnded tells it.
    void runDisc(const QString &iniPath, const QString &mediaBase);
    // Where a Quick ini file's media lie: beside it when the user chose it by path, else on the medium
    // the drive search found it on (the program folder in autorun mode).
    QString discBase(const QString &iniPath, bool chosenByPath) const;
    // An entry of the selection window: the main movie or a special runs its Quick ini file again, a
    // chapter moves the movie to its start.
    void chooseScene(int index);
    // An entry of "Select Language:": the movie's own sound, another of its audio tracks, or a disc's
    // language playing beside the movie.
    void chooseLanguage(int index);
    // An entry of "Select Subtitles:": none, one of the movie's tracks, or a file loaded with its
    // format detected.
    void chooseSubtitleTrack(int index);
    // The movie open, or being opened, is a disc's main movie.
    bool discMovie() const { return discMovie_; }

    // Subtitles. The file to use from now on, as a drop on "Sub" chooses it: loaded at once when a
    // movie is open, with the given format; else kept for the next movie, which loads it with its
    // format detected (while a movie opens, it loads with the given format once the open has ended).
    void chooseSubtitles(const QString &path, std::optional<int> format = std::nullopt);
    // Reads a subtitle file into the table; a file that cannot be read leaves the table as it was.
    void loadSubtitles(const QString &path, std::optional<int> format = std::nullopt);
    void setSubtitleTable(SubtitleTable table);

    // The view. The video window at the picture's own size (mode 0) or covering the screen (mode 1),
    // panned and scanned, or sized by the preferences' slider: each tells the video window, which lays
    // itself out and places the picture in it.
    int zoomMode() const { return zoomMode_; }
    // Width over height of the open movie's picture; 0 before any.
    double videoAspect() const { return videoAspect_; }
    void zoom(int mode);
    void panAndScan();
    // The window `widthPx` wide at the picture's aspect; only in window mode with a picture.
    void sizeWindow(int widthPx);
    // Where the engine draws the picture in the video window: display size 0 at the picture's own size,
    // 4 stretched; place and size in twips.
    struct PicturePlace {
        int displaySize = 0;
        double left = 0, top = 0, width = 0, height = 0;
    };
    void placePicture(const PicturePlace &place);

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
    // Attenuation in decibels, as the volume slider gives it; 100 and more sets no volume. The last
    // one set is kept when the run ends.
    void setVolume(float db);
    // The volume kept by the last run, set on both engines and told; nothing without one.
    void restoreVolume();
    void toggleMute();

    // The display loop: the subtitles, the separate sound kept in step, the position display.
    void startDisplayLoop() { subTimer.start(); }
    void stopDisplayLoop() { subTimer.stop(); }
    void resyncSubtitles() { subClock_.resyncSubtitles(); }
    void subTimer_Timer() { subClock_.tick(); }
    void TimerMovieBack_Timer();

    // The run ends: timers stop, opens under way are dropped, nothing more is told.
    void end();

signals:
    // An open began or ended: the windows show the busy pointer meanwhile.
    void busyChanged(bool busy);
    void movieOpened(const QString &path);
    void movieOpenFailed(const QString &path);
    // After movieOpened or movieOpenFailed: the subtitles and a disc's labels are in place.
    void movieOpenEnded();
    void soundOpened(const QString &path);
    void soundOpenFailed(const QString &path);
    // A disc's Quick ini file has been read: its lists are up and its movie's open has begun.
    void discRead();
    // A disc's run ended: its movie's open ended and its labels are up. A run given up for a movie
    // asked meanwhile ends with that movie's open.
    void discRunEnded();
    void captionsChanged();
    // Something the user must be told, in a message box; shown once the event that caused it is handled.
    void messageDue(const QString &text, Dialogs::Icon icon, const QString &title);
    // `byTimer`: the stepping timer started or stopped, or an open halted the movie; the engine's own
    // play and pause are not.
    void playingChanged(bool playing, bool byTimer);
    // The position moved by a seek or a step of the stepping timer (not by playing).
    void positionChanged();
    // A seek asked for by the user: a jump, as the desktop's media controls tell it.
    void seeked();
    void rateChanged(int index);
    void volumeChanged(float db);
    // The movie opened where it was left, at `frame`.
    void resumed(double frame);
    void muteChanged();
    // The view asked of the video window.
    void zoomAsked(int mode);
    void panScanAsked();
    void windowSizeAsked(int widthPx);
    void pictureChanged();
    // A tick of the display loop: the position display follows.
    void clockTicked();
    // The subtitle table was replaced or moved in time.
    void subtitleTableChanged();
    // Playback ran into the end of the movie.
    void movieEnded();
    void soundClosed();
    // The disc in use changed: the user chose one.
    void discChanged();
    // A subtitle file was chosen to use from now on.
    void subtitlesChosen(const QString &path);

private:
    bool beginMovieOpen(bool discMovie);
    void startMovieOpen(const QString &path, bool discMovie);
    struct DiscEntries;
    void takeDisc(const DiscEntries &disc);
    void movieFinishedOpening(bool ok);
    void afterMovieOpen();
    void startSoundOpen();
    void soundFinishedOpening(bool ok);
    void setCaptions(const Captions &next);
    void showDiscLabels();
    void busyMaybeEnded();
    void stopStepping();
    // Where movies were left part-way (session_resume.cpp): kept when the open movie is stopped,
    // replaced or closed, taken up when it opens again.
    void keepPosition();
    void resumePosition(const QString &path);
    void keepVolume();
    // The movie's own tracks and chapters (session_texttrack.cpp): taken when it opens and when they
    // change; its subtitle track shown when no subtitle file is in use, a text track's cues taken into
    // the table as the engine finds them due.
    void takeMovieTracks();
    void movieTracksChanged();
    // The disc's chapters, else the movie's own.
    void listChapters();
    void showMovieSubtitle(int id);
    void stopMovieSubtitle();
    void takeCue(double start, double end, const QString &text);
    // Nothing on the overlay: hidden where it shows only with a cue, else empty.
    void blankOverlay();

    MediaEngine &MediaPlayer1;
    MediaEngine &MediaPlayer2;
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
    // A disc whose run waits for its movie's open: its title and whether it lists specials.
    struct DiscRun {
        QString title;
        bool specialsListed = false;
    };
    std::optional<DiscRun> discRun_;
    // The disc's Quick ini file being read.
    LatestWork iniRead_;
    // A subtitle file was chosen while the disc opened: neither its default track nor its label
    // replaces it.
    bool subChosenInDiscOpen_ = false;
    int rateIndex_ = normalRate;
    int zoomMode_ = 1;
    double videoAspect_ = 0;
    double videoFps_ = 0;
    bool audioSeparate_ = false;
    QString subFilePath_;
    // A subtitle file chosen with its format while a movie opens: loaded so when the open ends.
    std::optional<std::optional<int>> subFormatAsked_;
    QString movieAsked_;
    QString soundAsked_;
    QString soundLanguage_;
    // A sound asked for while the movie opens, opened once it has.
    bool soundWaits_ = false;
    Disc disc_;
    TrackList tracks_;
    Specials specials_;
    Chapters chapters_;
    Captions captions_;
    // The disc's own chapters; without any, the movie's are listed.
    QList<Chapter> discChapters_;
    // A text track of the movie is shown: its cues fill the table, moved by the delay typed since.
    bool cuesFromMovie_ = false;
    double cueDelay_ = 0;
    // The open movie as it was when it opened: the key of its kept position.
    std::optional<MovieKey> openMovie_;
    // The volume set last, and the one the file holds.
    std::optional<float> volumeDb_, keptVolumeDb_;
    // Where the movie that opens resumed, told once it has opened.
    std::optional<double> resumedAt_;
};
