#pragma once
// Mechanics shared by the dial's line families (internal to the drawing code): the tool set
// in force, pen, font and alignment scopes, saturating point arithmetic, straight-line
// clipping, the place of the drawing in export units, and the tracer that draws a curve of
// projected sun directions and records it for the export.
#include "model/CCadran.h"
#include "model/FaceMap.h"

#include <memory>
#include <vector>

class CDrawingTools;

namespace dialdraw {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180.0;

// A tool set for dc while the scope lives: the application's when it has one, else one built
// for dc and made the application's until the scope ends (nested scopes reuse it).
class ToolsScope {
public:
    explicit ToolsScope(const gdi::DC& dc);
    ~ToolsScope();
    ToolsScope(const ToolsScope&) = delete;
    ToolsScope& operator=(const ToolsScope&) = delete;
    const CDrawingTools& Tools() const { return *tools_; }

private:
    std::unique_ptr<CDrawingTools> own_;
    CDrawingTools* tools_ = nullptr;
};

class PenScope {
public:
    PenScope(gdi::DC& dc, const gdi::Pen& pen) : dc_(dc), old_(dc.SelectPen(pen)) {}
    ~PenScope() { dc_.SelectPen(old_); }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

private:
    gdi::DC& dc_;
    gdi::Pen old_;
};

class FontScope {
public:
    FontScope(gdi::DC& dc, const gdi::LogFont& font) : dc_(dc), old_(dc.SelectFont(font)) {}
    ~FontScope() { dc_.SelectFont(old_); }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    gdi::DC& dc_;
    gdi::LogFont old_;
};

class AlignScope {
public:
    AlignScope(gdi::DC& dc, unsigned align) : dc_(dc), old_(dc.SetTextAlign(align)) {}
    ~AlignScope() { dc_.SetTextAlign(old_); }
    AlignScope(const AlignScope&) = delete;
    AlignScope& operator=(const AlignScope&) = delete;

private:
    gdi::DC& dc_;
    unsigned old_;
};

// p + origin, each coordinate kept within +-2^29 so that differences of two points still
// fit an int (a direction grazing the face projects very far).
gdi::Point Offset(gdi::Point p, gdi::Point origin);

// The part of the line p + t d, t in [lo, hi], inside rect (edges included): narrows lo and
// hi; false when nothing is inside.
bool LineInterval(const gdi::Rect& rect, double px, double py, double dx, double dy, double& lo, double& hi);
// Clips the segment to rect (edges included); false when it lies outside.
bool ClipSegment(const gdi::Rect& rect, gdi::Point& a, gdi::Point& b);
// Moves p into rect.
gdi::Point Clamp(gdi::Point p, const gdi::Rect& rect);

// Where the drawing lies in export units: tenths of a millimetre of the dial, x right and y
// up from its bottom left corner.
struct ExportFrame {
    gdi::Point anchor;  // the style foot
    gdi::Rect rect;     // the drawing rectangle; top holds the smaller y
};
ExportFrame MakeExportFrame(const CCadran& dial, gdi::Point origin);

// The device and export points of a sun direction.
struct Projected {
    gdi::Point device;
    gdi::Point exported;
};
Projected ProjectBoth(const CCadran& dial, double azimuth, double altitude, gdi::Point origin,
                      const ExportFrame& frame);

// A straight line between two projected points, clipped to the drawing (extended to its
// edge from the first point with extend), drawn with the current pen as a two-point
// polyline and, when the dial collects shapes, recorded as a segment. Returns false when
// nothing is drawn; a and b then hold the device ends as drawn.
bool DrawStraight(CCadran& dial, gdi::DC& dc, const ExportFrame& frame, Projected& a, Projected& b, bool extend);
// A polyline with the current pen, less its parts inside the number boxes of the dial
// (CCadran::numberBoxes): the lines go round the numbers.
void DrawAround(const CCadran& dial, gdi::DC& dc, const gdi::Point* points, int count);

// One five-minute step of the hour lines, measured before any line is drawn, so that the
// numbers are laid out first and the lines drawn round them (CCadran::DrawHourSteps).
struct HourStep {
    int s = 0;
    int entry = 0;  // colour entry of the hour line
    bool meanTime = false;  // the mean-time lines of the step are drawn too
    bool drawLine = false;  // the hour line from `from` to `to`, clipped by ClipStraight
    Projected from;
    Projected to;
    bool extension = false;  // a thin light grey line from extensionFrom to extensionTo
    gdi::Point extensionFrom;
    gdi::Point extensionTo;
};

// The two steps of DrawStraight: the clipping (false when nothing is left), then the drawing
// and the recording of what the clipping left; the device ends may be shortened between
// them without changing what is recorded.
bool ClipStraight(const CCadran& dial, const ExportFrame& frame, Projected& a, Projected& b, bool extend);
void DrawClipped(CCadran& dial, gdi::DC& dc, const Projected& a, const Projected& b);

// Draws a curve point by point: each point is joined to the previous one of its run through
// the dial's IsInsideDial; the visible pieces are drawn with the current pen as polylines
// and, when the dial collects shapes, recorded as shapes of the same points in export units.
class CurveTracer {
public:
    CurveTracer(CCadran& dial, gdi::DC& dc, gdi::Point origin);
    ~CurveTracer() { Finish(); }
    CurveTracer(const CurveTracer&) = delete;
    CurveTracer& operator=(const CurveTracer&) = delete;

    // Projects the sun direction and adds it to the run.
    void Add(double azimuth, double altitude);
    void AddPoint(const Projected& p);
    // The next point starts a new run.
    void Break();
    // Draws what is pending.
    void Finish();
    const ExportFrame& Frame() const { return frame_; }

private:
    void Flush();

    CCadran& dial_;
    gdi::DC& dc_;
    gdi::Point origin_;
    bool record_;
    ExportFrame frame_;
    bool havePrevious_ = false;
    Projected previous_;
    std::vector<gdi::Point> polyline_;
};

// A cross of half-size half centred on p, each stroke a two-point polyline (which leaves its
// last point out).
void DrawPolylineCross(gdi::DC& dc, gdi::Point p, int half);
// The mark of the style's foot on the dials whose style stands at it: a cross of one
// millimetre and the label "A", with the tool set's black pen and "Courier New" 9 font.
void DrawFootMark(const CCadran& dial, gdi::DC& dc, gdi::Point foot);

// The shadow of a movable or wire style: a segment from `from` to `to` (device units) with
// a light grey pen three units wide at the tool set's scale; with greyBrush the brush of
// that grey is in force while it is drawn.
void DrawStyleShadow(gdi::DC& dc, gdi::Point from, gdi::Point to, bool greyBrush);

// Whether the date arc of ecliptic longitude k x 10 degrees (k = 0..35) is drawn in the
// preferences' diurnal arc mode.
bool LongitudeRowDrawn(int k, int mode);
// Colour entry of that arc: the zodiac entries by the declination of the sign's start, entry
// 16 between signs.
int LongitudePenEntry(int k);

// A sun of the equatorial frame with the sines and cosines of its angles (radians).
struct EquatorialSun {
    double hourAngle = 0.0;
    double sinHourAngle = 0.0;
    double cosHourAngle = 1.0;
    double declination = 0.0;
    double sinDeclination = 0.0;
    double cosDeclination = 1.0;

    static EquatorialSun At(double hourAngle, double declination);
    void SetHourAngle(double angle);
};

// The suns of the families that trace them by the thousand: whether each lights the face and
// where it falls. Through the dial's face map when it has one (a few products a sun); else,
// and for the rare sun whose light or rounding the products cannot settle, through
// EquatorialToHorizontal, IsLit and ProjectBoth as every other family goes. Both routes give
// the same points.
class SunProjector {
public:
    SunProjector(const CCadran& dial, gdi::Point origin, const ExportFrame& frame, bool aboveHorizonOnly);

    // False when the sun does not light the face; else its points. The sun's sines and
    // cosines are those of its angles.
    bool Project(const EquatorialSun& sun, Projected& p) const;
    // A first look at a sun whose sines and cosines may be a few 1e-16 off: Unlit only when
    // it surely does not light the face.
    FaceMap::Light LightOf(const EquatorialSun& sun) const;

private:
    bool OnFastRoute(const EquatorialSun& sun, HorizontalVector& v) const;
    bool FastPoints(const HorizontalVector& v, Projected& p) const;

    const CCadran& dial_;
    gdi::Point origin_;
    ExportFrame frame_;
    bool aboveHorizonOnly_;
    bool collect_;
    bool haveMap_ = false;
    FaceMap map_;
    SiteFrame site_;
};

}  // namespace dialdraw
