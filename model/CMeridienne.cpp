#include "model/CMeridienne.h"

#include "model/PlaneDialGeometry.h"

HV_IMPLEMENT_SERIAL(CMeridienne, CCadranVerticalQcq, 1)

CMeridienne::CMeridienne() : CMeridienne(0.0) {}

CMeridienne::CMeridienne(double declination) : CCadranVerticalQcq(declination)
{
    typeCode = 10;
    firstHour = 11;
    lastHour = 13;
}

void CMeridienne::Serialize(Archive& ar)
{
    planedial::SerializeWithParent<CCadranVerticalQcq>(*this, ar);
}

bool CMeridienne::GetFaceMap(FaceMap& map) const
{
    return planedial::IsExactly<CMeridienne>(*this) && WallMap(map);
}
