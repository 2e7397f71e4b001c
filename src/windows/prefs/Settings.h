#pragma once
// The preferences dialog: it shows the preferences the session's Preferences own and changes them there
// as the user edits, so a change applies at once and there is no cancel. Accept and the close box only
// hide the window.
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
class Desktop;
class Dialogs;
class PlayerSession;
class Preferences;
class fontselfrm;
struct Prefs;

// What the window edits and whom it asks.
struct SettingsContext {
    Preferences &prefs;
    PlayerSession &session;
    Desktop &desktop;
    Dialogs &dialogs;
};

class Settings : public QWidget {
    Q_OBJECT
public:
    Settings(const SettingsContext &ctx, int twipsPerPixelX, int twipsPerPixelY, QWidget *parent = nullptr);



    // The overlay's size bars reach as far as the screen of now.
    void fitScreen();

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
    void Autosub_Click();
    void OverlayFrame_Change();
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

signals:
    // "Change Skin": a picture is to be chosen by browsing.
    void skinBrowseRequested();

protected:
    bool event(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void place(QWidget *w, int left, int top, int width, int height) const;
    // Buddies, names and the Tab order for the keyboard and assistive tools (settings_access.cpp).
    void labelControls();
    void connectSubtitleGroup();
    void connectPlayerGroup();
    void connectKeyBoxes();
    // The controls as the preferences are now; only those that differ from `was` change.
    void showPrefs(const Prefs &was);
    void showSubtitlePrefs(const Prefs &was);
    void showTracks();

    Preferences &prefs_;
    PlayerSession &session_;
    Desktop &desktop_;
    Dialogs &dialogs_;
    int tppX_;
    int tppY_;
};
