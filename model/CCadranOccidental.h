#pragma once
// Vertical dial facing west (see CCadranEstOuest).
#include "model/CCadranEstOuest.h"

class CCadranOccidental : public CCadranEstOuest {
    HV_DECLARE_SERIAL(CCadranOccidental)
public:
    CCadranOccidental();

    bool GetFaceMap(FaceMap& map) const override;
};
