#include "model/CCadranCylindriqueDeBerger.h"

#include "model/TrueSunAngles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

HV_IMPLEMENT_SERIAL(CCadranCylindriqueDeBerger, CCadranCylindrique, 1)

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kMaxSheetAltitude = 85.0 * kPi / 180.0;
}

CCadranCylindriqueDeBerger::CCadranCylindriqueDeBerger()
{
    planeAngle1 = 0.0;
    planeAngle2 = 90.0;
    styleMarkingAllowed = 1;
    prefs.sunAboveHorizon = 1;
    localSolarTime = 1;
    radius = 50.0;
    typeCode = 33;
    SetStyleAnchorPercent(50, 10);
    styleHeight = 50;
    prefs.diurnalArcs = 0;
}

void CCadranCylindriqueDeBerger::Serialize(Archive& ar)
{
    if (ar.Context().oldFormat) {
        CCadranCylindrique::Serialize(ar);
        return;
    }
    if (ar.IsLoading())
        ar.GetObjectSchema();
    ar.SerializeClass(CCadranCylindrique::ClassInfoOf());
    CCadranCylindrique::Serialize(ar);
}

void CCadranCylindriqueDeBerger::Project(double azimuth, double altitude, int& x, int& y, bool toDevice,
                                         bool inTenths) const
{
    double t = 0.0;
    double declination = 0.0;
    HorizontalToEquatorial(azimuth, altitude, t, declination);
    const double u = declination * radius;
    const double w = std::tan(altitude) * styleHeight;  // down from the style
    if (toDevice) {
        x = RoundToInt(u * scale * pixelsPerMmX);
        y = RoundToInt(w * scale * pixelsPerMmY);
    } else {
        const double f = inTenths ? 10.0 : 100.0;
        x = RoundToInt(f * u);
        y = RoundToInt(-f * w);
    }
}

bool CCadranCylindriqueDeBerger::IsLit(double /*azimuth*/, double altitude, bool aboveHorizonOnly) const
{
    return !aboveHorizonOnly || altitude > 0.0;
}

void CCadranCylindriqueDeBerger::ComputeSheetSize()
{
    width = SaturatingAdd(RoundToInt(kPi * radius), 20);
    const double highestNoon = GetObliquity() + kPi / 2.0 - std::fabs(latitudeRad);
    const double altitude = std::min(highestNoon, kMaxSheetAltitude);
    height = std::max(40, SaturatingAdd(RoundToInt(std::tan(altitude) * styleHeight), 40));
}

double CCadranCylindriqueDeBerger::ColumnOffset(double row) const
{
    return (row - 34.0) * radius * scale * pixelsPerMmX * kPi / 72.0;
}
