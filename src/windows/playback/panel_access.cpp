// The panel for the keyboard and for assistive tools: what each control stands for and is called, the
// Tab chain, the sliders' values and the toggles' states as the session changes them, and the keys a
// focused control takes after the one-key commands have had theirs.
#include "engine/MediaEngine.h"
#include "menu/menufrm.h"
#include "numbers/Twips.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "playback/RateSteps.h"
#include "playback/player.h"
#include "prefs/Preferences.h"
#include "startup/AppState.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace {

using Role = LabelButton::Role;

struct Spoken {
    const char *control;
    Role role;
    const char *name;
};

// The controls in Tab order: the panel's groups from left to right, each from top to bottom. Their
// tooltips describe them; these names say what they do, where a caption is a glyph or nothing. The
// texts ("VIDEO:", "RATE:", the message line, ...) are not listed: they are read as they show.
constexpr Spoken kSpoken[] = {
    {"LabelAbout", Role::Button, "About Vistrel"},
    {"ratem", Role::Button, "Faster"},
    {"Ratepos", Role::Slider, "Rate"},
    {"NormRate", Role::Button, "Normal speed"},
    {"ratea", Role::Button, "Slower"},
    {"VideoPos", Role::Slider, "Position"},
    {"CDplay", Role::Button, "Play disc"},
    {"cmdzoom", Role::Toggle, "Fullscreen"},
    {"vplay", Role::Toggle, "Play"},
    {"Prefers", Role::Button, "Preferences"},
    {"stats", Role::Button, "Statistics"},
    {"vgos", Role::Button, "Go to start"},
    {"vgoe", Role::Button, "Go to end"},
    {"openfile", Role::Button, "Open video"},
    {"sndopen", Role::Button, "Open audio"},
    {"subopen", Role::Button, "Open subtitles"},
    {"Lblspecial", Role::Button, "Specials"},
    {"LblScenes", Role::Button, "Chapters"},
    {"AddVol", Role::Button, "Volume up"},
    {"volpos", Role::Slider, "Volume"},
    {"subVol", Role::Button, "Volume down"},
    {"Mutesnd", Role::Toggle, "Mute"},
    {"minim", Role::Button, "Minimise"},
    {"exitLbl", Role::Button, "Exit"},
};

// An arrow on the position slider moves this far.
constexpr double kSeekSeconds = 5;

}  // namespace

void Panelfrm::wireAccess()
{
    LabelButton *previous = nullptr;
    for (const Spoken &s : kSpoken) {
        auto *control = findChild<LabelButton *>(QString::fromLatin1(s.control), Qt::FindDirectChildrenOnly);
        control->setRole(s.role);
        control->setAccessibleName(QString::fromLatin1(s.name));
        control->installEventFilter(this);
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
    Label2->setBuddy(VideoPos);
    // "Track bar" stands over the top of the position's area: its mark hugs the track instead.
    const int trackY = Twips::toPixels(Line1.Y1 - VideoPos->twipTop(), app.twipsPerPixelY);
    VideoPos->setMarkRect(QRect(0, trackY - 3, VideoPos->width(), 7));
    // Before Qt moves the focus on a Tab the panel itself has: a Tab may be bound too.
    installEventFilter(this);
    // The window opens with the keyboard on itself, not on its first control: no mark until a Tab.
    setFocus();

    // The arrows and assistive tools move the sliders through the intents their buttons and the mouse
    // use.
    connect(Ratepos, &LabelButton::stepped, this, [this](int notches) { notches > 0 ? ratem_Click() : ratea_Click(); });
    connect(Ratepos, &LabelButton::valueAsked, this,
            [this](double rate) { session.setRate(RateSteps::nearestIndex(PlayerSession::rateTable, rate)); });
    Ratepos->setRange({PlayerSession::rateTable.back(), PlayerSession::rateTable.front(), 0.1});
    connect(volpos, &LabelButton::stepped, this, [this](int notches) { notches > 0 ? AddVol_Click() : subVol_Click(); });
    connect(volpos, &LabelButton::valueAsked, this, [this](double db) { session.setVolume(float(-db)); });
    volpos->setRange({-100, 0, 1});
    connect(VideoPos, &LabelButton::stepped, this, [this](int notches) {
        session.seek(session.movie().currentPosition() + notches * kSeekSeconds * session.videoFps());
    });
    connect(VideoPos, &LabelButton::valueAsked, this,
            [this](double seconds) { session.seek(seconds * session.videoFps()); });

    for (auto signal : {&PlayerSession::positionChanged, &PlayerSession::clockTicked, &PlayerSession::movieOpenEnded,
                        &PlayerSession::muteChanged, &PlayerSession::soundClosed})
        connect(&session, signal, this, &Panelfrm::showAccessState);
    connect(&session, &PlayerSession::rateChanged, this, &Panelfrm::showAccessState);
    connect(&session, &PlayerSession::volumeChanged, this, &Panelfrm::showAccessState);
    connect(&session, &PlayerSession::soundOpened, this, &Panelfrm::showAccessState);
    connect(&session, &PlayerSession::soundOpenFailed, this, &Panelfrm::showAccessState);
    showAccessState();
}

void Panelfrm::showAccessState()
{
    // The position in seconds of the movie, the rate as a factor, the volume in decibels below the
    // loudest.
    const double fps = session.videoFps();
    const double perFrame = fps > 0 ? 1 / fps : 0;
    VideoPos->setRange({0, session.movie().duration() * perFrame, 1});
    VideoPos->setValue(session.movie().currentPosition() * perFrame);
    Ratepos->setValue(session.rate());
    volpos->setValue(session.movie().volume() / 100.0);
    // Muted while neither engine is heard: the next press lets the sound back.
    Mutesnd->setChecked(session.movie().mute() && session.sound().mute());
}

bool Panelfrm::eventFilter(QObject *watched, QEvent *e)
{
    // The one-key commands come first, whichever control has the keyboard.
    if (e->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent *>(e)->text().left(1);
        if (!text.isEmpty() && KeyMap::command(prefs.values().keys, text) >= 0) {
            Form_KeyPress(text);
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void Panelfrm::showVideoMenu(const QPoint &at)
{
    if (!menuForm)
        menuForm = new menufrm(commands_, session, this);
    menuForm->popupAt(at);
}

void Panelfrm::videoMenuByKey()
{
    if (menuForm && menuForm->Videomnu->isVisible())
        return;
    // At the video window, whose menu it is; without one on screen, at the panel.
    QWidget *at = playerForm->isVisible() ? static_cast<QWidget *>(playerForm) : this;
    showVideoMenu(at->mapToGlobal(at->rect().center()));
    if (!menuForm->Videomnu->actions().isEmpty())
        menuForm->Videomnu->setActiveAction(menuForm->Videomnu->actions().first());
}

void Panelfrm::contextMenuEvent(QContextMenuEvent *e)
{
    // The menu key, as the platform hands it over; a right click on the panel has its own meanings.
    if (e->reason() == QContextMenuEvent::Keyboard)
        videoMenuByKey();
}
