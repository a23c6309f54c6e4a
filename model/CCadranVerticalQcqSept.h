#pragma once
// Vertical dial declining beyond 90 degrees: the wall looks towards the pole side, so the sun
// lights it in the morning and again in the evening of the same day. The base date arcs trace
// each lit run of a day as a curve of its own, so both runs are drawn and never joined.
#include "model/CCadranVerticalQcq.h"

class CCadranVerticalQcqSept : public CCadranVerticalQcq {
    HV_DECLARE_SERIAL(CCadranVerticalQcqSept)
public:
    CCadranVerticalQcqSept();
    // declination: azimuth of the face in radians, beyond +-pi/2.
    explicit CCadranVerticalQcqSept(double declination);

    void Serialize(Archive& ar) override;
    // Lit while the sun is within 90 degrees of the face's azimuth, across the +-pi seam.
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    bool GetFaceMap(FaceMap& map) const override;
    // The centre lies below the foot, on the side of the summer solstice: the numbers stand
    // at the inner end of the lines, the summer end, as on the same wall entered as an
    // inclined plane of 90 degrees and on every wall facing the equator.
    bool LabelsAtInnerEnd() const override { return true; }
};
