#pragma once
// Noon mark: a vertical declining dial drawn only for the hours around noon.
#include "model/CCadranVerticalQcq.h"

class CMeridienne : public CCadranVerticalQcq {
    HV_DECLARE_SERIAL(CMeridienne)
public:
    CMeridienne();
    // declination: azimuth of the face in radians.
    explicit CMeridienne(double declination);

    void Serialize(Archive& ar) override;
    // Projected and lit as the declining wall it is drawn on.
    bool GetFaceMap(FaceMap& map) const override;
};
