#pragma once
// Vertical dial facing due east or due west. Its face contains the direction of the polar
// style: the style stands parallel to the face at the style height, centred on the foot, and
// there is no centre. The two walls are mirror images of each other across the meridian:
// one implementation, the side a parameter.
#include "model/CCadranPlanAStylePolaire.h"

class CCadranEstOuest : public CCadranPlanAStylePolaire {
public:
    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // Moves the style foot to the side of the face away from the pole.
    void SetSite(double latitudeDeg, double longitudeDeg, double zoneHours) override;
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    void GetCentreOffset(int& dx, int& dy) const override;
    double GetStyleLength(bool& truncate, double& endHeight) const override;
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    // Returns false (the centre is at infinity); x, y receive one end of the parallel style
    // (device pixels, or tenths of a millimetre with y up: the same point in both).
    bool GetCentre(int& x, int& y, bool truncate, bool inTenths) const override;
    // Direction of the sub-style on the drawing, radians counter-clockwise from the right.
    double GetCentreAngle() const override;
    void ProjectMm(double azimuth, double altitude, double& u, double& v) const override;

protected:
    // The constructor defaults of the wall facing west, or east.
    explicit CCadranEstOuest(bool west);
    // The face map of this wall, for the class that projects and lights it as it does.
    bool WallMap(FaceMap& map) const;

private:
    // +1 on the west wall, -1 on the east wall.
    double Mirror() const { return west_ ? 1.0 : -1.0; }

    bool west_;
};
