#include "engine/MpvVideoView.h"

#include "engine/MpvSoftwareRenderer.h"
#include "engine/MpvVideoWindow.h"
#include "engine/VideoOutput.h"
#include "input/ButtonValues.h"

#include <QMouseEvent>
#include <QPainter>

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
        setSoftwareSize(pixelSize());
}

void MpvVideoView::hideEvent(QHideEvent *)
{
    if (software_)
        setSoftwareSize(QSize());
}

void MpvVideoView::setSoftwareSize(QSize pixels)
{
    softwareSize_ = pixels;
    software_->setSize(pixels);
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
    // A driver that cannot draw from the render thread after all: the software renderer takes over.
    connect(glWindow_, &MpvVideoWindow::failed, this, [this, mpv] {
        if (!glWindow_)
            return;
        // Gone first: its last word to the core is to stop drawing, which must come before the new start.
        delete glWindow_->container();
        glWindow_ = nullptr;
        useSoftware(mpv);
        emit outputChosen(VideoOutput::name(VideoOutput::Kind::Software));
    }, Qt::QueuedConnection);
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
    setSoftwareSize(pixelSize());
}

QSize MpvVideoView::pixelSize() const
{
    return VideoOutput::pixelSize(size(), devicePixelRatioF());
}

void MpvVideoView::resizeEvent(QResizeEvent *)
{
    if (glWindow_)
        glWindow_->container()->setGeometry(rect());
    else if (software_ && isVisible())
        setSoftwareSize(pixelSize());
}

void MpvVideoView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!software_) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // A move to a screen of another scale changes the pixels without a resize.
    if (pixelSize() != softwareSize_)
        setSoftwareSize(pixelSize());
    software_->paint(painter, rect());
    if (freshFrame_ && !grabbing_) {
        freshFrame_ = false;
        emit frameDrawn();
    }
}

QImage MpvVideoView::picture()
{
    if (glWindow_)
        return glWindow_->grabPicture();
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
