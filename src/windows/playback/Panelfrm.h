#pragma once
// The control panel, the program's start window. What plays belongs to the PlayerSession and the
// preferences to Preferences: the panel's handlers ask them through their intents and show what their
// signals tell. Each of its actions is a command shared with the key map and the video window's menu.
// Each subsystem's handlers live in their own source file (panel_*.cpp) beside the rule units they call.
#include "desktop/WindowDrag.h"
#include "playback/Commands.h"
#include "playback/LabelButton.h"
#include "playback/LineShape.h"
#include "playback/MessageQueue.h"

#include <QCursor>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

struct AppState;
class PlayerSession;
class Preferences;
struct Prefs;
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
    PlayerSession &session;
    Preferences &prefs;
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

    // The other windows. The preferences form is made by Main and paired here; the video window with
    // the panel; the subtitle overlay by the load sequence, unless one was attached before; the Browse
    // dialog, the selection window and the carrier of the video's pop-up menu on first use.
    void attachSettings(Settings *form);
    // Takes the overlay window for the run: the display loop draws into it and its mouse and keys
    // reach the panel. The panel deletes it.
    void attachOverlay(subtitles *form);
    Settings *preferencesWindow() const { return settingsForm; }
    player &videoWindow() const { return *playerForm; }
    subtitles *overlay() const { return subtitlesForm; }
    Browsefrm *browseDialog() const { return browseForm; }
    SelectFrm *selection() const { return selectForm; }
    menufrm *videoMenu() const { return menuForm; }
    const Commands &commands() const { return commands_; }

    // The marks drawn on the tracker, the rate slider and the volume slider.
    const LineShape &positionMark() const { return LinePos; }
    const LineShape &rateMark() const { return LineRate; }
    const LineShape &volumeMark() const { return volLine1; }
    // The tracker's scale: frames per twip of its width.
    double trackScale() const { return posPerTwip; }
    int opticalDrives() const { return cdDriveCount; }

    // Shows the panel, restored from the task bar, above the video window and with the keyboard, as a
    // file handed over from outside or the desktop's media controls bring it.
    void comeForward();

    // The panel's background picture (the built-in skin or a chosen one), drawn unscaled at top left.
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return picture_; }

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload(int cancel);
    // Writes the settings file as the unload does, and goes on running (a logout that may still be
    // cancelled). False when this run keeps no settings (autorun mode, a second instance).
    bool saveSettings();
    // The orderly way out, for the exit button, the close box and the desktop's requests alike.
    void endRun();

    // Opening media. An open starts here and the panel shows its end when the session tells it.
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
    void zoom(int mode);
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
    void subopen_Click();
    void subopen_Drop(const QStringList &paths);

    // Disc mode.
    void GetCDRoms();
    // Puts the Quick ini file's lists up and opens its movie, with its media under `mediaBase`; the
    // labels follow once the movie's open has ended.
    void runCD(const QString &iniPath, const QString &mediaBase);
    // The CD button: the right button browses for a Quick ini file, the left one searches the drives.
    void CDplay_MouseDown(int button, int shift, double x, double y);
    void CDplay_Drop(const QStringList &paths);
    void LblScenes_Click();
    void Lblspecial_Click();

    // Browsing: shows the Browse dialog modeless, choosing a file of `mode` under `caption`.
    void showBrowse(int mode, const QString &caption);

    // Skins: draws the picture in `file` as the panel's background and makes it the skin preference. A
    // file that is not a decodable picture keeps both, with a message that names it; "NONE" and a path
    // with no file behind it (a saved skin deleted since) keep both without a word. The result is false
    // then.
    bool loadSkin(const QString &file);

    // One-key commands: the command bound to the typed character.
    void Form_KeyPress(const QString &key);

    // Sets the panel's pointer: the four-way arrow over the background, the default over controls.
    void setPointer(Qt::CursorShape shape);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    friend void applySettingsFile(Panelfrm &panel);
    friend bool saveSettingsFile(Panelfrm &panel);

    void wireSession();
    void wireCommands();
    // The window's part of an open that ended: the movie's window and first play.
    void showOpenedMovie(const QString &filename);
    void showCaptions();
    void showPlaying(bool playing, bool stepped);
    void showRate(int index);
    void showVolume(float db);
    void showBusy(bool busy);
    void showZoom(int mode);
    LabelButton *makeLabel(const char *name, const QString &caption, const QString &tip, double l, double t,
                           double w, double h);
    void wireControls();
    // The controls for the keyboard and assistive tools (panel_access.cpp): their roles and names, the
    // Tab chain, the sliders' values and the toggles' states.
    void wireAccess();
    void showAccessState();
    // "Play" or "Stop" on the play button, which is pressed while it says "Stop".
    void showPlayCaption(bool stop);
    // The video window's pop-up menu at `at` (global pixels); by the keyboard, at the video window.
    void showVideoMenu(const QPoint &at);
    void videoMenuByKey();
    void showPrefs(const Prefs &was);
    void seekOnTrack(double x);
    int rateStepHeight() const;
    double volumeStep() const;
    void restore();
    void bringForward();
    // The CD button's two ways: browsing for a Quick ini file, searching the drives for a disc.
    void browseQuickIni();
    void searchDrives();
    void setVolumeAt(double y);
    SelectFrm *selectionWindow();
    // "Window mode" or "Fullscreen mode", as the message line names the video window's modes.
    static QString modeName(int mode);

    AppState &app;
    PlayerSession &session;
    Preferences &prefs;
    Desktop &desktop;
    Dialogs &dialogs;
    RunLog &log;
    Drives &drives;
    Commands commands_;

    Settings *settingsForm = nullptr;
    player *playerForm = nullptr;
    subtitles *subtitlesForm = nullptr;
    SelectFrm *selectForm = nullptr;
    Browsefrm *browseForm = nullptr;
    menufrm *menuForm = nullptr;

    // Controls, named as on the panel's layout.
    LabelButton *vplay, *cmdzoom, *Prefers, *stats, *vgos, *vgoe, *openfile, *sndopen, *subopen, *CDplay;
    LabelButton *LblScenes, *Lblspecial, *minim, *exitLbl, *LabelAbout;
    LabelButton *AddVol, *subVol, *Mutesnd, *volpos;
    LabelButton *ratem, *ratea, *NormRate, *Ratepos, *rateshow;
    LabelButton *VideoPos, *namelbl, *audiolbl, *Sublbl, *Message, *Label2, *Label1;
    LineShape LineRate, rateline, volLine1, volLine2, Line1, LinePos;

    double posPerTwip = 1;
    double trackWidth = 0;
    std::array<QString, 5> cdDrives;
    int cdDriveCount = 0;

    QPixmap picture_;
    bool unloading_ = false;
    WindowDrag drag_;
    std::optional<QCursor> busyWas_;
    // While it runs, the message line keeps "Resumed" over the position display.
    QTimer resumedShown_;
    MessageQueue messages_;
};
