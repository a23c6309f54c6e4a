#include "model/CCadranOccidental.h"

#include "model/PlaneDialGeometry.h"

HV_IMPLEMENT_SERIAL(CCadranOccidental, CCadran, 1)

CCadranOccidental::CCadranOccidental() : CCadranEstOuest(/*west=*/true) {}

bool CCadranOccidental::GetFaceMap(FaceMap& map) const
{
    return planedial::IsExactly<CCadranOccidental>(*this) && WallMap(map);
}
