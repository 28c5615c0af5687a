#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>

// The rounding rules of the worksheet arithmetic, inline: a worksheet rounds
// some sixty times, and the library calls cost more than the arithmetic.
// Each gives bit for bit what the C library's nearbyint or round gives in
// the default rounding mode (nearest, ties to even).
namespace GuidelineRounding {

// Nearest whole float, ties to even. Below 2^23 adding and taking away 2^23
// leaves no fraction bits, so the addition itself rounds; from 2^23 on every
// float is whole already. Adding 0 quiets a NaN as the library does.
inline float nearestEven(float value)
{
    constexpr float noFraction = 8388608.0f; // 2^23
    const float magnitude = std::fabs(value);
    if (!(magnitude < noFraction))
        return value + 0.0f;
    return std::copysign((magnitude + noFraction) - noFraction, value);
}

// The same for doubles, with 2^52.
inline double nearestEven(double value)
{
    constexpr double noFraction = 4503599627370496.0; // 2^52
    const double magnitude = std::fabs(value);
    if (!(magnitude < noFraction))
        return value + 0.0;
    return std::copysign((magnitude + noFraction) - noFraction, value);
}

// Nearest whole float, halves away from zero (std::round).
inline float halfAwayFromZero(float value)
{
    constexpr float noFraction = 8388608.0f;
    const float magnitude = std::fabs(value);
    if (!(magnitude < noFraction))
        return value + 0.0f;
    float whole = (magnitude + noFraction) - noFraction;
    // Exact: both are below 2^23 and at most a half apart.
    if (magnitude - whole == 0.5f)
        whole += 1.0f;
    return std::copysign(whole, value);
}

// A whole number held in a float or double as an amount: NaN gives 0, and
// values beyond the 64-bit range stop at its ends.
template <typename Real>
inline qint64 toAmount(Real whole)
{
    if (std::isnan(whole))
        return 0;
    if (whole >= Real(9.223372036854775807e18))
        return std::numeric_limits<qint64>::max();
    if (whole <= Real(-9.223372036854775807e18))
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(whole);
}

// "round" of the worksheets: the operand as a 32-bit float, nearest with
// ties to even, as an amount; the same as toAmount(nearestEven(value)).
inline qint64 roundFloat(float value)
{
    constexpr float noFraction = 8388608.0f; // 2^23
    const float magnitude = std::fabs(value);
    if (magnitude < noFraction) {
        const qint64 whole = static_cast<qint64>((magnitude + noFraction) - noFraction);
        return value < 0 ? -whole : whole;
    }
    return toAmount(value); // whole already, or out of range, or NaN
}

} // namespace GuidelineRounding
