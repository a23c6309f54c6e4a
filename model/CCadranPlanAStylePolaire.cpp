#include "model/CCadranPlanAStylePolaire.h"

#include "model/PlaneDialGeometry.h"

void CCadranPlanAStylePolaire::Serialize(Archive& ar)
{
    planedial::SerializeWithParent<CCadran>(*this, ar);
}

void CCadranPlanAStylePolaire::Project(double azimuth, double altitude, int& x, int& y, bool toDevice,
                                       bool inTenths) const
{
    double u = 0.0, v = 0.0;
    ProjectMm(azimuth, altitude, u, v);
    planedial::FacePointToDial(*this, u, v, x, y, toDevice, inTenths);
}
