#include "model/PlaneDialGeometry.h"

#include "app/GraphicsHelpers.h"
#include "model/Rounding.h"

#include <cmath>

namespace planedial {

double AbsLatitudeRad(const CCadran& dial)
{
    return std::fabs(dial.latitude) * kDegToRad;
}

void FacePointToDial(const CCadran& dial, double u, double v, int& x, int& y, bool toDevice, bool inTenths)
{
    double unroundedX = 0.0;
    double unroundedY = 0.0;
    FacePointToDialUnrounded(dial, u, v, unroundedX, unroundedY, toDevice, inTenths);
    x = RoundToInt(unroundedX);
    y = RoundToInt(unroundedY);
}

void CentreToDial(const CCadran& dial, double cx, double cy, int& x, int& y, bool inTenths)
{
    if (inTenths) {
        x = RoundToInt(10.0 * cx);
        y = RoundToInt(10.0 * cy);
    } else {
        x = RoundToInt(dial.pixelsPerMmX * cx);
        y = RoundToInt(-dial.pixelsPerMmY * cy);
    }
}

void SetMarkDialDefaults(CCadran& dial, int typeCode)
{
    dial.typeCode = typeCode;
    dial.planeAngle1 = 0.0;
    dial.planeAngle2 = 0.0;
    dial.localSolarTime = 1;
    dial.prefs.diurnalArcs = 0;
    dial.SetStyleAnchorPercent(50, 50);
}

double SubstyleDirection(double cx, double cy)
{
    double radius = 0.0;
    double angle = 0.0;
    CartesianToPolar(cx, cy, radius, angle, false, false);
    return angle;
}

FaceMap WallFaceMap(const CCadran& dial, double sinDeclination, double cosDeclination)
{
    FaceMap map = FaceMap::OfPlane(sinDeclination, cosDeclination, 1.0, 0.0, dial.styleHeight, HemisphereSign(dial));
    // cos(Az - D) > cos(pi/2 - edge), scaled by cos(alt) as the products are.
    map.minFacingPerCosAltitude = std::sin(kWallEdge);
    return map;
}

double CutStyleLength(const CCadran& dial, double length, double endHeightWhenCut, bool& truncate,
                      double& endHeight)
{
    const double limit = dial.styleLimit;
    if (truncate && length > limit) {
        endHeight = endHeightWhenCut;
        return limit;
    }
    truncate = false;
    endHeight = 0.0;
    return length;
}

}  // namespace planedial
