#pragma once
// Rounding used everywhere in the program: to the nearest integer, halves away from zero,
// saturating at the int limits. NaN gives 0 (a defined value, never undefined behaviour).
#include <cmath>
#include <limits>

inline int RoundToInt(double x)
{
    // The drawing rounds every point it projects: without a call into the maths library.
    // Within this range the truncation and the fraction it leaves are both exact.
    if (x > -2147483649.0 && x < 2147483648.0) {
        const long long whole = static_cast<long long>(x);
        const double fraction = x - static_cast<double>(whole);
        const long long r = whole + (fraction >= 0.5 ? 1 : 0) - (fraction <= -0.5 ? 1 : 0);
        if (r > std::numeric_limits<int>::max())
            return std::numeric_limits<int>::max();
        if (r < std::numeric_limits<int>::min())
            return std::numeric_limits<int>::min();
        return static_cast<int>(r);
    }
    if (std::isnan(x))
        return 0;
    return x > 0.0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
}

// Truncation toward zero with the same saturation and NaN rule (the program's "(int)x").
inline int TruncToInt(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (x <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(x);
}
