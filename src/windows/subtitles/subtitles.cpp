#include "subtitles/subtitles.h"

#include "desktop/Desktop.h"
#include "dialogs/Dialogs.h"
#include "numbers/Twips.h"
#include "numbers/basic_numbers.h"
#include "playback/LineShape.h"
#include "prefs/FontChoice.h"
#include "prefs/Preferences.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

using basic_numbers::roundEven;

namespace {

QLabel *makeLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    label->setAutoFillBackground(false);
    return label;
}

}  // namespace

subtitles::subtitles(Preferences &prefs, Desktop &desktop, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool), prefs_(prefs), desktop_(desktop), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("subtitles"));
    // The overlay is shown and re-shown twice a second while entries are due; it never takes the
    // keyboard from the panel, or from whatever program the user is typing in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setAutoFillBackground(true);
    setBackground(Qt::black);
    Label2 = makeLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label1 = makeLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setToolTip(QStringLiteral("Click and Drag to Move or Left/Right click to show Player"));
    Label1->installEventFilter(this);
    connect(&prefs_, &Preferences::changed, this, &subtitles::showPrefs);
    // Size, place and font differ from those of a window not yet shown; whether it hides does not.
    Prefs none = prefs_.values();
    none.overlayWidth = none.overlayHeight = -1;
    none.overlayHomeLeft = none.overlayHomeTop = -1e9;
    none.font.family.clear();
    showPrefs(none);
}

void subtitles::showPrefs(const Prefs &was)
{
    const Prefs &now = prefs_.values();
    if (was.overlayWidth != now.overlayWidth || was.overlayHeight != now.overlayHeight) {
        resize(std::max(1, now.overlayWidth), std::max(1, now.overlayHeight));
        // Past the set-up the ground is the screen's colour, taken again for the new size.
        if (overlayState_ == 3)
            paintScreenColour();
    }
    if (was.overlayHomeLeft != now.overlayHomeLeft || was.overlayHomeTop != now.overlayHomeTop)
        move(home());
    if (!(was.font == now.font)) {
        const QFont font = FontChoice::overlayFont(now.font);
        Label1->setFont(font);
        QFont outline = font;
        outline.setBold(true);
        Label2->setFont(outline);
        QPalette pal = Label1->palette();
        pal.setColor(QPalette::WindowText, QColor(fromBgr(now.font.colour)));
        Label1->setPalette(pal);
    }
    if (was.hidden != now.hidden) {
        if (now.hidden)
            hideOverlay();
        else
            showOverlay();
    }
}

QPoint subtitles::home() const
{
    const Prefs &p = prefs_.values();
    return {Twips::toPixels(p.overlayHomeLeft, desktop_.twipsPerPixelX()),
            Twips::toPixels(p.overlayHomeTop, desktop_.twipsPerPixelY())};
}

void subtitles::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // Wherever it went, dragged or put back, the next run finds it where it was left.
    prefs_.overlayMoved(double(x()) * desktop_.twipsPerPixelX(), double(y()) * desktop_.twipsPerPixelY());
}

void subtitles::cueDue()
{
    if (overlayState_ == 1)
        overlayState_ = 2;
}

void subtitles::showOverlay()
{
    // A cue changes the text, not the stacking: only "Transparent Subtiles" makes the overlay topmost,
    // and an ordinary window stays behind whatever the user brought forward.
    if (!isVisible())
        show();
    Form_GotFocus();
}

void subtitles::hideOverlay()
{
    hide();
}

void subtitles::setCaption(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Label1->setText(shown);
}

void subtitles::Form_GotFocus()
{
    if (settingUp_ || overlayState_ != 2 || !prefs_.values().transparent)
        return;
    settingUp_ = true;
    // The colour is read from the screen, not copied from under the window, so the window does not
    // need to visit the screen's centre first; it stays at its remembered place.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    move(home());
    if (wasVisible)
        show();
    if (!paintScreenColour())
        dialogs_.msgBox(QStringLiteral("ERROR 0 : Transparent subtitles could not be initialized"),
                        Dialogs::Icon::Critical);
    if (prefs_.values().autoplay)
        emit minimisePanel();
    overlayState_ = 3;
    settingUp_ = false;
}

bool subtitles::paintScreenColour()
{
    const double tppX = desktop_.twipsPerPixelX();
    const double tppY = desktop_.twipsPerPixelY();
    const auto pixel = desktop_.screenPixel(int(roundEven(desktop_.screenWidth() / 2.0 / tppX)),
                                            int(roundEven(desktop_.screenHeight() / 2.0 / tppY)));
    setBackground(pixel ? QColor::fromRgb(*pixel) : QColor(Qt::black));
    return pixel.has_value();
}

void subtitles::setBackground(QColor colour)
{
    // The window's own background: captions are drawn over it on every repaint.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

void subtitles::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Label1->setGeometry(rect());
    Label2->setGeometry(rect());
}

void subtitles::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    emit bringPanelForward();
}

bool subtitles::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label1) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            labelPressed_ = true;
            Label1_MouseDown(mouse->button(), Label1->mapTo(this, mouse->position().toPoint()));
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            return (mouse->buttons() & Qt::LeftButton) && drag_.follow(mouse->globalPosition());
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            // A drag that moved the window is not a click.
            const bool dragged = drag_.end();
            if (labelPressed_ && !dragged && Label1->rect().contains(mouse->position().toPoint()))
                Label1_Click();
            labelPressed_ = false;
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void subtitles::Label1_MouseDown(Qt::MouseButton button, QPoint grip)
{
    if (button == Qt::LeftButton)
        drag_.start(desktop_, this, grip);
}

void subtitles::Label1_Click()
{
    emit restorePanel();
}
