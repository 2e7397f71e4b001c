#include "platform/MpvVideoWidget.h"

#include "playback/LabelButton.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <mpv/client.h>
#include <mpv/render_gl.h>

namespace {

void *procAddress(void *, const char *name)
{
    QOpenGLContext *ctx = QOpenGLContext::currentContext();
    return ctx ? reinterpret_cast<void *>(ctx->getProcAddress(name)) : nullptr;
}

// Runs on one of mpv's threads: only hand the repaint to the UI thread.
void onRenderUpdate(void *data)
{
    auto *w = static_cast<MpvVideoWidget *>(data);
    QMetaObject::invokeMethod(w, [w] { w->update(); }, Qt::QueuedConnection);
}

} // namespace

MpvVideoWidget::MpvVideoWidget(mpv_handle *mpv, QWidget *parent) : QOpenGLWidget(parent), mpv_(mpv)
{
    setObjectName(QStringLiteral("MediaPlayer1"));
}

MpvVideoWidget::~MpvVideoWidget()
{
    releaseRenderer();
    // The base class destroys the context after this object is gone.
    if (QOpenGLContext *ctx = context())
        disconnect(ctx, nullptr, this, nullptr);
}

void MpvVideoWidget::initializeGL()
{
    // Qt replaces the GL context when the widget moves to another window; the renderer must go with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &MpvVideoWidget::releaseRenderer,
            Qt::UniqueConnection);
    mpv_opengl_init_params gl{procAddress, nullptr};
    mpv_render_param params[]{{MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
                              {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
                              {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_create(&render_, mpv_, params) < 0) {
        render_ = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(render_, onRenderUpdate, this);
    // Until now the engine decoded into the null output; the picture can be drawn from here on.
    mpv_set_property_string(mpv_, "vo", "libmpv");
}

void MpvVideoWidget::releaseRenderer()
{
    if (!render_)
        return;
    makeCurrent();
    mpv_render_context_set_update_callback(render_, nullptr, nullptr);
    // Keep the loaded file playing without a picture until a new context comes.
    mpv_set_property_string(mpv_, "vo", "null");
    mpv_render_context_free(render_);
    render_ = nullptr;
    doneCurrent();
}

void MpvVideoWidget::paintGL()
{
    if (!render_)
        return;
    const qreal dpr = devicePixelRatioF();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), static_cast<int>(width() * dpr),
                       static_cast<int>(height() * dpr), 0};
    int flipY = 1;
    mpv_render_param params[]{{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                              {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                              {MPV_RENDER_PARAM_INVALID, nullptr}};
    const bool fresh = mpv_render_context_update(render_) & MPV_RENDER_UPDATE_FRAME;
    mpv_render_context_render(render_, params);
    if (fresh)
        emit frameDrawn();
}

void MpvVideoWidget::mousePressEvent(QMouseEvent *e)
{
    emit mouseDown(LabelButton::buttonValue(e->button()), LabelButton::shiftValue(e->modifiers()), e->position());
}

void MpvVideoWidget::mouseReleaseEvent(QMouseEvent *e)
{
    emit mouseUp(LabelButton::buttonValue(e->button()), LabelButton::shiftValue(e->modifiers()), e->position());
}
