#pragma once
// The window that carries the video picture's pop-up menu. It is never shown itself; the video window
// asks for its menu on a right click. Each item gives one of the player's commands.
#include <QWidget>

class Commands;
class PlayerSession;
class QAction;
class QMenu;

class menufrm : public QWidget {
    Q_OBJECT
public:
    menufrm(const Commands &commands, PlayerSession &session, QWidget *parent);

    QMenu *Videomnu;
    QAction *playshowmnu, *Playhidemnu, *pns43, *zoom1, *zoom0, *subs, *audio;

    // Pops the menu up at `at` (global pixels) and returns; the subtitle timer holds while it is open,
    // whatever is chosen.
    void popupAt(const QPoint &at);

private:
    PlayerSession &session_;
};
