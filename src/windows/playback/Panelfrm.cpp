#include "playback/Panelfrm.h"
#include "input/ButtonValues.h"

#include "desktop/Desktop.h"
#include "dialogs/Dialogs.h"
#include "engine/MediaEngine.h"
#include "numbers/Twips.h"
#include "playback/PlayerSession.h"
#include "menu/menufrm.h"
#include "playback/player.h"
#include "prefs/CaptionFit.h"
#include "prefs/Preferences.h"
#include "prefs/Settings.h"
#include "prefs/Skins.h"
#include "subtitles/subtitles.h"
#include "startup/AppState.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {
// Client area of the panel in twips.
constexpr double kPanelWidth = 7215;
constexpr double kPanelHeight = 2085;

constexpr unsigned kGrey = 0xC0C0C0;
constexpr unsigned kLightGrey = 0xE0E0E0;
constexpr unsigned kDarkGreen = 0x4000;
constexpr unsigned kWhite = 0xFFFFFF;

void styleLabel(LabelButton *l, unsigned bgr, Qt::Alignment align = Qt::AlignCenter)
{
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(fromBgr(bgr)));
    l->setPalette(p);
    l->setAlignment(align);
}

QList<CaptionFit::Caption> captions(std::initializer_list<LabelButton *> labels)
{
    QList<CaptionFit::Caption> out;
    for (LabelButton *l : labels)
        out.append({l, {l->text()}});
    return out;
}

LineShape line(double x1, double y1, double x2, double y2, unsigned bgr)
{
    LineShape s;
    s.X1 = x1;
    s.Y1 = y1;
    s.X2 = x2;
    s.Y2 = y2;
    s.color = fromBgr(bgr);
    return s;
}
}  // namespace

Panelfrm::Panelfrm(const PanelContext &ctx, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      app(ctx.app), session(ctx.session), prefs(ctx.prefs), desktop(ctx.desktop), dialogs(ctx.dialogs), log(ctx.log),
      drives(ctx.drives), messages_(ctx.dialogs)
{
    setObjectName(QStringLiteral("Panelfrm"));
    setWindowTitle(QStringLiteral("Vistrel"));
    setFixedSize(Twips::toPixels(0, 0, kPanelWidth, kPanelHeight, app.twipsPerPixelX, app.twipsPerPixelY).size());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);
    // The panel takes the keys its controls leave, but is no stop of the Tab chain.
    setFocusPolicy(Qt::ClickFocus);

    const QString none;
    vplay = makeLabel("vplay", QStringLiteral("Play"), QStringLiteral("Play/Stop Video"), 1860, 1560, 375, 195);
    cmdzoom = makeLabel("cmdzoom", QStringLiteral("Zoom"), QStringLiteral("Toggle Fullscreen/Window"), 1320, 1560, 375, 195);
    Prefers = makeLabel("Prefers", QStringLiteral("Pref"), QStringLiteral("Open Preferances"), 2340, 1560, 375, 195);
    stats = makeLabel("stats", QStringLiteral("Stats"), QStringLiteral("Displays Statistics about video"), 2880, 1560, 375, 195);
    vgos = makeLabel("vgos", QStringLiteral("| <"), QStringLiteral("Move Video to Start"), 3420, 1560, 375, 195);
    vgoe = makeLabel("vgoe", QStringLiteral("> |"), QStringLiteral("Move Video to End"), 3900, 1560, 375, 195);
    openfile = makeLabel("openfile", QStringLiteral("Video"), QStringLiteral("Select Video file"), 4560, 1560, 375, 195);
    sndopen = makeLabel("sndopen", QStringLiteral("Audio"), QStringLiteral("Select Audio file"), 5100, 1560, 435, 195);
    subopen = makeLabel("subopen", QStringLiteral("Sub"), QStringLiteral("Select subtitles"), 5700, 1560, 435, 195);
    CDplay = makeLabel("CDplay", none, QStringLiteral("Play Cd"), 660, 1560, 375, 255);
    LblScenes = makeLabel("LblScenes", QStringLiteral("Chapters"), QStringLiteral("Select Chapters"), 5580, 780, 675, 195);
    Lblspecial = makeLabel("Lblspecial", QStringLiteral("Special"), QStringLiteral("Select Specials"), 5520, 480, 735, 255);
    minim = makeLabel("minim", QStringLiteral("_"), QStringLiteral("Minimize"), 6120, 60, 255, 195);
    exitLbl = makeLabel("exitLbl", QStringLiteral("X"), QStringLiteral("Exit"), 6420, 120, 315, 195);
    LabelAbout = makeLabel("LabelAbout", none, none, 420, 240, 1095, 135);

    AddVol = makeLabel("AddVol", QStringLiteral("+"), QStringLiteral("Volume up"), 6810, 300, 135, 240);
    subVol = makeLabel("subVol", QStringLiteral("-"), QStringLiteral("Volume down"), 6840, 960, 75, 240);
    Mutesnd = makeLabel("Mutesnd", QStringLiteral("mute"), QStringLiteral("Mute Audio"), 6480, 1080, 375, 165);
    volpos = makeLabel("volpos", none, QStringLiteral("Volume"), 6540, 420, 255, 675);

    ratem = makeLabel("ratem", QStringLiteral("6x"), QStringLiteral("More Speed"), 220, 420, 135, 165);
    ratea = makeLabel("ratea", QStringLiteral("-6x"), QStringLiteral("Less Speed"), 180, 1020, 180, 165);
    NormRate = makeLabel("NormRate", QStringLiteral("="), none, 300, 660, 135, 195);
    Ratepos = makeLabel("Ratepos", none, QStringLiteral("Rate"), 420, 540, 135, 675);
    rateshow = makeLabel("rateshow", QStringLiteral("RATE: 1X"), none, 4260, 300, 675, 135);

    VideoPos = makeLabel("VideoPos", none, QStringLiteral("Click or drag the slider to the desired position"), 960, 1080, 5115, 255);
    namelbl = makeLabel("namelbl", QStringLiteral("VIDEO:"), none, 1800, 360, 2475, 135);
    audiolbl = makeLabel("audiolbl", QStringLiteral("AUDIO:"), none, 1800, 540, 2715, 135);
    Sublbl = makeLabel("Sublbl", QStringLiteral("SUB:"), none, 1800, 720, 2025, 150);
    Message = makeLabel("Message", none, QStringLiteral("Displays Messages"), 3900, 720, 1275, 195);
    Label2 = makeLabel("Label2", QStringLiteral("Track bar"), none, 900, 1020, 855, 135);
    Label1 = makeLabel("Label1", QStringLiteral("BETA A1"), none, 6360, 1860, 795, 195);

    for (LabelButton *b : {vplay, cmdzoom, Prefers, stats, vgos, vgoe, minim, exitLbl, NormRate, ratem, ratea})
        styleLabel(b, kGrey);
    for (LabelButton *b : {AddVol, subVol, Mutesnd})
        styleLabel(b, kLightGrey);
    for (LabelButton *b : {openfile, sndopen, subopen, CDplay, LblScenes, Lblspecial})
        styleLabel(b, kDarkGreen);
    for (LabelButton *b : {namelbl, audiolbl, Sublbl, Message})
        styleLabel(b, kDarkGreen, Qt::AlignLeft | Qt::AlignVCenter);
    for (LabelButton *b : {rateshow, Label2})
        styleLabel(b, kGrey, Qt::AlignLeft | Qt::AlignVCenter);
    styleLabel(Label1, kWhite);
    // The controls without a caption draw their focus mark in the colour of what they stand on: the
    // sliders' lines, the logo's grey.
    for (LabelButton *b : {VideoPos, Ratepos, LabelAbout})
        styleLabel(b, kGrey);
    styleLabel(volpos, kLightGrey);
    // The buttons share one size; the rate marks, a few pixels wide, take the narrow face to stay
    // readable. The texts that change keep the design's sizes.
    CaptionFit::fitGroup(captions({vplay, cmdzoom, Prefers, stats, vgos, vgoe, minim, exitLbl, AddVol, subVol, Mutesnd,
                                   openfile, sndopen, subopen, CDplay, LblScenes, Lblspecial}),
                         CaptionFit::panelFont(8, true));
    CaptionFit::fitGroup(captions({NormRate, ratem, ratea}), CaptionFit::narrowFont(8, true));
    CaptionFit::fitGroup(captions({Label1}), CaptionFit::panelFont(8.25, true));
    for (LabelButton *b : {namelbl, audiolbl, Sublbl})
        b->setFont(CaptionFit::panelFont(6.75, true));
    Message->setFont(CaptionFit::panelFont(8.25, true));
    rateshow->setFont(CaptionFit::panelFont(6, true));
    Label2->setFont(CaptionFit::panelFont(6, false));
    for (LabelButton *b : {openfile, sndopen, subopen, CDplay})
        b->acceptFileDrops(true);

    // The tracker's width until the load sequence takes it again.
    trackWidth = VideoPos->twipWidth();

    LineRate = line(420, 900, 540, 900, kGrey);
    rateline = line(480, 540, 480, 1140, kGrey);
    volLine1 = line(6600, 420, 6720, 420, kLightGrey);
    volLine2 = line(6660, 420, 6660, 1080, kLightGrey);
    Line1 = line(960, 1200, 6060, 1200, kGrey);
    LinePos = line(960, 1140, 960, 1260, kGrey);

    setPicture(Skins::builtinPicture());
    playerForm = new player(session, prefs, desktop, app.twipsPerPixelX, app.twipsPerPixelY);
    desktop.setVideoWindow(playerForm);
    connect(playerForm, &player::panelWanted, this, &Panelfrm::bringForward);
    connect(playerForm, &player::menuWanted, this, &Panelfrm::showVideoMenu);
    wireCommands();
    wireControls();
    wireSession();
    wireAccess();
    connect(&prefs, &Preferences::changed, this, &Panelfrm::showPrefs);
}

Panelfrm::~Panelfrm()
{
    delete subtitlesForm;
    delete playerForm;
}

LabelButton *Panelfrm::makeLabel(const char *name, const QString &caption, const QString &tip, double l, double t,
                                 double w, double h)
{
    auto *label = new LabelButton(caption, app.twipsPerPixelX, app.twipsPerPixelY, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(tip);
    label->setTwipGeometry(l, t, w, h);
    return label;
}

void Panelfrm::wireControls()
{
    // Every control shows the default arrow; the background shows the move arrow.
    for (LabelButton *b : {AddVol, CDplay, cmdzoom, exitLbl, LabelAbout, LblScenes, Lblspecial, minim, Mutesnd, NormRate,
                           openfile, Prefers, ratea, ratem, sndopen, stats, subopen, subVol, vgoe, vgos, vplay})
        connect(b, &LabelButton::MouseMove, this, [this] { setPointer(Qt::ArrowCursor); });

    // A button gives its command, as its key and the video window's menu do.
    using K = KeyMap::Command;
    const std::pair<LabelButton *, QAction *> buttons[] = {
        {vplay, commands_[K::PlayStop]},         {vgos, commands_[K::MoveToStart]},
        {vgoe, commands_[K::MoveToEnd]},         {cmdzoom, commands_[K::Zoom]},
        {Prefers, commands_[K::Preferences]},    {stats, commands_[K::Statistics]},
        {minim, commands_[K::Minimize]},         {exitLbl, commands_[K::Exit]},
        {LabelAbout, commands_.about},           {LblScenes, commands_[K::SelectChapters]},
        {Lblspecial, commands_[K::SelectSpecials]}, {openfile, commands_[K::OpenVideo]},
        {sndopen, commands_[K::OpenAudio]},      {subopen, commands_[K::OpenSubtitles]},
        {ratem, commands_[K::FasterRate]},       {ratea, commands_[K::SlowerRate]},
        {NormRate, commands_.normalRate},        {AddVol, commands_[K::VolumeUp]},
        {subVol, commands_[K::VolumeDown]},      {Mutesnd, commands_[K::Mute]},
    };
    for (const auto &[button, command] : buttons)
        connect(button, &LabelButton::Click, command, &QAction::trigger);
    connect(openfile, &LabelButton::Dropped, this, &Panelfrm::openfile_Drop);
    connect(sndopen, &LabelButton::Dropped, this, &Panelfrm::sndopen_Drop);
    connect(subopen, &LabelButton::Dropped, this, &Panelfrm::subopen_Drop);
    connect(CDplay, &LabelButton::Dropped, this, &Panelfrm::CDplay_Drop);
    connect(CDplay, &LabelButton::MouseDown, this, &Panelfrm::CDplay_MouseDown);

    connect(VideoPos, &LabelButton::MouseDown, this, &Panelfrm::VideoPos_MouseDown);
    connect(VideoPos, &LabelButton::MouseMove, this, &Panelfrm::VideoPos_MouseMove);
    connect(Ratepos, &LabelButton::MouseDown, this, &Panelfrm::Ratepos_MouseDown);
    connect(Ratepos, &LabelButton::MouseMove, this, &Panelfrm::Ratepos_MouseMove);
    connect(volpos, &LabelButton::MouseDown, this, &Panelfrm::volpos_MouseDown);
    connect(volpos, &LabelButton::MouseMove, this, &Panelfrm::volpos_MouseMove);
}

void Panelfrm::wireCommands()
{
    using K = KeyMap::Command;
    const std::pair<KeyMap::Command, void (Panelfrm::*)()> handlers[] = {
        {K::PlayStop, &Panelfrm::vplay_Click},           {K::VolumeUp, &Panelfrm::AddVol_Click},
        {K::VolumeDown, &Panelfrm::subVol_Click},        {K::OpenVideo, &Panelfrm::openfile_Click},
        {K::OpenAudio, &Panelfrm::sndopen_Click},        {K::OpenSubtitles, &Panelfrm::subopen_Click},
        {K::SelectSpecials, &Panelfrm::Lblspecial_Click}, {K::SelectChapters, &Panelfrm::LblScenes_Click},
        {K::Zoom, &Panelfrm::cmdzoom_Click},             {K::Preferences, &Panelfrm::Prefers_Click},
        {K::Statistics, &Panelfrm::stats_Click},         {K::MoveToStart, &Panelfrm::vgos_Click},
        {K::MoveToEnd, &Panelfrm::vgoe_Click},           {K::Mute, &Panelfrm::Mutesnd_Click},
        {K::FasterRate, &Panelfrm::ratem_Click},         {K::SlowerRate, &Panelfrm::ratea_Click},
        {K::Minimize, &Panelfrm::minim_Click},           {K::Exit, &Panelfrm::exitLbl_Click},
    };
    for (const auto &[command, handler] : handlers)
        connect(commands_[command], &QAction::triggered, this, handler);
    // The CD button's two mouse buttons, as its keys give them.
    connect(commands_[K::OpenQuickIni], &QAction::triggered, this, &Panelfrm::browseQuickIni);
    connect(commands_[K::CdRun], &QAction::triggered, this, &Panelfrm::searchDrives);
    connect(commands_[K::KeyConfig], &QAction::triggered, this, [this] {
        if (settingsForm)
            settingsForm->show();
    });
    connect(commands_.normalRate, &QAction::triggered, this, &Panelfrm::NormRate_Click);
    connect(commands_.about, &QAction::triggered, this, &Panelfrm::LabelAbout_Click);
    connect(commands_.showPanel, &QAction::triggered, this, &Panelfrm::restore);
    connect(commands_.panAndScan, &QAction::triggered, this, &Panelfrm::pan_n_scan43);
    connect(commands_.fullscreen, &QAction::triggered, this, [this] { zoom(1); });
    connect(commands_.windowMode, &QAction::triggered, this, [this] { zoom(0); });
}

void Panelfrm::restore()
{
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void Panelfrm::comeForward()
{
    show();
    // The panel ends on top, as it stands over the video window when the user starts it.
    for (QWidget *w : {static_cast<QWidget *>(playerForm), static_cast<QWidget *>(this)}) {
        if (!w->isVisible())
            continue;
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        w->raise();
        w->activateWindow();
    }
}

void Panelfrm::bringForward()
{
    show();
    raise();
    activateWindow();
}

void Panelfrm::wireSession()
{
    connect(&session, &PlayerSession::busyChanged, this, &Panelfrm::showBusy);
    connect(&session, &PlayerSession::movieOpened, this, &Panelfrm::showOpenedMovie);
    connect(&session, &PlayerSession::captionsChanged, this, &Panelfrm::showCaptions);
    connect(&session, &PlayerSession::messageDue, &messages_, &MessageQueue::post);
    connect(&session, &PlayerSession::playingChanged, this, &Panelfrm::showPlaying);
    connect(&session, &PlayerSession::positionChanged, this, &Panelfrm::updateBarTime);
    connect(&session, &PlayerSession::seeked, this, &Panelfrm::updateBarTime);
    connect(&session, &PlayerSession::rateChanged, this, &Panelfrm::showRate);
    connect(&session, &PlayerSession::volumeChanged, this, &Panelfrm::showVolume);
    // A movie that opens where it was left says so for a moment, unless something else is told.
    resumedShown_.setSingleShot(true);
    resumedShown_.setInterval(3000);
    connect(&session, &PlayerSession::resumed, this, [this] {
        Message->setText(QStringLiteral("Resumed"));
        resumedShown_.start();
    });
    connect(&session, &PlayerSession::clockTicked, this, &Panelfrm::updateBarTime);
    connect(&session, &PlayerSession::movieEnded, this, [this] { MediaPlayer1_EndOfStream(0); });
    connect(&session, &PlayerSession::zoomAsked, this, &Panelfrm::showZoom);
    // Pan and scan starts from window mode.
    connect(&session, &PlayerSession::panScanAsked, this, [this] { showZoom(0); });
}

void Panelfrm::showBusy(bool busy)
{
    // An open may take a while for a slow file; the panel shows the busy pointer meanwhile, and its
    // own pointer again however the open ends.
    if (busy && !busyWas_) {
        busyWas_ = cursor();
        setCursor(Qt::WaitCursor);
    } else if (!busy && busyWas_) {
        setCursor(*busyWas_);
        busyWas_.reset();
    }
}

void Panelfrm::setPicture(const QPixmap &picture)
{
    picture_ = picture;
    update();
}

void Panelfrm::setPointer(Qt::CursorShape shape)
{
    // While an open is under way the busy pointer stays; this one comes back after it.
    if (busyWas_)
        busyWas_ = QCursor(shape);
    else
        setCursor(shape);
}

void Panelfrm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    // A picture drawn for a sharper screen than this one is scaled down smoothly.
    if (picture_.devicePixelRatio() > devicePixelRatioF())
        p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!picture_.isNull())
        p.drawPixmap(0, 0, picture_);
    const double sx = app.twipsPerPixelX, sy = app.twipsPerPixelY;
    for (const LineShape *s : {&rateline, &LineRate, &volLine2, &volLine1, &Line1, &LinePos}) {
        p.setPen(QPen(QColor(s->color), s->borderWidth));
        p.drawLine(QPointF(s->X1 / sx, s->Y1 / sy), QPointF(s->X2 / sx, s->Y2 / sy));
    }
}

void Panelfrm::mousePressEvent(QMouseEvent *e)
{
    const QPointF p = e->position();
    Form_MouseDown(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()),
                   p.x() * app.twipsPerPixelX, p.y() * app.twipsPerPixelY);
}

void Panelfrm::mouseMoveEvent(QMouseEvent *e)
{
    if ((e->buttons() & Qt::LeftButton) && drag_.follow(e->globalPosition()))
        return;
    const QPointF p = e->position();
    Form_MouseMove(ButtonValues::buttonValue(e->buttons()), ButtonValues::shiftValue(e->modifiers()),
                   p.x() * app.twipsPerPixelX, p.y() * app.twipsPerPixelY);
}

void Panelfrm::mouseReleaseEvent(QMouseEvent *)
{
    drag_.end();
}

void Panelfrm::showPrefs(const Prefs &was)
{
    const Prefs &now = prefs.values();
    if (was.panelLeft != now.panelLeft || was.panelTop != now.panelTop)
        move(Twips::toPixels(now.panelLeft, app.twipsPerPixelX), Twips::toPixels(now.panelTop, app.twipsPerPixelY));
}

void Panelfrm::moveEvent(QMoveEvent *e)
{
    QWidget::moveEvent(e);
    // Wherever it went, the next run finds it here.
    prefs.placePanel(double(x()) * app.twipsPerPixelX, double(y()) * app.twipsPerPixelY);
}

void Panelfrm::keyPressEvent(QKeyEvent *e)
{
    // Only keys that produce a character take part in the key map; a character beyond the first 65,536
    // comes as two UTF-16 units.
    const QString text = e->text();
    if (!text.isEmpty())
        Form_KeyPress(text.left(text.size() > 1 && text[0].isHighSurrogate() ? 2 : 1));
    else if (e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && e->modifiers() == Qt::ShiftModifier))
        videoMenuByKey();
    else
        QWidget::keyPressEvent(e);
}

void Panelfrm::closeEvent(QCloseEvent *e)
{
    // The close box runs the orderly exit; the window itself closes when the program ends.
    e->ignore();
    endRun();
}
