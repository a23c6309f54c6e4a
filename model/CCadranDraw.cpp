// The dial's drawing: the fixed order of the families, the base construction lines, the
// clipping operations, the hour lines with their mean-time curves, the style's shadow, the
// hour numbers and the indications block.
#include "model/CCadran.h"

#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "app/Accessors.h"
#include "docview/CDrawingTools.h"
#include "model/Astronomy.h"
#include "model/DialDrawing.h"
#include "model/DialPlace.h"
#include "model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace dialdraw;

namespace {

constexpr int kHourSlots = 25;
constexpr int kJuneSolsticeRow = 34;     // 21 June
constexpr int kDecemberSolsticeRow = 70;  // 21 December

double Distance(gdi::Point a, gdi::Point b)
{
    return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y);
}

// Polar angle of the direction a -> b on the drawing, y up, radians.
double LineAngle(gdi::Point a, gdi::Point b)
{
    double radius = 0.0;
    double angle = 0.0;
    CartesianToPolar(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y, radius, angle, false, true);
    return angle;
}

int ScreenPixelsPerInchY()
{
    const int dpi = GetAppContext().screenPixelsPerInchY;
    return dpi > 0 ? dpi : 96;
}

// A height in screen pixels on dc.
int HeightOnDevice(const gdi::DC& dc, int pixels)
{
    const int dpi = dc.GetDeviceCaps(gdi::LOGPIXELSY);
    return dpi > 0 ? gdi::MulDiv(pixels, dpi, ScreenPixelsPerInchY()) : pixels;
}

}  // namespace

// ------------------------------------------------------------------------- whole dial

gdi::Rect CCadran::GetDeviceDialRect(const gdi::DC& dc) const
{
    gdi::Rect rect = dialRect;
    if (dc.IsPrinting())
        ScaleRectToDevice(dc, rect);
    return rect;
}

void CCadran::Draw(gdi::DC& dc)
{
    gdi::Rect rect = GetDeviceDialRect(dc);
    rect.Deflate(marginX, marginY);
    Draw(dc, rect);
}

void CCadran::Draw(gdi::DC& dc, const gdi::Rect& rect)
{
    ToolsScope tools(dc);
    const int saved = dc.SaveDC();
    dc.SetBkMode(gdi::TRANSPARENT);
    drawRect = rect;
    numberBoxes.clear();

    int ax = 0;
    int ay = 0;
    GetStyleAnchorPoint(rect.left, rect.top, rect.right, rect.bottom, ax, ay);

    DrawStyle(dc, ax, ay);
    if (prefs.axesXY)
        DrawAxes(dc, ax, ay);
    if (prefs.sunAboveHorizon)
        DrawHorizonLine(dc, ax, ay);
    if (prefs.substyleLine)
        DrawSubstyleLine(dc, ax, ay);
    if (prefs.steepestSlopeLine)
        DrawCentreLine(dc, rect.left, rect.top, rect.right, rect.bottom, ax, ay);
    if (prefs.hourLines)
        DrawHourLines(dc, ax, ay);
    if (prefs.italicHours)
        DrawItalicBabylonianHours(dc, false, ax, ay);
    if (prefs.babylonianHours)
        DrawItalicBabylonianHours(dc, true, ax, ay);
    bool solsticeArcsTraced = false;
    if (prefs.hourLines && prefs.diurnalArcs) {
        const int mode = prefs.diurnalArcMode;
        if (mode >= 0 && mode <= 4)
            solsticeArcsTraced = DrawLongitudeArcs(dc, ax, ay);
        else if (mode >= 5 && mode <= 8)
            solsticeArcsTraced = DrawDeclinationArcs(dc, ax, ay);
        else if (mode >= 9 && mode <= 14)
            solsticeArcsTraced = DrawCalendarArcs(dc, ax, ay);
    }
    if (prefs.horizontalLines) {
        DrawAzimuthLines(dc, ax, ay);
        DrawAltitudeLines(dc, ax, ay);
        // The solstice arcs that bound these lines, unless the diurnal arcs traced them.
        if (!solsticeArcsTraced) {
            DrawDateArc(dc, 21, 6, ax, ay);
            DrawDateArc(dc, 21, 12, ax, ay);
        }
    }
    if (prefs.styleMarking)
        DrawSpecific(dc, ax, ay);
    if (prefs.hourLines) {
        for (const std::uint32_t date : particularDates)
            DrawDateArc(dc, static_cast<int>(date / 100), static_cast<int>(date % 100), ax, ay);
    }
    {
        // The style's foot: a cross of half a millimetre.
        PenScope pen(dc, tools.Tools().blackPen);
        const int dx = TruncToInt(0.25 * pixelsPerMmX);
        const int dy = TruncToInt(0.25 * pixelsPerMmY);
        dc.MoveTo(ax - dx, ay);
        dc.LineTo(ax + dx, ay);
        dc.MoveTo(ax, ay - dy);
        dc.LineTo(ax, ay + dy);
    }
    if (prefs.hourNumbers)
        DrawHourNumbers(dc);
    if (prefs.indications)
        DrawIndications(dc);
    numberBoxes.clear();
    dc.RestoreDC(saved);
}

int CCadran::StepPenEntry(int step) const
{
    if (step % 12 == 0)
        return 5;
    if ((2 * step) % 12 == 0 && prefs.halfHourLines)
        return 6;
    if ((4 * step) % 12 == 0 && prefs.quarterHourLines)
        return 7;
    if (prefs.fiveMinuteLines)
        return 8;
    return 0;
}

void CCadran::ResetHourLabels(int count)
{
    // Every dial type may label hours 0..24, whatever was drawn before.
    const size_t slots = static_cast<size_t>(std::max(count, kHourSlots));
    hourLabelPos.assign(slots, gdi::Point{});
    hourLabelAngle.assign(slots, 0.0);
    hourLabelArcAngle.assign(slots, std::numeric_limits<double>::quiet_NaN());
}

// ------------------------------------------------------------------------- construction lines

void CCadran::DrawAxes(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    const gdi::Rect& r = drawRect;
    {
        PenScope pen(dc, tools.Tools().gridPen);
        dc.MoveTo(r.left + 1, ay);
        dc.LineTo(r.right - 1, ay);
        dc.MoveTo(ax, r.top + 1);
        dc.LineTo(ax, r.bottom - 1);
    }
    FontScope font(dc, tools.Tools().courier9);
    {
        AlignScope align(dc, gdi::TA_RIGHT | gdi::TA_BOTTOM);
        dc.TextOut(r.right - 2, ay - 1, "X");
    }
    AlignScope align(dc, gdi::TA_LEFT | gdi::TA_TOP);
    dc.TextOut(ax + 2, r.top + 1, "Y");
}

void CCadran::DrawHorizonLine(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    int x = 0;
    int y = 0;
    Project(0.0, 0.0, x, y, true, true);
    const int lineY = Offset({x, y}, {ax, ay}).y;
    if (lineY < drawRect.top || lineY > drawRect.bottom)
        return;
    PenScope pen(dc, tools.Tools().dashedBlackPen);
    dc.MoveTo(drawRect.left + 1, lineY);
    dc.LineTo(drawRect.right - 1, lineY);
}

void CCadran::DrawSubstyleLine(gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    gdi::Point end;
    if (!ClipRay(drawRect, {ax, ay}, GetCentreAngle(), end))
        return;
    PenScope pen(dc, tools.Tools().midGreyPen);
    dc.MoveTo(ax, ay);
    dc.LineTo(end.x, end.y);
}

void CCadran::DrawCentreLine(gdi::DC& dc, int left, int top, int right, int bottom, int ax, int ay)
{
    int x = 0;
    int y = 0;
    if (!GetCentre(x, y, false, false))
        return;
    const int lineX = Offset({x, y}, {ax, ay}).x;
    if (lineX < left || lineX > right)
        return;
    ToolsScope tools(dc);
    PenScope pen(dc, tools.Tools().midGreyPen);
    dc.MoveTo(lineX, top + 1);
    dc.LineTo(lineX, bottom - 1);
}

// ------------------------------------------------------------------------- clipping

bool CCadran::IsInsideDial(const gdi::Rect& rect, gdi::Point& p1, gdi::Point& p2) const
{
    const auto inside = [&](gdi::Point p) {
        return p.x >= rect.left && p.x <= rect.right && p.y >= rect.top && p.y <= rect.bottom;
    };
    const bool in1 = inside(p1);
    const bool in2 = inside(p2);
    if (in1 && in2)
        return true;
    if (!in1 && !in2)
        return false;
    // The outside end moves to where the segment leaves the rectangle.
    const gdi::Point from = in1 ? p1 : p2;
    gdi::Point& out = in1 ? p2 : p1;
    const double dx = static_cast<double>(out.x) - from.x;
    const double dy = static_cast<double>(out.y) - from.y;
    double lo = 0.0;
    double hi = 1.0;
    LineInterval(rect, from.x, from.y, dx, dy, lo, hi);
    out = Clamp({RoundToInt(from.x + hi * dx), RoundToInt(from.y + hi * dy)}, rect);
    return true;
}

bool CCadran::ClipSegmentToDial(const gdi::Rect& rect, gdi::Point& p1, gdi::Point& p2) const
{
    // The ray from p1 through p2, p1 brought inside when it is not, p2 taken to the edge.
    const double dx = static_cast<double>(p2.x) - p1.x;
    const double dy = static_cast<double>(p2.y) - p1.y;
    if (dx == 0.0 && dy == 0.0)
        return rect.left <= p1.x && p1.x <= rect.right && rect.top <= p1.y && p1.y <= rect.bottom;
    double lo = 0.0;
    double hi = HUGE_VAL;
    if (!LineInterval(rect, p1.x, p1.y, dx, dy, lo, hi))
        return false;
    const gdi::Point start = p1;
    p1 = Clamp({RoundToInt(start.x + lo * dx), RoundToInt(start.y + lo * dy)}, rect);
    p2 = Clamp({RoundToInt(start.x + hi * dx), RoundToInt(start.y + hi * dy)}, rect);
    return true;
}

bool CCadran::ClipRay(const gdi::Rect& rect, gdi::Point from, double angle, gdi::Point& end) const
{
    double dx = std::cos(angle);
    double dy = -std::sin(angle);
    const double fromVertical = std::fabs(std::remainder(angle - kPi / 2.0, kPi));
    if (fromVertical < 0.0001) {
        dx = 0.0;
        dy = dy < 0.0 ? -1.0 : 1.0;
    }
    double lo = 0.0;
    double hi = HUGE_VAL;
    if (!LineInterval(rect, from.x, from.y, dx, dy, lo, hi))
        return false;
    end = Clamp({RoundToInt(from.x + hi * dx), RoundToInt(from.y + hi * dy)}, rect);
    return true;
}

// ------------------------------------------------------------------------- hour lines

void CCadran::DrawHourLines(gdi::DC& dc, int ax, int ay)
{
    ResetHourLabels(kHourSlots);
    const gdi::Point origin{ax, ay};
    const ExportFrame frame = MakeExportFrame(*this, origin);

    int cx = 0;
    int cy = 0;
    const bool hasCentre = GetCentre(cx, cy, false, false);
    const gdi::Point centre = Offset({cx, cy}, origin);

    const int zoneSteps = localSolarTime ? 0 : GetZoneSteps();
    const int noonStep = 144 - 12 * zoneSteps;
    const bool aboveHorizon = prefs.sunAboveHorizon != 0;
    const int first = std::clamp(firstHour, 0, 24) * 12;
    const int last = std::clamp(lastHour, 0, 24) * 12;
    const bool atInner = HourLabelsAtInnerEnd();
    // The solstice arcs end the lines: where one runs through the end that clipping left in
    // place, the number keeps clear of it.
    const bool arcsDrawn = (prefs.diurnalArcs && prefs.diurnalArcMode >= 1) || prefs.horizontalLines;

    // The lines first, which place the numbers; then, once the numbers are laid out, the
    // lines drawn round them.
    std::vector<HourStep> steps;
    for (int s = first; s <= last; ++s) {
        const int entry = StepPenEntry(s);
        if (entry == 0)
            continue;
        HourStep step;
        step.s = s;
        step.entry = entry;
        step.meanTime = MeanTimeAtStep(s, noonStep);

        // The lit span of the hour between the two solstices.
        int i = kJuneSolsticeRow;
        while (i < kDecemberSolsticeRow && !IsLit(azimuthByDate[i][s], altitudeByDate[i][s], aboveHorizon))
            ++i;
        int j = kDecemberSolsticeRow;
        while (j > kJuneSolsticeRow && !IsLit(azimuthByDate[j][s], altitudeByDate[j][s], aboveHorizon))
            --j;
        if (i < j) {
            Projected a = ProjectBoth(*this, azimuthByDate[i][s], altitudeByDate[i][s], origin, frame);
            Projected b = ProjectBoth(*this, azimuthByDate[j][s], altitudeByDate[j][s], origin, frame);
            int rowA = i;
            int rowB = j;
            // The line runs away from the centre.
            if (hasCentre && Distance(a.device, centre) > Distance(b.device, centre)) {
                std::swap(a, b);
                std::swap(rowA, rowB);
            }
            step.from = a;
            step.to = b;
            const bool visible = ClipStraight(*this, frame, step.from, step.to, prefs.extendHourLines != 0);
            step.drawLine = visible && (!step.meanTime || prefs.noonMarkWithHourLine);
            const gdi::Point inner = step.from.device;
            const gdi::Point outer = step.to.device;
            if (s % 12 == 0 && visible && inner != outer) {
                const double angle = LineAngle(inner, outer);
                const size_t slot = static_cast<size_t>(s / 12);
                hourLabelPos[slot] = atInner ? inner : outer;
                hourLabelAngle[slot] = atInner ? angle - kPi / 2.0 : angle + kPi / 2.0;
                if (arcsDrawn && (atInner ? inner == a.device : outer == b.device))
                    hourLabelArcAngle[slot] = DateArcAngle(atInner ? rowA : rowB, s, origin);
            }
        }
        steps.push_back(step);
    }
    DrawHourSteps(dc, ax, ay, steps);
}

bool CCadran::MeanTimeAtStep(int s, int noonStep) const
{
    return prefs.noonMark && (prefs.noonMarkType == 1 || (prefs.noonMarkType == 0 && s == noonStep));
}

void CCadran::DrawHourSteps(gdi::DC& dc, int ax, int ay, const std::vector<HourStep>& steps)
{
    ToolsScope tools(dc);
    numberBoxes.clear();
    if (HourLinesGetNumbers())
        numberBoxes = LayOutNumbers(dc);
    for (const HourStep& step : steps) {
        if (step.drawLine) {
            PenScope pen(dc, tools.Tools().EntryPen(step.entry));
            DrawClipped(*this, dc, step.from, step.to);
        }
        if (step.extension) {
            PenScope pen(dc, tools.Tools().thinLightGreyPen);
            const gdi::Point points[2] = {step.extensionFrom, step.extensionTo};
            DrawAround(*this, dc, points, 2);
        }
        if (step.meanTime)
            DrawMeanTimeLines(dc, ax, ay, step.s);
    }
}

double CCadran::DateArcAngle(int row, int step, gdi::Point origin) const
{
    // The chord over the five minutes on either side, or on the lit side alone.
    const bool aboveHorizon = prefs.sunAboveHorizon != 0;
    const auto at = [&](int s) -> std::optional<gdi::Point> {
        if (s < 0 || s > 288 || !IsLit(azimuthByDate[row][s], altitudeByDate[row][s], aboveHorizon))
            return std::nullopt;
        int x = 0;
        int y = 0;
        Project(azimuthByDate[row][s], altitudeByDate[row][s], x, y, true, true);
        return Offset({x, y}, origin);
    };
    std::optional<gdi::Point> before = at(step - 1);
    std::optional<gdi::Point> after = at(step + 1);
    if (!before)
        before = at(step);
    if (!after)
        after = at(step);
    if (!before || !after || *before == *after)
        return std::numeric_limits<double>::quiet_NaN();
    return LineAngle(*before, *after);
}

double CCadran::SolsticeArcAngle(double azimuth, double altitude, gdi::Point origin) const
{
    double hourAngle = 0.0;
    double declination = 0.0;
    HorizontalToEquatorial(azimuth, altitude, hourAngle, declination);
    // The lines stop within a step of a tenth of a degree of altitude short of the arcs.
    if (std::fabs(declination) < (DeclinationOfLongitude(3, false) - 0.2) * kDegToRad)
        return std::numeric_limits<double>::quiet_NaN();
    if (latitude < 0.0) {
        hourAngle = -hourAngle;
        declination = -declination;
    }
    // The chord over two minutes of time on either side.
    const auto at = [&](double t) {
        double az = 0.0;
        double alt = 0.0;
        EquatorialToHorizontal(t, declination, az, alt);
        int x = 0;
        int y = 0;
        Project(az, alt, x, y, true, true);
        return Offset({x, y}, origin);
    };
    const gdi::Point before = at(hourAngle - 0.5 * kDegToRad);
    const gdi::Point after = at(hourAngle + 0.5 * kDegToRad);
    if (before == after)
        return std::numeric_limits<double>::quiet_NaN();
    return LineAngle(before, after);
}

void CCadran::DrawMeanTimeLines(gdi::DC& dc, int ax, int ay, int step)
{
    const int entry = StepPenEntry(step);
    if (entry == 0 || step < 0 || step > 288)
        return;
    ToolsScope tools(dc);
    PenScope pen(dc, tools.Tools().EntryPen(entry));

    std::vector<int> rows;
    switch (prefs.noonMarkShape) {
    case 1:
        for (int r = kJuneSolsticeRow; r <= kDecemberSolsticeRow; ++r)
            rows.push_back(r);
        break;
    case 2:
        for (int r = kDecemberSolsticeRow; r != kJuneSolsticeRow + 1; r = (r + 1) % kDateRows)
            rows.push_back(r);
        break;
    default:
        for (int r = 0; r < kDateRows; ++r)
            rows.push_back(r);
        rows.push_back(0);  // closed back to 1 January
        break;
    }

    const double correction = localSolarTime ? 0.0 : GetLongitudeCorrection();
    const double stepHourAngleDeg = (step / 12.0 - 12.0 - correction) * 15.0;
    const bool aboveHorizon = prefs.sunAboveHorizon != 0;
    const gdi::Point origin{ax, ay};

    struct Mark {
        Projected point;
        bool firstOfMonth;
    };
    std::vector<Mark> marks;
    CurveTracer tracer(*this, dc, origin);
    const size_t closing = prefs.noonMarkShape == 1 || prefs.noonMarkShape == 2 ? rows.size() : rows.size() - 1;
    for (size_t n = 0; n < rows.size(); ++n) {
        const int r = rows[n];
        const int day = (r % 6) * 5 + 1;
        const int month = r / 6 + 1;
        // Mean time runs ahead of the sun by the equation of time (mean - true).
        const double hourAngleDeg = stepHourAngleDeg - EquationOfTime(day, month) / 240.0;
        double azimuth = 0.0;
        double altitude = 0.0;
        EquatorialToHorizontal(hourAngleDeg * kDegToRad, declination[static_cast<size_t>(r)], azimuth, altitude);
        if (!IsLit(azimuth, altitude, aboveHorizon)) {
            tracer.Break();
            continue;
        }
        const Projected p = ProjectBoth(*this, azimuth, altitude, origin, tracer.Frame());
        tracer.AddPoint(p);
        if (prefs.noonMarkPointer && n != closing)
            marks.push_back({p, day == 1});
    }
    tracer.Finish();
    if (!prefs.noonMarkPointer)
        return;

    // Date marks: a diamond on the first of the month, a short tick on the other days.
    const int m = std::max(1, RoundToInt(0.6 * pixelsPerMmX * scale));
    const int mExport = 6;
    for (const Mark& mark : marks) {
        const gdi::Point c = mark.point.device;
        if (!drawRect.Contains(c))
            continue;
        const gdi::Point e = mark.point.exported;
        if (mark.firstOfMonth) {
            const gdi::Point diamond[5] = {{c.x - m, c.y}, {c.x, c.y - m}, {c.x + m, c.y}, {c.x, c.y + m}, {c.x - m, c.y}};
            dc.Polyline(diamond, 5);
            if (collectShapes) {
                BeginShape(e.x - mExport, e.y);
                AddShapePoint(e.x, e.y + mExport);
                AddShapePoint(e.x + mExport, e.y);
                AddShapePoint(e.x, e.y - mExport);
                AddShapePoint(e.x - mExport, e.y);
            }
        } else {
            const gdi::Point tick[2] = {{c.x - m, c.y}, {c.x + m, c.y}};
            dc.Polyline(tick, 2);
            if (collectShapes)
                AddSegmentShape(e.x - mExport, e.y, e.x + mExport, e.y);
        }
    }
}

// ------------------------------------------------------------------------- style's shadow

void CCadran::DrawStyle(gdi::DC& dc, int ax, int ay)
{
    if (!castShadow)
        return;
    const gdi::Point origin{ax, ay};
    gdi::Point a;
    GetExtraPoint(a.x, a.y, shadowAzimuth, shadowAltitude);
    a = Offset(a, origin);
    gdi::Point b;
    const bool hasB = GetCentre(b.x, b.y, true, false);
    b = Offset(b, origin);
    gdi::Point c;
    const bool hasC = GetCentre(c.x, c.y, false, false);
    c = Offset(c, origin);
    gdi::Point d;
    Project(shadowAzimuth, shadowAltitude, d.x, d.y, true, true);
    d = Offset(d, origin);

    // The shadow of the cut end of the style.
    bool hasE = false;
    gdi::Point e;
    if (!hasB || !hasC || b != c) {
        bool truncate = styleTruncation != 0;
        double endHeight = 0.0;
        const int savedHeight = styleHeight;
        styleHeight = RoundToInt(GetStyleLength(truncate, endHeight));
        Project(shadowAzimuth, shadowAltitude, e.x, e.y, true, false);
        styleHeight = savedHeight;
        e = Offset(e, b);
        hasE = true;
    }

    const gdi::Pen greyPen{gdi::PS_SOLID, 3, gdi::RGB(128, 128, 128)};
    PenScope pen(dc, greyPen);
    const gdi::Brush oldBrush = dc.SelectBrush(gdi::Brush{gdi::BS_SOLID, gdi::RGB(128, 128, 128)});
    std::vector<gdi::Point> outline;
    switch (styleShape) {
    case 0:
        dc.MoveTo(hasE ? e.x : c.x, hasE ? e.y : c.y);
        dc.LineTo(d.x, d.y);
        break;
    case 1:
        dc.MoveTo(a.x, a.y);
        dc.LineTo(d.x, d.y);
        break;
    case 2:
    case 3:
        outline = {a, d};
        if (hasE)
            outline.push_back(e);
        outline.push_back(b);
        if (styleShape == 2)
            dc.Polyline(outline.data(), static_cast<int>(outline.size()));
        else
            dc.Polygon(outline.data(), static_cast<int>(outline.size()));
        break;
    default:
        break;
    }
    dc.SelectBrush(oldBrush);
}

// ------------------------------------------------------------------------- hour numbers

namespace {

// The blank between the end of a line and its number.
int NumberGap(const gdi::DC& dc)
{
    return std::max(1, dc.GetTextMetrics().height / 4);
}

// How much wider than a number the lines leave it: half the blank, so that the line whose
// end it stands beyond stays whole.
double NumberMargin(const gdi::DC& dc)
{
    return NumberGap(dc) / 2.0;
}

// A number that would come within a blank of the number before it is left out.
bool Crowds(const gdi::DC& dc, const std::optional<LabelBox>& lastWritten, const LabelBox& box)
{
    return lastWritten && Overlap(*lastWritten, box, dc.GetTextExtent(" ").cx);
}

}  // namespace

std::string CCadran::LabelText(int slot) const
{
    if (prefs.horizontalLines && prefs.azimuthStep > 0) {
        const int step = prefs.azimuthStep;
        return FormatNumber(step * (slot - 180 / step), -1) + "\xC2\xB0";
    }
    int h = slot + (localSolarTime ? 0 : GetZoneSteps());
    // The zone may carry an hour past midnight either way.
    while (h > 24)
        h -= 24;
    while (h < 0)
        h += 24;
    if (!prefs.hours24 && h > 12)
        h -= 12;
    return prefs.romanNumerals ? FormatRomanHour(h) : FormatNumber(h, -1);
}

std::optional<gdi::LogFont> CCadran::LabelFont(const gdi::DC& dc, double lineAngle) const
{
    const int height = RoundToInt(HeightOnDevice(dc, 12) * scale);
    if (height < 1)
        return std::nullopt;
    gdi::LogFont font;
    FillLogFont(height, font, kFontTimes, false, StanceAtLineEnd(lineAngle).escapementDeg);
    return font;
}

bool CCadran::HourLinesGetNumbers() const
{
    // The azimuth lines take the slots over, whatever their step.
    return prefs.hourNumbers && prefs.hourLines && !prefs.horizontalLines;
}

std::optional<CCadran::NumberPlace> CCadran::PlaceHourLabel(const gdi::DC& dc, int hour, const std::string& text) const
{
    return PlaceAtLineEnd(dc, hour, text, 0);
}

std::optional<CCadran::NumberPlace> CCadran::PlaceAtLineEnd(const gdi::DC& dc, int hour, const std::string& text,
                                                             int further) const
{
    const size_t slot = static_cast<size_t>(hour);
    if (hour < 0 || slot >= hourLabelPos.size() || slot >= hourLabelAngle.size() || hourLabelPos[slot].x == 0)
        return std::nullopt;
    const gdi::Point end = hourLabelPos[slot];
    const LabelBox::PointD into = StanceAtLineEnd(hourLabelAngle[slot]).intoLine;
    // Beyond the end, a blank away from it, and further when a date arc crosses the line
    // there aslant, so that the arc passes by the number's corners.
    double away = NumberGap(dc) + further;
    const double arc = slot < hourLabelArcAngle.size() ? hourLabelArcAngle[slot]
                                                          : std::numeric_limits<double>::quiet_NaN();
    if (!std::isnan(arc)) {
        const LabelBox atEnd = TextBox(dc, end.x, end.y, text);
        // Out to the corners of the room the lines leave round the number.
        double halfWidth = 0.0;
        for (const LabelBox::PointD& c : atEnd.corners)
            halfWidth = std::max(halfWidth, std::fabs((c.x - end.x) * -into.y + (c.y - end.y) * into.x));
        halfWidth += NumberMargin(dc);
        // The arc's direction on the device, along the line and across it.
        const double tx = std::cos(arc);
        const double ty = -std::sin(arc);
        const double along = std::fabs(tx * into.x + ty * into.y);
        const double across = std::fabs(tx * -into.y + ty * into.x);
        // An arc nearly along the line would send the number away from it: it goes no
        // further than two text heights.
        const double most = 2.0 * dc.GetTextMetrics().height;
        away += halfWidth * along < most * across ? halfWidth * along / across : most;
    }
    const gdi::Point p{end.x - RoundToInt(into.x * away), end.y - RoundToInt(into.y * away)};
    // A number cut by the edge of the dial moves back along its line into the dial; one that
    // cannot get in is left out. Whole pixels: a little further when rounding leaves a corner
    // out.
    NumberPlace place{p, TextBox(dc, p.x, p.y, text)};
    double step = 0.0;
    for (int tries = 0;; ++tries) {
        const std::optional<double> rest = DistanceInto(place.box, into.x, into.y, drawRect);
        if (rest && *rest == 0.0)
            return place;
        if (!rest || tries == 4)
            return std::nullopt;
        step += std::ceil(*rest);
        place.at = {p.x + RoundToInt(into.x * step), p.y + RoundToInt(into.y * step)};
        place.box = TextBox(dc, place.at.x, place.at.y, text);
    }
}

template <class Each>
void CCadran::ForEachNumber(gdi::DC& dc, Each each)
{
    int count = 0;
    if (prefs.hourLines)
        count = kHourSlots;
    if (prefs.horizontalLines && prefs.azimuthStep > 0)
        count = 360 / prefs.azimuthStep;
    count = std::min(count, static_cast<int>(std::min(hourLabelPos.size(), hourLabelAngle.size())));
    const gdi::LogFont oldFont = dc.GetCurrentFont();
    const unsigned oldAlign = dc.GetTextAlign();
    for (int i = 0; i < count; ++i) {
        const size_t slot = static_cast<size_t>(i);
        if (hourLabelPos[slot].x == 0)
            continue;
        const std::optional<gdi::LogFont> font = LabelFont(dc, hourLabelAngle[slot]);
        if (!font)
            break;
        dc.SelectFont(*font);
        dc.SetTextAlign(StanceAtLineEnd(hourLabelAngle[slot]).align);
        each(i, LabelText(i));
    }
    dc.SetTextAlign(oldAlign);
    dc.SelectFont(oldFont);
}

std::vector<LabelBox> CCadran::LayOutNumbers(gdi::DC& dc)
{
    // A metafile is an export: its lines stay whole.
    std::vector<LabelBox> boxes;
    if (dc.IsMetafile())
        return boxes;
    std::optional<LabelBox> lastWritten;
    ForEachNumber(dc, [&](int i, const std::string& text) {
        const std::optional<NumberPlace> place = PlaceHourLabel(dc, i, text);
        if (place && !Crowds(dc, lastWritten, place->box)) {
            lastWritten = place->box;
            boxes.push_back(Widened(place->box, NumberMargin(dc)));
        }
    });
    return boxes;
}

void CCadran::DrawHourLabel(gdi::DC& dc, int hour, const std::string& text, std::optional<LabelBox>& lastWritten)
{
    const std::optional<NumberPlace> place = PlaceHourLabel(dc, hour, text);
    if (!place || Crowds(dc, lastWritten, place->box))
        return;
    lastWritten = place->box;
    dc.TextOut(place->at.x, place->at.y, text);
}

void CCadran::DrawHourNumbers(gdi::DC& dc)
{
    std::optional<LabelBox> lastWritten;
    const gdi::COLORREF oldColor = dc.SetTextColor(gdi::RGB(0, 0, 0));
    ForEachNumber(dc, [&](int i, const std::string& text) { DrawHourLabel(dc, i, text, lastWritten); });
    dc.SetTextColor(oldColor);
}

// ------------------------------------------------------------------------- indications

void CCadran::DrawIndications(gdi::DC& dc)
{
    const int g = HeightOnDevice(dc, TruncToInt(styleHeight * 0.15 + 5.0));
    gdi::Rect block;
    block.left = drawRect.left + g;
    block.right = drawRect.right - g;
    if (typeCode == 1) {
        block.top = drawRect.bottom - 3 * g;
        block.bottom = drawRect.bottom - g;
    } else {
        block.top = drawRect.top + g;
        block.bottom = drawRect.top + 3 * g;
    }
    block.Deflate(g / 5, g / 5);

    gdi::LogFont font;
    FillLogFont(g, font, kFontTimes, false, 0.0);
    FontScope fontScope(dc, font);
    const gdi::COLORREF oldColor = dc.SetTextColor(gdi::RGB(0, 0, 0));
    // Both lines stand on their edge of the block: the place above it, the type inside it.
    const int centreX = block.left + block.Width() / 2;
    AlignScope align(dc, gdi::TA_BOTTOM | gdi::TA_CENTER);
    if (const auto place = GetDialPlaceTexts())
        dc.TextOut(centreX, block.top, place->name + ", " + place->country + " " + place->latitude + " " + place->longitude);
    std::string typeName;
    GetTypeName(typeName, true, true);
    dc.TextOut(centreX, block.bottom, typeName);
    dc.SetTextColor(oldColor);
}
