#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>
#include <type_traits>

// The rounding rules of the worksheet arithmetic, inline: a worksheet rounds
// some sixty times, and the library calls cost more than the arithmetic.
// Each gives bit for bit what the C library's nearbyint or round gives in
// the default rounding mode (nearest, ties to even).
namespace GuidelineRounding {

// From this magnitude on every float (2^23) or double (2^52) is whole.
template <typename Real>
constexpr Real kNoFraction = Real(quint64(1) << (std::numeric_limits<Real>::digits - 1));

// Nearest whole float or double, ties to even. Below kNoFraction adding and
// taking it away leaves no fraction bits, so the addition itself rounds.
// Adding 0 quiets a NaN as the library does.
template <typename Real>
inline Real nearestEven(Real value)
{
    static_assert(std::is_same_v<Real, float> || std::is_same_v<Real, double>, "float or double");
    const Real magnitude = std::fabs(value);
    if (!(magnitude < kNoFraction<Real>))
        return value + Real(0);
    return std::copysign((magnitude + kNoFraction<Real>) - kNoFraction<Real>, value);
}

// Nearest whole float, halves away from zero (std::round).
inline float halfAwayFromZero(float value)
{
    const float magnitude = std::fabs(value);
    if (!(magnitude < kNoFraction<float>))
        return value + 0.0f;
    float whole = nearestEven(magnitude);
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
    const float magnitude = std::fabs(value);
    if (magnitude < kNoFraction<float>) {
        const qint64 whole = static_cast<qint64>(nearestEven(magnitude));
        return value < 0 ? -whole : whole;
    }
    return toAmount(value); // whole already, or out of range, or NaN
}

} // namespace GuidelineRounding
