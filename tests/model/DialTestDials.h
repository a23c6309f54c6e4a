#pragma once
// Dials for the drawing tests: a horizontal and a vertical declining dial set up at a place
// and year, with their tables filled.
#include "model/CCadranHorizontal.h"
#include "model/CCadranVerticalQcq.h"
#include "model/Rounding.h"

#include <memory>
#include <numbers>
#include <type_traits>

namespace dialtest {

constexpr double kDeg = std::numbers::pi / 180.0;

using HorizontalDial = CCadranHorizontal;
using DecliningDial = CCadranVerticalQcq;

// Puts a dial of width x height millimetres at the place, for the year, anchored at the
// given percentages, drawn at 96 pixels per inch from (10, 10) (a label at x = 0 would read
// as none), and fills its tables.
inline void PlaceDial(CCadran& dial, double latitudeDeg, double longitudeEastNegDeg, double zoneHours, int year,
                      int widthMm, int heightMm, int anchorX, int anchorY)
{
    dial.SetYear(year);
    dial.SetSite(latitudeDeg, longitudeEastNegDeg, zoneHours);
    dial.width = widthMm;
    dial.height = heightMm;
    dial.pixelsPerMmX = dial.pixelsPerMmY = 96.0 / 25.4;
    dial.SetStyleAnchorPercent(anchorX, anchorY);
    dial.SetDialRect(10, 10, 10 + RoundToInt(widthMm * dial.pixelsPerMmX), 10 + RoundToInt(heightMm * dial.pixelsPerMmY));
    dial.marginX = dial.marginY = 0;
    dial.ComputeAllTables();
}

// A horizontal or vertical declining dial placed as PlaceDial places it. declinationDeg:
// azimuth of a wall's face.
template <class Dial>
std::unique_ptr<Dial> MakeDial(double latitudeDeg, double longitudeEastNegDeg, double zoneHours, int year = 2024,
                               double declinationDeg = 0.0, int widthMm = 300, int heightMm = 300, int anchorX = 50,
                               int anchorY = 70)
{
    std::unique_ptr<Dial> dial;
    if constexpr (std::is_base_of_v<CCadranVerticalQcq, Dial>) {
        dial = std::make_unique<Dial>(declinationDeg * kDeg);
        dial->SetTypeAndPlane(5, declinationDeg, 90.0);
    } else {
        dial = std::make_unique<Dial>();
        dial->SetTypeAndPlane(1, 0.0, 0.0);
    }
    PlaceDial(*dial, latitudeDeg, longitudeEastNegDeg, zoneHours, year, widthMm, heightMm, anchorX, anchorY);
    return dial;
}

}  // namespace dialtest
