#include "model/CCadranEstOuest.h"

#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialMarks.h"
#include "model/PlaneDialNames.h"
#include "model/Rounding.h"

#include <cmath>

using namespace planedial;

CCadranEstOuest::CCadranEstOuest(bool west) : west_(west)
{
    typeCode = west ? 4 : 3;
    planeAngle1 = Mirror() * kHalfPi;
    planeAngle2 = kHalfPi;
    styleHeight = 20;
    anchorPercentX = west ? 75 : 25;
    anchorPercentY = 25;
    labelsAtInnerEnd = west ? 0 : 1;
}

void CCadranEstOuest::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    const int id = west_ ? (longName ? 404 : 411) : (longName ? 403 : 410);
    text = UpperCasedIf(GetTranslatedString(id), upperCase);
}

void CCadranEstOuest::SetSite(double latitudeDeg, double longitudeDeg, double zoneHours)
{
    CCadran::SetSite(latitudeDeg, longitudeDeg, zoneHours);
    // The hour lines spread towards the equator side: in the south that is the left on the
    // west wall, the right on the east wall.
    SetStyleAnchorPercent((latitude < 0.0) == west_ ? 25 : 75, anchorPercentY);
}

void CCadranEstOuest::ProjectMm(double azimuth, double altitude, double& u, double& v) const
{
    if (azimuth == 0.0) {
        u = 0.0;
        v = 0.0;
        return;
    }
    const double h = styleHeight;
    u = -HemisphereSign(*this) * h / std::tan(azimuth);
    v = -Mirror() * h * std::tan(altitude) / std::sin(azimuth);
}

bool CCadranEstOuest::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    // The east wall sees the mirror image of the west wall's half of the sky.
    const double mirrored = west_ ? azimuth : -azimuth;
    if (!(mirrored > kWallEdge && mirrored < kPi - kWallEdge))
        return false;
    return !aboveHorizonOnly || altitude > 0.0;
}

bool CCadranEstOuest::WallMap(FaceMap& map) const
{
    map = WallFaceMap(*this, Mirror(), 0.0);
    return true;
}

void CCadranEstOuest::GetCentreOffset(int& dx, int& dy) const
{
    dx = 0;
    dy = 0;
}

double CCadranEstOuest::GetStyleLength(bool& truncate, double& endHeight) const
{
    truncate = true;
    endHeight = styleHeight;
    return styleLimit;
}

bool CCadranEstOuest::GetCentre(int& x, int& y, bool /*truncate*/, bool inTenths) const
{
    const double c = GetCentreAngle();
    // The east wall takes the other end of its style.
    const double length = Mirror() * styleLimit * scale;
    if (inTenths) {
        x = RoundToInt(10.0 * std::cos(c) * length);
        y = RoundToInt(10.0 * std::sin(c) * length);
    } else {
        x = RoundToInt(pixelsPerMmX * std::cos(c) * length);
        y = RoundToInt(-(pixelsPerMmY * std::sin(c) * length));
    }
    return false;
}

double CCadranEstOuest::GetCentreAngle() const
{
    return (west_ ? 180.0 - latitude : latitude) * kDegToRad;
}

void CCadranEstOuest::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawParallelStyle(*this, dc, ax, ay, west_);
}
