#include "playback/LabelButton.h"

#include "input/ButtonValues.h"
#include "numbers/Twips.h"
#include "playback/AccessibleLabel.h"

#include <QAccessible>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

LabelButton::LabelButton(const QString &caption, int twipsPerPixelX, int twipsPerPixelY, QWidget *parent)
    : QLabel(caption, parent), tppX_(twipsPerPixelX), tppY_(twipsPerPixelY)
{
    AccessibleLabel::install();
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
}

void LabelButton::setRole(Role role)
{
    role_ = role;
    // By Tab only: a click leaves the keyboard where it was, and no mark appears under the mouse.
    setFocusPolicy(role == Role::Text ? Qt::NoFocus : Qt::TabFocus);
}

void LabelButton::setChecked(bool on)
{
    if (checked_ == on)
        return;
    checked_ = on;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void LabelButton::setRange(const Range &range)
{
    range_ = range;
}

void LabelButton::setValue(double value)
{
    if (value_ == value)
        return;
    value_ = value;
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void LabelButton::setTwipGeometry(double left, double top, double width, double height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    setGeometry(Twips::toPixels(left, top, width, height, tppX_, tppY_));
}

void LabelButton::mousePressEvent(QMouseEvent *e)
{
    pressed_ = true;
    const QPointF p = e->position();
    emit MouseDown(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()), p.x() * tppX_, p.y() * tppY_);
}

void LabelButton::mouseMoveEvent(QMouseEvent *e)
{
    const QPointF p = e->position();
    emit MouseMove(ButtonValues::buttonValue(e->buttons()), ButtonValues::shiftValue(e->modifiers()), p.x() * tppX_, p.y() * tppY_);
}

void LabelButton::mouseReleaseEvent(QMouseEvent *e)
{
    // A click is a press and release on the label, as a button would take it.
    const bool inside = rect().contains(e->position().toPoint());
    if (pressed_ && inside && e->button() == Qt::LeftButton)
        emit Click();
    pressed_ = false;
}

void LabelButton::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void LabelButton::dropEvent(QDropEvent *e)
{
    QStringList paths;
    for (const QUrl &url : e->mimeData()->urls()) {
        if (!url.isLocalFile())
            return;
        paths << url.toLocalFile();
    }
    if (paths.isEmpty())
        return;
    e->acceptProposedAction();
    emit Dropped(paths);
}

void LabelButton::keyPressEvent(QKeyEvent *e)
{
    const bool plain = !(e->modifiers() & ~Qt::KeypadModifier);
    if (plain && (role_ == Role::Button || role_ == Role::Toggle)) {
        if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            // Held down, a button is pressed once.
            if (!e->isAutoRepeat())
                press();
            return;
        }
    } else if (plain && role_ == Role::Slider) {
        switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Right:
            step(1);
            return;
        case Qt::Key_Down:
        case Qt::Key_Left:
            step(-1);
            return;
        default:
            break;
        }
    }
    // Everything else goes on to the panel, which reads its one-key commands from it.
    QLabel::keyPressEvent(e);
}

void LabelButton::paintEvent(QPaintEvent *e)
{
    QLabel::paintEvent(e);
    if (!hasFocus() || role_ == Role::Text)
        return;
    // The focus mark: a thin frame in the caption's colour, which a skin is drawn to show.
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    p.setRenderHint(QPainter::Antialiasing);
    p.drawRoundedRect(QRectF(markRect_.isNull() ? rect() : markRect_).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
}
