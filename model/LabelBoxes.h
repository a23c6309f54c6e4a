#pragma once
// Where a written label lies on the device, as the box of its characters (turned with its
// font), so that a drawing can leave out a label that would run into the one before it and
// keep its labels inside the drawing. The lines of a drawing are never moved for a label.
#include "platform/Gdi.h"

#include <array>
#include <optional>
#include <string_view>

struct LabelBox {
    struct PointD {
        double x = 0.0;
        double y = 0.0;
    };
    std::array<PointD, 4> corners{};  // in order round the box
    PointD up{0.0, -1.0};             // unit vector from the text's foot towards its top
};

// The box of the text written at (x, y) with the context's font and text alignment, turned
// by the font's escapement (counter-clockwise on the page, as the device turns it). The
// blanks before and after the text take no room.
LabelBox TextBox(const gdi::DC& dc, int x, int y, std::string_view text);

// The box grown by `by` on every side.
LabelBox Widened(const LabelBox& box, double by);

// The two boxes come nearer to each other than the gap (device units), which may be 0:
// then boxes that only touch are apart.
bool Overlap(const LabelBox& a, const LabelBox& b, double gap = 0.0);

// The least distance, 0 or more, by which the box moved along the unit vector (x, y) lies
// wholly inside the rectangle (edges included); nothing when no distance does.
std::optional<double> DistanceInto(const LabelBox& box, double x, double y, const gdi::Rect& rect);

// How the number at the end of a line stands. lineAngle: the direction from the end into
// its line less a quarter turn (radians, counter-clockwise, y up), the turn of a text whose
// foot faces away from the line. The number turns with its line but reads upright for a
// person facing the drawing: one that would turn beyond a quarter turn either way is turned
// half a turn. It stands on the far side of the end, so that neither its line nor what runs
// through the end crosses it: bottom-aligned when turned, top-aligned otherwise.
struct LineEndStance {
    int escapementDeg = 0;       // whole degrees, -90 to 90
    unsigned align = 0;          // TA_CENTER with TA_TOP or TA_BOTTOM
    LabelBox::PointD intoLine;   // unit vector from the end into the line, device y down
};
LineEndStance StanceAtLineEnd(double lineAngle);
