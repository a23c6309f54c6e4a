#pragma once
// Shepherd's dial: a vertical cylinder turned to the date, whose horizontal style at the top
// casts a vertical shadow whose length gives the hour. The sheet holds one column per date
// (the year spread over half a turn of radius d, 21 June in the middle); the hour curves join
// the shadow ends of each column.
#include "model/CCadranCylindrique.h"
#include "model/DialDrawing.h"

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

    // A cross and the label "A" at the root of the style.
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    // One curve per hour step through the shadow ends of the date columns.
    void DrawHourLines(gdi::DC& dc, int ax, int ay) override;
    // Date lines: a column per 10 degrees of the sun's longitude, down to its noon shadow.
    bool DrawLongitudeArcs(gdi::DC& dc, int ax, int ay) override;
    // The same for calendar dates.
    bool DrawCalendarArcs(gdi::DC& dc, int ax, int ay) override;
    // A particular date: its column, down to its noon shadow.
    void DrawDateArc(gdi::DC& dc, int day, int month, int ax, int ay) override;
    // Families that a declination alone cannot place on the date columns are left out.
    bool DrawDeclinationArcs(gdi::DC& dc, int ax, int ay) override;
    void DrawItalicBabylonianHours(gdi::DC& dc, bool babylonian, int ax, int ay) override;
    void DrawAzimuthLines(gdi::DC& dc, int ax, int ay) override;
    void DrawAltitudeLines(gdi::DC& dc, int ax, int ay) override;
    void DrawStyle(gdi::DC& dc, int ax, int ay) override;

    // Horizontal offset (device units) of the column of table row `row` (fractional rows
    // place dates between the table's).
    double ColumnOffset(double row) const;

private:
    // The shadow end of a sun direction placed in the column of `row`.
    dialdraw::Projected ColumnPoint(double row, double azimuth, double altitude, gdi::Point origin,
                                    const dialdraw::ExportFrame& frame) const;
    // The column of `row` from the style down to the shadow of the noon sun.
    void DrawColumn(gdi::DC& dc, gdi::Point origin, const dialdraw::ExportFrame& frame, double row,
                    double noonAltitude);
};
