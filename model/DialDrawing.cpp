#include "model/DialDrawing.h"

#include "app/Accessors.h"
#include "docview/CDrawingTools.h"
#include "model/Astronomy.h"
#include "model/LabelBoxes.h"
#include "model/PlaneDialGeometry.h"
#include "model/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace dialdraw {

ToolsScope::ToolsScope(const gdi::DC& dc)
{
    tools_ = GetDrawingTools();
    if (!tools_) {
        own_ = std::make_unique<CDrawingTools>(dc);
        tools_ = own_.get();
        GetAppContext().drawingTools = tools_;
    }
}

ToolsScope::~ToolsScope()
{
    if (own_ && GetAppContext().drawingTools == own_.get())
        GetAppContext().drawingTools = nullptr;
}

namespace {

// A coordinate kept within +-2^29.
int Limited(std::int64_t v)
{
    static constexpr std::int64_t kLimit = std::int64_t{1} << 29;
    return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

}  // namespace

gdi::Point Offset(gdi::Point p, gdi::Point origin)
{
    return {Limited(std::int64_t{p.x} + origin.x), Limited(std::int64_t{p.y} + origin.y)};
}

bool LineInterval(const gdi::Rect& rect, double px, double py, double dx, double dy, double& lo, double& hi)
{
    const auto edge = [&](double p, double d, double low, double high) {
        if (d == 0.0)
            return p >= low && p <= high;
        double t1 = (low - p) / d;
        double t2 = (high - p) / d;
        if (t1 > t2)
            std::swap(t1, t2);
        lo = std::max(lo, t1);
        hi = std::min(hi, t2);
        return lo <= hi;
    };
    return edge(px, dx, rect.left, rect.right) && edge(py, dy, rect.top, rect.bottom) && lo <= hi;
}

gdi::Point Clamp(gdi::Point p, const gdi::Rect& rect)
{
    return {std::clamp(p.x, rect.left, std::max(rect.left, rect.right)),
            std::clamp(p.y, rect.top, std::max(rect.top, rect.bottom))};
}

bool ClipSegment(const gdi::Rect& rect, gdi::Point& a, gdi::Point& b)
{
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    double lo = 0.0;
    double hi = 1.0;
    if (!LineInterval(rect, a.x, a.y, dx, dy, lo, hi))
        return false;
    const gdi::Point start = a;
    if (lo > 0.0)
        a = Clamp({RoundToInt(start.x + lo * dx), RoundToInt(start.y + lo * dy)}, rect);
    if (hi < 1.0)
        b = Clamp({RoundToInt(start.x + hi * dx), RoundToInt(start.y + hi * dy)}, rect);
    return true;
}

ExportFrame MakeExportFrame(const CCadran& dial, gdi::Point origin)
{
    // In 64 bits, then limited as Offset limits: a damaged document may hold any size and
    // anchor.
    const std::int64_t anchorX = std::int64_t{dial.anchorX} * 10;
    const std::int64_t anchorY = (std::int64_t{dial.height} - dial.anchorY) * 10;
    const gdi::Rect sheet{0, 0, Limited(std::int64_t{dial.width} * 10), Limited(std::int64_t{dial.height} * 10)};
    ExportFrame frame;
    frame.anchor = {Limited(anchorX), Limited(anchorY)};
    // Device pixels per tenth of a millimetre of the dial.
    const double kx = dial.scale * dial.pixelsPerMmX / 10.0;
    const double ky = dial.scale * dial.pixelsPerMmY / 10.0;
    const gdi::Rect& r = dial.GetDrawRect();
    if (!(kx > 0.0) || !(ky > 0.0) || r.IsEmpty()) {
        frame.rect = sheet;
        return frame;
    }
    frame.rect.left = Limited(anchorX + RoundToInt((static_cast<double>(r.left) - origin.x) / kx));
    frame.rect.right = Limited(anchorX + RoundToInt((static_cast<double>(r.right) - origin.x) / kx));
    frame.rect.top = Limited(anchorY - RoundToInt((static_cast<double>(r.bottom) - origin.y) / ky));
    frame.rect.bottom = Limited(anchorY - RoundToInt((static_cast<double>(r.top) - origin.y) / ky));
    // Pixels are coarser than the export: keep it on the sheet.
    frame.rect = gdi::Rect::Intersect(frame.rect, sheet);
    return frame;
}

Projected ProjectBoth(const CCadran& dial, double azimuth, double altitude, gdi::Point origin,
                      const ExportFrame& frame)
{
    Projected p;
    dial.Project(azimuth, altitude, p.device.x, p.device.y, true, true);
    p.device = Offset(p.device, origin);
    if (dial.collectShapes) {
        dial.Project(azimuth, altitude, p.exported.x, p.exported.y, false, true);
        p.exported = Offset(p.exported, frame.anchor);
    }
    return p;
}

namespace {

// The export piece of a segment drawn on the device: clipped to the export rectangle the
// same way; a piece the rounding of the device lets through but the export rectangle would
// not is pinned to its edge, so that the export keeps every drawn piece.
void ClipExport(const CCadran& dial, const ExportFrame& frame, gdi::Point& a, gdi::Point& b, bool extend)
{
    const bool kept = extend ? dial.ClipSegmentToDial(frame.rect, a, b) : ClipSegment(frame.rect, a, b);
    if (!kept) {
        a = Clamp(a, frame.rect);
        b = Clamp(b, frame.rect);
    }
}

}  // namespace

bool DrawStraight(CCadran& dial, gdi::DC& dc, const ExportFrame& frame, Projected& a, Projected& b, bool extend)
{
    if (!ClipStraight(dial, frame, a, b, extend))
        return false;
    DrawClipped(dial, dc, a, b);
    return true;
}

bool ClipStraight(const CCadran& dial, const ExportFrame& frame, Projected& a, Projected& b, bool extend)
{
    const gdi::Rect& rect = dial.GetDrawRect();
    const bool visible = extend ? dial.ClipSegmentToDial(rect, a.device, b.device)
                                : ClipSegment(rect, a.device, b.device);
    if (!visible)
        return false;
    if (dial.collectShapes)
        ClipExport(dial, frame, a.exported, b.exported, extend);
    return true;
}

namespace {

// A number box as the lines meet it: its bounds, to pass by the segments far from it at
// little cost, and its edges, each with the normal pointing out of the box.
struct KeepOut {
    double left = HUGE_VAL;
    double top = HUGE_VAL;
    double right = -HUGE_VAL;
    double bottom = -HUGE_VAL;
    struct Edge {
        LabelBox::PointD from;
        double nx = 0.0;
        double ny = 0.0;
    };
    std::array<Edge, 4> edges{};
};

KeepOut KeepOutOf(const LabelBox& box)
{
    KeepOut k;
    for (const LabelBox::PointD& c : box.corners) {
        k.left = std::min(k.left, c.x);
        k.right = std::max(k.right, c.x);
        k.top = std::min(k.top, c.y);
        k.bottom = std::max(k.bottom, c.y);
    }
    // Each edge keeps the side of the box's centre.
    double cx = 0.0, cy = 0.0;
    for (const LabelBox::PointD& c : box.corners) {
        cx += c.x / 4.0;
        cy += c.y / 4.0;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const LabelBox::PointD& e0 = box.corners[i];
        const LabelBox::PointD& e1 = box.corners[(i + 1) % 4];
        double nx = e1.y - e0.y;
        double ny = e0.x - e1.x;
        if ((cx - e0.x) * nx + (cy - e0.y) * ny > 0.0) {
            nx = -nx;
            ny = -ny;
        }
        k.edges[i] = {e0, nx, ny};
    }
    return k;
}

// The part [lo, hi] of the segment from p along d inside the convex box; false when none.
bool InsideBox(const KeepOut& box, double px, double py, double dx, double dy, double& lo, double& hi)
{
    lo = 0.0;
    hi = 1.0;
    for (const KeepOut::Edge& e : box.edges) {
        // Inside where (point - e.from) . n <= 0.
        const double start = (px - e.from.x) * e.nx + (py - e.from.y) * e.ny;
        const double rate = dx * e.nx + dy * e.ny;
        if (rate == 0.0) {
            if (start > 0.0)
                return false;
            continue;
        }
        const double t = -start / rate;
        if (rate > 0.0)
            hi = std::min(hi, t);
        else
            lo = std::max(lo, t);
    }
    return lo < hi;
}

}  // namespace

void DrawAround(const CCadran& dial, gdi::DC& dc, const gdi::Point* points, int count)
{
    if (dial.numberBoxes.empty()) {
        dc.Polyline(points, count);
        return;
    }
    std::vector<KeepOut> boxes;
    boxes.reserve(dial.numberBoxes.size());
    for (const LabelBox& box : dial.numberBoxes)
        boxes.push_back(KeepOutOf(box));
    std::vector<gdi::Point> run;
    const auto flush = [&] {
        if (run.size() >= 2)
            dc.Polyline(run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    // The parts of the segment the boxes leave, in order.
    std::vector<std::pair<double, double>> covered;
    for (int k = 1; k < count; ++k) {
        const gdi::Point p = points[k - 1];
        const gdi::Point q = points[k];
        const double dx = static_cast<double>(q.x) - p.x;
        const double dy = static_cast<double>(q.y) - p.y;
        covered.clear();
        const auto at = [&](double t) { return gdi::Point{p.x + RoundToInt(t * dx), p.y + RoundToInt(t * dy)}; };
        for (const KeepOut& box : boxes) {
            if (std::max(p.x, q.x) < box.left || std::min(p.x, q.x) > box.right || std::max(p.y, q.y) < box.top ||
                std::min(p.y, q.y) > box.bottom)
                continue;
            double lo = 0.0, hi = 1.0;
            // A corner the line only grazes leaves no pixel out.
            if (InsideBox(box, p.x, p.y, dx, dy, lo, hi) && at(lo) != at(hi))
                covered.emplace_back(lo, hi);
        }
        std::sort(covered.begin(), covered.end());
        double from = 0.0;
        for (const auto& [lo, hi] : covered) {
            if (lo > from) {
                if (run.empty() || run.back() != at(from)) {
                    flush();
                    run.push_back(at(from));
                }
                run.push_back(at(lo));
                flush();
            }
            from = std::max(from, hi);
        }
        if (from < 1.0) {
            if (run.empty() || run.back() != at(from)) {
                flush();
                run.push_back(at(from));
            }
            run.push_back(q);
        } else {
            flush();
        }
    }
    flush();
}

void DrawClipped(CCadran& dial, gdi::DC& dc, const Projected& a, const Projected& b)
{
    const gdi::Point points[2] = {a.device, b.device};
    DrawAround(dial, dc, points, 2);
    if (dial.collectShapes)
        dial.AddSegmentShape(a.exported.x, a.exported.y, b.exported.x, b.exported.y);
}

CurveTracer::CurveTracer(CCadran& dial, gdi::DC& dc, gdi::Point origin)
    : dial_(dial), dc_(dc), origin_(origin), record_(dial.collectShapes != 0), frame_(MakeExportFrame(dial, origin))
{
}

void CurveTracer::Add(double azimuth, double altitude)
{
    AddPoint(ProjectBoth(dial_, azimuth, altitude, origin_, frame_));
}

void CurveTracer::AddPoint(const Projected& p)
{
    if (!havePrevious_) {
        previous_ = p;
        havePrevious_ = true;
        return;
    }
    Projected a = previous_;
    Projected b = p;
    previous_ = p;
    if (!dial_.IsInsideDial(dial_.GetDrawRect(), a.device, b.device))
        return;
    const bool continues = !polyline_.empty() && polyline_.back() == a.device;
    if (!continues) {
        Flush();
        polyline_.push_back(a.device);
    }
    polyline_.push_back(b.device);
    if (record_) {
        if (!dial_.IsInsideDial(frame_.rect, a.exported, b.exported)) {
            a.exported = Clamp(a.exported, frame_.rect);
            b.exported = Clamp(b.exported, frame_.rect);
        }
        if (!continues)
            dial_.BeginShape(a.exported.x, a.exported.y);
        dial_.AddShapePoint(b.exported.x, b.exported.y);
    }
}

void CurveTracer::Break()
{
    havePrevious_ = false;
}

void CurveTracer::Flush()
{
    if (polyline_.size() >= 2)
        DrawAround(dial_, dc_, polyline_.data(), static_cast<int>(polyline_.size()));
    polyline_.clear();
}

void CurveTracer::Finish()
{
    Flush();
    havePrevious_ = false;
}

void DrawPolylineCross(gdi::DC& dc, gdi::Point p, int half)
{
    const gdi::Point horizontal[2] = {{p.x - half, p.y}, {p.x + half, p.y}};
    const gdi::Point vertical[2] = {{p.x, p.y - half}, {p.x, p.y + half}};
    dc.Polyline(horizontal, 2);
    dc.Polyline(vertical, 2);
}

void DrawFootMark(const CCadran& dial, gdi::DC& dc, gdi::Point foot)
{
    ToolsScope tools(dc);
    PenScope pen(dc, tools.Tools().blackPen);
    FontScope font(dc, tools.Tools().courier9);
    const int m = RoundToInt(dial.pixelsPerMmX);
    DrawPolylineCross(dc, foot, m);
    AlignScope align(dc, gdi::TA_LEFT | gdi::TA_TOP);
    dc.TextOut(foot.x + m, foot.y + m / 2, "A");
}

void DrawStyleShadow(gdi::DC& dc, gdi::Point from, gdi::Point to, bool greyBrush)
{
    ToolsScope tools(dc);
    const gdi::COLORREF grey = gdi::RGB(192, 192, 192);
    PenScope pen(dc, gdi::Pen{gdi::PS_SOLID, std::max(1, RoundToInt(3.0 * tools.Tools().Scale())), grey});
    std::optional<gdi::Brush> oldBrush;
    if (greyBrush)
        oldBrush = dc.SelectBrush(gdi::Brush{gdi::BS_SOLID, grey});
    const gdi::Point points[2] = {from, to};
    dc.Polyline(points, 2);
    if (oldBrush)
        dc.SelectBrush(*oldBrush);
}

bool LongitudeRowDrawn(int k, int mode)
{
    if ((k == 9 || k == 27) && mode != 0)
        return true;
    if ((k == 0 || k == 18) && (mode == 0 || mode == 2))
        return true;
    return (k % 3 == 0 && mode == 3) || mode == 4;
}

int LongitudePenEntry(int k)
{
    if (k % 3 != 0)
        return 16;
    switch (k / 3) {
    case 0: case 6: return 12;
    case 1: case 5: return 13;
    case 2: case 4: return 14;
    case 3: return 15;
    case 7: case 11: return 11;
    case 8: case 10: return 10;
    default: return 9;
    }
}

EquatorialSun EquatorialSun::At(double hourAngle, double declination)
{
    return {hourAngle, std::sin(hourAngle), std::cos(hourAngle), declination, std::sin(declination),
            std::cos(declination)};
}

void EquatorialSun::SetHourAngle(double angle)
{
    hourAngle = angle;
    sinHourAngle = std::sin(angle);
    cosHourAngle = std::cos(angle);
}

namespace {

// |z| of the suns left to the fast route: nearer the zenith or the nadir
// EquatorialToHorizontal picks an azimuth of its own.
constexpr double kBelowZenith = 1.0 - 1e-10;

// True when value rounds to the same integer anywhere within slack of it.
bool Settled(double value, double slack)
{
    const double a = std::fabs(value);
    if (!(a < 1e9))
        return false;
    const double fraction = a - static_cast<double>(static_cast<long long>(a));
    return std::fabs(fraction - 0.5) > slack;
}

}  // namespace

SunProjector::SunProjector(const CCadran& dial, gdi::Point origin, const ExportFrame& frame, bool aboveHorizonOnly)
    : dial_(dial),
      origin_(origin),
      frame_(frame),
      aboveHorizonOnly_(aboveHorizonOnly),
      collect_(dial.collectShapes != 0)
{
    haveMap_ = !SiteAtPole() && dial.GetFaceMap(map_);
    site_ = CurrentSiteFrame();
}

bool SunProjector::OnFastRoute(const EquatorialSun& sun, HorizontalVector& v) const
{
    if (!haveMap_)
        return false;
    v = EquatorialToHorizontalVector(site_, sun.sinHourAngle, sun.cosHourAngle, sun.sinDeclination, sun.cosDeclination);
    return std::fabs(v.z) < kBelowZenith;
}

FaceMap::Light SunProjector::LightOf(const EquatorialSun& sun) const
{
    HorizontalVector v;
    return OnFastRoute(sun, v) ? map_.LightOf(v, aboveHorizonOnly_) : FaceMap::Light::Unsure;
}

bool SunProjector::Project(const EquatorialSun& sun, Projected& p) const
{
    HorizontalVector v;
    if (OnFastRoute(sun, v)) {
        const FaceMap::Light light = map_.LightOf(v, aboveHorizonOnly_);
        if (light == FaceMap::Light::Unlit)
            return false;
        if (light == FaceMap::Light::Lit && FastPoints(v, p))
            return true;
    }
    double azimuth = 0.0;
    double altitude = 0.0;
    EquatorialToHorizontal(sun.hourAngle, sun.sinHourAngle, sun.cosHourAngle, sun.declination, sun.sinDeclination,
                           sun.cosDeclination, azimuth, altitude);
    if (!dial_.IsLit(azimuth, altitude, aboveHorizonOnly_))
        return false;
    p = ProjectBoth(dial_, azimuth, altitude, origin_, frame_);
    return true;
}

bool SunProjector::FastPoints(const HorizontalVector& v, Projected& p) const
{
    double u = 0.0;
    double w = 0.0;
    double facing = 0.0;
    map_.Shadow(v, u, w, facing);
    // How far the trigonometry of Project may round from these products, in millimetres,
    // with a wide margin: both lose precision as the sun grazes the face.
    const double slackMm = std::max(1e-12 * (std::fabs(dial_.styleHeight) + std::fabs(u) + std::fabs(w)) * (1.0 / facing), 1e-12);
    // The units of Project, by its own conversion.
    double x = 0.0;
    double y = 0.0;
    planedial::FacePointToDialUnrounded(dial_, u, w, x, y, true, true);
    if (!Settled(x, slackMm * std::fabs(dial_.scale * dial_.pixelsPerMmX)) ||
        !Settled(y, slackMm * std::fabs(dial_.scale * dial_.pixelsPerMmY)))
        return false;
    p.device = Offset({RoundToInt(x), RoundToInt(y)}, origin_);
    if (collect_) {
        double tenthsX = 0.0;
        double tenthsY = 0.0;
        planedial::FacePointToDialUnrounded(dial_, u, w, tenthsX, tenthsY, false, true);
        if (!Settled(tenthsX, 10.0 * slackMm) || !Settled(tenthsY, 10.0 * slackMm))
            return false;
        p.exported = Offset({RoundToInt(tenthsX), RoundToInt(tenthsY)}, frame_.anchor);
    } else {
        p.exported = {};
    }
    return true;
}

}  // namespace dialdraw
