#include "docview/SunPathPages.h"

#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "app/Translation.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelDoc.h"
#include "docview/PageLayout.h"
#include "model/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr const char* kDegreeSign = "\xC2\xB0";
constexpr long long kDrawLimit = 30000;

// Rows of the sun grid (ecliptic longitude 90 to 270 degrees by 30: the June solstice down to
// the December one) and the colour entry of each path.
constexpr std::array<int, 7> kPathRows = {9, 12, 15, 18, 21, 24, 27};
constexpr std::array<int, 7> kPathEntries = {15, 14, 13, 12, 11, 10, 9};

// Maps azimuth and altitude (degrees) into the plot.
struct PlotMap {
    gdi::Rect plot;
    int middle = 0;

    explicit PlotMap(const gdi::Rect& r) : plot(r), middle((r.left + r.right) / 2) {}
    int X(double azimuth) const { return RoundToInt(plot.Width() * azimuth / 360.0 + middle); }
    int Y(double altitude) const { return RoundToInt(plot.bottom - altitude * (plot.bottom - plot.top) / 90.0); }
};

// One daily path, sample by sample in order of hour angle. Samples at or below -1 degree are
// left out; a path that passes the point opposite the equator (azimuth +-180) leaves the plot
// at one side and comes back at the other, at the altitude where it crossed.
void DrawPath(gdi::DC& dc, const PlotMap& map, const std::array<double, CHoravelDoc::kSunGridColumns>& azimuth,
              const std::array<double, CHoravelDoc::kSunGridColumns>& altitude)
{
    bool started = false;
    double previousA = 0.0;
    double previousH = 0.0;
    for (int j = 0; j < CHoravelDoc::kSunGridColumns; ++j) {
        const double a = azimuth[static_cast<size_t>(j)] * kRadToDeg;
        const double h = altitude[static_cast<size_t>(j)] * kRadToDeg;
        if (!(h > -1.0))
            continue;
        if (!started) {
            dc.MoveTo(map.X(a), map.Y(h));
            started = true;
        } else {
            if (std::fabs(a - previousA) > 180.0) {
                const double edge = previousA > 0.0 ? 180.0 : -180.0;
                const double before = std::fabs(edge - previousA);
                const double after = std::fabs(-edge - a);
                const double crossing = previousH + (h - previousH) * before / (before + after);
                dc.LineTo(map.X(edge), map.Y(crossing));
                dc.MoveTo(map.X(-edge), map.Y(crossing));
            }
            dc.LineTo(map.X(a), map.Y(h));
        }
        previousA = a;
        previousH = h;
    }
}

// origin + span x value / range in integer arithmetic; a mask read from a file may hold any
// int, so the product is taken in 64 bits and the result kept within what a device draws.
int MaskCoordinate(int origin, long long span, long long value, long long range)
{
    return static_cast<int>(std::clamp(origin + span * value / range, -kDrawLimit, kDrawLimit));
}

}  // namespace

void DrawAzimuthAltitudeGraph(gdi::DC& dc, const gdi::Rect& page)
{
    const CHoravelDoc* doc = GetDocument();
    if (!doc)
        return;
    const DcAttributesGuard restore(dc);
    const gdi::Rect plot = DrawGraphFrame(dc, page.left, page.top, page.right, page.bottom);
    const gdi::Rect pageOnDevice = dc.IsPrinting() ? PageRectToDevice(dc, page) : page;
    const PageTools tools(dc);
    const int left = plot.left;
    const int top = plot.top;
    const int right = plot.right;
    const int bottom = plot.bottom;
    const int w = right - left;
    const int u = top - pageOnDevice.top;
    const int middle = (left + right) / 2;

    dc.SelectPen(tools->blackPen);
    dc.MoveTo(left, top);
    dc.LineTo(left, bottom);
    dc.LineTo(right, bottom);
    dc.LineTo(right, top);
    dc.LineTo(left, top);

    dc.SelectFont(tools->times12Bold);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_BASELINE);
    dc.TextOut(middle, top - 2 * u / 3, GetTranslatedString(691));
    if (const CDataBaseElement* place = doc->GetLocation())
        dc.TextOut(middle, top - u / 3, "(" + place->name + " - " + place->country + ")");
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_BOTTOM);
    dc.TextOut(middle, pageOnDevice.bottom, GetTranslatedString(61933));
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BOTTOM);
    dc.TextOut(left, top - u / 3, GetTranslatedString(61934));

    const int tick = ScaleHeightToDevice(dc, 5);
    dc.SelectFont(tools->arial9);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    for (int k = -12; k <= 12; ++k) {
        const int x = middle + w * k / 24;
        if (k != -12 && k != 12) {
            dc.SelectPen(k % 3 == 0 ? tools->midGreyPen : tools->gridPen);
            dc.MoveTo(x, top);
            dc.LineTo(x, bottom);
        }
        dc.SelectPen(tools->blackPen);
        dc.MoveTo(x, bottom);
        dc.LineTo(x, bottom + tick);
        dc.TextOut(x, bottom + tick, FormatNumber(15 * k, -1) + kDegreeSign);
    }
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BASELINE);
    for (int i = 0; i <= 9; ++i) {
        const int y = bottom - (bottom - top) * i / 9;
        if (i >= 1 && i <= 8) {
            dc.SelectPen(tools->gridPen);
            dc.MoveTo(left, y);
            dc.LineTo(right, y);
        }
        dc.SelectPen(tools->blackPen);
        dc.MoveTo(left, y);
        dc.LineTo(left - tick, y);
        dc.TextOut(left - tick, y, FormatNumber(10 * i, -1) + kDegreeSign);
    }

    if (doc->IsSunGridReady()) {
        const PlotMap map(plot);
        for (size_t n = 0; n < kPathRows.size(); ++n) {
            dc.SelectPen(tools->EntryPen(kPathEntries[n]));
            const auto row = static_cast<size_t>(kPathRows[n]);
            DrawPath(dc, map, doc->GetSunGridAzimuth()[row], doc->GetSunGridAltitude()[row]);
        }
    }

    const std::vector<CHorizonPoint>& mask = doc->GetHorizonMask();
    if (doc->GetHorizonMaskFlag() && !mask.empty()) {
        std::vector<gdi::Point> vertices;
        vertices.reserve(mask.size());
        for (const CHorizonPoint& p : mask)
            vertices.push_back({MaskCoordinate(left, w, p.azimuth + 180LL, 360),
                                MaskCoordinate(bottom, -(bottom - top), p.height, 90)});
        dc.SelectBrush(gdi::Brush{gdi::BS_SOLID, gdi::RGB(128, 128, 128)});
        dc.SelectPen(gdi::Pen{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)});
        dc.Polygon(vertices.data(), static_cast<int>(vertices.size()));
    }
}
