#include "playback/Tracker.h"

#include "numbers/basic_numbers.h"

#include <cmath>

namespace Tracker {

double markerOffset(double pos, double posPerTwip)
{
    // A clip of no length gives no scale; the marker then stays at the left edge.
    if (!(posPerTwip > 0) || !std::isfinite(posPerTwip))
        return 0;
    return basic_numbers::roundEven(pos / posPerTwip);
}

bool seekAllowed(double pos, double posPerTwip, double trackWidth)
{
    return markerOffset(pos, posPerTwip) != trackWidth;
}

}  // namespace Tracker
