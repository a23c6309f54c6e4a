#include "model/CCadranOriental.h"

#include "model/PlaneDialGeometry.h"

HV_IMPLEMENT_SERIAL(CCadranOriental, CCadran, 1)

CCadranOriental::CCadranOriental() : CCadranEstOuest(/*west=*/false) {}

bool CCadranOriental::GetFaceMap(FaceMap& map) const
{
    return planedial::IsExactly<CCadranOriental>(*this) && WallMap(map);
}
