#include "engine/VideoOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <cmath>
#include <mpv/client.h>

namespace VideoOutput {

namespace {

std::optional<QString> probedRenderer;
std::optional<Kind> chosen;

}  // namespace

// Without a graphics device the GL driver can only be a software one, and loading it just to read so
// costs some 55 MB (LLVM) and a twentieth of a second.
bool hasGraphicsDevice()
{
#ifdef Q_OS_LINUX
    return !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("card*"), QStringLiteral("renderD*")},
                                                        QDir::System | QDir::Files).isEmpty()
        || QFileInfo::exists(QStringLiteral("/dev/nvidiactl"));
#else
    return true;
#endif
}

namespace {

QString readRenderer()
{
    if (!hasGraphicsDevice())
        return {};
    QOpenGLContext context;
    if (!context.create())
        return {};
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return {};
    const auto *text = reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
    QString renderer = text ? QString::fromUtf8(text) : QString();
    context.doneCurrent();
    return renderer;
}

}  // namespace

QString name(Kind kind)
{
    return kind == Kind::Gl ? QStringLiteral("gl") : QStringLiteral("software");
}

bool isSoftwareRenderer(const QString &renderer)
{
    // "llvmpipe", not "llvm": AMD's hardware drivers name the LLVM that compiles their shaders.
    static const QString software[] = {QStringLiteral("llvmpipe"), QStringLiteral("softpipe"),
                                       QStringLiteral("swiftshader"), QStringLiteral("software rasterizer")};
    for (const QString &s : software) {
        if (renderer.contains(s, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString glRenderer()
{
    if (!probedRenderer)
        probedRenderer = readRenderer();
    return *probedRenderer;
}

Kind decide(const QString &renderer, bool threadedGl)
{
    return renderer.isEmpty() || isSoftwareRenderer(renderer) || !threadedGl ? Kind::Software : Kind::Gl;
}

Kind choose()
{
    if (!chosen) {
        const QString renderer = glRenderer();
        // Asking whether OpenGL may run on a thread of its own loads the GL driver (some 50 MB where it
        // is Mesa's llvmpipe): worth it only for a driver on a graphics card.
        const bool hardware = !renderer.isEmpty() && !isSoftwareRenderer(renderer);
        chosen = decide(renderer, hardware && QOpenGLContext::supportsThreadedOpenGL());
    }
    return *chosen;
}

QSize pixelSize(QSize logical, qreal ratio)
{
    return {static_cast<int>(std::lround(logical.width() * ratio)),
            static_cast<int>(std::lround(logical.height() * ratio))};
}

void switchCore(mpv_handle *core, const char *vo)
{
    mpv_set_property_async(core, 0, "vo", MPV_FORMAT_STRING, &vo);
}

void force(std::optional<Kind> kind)
{
    chosen = kind;
}

}  // namespace VideoOutput
