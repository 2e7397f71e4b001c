#include "prefs/fontselfrm.h"

#include "dialogs/Dialogs.h"
#include "numbers/Twips.h"
#include "playback/LabelButton.h"
#include "playback/LineShape.h"
#include "prefs/CaptionFit.h"
#include "prefs/DialogKeys.h"
#include "numbers/basic_numbers.h"
#include "prefs/FontChoice.h"
#include "prefs/Preferences.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

namespace {

void setGround(QWidget *w, const QColor &colour)
{
    // The swatches are labels made to let the background through; these show their own ground.
    w->setAttribute(Qt::WA_TranslucentBackground, false);
    w->setAttribute(Qt::WA_NoSystemBackground, false);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QColor textColour(const QWidget *w)
{
    return w->palette().color(QPalette::WindowText);
}

void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    w->setPalette(pal);
}

void setSwatch(QWidget *w, const QColor &colour)
{
    setGround(w, colour);
    // A swatch shows no text; its focus mark, drawn in the text colour, stands out from its ground.
    setTextColour(w, qGray(colour.rgb()) < 110 ? Qt::white : Qt::black);
}

}  // namespace

fontselfrm::fontselfrm(Preferences &prefs, Dialogs &dialogs, int twipsPerPixelX, int twipsPerPixelY,
                       QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prefs_(prefs), dialogs_(dialogs), tppX_(twipsPerPixelX > 0 ? twipsPerPixelX : 15),
      tppY_(twipsPerPixelY > 0 ? twipsPerPixelY : 15)
{
    setObjectName(QStringLiteral("fontselfrm"));
    setWindowTitle(QStringLiteral("Select Font Properties"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(0, 0, 6795, 3195).size());

    Text1 = new QLineEdit(this);
    Text1->setGeometry(twips(60, 180, 2235, 285));
    FontList = new QListWidget(this);
    FontList->setGeometry(twips(60, 540, 2235, 1620));
    Text2 = new QLineEdit(this);
    Text2->setGeometry(twips(2460, 180, 795, 285));
    FontSizeList = new QListWidget(this);
    FontSizeList->addItems(FontChoice::sizeList());
    FontSizeList->setGeometry(twips(2460, 540, 795, 1620));

    Frame1 = new QGroupBox(QStringLiteral("Effects"), this);
    Frame1->setGeometry(twips(3360, 60, 1155, 1515));
    const char *effects[] = {"Bold", "Italic", "Strikethru", "Underline"};
    std::array<QCheckBox *, 4> checks{};
    for (int i = 0; i < 4; ++i) {
        checks[i] = new QCheckBox(QString::fromLatin1(effects[i]), Frame1);
        checks[i]->setGeometry(twips(3420 - 3360, 300 + 300 * i - 60, 1000, 195));
    }
    Check1 = checks[0];
    Check2 = checks[1];
    Check3 = checks[2];
    Check4 = checks[3];

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setGeometry(twips(3480, 2160, 975, 675));

    Label1 = new QLabel(FontChoice::kSampleText, this);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setToolTip(QStringLiteral("Double click to change"));
    Label1->setGeometry(twips(60, 2280, 3195, 855));
    alignSample();
    setGround(Label1, QColor(fromBgr(FontChoice::kSampleGround)));
    Label1->installEventFilter(this);

    Frame2 = new QGroupBox(QStringLiteral("Select Color"), this);
    Frame2->setGeometry(twips(4620, 60, 2115, 2895));
    for (int i = 0; i < 16; ++i) {
        auto *s = new LabelButton(QString(), tppX_, tppY_, Frame2);
        s->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        s->setTwipGeometry(120 + 480 * (i % 4), 240 + 360 * (i / 4), 435, 315);
        const FontChoice::Swatch &c = FontChoice::kPalette[i];
        setSwatch(s, QColor(c.red, c.green, c.blue));
        s->setRole(LabelButton::Role::Button);
        s->setAccessibleName(QString::fromLatin1(c.name));
        swatch[i] = s;
    }
    Label18 = new LabelButton(QStringLiteral("R      G      B  "), tppX_, tppY_, Frame2);
    Label18->setTwipGeometry(975, 1680, 1005, 195);
    // Sliders rather than scroll bars: in so short a groove a scroll bar's handle fills nearly all
    // of it, and the bit of groove left over reads as the handle at the wrong end.
    std::array<QSlider *, 3> sliders{};
    for (int i = 0; i < 3; ++i) {
        sliders[i] = new QSlider(Qt::Vertical, Frame2);
        // 0 at the top, 255 at the bottom; the Down key moves the handle down.
        sliders[i]->setInvertedAppearance(true);
        sliders[i]->setInvertedControls(true);
        sliders[i]->setRange(0, 255);
        sliders[i]->setPageStep(10);
        sliders[i]->setGeometry(twips(960 + 360 * i, 1920, 255, 915));
    }
    VScroll1 = sliders[0];
    VScroll2 = sliders[1];
    VScroll3 = sliders[2];
    Label19 = new QLabel(QStringLiteral("Other:"), Frame2);
    Label19->setGeometry(twips(120, 1800, 615, 195));
    Labeltest = new LabelButton(QString(), tppX_, tppY_, Frame2);
    Labeltest->setFrameShape(QFrame::Box);
    Labeltest->setToolTip(QStringLiteral("Click here to change"));
    Labeltest->setTwipGeometry(120, 2100, 615, 615);
    Labeltest->setRole(LabelButton::Role::Button);
    Labeltest->setAccessibleName(QStringLiteral("Custom colour"));
    setSwatch(Labeltest, QColor(fromBgr(FontChoice::kDesignCustom)));

    const std::pair<QWidget *, const char *> names[] = {
        {Text1, "Text1"},       {FontList, "FontList"}, {Text2, "Text2"},       {FontSizeList, "FontSizeList"},
        {Frame1, "Frame1"},     {Check1, "Check1"},     {Check2, "Check2"},     {Check3, "Check3"},
        {Check4, "Check4"},     {Command1, "Command1"}, {Label1, "Label1"},     {Frame2, "Frame2"},
        {Label18, "Label18"},   {VScroll1, "VScroll1"}, {VScroll2, "VScroll2"}, {VScroll3, "VScroll3"},
        {Label19, "Label19"},   {Labeltest, "Labeltest"}};
    for (const auto &[w, name] : names)
        w->setObjectName(QString::fromLatin1(name));
    CaptionFit::fitWindow(this, CaptionFit::narrowFont(8), {Label1});
    labelControls();

    connect(FontList, &QListWidget::currentRowChanged, this, &fontselfrm::FontList_Click);
    connect(FontSizeList, &QListWidget::currentRowChanged, this, &fontselfrm::FontSizeList_Click);
    connect(Text1, &QLineEdit::textChanged, this, &fontselfrm::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &fontselfrm::Text2_Change);
    connect(Check1, &QCheckBox::toggled, this, &fontselfrm::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &fontselfrm::Check2_Click);
    connect(Check3, &QCheckBox::toggled, this, &fontselfrm::Check3_Click);
    connect(Check4, &QCheckBox::toggled, this, &fontselfrm::Check4_Click);
    for (int i = 0; i < 16; ++i)
        connect(swatch[i], &LabelButton::Click, this, [this, i] { Swatch_Click(i); });
    for (QSlider *s : sliders)
        connect(s, &QSlider::valueChanged, this, &fontselfrm::VScroll_Change);
    connect(Labeltest, &LabelButton::Click, this, &fontselfrm::Labeltest_Click);
    connect(Label18, &LabelButton::MouseMove, this, &fontselfrm::Label18_MouseMove);
    connect(Command1, &QPushButton::clicked, this, &fontselfrm::Command1_Click);

    Form_Load();
}

void fontselfrm::labelControls()
{
    const std::pair<QWidget *, const char *> names[] = {
        {Text1, "Font name"}, {FontList, "Fonts"}, {Text2, "Size"},   {FontSizeList, "Sizes"},
        {VScroll1, "Red"},    {VScroll2, "Green"}, {VScroll3, "Blue"}, {Label1, "Sample"},
    };
    for (const auto &[w, name] : names)
        w->setAccessibleName(QString::fromLatin1(name));
    // The sample changes its text on a double click, or from the keyboard.
    Label1->setFocusPolicy(Qt::TabFocus);
    Label1->setAccessibleDescription(QStringLiteral("Double click, or press Space, to change"));

    // Down the left of the window, then the colours, the sample and "OK".
    QList<QWidget *> chain{Text1, FontList, Text2, FontSizeList, Check1, Check2, Check3, Check4};
    for (LabelButton *s : swatch)
        chain << s;
    chain << VScroll1 << VScroll2 << VScroll3 << Labeltest << Label1 << Command1;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    DialogKeys::install(this, Command1);
}

QRect fontselfrm::twips(int left, int top, int width, int height) const
{
    return Twips::toPixels(left, top, width, height, tppX_, tppY_);
}

void fontselfrm::Form_Load()
{
    // The font database's own order, each family once.
    FontList->addItems(FontChoice::familyNames(QFontDatabase::families()));
}

void fontselfrm::FontList_Click()
{
    if (const QListWidgetItem *item = FontList->currentItem())
        Text1->setText(item->text());
}

void fontselfrm::FontSizeList_Click()
{
    if (const QListWidgetItem *item = FontSizeList->currentItem())
        Text2->setText(item->text());
}

void fontselfrm::Text1_Change()
{
    // A name the system does not know goes to the sample as typed; the font system picks a stand-in.
    QFont f = Label1->font();
    f.setFamily(Text1->text());
    Label1->setFont(f);
}

void fontselfrm::Text2_Change()
{
    const std::optional<double> size = FontChoice::sampleSize(Text2->text());
    if (!size)
        return;
    QFont f = Label1->font();
    f.setPointSizeF(*size);
    Label1->setFont(f);
}

void fontselfrm::setSampleFont(void (QFont::*set)(bool), bool on)
{
    QFont f = Label1->font();
    (f.*set)(on);
    Label1->setFont(f);
}

void fontselfrm::Check1_Click()
{
    setSampleFont(&QFont::setBold, Check1->isChecked());
}

void fontselfrm::Check2_Click()
{
    setSampleFont(&QFont::setItalic, Check2->isChecked());
}

void fontselfrm::Check3_Click()
{
    setSampleFont(&QFont::setStrikeOut, Check3->isChecked());
}

void fontselfrm::Check4_Click()
{
    setSampleFont(&QFont::setUnderline, Check4->isChecked());
}

void fontselfrm::Swatch_Click(int index)
{
    const FontChoice::Swatch &c = FontChoice::kPalette[index];
    setSampleColour(QColor(c.red, c.green, c.blue));
    VScroll3->setValue(c.blue);
    VScroll2->setValue(c.green);
    VScroll1->setValue(c.red);
    // A slider already at its value reports no change; the custom swatch must still show this colour
    // (clicking black first, with all three at 0, would otherwise leave it cyan).
    VScroll_Change();
}

void fontselfrm::VScroll_Change()
{
    const unsigned mixed = FontChoice::rgb(VScroll1->value(), VScroll2->value(), VScroll3->value());
    setSwatch(Labeltest, QColor(fromBgr(mixed)));
}

void fontselfrm::Labeltest_Click()
{
    setSampleColour(Labeltest->palette().color(QPalette::Window));
}

void fontselfrm::Label18_MouseMove()
{
    Label18->setToolTip(FontChoice::sliderTip(VScroll1->value(), VScroll2->value(), VScroll3->value()));
}

void fontselfrm::Label1_DblClick()
{
    const QString answer = dialogs_.inputBox(QStringLiteral("Enter new Sample string"),
                                              QStringLiteral("SAMPLE FONT"), Label1->text());
    if (!answer.isEmpty()) {
        Label1->setText(answer);
        alignSample();
    }
}

void fontselfrm::alignSample()
{
    // Centred where the label holds the whole sample; otherwise its beginning shows, not a cut middle.
    const bool whole = QFontMetrics(Label1->font()).horizontalAdvance(Label1->text()) <= Label1->contentsRect().width();
    Label1->setAlignment(whole ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
}

void fontselfrm::showFont()
{
    const SubtitleFont &stored = prefs_.values().font;
    const QFont font = FontChoice::overlayFont(stored);
    // The sample stands in for the overlay as the overlay's own stand-in does, where its face is missing.
    QFont sample = FontChoice::withFace(Label1->font(), font);
    sample.setStyleHint(font.styleHint());
    Label1->setFont(sample);
    Text1->setText(stored.family);
    Text2->setText(basic_numbers::shortText(stored.size));
    Check1->setChecked(stored.bold);
    Check2->setChecked(stored.italic);
    Check3->setChecked(stored.strike);
    Check4->setChecked(stored.underline);
    setSampleColour(QColor(fromBgr(stored.colour)));
    show();
    raise();
    activateWindow();
}

void fontselfrm::Command1_Click()
{
    const QColor c = sampleColour();
    prefs_.set(&Prefs::font, FontChoice::storedFont(Label1->font(), FontChoice::rgb(c.red(), c.green(), c.blue())));
}

QColor fontselfrm::sampleColour() const
{
    return textColour(Label1);
}

void fontselfrm::setSampleColour(const QColor &colour)
{
    setTextColour(Label1, colour);
}

bool fontselfrm::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == Label1 && e->type() == QEvent::MouseButtonDblClick) {
        Label1_DblClick();
        return true;
    }
    if (watched == Label1 && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            Label1_DblClick();
            return true;
        }
    }
    if (watched == Label1 && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)) {
        // The sample's focus mark: a sunken frame while it has the keyboard, drawn in the window's
        // shades, since the sample's own colour may be its ground's.
        Label1->setFrameStyle(e->type() == QEvent::FocusIn ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
        alignSample();
    }
    if (watched == Label1 && e->type() == QEvent::FontChange)
        alignSample();
    return QWidget::eventFilter(watched, e);
}
