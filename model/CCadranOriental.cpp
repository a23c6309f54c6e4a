#include "model/CCadranOriental.h"

#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialMarks.h"
#include "model/PlaneDialNames.h"
#include "model/Rounding.h"

#include <cmath>

using namespace planedial;

HV_IMPLEMENT_SERIAL(CCadranOriental, CCadran, 1)

CCadranOriental::CCadranOriental()
{
    typeCode = 3;
    planeAngle1 = -kHalfPi;
    planeAngle2 = kHalfPi;
    styleHeight = 20;
    anchorPercentX = 25;
    anchorPercentY = 25;
    labelsAtInnerEnd = 1;
}

void CCadranOriental::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    text = UpperCasedIf(longName ? GetTranslatedString(403) : GetTranslatedString(410), upperCase);
}

void CCadranOriental::SetSite(double latitudeDeg, double longitudeDeg, double zoneHours)
{
    CCadran::SetSite(latitudeDeg, longitudeDeg, zoneHours);
    // The hour lines spread towards the equator side: in the south that is the right.
    SetStyleAnchorPercent(latitude < 0.0 ? 75 : 25, anchorPercentY);
}

void CCadranOriental::ProjectMm(double azimuth, double altitude, double& u, double& v) const
{
    if (azimuth == 0.0) {
        u = 0.0;
        v = 0.0;
        return;
    }
    const double h = styleHeight;
    u = -HemisphereSign(*this) * h / std::tan(azimuth);
    v = h * std::tan(altitude) / std::sin(azimuth);
}

bool CCadranOriental::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    if (!(azimuth > -(kPi - kWallEdge) && azimuth < -kWallEdge))
        return false;
    return !aboveHorizonOnly || altitude > 0.0;
}

bool CCadranOriental::GetFaceMap(FaceMap& map) const
{
    if (!IsExactly<CCadranOriental>(*this))
        return false;
    map = WallFaceMap(*this, -1.0, 0.0);
    return true;
}

void CCadranOriental::GetCentreOffset(int& dx, int& dy) const
{
    dx = 0;
    dy = 0;
}

double CCadranOriental::GetStyleLength(bool& truncate, double& endHeight) const
{
    truncate = true;
    endHeight = styleHeight;
    return styleLimit;
}

bool CCadranOriental::GetCentre(int& x, int& y, bool /*truncate*/, bool inTenths) const
{
    const double c = GetCentreAngle();
    const double length = styleLimit * scale;
    if (inTenths) {
        x = RoundToInt(10.0 * std::cos(c) * -length);
        y = RoundToInt(-(10.0 * std::sin(c) * length));
    } else {
        x = RoundToInt(pixelsPerMmX * std::cos(c) * -length);
        y = RoundToInt(pixelsPerMmY * std::sin(c) * length);
    }
    return false;
}

double CCadranOriental::GetCentreAngle() const
{
    return latitude * kDegToRad;
}

void CCadranOriental::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawParallelStyle(*this, dc, ax, ay, /*west=*/false);
}
