#include "playback/LabelButton.h"

#include "input/ButtonValues.h"
#include "numbers/Twips.h"

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
