#include "model/CCadranMeridional.h"

#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"
#include "model/PlaneDialMarks.h"
#include "model/PlaneDialNames.h"
#include "model/Rounding.h"

#include <cmath>

using namespace planedial;

HV_IMPLEMENT_SERIAL(CCadranMeridional, CCadran, 1)

namespace {

// At a pole the polar style lies in the face: its centre is taken at the style limit.
bool AtPole(const CCadran& dial)
{
    return std::fabs(dial.latitude) == 90.0;
}

}  // namespace

CCadranMeridional::CCadranMeridional()
{
    typeCode = 2;
    planeAngle1 = 0.0;
    planeAngle2 = kHalfPi;
    anchorPercentX = 50;
    anchorPercentY = 25;
    labelsAtInnerEnd = 0;
}

void CCadranMeridional::GetTypeName(std::string& text, bool longName, bool upperCase) const
{
    // The southern face looks north: some languages name it differently.
    if (latitude < 0.0)
        text = longName ? GetTranslatedString(416) : GetTranslatedString(417);
    else
        text = longName ? GetTranslatedString(402) : GetTranslatedString(409);
    text = UpperCasedIf(text, upperCase);
}

void CCadranMeridional::ProjectMm(double azimuth, double altitude, double& u, double& v) const
{
    const double h = styleHeight;
    u = HemisphereSign(*this) * h * std::tan(azimuth);
    v = -h * std::tan(altitude) / std::cos(azimuth);
}

bool CCadranMeridional::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    constexpr double kEdge = kHalfPi - kWallEdge;
    if (!(azimuth > -kEdge && azimuth < kEdge))
        return false;
    return !aboveHorizonOnly || altitude >= 0.0;
}

bool CCadranMeridional::GetFaceMap(FaceMap& map) const
{
    if (!IsExactly<CCadranMeridional>(*this))
        return false;
    map = WallFaceMap(*this, 0.0, 1.0);
    return true;
}

void CCadranMeridional::GetCentreOffset(int& dx, int& dy) const
{
    dx = 0;
    if (AtPole(*this))
        dy = RoundToInt(10.0 * styleLimit);
    else
        dy = RoundToInt(10.0 * styleHeight * std::tan(AbsLatitudeRad(*this)));
}

double CCadranMeridional::GetStyleLength(bool& truncate, double& endHeight) const
{
    const double tanPhi = std::tan(AbsLatitudeRad(*this));
    return CutStyleLength(*this, styleHeight * tanPhi, styleHeight - styleLimit / tanPhi, truncate, endHeight);
}

bool CCadranMeridional::GetCentre(int& x, int& y, bool truncate, bool inTenths) const
{
    const double limit = styleLimit * scale;
    double f = std::tan(AbsLatitudeRad(*this)) * styleHeight * scale;
    if (AtPole(*this) || (truncate && styleTruncation != 0 && limit < f))
        f = limit;
    // Straight above the foot.
    CentreToDial(*this, 0.0, f, x, y, inTenths);
    return true;
}

void CCadranMeridional::DrawSpecific(gdi::DC& dc, int ax, int ay)
{
    DrawStyleFootAndCentre(*this, dc, ax, ay, MarkLayout::Meridional);
}
