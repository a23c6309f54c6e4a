#pragma once
// Dials for the drawing tests: a horizontal and a vertical declining dial that project a sun
// direction with the textbook formulas of the gnomonic projection (polar style, nodus at the
// style height above the foot), set up at a place and year with their tables filled.
#include "model/CCadran.h"
#include "model/Rounding.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <type_traits>

namespace dialtest {

constexpr double kDeg = std::numbers::pi / 180.0;

class HorizontalDial : public CCadran {
public:
    HorizontalDial() { labelsAtInnerEnd = 1; }
    void GetTypeName(std::string& text, bool, bool upperCase) const override
    {
        text = upperCase ? "CADRAN HORIZONTAL" : "Cadran horizontal";
    }
    void Project(double az, double h, int& x, int& y, bool toDevice, bool inTenths) const override
    {
        const double s = latitude < 0 ? -1.0 : 1.0;
        Place(s * styleHeight * std::sin(az) / std::tan(h), styleHeight * std::cos(az) / std::tan(h), x, y,
              toDevice, inTenths);
    }
    bool IsLit(double, double h, bool) const override { return h >= 0.005; }
    bool GetCentre(int& x, int& y, bool, bool inTenths) const override
    {
        const double b = styleHeight * scale / std::tan(std::fabs(latitude) * kDeg);
        x = 0;
        y = inTenths ? RoundToInt(-10.0 * b) : RoundToInt(b * pixelsPerMmY);
        return true;
    }

protected:
    void Place(double u, double v, int& x, int& y, bool toDevice, bool inTenths) const
    {
        if (toDevice) {
            x = RoundToInt(u * scale * pixelsPerMmX);
            y = RoundToInt(-v * scale * pixelsPerMmY);
        } else {
            const double k = inTenths ? 10.0 : 100.0;
            x = RoundToInt(k * u);
            y = RoundToInt(k * v);
        }
    }
};

// Vertical wall whose face looks toward azimuth planeAngle1 (from the equator side,
// positive west).
class DecliningDial : public HorizontalDial {
public:
    DecliningDial() { labelsAtInnerEnd = 0; }
    void GetTypeName(std::string& text, bool, bool upperCase) const override
    {
        text = upperCase ? "CADRAN SOLAIRE D\xC3\x89""CLINANT" : "Cadran solaire d\xC3\xA9""clinant";
    }
    void Project(double az, double h, int& x, int& y, bool toDevice, bool inTenths) const override
    {
        const double s = latitude < 0 ? -1.0 : 1.0;
        const double d = az - planeAngle1;
        Place(s * styleHeight * std::tan(d), -styleHeight * std::tan(h) / std::cos(d), x, y, toDevice, inTenths);
    }
    bool IsLit(double az, double h, bool aboveHorizonOnly) const override
    {
        const double half = std::numbers::pi / 2 - 0.001;
        return az > planeAngle1 - half && az < planeAngle1 + half && (!aboveHorizonOnly || h > 0.0);
    }
    bool GetCentre(int& x, int& y, bool, bool inTenths) const override
    {
        double cx = -std::tan(planeAngle1) * styleHeight * scale;
        if (latitude < 0)
            cx = -cx;
        const double cy = std::tan(std::fabs(latitude) * kDeg) * styleHeight * scale / std::cos(planeAngle1);
        const double kx = inTenths ? 10.0 : pixelsPerMmX;
        const double ky = inTenths ? 10.0 : pixelsPerMmY;
        x = RoundToInt(kx * cx);
        y = RoundToInt((inTenths ? 1.0 : -1.0) * ky * cy);
        return true;
    }
};

// A dial of width x height millimetres at the place, for the year, anchored at the given
// percentages, drawn at 96 pixels per inch from (10, 10) (a label at x = 0 would read as
// none); tables filled.
template <class Dial>
std::unique_ptr<Dial> MakeDial(double latitudeDeg, double longitudeEastNegDeg, double zoneHours, int year = 2024,
                               double declinationDeg = 0.0, int widthMm = 300, int heightMm = 300, int anchorX = 50,
                               int anchorY = 70)
{
    auto dial = std::make_unique<Dial>();
    dial->SetTypeAndPlane(std::is_same_v<Dial, HorizontalDial> ? 1 : 5, declinationDeg,
                          std::is_same_v<Dial, HorizontalDial> ? 0.0 : 90.0);
    dial->SetYear(year);
    dial->SetSite(latitudeDeg, longitudeEastNegDeg, zoneHours);
    dial->width = widthMm;
    dial->height = heightMm;
    dial->pixelsPerMmX = dial->pixelsPerMmY = 96.0 / 25.4;
    dial->SetStyleAnchorPercent(anchorX, anchorY);
    dial->SetDialRect(10, 10, 10 + RoundToInt(widthMm * dial->pixelsPerMmX), 10 + RoundToInt(heightMm * dial->pixelsPerMmY));
    dial->marginX = dial->marginY = 0;
    dial->ComputeAllTables();
    return dial;
}

}  // namespace dialtest
