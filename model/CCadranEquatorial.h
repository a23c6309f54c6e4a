#pragma once
// Equatorial dial: the face is parallel to the equator and the style stands perpendicular to
// it at its foot A. The upper face (towards the pole above the horizon) is lit from the spring
// to the autumn equinox, the lower face for the other half of the year; one class serves both.
#include "model/CCadran.h"

class CCadranEquatorial : public CCadran {
    HV_DECLARE_SERIAL(CCadranEquatorial)
public:
    // Upper face, type 8, anchor 50 % / 50 %.
    CCadranEquatorial();
    // face 1 upper, 0 lower; the type code and the style anchor in percent as given.
    CCadranEquatorial(int face, int code, int anchorPercentXValue, int anchorPercentYValue);

    void Serialize(Archive& ar) override;

    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // Shadow of the nodus on the face, relative to A (modes of the plane dials: y up in
    // tenths and hundredths, down on the device). A sun in the plane of the face gives A.
    void Project(double azimuth, double altitude, int& x, int& y, bool toDevice = true,
                 bool inTenths = true) const override;
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    // The centre is the foot of the style.
    bool GetCentre(int& x, int& y, bool truncate, bool inTenths) const override;
    // A cross and the label "A" at the foot of the style.
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    // Each hour line runs from its solstice point straight out to the edge of the dial.
    void DrawHourLines(gdi::DC& dc, int ax, int ay) override;

    // Device point (relative to A) of the by-date table entry of row monthIndex x 6 + dayIndex
    // (monthIndex 0-11, dayIndex 0-5) at five-minute step 0-288; (0, 0) and false when the
    // face is not lit there (the preferences' sunAboveHorizon applies).
    bool ProjectTableEntry(int monthIndex, int dayIndex, int step, int& x, int& y) const;

    bool IsUpperFace() const { return upperFace != 0; }

    int upperFace = 1;  // 1 upper face, 0 lower face; not stored (the type code tells)
};
