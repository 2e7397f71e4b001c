#include "menu/menufrm.h"

#include "playback/Commands.h"
#include "playback/PlayerSession.h"

#include <QMenu>

menufrm::menufrm(const Commands &commands, PlayerSession &session, QWidget *parent)
    : QWidget(parent, Qt::Window), session_(session)
{
    setObjectName(QStringLiteral("menufrm"));
    Videomnu = new QMenu(QStringLiteral("Video"), this);
    Videomnu->setObjectName(QStringLiteral("Videomnu"));
    const auto item = [this](const char *name, const char *caption, QAction *command) {
        QAction *a = Videomnu->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (command)
            connect(a, &QAction::triggered, command, &QAction::trigger);
        return a;
    };
    playshowmnu = item("playshowmnu", "Show Vistrel", commands.showPanel);
    Playhidemnu = item("Playhidemnu", "Hide Vistrel", commands[KeyMap::Minimize]);
    Videomnu->addSeparator();
    // "&&" is one "&" on screen and marks no letter.
    pns43 = item("pns43", "Pan && scan 4:3", commands.panAndScan);
    zoom1 = item("zoom1", "Fullscreen", commands.fullscreen);
    zoom0 = item("zoom0", "window", commands.windowMode);
    Videomnu->addSeparator();
    subs = item("subs", "Subtitles", nullptr);
    audio = item("audio", "Audio languages", nullptr);
    // Open or closed, with or without a command, the subtitles go on once the menu has gone.
    connect(Videomnu, &QMenu::aboutToShow, &session_, &PlayerSession::stopDisplayLoop);
    connect(Videomnu, &QMenu::aboutToHide, &session_, &PlayerSession::startDisplayLoop);
}

void menufrm::popupAt(const QPoint &at)
{
    Videomnu->popup(at);
}
