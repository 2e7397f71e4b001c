#include "numbers/basic_numbers.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace basic_numbers {

double roundEven(double v)
{
    if (!std::isfinite(v))
        return v;
    // nearbyint honours the default rounding mode, which is to nearest with ties to even.
    return std::nearbyint(v);
}

double roundEvenTo(double v, int decimals)
{
    if (!std::isfinite(v))
        return v;
    // Go through the decimal text so that a value like 23.9765 (stored a hair below) still counts as a tie.
    const QString text = QString::number(v, 'f', decimals + 6);
    const double scale = std::pow(10.0, decimals);
    const double scaled = text.toDouble() * scale;
    const double frac = scaled - std::floor(scaled);
    double whole;
    if (std::fabs(frac - 0.5) < 1e-6)
        whole = std::fmod(std::floor(scaled), 2.0) == 0.0 ? std::floor(scaled) : std::floor(scaled) + 1.0;
    else
        whole = std::nearbyint(scaled);
    return whole / scale;
}

double framesAt(long long nanoseconds, double fps)
{
    const double thousandths = std::nearbyint(fps * 1000);
    if (!(std::fabs(thousandths) < 9e18))
        return roundEven(double(nanoseconds) / 1e9 * fps);
    // Nanoseconds times thousandths of a frame: at most 19 + 19 digits, well inside 128 bits. Hours
    // of film at any real rate fit in 64, which is the quicker.
    const auto rounded = [](auto product) {
        using Whole = decltype(product);
        constexpr Whole scale = 1000000000000;  // 1e9 ns/s x 1e3
        const Whole size = product < 0 ? -product : product;
        Whole whole = size / scale;
        const Whole rest = size % scale;
        if (rest * 2 > scale || (rest * 2 == scale && whole % 2 == 1))
            ++whole;
        return static_cast<double>(product < 0 ? -whole : whole);
    };
    const auto rate = static_cast<long long>(thousandths);
    long long product;
    if (!__builtin_mul_overflow(nanoseconds, rate, &product) && product > -(1LL << 62) && product < (1LL << 62))
        return rounded(product);
    return rounded(static_cast<__int128>(nanoseconds) * rate);
}

static long long toWhole(double v)
{
    const double r = roundEven(v);
    if (!std::isfinite(r))
        return 0;
    if (r >= 9.2e18)
        return std::numeric_limits<long long>::max();
    if (r <= -9.2e18)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(r);
}

long long intDiv(double a, double b)
{
    const long long d = toWhole(b);
    if (d == 0)
        return 0;
    return toWhole(a) / d;
}

long long intMod(double a, double b)
{
    const long long d = toWhole(b);
    if (d == 0)
        return 0;
    return toWhole(a) % d;
}

int toInt16(double v)
{
    const double r = roundEven(v);
    if (!(r > -32768.0))
        return -32768;
    if (r > 32767.0)
        return 32767;
    return static_cast<int>(r);
}

QString shortText(double v)
{
    if (v == 0.0)
        return QStringLiteral("0");
    return QString::number(v, 'g', 15);
}

QString localText(double v)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    if (v == 0.0)
        return QStringLiteral("0");
    return locale.toString(v, 'g', 15);
}

QString logItem(double v)
{
    const QString digits = shortText(std::fabs(v));
    return (v < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

}  // namespace basic_numbers
