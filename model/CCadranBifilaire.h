#pragma once
// Bifilar dial: two wires stretched above a horizontal face cast two shadow lines whose
// crossing marks the hour and the date. Three variants are named and stored: 40 horizontal
// with equiangular wires (the north-south wire at d1, the east-west wire at d1 sin|latitude|,
// so the hour lines are straight and 15 degrees apart), 41 vertical declining and 42
// horizontal with wires at any angle; only type 40 is lit and drawn.
#include "model/CCadran.h"

class CCadranBifilaire : public CCadran {
    HV_DECLARE_SERIAL(CCadranBifilaire)
public:
    CCadranBifilaire();

    void Serialize(Archive& ar) override;

    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // Crossing of the two wire shadows, relative to A (y up in tenths and hundredths, down on
    // the device). In the south the drawing is turned half a turn, as on the plane dials.
    void Project(double azimuth, double altitude, int& x, int& y, bool toDevice = true,
                 bool inTenths = true) const override;
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    // There is no style foot to move: the point stays as the caller set it.
    void GetExtraPoint(int& x, int& y, double azimuth, double altitude) const override;
    // The sun's spot, joined to the foot A.
    void DrawStyle(gdi::DC& dc, int ax, int ay) override;
    // Placed by hour band and hemisphere, as on the analemmatic dial.
    void DrawHourLabel(gdi::DC& dc, int hour, const std::string& text, std::optional<LabelBox>& lastWritten) override;
    // Not at the ends of the lines: nothing, so that no line stops short for a number.
    std::optional<NumberPlace> PlaceHourLabel(const gdi::DC& dc, int hour, const std::string& text) const override;
    // No auxiliary point on this dial: (0, 0) and false.
    bool GetAuxPoint(int& x, int& y) const;

    int firstWireDistance = 10;   // d1, mm: height of the north-south wire
    int secondWireDistance = 20;  // d2, mm: stored only
};
