#pragma once
// The preferences dialog. Its controls are the store of the preferences: other windows read a check
// box or a text box when they need the value, the settings file fills and saves them, and there is no
// cancel. Accept and the close box only hide the window.
#include <QPointer>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class MediaEngine;
class Desktop;
class Panelfrm;
class player;
class fontselfrm;
class subtitles;
struct AppState;
struct SubtitleTable;

class Settings : public QWidget {
    Q_OBJECT
public:
    Settings(int twipsPerPixelX, int twipsPerPixelY, QWidget *parent = nullptr);

    // The window-size slider works on the movie's engine and the video window; until these are set
    // (or while no video is open) it stays disabled.
    void attachPlayer(MediaEngine *mediaPlayer1, player *playerWindow, Desktop *desktop, const AppState *state);

    // The panel the load sequence pairs with the dialog: the disc's track lists, the skin group and
    // the subtitle font button work on it.
    Panelfrm *panelForm = nullptr;

    // The subtitle group works on the overlay window, the shared state and the loaded table.
    void attachSubtitles(AppState *state, subtitles *overlay, SubtitleTable *table);

    void Form_Activate();
    void HScroll1_Change();
    void Command1_Click();

    // Left column.
    QLabel *Label10;
    QPushButton *Subtitlescmd, *Skinscmd, *Playercmd, *Keyboardcmd, *Command3, *Command4, *Command1;

    QGroupBox *subtitlesfrm, *Skins, *Keyboardfrm, *Playerfrm;

    // Player group.
    QLabel *Label3;
    QScrollBar *HScroll1;
    QCheckBox *fullscreen, *Autoplay, *autoreverse;
    QGroupBox *Frame2;
    QRadioButton *Elapsed, *Remaining, *Time, *Frames;
    QLabel *Label6;
    QComboBox *SubCombo;
    QLabel *Label7;
    QComboBox *LangCombo;
    void SubCombo_Click();
    void LangCombo_Click();
    QLabel *Label8;
    QLineEdit *Panscan;

    // Subtitle group.
    QCheckBox *Transsub, *Hidesub, *Autosub;
    QPushButton *fontsel, *centersubsH;
    QLabel *Label2;
    QScrollBar *subsizeV;
    QLabel *Label1;
    QScrollBar *subsizeH;
    QLabel *Label4;
    QLineEdit *OverlayFrame;
    QLabel *Label9;
    QLineEdit *delaytxt;

    void Transsub_Click();
    void Hidesub_Click();
    void centersubsH_Click();
    void subsizeH_Change();
    void subsizeV_Change();
    void delaytxt_Change();

    // Skin group.
    QPushButton *LoadSkin, *DefaultSkin;
    void LoadSkin_Click();
    void DefaultSkin_Click();

    // The font dialog of the "Font" button; its close box ends it, the next click makes a new one.
    void fontsel_Click();
    QPointer<fontselfrm> fontDialog;

    // Keyboard map: command captions and the one-character boxes that bind them.
    std::array<QLabel *, 21> Label{};
    std::array<QLineEdit *, 21> Text1{};
    // The index of the first box holding exactly `key`, or -1: an empty box binds nothing.
    int keyCommand(const QString &key) const;

protected:
    bool event(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void place(QWidget *w, int left, int top, int width, int height) const;
    void connectSubtitleGroup();
    void connectKeyBoxes();

    int tppX_;
    int tppY_;
    MediaEngine *mediaPlayer1_ = nullptr;
    player *player_ = nullptr;
    Desktop *desktop_ = nullptr;
    const AppState *state_ = nullptr;
    AppState *app_ = nullptr;
    subtitles *overlay_ = nullptr;
    SubtitleTable *table_ = nullptr;
};
