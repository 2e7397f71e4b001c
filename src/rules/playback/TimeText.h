#pragma once
// Position texts of the panel: the "HH:MM:SS" form of a time and the tracker's message line.
#include <QString>

namespace TimeText {

// Seconds as "HH:MM:SS", each part at least two digits. It takes the seconds by reference and leaves
// them without their whole seconds, as callers of the panel's maketime have always seen; pass a copy.
QString maketime(double &timevalue);

// The tracker's message: "TIME: " + time or "FRAME: " + count, elapsed from the start or remaining to
// the end. `pos` and `duration` are frames; a frame rate of 0 (nothing measured) counts as time 0.
QString positionText(double pos, double duration, double fps, bool remaining, bool frames);

}  // namespace TimeText
