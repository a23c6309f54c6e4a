#pragma once
// Horizontal dial: the face looks up; the drawing has the pole side at the top, so the
// centre (where the polar style meets the face) lies below the foot of the style.
#include "model/CCadranPlanAStylePolaire.h"

class CCadranHorizontal : public CCadranPlanAStylePolaire {
    HV_DECLARE_SERIAL(CCadranHorizontal)
public:
    CCadranHorizontal();

    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // Lit when the sun is at least 0.005 rad above the face, which is the horizon.
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    bool GetFaceMap(FaceMap& map) const override;
    void GetCentreOffset(int& dx, int& dy) const override;
    double GetStyleLength(bool& truncate, double& endHeight) const override;
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    bool GetCentre(int& x, int& y, bool truncate, bool inTenths) const override;
    void ProjectMm(double azimuth, double altitude, double& u, double& v) const override;
};
