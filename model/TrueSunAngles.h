#pragma once
// Helpers shared by the equatorial, analemmatic, bifilar and cylindrical dials.
#include "model/Astronomy.h"
#include "model/Rounding.h"

#include <limits>

// True hour angle (positive in the afternoon) and true declination (positive north) of a sun
// direction, radians, at the latitude set in the astronomy module. HorizontalToEquatorial
// gives the hemisphere-relative pair (-t, -declination) in the south; this undoes it.
inline void TrueEquatorialOfSun(double azimuth, double altitude, double latitudeDeg, double& hourAngle,
                                double& declination)
{
    HorizontalToEquatorial(azimuth, altitude, hourAngle, declination);
    if (latitudeDeg < 0.0) {
        hourAngle = -hourAngle;
        declination = -declination;
    }
}

// a + b without overflow (sheet sizes built from user-sized lengths).
inline int SaturatingAdd(int a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    if (sum > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (sum < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(sum);
}
