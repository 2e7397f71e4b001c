#include "playback/LabelButton.h"

#include "platform/Twips.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

LabelButton::LabelButton(const QString &caption, int twipsPerPixelX, int twipsPerPixelY, QWidget *parent)
    : QLabel(caption, parent), tppX_(twipsPerPixelX), tppY_(twipsPerPixelY)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
}

void LabelButton::setTwipGeometry(double left, double top, double width, double height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    setGeometry(Twips::toPixels(left, top, width, height, tppX_, tppY_));
}

int LabelButton::buttonValue(Qt::MouseButtons buttons)
{
    int v = 0;
    if (buttons & Qt::LeftButton)
        v |= 1;
    if (buttons & Qt::RightButton)
        v |= 2;
    if (buttons & Qt::MiddleButton)
        v |= 4;
    return v;
}

int LabelButton::shiftValue(Qt::KeyboardModifiers mods)
{
    int v = 0;
    if (mods & Qt::ShiftModifier)
        v |= 1;
    if (mods & Qt::ControlModifier)
        v |= 2;
    if (mods & Qt::AltModifier)
        v |= 4;
    return v;
}

void LabelButton::mousePressEvent(QMouseEvent *e)
{
    pressed_ = true;
    const QPointF p = e->position();
    emit MouseDown(buttonValue(e->button()), shiftValue(e->modifiers()), p.x() * tppX_, p.y() * tppY_);
}

void LabelButton::mouseMoveEvent(QMouseEvent *e)
{
    const QPointF p = e->position();
    emit MouseMove(buttonValue(e->buttons()), shiftValue(e->modifiers()), p.x() * tppX_, p.y() * tppY_);
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
