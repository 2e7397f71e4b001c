#include "engine/MpvPictureWindow.h"

#include "input/ButtonValues.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

MpvPictureWindow::MpvPictureWindow(QSurface::SurfaceType type, QWidget *parent)
{
    setSurfaceType(type);
    container_ = QWidget::createWindowContainer(this, parent);
}

void MpvPictureWindow::mousePressEvent(QMouseEvent *e)
{
    emit mouseDown(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()), e->position());
}

void MpvPictureWindow::mouseReleaseEvent(QMouseEvent *e)
{
    emit mouseUp(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()), e->position());
}

// Keys typed while the picture has focus belong to the widgets around it, as they would for a child widget.
void MpvPictureWindow::keyPressEvent(QKeyEvent *e)
{
    QCoreApplication::sendEvent(container_, e);
}

void MpvPictureWindow::keyReleaseEvent(QKeyEvent *e)
{
    QCoreApplication::sendEvent(container_, e);
}
