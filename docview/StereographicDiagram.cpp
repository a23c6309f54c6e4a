#include "docview/SunPathPages.h"

#include "app/Accessors.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelDoc.h"
#include "docview/PageLayout.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/Rounding.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

}  // namespace

void DrawStereographicDiagram(gdi::DC& dc, const gdi::Rect&)
{
    const CHoravelDoc* doc = GetDocument();
    const CCadran* dial = doc ? doc->GetDial() : nullptr;
    if (!dial)
        return;
    const gdi::Size drawing = doc->GetDrawingSizePx();
    int cx = drawing.cx / 2;
    int cy = drawing.cy / 2;
    int r = drawing.cx * 9 / 20;
    gdi::Pen outline{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)};
    if (dc.IsPrinting()) {
        r = PageLengthX(dc, r);
        cx = PageLengthX(dc, cx);
        cy = PageLengthY(dc, cy);
        const int reference = ReferencePixelsPerInchX();
        outline.width = reference > 0 ? dc.GetDeviceCaps(gdi::LOGPIXELSX) / reference : 1;
    }

    // Projection from the pole below the horizon onto the plane of the equator, scaled so that
    // the horizon is the circle of radius r: on the meridian it runs from tan(phi / 2) to
    // cot(phi / 2) on either side of the visible pole, so one unit is 2r / k = r sin(phi) and
    // the pole lies 2r m / k = r cos(phi) from the centre (k = 2 / sin(phi), m = cot(phi)).
    // With the sine and cosine nothing is infinite on the equator. In the south the visible
    // pole is the south one and declinations count towards it.
    const double phi = std::fabs(dial->latitude) * kDegToRad;
    const double towardsPole = dial->latitude < 0.0 ? -1.0 : 1.0;
    const double scale = r * std::sin(phi);

    const DcAttributesGuard restore(dc);
    const PageTools tools(dc);
    dc.SelectPen(outline);
    dc.Ellipse(cx - r, cy - r, cx + r + 1, cy + r + 1);

    const int t = cx - RoundToInt(r * std::cos(phi));
    // The December solstice, the equinox and the June solstice.
    constexpr std::array<int, 3> kSigns = {9, 0, 3};
    constexpr std::array<int, 3> kEntries = {9, 12, 15};
    for (size_t i = 0; i < kSigns.size(); ++i) {
        const double declination = towardsPole * DeclinationOfLongitude(kSigns[i], false) * kDegToRad;
        const int rho = RoundToInt(std::tan(std::numbers::pi / 4 - declination / 2) * scale);
        dc.SelectPen(tools->EntryPen(kEntries[i]));
        dc.Arc(t - rho, cy - rho, t + rho + 1, cy + rho + 1, cx - r, cy, cx - r, cy);
    }

    dc.SelectPen(tools->blackPen);
    dc.Ellipse(t - 2, cy - 2, t + 3, cy + 3);
    dc.Ellipse(cx - 2, cy - 2, cx + 3, cy + 3);

    dc.SelectPen(tools->dashedBlackPen);
    dc.MoveTo(cx - r, cy);
    dc.LineTo(cx + r, cy);
    dc.MoveTo(t, cy - r);
    dc.LineTo(t, cy + r);

    const double o = dial->planeAngle1;
    const int dx = RoundToInt(2.0 * r * std::cos(o));
    const int dy = RoundToInt(2.0 * r * std::sin(o));
    dc.SelectPen(tools->thickBlackPen);
    dc.MoveTo(t - dx, cy - dy);
    dc.LineTo(t + dx, cy + dy);
}
