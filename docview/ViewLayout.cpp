#include "docview/ViewLayout.h"

#include "model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace viewlayout {

namespace {

int Saturate(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// a * b / c rounded half away from zero, in 64 bits, saturating.
int MulDiv64(std::int64_t a, std::int64_t b, std::int64_t c)
{
    const std::int64_t product = a * b;
    std::int64_t q = product / c;
    const std::int64_t r = product % c;
    if (r != 0 && 2 * (r < 0 ? -r : r) >= c)
        q += product < 0 ? -1 : 1;
    return Saturate(q);
}

// Sheets to add so that `have` pixels reach `want`: the smallest k with have + k x sheet >= want.
std::int64_t SheetsToAdd(int have, int want, int sheet)
{
    if (want <= have)
        return 0;
    return (std::int64_t{want} - have + sheet - 1) / sheet;
}

gdi::Rect Shrunk(const gdi::Rect& r, int dx, int dy)
{
    return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy};
}

}  // namespace

std::optional<Layout> ComputeLayout(const LayoutRequest& request)
{
    const gdi::Size sheetMm = request.sheetMm;
    if (sheetMm.cx <= 0 || sheetMm.cy <= 0 || request.pixelsPerInchX <= 0 || request.pixelsPerInchY <= 0)
        return std::nullopt;

    Layout layout;
    const double px = request.pixelsPerInchX / 25.4;
    const double py = request.pixelsPerInchY / 25.4;
    layout.pixelsPerMmX = px;
    layout.pixelsPerMmY = py;

    layout.drawingMm = sheetMm;
    int w = RoundToInt(sheetMm.cx * px);
    int h = RoundToInt(sheetMm.cy * py);

    gdi::Rect dial;
    if (request.dial) {
        const DialExtent& d = *request.dial;
        dial = {0, 0, RoundToInt(d.widthMm * d.scale * px), RoundToInt(d.heightMm * d.scale * py)};
        if (request.mode == kScaleDrawingMode) {
            w = dial.Width();
            h = dial.Height();
        } else if (request.mode == kStyleAtScaleMode) {
            w = TruncToInt(d.styleLengthMm * px);
            h = TruncToInt(d.styleHeightMm * d.scale * py);
        }
    }

    layout.drawingPx = {RoundToInt(layout.drawingMm.cx * px), RoundToInt(layout.drawingMm.cy * py)};
    layout.sheetPx = {RoundToInt(sheetMm.cx * px), RoundToInt(sheetMm.cy * py)};
    if (layout.sheetPx.cx <= 0 || layout.sheetPx.cy <= 0)
        return std::nullopt;

    std::int64_t addColumns = 0;
    std::int64_t addRows = 0;
    if (request.mode == kScaleDrawingMode || request.mode == kStyleAtScaleMode) {
        addColumns = SheetsToAdd(layout.drawingPx.cx, w, layout.sheetPx.cx);
        addRows = SheetsToAdd(layout.drawingPx.cy, h, layout.sheetPx.cy);
    } else if (request.pages > 1) {
        addRows = request.pages - 1;
    }
    layout.drawingMm.cx = Saturate(layout.drawingMm.cx + addColumns * sheetMm.cx);
    layout.drawingMm.cy = Saturate(layout.drawingMm.cy + addRows * sheetMm.cy);
    layout.drawingPx.cx = Saturate(layout.drawingPx.cx + addColumns * layout.sheetPx.cx);
    layout.drawingPx.cy = Saturate(layout.drawingPx.cy + addRows * layout.sheetPx.cy);

    const SheetGrid grid = GridOf(layout.drawingPx, layout.sheetPx);
    layout.pageCount = Saturate(std::int64_t{grid.columns} * grid.rows);

    layout.wantedPx = {w, h};
    if (request.dial && request.dial->symmetricMargins) {
        layout.dialRect = dial;
        layout.dialRect.Offset((layout.drawingPx.cx - w) / 2, (layout.drawingPx.cy - h) / 2);
    } else {
        layout.dialRect = {0, 0, w, h};
    }
    return layout;
}

SheetGrid GridOf(gdi::Size drawing, gdi::Size sheet)
{
    if (sheet.cx <= 0 || sheet.cy <= 0)
        return {};
    return {drawing.cx / sheet.cx, drawing.cy / sheet.cy};
}

gdi::Size Zoomed(gdi::Size size, double zoom)
{
    return {RoundToInt(size.cx * zoom), RoundToInt(size.cy * zoom)};
}

int SheetEdge(std::int64_t sheets, int sheetMm, int dpi)
{
    return MulDiv64(sheets * sheetMm, std::int64_t{dpi} * 10, 254);
}

gdi::Rect SheetRect(int page, gdi::Size drawingMm, gdi::Size sheetMm, int dpiX, int dpiY)
{
    if (sheetMm.cx <= 0 || sheetMm.cy <= 0 || page < 1)
        return {};
    const int columns = std::max(drawingMm.cx / sheetMm.cx, 1);
    const int index = page - 1;
    const std::int64_t column = index % columns;
    const std::int64_t row = index / columns;
    return {SheetEdge(column, sheetMm.cx, dpiX), SheetEdge(row, sheetMm.cy, dpiY), SheetEdge(column + 1, sheetMm.cx, dpiX),
            SheetEdge(row + 1, sheetMm.cy, dpiY)};
}

double FullFrameZoom(gdi::Size sheetPx, gdi::Size client)
{
    if (sheetPx.cx <= 0 || sheetPx.cy <= 0 || client.cx <= 0 || client.cy <= 0)
        return 1.0;
    return ClampZoom(std::min(static_cast<double>(client.cx) / sheetPx.cx,
                              static_cast<double>(client.cy) / sheetPx.cy));
}

double ClampZoom(double zoom)
{
    if (!std::isfinite(zoom))
        return 1.0;
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

std::optional<PageRects> PageRectsForMode(int mode, gdi::Size sheetPx)
{
    const int W = sheetPx.cx;
    const int H = sheetPx.cy;
    const gdi::Rect page{0, 0, W, H};
    const int side = TruncToInt(0.03 * W);
    switch (mode) {
    case 4:
        return PageRects{Shrunk(page, side, TruncToInt(0.2 * H)), std::nullopt};
    case 5:
        return PageRects{Shrunk(page, side, TruncToInt(0.3 * H)), std::nullopt};
    case 11:
    case 19:
        return PageRects{Shrunk(page, side, TruncToInt(0.1 * H)), std::nullopt};
    case 6:
        return PageRects{Shrunk({0, H / 18, W, 10 * H / 18}, side, 0), Shrunk({0, 11 * H / 18, W, 17 * H / 18}, side, 0)};
    case 15:
        return PageRects{Shrunk(page, side, TruncToInt((H < W ? 0.05 : 0.2) * H)), std::nullopt};
    default:
        return std::nullopt;
    }
}

bool PreviewTwoPages(gdi::Size drawingMm, gdi::Size sheetMm)
{
    return sheetMm.cx < drawingMm.cx || sheetMm.cy < drawingMm.cy;
}

}  // namespace viewlayout
