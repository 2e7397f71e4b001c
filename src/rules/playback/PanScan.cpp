#include "playback/PanScan.h"

#include "numbers/basic_numbers.h"

namespace PanScan {

using namespace basic_numbers;

double factor(const QString &ratioText)
{
    bool ok = false;
    const double value = roundEven(ratioText.trimmed().toDouble(&ok));
    if (!ok || !(value > 0))
        return 1;
    if (value < 10)
        return 10 / value;
    return static_cast<double>(intDiv(value, 10));
}

Geometry geometry(double screenWidth, double videoAspect, double factor)
{
    const float base = static_cast<float>(screenWidth * videoAspect);
    const float width = static_cast<float>(base * factor);
    // Half the overhang, truncated toward zero, goes off each side.
    return {width, -static_cast<double>(intDiv(width - screenWidth, 2))};
}

}  // namespace PanScan
