#pragma once
// The position track's scale: where the marker stands and whether a click may seek.
namespace Tracker {

// Whole twips from the track's left edge for a position in frames; 0 while the scale is unknown.
double markerOffset(double pos, double posPerTwip);

// A click or drag seeks only while the marker is not at the right end of the track.
bool seekAllowed(double pos, double posPerTwip, double trackWidth);

}  // namespace Tracker
