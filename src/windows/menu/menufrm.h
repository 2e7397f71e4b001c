#pragma once
// The window that carries the video picture's pop-up menu. It is never shown itself; the video window
// asks for its menu on a right click. Each item gives one of the player's commands; "Subtitles" and
// "Audio languages" open the choices of the session's track list, the current one checked.
#include "playback/TrackList.h"

#include <QWidget>

class Commands;
class PlayerSession;
class QAction;
class QMenu;

class menufrm : public QWidget {
    Q_OBJECT
public:
    menufrm(const Commands &commands, PlayerSession &session, QWidget *parent);

    QMenu *Videomnu, *subsMenu, *audioMenu;
    QAction *playshowmnu, *Playhidemnu, *pns43, *zoom1, *zoom0, *subs, *audio;

    // Pops the menu up at `at` (global pixels) and returns; the subtitle timer holds while it is open,
    // whatever is chosen.
    void popupAt(const QPoint &at);

private:
    // The sub-menus again from the track list.
    void showTracks();

    PlayerSession &session_;
};
