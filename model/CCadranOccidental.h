#pragma once
// Vertical dial facing west. Its face contains the direction of the polar style: the style stands
// parallel to the face at the style height, centred on the foot, and there is no centre.
#include "model/CCadranPlanAStylePolaire.h"

class CCadranOccidental : public CCadranPlanAStylePolaire {
    HV_DECLARE_SERIAL(CCadranOccidental)
public:
    CCadranOccidental();

    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // Moves the style foot to the side of the face away from the pole.
    void SetSite(double latitudeDeg, double longitudeDeg, double zoneHours) override;
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    bool GetFaceMap(FaceMap& map) const override;
    void GetCentreOffset(int& dx, int& dy) const override;
    double GetStyleLength(bool& truncate, double& endHeight) const override;
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    // Returns false (the centre is at infinity); x, y receive one end of the parallel style
    // (device pixels, or tenths of a millimetre with y up: the same point in both).
    bool GetCentre(int& x, int& y, bool truncate, bool inTenths) const override;
    // Direction of the sub-style on the drawing, radians counter-clockwise from the right.
    double GetCentreAngle() const override;
    void ProjectMm(double azimuth, double altitude, double& u, double& v) const override;
};
