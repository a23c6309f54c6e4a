#include "model/LabelBoxes.h"

#include "model/DialDrawing.h"
#include "model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

using PointD = LabelBox::PointD;

// The extent of the blanks at one end of the text.
int BlankWidth(const gdi::DC& dc, std::string_view text, bool atStart)
{
    const std::size_t kept = atStart ? text.find_first_not_of(' ') : text.find_last_not_of(' ');
    if (kept == std::string_view::npos)
        return dc.GetTextExtent(text).cx;
    const std::string_view blanks = atStart ? text.substr(0, kept) : text.substr(kept + 1);
    return blanks.empty() ? 0 : dc.GetTextExtent(blanks).cx;
}

// The box's extent along the axis (ax, ay).
void Project(const LabelBox& box, double ax, double ay, double& low, double& high)
{
    low = std::numeric_limits<double>::infinity();
    high = -low;
    for (const PointD& c : box.corners) {
        const double v = c.x * ax + c.y * ay;
        low = std::min(low, v);
        high = std::max(high, v);
    }
}

}  // namespace

LabelBox TextBox(const gdi::DC& dc, int x, int y, std::string_view text)
{
    const unsigned align = dc.GetTextAlign();
    const int width = dc.GetTextExtent(text).cx;
    const gdi::TextMetrics metrics = dc.GetTextMetrics();

    // Along the baseline, from the reference point.
    double start = 0.0;
    if ((align & gdi::TA_CENTER) == gdi::TA_CENTER)
        start = -width / 2.0;
    else if ((align & gdi::TA_CENTER) == gdi::TA_RIGHT)
        start = -width;
    const double first = start + BlankWidth(dc, text, true);
    const double last = std::max(first, start + width - BlankWidth(dc, text, false));
    // Downwards, from the reference point.
    double top = 0.0;
    if ((align & gdi::TA_BASELINE) == gdi::TA_BASELINE)
        top = -metrics.ascent;
    else if ((align & gdi::TA_BASELINE) == gdi::TA_BOTTOM)
        top = -metrics.height;
    const double bottom = top + metrics.height;

    const double turn = dc.GetCurrentFont().escapement / 10.0 * std::numbers::pi / 180.0;
    const PointD along{std::cos(turn), -std::sin(turn)};
    const PointD down{std::sin(turn), std::cos(turn)};
    const auto at = [&](double a, double b) {
        return PointD{x + a * along.x + b * down.x, y + a * along.y + b * down.y};
    };
    LabelBox box;
    box.corners = {at(first, top), at(last, top), at(last, bottom), at(first, bottom)};
    box.up = {-down.x, -down.y};
    return box;
}

LabelBox Widened(const LabelBox& box, double by)
{
    // Along the first edge and across it, from the first corner.
    const PointD& p = box.corners[0];
    const double length = std::hypot(box.corners[1].x - p.x, box.corners[1].y - p.y);
    const PointD along = length > 0.0 ? PointD{(box.corners[1].x - p.x) / length, (box.corners[1].y - p.y) / length}
                                      : PointD{-box.up.y, box.up.x};
    const PointD across{-box.up.x, -box.up.y};  // from the top edge to the bottom one
    LabelBox widened = box;
    const double signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (std::size_t i = 0; i < 4; ++i) {
        widened.corners[i].x += by * (signs[i][0] * along.x + signs[i][1] * across.x);
        widened.corners[i].y += by * (signs[i][0] * along.y + signs[i][1] * across.y);
    }
    return widened;
}

bool Overlap(const LabelBox& a, const LabelBox& b, double gap)
{
    // Two convex boxes are apart when the edges of one of them give an axis on which their
    // shadows stay the gap apart.
    for (const LabelBox* box : {&a, &b})
        for (std::size_t i = 0; i < 2; ++i) {
            const PointD& p = box->corners[i];
            const PointD& q = box->corners[i + 1];
            const double length = std::hypot(q.x - p.x, q.y - p.y);
            if (length == 0.0)
                continue;
            const double ax = (q.y - p.y) / length;
            const double ay = (p.x - q.x) / length;
            double lowA = 0.0, highA = 0.0, lowB = 0.0, highB = 0.0;
            Project(a, ax, ay, lowA, highA);
            Project(b, ax, ay, lowB, highB);
            if (highA + gap <= lowB || highB + gap <= lowA)
                return false;
        }
    return true;
}

std::optional<double> DistanceInto(const LabelBox& box, double x, double y, const gdi::Rect& rect)
{
    // Each corner moved along (x, y) must stay within the rectangle.
    double low = 0.0;
    double high = std::numeric_limits<double>::infinity();
    for (const PointD& c : box.corners)
        if (!dialdraw::LineInterval(rect, c.x, c.y, x, y, low, high))
            return std::nullopt;
    return low;
}

LineEndStance StanceAtLineEnd(double lineAngle)
{
    int degrees = RoundToInt(lineAngle * 180.0 / std::numbers::pi) % 360;
    if (degrees > 180)
        degrees -= 360;
    else if (degrees <= -180)
        degrees += 360;
    LineEndStance stance;
    // Turned by lineAngle, a text's top faces into the line: hung from the end by its top,
    // it lies beyond the end. Turned half a turn more, its top faces away: it stands on the end.
    const double into = lineAngle + std::numbers::pi / 2.0;
    stance.intoLine = {std::cos(into), -std::sin(into)};
    if (degrees > 90 || degrees < -90) {
        stance.escapementDeg = degrees > 0 ? degrees - 180 : degrees + 180;
        stance.align = gdi::TA_CENTER | gdi::TA_BOTTOM;
    } else {
        stance.escapementDeg = degrees;
        stance.align = gdi::TA_CENTER | gdi::TA_TOP;
    }
    return stance;
}
