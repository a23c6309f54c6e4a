#pragma once
// Rounding used everywhere in the program: to the nearest integer, halves away from zero,
// saturating at the int limits. NaN gives 0 (a defined value, never undefined behaviour).
#include <cmath>
#include <limits>

inline int RoundToInt(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = std::round(x);  // halves away from zero, exact for every double
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
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
