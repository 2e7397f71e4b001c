#include "prefs/Settings.h"

#include "desktop/Desktop.h"
#include "engine/MediaEngine.h"
#include "numbers/Twips.h"
#include "numbers/basic_numbers.h"
#include "playback/PlayerSession.h"
#include "prefs/CaptionFit.h"
#include "prefs/Preferences.h"
#include "startup/AppState.h"
#include "startup/PrefsFile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

using basic_numbers::roundEven;
using basic_numbers::toInt16;

namespace {

template <typename W, typename... Args>
W *make(QWidget *parent, const char *name, Args &&...args)
{
    auto *w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QGroupBox *makeGroup(QWidget *parent, const char *name, const QString &title = QString())
{
    auto *g = make<QGroupBox>(parent, name, title);
    g->setFlat(false);
    return g;
}

}  // namespace

Settings::Settings(const SettingsContext &ctx, int twipsPerPixelX, int twipsPerPixelY, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prefs_(ctx.prefs), session_(ctx.session), desktop_(ctx.desktop), dialogs_(ctx.dialogs), tppX_(twipsPerPixelX > 0 ? twipsPerPixelX : 15),
      tppY_(twipsPerPixelY > 0 ? twipsPerPixelY : 15)
{
    setObjectName(QStringLiteral("Settings"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(Twips::toPixels(0, 0, 9495, 7935, tppX_, tppY_).size());

    // The frame is made first so the buttons lie over it.
    Label10 = make<QLabel>(this, "Label10");
    Label10->setFrameShape(QFrame::Box);
    place(Label10, 90, 90, 1380, 3420);
    auto column = [this](const char *name, const char *caption, int top) {
        auto *b = make<QPushButton>(this, name, QString::fromLatin1(caption));
        place(b, 120, top, 1335, 495);
        return b;
    };
    Subtitlescmd = column("Subtitlescmd", "Subtitles", 120);
    Skinscmd = column("Skinscmd", "Skins", 600);
    Playercmd = column("Playercmd", "Player", 1080);
    Keyboardcmd = column("Keyboardcmd", "Keyboard", 1560);
    Command3 = column("Command3", "OSD", 2040);
    Command4 = column("Command4", "Command4", 2520);
    Command1 = column("Command1", "Accept", 3000);
    Command1->setToolTip(QStringLiteral("OKey"));
    connect(Command1, &QPushButton::clicked, this, &Settings::Command1_Click);

    subtitlesfrm = makeGroup(this, "subtitlesfrm");
    place(subtitlesfrm, 1560, 0, 3855, 3855);
    Skins = makeGroup(this, "Skins");
    place(Skins, 5520, 0, 3855, 3855);
    Keyboardfrm = makeGroup(this, "Keyboardfrm");
    place(Keyboardfrm, 1560, 3960, 3855, 3855);
    Playerfrm = makeGroup(this, "Playerfrm");
    place(Playerfrm, 5520, 3960, 3855, 3855);

    // Subtitle group.
    QWidget *s = subtitlesfrm;
    Transsub = make<QCheckBox>(s, "Transsub", QStringLiteral("Transparent Subtiles"));
    place(Transsub, 120, 360, 1875, 195);
    Hidesub = make<QCheckBox>(s, "Hidesub", QStringLiteral("Hide Subtitles."));
    Hidesub->setToolTip(QStringLiteral("Do not display subtitles"));
    place(Hidesub, 120, 660, 1455, 195);
    Autosub = make<QCheckBox>(s, "Autosub", QStringLiteral("Autoshow Subtitles."));
    Autosub->setToolTip(QStringLiteral("Hide Subtitles When they are not visible."));
    place(Autosub, 120, 960, 1755, 195);
    fontsel = make<QPushButton>(s, "fontsel", QStringLiteral("Font"));
    fontsel->setToolTip(QStringLiteral("Select font for subtitles"));
    place(fontsel, 720, 1320, 900, 400);
    connect(fontsel, &QPushButton::clicked, this, &Settings::fontsel_Click);
    centersubsH = make<QPushButton>(s, "centersubsH", QStringLiteral("HCenter "));
    centersubsH->setToolTip(QStringLiteral("Center subtitles Horizontal"));
    place(centersubsH, 2220, 720, 900, 400);
    Label2 = make<QLabel>(s, "Label2", QStringLiteral("Ver Size:"));
    Label2->setToolTip(QStringLiteral("Change subtitles Vertical size"));
    place(Label2, 2700, 300, 675, 195);
    subsizeV = make<QScrollBar>(s, "subsizeV", Qt::Vertical);
    subsizeV->setRange(1, 32767);
    place(subsizeV, 3480, 240, 255, 1200);
    Label1 = make<QLabel>(s, "Label1", QStringLiteral("Hor Size:"));
    Label1->setToolTip(QStringLiteral("Change subtitles Horizontal size"));
    place(Label1, 2520, 1260, 735, 195);
    subsizeH = make<QScrollBar>(s, "subsizeH", Qt::Horizontal);
    subsizeH->setRange(1, 32767);
    place(subsizeH, 2280, 1500, 1200, 255);
    Label4 = make<QLabel>(s, "Label4", QStringLiteral("Subtitles Overlay Delay (frames):"));
    Label4->setWordWrap(true);
    place(Label4, 120, 1920, 1305, 435);
    OverlayFrame = make<QLineEdit>(s, "OverlayFrame", QStringLiteral("30"));
    OverlayFrame->setMaxLength(PrefsFile::kOverlayFrameLength);
    OverlayFrame->setToolTip(
        QStringLiteral("Frame Where Transparent subtitles initializing (try to keep between 20-60)"));
    place(OverlayFrame, 1440, 2040, 495, 255);
    Label9 = make<QLabel>(s, "Label9", QStringLiteral("delay (frames)"));
    place(Label9, 2400, 2040, 1035, 195);
    delaytxt = make<QLineEdit>(s, "delaytxt", QStringLiteral("0"));
    place(delaytxt, 2640, 2640, 735, 375);

    // Skin group.
    LoadSkin = make<QPushButton>(Skins, "LoadSkin", QStringLiteral("Change Skin"));
    LoadSkin->setToolTip(QStringLiteral("Change player look"));
    place(LoadSkin, 120, 240, 800, 450);
    DefaultSkin = make<QPushButton>(Skins, "DefaultSkin", QStringLiteral("Default Skin"));
    DefaultSkin->setToolTip(QStringLiteral("Restore player look to default"));
    place(DefaultSkin, 120, 780, 800, 450);
    connect(LoadSkin, &QPushButton::clicked, this, &Settings::LoadSkin_Click);
    connect(DefaultSkin, &QPushButton::clicked, this, &Settings::DefaultSkin_Click);

    // Keyboard map: two columns, eleven rows then ten.
    for (int i = 0; i < 21; ++i) {
        const int col = i / 11;
        const int row = i % 11;
        const int left = 120 + col * 1860;
        const int top = 240 + row * 330;
        Label[i] = make<QLabel>(Keyboardfrm, "Label", KeyMap::captions()[size_t(i)]);
        Label[i]->setObjectName(QStringLiteral("Label(%1)").arg(i));
        place(Label[i], left, top + 30, 1200, 195);
        Text1[i] = make<QLineEdit>(Keyboardfrm, "Text1", KeyMap::defaultKeys()[size_t(i)]);
        Text1[i]->setObjectName(QStringLiteral("Text1(%1)").arg(i));
        Text1[i]->setMaxLength(PrefsFile::kKeyLength);
        place(Text1[i], left + 1260, top, 375, 255);
    }

    // Player group. "Tracker Shows:" comes before Time and Frames, which lie over it but form their own pair.
    QWidget *p = Playerfrm;
    Label3 = make<QLabel>(p, "Label3", QStringLiteral("Window Size:"));
    place(Label3, 240, 480, 1095, 255);
    HScroll1 = make<QScrollBar>(p, "HScroll1", Qt::Horizontal);
    HScroll1->setRange(0, 32767);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(16);
    HScroll1->setEnabled(false);
    place(HScroll1, 240, 840, 1095, 255);
    connect(HScroll1, &QScrollBar::valueChanged, this, &Settings::HScroll1_Change);
    fullscreen = make<QCheckBox>(p, "fullscreen", QStringLiteral("fullscreen"));
    fullscreen->setToolTip(QStringLiteral("When you Press Play Video starts at Fullscreen"));
    place(fullscreen, 1920, 480, 1215, 195);
    Autoplay = make<QCheckBox>(p, "Autoplay", QStringLiteral("AutoPlay"));
    Autoplay->setToolTip(QStringLiteral("Play Video after load"));
    place(Autoplay, 1920, 780, 1275, 195);
    autoreverse = make<QCheckBox>(p, "autoreverse", QStringLiteral("AutoReverse"));
    autoreverse->setToolTip(QStringLiteral("Go to start of the Movie after it finishes playing"));
    place(autoreverse, 1920, 1080, 1335, 195);
    Frame2 = makeGroup(p, "Frame2", QStringLiteral("Tracker Shows:"));
    place(Frame2, 120, 1320, 2295, 795);
    Elapsed = make<QRadioButton>(Frame2, "Elapsed", QStringLiteral("Elapsed"));
    // Narrower than designed, so the captions end before the Time / Frames pair begins.
    place(Elapsed, 120, 240, 1095, 195);
    Remaining = make<QRadioButton>(Frame2, "Remaining", QStringLiteral("Remaining"));
    place(Remaining, 120, 480, 1095, 195);
    Elapsed->setChecked(true);
    Time = make<QRadioButton>(p, "Time", QStringLiteral("Time"));
    place(Time, 1380, 1560, 915, 195);
    Frames = make<QRadioButton>(p, "Frames", QStringLiteral("Frames"));
    place(Frames, 1380, 1800, 915, 195);
    Time->setChecked(true);
    // Qt's own exclusivity looks through the whole group, box included, and would join the two pairs.
    for (auto pair : {std::pair{Elapsed, Remaining}, std::pair{Time, Frames}}) {
        auto *group = new QButtonGroup(this);
        group->addButton(pair.first);
        group->addButton(pair.second);
    }
    Label6 = make<QLabel>(p, "Label6", QStringLiteral("Select Subtitles:"));
    place(Label6, 60, 2220, 1215, 195);
    SubCombo = make<QComboBox>(p, "SubCombo");
    SubCombo->setEditable(true);
    SubCombo->setEditText(QStringLiteral("None"));
    place(SubCombo, 60, 2460, 1875, 315);
    Label7 = make<QLabel>(p, "Label7", QStringLiteral("Select Language:"));
    place(Label7, 60, 2820, 1335, 195);
    LangCombo = make<QComboBox>(p, "LangCombo");
    LangCombo->setEditable(true);
    LangCombo->setEditText(QStringLiteral("DEFAULT"));
    place(LangCombo, 60, 3060, 2175, 315);
    // A pick from the list, not typed text, chooses a track.
    for (QComboBox *box : {SubCombo, LangCombo})
        box->setInsertPolicy(QComboBox::NoInsert);
    connect(SubCombo, &QComboBox::activated, this, &Settings::SubCombo_Click);
    connect(LangCombo, &QComboBox::activated, this, &Settings::LangCombo_Click);
    Label8 = make<QLabel>(p, "Label8", QStringLiteral("Pan and Scan:"));
    place(Label8, 2280, 2520, 1065, 195);
    Panscan = make<QLineEdit>(p, "Panscan", QStringLiteral("10"));
    Panscan->setMaxLength(PrefsFile::kPanScanLength);
    Panscan->setToolTip(QStringLiteral("Pan & Scan Ratio 10 is 4:3 5  is really wide"));
    place(Panscan, 2880, 2880, 435, 255);

    showPrefs(Prefs{});
    connectSubtitleGroup();
    connectPlayerGroup();
    connectKeyBoxes();
    connect(&prefs_, &Preferences::changed, this, &Settings::showPrefs);
    connect(&session_.tracks(), &TrackList::changed, this, &Settings::showTracks);
    CaptionFit::fitWindow(this, CaptionFit::narrowFont(8));
    labelControls();
}

void Settings::fitScreen()
{
    // The overlay can be sized up to the whole screen in pixels.
    const QSignalBlocker quietH(subsizeH), quietV(subsizeV);
    subsizeH->setMaximum(toInt16(desktop_.screenWidth() / double(desktop_.twipsPerPixelX())));
    subsizeV->setMaximum(toInt16(desktop_.screenHeight() / double(desktop_.twipsPerPixelY())));
    showSubtitlePrefs(prefs_.values());
}

void Settings::connectPlayerGroup()
{
    const auto tick = [this](QAbstractButton *box, bool Prefs::*field) {
        connect(box, &QAbstractButton::toggled, this, [this, field](bool on) { prefs_.set(field, on); });
    };
    tick(fullscreen, &Prefs::fullscreen);
    tick(Autoplay, &Prefs::autoplay);
    tick(autoreverse, &Prefs::autoreverse);
    tick(Elapsed, &Prefs::elapsed);
    tick(Time, &Prefs::time);
    connect(Panscan, &QLineEdit::textChanged, this, [this](const QString &text) { prefs_.set(&Prefs::panScan, text); });
}

void Settings::showPrefs(const Prefs &was)
{
    const Prefs &now = prefs_.values();
    const auto tick = [](QAbstractButton *box, bool on) {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    };
    const auto text = [](QLineEdit *box, const QString &value) {
        if (box->text() == value)
            return;
        const QSignalBlocker quiet(box);
        box->setText(value);
    };
    tick(fullscreen, now.fullscreen);
    tick(Autoplay, now.autoplay);
    tick(autoreverse, now.autoreverse);
    tick(now.elapsed ? Elapsed : Remaining, true);
    tick(now.time ? Time : Frames, true);
    text(Panscan, now.panScan);
    for (int i = 0; i < KeyMap::kCommands; ++i)
        text(Text1[size_t(i)], now.keys[size_t(i)]);
    showSubtitlePrefs(was);
}

void Settings::place(QWidget *w, int left, int top, int width, int height) const
{
    w->setGeometry(Twips::toPixels(left, top, width, height, tppX_, tppY_));
}

void Settings::Form_Activate()
{
    // With no movie open the slider stays disabled: there is no window to size.
    const MediaEngine &movie = session_.movie();
    if (movie.fileName().isEmpty()) {
        HScroll1->setEnabled(false);
        return;
    }
    HScroll1->setEnabled(true);
    // The slider holds 16-bit values: a screen wider than 32767 twips is capped there.
    HScroll1->setMaximum(std::max(HScroll1->minimum(), toInt16(desktop_.screenWidth())));
    HScroll1->setValue(toInt16(movie.width() / tppX_));
}

void Settings::HScroll1_Change()
{
    // In window mode only; the video window keeps its place and the picture's aspect.
    if (HScroll1->isEnabled())
        session_.sizeWindow(HScroll1->value());
}

void Settings::Command1_Click()
{
    hide();
}

bool Settings::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(e);
}

void Settings::closeEvent(QCloseEvent *e)
{
    // Every change is already kept: closing only hides, as Accept does.
    e->ignore();
    hide();
}
