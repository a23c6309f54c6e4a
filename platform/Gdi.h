#pragma once
// The drawing interface of the program: a device context with the meanings of the classic
// desktop graphics interface (integer logical coordinates in pixels, pens and brushes
// selected into the context, end points of lines excluded, right and bottom edges of
// rectangles and ellipses excluded, text aligned by flags, arcs from radial points taken
// counter-clockwise). Everything the program draws goes through DC, so the same drawing
// code paints the screen, images, printers, PDF and SVG (QtDC), metafiles (EmfDC) and test
// recordings (RecordingDC).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gdi {

// Colours: 0x00BBGGRR. A palette-index colour has 0x01 in the top byte and the index below.
using COLORREF = std::uint32_t;
constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr COLORREF PALETTEINDEX(int index) { return 0x01000000u | static_cast<std::uint16_t>(index); }
constexpr bool IsPaletteIndex(COLORREF c) { return (c >> 24) == 0x01; }
constexpr int PaletteIndexOf(COLORREF c) { return static_cast<int>(c & 0xFFFF); }

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are outside the rectangle.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect Normalized() const;
    void Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void Inflate(int dx, int dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
    void Deflate(int dx, int dy) { Inflate(-dx, -dy); }
    // Empty result (all zero) when they do not meet.
    static Rect Intersect(const Rect& a, const Rect& b);
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Pens. Width 0 and 1 draw one device pixel whatever the scale (cosmetic).
enum PenStyle : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5 };
struct Pen {
    int style = PS_SOLID;
    int width = 0;
    COLORREF color = RGB(0, 0, 0);
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum BrushStyle : int { BS_SOLID = 0, BS_NULL = 1 };
struct Brush {
    int style = BS_SOLID;
    COLORREF color = RGB(255, 255, 255);
    friend bool operator==(const Brush&, const Brush&) = default;
};

// Stock objects.
enum StockObject : int {
    WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4,
    NULL_BRUSH = 5, HOLLOW_BRUSH = NULL_BRUSH, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8,
};
Pen StockPen(int stock);
Brush StockBrush(int stock);

// Font description. height < 0: character height in pixels; > 0: cell height; 0: default.
// escapement in tenths of a degree, counter-clockwise.
enum : int { FW_NORMAL = 400, FW_BOLD = 700 };
enum : int { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2 };
enum : int { OUT_DEFAULT_PRECIS = 0, OUT_TT_ONLY_PRECIS = 7 };
enum : int { CLIP_DEFAULT_PRECIS = 0 };
enum : int { DEFAULT_QUALITY = 0, DRAFT_QUALITY = 1, PROOF_QUALITY = 2 };
enum : int { FF_DONTCARE = 0x00, FF_ROMAN = 0x10, FF_SWISS = 0x20, FF_MODERN = 0x30,
             FF_SCRIPT = 0x40, FF_DECORATIVE = 0x50 };
struct LogFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = DEFAULT_CHARSET;
    int outPrecision = OUT_DEFAULT_PRECIS;
    int clipPrecision = CLIP_DEFAULT_PRECIS;
    int quality = DEFAULT_QUALITY;
    int pitchAndFamily = FF_DONTCARE;
    std::string faceName;
    friend bool operator==(const LogFont&, const LogFont&) = default;
};

struct TextMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
};

// Text alignment: one of LEFT/CENTER/RIGHT combined with one of TOP/BASELINE/BOTTOM.
enum : unsigned { TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6,
                  TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24 };
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : unsigned { DT_TOP = 0, DT_LEFT = 0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
                  DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_NOCLIP = 0x100,
                  DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800 };

// Device capabilities.
enum : int { HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12,
             LOGPIXELSX = 88, LOGPIXELSY = 90, PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111,
             PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113 };

// A picture in memory: 32-bit 0xAARRGGBB pixels, rows from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    // Nonzero: names these pixels, which do not change while they carry the number (a picture
    // drawn in many frames), so that a device keeping what it is given keeps them once.
    std::uint64_t id = 0;
    bool IsNull() const { return width <= 0 || height <= 0; }
};

// a * b / c with a 64-bit product, rounded half away from zero; -1 when c is 0 or the
// result does not fit an int.
int MulDiv(int a, int b, int c);

// The device context. Coordinates are logical pixels (one mapping mode: one logical unit per
// device pixel); device = logical - window origin + viewport origin.
class DC {
public:
    virtual ~DC() = default;

    // Selection returns the object that was selected before.
    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual Brush SelectBrush(const Brush& brush) = 0;
    virtual LogFont SelectFont(const LogFont& font) = 0;
    Pen SelectStockPen(int stock) { return SelectPen(StockPen(stock)); }
    Brush SelectStockBrush(int stock) { return SelectBrush(StockBrush(stock)); }
    virtual Pen GetCurrentPen() const = 0;
    virtual Brush GetCurrentBrush() const = 0;
    virtual LogFont GetCurrentFont() const = 0;

    virtual COLORREF SetTextColor(COLORREF color) = 0;
    virtual COLORREF GetTextColor() const = 0;
    virtual COLORREF SetBkColor(COLORREF color) = 0;
    virtual COLORREF GetBkColor() const = 0;
    virtual int SetBkMode(int mode) = 0;
    virtual int GetBkMode() const = 0;
    virtual unsigned SetTextAlign(unsigned flags) = 0;
    virtual unsigned GetTextAlign() const = 0;

    // Palette used to resolve PALETTEINDEX colours (index out of range: black).
    virtual void SetPalette(std::vector<COLORREF> entries) = 0;
    virtual COLORREF ResolveColor(COLORREF color) const = 0;

    virtual Point SetViewportOrg(int x, int y) = 0;
    virtual Point GetViewportOrg() const = 0;
    virtual Point SetWindowOrg(int x, int y) = 0;
    virtual Point GetWindowOrg() const = 0;
    void LPtoDP(Point* points, int count) const;
    void DPtoLP(Point* points, int count) const;
    void LPtoDP(Rect& rect) const;
    void DPtoLP(Rect& rect) const;

    // Saves every attribute above, the clip region and the current position;
    // RestoreDC(-1) restores the most recent save, RestoreDC(n) the save that returned n.
    virtual int SaveDC() = 0;
    virtual bool RestoreDC(int saved) = 0;

    // Clipping, in logical coordinates.
    virtual void IntersectClipRect(const Rect& rect) = 0;
    virtual void SelectClipRect(const Rect* rect) = 0;  // null removes the clip
    virtual Rect GetClipBox() const = 0;

    virtual Point MoveTo(int x, int y) = 0;              // returns the previous position
    virtual Point GetCurrentPosition() const = 0;
    virtual bool LineTo(int x, int y) = 0;               // end point not drawn
    virtual bool Polyline(const Point* points, int count) = 0;
    virtual bool Polygon(const Point* points, int count) = 0;  // outlined with the pen, filled with the brush
    virtual bool Rectangle(int left, int top, int right, int bottom) = 0;
    virtual bool Ellipse(int left, int top, int right, int bottom) = 0;
    // Arc of the ellipse in the box, counter-clockwise from the radial through (xStart, yStart)
    // to the radial through (xEnd, yEnd); Chord closes it with a segment, Pie with two radii.
    virtual bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
    virtual bool Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
    virtual bool Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
    virtual COLORREF SetPixel(int x, int y, COLORREF color) = 0;
    virtual void FillRect(const Rect& rect, const Brush& brush) = 0;
    void FillSolidRect(const Rect& rect, COLORREF color) { FillRect(rect, Brush{BS_SOLID, color}); }

    // Text in UTF-8, placed by the text alignment; the background is filled in OPAQUE mode.
    virtual bool TextOut(int x, int y, std::string_view text) = 0;
    // Text in a rectangle (DT_* flags); returns the text height. With DT_CALCRECT nothing is
    // drawn and the rectangle is set to the size the text needs.
    virtual int DrawText(std::string_view text, Rect& rect, unsigned format) = 0;
    virtual Size GetTextExtent(std::string_view text) const = 0;
    virtual TextMetrics GetTextMetrics() const = 0;

    // Draws the image stretched over dest.
    virtual bool DrawImage(const Rect& dest, const Image& image) = 0;

    virtual int GetDeviceCaps(int index) const = 0;
    virtual bool IsPrinting() const = 0;
    virtual bool IsPreview() const = 0;
    // A metafile records a drawing for export rather than showing it.
    virtual bool IsMetafile() const { return false; }
};

}  // namespace gdi
