#include "docview/StyleDrawings.h"

#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "app/Translation.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelDoc.h"
#include "docview/PageLayout.h"
#include "model/CCadran.h"
#include "model/Rounding.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr const char* kDegreeSign = "\xC2\xB0";

std::string Number(double x)
{
    return FormatNumber(x, -1);
}

std::string Mm(double x)
{
    return Number(x) + " mm";
}

// The drawing area in device pixels: the document's drawing, rescaled on paper.
struct Area {
    int w = 0;
    int h = 0;
};

// The style as a right triangle: its foot A, the base along the dial to B (cut at C when the
// base was limited), the style's height at A.
struct Triangle {
    double heightMm = 0.0;
    double baseMm = 0.0;       // as drawn: cut at the limit when it was
    double heightPerBase = 0;  // style height over the uncut base: the slope of the polar edge
    bool cut = false;
    bool mirrored = false;     // B on the right of A
};

enum class PlaneLine { None, Horizontal, Vertical };

// The triangle fitted into the band from W/4 to 3W/4, a quarter of the height high, with
// its base line at 3/8 of the height less half the height left over.
void DrawTriangle(gdi::DC& dc, const Area& area, const Triangle& s, PlaneLine plane)
{
    if (!(s.heightMm > 0.0) || !(s.baseMm >= 0.0) || !std::isfinite(s.baseMm))
        return;
    int h = area.h / 4;
    int l = RoundToInt(h * s.baseMm / s.heightMm);
    if (l > area.w / 2) {
        l = area.w / 2;
        h = RoundToInt(l * s.heightMm / s.baseMm);
    }
    const int y = 3 * area.h / 8 - (area.h / 4 - h) / 2;
    const int start = area.w / 4 + (area.w / 2 - l) / 2;
    const gdi::Point b{s.mirrored ? start + l : start, y};
    const gdi::Point a{s.mirrored ? start : start + l, y};
    const gdi::Point t{a.x, y - h};
    const gdi::Point c{b.x, y - (h - RoundToInt(s.heightPerBase * l))};

    std::vector<gdi::Point> outline = {b, a, t};
    if (s.cut)
        outline.push_back(c);
    dc.Polygon(outline.data(), static_cast<int>(outline.size()));

    const int gap = PageLengthY(dc, 5);
    const unsigned outward = s.mirrored ? gdi::TA_LEFT : gdi::TA_RIGHT;
    const unsigned inward = s.mirrored ? gdi::TA_RIGHT : gdi::TA_LEFT;
    const int side = s.mirrored ? 1 : -1;  // towards B's side
    dc.SetTextAlign(outward | gdi::TA_TOP);
    dc.TextOut(b.x + side * gap, b.y + gap, s.cut ? "B*" : "B");
    dc.SetTextAlign(inward | gdi::TA_TOP);
    dc.TextOut(a.x - side * gap, a.y + gap, "A");

    // Dimensions outside the triangle: the base below it, the height and the cut end on the
    // far sides.
    const gdi::Point& leftEnd = s.mirrored ? a : b;
    const gdi::Point& rightEnd = s.mirrored ? b : a;
    DrawDimension(dc, leftEnd.x, leftEnd.y, rightEnd.x, rightEnd.y, Mm(s.baseMm), false);
    DrawDimension(dc, a.x, a.y, t.x, t.y, Mm(s.heightMm), s.mirrored);
    if (s.cut)
        DrawDimension(dc, b.x, b.y, c.x, c.y, Mm(s.heightMm - s.heightPerBase * s.baseMm), !s.mirrored);

    if (plane == PlaneLine::Horizontal) {
        dc.MoveTo(area.w / 4, y);
        dc.LineTo(3 * area.w / 4, y);
    } else if (plane == PlaneLine::Vertical) {
        dc.MoveTo(a.x, area.h / 16);
        dc.LineTo(a.x, 7 * area.h / 16);
    }
}

// A style parallel to the face (east, west and polar dials): a plate as high as the style and
// twice the base limit long, standing on the dial along its right edge.
void DrawParallelStyle(gdi::DC& dc, const Area& area, double heightMm, double limitMm, const char* bLabel)
{
    if (!(heightMm > 0.0) || !(limitMm > 0.0))
        return;
    int across = area.w / 2;
    int along = RoundToInt(area.w / 2 * 2.0 * limitMm / heightMm);
    if (along > area.h / 4) {
        along = area.h / 4;
        across = RoundToInt(area.h / 4 * heightMm / (2.0 * limitMm));
    }
    const int left = area.w / 4 + (area.w / 2 - across) / 2;
    const int right = left + across;
    const int top = area.h / 4 - along / 2;
    const int bottom = top + along;
    const int middle = top + along / 2;
    dc.Rectangle(left, top, right, bottom);
    dc.MoveTo(left, middle);
    dc.LineTo(right, middle);

    const int gap = PageLengthY(dc, 5);
    dc.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    dc.TextOut(right + gap, bottom + gap, "C");
    dc.TextOut(right + gap, middle + gap, "A");
    dc.TextOut(right + gap, top + gap, bLabel);

    DrawDimension(dc, left, bottom, right, bottom, Mm(heightMm), false);
    DrawDimension(dc, right, bottom, right, middle, Mm(limitMm), false);
    DrawDimension(dc, right, middle, right, top, Mm(limitMm), false);
    dc.MoveTo(right, area.h / 16);
    dc.LineTo(right, 7 * area.h / 16);
}

// B on a declining plane: its coordinates, then its polar form; moved to the base limit along
// the same direction when truncation is wanted and it lies farther.
std::string DecliningCentreText(double x, double y, bool truncate, double limit)
{
    double r = 0.0;
    double angle = 0.0;
    CartesianToPolar(x, y, r, angle, false, false);
    if (truncate && r > limit) {
        x = limit * std::cos(angle);
        y = limit * std::sin(angle);
        CartesianToPolar(x, y, r, angle, false, false);
    }
    std::string text = "A (0, 0)   B (" + Mm(x) + ", " + Mm(y) + ")";
    if (x == 0.0)
        text += "   B (" + Mm(std::fabs(y)) + (y > 0.0 ? ", 90\xC2\xB0)" : ", -90\xC2\xB0)");
    else
        text += "   B (" + Mm(r) + ", " + Number(angle * kRadToDeg) + kDegreeSign + ")";
    return text;
}

// The base of a triangular style cut at the limit when truncation is wanted (always when
// `forceCut`).
Triangle CutTriangle(double height, double fullBase, bool truncate, bool forceCut, double limit)
{
    Triangle s;
    s.heightMm = height;
    s.baseMm = fullBase;
    s.heightPerBase = fullBase > 0.0 ? height / fullBase : 0.0;
    if ((truncate || forceCut) && fullBase > limit) {
        s.baseMm = limit;
        s.cut = true;
    }
    return s;
}

}  // namespace

void DrawStylePlan(gdi::DC& dc, const gdi::Rect&)
{
    const CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc ? doc->GetDial() : nullptr;
    if (!dial)
        return;
    const gdi::Size drawing = doc->GetDrawingSizePx();
    const Area area{PageLengthX(dc, drawing.cx), PageLengthY(dc, drawing.cy)};

    const DcAttributesGuard restore(dc);
    const PageTools tools(dc);
    gdi::LogFont font;
    FillLogFont(PageLengthY(dc, 10), font, kFontArial, false, 0.0);
    dc.SelectFont(font);
    dc.SelectPen(tools->blackPen);
    dc.SelectBrush(gdi::Brush{gdi::BS_SOLID, gdi::PALETTEINDEX(1)});

    const int centreX = area.w / 2;
    const int textY = area.h / 2;
    dc.SetTextAlign(gdi::TA_CENTER);
    dc.TextOut(centreX, textY + PageLengthY(dc, 60), GetTranslatedString(656));

    const double height = dial->styleHeight;
    const double limit = dial->styleLimit;
    const bool truncate = dial->styleTruncation != 0;
    const double absLatitude = std::fabs(dial->latitude) / kRadToDeg;
    const double d1 = dial->planeAngle1;
    const double d2 = dial->planeAngle2;
    const double hemisphere = dial->latitude < 0.0 ? -1.0 : 1.0;
    const auto coordinates = [&](const std::string& text, int line) {
        dc.SetTextAlign(gdi::TA_CENTER);
        dc.TextOut(centreX, textY + PageLengthY(dc, line), text);
    };

    switch (dial->typeCode) {
    case 1: {
        // Near the equator the base is always cut at the limit.
        Triangle s = CutTriangle(height, height / std::tan(absLatitude), truncate, false, limit);
        if (std::fabs(dial->latitude) < 1.0) {
            s.baseMm = limit;
            s.cut = true;
        }
        s.heightPerBase = std::tan(absLatitude);
        DrawTriangle(dc, area, s, PlaneLine::Horizontal);
        coordinates(GetTranslatedString(352) + "A (0, 0)   B (0, " + Mm(-s.baseMm) + ")", 5);
        break;
    }
    case 2: {
        const Triangle s = CutTriangle(height, std::tan(absLatitude) * height, truncate, false, limit);
        DrawTriangle(dc, area, s, PlaneLine::Vertical);
        coordinates(GetTranslatedString(352) + "A (0, 0)   B (0, " + Mm(s.baseMm) + ")", 5);
        break;
    }
    case 3:
    case 4: {
        DrawParallelStyle(dc, area, height, limit, truncate ? "B*" : "B");
        coordinates(GetTranslatedString(352), 5);
        const double x = limit * std::cos(dial->latitude / kRadToDeg) * (dial->typeCode == 4 ? -1.0 : 1.0);
        const double y = limit * std::sin(dial->latitude / kRadToDeg);
        double r = 0.0;
        double angle = 0.0;
        CartesianToPolar(x, y, r, angle, false, false);
        const double degrees = angle * kRadToDeg;
        coordinates("A (0, 0)   B (" + Mm(x) + ", " + Mm(y) + ")   B (" + Mm(r) + ", " + Number(degrees) +
                        kDegreeSign + ")   ",
                    20);
        coordinates("C (" + Mm(-x) + ", " + Mm(-y) + ")   C (" + Mm(r) + ", " + Number(degrees - 180.0) +
                        kDegreeSign + ")   ",
                    40);
        break;
    }
    case 5:
    case 7:
    case 10: {
        double w = std::acos(std::cos(std::fabs(d1)) * std::cos(absLatitude));
        const bool beyond = w > std::numbers::pi / 2;
        if (beyond)
            w = std::numbers::pi - w;
        Triangle s = CutTriangle(height, height * std::tan(w), truncate, false, limit);
        s.mirrored = beyond;
        DrawTriangle(dc, area, s, PlaneLine::None);
        // As the dial places B: mirrored in the southern hemisphere.
        const double x = -height * std::tan(d1) * hemisphere;
        const double y = std::fabs(std::cos(d1)) > 0.000001 ? height * std::tan(absLatitude) / std::cos(d1) : 0.0;
        coordinates(GetTranslatedString(352) + DecliningCentreText(x, y, truncate, limit), 5);
        break;
    }
    case 6: {
        const double d = std::cos(d2) * std::tan(absLatitude) - std::cos(d1) * std::sin(d2);
        const double p = std::sin(d1) / d;
        const double q = (std::cos(d1) * std::cos(d2) + std::sin(d2) * std::tan(absLatitude)) / d;
        const double base = height * std::sqrt(p * p + q * q);
        const Triangle s = CutTriangle(height, base, truncate, base > 100.0 * height, limit);
        DrawTriangle(dc, area, s, PlaneLine::None);
        const double x = height * p * hemisphere;
        const double y = std::fabs(std::cos(d1)) > 0.000001 ? -height * q : 0.0;
        coordinates(GetTranslatedString(352) + DecliningCentreText(x, y, truncate, limit), 5);
        break;
    }
    case 11:
        DrawParallelStyle(dc, area, height, limit, truncate ? "B*" : "B");
        coordinates(GetTranslatedString(352) + "A (0, 0)   B (0 mm, " + Mm(-limit) + ")   C (0 mm, " + Mm(limit) +
                        ")   ",
                    5);
        break;
    default:
        dc.SetTextAlign(gdi::TA_CENTER);
        dc.TextOut(centreX, area.h / 4, GetTranslatedString(316));
        break;
    }
}
