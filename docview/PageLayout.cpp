#include "docview/PageLayout.h"

#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/GraphicsHelpers.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelDoc.h"
#include "model/Rounding.h"

#include <cmath>
#include <numbers>

namespace {

constexpr gdi::COLORREF kWhite = 0xFFFFFF;
constexpr gdi::COLORREF kPlateGrey = 0xE0E0E0;
constexpr gdi::COLORREF kMidGrey = 0x808080;
constexpr gdi::COLORREF kBlack = 0x000000;

// Outline width of the plate and screws: one pixel on screen, half a reference pixel printed.
int PlatePenWidth(const gdi::DC& dc)
{
    if (!dc.IsPrinting())
        return 1;
    const int reference = ReferencePixelsPerInchX();
    return reference > 0 ? RoundToInt(0.5 * dc.GetDeviceCaps(gdi::LOGPIXELSX) / reference) : 1;
}

// The light and dark edge pens: white and mid grey on screen, mid grey and black on paper.
gdi::Pen LightPen(const gdi::DC& dc, int width)
{
    return {gdi::PS_SOLID, width, dc.IsPrinting() ? kMidGrey : kWhite};
}

gdi::Pen DarkPen(const gdi::DC& dc, int width)
{
    return {gdi::PS_SOLID, width, dc.IsPrinting() ? kBlack : kMidGrey};
}

void Line(gdi::DC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

// Arc of the circle inscribed in the box, counter-clockwise from the radial through `from` to
// the radial through `to`.
void ArcIn(gdi::DC& dc, const gdi::Rect& box, gdi::Point from, gdi::Point to)
{
    dc.Arc(box.left, box.top, box.right, box.bottom, from.x, from.y, to.x, to.y);
}

int Scaled(int length, int devicePpi, int referencePpi)
{
    return referencePpi > 0 && devicePpi > 0 ? gdi::MulDiv(length, devicePpi, referencePpi) : length;
}

}  // namespace

int ReferencePixelsPerInchX()
{
    const CHoravelDoc* doc = GetDocument();
    return doc ? doc->GetScreenPixelsPerInchX() : GetAppContext().screenPixelsPerInchX;
}

int ReferencePixelsPerInchY()
{
    const CHoravelDoc* doc = GetDocument();
    return doc ? doc->GetScreenPixelsPerInchY() : GetAppContext().screenPixelsPerInchY;
}

int PageLengthX(const gdi::DC& dc, int length)
{
    if (!dc.IsPrinting())
        return length;
    return Scaled(length, dc.GetDeviceCaps(gdi::LOGPIXELSX), ReferencePixelsPerInchX());
}

int PageLengthY(const gdi::DC& dc, int length)
{
    if (!dc.IsPrinting())
        return length;
    return Scaled(length, dc.GetDeviceCaps(gdi::LOGPIXELSY), ReferencePixelsPerInchY());
}

gdi::Rect PageRectToDevice(const gdi::DC& dc, const gdi::Rect& rect)
{
    return {PageLengthX(dc, rect.left), PageLengthY(dc, rect.top), PageLengthX(dc, rect.right),
            PageLengthY(dc, rect.bottom)};
}

gdi::Rect DrawGraphFrame(gdi::DC& dc, int left, int top, int right, int bottom)
{
    const PageTools tools(dc);
    const gdi::Pen oldPen = dc.SelectPen(tools->blackPen);

    gdi::Rect r{left, top, right, bottom};
    if (dc.IsPrinting())
        r = PageRectToDevice(dc, r);
    else
        dc.FillRect(r, gdi::Brush{gdi::BS_SOLID, kWhite});
    const int ux = PageLengthX(dc, 10);
    const int uy = PageLengthY(dc, 10);

    dc.MoveTo(r.left, r.top);
    dc.LineTo(r.right, r.top);
    dc.LineTo(r.right, r.bottom);
    dc.LineTo(r.left, r.bottom);
    dc.LineTo(r.left, r.top);

    dc.SelectPen(oldPen);
    return {r.left + 5 * ux, r.top + 5 * uy, r.right - ux, r.bottom - 3 * uy};
}

gdi::Rect PlateRect(gdi::Size drawing)
{
    gdi::Rect r{0, 0, drawing.cx - 1, drawing.cy - 1};
    const int w = r.Width();
    const int h = r.Height();
    if (h > w)
        r.Deflate(RoundToInt(0.05 * w), RoundToInt(0.1 * h));
    else
        r.Deflate(RoundToInt(0.2 * w), RoundToInt(0.05 * h));
    return r;
}

std::optional<SheetPage> OpenSheetPage(gdi::DC& dc, gdi::Size drawing, double portraitWidthShare)
{
    gdi::Rect r = PlateRect(drawing);
    if (r.IsEmpty())
        return std::nullopt;
    if (dc.IsPrinting())
        r = PageRectToDevice(dc, r);
    DrawPlate(dc, r.left, r.top, r.right, r.bottom);

    SheetPage page;
    const int w = r.Width();
    const int h = r.Height();
    page.unit = h <= w ? RoundToInt(0.01 * h) : RoundToInt(portraitWidthShare * w);
    page.top = r.top + 5 * page.unit;
    page.middleX = r.left + w / 2;
    page.headingX = r.left + 8 * page.unit;
    page.textX = page.headingX + 3 * page.unit;
    FillLogFont(PageLengthY(dc, 18), page.titleFont, kFontArial, true, 0.0);
    FillLogFont(PageLengthY(dc, 12), page.textFont, kFontArial, false, 0.0);
    return page;
}

std::string ZoneOffsetText(double zoneHours)
{
    return zoneHours > 0 ? " + " + FormatHours(zoneHours, false, true)
                         : " - " + FormatHours(std::fabs(zoneHours), false, true);
}

void DrawPlate(gdi::DC& dc, int left, int top, int right, int bottom)
{
    const int w = PlatePenWidth(dc);
    const gdi::Pen light = LightPen(dc, w);
    const gdi::Pen dark = DarkPen(dc, w);
    const gdi::Pen oldPen = dc.GetCurrentPen();

    if (dc.IsPrinting()) {
        const gdi::Brush oldBrush = dc.SelectStockBrush(gdi::NULL_BRUSH);
        dc.SelectStockPen(gdi::BLACK_PEN);
        dc.Rectangle(left, top, right, bottom);
        dc.SelectBrush(oldBrush);
    } else {
        dc.FillRect({left, top, right, bottom}, gdi::Brush{gdi::BS_SOLID, kPlateGrey});
        for (int i = 0; i < 3; ++i) {
            dc.SelectPen(light);
            Line(dc, left + i, top + i, left + i, bottom - i);
            Line(dc, left + i, top + i, right - i, top + i);
            dc.SelectPen(dark);
            Line(dc, right - i, top + i, right - i, bottom - i);
            Line(dc, left + i, bottom - i, right - i, bottom - i);
        }
    }

    const int c = RoundToInt(0.02 * (right - left));
    DrawScrewHead(dc, left + c, top + c, left + 3 * c + 1, top + 3 * c + 1);
    DrawScrewHead(dc, right - 3 * c, top + c, right - c + 1, top + 3 * c + 1);
    DrawScrewHead(dc, left + c, bottom - 3 * c, left + 3 * c + 1, bottom - c + 1);
    DrawScrewHead(dc, right - 3 * c, bottom - 3 * c, right - c + 1, bottom - c + 1);

    // The engraved border: shadowed on the upper left, lit on the lower right.
    dc.SelectPen(dark);
    Line(dc, left + 2 * c, top + 4 * c, left + 2 * c, bottom - 4 * c);
    Line(dc, left + 4 * c, top + 2 * c, right - 4 * c, top + 2 * c);
    dc.SelectPen(light);
    Line(dc, right - 2 * c, top + 4 * c, right - 2 * c, bottom - 4 * c);
    Line(dc, left + 4 * c, bottom - 2 * c, right - 4 * c, bottom - 2 * c);

    // At each corner the border turns round the screw; the 45-degree point splits the
    // quarters that pass from shadow to light.
    const int e = RoundToInt(std::numbers::sqrt2 * 2 * c);
    const gdi::Rect topLeft{left, top, left + 4 * c, top + 4 * c};
    const gdi::Rect topRight{right - 4 * c, top, right, top + 4 * c};
    const gdi::Rect bottomRight{right - 4 * c, bottom - 4 * c, right, bottom};
    const gdi::Rect bottomLeft{left, bottom - 4 * c, left + 4 * c, bottom};

    dc.SelectPen(dark);
    ArcIn(dc, topLeft, {left + 2 * c, top + 4 * c}, {left + 4 * c, top + 2 * c});

    const gdi::Point topRightMid{right - 2 * c - e, top + 2 * c + e};
    dc.SelectPen(light);
    ArcIn(dc, topRight, {right - 4 * c, top + 2 * c}, topRightMid);
    dc.SelectPen(dark);
    ArcIn(dc, topRight, topRightMid, {right - 2 * c, top + 4 * c});

    dc.SelectPen(light);
    ArcIn(dc, bottomRight, {right - 2 * c, bottom - 4 * c}, {right - 4 * c, bottom - 2 * c});

    const gdi::Point bottomLeftMid{left + 2 * c + e, bottom - 2 * c - e};
    dc.SelectPen(dark);
    ArcIn(dc, bottomLeft, {left + 4 * c, bottom - 2 * c}, bottomLeftMid);
    dc.SelectPen(light);
    ArcIn(dc, bottomLeft, bottomLeftMid, {left + 2 * c, bottom - 4 * c});

    dc.SelectPen(oldPen);
}

void DrawScrewHead(gdi::DC& dc, int left, int top, int right, int bottom)
{
    const int w = PlatePenWidth(dc);
    const gdi::Pen penA = LightPen(dc, w);
    const gdi::Pen penB = DarkPen(dc, w);
    const gdi::Pen oldPen = dc.GetCurrentPen();

    // Each circle in two halves, split along the slot's diagonal: the upper-left half runs
    // counter-clockwise from the upper-right corner's direction to the lower-left one's.
    const auto halves = [&dc](const gdi::Rect& r, const gdi::Pen& upperLeft, const gdi::Pen& lowerRight) {
        dc.SelectPen(upperLeft);
        ArcIn(dc, r, {r.right, r.top}, {r.left, r.bottom});
        dc.SelectPen(lowerRight);
        ArcIn(dc, r, {r.left, r.bottom}, {r.right, r.top});
    };

    gdi::Rect r{left, top, right, bottom};
    const int d = RoundToInt(0.1 * (r.right - r.left));
    r.Inflate(d, d);
    halves(r, penB, penA);  // the rim: a hollow round the head
    r.Deflate(d, d);
    halves(r, penA, penB);  // the head stands out

    const int cx = r.left + (r.right - r.left) / 2;
    const int cy = r.top + (r.bottom - r.top) / 2;
    const int ax = RoundToInt(std::numbers::sqrt2 * (r.right - r.left) / 2.0 / 2.0);
    const int ay = RoundToInt(std::numbers::sqrt2 * (r.bottom - r.top) / 2.0 / 2.0);
    dc.SelectPen(penA);
    Line(dc, cx + ax + 1, cy - ay + 1, cx - ax + 1, cy + ay + 1);
    dc.SelectPen(penB);
    Line(dc, cx + ax, cy - ay, cx - ax, cy + ay);

    dc.SelectPen(oldPen);
}

PageTools::PageTools(const gdi::DC& dc) : tools_(GetDrawingTools())
{
    if (!tools_) {
        own_ = std::make_unique<CDrawingTools>(dc, ReferencePixelsPerInchX(), ReferencePixelsPerInchY());
        tools_ = own_.get();
    }
}

PageTools::~PageTools() = default;

DcAttributesGuard::DcAttributesGuard(gdi::DC& dc)
    : dc_(dc),
      pen_(dc.GetCurrentPen()),
      brush_(dc.GetCurrentBrush()),
      font_(dc.GetCurrentFont()),
      align_(dc.GetTextAlign())
{
}

DcAttributesGuard::~DcAttributesGuard()
{
    dc_.SelectPen(pen_);
    dc_.SelectBrush(brush_);
    dc_.SelectFont(font_);
    dc_.SetTextAlign(align_);
}
