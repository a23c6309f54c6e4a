#pragma once
// Shepherd's dial: a vertical cylinder turned to the date, whose horizontal style at the top
// casts a vertical shadow whose length gives the hour. The sheet holds one column per date
// (the year spread over half a turn of radius d, 21 June in the middle); the hour curves join
// the shadow ends of each column.
#include "model/CCadranCylindrique.h"

class CCadranCylindriqueDeBerger : public CCadranCylindrique {
    HV_DECLARE_SERIAL(CCadranCylindriqueDeBerger)
public:
    CCadranCylindriqueDeBerger();

    void Serialize(Archive& ar) override;

    // x: the declination times the radius (not a date column: a declination alone does not
    // tell the date); y: the shadow length, down on the device, up in tenths and hundredths.
    void Project(double azimuth, double altitude, int& x, int& y, bool toDevice = true,
                 bool inTenths = true) const override;
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    // The highest noon sun sets the height; it is capped at 85 degrees, so a site between
    // the tropics still gets a sheet of sensible size.
    void ComputeSheetSize() override;

    // Horizontal offset (device units) of the column of table row `row` (fractional rows
    // place dates between the table's).
    double ColumnOffset(double row) const;
};
