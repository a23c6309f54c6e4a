// The dial base: construction, set-up, the three sun tables, the style anchor, page and
// anchor coordinates, and the page frames.
#include "model/CCadran.h"

#include "app/Accessors.h"
#include "app/GraphicsHelpers.h"
#include "docview/CObjetCadre.h"
#include "model/Astronomy.h"
#include "model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

HV_IMPLEMENT_SERIAL(CCadran, Serializable, 8)

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr int kLabelSlots = 25;
constexpr int kStepsPerHour = 12;

int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// a x b / c truncated toward zero, without overflow (c must not be 0).
int MulDivTrunc(long long a, long long b, long long c)
{
    return ClampToInt(a * b / c);
}

}  // namespace

CCadran::CCadran()
{
    const AppContext& context = GetAppContext();
    symmetricMargins = context.defaultSymmetricMargins;
    pixelsPerMmX = context.screenPixelsPerInchY / 25.4;
    pixelsPerMmY = context.screenPixelsPerInchY / 25.4;
    referenceYear = GetAstroYear();
    hourLabelPos.assign(kLabelSlots, gdi::Point{});
    hourLabelAngle.assign(kLabelSlots, 0.0);
    SetAstroDate(1, 1, 2004, 0.0);
    UpdateOrbitElements();
}

CCadran::~CCadran()
{
    ClearExportShapes();
}

// ---------------------------------------------------------------- set-up and tables

void CCadran::SetYear(int year)
{
    referenceYear = year;
    SetAstroYear(year);
}

void CCadran::SetTypeAndPlane(int code, double angle1Deg, double angle2Deg)
{
    typeCode = code;
    styleHeight = code == 3 ? 20 : 40;
    planeAngle1 = angle1Deg * kDegToRad;
    planeAngle2 = angle2Deg * kDegToRad;
}

int CCadran::DateRow(int month, int day)
{
    return (month - 1) * 6 + (day - 1) / 5;
}

void CCadran::ComputeEquatorialCoords(int month, int day)
{
    const int row = DateRow(month, day);
    if (row < 0 || row >= kDateRows)
        return;
    ApparentSunPosition(day, month, rightAscension[row], declination[row]);
    eqTableValid = 1;
}

namespace {

// Hour angle (radians) of a five-minute column: column 144 is noon of the hour lines'
// time, shifted by correctionHours when the lines are not in local solar time.
double ColumnHourAngle(int column, double correctionHours)
{
    const double hours = column / kStepsPerHour + static_cast<double>(column % kStepsPerHour) / kStepsPerHour;
    return (hours - 12.0 - correctionHours) * 15.0 * kDegToRad;
}

}  // namespace

void CCadran::ComputeDateTable(int month, int day)
{
    const int row = DateRow(month, day);
    if (row < 0 || row >= kDateRows)
        return;
    const double k = localSolarTime ? 0.0 : GetLongitudeCorrection();
    const int year = GetAstroYear();
    for (int c = 0; c < kSteps - 1; ++c) {
        SetAstroDate(day, month, year, c / kStepsPerHour + static_cast<double>(c % kStepsPerHour) / kStepsPerHour);
        EquatorialToHorizontal(ColumnHourAngle(c, k), declination[row], azimuthByDate[row][c],
                               altitudeByDate[row][c]);
    }
    EquatorialToHorizontal((12.0 - k) * 15.0 * kDegToRad, declination[row], azimuthByDate[row][kSteps - 1],
                           altitudeByDate[row][kSteps - 1]);
    dateTableValid = 1;
}

void CCadran::ComputeLongitudeTable(int k)
{
    if (k < 0 || k >= kLongitudeRows)
        return;
    const double dec = DeclinationOfLongitude(k, true) * kDegToRad;
    const double correction = localSolarTime ? 0.0 : GetLongitudeCorrection();
    for (int c = 0; c < kSteps; ++c)
        EquatorialToHorizontal(ColumnHourAngle(c, correction), dec, azimuthByLongitude[k][c],
                               altitudeByLongitude[k][c]);
    longitudeTableValid = 1;
}

void CCadran::ComputeAllTables()
{
    static constexpr int kTableDays[] = {1, 6, 11, 16, 21, 26};
    for (int month = 1; month <= 12; ++month) {
        for (int day : kTableDays) {
            ComputeEquatorialCoords(month, day);
            ComputeDateTable(month, day);
        }
    }
    for (int k = 0; k < kLongitudeRows; ++k)
        ComputeLongitudeTable(k);
}

// ---------------------------------------------------------------- style anchor

void CCadran::SetStyleAnchorPercent(int px, int py)
{
    anchorPercentX = px;
    anchorPercentY = py;
    anchorX = MulDivTrunc(width, px, 100);
    anchorY = MulDivTrunc(height, py, 100);
    RecordPointB();
}

void CCadran::SetStyleAnchorPosition(int x, int y)
{
    PlaceStyleAnchor(x, y);
    RecordPointB();
}

void CCadran::PlaceStyleAnchor(int x, int y)
{
    anchorX = x;
    anchorY = y;
    // A dial of no width or height keeps its percentages.
    if (width != 0)
        anchorPercentX = MulDivTrunc(x, 100, width);
    if (height != 0)
        anchorPercentY = MulDivTrunc(y, 100, height);
}

void CCadran::RecordPointB()
{
    int dx = 0;
    int dy = 0;
    GetCentreOffset(dx, dy);
    pointBX = anchorX * 10LL + dx;
    pointBY = anchorY * 10LL - dy;
}

void CCadran::UpdateStyleAnchor(int mode)
{
    if (mode == -1)
        mode = anchoringMode;
    if (mode == 2) {
        SetStyleAnchorPosition(anchorX, anchorY);
    } else if (mode == 3) {
        int dx = 0;
        int dy = 0;
        GetCentreOffset(dx, dy);
        // From B as it was placed, not from the anchor: moving by the offset on each call
        // would shift the style again at every call. An offset of (0, 0) puts A on B.
        PlaceStyleAnchor(RoundToInt(static_cast<double>(pointBX - dx) / 10.0),
                         RoundToInt(static_cast<double>(pointBY + dy) / 10.0));
    } else {
        SetStyleAnchorPercent(anchorPercentX, anchorPercentY);
    }
}

void CCadran::SetDialRect(int left, int top, int right, int bottom)
{
    dialRect = {left, top, right, bottom};
}

void CCadran::SetStyleHeight(int h)
{
    const int old = styleHeight;
    styleHeight = h;
    if (old == 0)
        return;
    for (const auto& frame : frames) {
        if (frame->anchoring != CObjetCadre::kAnchorFollowDial)
            continue;
        frame->x = MulDivTrunc(frame->x, h, old);
        frame->y = MulDivTrunc(frame->y, h, old);
    }
}

// ---------------------------------------------------------------- page and anchor coordinates

gdi::Rect CCadran::GetInnerRect() const
{
    gdi::Rect inner = dialRect;
    inner.Deflate(marginX, marginY);
    return inner;
}

gdi::Point CCadran::GetAnchorPoint() const
{
    const gdi::Rect inner = GetInnerRect();
    return {inner.left + MulDivTrunc(inner.Width(), anchorPercentX, 100),
            inner.top + MulDivTrunc(inner.Height(), anchorPercentY, 100)};
}

void CCadran::RectToAnchorCoords(gdi::Rect& r) const
{
    const gdi::Point a = GetAnchorPoint();
    r.Offset(-a.x, -a.y);
}

void CCadran::PointToAnchorCoords(gdi::Point& p) const
{
    const gdi::Point a = GetAnchorPoint();
    p.x -= a.x;
    p.y -= a.y;
}

void CCadran::RectFromAnchorCoords(gdi::Rect& r) const
{
    const gdi::Point a = GetAnchorPoint();
    r.Offset(a.x, a.y);
}

void CCadran::PointFromAnchorCoords(gdi::Point& p) const
{
    const gdi::Point a = GetAnchorPoint();
    p.x += a.x;
    p.y += a.y;
}

// ---------------------------------------------------------------- page frames

void CCadran::DrawFrameObjects(gdi::DC& dc, const gdi::Rect& pageRect, int pass)
{
    DrawFrameObjects(dc, GetAnchorPoint(), pageRect, pass);
}

void CCadran::DrawFrameObjects(gdi::DC& dc, gdi::Point anchor, const gdi::Rect& pageRect, int pass)
{
    for (const auto& frame : frames) {
        if (frame->layer == pass)
            frame->Draw(dc, anchor, pageRect, ResolveFramePosition(*frame, anchor, pageRect, dc), scale);
    }
}

gdi::Point CCadran::ResolveFramePosition(const CObjetCadre& frame, gdi::Point anchor, const gdi::Rect& pageRect,
                                         const gdi::DC& dc) const
{
    // A frame fixed to an edge keeps, at every dial scale, the distance from that edge it
    // has at scale 1; along the edge it follows the drawing. A frame fixed to the screen
    // keeps its distances from the page's top left corner. At scale 1 every kind lies at
    // anchor + offset, where the mouse editing put it.
    const double s = (std::isfinite(scale) && scale > 0.0) ? scale : 1.0;
    const int percent = RoundToInt(s * 100.0);
    auto toDevice = [&dc](int v) { return dc.IsPrinting() ? ScaleHeightToDevice(dc, v) : v; };
    auto follow = [&](int v) { return toDevice(gdi::MulDiv(v, percent, 100)); };
    auto fixedFrom = [&](int edge, int anchorCoord, int offset) {
        return ClampToInt(edge + std::llround((anchorCoord - edge) / s) + toDevice(offset));
    };

    gdi::Point p{anchor.x + follow(frame.x), anchor.y + follow(frame.y)};
    switch (frame.anchoring) {
    case CObjetCadre::kAnchorTop:
        p.y = fixedFrom(pageRect.top, anchor.y, frame.y);
        break;
    case CObjetCadre::kAnchorBottom:
        p.y = fixedFrom(pageRect.bottom, anchor.y, frame.y);
        break;
    case CObjetCadre::kAnchorLeft:
        p.x = fixedFrom(pageRect.left, anchor.x, frame.x);
        break;
    case CObjetCadre::kAnchorRight:
        p.x = fixedFrom(pageRect.right, anchor.x, frame.x);
        break;
    case CObjetCadre::kAnchorScreen:
        p.x = fixedFrom(pageRect.left, anchor.x, frame.x);
        p.y = fixedFrom(pageRect.top, anchor.y, frame.y);
        break;
    default:
        break;
    }
    return p;
}

CObjetCadre* CCadran::HitTestFrames(gdi::Point point, int& zone)
{
    PointToAnchorCoords(point);
    for (const auto& frame : frames) {
        const int z = frame->HitTest(point);
        if (z != 0) {
            zone = z;
            return frame.get();
        }
    }
    zone = 0;
    return nullptr;
}

CObjetCadre* CCadran::FindMarkedFrame(bool hovered)
{
    for (const auto& frame : frames) {
        if (hovered ? frame->active != 0 : frame->selected != 0)
            return frame.get();
    }
    return nullptr;
}

bool CCadran::DeleteMarkedFrame(bool hovered)
{
    CObjetCadre* marked = FindMarkedFrame(hovered);
    if (marked == nullptr || !marked->deletable)
        return false;
    std::erase_if(frames, [marked](const std::unique_ptr<CObjetCadre>& f) { return f.get() == marked; });
    return true;
}

void CCadran::OffsetFrames(int dxPercent, int dyPercent)
{
    const gdi::Rect inner = GetInnerRect();
    const int dx = MulDivTrunc(inner.Width(), dxPercent, 100);
    const int dy = MulDivTrunc(inner.Height(), dyPercent, 100);
    for (const auto& frame : frames) {
        frame->x = ClampToInt(static_cast<long long>(frame->x) + dx);
        frame->y = ClampToInt(static_cast<long long>(frame->y) + dy);
    }
}

// ---------------------------------------------------------------- base behaviour of the virtuals

void CCadran::GetTypeName(std::string& text, bool, bool) const
{
    text.clear();
}

void CCadran::SetSite(double latitudeDeg, double longitudeDeg, double zoneHours)
{
    latitude = latitudeDeg;
    latitudeRad = latitudeDeg * kDegToRad;
    longitude = longitudeDeg;
    SetAstroSite(latitudeDeg, longitudeDeg, zoneHours);
}

void CCadran::Project(double, double, int&, int&, bool, bool) const {}

bool CCadran::IsLit(double, double, bool) const
{
    return false;
}

bool CCadran::GetFaceMap(FaceMap&) const
{
    return false;
}

void CCadran::GetStyleAnchorPoint(int left, int top, int right, int bottom, int& x, int& y) const
{
    x = left + MulDivTrunc(right - left, anchorPercentX, 100);
    y = top + MulDivTrunc(bottom - top, anchorPercentY, 100);
}

void CCadran::GetCentreOffset(int& dx, int& dy) const
{
    dx = 0;
    dy = 0;
}

double CCadran::GetStyleLength(bool& truncate, double& endHeight) const
{
    truncate = false;
    endHeight = 0.0;
    return 0.0;
}

void CCadran::DrawSpecific(gdi::DC&, int, int) {}

void CCadran::GetExtraPoint(int& x, int& y, double, double) const
{
    x = 0;
    y = 0;
}

bool CCadran::GetCentre(int&, int&, bool, bool) const
{
    return false;
}

double CCadran::GetCentreAngle() const
{
    int x = 0;
    int y = 0;
    // Tenths of a millimetre, y up; the truncated centre still gives the direction of a
    // centre too far away to draw.
    if (!GetCentre(x, y, true, true))
        return 0.0;
    double radius = 0.0;
    double angle = 0.0;
    CartesianToPolar(x, y, radius, angle, false, false);
    return angle;
}
