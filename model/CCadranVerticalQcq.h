#pragma once
// Vertical declining dial: a wall whose face looks towards the azimuth planeAngle1 (from the
// equator side, positive west), within 90 degrees of the equator side.
#include "model/CCadranPlanAStylePolaire.h"

class CCadranVerticalQcq : public CCadranPlanAStylePolaire {
    HV_DECLARE_SERIAL(CCadranVerticalQcq)
public:
    CCadranVerticalQcq();
    // declination: azimuth of the face in radians.
    explicit CCadranVerticalQcq(double declination);

    // "Cadran solaire déclinant (alpha = 30° 0' Ouest)" or the short name.
    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // Moves the style foot sideways with the declination, away from the centre.
    void SetSite(double latitudeDeg, double longitudeDeg, double zoneHours) override;
    // Lit while the sun is within 90 degrees (less 0.001 rad) of the face's azimuth.
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    bool GetFaceMap(FaceMap& map) const override;
    void GetCentreOffset(int& dx, int& dy) const override;
    double GetStyleLength(bool& truncate, double& endHeight) const override;
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    bool GetCentre(int& x, int& y, bool truncate, bool inTenths) const override;
    // From the exact centre.
    double GetCentreAngle() const override;
    void ProjectMm(double azimuth, double altitude, double& u, double& v) const override;

protected:
    // The face map of this wall, for the subclasses that project and light it as it does.
    bool WallMap(FaceMap& map) const;

private:
    // The centre relative to the foot, in millimetres at the drawing scale (x right, y up),
    // uncut.
    void CentreMm(double& cx, double& cy) const;
};
