#pragma once
// Dials traced on a cylinder and developed flat on the sheet: the armillary ring (type 30,
// the shadow of the axis' nodus on the inside of an equatorial ring), the polar half-cylinder
// without a style (31, the shadow edge of its rims). Type 32 (vertical convex cylinder) has a
// name and a lit test but no projection, and nothing creates it.
//
// An angle a around the cylinder's axis is an arc of a x radius on the sheet.
#include "model/CCadran.h"

class CCadranCylindrique : public CCadran {
    HV_DECLARE_SERIAL(CCadranCylindrique)
public:
    CCadranCylindrique();

    void Serialize(Archive& ar) override;

    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // Converts the sun direction to the hemisphere-relative hour angle and declination and
    // places it with ProjectCylinder.
    void Project(double azimuth, double altitude, int& x, int& y, bool toDevice = true,
                 bool inTenths = true) const override;
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    // On the polar half-cylinder an afternoon number shares its line with a morning one: it
    // stands one text height further out.
    std::optional<NumberPlace> PlaceHourLabel(const gdi::DC& dc, int hour, const std::string& text) const override;

    // Point of the developed face for an hour angle and a declination, relative to A: device
    // y down, tenths and hundredths y up.
    void ProjectCylinder(double hourAngle, double declination, int& x, int& y, bool toDevice,
                         bool inTenths) const;
    // Width and height of the sheet (mm) for the radius and the style height.
    virtual void ComputeSheetSize();

    double radius = 100.0;  // d, mm
};
