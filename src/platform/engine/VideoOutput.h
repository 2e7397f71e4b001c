#pragma once
// How MediaPlayer1 draws: through OpenGL, or through libmpv's software renderer where OpenGL itself
// runs on the processor (Mesa's llvmpipe under a virtual or remote display). There mpv's GPU shaders
// cost about three times what the software renderer does. Chosen once per run.
#include <QSize>
#include <QString>
#include <optional>

struct mpv_handle;

namespace VideoOutput {

enum class Kind { Gl, Software };

// "gl" or "software", as the run log names them.
QString name(Kind kind);

// True when an OpenGL renderer string names a driver that draws on the processor.
bool isSoftwareRenderer(const QString &renderer);

// True where the machine has a graphics device: hardware OpenGL and hardware decoding need one, and
// without one mpv's probing for hardware decoders at each open is only a cost.
bool hasGraphicsDevice();

// Loads the GL driver and reads its renderer string, once, where there is a graphics device to drive;
// the empty text where there is none or no context can be made.
QString glRenderer();

// OpenGL only for a driver that draws on a graphics card and may be driven from a thread of its own.
Kind decide(const QString &renderer, bool threadedGl);

// The way to draw: the forced one, else decided from glRenderer() and the platform on the first call
// and kept.
Kind choose();

// A widget's or window's size in device pixels at `ratio`, rounded as the picture is made and compared.
QSize pixelSize(QSize logical, qreal ratio);

// Points the core's picture at `vo`: "libmpv" once a renderer can take frames, "null" before it goes.
// Without waiting, since the caller draws and the core may be waiting for a drawing.
void switchCore(mpv_handle *core, const char *vo);

// For tests: draw this way from now on; nullopt decides again from the driver.
void force(std::optional<Kind> kind);

}  // namespace VideoOutput
