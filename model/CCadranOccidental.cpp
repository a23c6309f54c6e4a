#include "model/CCadranOccidental.h"

#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialMarks.h"
#include "model/PlaneDialNames.h"
#include "model/Rounding.h"

#include <cmath>

using namespace planedial;

HV_IMPLEMENT_SERIAL(CCadranOccidental, CCadran, 1)

CCadranOccidental::CCadranOccidental()
{
    typeCode = 4;
    planeAngle1 = kHalfPi;
    planeAngle2 = kHalfPi;
    styleHeight = 20;
    anchorPercentX = 75;
    anchorPercentY = 25;
    labelsAtInnerEnd = 0;
}

void CCadranOccidental::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    text = UpperCasedIf(longName ? GetTranslatedString(404) : GetTranslatedString(411), upperCase);
}

void CCadranOccidental::SetSite(double latitudeDeg, double longitudeDeg, double zoneHours)
{
    CCadran::SetSite(latitudeDeg, longitudeDeg, zoneHours);
    // The hour lines spread towards the equator side: in the south that is the left.
    SetStyleAnchorPercent(latitude < 0.0 ? 25 : 75, anchorPercentY);
}

void CCadranOccidental::ProjectMm(double azimuth, double altitude, double& u, double& v) const
{
    if (azimuth == 0.0) {
        u = 0.0;
        v = 0.0;
        return;
    }
    const double h = styleHeight;
    u = -HemisphereSign(*this) * h / std::tan(azimuth);
    v = -h * std::tan(altitude) / std::sin(azimuth);
}

bool CCadranOccidental::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    if (!(azimuth > kWallEdge && azimuth < kPi - kWallEdge))
        return false;
    return !aboveHorizonOnly || altitude > 0.0;
}

bool CCadranOccidental::GetFaceMap(FaceMap& map) const
{
    if (!IsExactly<CCadranOccidental>(*this))
        return false;
    map = WallFaceMap(*this, 1.0, 0.0);
    return true;
}

void CCadranOccidental::GetCentreOffset(int& dx, int& dy) const
{
    dx = 0;
    dy = 0;
}

double CCadranOccidental::GetStyleLength(bool& truncate, double& endHeight) const
{
    truncate = true;
    endHeight = styleHeight;
    return styleLimit;
}

bool CCadranOccidental::GetCentre(int& x, int& y, bool /*truncate*/, bool inTenths) const
{
    const double c = GetCentreAngle();
    const double length = styleLimit * scale;
    if (inTenths) {
        x = RoundToInt(10.0 * std::cos(c) * length);
        y = RoundToInt(10.0 * std::sin(c) * length);
    } else {
        x = RoundToInt(pixelsPerMmX * std::cos(c) * length);
        y = RoundToInt(-(pixelsPerMmY * std::sin(c) * length));
    }
    return false;
}

double CCadranOccidental::GetCentreAngle() const
{
    return (180.0 - latitude) * kDegToRad;
}

void CCadranOccidental::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawParallelStyle(*this, dc, ax, ay, /*west=*/true);
}
