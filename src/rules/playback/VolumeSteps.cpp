#include "playback/VolumeSteps.h"

#include "numbers/basic_numbers.h"

#include <algorithm>
#include <cmath>

namespace VolumeSteps {

using basic_numbers::roundEven;

double volStep(double sliderHeight)
{
    return sliderHeight / 102;
}

float attenuation(double y, double volStep)
{
    return static_cast<float>(y / volStep);
}

bool setsVolume(float db)
{
    return db < 100;
}

int engineVolume(float db)
{
    return static_cast<int>(std::clamp(roundEven(-100.0 * db), -10000.0, 0.0));
}

static double decibels(int volume)
{
    return std::fabs(roundEven(volume / 100.0));
}

double upY(int volume, double volStep)
{
    return roundEven(std::max(0.0, decibels(volume) * volStep - 50));
}

double downY(int volume, double volStep, double sliderHeight)
{
    return roundEven(std::min(sliderHeight, decibels(volume) * volStep + 50));
}

Mutes toggleMute(Mutes now, bool audioSeparate)
{
    if (now.video && now.audio) {
        if (audioSeparate)
            now.audio = false;
        else
            now.video = false;
        return now;
    }
    return {true, true};
}

}  // namespace VolumeSteps
