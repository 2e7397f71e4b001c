#include "menu/menufrm.h"

#include "playback/Commands.h"
#include "playback/PlayerSession.h"

#include <QActionGroup>
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
    const auto subMenu = [this](const char *name, const char *caption) {
        QMenu *menu = Videomnu->addMenu(QString::fromLatin1(caption));
        menu->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    subsMenu = subMenu("subs", "Subtitles");
    audioMenu = subMenu("audio", "Audio languages");
    subs = subsMenu->menuAction();
    audio = audioMenu->menuAction();
    connect(&session_.tracks(), &TrackList::changed, this, &menufrm::showTracks);
    showTracks();
    // Open or closed, with or without a command, the subtitles go on once the menu has gone.
    connect(Videomnu, &QMenu::aboutToShow, &session_, &PlayerSession::stopDisplayLoop);
    connect(Videomnu, &QMenu::aboutToHide, &session_, &PlayerSession::startDisplayLoop);
}

void menufrm::showTracks()
{
    const TrackList &tracks = session_.tracks();
    const auto fill = [this](QMenu *menu, const QList<TrackList::Choice> &choices, int current,
                             void (PlayerSession::*choose)(int)) {
        // A choice made from this menu refills it while its action is still being triggered: the old
        // entries go once that has returned.
        for (QAction *old : menu->actions()) {
            menu->removeAction(old);
            old->deleteLater();
        }
        for (QActionGroup *old : menu->findChildren<QActionGroup *>(Qt::FindDirectChildrenOnly))
            old->deleteLater();
        auto *group = new QActionGroup(menu);
        for (int i = 0; i < choices.size(); ++i) {
            // A name is no shortcut: "&" shows as itself.
            QAction *a = menu->addAction(QString(choices[i].name).replace(QLatin1Char('&'), QStringLiteral("&&")));
            a->setCheckable(true);
            a->setChecked(i == current);
            a->setActionGroup(group);
            connect(a, &QAction::triggered, &session_, [session = &session_, choose, i] { (session->*choose)(i); });
        }
        menu->menuAction()->setEnabled(!choices.isEmpty());
    };
    fill(subsMenu, tracks.subtitles(), tracks.subtitleIndex(), &PlayerSession::chooseSubtitleTrack);
    fill(audioMenu, tracks.audio(), tracks.audioIndex(), &PlayerSession::chooseLanguage);
}

void menufrm::popupAt(const QPoint &at)
{
    Videomnu->popup(at);
}
