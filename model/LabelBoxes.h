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

// The two boxes come nearer to each other than the gap (device units), which may be 0:
// then boxes that only touch are apart.
bool Overlap(const LabelBox& a, const LabelBox& b, double gap = 0.0);

// The least distance, 0 or more, by which the box moved along its up vector lies wholly
// inside the rectangle (edges included); nothing when no distance does.
std::optional<double> DistanceUpInto(const LabelBox& box, const gdi::Rect& rect);
