#include "playback/RateSteps.h"

#include "numbers/basic_numbers.h"

#include <algorithm>
#include <cmath>

namespace RateSteps {

using namespace basic_numbers;

int stepHeight(double sliderHeight)
{
    return static_cast<int>(intDiv(sliderHeight, 11));
}

int indexFromY(double y, int stepH)
{
    // The last few twips of the slider would give one step past the table's end.
    return static_cast<int>(std::clamp<long long>(intDiv(y, stepH), 0, lastIndex));
}

int nearestIndex(std::span<const double> rates, double rate)
{
    int best = 0;
    for (int i = 1; i < int(rates.size()); ++i) {
        if (std::fabs(rates[size_t(i)] - rate) < std::fabs(rates[size_t(best)] - rate))
            best = i;
    }
    return best;
}

QString caption(double rate)
{
    return QStringLiteral("RATE:") + localText(rate) + QLatin1Char('x');
}

bool enginePlays(double rate)
{
    return rate > 0 && rate <= 2;
}

bool timerDriven(int rateIndex)
{
    return rateIndex > 6 || rateIndex < 2;
}

Tick tick(double pos, double fps, double rate, double duration)
{
    const double f = roundEven(fps);
    const double start = static_cast<double>(intDiv(pos, fps)) * f;
    const double step = std::fabs(rate) * f;
    if (rate < 0) {
        if (start - step >= 0)
            return {start - step, false};
        return {0, true};
    }
    if (start + step <= duration)
        return {start + step, false};
    return {duration, true};
}

}  // namespace RateSteps
