#pragma once
// The numbers and addresses the desktop's media controls send, turned into the player's own: times in
// microseconds to frames and back, the desktop's volume (an amplitude, 1 is full) to the slider's
// decibels and back, a URI to a local file. Whatever arrives, the result stays in range: a time never
// overflows, a seek never leaves the movie, a volume never leaves the slider.
#include <QString>
#include <QtGlobal>
#include <optional>

namespace MediaControlValues {

// Microseconds from the start for `frame` at `fps` frames a second, rounded, within qint64; 0 when the
// rate is unknown.
qint64 microseconds(double frame, double fps);

// The frame a position asks for; nothing without a rate or for a place outside 0 .. the last frame.
std::optional<double> frameAt(qint64 positionUs, double fps, double durationFrames);

// Where a seek by `offsetUs` from `frame` lands: held at the movie's start or end; nothing without a
// rate.
std::optional<double> seekTarget(double frame, qint64 offsetUs, double fps, double durationFrames);

// The desktop's volume for the engine's volume in hundredths of a decibel: 0 at the quietest the
// slider sets, 1 at full.
double amplitude(int hundredthsDb);

// The slider's attenuation for a desktop volume: 0 dB at 1 or more, the quietest place (99.99 dB) at
// 0 or less; nothing for a value that is no number.
std::optional<float> attenuation(double volume);

// The local file a URI names: a file: URI of this machine (no host, or localhost) with an absolute
// path; nothing for any other.
std::optional<QString> localFile(const QString &uri);

}  // namespace MediaControlValues
