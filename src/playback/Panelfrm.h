#pragma once
// The control panel, the program's start window. It owns the playback state and most handlers; each
// subsystem's handlers live in their own source file (panel_*.cpp) beside the rule units they call.
#include "platform/EmbeddedText.h"
#include "playback/LabelButton.h"
#include "playback/LineShape.h"
#include "playback/ResumePositions.h"
#include "subtitles/SubtitleClock.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

struct AppState;
class MediaEngine;
class Desktop;
class Drives;
class Dialogs;
class RunLog;
class SelectFrm;
class Browsefrm;
class menufrm;
class Settings;
class player;
class subtitles;

// What the panel works with; the windows it drives are created once and live for the run.
struct PanelContext {
    AppState &app;
    MediaEngine &MediaPlayer1;
    MediaEngine &MediaPlayer2;
    Desktop &desktop;
    Dialogs &dialogs;
    RunLog &log;
    Drives &drives;
};

class Panelfrm : public QWidget {
    Q_OBJECT
public:
    explicit Panelfrm(const PanelContext &ctx, QWidget *parent = nullptr);
    ~Panelfrm() override;

    AppState &app;
    MediaEngine &MediaPlayer1;
    MediaEngine &MediaPlayer2;
    Desktop &desktop;
    Dialogs &dialogs;
    RunLog &log;
    Drives &drives;

    // The other windows. The preferences form is created by Main; the video window with the panel; the
    // subtitle overlay by the load sequence, unless one was attached before; the Browse dialog and the
    // carrier of the video's pop-up menu on first use, as the panel's own windows.
    Settings *settingsForm = nullptr;
    player *playerForm = nullptr;
    subtitles *subtitlesForm = nullptr;
    SelectFrm *selectForm = nullptr;  // made by the first runCD or selection, a child of the panel
    Browsefrm *browseForm = nullptr;
    menufrm *menuForm = nullptr;

    // Controls, named as on the panel's layout.
    LabelButton *vplay, *cmdzoom, *Prefers, *stats, *vgos, *vgoe, *openfile, *sndopen, *subopen, *CDplay;
    LabelButton *LblScenes, *Lblspecial, *minim, *exitLbl, *LabelAbout;
    LabelButton *AddVol, *subVol, *Mutesnd, *volpos;
    LabelButton *ratem, *ratea, *NormRate, *Ratepos, *rateshow;
    LabelButton *VideoPos, *namelbl, *audiolbl, *Sublbl, *Message, *Label2, *Label1;
    LineShape LineRate, rateline, volLine1, volLine2, Line1, LinePos;
    QTimer TimerMovieBack;  // 1000 ms, steps the position for the rates the engine does not play
    QTimer subTimer;        // 500 ms, subtitles, separate audio and the tracker

    // Playback state.
    bool isPlaying = false;
    int rateIndex = 4;
    double videoFps = 0;
    double posPerTwip = 1;
    double trackWidth = 0;
    std::array<QString, 2> modeNames;
    // The subtitle table and the index of the entry due next.
    SubtitleClock subClock;
    std::array<QString, 5> cdDrives;
    int cdDriveCount = 0;
    // Root of the medium on which the drive search last found a Quick ini file: that disc's media base.
    QString cdRoot;

    // The panel's background picture (the built-in skin or a chosen one), drawn unscaled at top left.
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return picture_; }

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload(int cancel);

    // Opening media.
    void openVideo(const QString &filename);
    void openAudio(const QString &filename);
    void openfile_Click();
    void sndopen_Click();
    void openfile_Drop(const QStringList &paths);
    void sndopen_Drop(const QStringList &paths);

    // Transport.
    void vplay_Click();
    void vgos_Click();
    void vgoe_Click();
    void TimerMovieBack_Timer();
    void MediaPlayer1_EndOfStream(int result);

    // Position and time.
    void updateBarTime();
    static QString maketime(double &timevalue);
    void VideoPos_MouseDown(int button, int shift, double x, double y);
    void VideoPos_MouseMove(int button, int shift, double x, double y);

    // Rate and volume.
    void Ratepos_MouseDown(int button, int shift, double x, double y);
    void Ratepos_MouseMove(int button, int shift, double x, double y);
    void ratem_Click();
    void ratea_Click();
    void NormRate_Click();
    void volpos_MouseDown(int button, int shift, double x, double y);
    void volpos_MouseMove(int button, int shift, double x, double y);
    void AddVol_Click();
    void subVol_Click();
    void Mutesnd_Click();

    // Window modes and the panel's own buttons.
    void zoom();
    void cmdzoom_Click();
    void pan_n_scan43();
    void minim_Click();
    void exitLbl_Click();
    void stats_Click();
    void Prefers_Click();
    void LabelAbout_Click();
    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_MouseMove(int button, int shift, double x, double y);

    // Subtitles.
    void getsubtitles(const QString &subfile, std::optional<int> Subformat = std::nullopt);
    void resyncSubtitles();
    void subTimer_Timer();
    void subopen_Click();
    void subopen_Drop(const QStringList &paths);
    // Takes the overlay window for the run: the display loop draws into it and its mouse and keys
    // reach the panel. The panel deletes it.
    void attachOverlay(subtitles *form);

    // The movie's own text track, shown while no subtitle file is loaded (panel_embedded.cpp).
    EmbeddedText embeddedText;
    void showEmbeddedSubtitles(const QString &movie);
    void embeddedText_Found(const QString &movie, const EmbeddedTrack &track);

    // Where movies were left part-way (panel_resume.cpp): kept when the open movie is stopped, replaced or
    // closed, taken up when it is opened again.
    void keepPosition();
    void resumePosition(const QString &movie);

    // Disc mode.
    void GetCDRoms();
    void runCD(const QString &iniPath);
    void CDplay_MouseDown(int button, int shift, double x, double y);
    void CDplay_Drop(const QStringList &paths);
    void LblScenes_Click();
    void Lblspecial_Click();

    // Browsing: sets browseMode and the Browse dialog's caption, then shows the dialog modeless.
    void showBrowse(int mode, const QString &caption);

    // Skins: draws the picture in `file` as the panel's background and sets skinFile. A file that is
    // not a decodable picture keeps both, with a message that names it; "NONE" and a path with no file
    // behind it (a saved skin deleted since) keep both without a word. The result is false then.
    bool loadSkin(const QString &file);

    // One-key commands.
    void Form_KeyPress(const QString &key);

    // Sets the panel's pointer: the four-way arrow over the background, the default over controls.
    void setPointer(Qt::CursorShape shape);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    LabelButton *makeLabel(const char *name, const QString &caption, const QString &tip, double l, double t,
                           double w, double h);
    void wireControls();
    SubtitleClockHooks subtitleClockHooks();
    void seekOnTrack(double x);
    int rateStepHeight() const;
    void showRateAt(double y);
    double volumeStep() const;
    void setVolumeAt(float db);

    QPixmap picture_;
    bool unloading_ = false;
    // The open movie as it was when it opened: the key of its kept position.
    std::optional<MovieKey> openMovie_;
};
