#include "model/CCadranVerticalQcqSept.h"

#include "model/PlaneDialGeometry.h"
#include "model/Rounding.h"

#include <cmath>

using namespace planedial;

HV_IMPLEMENT_SERIAL(CCadranVerticalQcqSept, CCadranVerticalQcq, 1)

// Created by class name when a document is read: the stored type code replaces this one.
CCadranVerticalQcqSept::CCadranVerticalQcqSept() = default;

CCadranVerticalQcqSept::CCadranVerticalQcqSept(double declination) : CCadranVerticalQcq(declination)
{
    typeCode = 7;
    // Until SetSite knows the hemisphere, place the foot as for the default (northern) site.
    if (std::fabs(declination) < kPi)
        anchorPercentX = 50 + RoundToInt(declination * 25.0 / kHalfPi);
}

void CCadranVerticalQcqSept::Serialize(Archive& ar)
{
    SerializeWithParent<CCadranVerticalQcq>(*this, ar);
}

bool CCadranVerticalQcqSept::IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const
{
    // Azimuths run over (-pi, pi]: the half-plane in front of the wall straddles the seam.
    const double d = planeAngle1;
    bool facing = false;
    if (d > 0.0)
        facing = azimuth > d - kHalfPi + kWallEdge || azimuth < d - 3.0 * kHalfPi - kWallEdge;
    else
        facing = azimuth < d + kHalfPi - kWallEdge || azimuth > d + 3.0 * kHalfPi + kWallEdge;
    if (!facing)
        return false;
    return !aboveHorizonOnly || altitude > 0.0;
}

bool CCadranVerticalQcqSept::GetFaceMap(FaceMap& map) const
{
    if (!IsExactly<CCadranVerticalQcqSept>(*this))
        return false;
    // IsLit's two azimuth ranges join across the seam into the face's half turn only when
    // the wall looks at least the margin beyond a quarter turn, and at most half a turn.
    const double d = std::fabs(planeAngle1);
    if (!(d >= kHalfPi + kWallEdge && d <= kPi))
        return false;
    map = WallFaceMap(*this, std::sin(planeAngle1), std::cos(planeAngle1));
    return true;
}
