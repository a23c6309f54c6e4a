#include "docview/TracingTools.h"

#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "app/Translation.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelDoc.h"
#include "docview/PageLayout.h"
#include "docview/TablePage.h"
#include "model/CCadran.h"
#include "model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr const char* kDegreeSign = "\xC2\xB0";

// Reference pixels to device pixels, per axis: 1 on screen, the printer's resolution over the
// reference resolution on paper.
struct PageScale {
    double kx = 1.0;
    double ky = 1.0;

    explicit PageScale(const gdi::DC& dc)
    {
        if (!dc.IsPrinting())
            return;
        const int refX = ReferencePixelsPerInchX();
        const int refY = ReferencePixelsPerInchY();
        if (refX > 0 && dc.GetDeviceCaps(gdi::LOGPIXELSX) > 0)
            kx = static_cast<double>(dc.GetDeviceCaps(gdi::LOGPIXELSX)) / refX;
        if (refY > 0 && dc.GetDeviceCaps(gdi::LOGPIXELSY) > 0)
            ky = static_cast<double>(dc.GetDeviceCaps(gdi::LOGPIXELSY)) / refY;
    }
};

// A circle laid out in reference pixels, drawn on the device.
struct Dial {
    PageScale scale;
    int cx = 0;  // device
    int cy = 0;

    // Centred at (x, y) reference pixels.
    Dial(const gdi::DC& dc, int x, int y) : scale(dc), cx(PageLengthX(dc, x)), cy(PageLengthY(dc, y)) {}

    // The device point at `radius` reference pixels from the centre in the direction
    // `degrees` (counter-clockwise from the right, as on a drawing with y up).
    gdi::Point At(double radius, double degrees) const
    {
        const double a = degrees * kDegToRad;
        return {cx + RoundToInt(radius * scale.kx * std::cos(a)), cy - RoundToInt(radius * scale.ky * std::sin(a))};
    }
    gdi::Rect Box(int radius) const
    {
        const int rx = RoundToInt(radius * scale.kx);
        const int ry = RoundToInt(radius * scale.ky);
        return {cx - rx, cy - ry, cx + rx, cy + ry};
    }
};

// The outline and graduation pens: one pixel on screen; on paper the outline is as many
// pixels as the printer has per reference pixel and the graduations a quarter of that.
struct ToolPens {
    gdi::Pen outline{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)};
    gdi::Pen graduation{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)};

    explicit ToolPens(const gdi::DC& dc)
    {
        const int reference = ReferencePixelsPerInchX();
        if (!dc.IsPrinting() || reference <= 0)
            return;
        const int k = dc.GetDeviceCaps(gdi::LOGPIXELSX) / reference;
        outline.width = k;
        graduation.width = k / 4;
    }
};

void Line(gdi::DC& dc, gdi::Point a, gdi::Point b)
{
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
}

std::string Degrees(int value)
{
    return FormatNumber(value, -1) + kDegreeSign;
}

gdi::LogFont LabelFont(const gdi::DC& dc, int size, bool bold, double angleDeg)
{
    gdi::LogFont font;
    FillLogFont(PageLengthY(dc, size), font, kFontArial, bold, angleDeg);
    return font;
}

// The ticks of a graduated scale, one a degree from `radius` inwards, degree a (0 to lastDeg)
// standing at zeroDeg - a: the whole radius every 90 degrees, `tick` long every longEvery
// degrees, half that every five, a quarter else. Leaves centred, top-aligned text selected
// for the labels.
void DrawTicks(gdi::DC& dc, const Dial& dial, const ToolPens& pens, int radius, int tick, double zeroDeg, int lastDeg,
               int longEvery)
{
    dc.SelectPen(pens.graduation);
    for (int a = 0; a <= lastDeg; ++a) {
        int length = tick / 4;
        if (a % 90 == 0)
            length = radius;
        else if (a % longEvery == 0)
            length = tick;
        else if (a % 5 == 0)
            length = tick / 2;
        Line(dc, dial.At(radius, zeroDeg - a), dial.At(radius - length, zeroDeg - a));
    }
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
}

// One graduated scale of the protractor: a tick every degree from `radius` inwards, labels
// every ten degrees but at the ends and the middle.
void DrawProtractorScale(gdi::DC& dc, const Dial& dial, const ToolPens& pens, bool vertical, int radius, int tick,
                         int labelSize, bool outer)
{
    // Degree a runs clockwise from the left end of a horizontal diameter (the bottom end of a
    // vertical one); labels stand inside their ticks, their tops towards the rim.
    const double zero = vertical ? 270.0 : 180.0;
    DrawTicks(dc, dial, pens, radius, tick, zero, 180, 10);
    for (int a = 10; a < 180; a += 10) {
        if (a == 90)
            continue;
        dc.SelectFont(LabelFont(dc, labelSize, false, vertical ? 180 - a : 90 - a));
        const gdi::Point p = dial.At(radius - tick, zero - a);
        dc.TextOut(p.x, p.y, Degrees(outer ? 180 - a : a));
    }
}

// Latitude of the place the tools are drawn for: the current location's, else the dial's.
double PlaceLatitude(const CHoravelDoc& doc)
{
    if (const CDataBaseElement* place = doc.GetLocation())
        return place->latitude;
    if (const CCadran* dial = doc.GetDial())
        return dial->latitude;
    return 45.0;
}

void DrawAzimuthScale(gdi::DC& dc, const Dial& dial, const ToolPens& pens, int radius, int tick, bool outer,
                      bool north)
{
    // Degree a runs clockwise from the bottom: the equator side stands at the top (a = 180)
    // and the morning side on the left for a northern place.
    DrawTicks(dc, dial, pens, radius, tick, 270.0, 360, 15);
    for (int a = 5; a < 360; a += 5) {
        if (a % 90 == 0 || (!outer && a % 15 != 0))
            continue;
        dc.SelectFont(LabelFont(dc, 10, a % 15 == 0, 180 - a));
        const gdi::Point p = dial.At(radius - tick, 270.0 - a);
        std::string text;
        if (outer)
            text = Degrees(north ? a - 180 : 180 - a);
        else
            text = FormatNumber(north ? a / 15 : 24 - a / 15, -1) + "h";
        dc.TextOut(p.x, p.y, text);
    }
}

bool InsideSheet(const gdi::Rect& sheetTenths, gdi::Point anchorTenths, int x, int y)
{
    // Projections are y up from the anchor; the sheet is y down from its top left corner.
    const long long px = static_cast<long long>(anchorTenths.x) + x;
    const long long py = static_cast<long long>(anchorTenths.y) - y;
    return px >= sheetTenths.left && px < sheetTenths.right && py >= sheetTenths.top && py < sheetTenths.bottom;
}

// The tick of a five-minute step: its colour entry and length as a share of the margin.
struct TickKind {
    int entry;
    int numerator;
    int denominator;
};

TickKind TickOf(int step)
{
    if (step % 12 == 0)
        return {5, 1, 1};
    if (step % 6 == 0)
        return {6, 2, 3};
    if (step % 3 == 0)
        return {7, 1, 2};
    return {8, 1, 3};
}

// The document's drawing, which the protractor and the azimuth circle fill: its size, nothing
// without a document or when the drawing has no size.
std::optional<gdi::Size> ToolDrawingSize(const CHoravelDoc* doc)
{
    if (!doc)
        return std::nullopt;
    const gdi::Size size = doc->GetDrawingSizePx();
    if (size.cx <= 0 || size.cy <= 0)
        return std::nullopt;
    return size;
}

}  // namespace

void DrawProtractor(gdi::DC& dc, const gdi::Rect&)
{
    const std::optional<gdi::Size> drawing = ToolDrawingSize(GetDocument());
    if (!drawing)
        return;
    const gdi::Size page = *drawing;

    const int w9 = page.cx * 90 / 100;
    const int h9 = page.cy * 90 / 100;
    const bool vertical = w9 < h9;
    int radius = 0;
    int left = 0;
    int top = 0;
    if (vertical) {
        // A half disc standing on its vertical diameter, centred in the 90 % area.
        radius = h9 / 2;
        left = page.cx * 5 / 100 + (w9 - radius) / 2;
        top = page.cy * 5 / 100;
    } else {
        radius = w9 / 2;
        left = page.cx * 5 / 100;
        top = page.cy * 5 / 100 + (h9 - radius) / 2;
    }

    const DcAttributesGuard restore(dc);
    const ToolPens pens(dc);
    const Dial dial(dc, left + radius, top + radius);

    dc.SelectStockBrush(gdi::NULL_BRUSH);
    dc.SelectPen(pens.outline);
    for (const int r : {radius, 3 * radius / 4, radius / 4, radius / 2}) {
        const gdi::Rect box = dial.Box(r);
        // Counter-clockwise: from the top down the left side, or from the right over the top.
        const gdi::Point from = vertical ? gdi::Point{dial.cx, box.top} : gdi::Point{box.right, dial.cy};
        const gdi::Point to = vertical ? gdi::Point{dial.cx, box.bottom} : gdi::Point{box.left, dial.cy};
        dc.Chord(box.left, box.top, box.right, box.bottom, from.x, from.y, to.x, to.y);
    }
    DrawProtractorScale(dc, dial, pens, vertical, radius, 40, 11, true);
    DrawProtractorScale(dc, dial, pens, vertical, radius / 2, 20, 9, false);
}

void DrawAzimuthCircle(gdi::DC& dc, const gdi::Rect&)
{
    const CHoravelDoc* doc = GetDocument();
    const std::optional<gdi::Size> drawing = ToolDrawingSize(doc);
    if (!drawing)
        return;
    const gdi::Size page = *drawing;
    const int radius = static_cast<int>(std::min(0.9 * page.cx, 0.9 * page.cy) / 2.0);
    const bool north = PlaceLatitude(*doc) > 0.0;

    const DcAttributesGuard restore(dc);
    const ToolPens pens(dc);
    const Dial dial(dc, page.cx / 2, page.cy / 2);

    dc.SelectStockBrush(gdi::NULL_BRUSH);
    dc.SelectPen(pens.outline);
    for (const int r : {radius, 2 * radius / 3}) {
        const gdi::Rect box = dial.Box(r);
        dc.Ellipse(box.left, box.top, box.right, box.bottom);
    }
    DrawAzimuthScale(dc, dial, pens, radius, 40, true, north);
    DrawAzimuthScale(dc, dial, pens, 2 * radius / 3, 20, false, north);

    // The four sides, upright, a third of the radius from the centre: the equator side at the
    // top, west on the right in the north and on the left in the south.
    dc.SelectFont(LabelFont(dc, 10, false, 0.0));
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_BOTTOM);
    const int third = radius / 3;
    const auto word = [&](double degrees, const std::string& text) {
        const gdi::Point p = dial.At(third, degrees);
        dc.TextOut(p.x, p.y, text);
    };
    word(0.0, north ? GetTranslatedString(321) : GetTranslatedString(320));
    word(180.0, north ? GetTranslatedString(320) : GetTranslatedString(321));
    word(90.0, north ? GetTranslatedString(318) : GetTranslatedString(319));
    word(270.0, north ? GetTranslatedString(319) : GetTranslatedString(318));
}

EquinoctialRulePlan PlanEquinoctialRule(const CCadran& dial)
{
    EquinoctialRulePlan plan;
    // The dial's sheet and the style's foot, in tenths of a millimetre at full size.
    const gdi::Rect sheet{0, 0, dial.width * 10, dial.height * 10};
    gdi::Point anchor;
    dial.GetStyleAnchorPoint(sheet.left, sheet.top, sheet.right, sheet.bottom, anchor.x, anchor.y);
    const bool aboveHorizon = dial.prefs.sunAboveHorizon != 0;
    // Declination 0, the equinoctial line the dial draws (not the date line of 21 March).
    const auto& azimuth = dial.azimuthByLongitude[tablepage::kEquinoxRow];
    const auto& altitude = dial.altitudeByLongitude[tablepage::kEquinoxRow];

    const auto shadow = [&](int step, gdi::Point& p) {
        if (!dial.IsLit(azimuth[step], altitude[step], aboveHorizon))
            return false;
        dial.Project(azimuth[step], altitude[step], p.x, p.y, false, true);
        return true;
    };
    const auto onSheet = [&](int step, gdi::Point& p) {
        return shadow(step, p) && InsideSheet(sheet, anchor, p.x, p.y);
    };

    constexpr int kLastStep = CCadran::kSteps - 2;  // 23 h 55
    gdi::Point start;
    gdi::Point end;
    int s = 0;
    while (s <= kLastStep && !onSheet(s, start))
        s += 3;
    if (s > kLastStep)
        return plan;
    plan.lit = true;
    plan.startStep = plan.endStep = s;
    end = start;
    for (gdi::Point p; s + 3 <= kLastStep && onSheet(s + 3, p); s += 3) {
        plan.endStep = s + 3;
        end = p;
    }
    plan.lengthMm = std::hypot(end.x - start.x, end.y - start.y) / 10.0;

    for (int step = plan.startStep; step <= plan.endStep; ++step) {
        gdi::Point p;
        if (shadow(step, p))
            plan.marks.push_back({step, std::hypot(p.x - start.x, p.y - start.y) / 10.0});
    }
    return plan;
}

void DrawEquinoctialRule(gdi::DC& dc, const gdi::Rect&)
{
    const CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc ? doc->GetDial() : nullptr;
    if (!dial)
        return;
    const gdi::Size sheet = doc->GetSheetSizePx();
    if (sheet.cx <= 0 || sheet.cy <= 0)
        return;

    const EquinoctialRulePlan plan = PlanEquinoctialRule(*dial);
    // Distances on the dial as drawn at its scale, in reference pixels.
    const double pixelsPerMm = dial->scale * ReferencePixelsPerInchY() / 25.4;
    constexpr int kMargin = 30;
    const int length = RoundToInt(plan.lengthMm * pixelsPerMm) + 2 * kMargin;
    const int pages = length / sheet.cy + 1;
    tablepage::RequestPages(pages);

    const long long stacked = static_cast<long long>(pages) * sheet.cy;
    const int top = static_cast<int>((stacked - length) / 2);
    const gdi::Rect rule =
        PageRectToDevice(dc, {sheet.cx * 13 / 30, top, sheet.cx * 17 / 30, top + length});

    const DcAttributesGuard restore(dc);
    dc.SelectStockBrush(gdi::WHITE_BRUSH);
    dc.SelectStockPen(gdi::BLACK_PEN);
    dc.Rectangle(rule.left, rule.top, rule.right, rule.bottom);

    gdi::LogFont angleFont;
    FillLogFont(PageLengthY(dc, 10), angleFont, kFontArial, false, 90.0);
    dc.SelectFont(angleFont);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    dc.TextOut(rule.left + PageLengthX(dc, 3), (rule.top + rule.bottom) / 2,
               GetTranslatedString(687) + FormatNumber(tablepage::EquinoctialAngleDeg(*dial), -1) + kDegreeSign);

    const PageTools tools(dc);
    const PageScale scale(dc);
    const int margin = PageLengthX(dc, kMargin);
    const int firstY = rule.top + PageLengthY(dc, kMargin);
    const int interval = tablepage::GetTimeStep(dial->prefs).stride;
    const int zoneSteps = tablepage::LabelZoneSteps(*dial);

    dc.SelectFont(tools->arial9);
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BASELINE);
    for (const EquinoctialRuleMark& mark : plan.marks) {
        if (mark.step % interval != 0)
            continue;
        const int y = firstY + RoundToInt(mark.distanceMm * pixelsPerMm * scale.ky);
        const TickKind kind = TickOf(mark.step);
        dc.SelectPen(tools->EntryPen(kind.entry));
        dc.MoveTo(rule.right, y);
        dc.LineTo(rule.right - margin * kind.numerator / kind.denominator, y);
        if (mark.step % 12 == 0)
            dc.TextOut(rule.right - 4 * margin / 3, y, FormatNumber(mark.step / 12 + zoneSteps, -1) + " h");
    }
}
