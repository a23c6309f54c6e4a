#pragma once
// Vertical dial facing east (see CCadranEstOuest).
#include "model/CCadranEstOuest.h"

class CCadranOriental : public CCadranEstOuest {
    HV_DECLARE_SERIAL(CCadranOriental)
public:
    CCadranOriental();

    bool GetFaceMap(FaceMap& map) const override;
};
