#pragma once
// Drawing helpers shared by the page renderers of the graph, table and sheet pages: the graph
// frame whose inside is the plotting area, the engraved plate of the ephemerides page and the
// technical sheet, and the screw heads in the plate's corners.
//
// Pages are laid out in screen pixels of the document's reference resolution; on a printer
// they are rescaled by the printer's resolution over that reference (x lengths horizontally,
// y lengths vertically).
#include "platform/Gdi.h"

#include <memory>
#include <optional>
#include <string>

class CDrawingTools;

// The reference resolution: the document's screen pixels per inch (the application's when
// there is no document).
int ReferencePixelsPerInchX();
int ReferencePixelsPerInchY();

// A length of the reference resolution on the device: unchanged on screen, rescaled by the
// device's resolution when printing.
int PageLengthX(const gdi::DC& dc, int length);
int PageLengthY(const gdi::DC& dc, int length);
// The same for a rectangle (left and right horizontally, top and bottom vertically).
gdi::Rect PageRectToDevice(const gdi::DC& dc, const gdi::Rect& rect);

// Outlines the page rectangle (filled white first on screen) in the black pen of normal width
// and returns the plotting area inside it: 50 reference pixels in from the left and top
// edges, 10 from the right and 30 from the bottom, room for the axis labels. The rectangle is
// given in reference pixels; the result is in device pixels.
gdi::Rect DrawGraphFrame(gdi::DC& dc, int left, int top, int right, int bottom);

// A raised light-grey plate with a screw in each corner and an engraved border, in the given
// device rectangle. Printed, the plate is a plain black outline without fill or bevel.
void DrawPlate(gdi::DC& dc, int left, int top, int right, int bottom);

// The plate of a sheet page within a drawing of the given size (reference pixels): narrow
// margins at the sides of a portrait sheet, wide ones on a landscape sheet. Empty when the
// drawing has no size.
gdi::Rect PlateRect(gdi::Size drawing);

// Where a sheet page writes on its plate (device pixels): the line unit, the y the first
// line steps down from, the plate's middle, the left edges of the headings and of the lines
// indented under them, and the title (Arial 18 bold) and text (Arial 12) fonts.
struct SheetPage {
    int unit = 0;
    int top = 0;
    int middleX = 0;
    int headingX = 0;
    int textX = 0;
    gdi::LogFont titleFont;
    gdi::LogFont textFont;
};

// Draws the plate of a drawing of the given size (reference pixels) on the context and lays
// the page out on it: the line unit is a hundredth of the plate's height, or on a plate
// higher than wide `portraitWidthShare` of its width. Nothing is drawn and nothing comes back
// when there is no plate.
std::optional<SheetPage> OpenSheetPage(gdi::DC& dc, gdi::Size drawing, double portraitWidthShare);

// A time zone's offset from UT as the sheet pages write it after their reference: " + " or
// " - ", then the hours and minutes.
std::string ZoneOffsetText(double zoneHours);

// Writes lines of text one under the other; each step down is a number of line units.
class LineWriter {
public:
    LineWriter(gdi::DC& dc, int unit, int y) : dc_(dc), unit_(unit), y_(y) {}
    void Down(int units) { y_ += units * unit_; }
    void Write(int x, const std::string& text) { dc_.TextOut(x, y_, text); }
    void Next(int units, int x, const std::string& text)
    {
        Down(units);
        Write(x, text);
    }
    int Y() const { return y_; }

private:
    gdi::DC& dc_;
    int unit_;
    int y_;
};

// One slotted screw head inscribed in the given device square.
void DrawScrewHead(gdi::DC& dc, int left, int top, int right, int bottom);

// The tool set the renderers draw with: the view's current one, or, when there is none, one
// built for the context for the life of this object.
class PageTools {
public:
    explicit PageTools(const gdi::DC& dc);
    ~PageTools();
    PageTools(const PageTools&) = delete;
    PageTools& operator=(const PageTools&) = delete;
    const CDrawingTools& operator*() const { return *tools_; }
    const CDrawingTools* operator->() const { return tools_; }

private:
    std::unique_ptr<CDrawingTools> own_;
    const CDrawingTools* tools_;
};

// Puts back the context's pen, brush, font and text alignment when it goes out of scope.
class DcAttributesGuard {
public:
    explicit DcAttributesGuard(gdi::DC& dc);
    ~DcAttributesGuard();
    DcAttributesGuard(const DcAttributesGuard&) = delete;
    DcAttributesGuard& operator=(const DcAttributesGuard&) = delete;

private:
    gdi::DC& dc_;
    gdi::Pen pen_;
    gdi::Brush brush_;
    gdi::LogFont font_;
    unsigned align_;
};
