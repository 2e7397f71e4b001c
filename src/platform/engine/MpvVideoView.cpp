#include "engine/MpvVideoView.h"

#include "engine/MpvSoftwareRenderer.h"
#include "engine/MpvVideoWindow.h"
#include "engine/VideoOutput.h"
#include "input/ButtonValues.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

MpvVideoView::MpvVideoView(std::function<mpv_handle *()> core, QWidget *parent)
    : QWidget(parent), core_(std::move(core))
{
    setObjectName(QStringLiteral("MediaPlayer1"));
}

MpvVideoView::~MpvVideoView() = default;

void MpvVideoView::showEvent(QShowEvent *)
{
    if (!chosen_)
        chooseOutput();
    else if (software_)
        software_->setSize(pixelSize());
}

void MpvVideoView::hideEvent(QHideEvent *)
{
    if (software_)
        software_->setSize(QSize());
}

void MpvVideoView::chooseOutput()
{
    chosen_ = true;
    const VideoOutput::Kind kind = VideoOutput::choose();
    if (kind == VideoOutput::Kind::Gl)
        useGl(core_());
    else
        useSoftware(core_());
    emit outputChosen(VideoOutput::name(kind));
}

void MpvVideoView::useGl(mpv_handle *mpv)
{
    glWindow_ = new MpvVideoWindow(mpv, this);
    connect(glWindow_, &MpvVideoWindow::frameDrawn, this, &MpvVideoView::frameDrawn);
    connect(glWindow_, &MpvVideoWindow::mouseDown, this, &MpvVideoView::mouseDown);
    connect(glWindow_, &MpvVideoWindow::mouseUp, this, &MpvVideoView::mouseUp);
    glWindow_->container()->setGeometry(rect());
    glWindow_->container()->show();
}

void MpvVideoView::useSoftware(mpv_handle *mpv)
{
    software_ = std::make_unique<MpvSoftwareRenderer>(mpv);
    // The view paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(software_.get(), &MpvSoftwareRenderer::finished, this, [this](bool newFrame) {
        freshFrame_ = freshFrame_ || newFrame;
        update();
    });
    software_->setSize(pixelSize());
}

QSize MpvVideoView::pixelSize() const
{
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio))};
}

void MpvVideoView::resizeEvent(QResizeEvent *)
{
    if (glWindow_)
        glWindow_->container()->setGeometry(rect());
    else if (software_ && isVisible())
        software_->setSize(pixelSize());
}

void MpvVideoView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!software_) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    software_->paint(painter, rect());
    if (freshFrame_ && !grabbing_) {
        freshFrame_ = false;
        emit frameDrawn();
    }
}

QImage MpvVideoView::picture()
{
    if (glWindow_)
        return glWindow_->grabFramebuffer();
    grabbing_ = true;
    const QImage image = grab().toImage();
    grabbing_ = false;
    return image;
}

void MpvVideoView::mousePressEvent(QMouseEvent *e)
{
    emit mouseDown(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()), e->position());
}

void MpvVideoView::mouseReleaseEvent(QMouseEvent *e)
{
    emit mouseUp(ButtonValues::buttonValue(e->button()), ButtonValues::shiftValue(e->modifiers()), e->position());
}
