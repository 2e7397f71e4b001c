#include "playback/player.h"
#include "input/ButtonValues.h"

#include "menu/menufrm.h"
#include "desktop/Desktop.h"
#include "engine/MediaEngine.h"
#include "numbers/Twips.h"
#include "playback/LabelButton.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "startup/AppState.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>

player::player(Panelfrm &panel, MediaEngine &engine, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), panel_(panel), engine_(engine)
{
    setObjectName(QStringLiteral("player"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    if (QWidget *video = engine_.videoWidget())
        video->setParent(this);
    connect(&engine_, &MediaEngine::MouseDown, this, &player::MediaPlayer1_MouseDown);
    connect(&engine_, &MediaEngine::Click, this, &player::MediaPlayer1_Click);
}

void player::setTwipLeft(double v)
{
    left_ = v;
    applyGeometry();
}

void player::setTwipTop(double v)
{
    top_ = v;
    applyGeometry();
}

void player::setTwipWidth(double v)
{
    width_ = v;
    applyGeometry();
}

void player::setTwipHeight(double v)
{
    height_ = v;
    applyGeometry();
}

void player::applyGeometry()
{
    const int tx = panel_.app.twipsPerPixelX, ty = panel_.app.twipsPerPixelY;
    // Qt takes a window out of full screen when it is placed; only showTaskbar may end full screen.
    const bool fullScreen = windowState() & Qt::WindowFullScreen;
    placing_ = true;
    setGeometry(Twips::toPixels(left_, top_, width_, height_, tx, ty));
    if (fullScreen)
        setWindowState(windowState() | Qt::WindowFullScreen);
    placing_ = false;
}

void player::moveEvent(QMoveEvent *e)
{
    // A move by the user (system move) changes where the window stands; keep the twips in step.
    if (!placing_) {
        left_ = x() * static_cast<double>(panel_.app.twipsPerPixelX);
        top_ = y() * static_cast<double>(panel_.app.twipsPerPixelY);
    }
    QWidget::moveEvent(e);
}

void player::showPanel()
{
    panel_.show();
    panel_.raise();
    panel_.activateWindow();
}

void player::Form_MouseDown(int button, int, double, double)
{
    if (button == 1 && panel_.app.zoomMode == 0) {
        panel_.desktop.startSystemMove(this);
        showPanel();
    }
}

void player::Form_KeyPress()
{
    showPanel();
}

void player::MediaPlayer1_MouseDown(int button, int, double, double)
{
    panel_.session.startDisplayLoop();
    if (button == 1 && panel_.app.zoomMode == 0) {
        panel_.desktop.startSystemMove(this);
    } else if (button == 2) {
        if (!panel_.menuForm)
            panel_.menuForm = new menufrm(panel_);
        panel_.menuForm->popupAt(QCursor::pos());
    }
}

void player::MediaPlayer1_Click(int, int, double, double)
{
    showPanel();
}

void player::mousePressEvent(QMouseEvent *e)
{
    const QPointF p = e->position();
    Form_MouseDown(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()),
                   p.x() * panel_.app.twipsPerPixelX, p.y() * panel_.app.twipsPerPixelY);
}

void player::keyPressEvent(QKeyEvent *)
{
    Form_KeyPress();
}
