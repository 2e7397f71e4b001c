#include "desktop/MediaControlValues.h"

#include <QUrl>
#include <algorithm>
#include <cmath>
#include <limits>

namespace MediaControlValues {

namespace {

// The slider's quietest place that still sets a volume.
constexpr float kQuietestDb = 99.99f;

// Above it a double is no longer below qint64's largest value once rounded.
constexpr double kLargestUs = 9223372036854774784.0;

double usPerFrame(double fps)
{
    return std::isfinite(fps) && fps > 0 ? 1e6 / fps : 0;
}

}  // namespace

qint64 microseconds(double frame, double fps)
{
    const double us = frame * usPerFrame(fps);
    if (std::isnan(us))
        return 0;
    return std::llround(std::clamp(us, -kLargestUs, kLargestUs));
}

std::optional<double> frameAt(qint64 positionUs, double fps, double durationFrames)
{
    const double perFrame = usPerFrame(fps);
    if (perFrame <= 0)
        return std::nullopt;
    const double frame = double(positionUs) / perFrame;
    if (!(frame >= 0 && frame <= durationFrames))
        return std::nullopt;
    return frame;
}

std::optional<double> seekTarget(double frame, qint64 offsetUs, double fps, double durationFrames)
{
    const double perFrame = usPerFrame(fps);
    if (perFrame <= 0)
        return std::nullopt;
    // In frames and doubles: an offset near either end of its range cannot overflow the sum, and the
    // movie's last frame stays reachable.
    const double end = std::isfinite(durationFrames) ? std::max(0.0, durationFrames) : 0.0;
    const double target = (std::isfinite(frame) ? frame : 0.0) + double(offsetUs) / perFrame;
    return std::clamp(target, 0.0, end);
}

double amplitude(int hundredthsDb)
{
    if (hundredthsDb <= -10000)
        return 0.0;
    return std::min(1.0, std::pow(10.0, hundredthsDb / 2000.0));
}

std::optional<float> attenuation(double volume)
{
    if (std::isnan(volume))
        return std::nullopt;
    if (volume <= 0)
        return kQuietestDb;
    return float(std::clamp(-20 * std::log10(volume), 0.0, double(kQuietestDb)));
}

std::optional<QString> localFile(const QString &uri)
{
    const QUrl url(uri);
    if (!url.isValid() || !url.isLocalFile())
        return std::nullopt;
    // Another machine's file would be opened as a folder of this one's root.
    if (!url.host().isEmpty() && url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString path = url.path(QUrl::FullyDecoded);
    if (!path.startsWith(QLatin1Char('/')) || path.contains(QChar(0)))
        return std::nullopt;
    return path;
}

}  // namespace MediaControlValues
