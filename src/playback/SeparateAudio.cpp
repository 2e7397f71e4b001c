#include "playback/SeparateAudio.h"

#include "platform/MediaEngine.h"
#include "platform/basic_numbers.h"

namespace SeparateAudio {

bool needsRealign(double audioSeconds, double targetSeconds)
{
    return basic_numbers::roundEven(audioSeconds) != basic_numbers::roundEven(targetSeconds);
}

bool realign(const MediaEngine &movie, MediaEngine &audio, double videoFps, bool audioSeparate)
{
    const double frames = movie.currentPosition();
    // Without a frame rate there is no time to align to (no video opened yet).
    if (!audioSeparate || !(frames > 0) || !(videoFps > 0))
        return false;
    const double target = frames / videoFps;
    if (!needsRealign(audio.currentPosition(), target))
        return false;
    audio.setCurrentPosition(target);
    return true;
}

}  // namespace SeparateAudio
