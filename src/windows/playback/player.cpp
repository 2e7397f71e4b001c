#include "playback/player.h"
#include "input/ButtonValues.h"

#include "desktop/Desktop.h"
#include "engine/MediaEngine.h"
#include "numbers/Twips.h"
#include "playback/PlayerSession.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>

player::player(PlayerSession &session, const Preferences &prefs, Desktop &desktop, int twipsPerPixelX,
               int twipsPerPixelY, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), session_(session), prefs_(prefs), desktop_(desktop),
      tppX_(twipsPerPixelX), tppY_(twipsPerPixelY)
{
    setObjectName(QStringLiteral("player"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    if (QWidget *video = session_.pictureWidget())
        video->setParent(this);
    connect(&session_.movie(), &MediaEngine::MouseDown, this, &player::MediaPlayer1_MouseDown);
    connect(&session_.movie(), &MediaEngine::Click, this, &player::MediaPlayer1_Click);
    connect(&session_, &PlayerSession::zoomAsked, this, &player::zoom);
    connect(&session_, &PlayerSession::panScanAsked, this, &player::panAndScan);
    connect(&session_, &PlayerSession::windowSizeAsked, this, &player::sizeTo);
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
    // Qt takes a window out of full screen when it is placed; only showTaskbar may end full screen.
    const bool fullScreen = windowState() & Qt::WindowFullScreen;
    placing_ = true;
    setGeometry(Twips::toPixels(left_, top_, width_, height_, tppX_, tppY_));
    if (fullScreen)
        setWindowState(windowState() | Qt::WindowFullScreen);
    placing_ = false;
}

void player::moveEvent(QMoveEvent *e)
{
    // A move by the user (system move) changes where the window stands; keep the twips in step.
    if (!placing_) {
        left_ = x() * static_cast<double>(tppX_);
        top_ = y() * static_cast<double>(tppY_);
    }
    QWidget::moveEvent(e);
}

void player::Form_MouseDown(int button, int, double, double)
{
    if (button == 1 && session_.zoomMode() == 0) {
        desktop_.startSystemMove(this);
        emit panelWanted();
    }
}

void player::Form_KeyPress()
{
    emit panelWanted();
}

void player::MediaPlayer1_MouseDown(int button, int, double, double)
{
    session_.startDisplayLoop();
    if (button == 1 && session_.zoomMode() == 0)
        desktop_.startSystemMove(this);
    else if (button == 2)
        emit menuWanted(QCursor::pos());
}

void player::MediaPlayer1_Click(int, int, double, double)
{
    emit panelWanted();
}

void player::mousePressEvent(QMouseEvent *e)
{
    const QPointF p = e->position();
    Form_MouseDown(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()),
                   p.x() * tppX_, p.y() * tppY_);
}

void player::keyPressEvent(QKeyEvent *)
{
    Form_KeyPress();
}
