#pragma once
// A device context that draws nothing and records every call that changes or uses it, for
// tests of drawing code: which primitives, with which arguments, with which pen, brush,
// font, colours and alignment in force, in logical and in device coordinates.
//
// Its font metrics are fixed so that text extents do not depend on installed fonts. With
// E = |height| (a positive height is taken as it is; height 0 means a 12-point font, that
// is MulDiv(12, LOGPIXELSY, 72) pixels):
//   cell height = E, ascent = round(0.8 E), descent = E - ascent, no leading;
//   character width = the font's width when set, otherwise round(0.6 E), the same for
//   every character (one per UTF-8 code point);
//   text extent = (characters x character width, E).
#include "platform/DCBase.h"

#include <string>
#include <vector>

namespace gdi {

enum class RecordKind {
    SelectPen, SelectBrush, SelectFont, SetTextColor, SetBkColor, SetBkMode, SetTextAlign,
    SetPalette, SetViewportOrg, SetWindowOrg, SaveDC, RestoreDC, IntersectClipRect,
    SelectClipRect, MoveTo, LineTo, Polyline, Polygon, Rectangle, Ellipse, Arc, Chord, Pie,
    SetPixel, FillRect, TextOut, DrawText, DrawImage,
};

// One recorded call.
//   args: the integer arguments in call order (coordinates as passed, logical); colours as
//     their COLORREF value; FillRect adds the brush style and colour; DrawImage adds the
//     image width and height; SelectClipRect(nullptr) has no args.
//   points: the points of a drawing call in logical coordinates: LineTo the current position
//     then the end; Polyline and Polygon their points; Rectangle, Ellipse, FillRect,
//     DrawImage, the clip calls and DrawText's rectangle their two corners; Arc, Chord and
//     Pie the two corners then the start and end points; SetPixel and MoveTo the point;
//     TextOut the reference point used (the current position with TA_UPDATECP).
//   devicePoints: the same points in device coordinates.
//   lines: DrawText's lines as placed (top-left corners in logical coordinates).
//   The state fields are those in force after the call.
struct Record {
    RecordKind kind = RecordKind::MoveTo;
    std::vector<int> args;
    std::vector<Point> points;
    std::vector<Point> devicePoints;
    std::string text;
    std::vector<TextLine> lines;
    Pen pen;
    Brush brush;
    LogFont font;
    COLORREF textColor = 0;
    COLORREF bkColor = 0;
    int bkMode = OPAQUE;
    unsigned textAlign = 0;
};

struct Segment {
    Point from;
    Point to;
    Pen pen;
    friend bool operator==(const Segment&, const Segment&) = default;
};

// Capabilities the recording device reports.
struct DeviceCaps {
    int logPixelsX = 96;
    int logPixelsY = 96;
    int horzRes = 1280;
    int vertRes = 1024;
    int bitsPixel = 32;
    int horzSizeMm = 0;  // 0: derived from the resolution and the pixel count
    int vertSizeMm = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;

    // A printer page of the given size at the given resolution, printable to its edges.
    static DeviceCaps Page(int dpi, int widthMm, int heightMm);
};

class RecordingDC : public DCBase {
public:
    explicit RecordingDC(DeviceCaps caps = {}, bool printing = false, bool preview = false);

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    LogFont SelectFont(const LogFont& font) override;
    COLORREF SetTextColor(COLORREF color) override;
    COLORREF SetBkColor(COLORREF color) override;
    int SetBkMode(int mode) override;
    unsigned SetTextAlign(unsigned flags) override;
    void SetPalette(std::vector<COLORREF> entries) override;
    Point SetViewportOrg(int x, int y) override;
    Point SetWindowOrg(int x, int y) override;
    int SaveDC() override;
    bool RestoreDC(int saved) override;
    void IntersectClipRect(const Rect& rect) override;
    void SelectClipRect(const Rect* rect) override;
    Point MoveTo(int x, int y) override;

    bool LineTo(int x, int y) override;
    bool Polyline(const Point* points, int count) override;
    bool Polygon(const Point* points, int count) override;
    bool Rectangle(int left, int top, int right, int bottom) override;
    bool Ellipse(int left, int top, int right, int bottom) override;
    bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    bool Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    bool Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    COLORREF SetPixel(int x, int y, COLORREF color) override;
    void FillRect(const Rect& rect, const Brush& brush) override;
    bool TextOut(int x, int y, std::string_view text) override;
    int DrawText(std::string_view text, Rect& rect, unsigned format) override;
    Size GetTextExtent(std::string_view text) const override;
    TextMetrics GetTextMetrics() const override;
    bool DrawImage(const Rect& dest, const Image& image) override;

    int GetDeviceCaps(int index) const override;
    bool IsPrinting() const override { return printing_; }
    bool IsPreview() const override { return preview_; }
    void SetPrinting(bool printing) { printing_ = printing; }
    void SetPreview(bool preview) { preview_ = preview; }

    // What tests look at.
    const std::vector<Record>& Records() const { return records_; }
    std::vector<const Record*> RecordsOf(RecordKind kind) const;
    int Count(RecordKind kind) const;
    // Texts of TextOut and DrawText, in drawing order.
    std::vector<std::string> Texts() const;
    // Every straight segment drawn with the pen by LineTo, Polyline and Polygon (closed), in
    // logical or device coordinates, with the pen in force.
    std::vector<Segment> Segments(bool device = false) const;
    void Clear() { records_.clear(); }

private:
    Record& Add(RecordKind kind, std::vector<int> args, std::vector<Point> points = {});
    bool AddBox(RecordKind kind, int left, int top, int right, int bottom);
    bool AddArc(RecordKind kind, int left, int top, int right, int bottom, int xStart, int yStart,
                int xEnd, int yEnd);
    int Em() const;

    DeviceCaps caps_;
    bool printing_;
    bool preview_;
    std::vector<Record> records_;
};

}  // namespace gdi
