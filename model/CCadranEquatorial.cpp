#include "model/CCadranEquatorial.h"

#include "app/TextHelpers.h"
#include "app/Translation.h"
#include "model/TrueSunAngles.h"

#include <cmath>

HV_IMPLEMENT_SERIAL(CCadranEquatorial, CCadran, 1)

CCadranEquatorial::CCadranEquatorial()
{
    typeCode = 8;
    planeAngle1 = 0.0;
    planeAngle2 = 0.0;
    SetStyleAnchorPercent(50, 50);
}

CCadranEquatorial::CCadranEquatorial(int face, int code, int anchorPercentXValue, int anchorPercentYValue)
    : CCadranEquatorial()
{
    upperFace = face != 0 ? 1 : 0;
    typeCode = code;
    SetStyleAnchorPercent(anchorPercentXValue, anchorPercentYValue);
}

void CCadranEquatorial::Serialize(Archive& ar)
{
    if (ar.Context().oldFormat) {
        CCadran::Serialize(ar);
    } else {
        if (ar.IsLoading())
            ar.GetObjectSchema();
        ar.SerializeClass(CCadran::ClassInfoOf());
        CCadran::Serialize(ar);
    }
    if (ar.IsLoading())
        upperFace = typeCode == 9 ? 0 : 1;
}

void CCadranEquatorial::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    text = GetTranslatedString(longName ? (upperFace ? 407 : 418) : 414);
    if (upperCase)
        MakeUpperAccents(text);
}

void CCadranEquatorial::Project(double azimuth, double altitude, int& x, int& y, bool toDevice,
                                bool inTenths) const
{
    // Azimuth mirrored in the south, |latitude|: the southern face is the northern one seen
    // from the other pole, drawn without mirroring.
    const double az = latitude < 0.0 ? -azimuth : azimuth;
    const double absLat = std::fabs(latitudeRad);
    const double tanH = std::tan(altitude);
    const double den = tanH * std::sin(absLat) - std::cos(absLat) * std::cos(az);
    if (std::fabs(den) < 1e-8) {
        x = 0;
        y = 0;
        return;
    }
    const double h = styleHeight;
    const double v = (tanH * std::cos(absLat) + std::cos(az) * std::sin(absLat)) * h / den;
    const double u = std::sin(az) * (upperFace ? h : -h) / den;
    if (toDevice) {
        x = RoundToInt(u * scale * pixelsPerMmX);
        y = RoundToInt(-v * scale * pixelsPerMmY);
    } else {
        const double f = inTenths ? 10.0 : 100.0;
        x = RoundToInt(f * u);
        y = RoundToInt(f * v);
    }
}

bool CCadranEquatorial::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    if (aboveHorizonOnly && altitude < 0.0005)
        return false;
    double hourAngle = 0.0;
    double declination = 0.0;
    TrueEquatorialOfSun(azimuth, altitude, latitude, hourAngle, declination);
    const bool north = latitudeRad > 0.0;
    // The face towards the north celestial pole sees the sun while it is north of the equator.
    const bool facesNorthPole = (upperFace != 0) == north;
    return facesNorthPole ? declination > 0.0 : declination < 0.0;
}

bool CCadranEquatorial::GetCentre(int& x, int& y, bool /*truncate*/, bool /*inTenths*/) const
{
    x = 0;
    y = 0;
    return true;
}

bool CCadranEquatorial::ProjectTableEntry(int monthIndex, int dayIndex, int step, int& x, int& y) const
{
    x = 0;
    y = 0;
    const int row = monthIndex * 6 + dayIndex;
    if (row < 0 || row >= kDateRows || step < 0 || step >= kSteps)
        return false;
    const double az = azimuthByDate[row][step];
    const double alt = altitudeByDate[row][step];
    if (!IsLit(az, alt, prefs.sunAboveHorizon != 0))
        return false;
    Project(az, alt, x, y, true, true);
    return true;
}
