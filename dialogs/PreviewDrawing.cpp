#include "dialogs/PreviewDrawing.h"

#include "app/GraphicsHelpers.h"
#include "app/Translation.h"
#include "docview/CDrawingTools.h"
#include "docview/CHorizonPoint.h"
#include "model/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

void Line(gdi::DC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

// The labels of the ends of the axes, by view and hemisphere.
struct OrientationLabels {
    std::string left, belowLeft, right, belowRight, top, bottom;
};

OrientationLabels LabelsFor(bool northern, bool planView)
{
    const std::string south = GetTranslatedString(318);
    const std::string north = GetTranslatedString(319);
    const std::string east = GetTranslatedString(320);
    const std::string west = GetTranslatedString(321);
    const std::string pole = GetTranslatedString(330);
    const std::string meridian = GetTranslatedString(329);
    OrientationLabels l;
    if (planView) {
        l.left = northern ? west : east;
        l.right = northern ? east : west;
        l.top = (northern ? north : south) + " (" + pole + ")";
        l.bottom = (northern ? south : north) + " (" + meridian + ")";
    } else {
        l.left = northern ? north : south;
        l.right = northern ? south : north;
        l.belowLeft = "(" + pole + ")";
        l.belowRight = "(" + meridian + ")";
        l.top = GetTranslatedString(327);
    }
    return l;
}

void Label(gdi::DC& dc, int x, int y, unsigned align, const std::string& text)
{
    if (text.empty())
        return;
    dc.SetTextAlign(align);
    dc.TextOut(x, y, text);
}

}  // namespace

void DrawPreviewFrame(gdi::DC& dc, const gdi::Rect& client)
{
    dc.Rectangle(client.left, client.top, client.right, client.bottom);
    // A one-pixel frame of the rectangle grown by one pixel right and down.
    const gdi::Brush black{gdi::BS_SOLID, gdi::RGB(0, 0, 0)};
    const int l = client.left, t = client.top, r = client.right + 1, b = client.bottom + 1;
    dc.FillRect({l, t, r, t + 1}, black);
    dc.FillRect({l, b - 1, r, b}, black);
    dc.FillRect({l, t, l + 1, b}, black);
    dc.FillRect({r - 1, t, r, b}, black);
}

void DrawOrientationPreview(gdi::DC& dc, const gdi::Rect& client, double angleDeg, bool northern, bool planView,
                            const CDrawingTools* tools)
{
    DrawPreviewFrame(dc, client);
    const int side = std::min(client.Width(), client.Height()) - 30;
    const int cx = (client.left + client.right) / 2;
    const int cy = (client.top + client.bottom) / 2;
    const int radius = side / 2;

    const gdi::Pen dotted{gdi::PS_DOT, 1, gdi::RGB(128, 128, 128)};
    const gdi::Pen wall{gdi::PS_SOLID, 4, gdi::RGB(0, 0, 0)};
    const gdi::Pen normal{gdi::PS_SOLID, 2, gdi::RGB(64, 64, 64)};
    gdi::LogFont font;
    if (tools)
        font = tools->arial9;
    else
        FillLogFont(9, font, kFontArial, false, 0.0);
    const gdi::Pen oldPen = dc.SelectPen(dotted);
    const gdi::LogFont oldFont = dc.SelectFont(font);
    const unsigned oldAlign = dc.GetTextAlign();

    Line(dc, client.left + 2, cy, client.right - 2, cy);
    Line(dc, cx, client.top + 2, cx, client.bottom - 2);

    const OrientationLabels labels = LabelsFor(northern, planView);
    Label(dc, client.left + 2, cy, gdi::TA_LEFT | gdi::TA_BOTTOM, labels.left);
    Label(dc, client.left + 2, cy + 5, gdi::TA_LEFT | gdi::TA_TOP, labels.belowLeft);
    Label(dc, client.right - 2, cy, gdi::TA_RIGHT | gdi::TA_BOTTOM, labels.right);
    Label(dc, client.right - 2, cy + 5, gdi::TA_RIGHT | gdi::TA_TOP, labels.belowRight);
    Label(dc, cx, client.top + 2, gdi::TA_CENTER | gdi::TA_TOP, labels.top);
    Label(dc, cx, client.bottom - 2, gdi::TA_CENTER | gdi::TA_BOTTOM, labels.bottom);

    double a = angleDeg * kDegToRad;
    if (planView && !northern)
        a = -a;
    const int wx = RoundToInt(std::cos(a) * radius);
    const int wy = RoundToInt(std::sin(a) * radius);
    dc.SelectPen(wall);
    Line(dc, cx + wx, cy + wy, cx - wx, cy - wy);

    const double b = planView ? a - 90.0 * kDegToRad : a + 90.0 * kDegToRad;
    const int half = radius / 2;
    dc.SelectPen(normal);
    Line(dc, cx, cy, cx - RoundToInt(std::cos(b) * half), cy - RoundToInt(std::sin(b) * half));

    dc.SetTextAlign(oldAlign);
    dc.SelectPen(oldPen);
    dc.SelectFont(oldFont);
}

std::string ZodiacGlyph(int signIndex)
{
    static constexpr std::array<const char*, 12> kGlyphs = {"g", "h", "i", "^", "_", "`",
                                                            "a", "b", "c", "d", "e", "f"};
    if (signIndex < 0 || signIndex >= static_cast<int>(kGlyphs.size()))
        return {};
    return kGlyphs[static_cast<std::size_t>(signIndex)];
}

void DrawZodiacSymbolPreview(gdi::DC& dc, const gdi::Rect& client, int signIndex)
{
    DrawPreviewFrame(dc, client);
    const std::string glyph = ZodiacGlyph(signIndex);
    if (glyph.empty())
        return;
    gdi::LogFont font;
    FillLogFont(48, font, kFontWingdings, false, 0.0);
    const gdi::LogFont oldFont = dc.SelectFont(font);
    gdi::Rect r = client;
    dc.DrawText(glyph, r, gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE);
    dc.SelectFont(oldFont);
}

void DrawHorizonMaskPreview(gdi::DC& dc, const gdi::Rect& client, const std::vector<CHorizonPoint>* points)
{
    DrawPreviewFrame(dc, client);
    const gdi::Pen grid{gdi::PS_DOT, 1, gdi::RGB(192, 192, 192)};
    const gdi::Pen meridian{gdi::PS_DOT, 1, gdi::RGB(0, 0, 0)};
    const gdi::Pen outline{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)};
    const int width = client.Width();
    const int height = client.Height();
    const int centre = (client.left + client.right) / 2;

    const gdi::Pen oldPen = dc.SelectPen(grid);
    for (int i = -3; i <= 3; ++i) {
        dc.SelectPen(i == 0 ? meridian : grid);
        const int x = centre + i * width / 8;
        Line(dc, x, client.top, x, client.bottom - 1);
    }
    dc.SelectPen(grid);
    for (int i = 1; i <= 5; ++i) {
        const int y = client.bottom - i * height / 6;
        Line(dc, client.left + 1, y, client.right - 1, y);
    }

    if (points && !points->empty()) {
        std::vector<gdi::Point> polygon;
        polygon.reserve(points->size() + 1);
        for (const CHorizonPoint& p : *points)
            polygon.push_back({client.left + (p.azimuth + 180) * width / 360, client.bottom - height * p.height / 90});
        polygon.push_back(polygon.front());
        const gdi::Brush oldBrush = dc.SelectBrush({gdi::BS_SOLID, gdi::RGB(128, 128, 128)});
        dc.SelectPen(outline);
        dc.Polygon(polygon.data(), static_cast<int>(polygon.size()));
        dc.SelectBrush(oldBrush);
    }
    dc.SelectPen(oldPen);
}

void DrawPositionPreview(gdi::DC& dc, const gdi::Rect& client, int horizontalPercent, int verticalPercent)
{
    DrawPreviewFrame(dc, client);
    const int x = client.left + client.Width() * horizontalPercent / 100;
    const int y = client.top + client.Height() * verticalPercent / 100;
    const gdi::Pen oldPen = dc.SelectPen({gdi::PS_DOT, 1, gdi::RGB(128, 128, 128)});
    Line(dc, x, client.top, x, y);
    Line(dc, client.left, y, x, y);
    dc.SelectPen({gdi::PS_SOLID, 2, gdi::RGB(0, 0, 0)});
    Line(dc, x - 5, y, x + 5, y);
    Line(dc, x, y - 5, x, y + 5);
    dc.SelectPen(oldPen);
}

void DrawColorSwatch(gdi::DC& dc, const gdi::Rect& rect, gdi::COLORREF color)
{
    dc.FillSolidRect(rect, color);
    const gdi::Pen oldPen = dc.SelectStockPen(gdi::BLACK_PEN);
    const gdi::Point corners[] = {{rect.left, rect.top},
                                  {rect.right - 1, rect.top},
                                  {rect.right - 1, rect.bottom - 1},
                                  {rect.left, rect.bottom - 1},
                                  {rect.left, rect.top}};
    dc.Polyline(corners, 5);
    dc.SelectPen(oldPen);
}
