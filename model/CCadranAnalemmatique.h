#pragma once
// Analemmatic dial: the hour points lie on an ellipse and the style (upright, or inclined on
// the horizontal variant) is moved along a date scale on the minor axis; standing at the day's
// point of the scale, its shadow falls on the hour point. Types: 20 horizontal with a straight
// style, 21 horizontal with an inclined style, 22 vertical (declining) with a straight style.
//
// Everything here uses the true hour angle and declination and the signed latitude. The
// horizontal variants are drawn with east to the right and north up in both hemispheres. The
// vertical variant is drawn as seen facing the wall, whose declination planeAngle1 is counted
// from the equator side as for the plane dials.
#include "model/CCadran.h"

class CCadranAnalemmatique : public CCadran {
    HV_DECLARE_SERIAL(CCadranAnalemmatique)
public:
    CCadranAnalemmatique();

    void Serialize(Archive& ar) override;

    void GetTypeName(std::string& text, bool longName, bool upperCase) const override;
    // Hour point of the sun's hour angle on the ellipse, relative to A. Device y is down; the
    // tenths and hundredths y keep the device's sign, as the style positions of the tables do.
    void Project(double azimuth, double altitude, int& x, int& y, bool toDevice = true,
                 bool inTenths = true) const override;
    bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const override;
    // Where the movable style stands for the sun's declination, device units relative to A.
    void GetExtraPoint(int& x, int& y, double azimuth, double altitude) const override;
    // The date scale the style is moved along.
    void DrawSpecific(gdi::DC& dc, int ax, int ay) override;
    // The shadow of the style standing at the day's point of the date scale.
    void DrawStyle(gdi::DC& dc, int ax, int ay) override;
    void DrawHourLabel(gdi::DC& dc, int hour, const std::string& text, std::optional<LabelBox>& lastWritten) override;
    // Not at the ends of the lines: nothing, so that no line stops short for a number.
    std::optional<NumberPlace> PlaceHourLabel(const gdi::DC& dc, int hour, const std::string& text) const override;
    // Marks on the ellipse every five minutes from 4 h to 20 h, whatever the dial's hours.
    void DrawHourLines(gdi::DC& dc, int ax, int ay) override;
    // No date arcs on this dial: the date is read on the date scale.
    bool DrawLongitudeArcs(gdi::DC& dc, int ax, int ay) override;
    bool DrawDeclinationArcs(gdi::DC& dc, int ax, int ay) override;

    // Device displacement of the style foot per unit of tan(declination).
    void ComputeStyleOffset(double& qx, double& qy) const;
    // Hour point of the true hour angle t for an ellipse of semi-major axis e (millimetres):
    // u to the right, up positive (north on the horizontal variants).
    void HourPoint(double hourAngle, double e, double& u, double& up) const;
    // No auxiliary point on this dial: (0, 0) and false.
    bool GetAuxPoint(int& x, int& y) const;

    // Writes an hour label at its stored position, aligned by hour band and hemisphere
    // (shared with the bifilar dial). Hours 0 to 3 get no label.
    static void DrawHourLabelByBand(gdi::DC& dc, gdi::Point position, int hour, const std::string& text,
                                    bool north);

    double ellipseSize = 50.0;  // M: semi-major axis of the hour ellipse, mm
    double styleAngle1 = 0.0;   // a1: inclination of the style from the vertical, rad
    // a2: the direction the style's top leans, rad, from the south, positive EAST and
    // negative west: the creation wizard's "Déclinaison gnomonique du style" and its side, as
    // it has always stored them (side "Ouest" negative), in both hemispheres.
    double styleAngle2 = 0.0;

private:
    // Wall declination in the frame of the formulas (from the south, positive west).
    double WallDeclination() const;
    // The azimuth the style's top leans towards in the frame of the formulas (from the south,
    // positive west).
    double LeanAzimuth() const;
};
