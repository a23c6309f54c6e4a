#include "docview/StyleDrawings.h"

#include "app/Accessors.h"
#include "app/GraphicsHelpers.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelDoc.h"
#include "docview/PageLayout.h"
#include "model/CCadran.h"
#include "model/Rounding.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr double kDegToRad = std::numbers::pi / 180.0;

gdi::Point Offset(gdi::Point from, double length, double angle)
{
    return {from.x + RoundToInt(length * std::cos(angle)), from.y + RoundToInt(length * std::sin(angle))};
}

}  // namespace

void DrawDimension(gdi::DC& dc, int x1, int y1, int x2, int y2, const std::string& text, bool otherSide)
{
    const long long dx = static_cast<long long>(x2) - x1;
    const long long dy = static_cast<long long>(y2) - y1;
    if (dx == 0 && dy == 0)
        return;
    double t = 0.0;
    if (dx == 0)
        t = dy > 0 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
    else if (dy == 0)
        t = dx > 0 ? 0.0 : std::numbers::pi;
    else
        t = std::atan(static_cast<double>(dy) / static_cast<double>(dx));

    const int offset = PageLengthX(dc, 30);
    const int arrow = PageLengthX(dc, 10);
    const int textHeight = PageLengthX(dc, 10);
    const double p = otherSide ? t - std::numbers::pi / 2 : t + std::numbers::pi / 2;

    const DcAttributesGuard restore(dc);
    const PageTools tools(dc);
    const gdi::Point a{x1, y1};
    const gdi::Point b{x2, y2};
    const gdi::Point pa = Offset(a, offset, p);
    const gdi::Point pb = Offset(b, offset, p);
    dc.SelectPen(tools->thinLightGreyPen);
    dc.MoveTo(a.x, a.y);
    dc.LineTo(pa.x, pa.y);
    dc.MoveTo(b.x, b.y);
    dc.LineTo(pb.x, pb.y);

    dc.SelectPen(tools->blackPen);
    dc.MoveTo(pa.x, pa.y);
    dc.LineTo(pb.x, pb.y);
    constexpr double kBarb = 20.0 * kDegToRad;
    const gdi::Point headB[3] = {pb, Offset(pb, arrow, t - std::numbers::pi + kBarb),
                                 Offset(pb, arrow, t + std::numbers::pi - kBarb)};
    dc.Polygon(headB, 3);
    const gdi::Point headA[3] = {pa, Offset(pa, arrow, t - kBarb), Offset(pa, arrow, t + kBarb)};
    dc.Polygon(headA, 3);

    gdi::LogFont font;
    FillLogFont(textHeight, font, kFontArial, false, std::trunc(std::fabs(t) * kRadToDeg));
    dc.SelectFont(font);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_BOTTOM);
    const gdi::Point middle = Offset({(pa.x + pb.x) / 2, (pa.y + pb.y) / 2}, offset / 2.0, p);
    dc.TextOut(middle.x, middle.y, text);
}

void DrawStyleAtScale(gdi::DC& dc, const gdi::Rect&)
{
    const CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc ? doc->GetDial() : nullptr;
    if (!dial)
        return;

    const double height = dial->styleHeight * dial->scale;
    bool cut = dial->styleTruncation != 0;
    double endHeight = 0.0;
    const double base = dial->GetStyleLength(cut, endHeight) * dial->scale;
    const double cutHeight = endHeight * dial->scale;

    double x0 = 0.0;
    double y0 = 0.0;
    if (dial->symmetricMargins) {
        const gdi::Size drawing = doc->GetDrawingSizeMm();
        x0 = RoundToInt(drawing.cx - base) / 2;
        y0 = RoundToInt(drawing.cy - height) / 2;
    }

    // Millimetres to device pixels by the context's resolution, as the dial itself is drawn,
    // so that the style printed at scale fits the dial printed at scale.
    const double pxPerMm = dc.GetDeviceCaps(gdi::LOGPIXELSX) / 25.4;
    const double pyPerMm = dc.GetDeviceCaps(gdi::LOGPIXELSY) / 25.4;
    const auto at = [&](double x, double y) { return gdi::Point{RoundToInt(x * pxPerMm), RoundToInt(y * pyPerMm)}; };

    const DcAttributesGuard restore(dc);
    const PageTools tools(dc);
    dc.SelectPen(tools->blackPen);
    dc.SelectBrush(gdi::Brush{gdi::BS_SOLID, gdi::PALETTEINDEX(1)});
    const int fontHeight = PageLengthY(dc, 12);
    gdi::LogFont font;
    FillLogFont(fontHeight, font, kFontArial, false, 0.0);
    dc.SelectFont(font);

    const gdi::Point top = at(x0, y0);
    const gdi::Point foot = at(x0, y0 + height);
    const gdi::Point end = at(x0 + base, y0 + height);
    std::vector<gdi::Point> outline = {top, foot, end};
    if (cut)
        outline.push_back(at(x0 + base, y0 + height - cutHeight));
    dc.Polygon(outline.data(), static_cast<int>(outline.size()));

    const int half = fontHeight / 2;
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_TOP);
    dc.TextOut(foot.x - half, foot.y + half, "A");
    dc.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    dc.TextOut(end.x + half, end.y + half, cut ? "B*" : "B");
}
