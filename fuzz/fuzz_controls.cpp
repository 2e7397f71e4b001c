// What the desktop's media controls send, whatever it is: times never overflow, a position outside
// the movie is refused, a seek stays inside the movie and moves the way it was asked, a volume stays
// on the slider and comes back, and only an absolute path of this machine is opened.
#include "desktop/MediaControlValues.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

using namespace MediaControlValues;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const double fps = in.ConsumeBool() ? in.ConsumeFloatingPoint<double>() : in.ConsumeFloatingPointInRange(1.0, 120.0);
    const double duration = in.ConsumeBool() ? in.ConsumeFloatingPoint<double>() : in.ConsumeFloatingPointInRange(0.0, 1e7);
    const double frame = in.ConsumeBool() ? in.ConsumeFloatingPoint<double>() : in.ConsumeFloatingPointInRange(0.0, duration > 0 ? duration : 1);
    const auto us = in.ConsumeIntegral<qint64>();
    const auto offset = in.ConsumeIntegral<qint64>();
    const int engineVolume = in.ConsumeIntegral<int>();
    const double volume = in.ConsumeFloatingPoint<double>();
    const std::string uri = in.ConsumeRemainingBytesAsString();

    (void)microseconds(frame, fps);
    const bool rate = std::isfinite(fps) && fps > 0;
    if (const auto at = frameAt(us, fps, duration))
        PROPERTY(rate && *at >= 0 && *at <= duration);
    const auto target = seekTarget(frame, offset, fps, duration);
    PROPERTY(target.has_value() == rate);
    if (target) {
        const double end = std::isfinite(duration) ? std::max(0.0, duration) : 0.0;
        PROPERTY(*target >= 0 && *target <= end);
        // Forward never lands before the start place, back never after it, where that place is inside.
        if (std::isfinite(frame) && frame >= 0 && frame <= end)
            PROPERTY(offset >= 0 ? *target >= frame : *target <= frame);
    }

    const double a = amplitude(engineVolume);
    PROPERTY(a >= 0 && a <= 1);
    if (const auto db = attenuation(volume)) {
        PROPERTY(*db >= 0 && *db <= 99.99f);
        if (volume >= 1)
            PROPERTY(*db == 0);
    } else {
        PROPERTY(std::isnan(volume));
    }
    // The slider's decibels travel to the desktop and back within a hundredth.
    if (engineVolume > -10000 && engineVolume <= 0) {
        const auto db = attenuation(a);
        PROPERTY(db && std::fabs(*db * 100 + engineVolume) <= 1);
    }

    const QString text = QString::fromUtf8(uri.data(), qsizetype(uri.size()));
    if (const auto file = localFile(text)) {
        PROPERTY(file->startsWith(QLatin1Char('/')) && !file->contains(QChar(0)));
        PROPERTY(text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive));
    }
    return 0;
}
