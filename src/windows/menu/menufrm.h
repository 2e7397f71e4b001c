#pragma once
// The window that carries the video picture's pop-up menu. It is never shown itself; the video window
// pops its menu up on a right click.
#include <QWidget>

class Panelfrm;
class QAction;
class QMenu;

class menufrm : public QWidget {
    Q_OBJECT
public:
    explicit menufrm(Panelfrm &panel);

    QMenu *Videomnu;
    QAction *playshowmnu, *Playhidemnu, *pns43, *zoom1, *zoom0, *subs, *audio;

    // Holds the subtitle timer while the menu is open at `at` (global pixels), whatever is chosen.
    void popupAt(const QPoint &at);

    void playshowmnu_Click();
    void Playhidemnu_Click();
    void pns43_Click();
    void zoom1_Click();
    void zoom0_Click();

private:
    Panelfrm &panel_;
};
