#pragma once
// Vertical dial facing the equator (south in the northern hemisphere, north in the southern).
#include "model/CCadran.h"

class CCadranMeridional : public CCadran {
    HV_DECLARE_SERIAL(CCadranMeridional)
public:
    CCadranMeridional();

    void Serialize(Archive& ar) override;
    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    void Project(double azimuth, double altitude, int& x, int& y, bool toDevice = true,
                 bool inTenths = true) const override;
    // Lit while the sun is on the equator side of the east-west line (0.001 rad margin).
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    bool GetFaceMap(FaceMap& map) const override;
    void GetCentreOffset(int& dx, int& dy) const override;
    double GetStyleLength(bool& truncate, double& endHeight) const override;
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    bool GetCentre(int& x, int& y, bool truncate, bool inTenths) const override;

    // Shadow of the nodus in millimetres from the foot (u right, v up), unrounded.
    void ProjectMm(double azimuth, double altitude, double& u, double& v) const;
};
