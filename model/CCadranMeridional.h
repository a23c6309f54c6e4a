#pragma once
// Vertical dial facing the equator (south in the northern hemisphere, north in the southern).
#include "model/CCadranPlanAStylePolaire.h"

class CCadranMeridional : public CCadranPlanAStylePolaire {
    HV_DECLARE_SERIAL(CCadranMeridional)
public:
    CCadranMeridional();

    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // Lit while the sun is on the equator side of the east-west line (0.001 rad margin).
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    bool GetFaceMap(FaceMap& map) const override;
    void GetCentreOffset(int& dx, int& dy) const override;
    double GetStyleLength(bool& truncate, double& endHeight) const override;
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    bool GetCentre(int& x, int& y, bool truncate, bool inTenths) const override;
    void ProjectMm(double azimuth, double altitude, double& u, double& v) const override;
};
