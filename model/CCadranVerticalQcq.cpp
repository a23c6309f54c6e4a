#include "model/CCadranVerticalQcq.h"

#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialMarks.h"
#include "model/PlaneDialNames.h"
#include "model/Rounding.h"

#include <cmath>

using namespace planedial;

HV_IMPLEMENT_SERIAL(CCadranVerticalQcq, CCadran, 1)

namespace {

// A face within a millionth of east or west: its centre is level with the foot.
bool FacesEastOrWest(double declination)
{
    return std::fabs(std::cos(declination)) <= 1e-6;
}

}  // namespace

CCadranVerticalQcq::CCadranVerticalQcq() : CCadranVerticalQcq(0.0) {}

CCadranVerticalQcq::CCadranVerticalQcq(double declination)
{
    typeCode = 5;
    planeAngle1 = declination;
    planeAngle2 = kHalfPi;
    anchorPercentX = 50;
    anchorPercentY = 25;
    labelsAtInnerEnd = 0;
}

void CCadranVerticalQcq::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    if (longName)
        text = GetTranslatedString(405) + " (alpha = " + DeclinationText(planeAngle1) + ")";
    else
        text = GetTranslatedString(412);
    text = UpperCasedIf(text, upperCase);
}

void CCadranVerticalQcq::SetSite(double latitudeDeg, double longitudeDeg, double zoneHours)
{
    CCadran::SetSite(latitudeDeg, longitudeDeg, zoneHours);
    const double d = planeAngle1;
    if (std::fabs(d) < kPi) {
        // A wall declining west has its centre to the left of the foot (to the right in the
        // south): leave room for the hour lines on the other side.
        const int shift = RoundToInt(d * 25.0 / kHalfPi);
        SetStyleAnchorPercent(latitude > 0.0 ? 50 + shift : 50 - shift, anchorPercentY);
    }
}

void CCadranVerticalQcq::ProjectMm(double azimuth, double altitude, double& u, double& v) const
{
    const double h = styleHeight;
    const double d = planeAngle1;
    const double cosD = std::cos(d), sinD = std::sin(d);
    const double cosAz = std::cos(azimuth), sinAz = std::sin(azimuth);
    u = HemisphereSign(*this) * h * ((cosD * sinAz - sinD * cosAz) / (cosD * cosAz + sinD * sinAz));
    v = -h * std::tan(altitude) / std::cos(azimuth - d);
}

bool CCadranVerticalQcq::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    const double d = planeAngle1;
    if (!(azimuth > d - kHalfPi + kWallEdge && azimuth < d + kHalfPi - kWallEdge))
        return false;
    return !aboveHorizonOnly || altitude > 0.0;
}

bool CCadranVerticalQcq::GetFaceMap(FaceMap& map) const
{
    return IsExactly<CCadranVerticalQcq>(*this) && WallMap(map);
}

bool CCadranVerticalQcq::WallMap(FaceMap& map) const
{
    // Beyond a quarter turn the lit azimuths of IsLit stop at the +-pi seam.
    const double d = planeAngle1;
    if (!(std::fabs(d) <= kHalfPi))
        return false;
    map = WallFaceMap(*this, std::sin(d), std::cos(d));
    return true;
}

void CCadranVerticalQcq::GetCentreOffset(int& dx, int& dy) const
{
    const double h = styleHeight;
    const double d = planeAngle1;
    dx = -RoundToInt(10.0 * h * std::tan(d));
    if (latitude < 0.0)
        dx = -dx;
    dy = FacesEastOrWest(d) ? 0 : RoundToInt(10.0 * h * std::tan(AbsLatitudeRad(*this)) / std::cos(d));
}

double CCadranVerticalQcq::GetStyleLength(bool& truncate, double& endHeight) const
{
    // b: angle between the style and the face's normal.
    double b = std::acos(std::cos(std::fabs(planeAngle1)) * std::cos(AbsLatitudeRad(*this)));
    if (b > kHalfPi)
        b = kPi - b;
    const double tanB = std::tan(b);
    return CutStyleLength(*this, styleHeight * tanB, styleHeight - styleLimit / tanB, truncate, endHeight);
}

void CCadranVerticalQcq::CentreMm(double& cx, double& cy) const
{
    const double k = scale;
    const double d = planeAngle1;
    cx = std::tan(d) * -styleHeight * k;
    if (latitude < 0.0)
        cx = -cx;
    cy = FacesEastOrWest(d) ? 0.0 : std::tan(AbsLatitudeRad(*this)) * styleHeight * k / std::cos(d);
}

double CCadranVerticalQcq::GetCentreAngle() const
{
    double cx = 0.0, cy = 0.0;
    CentreMm(cx, cy);
    return SubstyleDirection(cx, cy);
}

bool CCadranVerticalQcq::GetCentre(int& x, int& y, bool truncate, bool inTenths) const
{
    const double k = scale;
    double cx = 0.0, cy = 0.0;
    CentreMm(cx, cy);
    const double limit = styleLimit * k;
    const double r = std::hypot(cx, cy);
    if (truncate && styleTruncation != 0 && r > limit) {
        const double theta = std::atan2(cy, cx);
        cx = std::cos(theta) * limit;
        cy = std::sin(theta) * limit;
    }
    CentreToDial(*this, cx, cy, x, y, inTenths);
    return true;
}

void CCadranVerticalQcq::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawStyleFootAndCentre(*this, dc, ax, ay, MarkLayout::Other);
}
