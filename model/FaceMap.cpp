#include "model/FaceMap.h"

#include <cmath>

namespace {

// Far above the rounding of the products (a few 1e-16) and of IsLit's azimuth and altitude.
constexpr double kEdge = 1e-12;

double Dot(const FaceMap::Row& row, const HorizontalVector& p)
{
    return row[0] * p.x + row[1] * p.y + row[2] * p.z;
}

}  // namespace

FaceMap::Light FaceMap::LightOf(const HorizontalVector& p, bool aboveHorizonOnly) const
{
    double margin = Dot(facing, p) - minFacing;
    if (minFacingPerCosAltitude != 0.0)
        margin -= minFacingPerCosAltitude * std::sqrt(p.x * p.x + p.y * p.y);
    if (!(margin >= -kEdge))
        return Light::Unlit;
    bool sure = margin > kEdge;
    if (aboveHorizonOnly && horizonApplies) {
        if (p.z < -kEdge)
            return Light::Unlit;
        sure = sure && p.z > kEdge;
    }
    return sure ? Light::Lit : Light::Unsure;
}

void FaceMap::Shadow(const HorizontalVector& p, double& u, double& v, double& facingDot) const
{
    facingDot = Dot(facing, p);
    u = Dot(right, p) / facingDot;
    v = Dot(up, p) / facingDot;
}

FaceMap FaceMap::OfPlane(double sinDeclination, double cosDeclination, double sinInclination,
                         double cosInclination, double styleHeightMm, double hemisphereSign)
{
    // In the face's frame the sun is (sin(Az - D) cos(alt), cos(Az - D) cos(alt), sin(alt)),
    // tipped by the inclination about the face's horizontal.
    const double s = hemisphereSign * styleHeightMm;
    const double h = styleHeightMm;
    FaceMap map;
    map.right = {s * cosDeclination, -s * sinDeclination, 0.0};
    map.up = {h * cosInclination * sinDeclination, h * cosInclination * cosDeclination, -h * sinInclination};
    map.facing = {sinInclination * sinDeclination, sinInclination * cosDeclination, cosInclination};
    return map;
}
