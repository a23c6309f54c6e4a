#include "model/FaceMap.h"

#include <cmath>

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
