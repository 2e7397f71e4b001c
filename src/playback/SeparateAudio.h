#pragma once
// Keeps a separate audio file in step with the movie. Only whole seconds are compared, so a drift that
// leaves both positions in the same rounded second is left alone.
class MediaEngine;

namespace SeparateAudio {

// True when the audio position and the target (seconds) round, halves to even, to different seconds.
bool needsRealign(double audioSeconds, double targetSeconds);

// One tick of the subtitle timer: while the movie is past its start, a separate audio file plays and
// the frame rate is known, moves `audio` to the movie's position in seconds when it has drifted.
// Returns whether it moved the audio.
bool realign(const MediaEngine &movie, MediaEngine &audio, double videoFps, bool audioSeparate);

}  // namespace SeparateAudio
