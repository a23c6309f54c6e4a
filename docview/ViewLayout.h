#pragma once
// The arithmetic of the view's page layout, kept apart from any window so that it can be
// checked by hand: how many printer sheets a drawing covers, where the dial sits on them,
// the scroll sizes at a zoom, which part of the drawing lands on each printed sheet, and
// the page rectangles the graph and table pages are drawn in.
//
// Pixels are screen pixels of the document's reference resolution unless a function says
// it works in a device's pixels.
#include "platform/Gdi.h"

#include <array>
#include <cstdint>
#include <optional>

namespace viewlayout {

constexpr int kScaleDrawingMode = 1;
constexpr int kStyleAtScaleMode = 12;

// What the layout needs from the dial.
struct DialExtent {
    int widthMm = 0;
    int heightMm = 0;
    double scale = 1.0;
    bool symmetricMargins = true;
    double styleLengthMm = 0.0;  // the sub-style length
    int styleHeightMm = 0;
};

struct LayoutRequest {
    int mode = kScaleDrawingMode;
    int pages = 1;               // sheets stacked downwards in the modes other than 1 and 12
    gdi::Size sheetMm;           // the printer sheet
    int pixelsPerInchX = 96;     // of the screen
    int pixelsPerInchY = 96;
    std::optional<DialExtent> dial;
};

struct Layout {
    gdi::Size drawingMm;         // whole sheets
    gdi::Size drawingPx;
    gdi::Size sheetPx;
    gdi::Size wantedPx;          // what the drawing itself needs
    int pageCount = 1;
    gdi::Rect dialRect;          // where the dial (or the style in mode 12) is drawn
    double pixelsPerMmX = 96.0 / 25.4;
    double pixelsPerMmY = 96.0 / 25.4;
};

// The drawing laid out over whole sheets: as many columns and rows as the dial needs in
// modes 1 and 12, `pages` sheets stacked downwards in the others. Nothing for a sheet or a
// resolution of zero or less (the tiling divides by them).
std::optional<Layout> ComputeLayout(const LayoutRequest& request);

// Columns and rows of sheets in a drawing (integer divisions); 0 x 0 for an empty sheet.
struct SheetGrid {
    int columns = 0;
    int rows = 0;
};
SheetGrid GridOf(gdi::Size drawing, gdi::Size sheet);

// The size times the zoom, rounded and saturating; the zoom must be positive and finite.
gdi::Size Zoomed(gdi::Size size, double zoom);

// Where the edge after `sheets` whole sheets of `sheetMm` falls, in device pixels at dpi.
int SheetEdge(std::int64_t sheets, int sheetMm, int dpi);

// The rectangle of printed page `page` (1 for the first, sheets counted along the rows) in
// the drawing, in device pixels at dpiX x dpiY: neighbouring sheets share their edges, so
// their tiles abut. Empty for an empty sheet or a page below 1.
gdi::Rect SheetRect(int page, gdi::Size drawingMm, gdi::Size sheetMm, int dpiX, int dpiY);

// The zoom commands 33100 .. 33109 and their factors.
constexpr int kFirstZoomCommand = 33100;
constexpr int kFullFrameCommand = 33110;
constexpr std::array<double, 10> kZoomFactors = {0.1, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 5.0};
constexpr double kMinZoom = 0.05;
constexpr double kMaxZoom = 10.0;
// The zoom at which one whole sheet fills the client area; 1 for an empty client or sheet.
double FullFrameZoom(gdi::Size sheetPx, gdi::Size client);
// The zoom kept within kMinZoom .. kMaxZoom; 1 for anything that is not a finite number.
double ClampZoom(double zoom);

// Rectangles the graph and table pages are drawn in, from the sheet size in pixels.
struct PageRects {
    gdi::Rect first;
    std::optional<gdi::Rect> second;  // mode 6: the table under the graph
};
// The page rectangle of the modes that are given one (4, 5, 6, 11, 15, 19); nothing for
// the others.
std::optional<PageRects> PageRectsForMode(int mode, gdi::Size sheetPx);

// Print preview shows two pages side by side when the drawing is larger than one sheet
// in either direction.
bool PreviewTwoPages(gdi::Size drawingMm, gdi::Size sheetMm);

}  // namespace viewlayout
