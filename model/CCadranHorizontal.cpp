#include "model/CCadranHorizontal.h"

#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialMarks.h"
#include "model/PlaneDialNames.h"
#include "model/Rounding.h"

#include <cmath>

using namespace planedial;

HV_IMPLEMENT_SERIAL(CCadranHorizontal, CCadran, 1)

namespace {

// Below one degree of latitude the style is nearly flat and its centre far away: the
// sub-style is always cut at the style limit.
bool NearEquator(const CCadran& dial)
{
    return std::fabs(dial.latitude) < 1.0;
}

// Below this altitude (radians) the shadow runs off any sheet.
constexpr double kLowestAltitude = 0.005;

}  // namespace

CCadranHorizontal::CCadranHorizontal()
{
    typeCode = 1;
    planeAngle1 = 0.0;
    planeAngle2 = 0.0;
    anchorPercentX = 50;
    anchorPercentY = 70;
}

void CCadranHorizontal::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    text = UpperCasedIf(longName ? GetTranslatedString(401) : GetTranslatedString(408), upperCase);
}

void CCadranHorizontal::ProjectMm(double azimuth, double altitude, double& u, double& v) const
{
    const double h = styleHeight;
    const double t = std::tan(altitude);
    u = HemisphereSign(*this) * h * std::sin(azimuth) / t;
    v = h * std::cos(azimuth) / t;
}

bool CCadranHorizontal::IsLit(double /*azimuth*/, double altitude, bool /*aboveHorizonOnly*/) const
{
    return altitude >= kLowestAltitude;
}

bool CCadranHorizontal::GetFaceMap(FaceMap& map) const
{
    if (!IsExactly<CCadranHorizontal>(*this))
        return false;
    map = FaceMap::OfPlane(0.0, 1.0, 0.0, 1.0, styleHeight, HemisphereSign(*this));
    map.minFacing = std::sin(kLowestAltitude);
    // The lowest altitude stands for the horizon whatever the caller asks.
    map.horizonApplies = false;
    return true;
}

void CCadranHorizontal::GetCentreOffset(int& dx, int& dy) const
{
    dx = 0;
    // Near the equator the centre is taken at the style limit, as GetCentre does, instead of
    // metres (or, on the equator, an infinity) away.
    if (NearEquator(*this))
        dy = -RoundToInt(10.0 * styleLimit);
    else
        dy = -RoundToInt(10.0 * styleHeight / std::tan(AbsLatitudeRad(*this)));
}

double CCadranHorizontal::GetStyleLength(bool& truncate, double& endHeight) const
{
    const double tanPhi = std::tan(AbsLatitudeRad(*this));
    const double cutHeight = styleHeight - tanPhi * styleLimit;
    if (NearEquator(*this)) {
        truncate = true;
        endHeight = cutHeight;
        return styleLimit;
    }
    return CutStyleLength(*this, styleHeight / tanPhi, cutHeight, truncate, endHeight);
}

bool CCadranHorizontal::GetCentre(int& x, int& y, bool truncate, bool inTenths) const
{
    const double limit = styleLimit * scale;
    double b = NearEquator(*this) ? limit : styleHeight * scale / std::tan(AbsLatitudeRad(*this));
    if (truncate && styleTruncation != 0 && b > limit)
        b = limit;
    // Straight below the foot.
    CentreToDial(*this, 0.0, -b, x, y, inTenths);
    return true;
}

void CCadranHorizontal::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawStyleFootAndCentre(*this, dc, ax, ay, MarkLayout::Horizontal);
}
