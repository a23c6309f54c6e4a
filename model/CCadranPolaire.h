#pragma once
// Polar dial: a face parallel to the polar axis, so the style stands parallel to it at the
// style height and the hour lines are parallel.
#include "model/CCadranPlanQuelconque.h"

class CCadranPolaire : public CCadranPlanQuelconque {
    HV_DECLARE_SERIAL(CCadranPolaire)
public:
    CCadranPolaire();

    void Serialize(Archive& ar) override;
    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // The end of the style below the foot, at the style limit.
    void GetCentreOffset(int& dx, int& dy) const override;
    // Always the style limit, cut, its end at the style height.
    double GetStyleLength(bool& truncate, double& endHeight) const override;
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    // Projected and lit as the plane it lies in.
    bool GetFaceMap(FaceMap& map) const override;
};
