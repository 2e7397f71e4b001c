#include "playback/TimeText.h"

#include "numbers/basic_numbers.h"

#include <cmath>

namespace TimeText {

namespace {
// At least two digits; the sign stays in front of the padding.
QString twoDigits(double v)
{
    const QString digits = QString::number(std::fabs(v), 'f', 0).rightJustified(2, QLatin1Char('0'));
    return v < 0 ? QLatin1Char('-') + digits : digits;
}
}  // namespace

QString maketime(double &timevalue)
{
    using namespace basic_numbers;
    const double s = static_cast<double>(intMod(timevalue, 60));
    timevalue -= s;
    const double h = static_cast<double>(intDiv(timevalue, 3600));
    const double m = roundEven(timevalue / 60 - h * 60);
    return twoDigits(h) + QLatin1Char(':') + twoDigits(m) + QLatin1Char(':') + twoDigits(s);
}

QString positionText(double pos, double duration, double fps, bool remaining, bool frames)
{
    const double value = remaining ? duration - pos : pos;
    if (frames)
        return QStringLiteral("FRAME: ") + basic_numbers::shortText(value);
    double seconds = fps > 0 ? value / fps : 0;
    return QStringLiteral("TIME: ") + maketime(seconds);
}

}  // namespace TimeText
