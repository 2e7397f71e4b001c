#pragma once
// The subtitle overlay: a borderless window floating over the screen whose label carries the text.
// Dragging the text moves it, a click brings back the control panel, a key brings the panel forward.
// It is an ordinary window that showing a cue never raises; with "Transparent Subtiles" its first
// showing makes it topmost and paints it in the colour at the screen's centre. Its size, place and font
// are preferences: it follows them, and a drag tells them where it went.
#include "desktop/WindowDrag.h"
#include "subtitles/SubtitleOverlay.h"

#include <QWidget>
#include <functional>

class QLabel;
class Desktop;
class Dialogs;
class Preferences;
struct Prefs;

class subtitles : public QWidget, public SubtitleOverlay {
    Q_OBJECT
public:
    subtitles(Preferences &prefs, Desktop &desktop, Dialogs &dialogs, QWidget *parent = nullptr);

    void showOverlay() override;
    void hideOverlay() override;
    void setCaption(const QString &text) override;
    void cueDue() override;

    // Runs the transparency set-up once per run, when the overlay is shown with the first entry due
    // and it is wanted.
    void Form_GotFocus();
    // Fills the background with the colour at the screen's centre (black where it cannot be read);
    // also used after a size change.
    bool paintScreenColour();

    // How far the set-up has come: 1 waiting for the first entry, 2 an entry is due, 3 set up.
    int overlayState() const { return overlayState_; }

    QLabel *Label1;
    QLabel *Label2;

signals:
    void restorePanel();       // the text was clicked: the panel's state back to normal
    void bringPanelForward();  // a key was typed on the overlay
    void minimisePanel();      // the set-up ran with AutoPlay on

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Label1_MouseDown(Qt::MouseButton button, QPoint grip);
    void Label1_Click();
    void setBackground(QColor colour);
    void showPrefs(const Prefs &was);
    QPoint home() const;

    Preferences &prefs_;
    Desktop &desktop_;
    Dialogs &dialogs_;
    int overlayState_ = 1;
    bool settingUp_ = false;

    bool labelPressed_ = false;
    WindowDrag drag_;
};
