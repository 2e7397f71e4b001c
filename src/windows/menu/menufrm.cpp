#include "menu/menufrm.h"

#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "startup/AppState.h"

#include <QMenu>

menufrm::menufrm(Panelfrm &panel) : QWidget(&panel, Qt::Window), panel_(panel)
{
    setObjectName(QStringLiteral("menufrm"));
    Videomnu = new QMenu(QStringLiteral("Video"), this);
    Videomnu->setObjectName(QStringLiteral("Videomnu"));
    const auto item = [this](const char *name, const char *caption) {
        QAction *a = Videomnu->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    playshowmnu = item("playshowmnu", "Show Vistrel");
    Playhidemnu = item("Playhidemnu", "Hide Vistrel");
    Videomnu->addSeparator();
    // "&&" is one "&" on screen and marks no letter.
    pns43 = item("pns43", "Pan && scan 4:3");
    zoom1 = item("zoom1", "Fullscreen");
    zoom0 = item("zoom0", "window");
    Videomnu->addSeparator();
    subs = item("subs", "Subtitles");
    audio = item("audio", "Audio languages");

    connect(playshowmnu, &QAction::triggered, this, &menufrm::playshowmnu_Click);
    connect(Playhidemnu, &QAction::triggered, this, &menufrm::Playhidemnu_Click);
    connect(pns43, &QAction::triggered, this, &menufrm::pns43_Click);
    connect(zoom1, &QAction::triggered, this, &menufrm::zoom1_Click);
    connect(zoom0, &QAction::triggered, this, &menufrm::zoom0_Click);
    // After its own work every command sets the subtitles going again.
    for (QAction *a : {playshowmnu, Playhidemnu, pns43, zoom1, zoom0})
        connect(a, &QAction::triggered, &panel_.session, &PlayerSession::startDisplayLoop);
}

void menufrm::popupAt(const QPoint &at)
{
    panel_.session.stopDisplayLoop();
    Videomnu->exec(at);
    panel_.session.startDisplayLoop();
}

void menufrm::playshowmnu_Click()
{
    panel_.setWindowState(panel_.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void menufrm::Playhidemnu_Click()
{
    panel_.minim_Click();
}

void menufrm::pns43_Click()
{
    panel_.pan_n_scan43();
}

void menufrm::zoom1_Click()
{
    panel_.app.zoomMode = 1;
    panel_.zoom();
}

void menufrm::zoom0_Click()
{
    panel_.app.zoomMode = 0;
    panel_.zoom();
}
