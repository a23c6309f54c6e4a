#include "model/PlaneDialMarks.h"

#include "app/GraphicsHelpers.h"
#include "docview/CDrawingTools.h"
#include "model/DialDrawing.h"
#include "model/PlaneDialGeometry.h"
#include "model/Rounding.h"

#include <cmath>

using namespace dialdraw;

namespace planedial {

namespace {

constexpr int kFootWidth = 4;  // tenths of a millimetre, diameter of the exported foot
constexpr int kEndWidth = 3;   // centre and style ends

void Label(gdi::DC& dc, int x, int y, unsigned align, const char* text)
{
    AlignScope scope(dc, align);
    dc.TextOut(x, y, text);
}

// Half-size of the marks: one millimetre on the device.
int MarkSize(const CCadran& dial)
{
    return RoundToInt(dial.pixelsPerMmX);
}

gdi::Point ExportFoot(const CCadran& dial, gdi::Point origin)
{
    return MakeExportFrame(dial, origin).anchor;
}

}  // namespace

void DrawCross(gdi::DC& dc, gdi::Point p, int m)
{
    dc.MoveTo(p.x - m, p.y);
    dc.LineTo(p.x + m + 1, p.y);
    dc.MoveTo(p.x, p.y - m);
    dc.LineTo(p.x, p.y + m + 1);
}

void DrawStyleFootAndCentre(CCadran& dial, gdi::DC& dc, int ax, int ay, MarkLayout layout, bool recordShapes)
{
    ToolsScope tools(dc);
    FontScope font(dc, tools.Tools().courier9);
    const int m = MarkSize(dial);
    const gdi::Point a{ax, ay};

    int bx = 0, by = 0, fullX = 0, fullY = 0;
    const bool hasCentre = dial.GetCentre(bx, by, true, false);
    const bool hasFullCentre = dial.GetCentre(fullX, fullY, false, false);
    // The horizontal dial's centre lies straight below the foot.
    const gdi::Point b = layout == MarkLayout::Horizontal ? gdi::Point{ax, ay + by} : gdi::Point{ax + bx, ay + by};
    if (hasCentre) {
        PenScope pen(dc, tools.Tools().gridPen);
        dc.MoveTo(a.x, a.y);
        dc.LineTo(b.x, b.y);
    }
    {
        PenScope pen(dc, tools.Tools().blackPen);
        DrawCross(dc, a, m);
        if (hasCentre)
            DrawCross(dc, b, m);
    }
    // B* when the truncation moved the centre (or it has none of its own).
    const char* centreLabel = hasFullCentre && fullX == bx && fullY == by ? "B" : "B*";
    switch (layout) {
    case MarkLayout::Horizontal:
        Label(dc, ax + m, ay + m / 2, gdi::TA_LEFT | gdi::TA_TOP, "A");
        if (hasCentre)
            Label(dc, ax + m, ay + by, gdi::TA_LEFT | gdi::TA_BOTTOM, centreLabel);
        break;
    case MarkLayout::Meridional:
        Label(dc, ax + m, ay - m / 2, gdi::TA_LEFT | gdi::TA_BOTTOM, "A");
        if (hasCentre)
            Label(dc, ax + m, ay + by + m / 2, gdi::TA_LEFT | gdi::TA_TOP, centreLabel);
        break;
    case MarkLayout::Other:
        Label(dc, ax + m, ay - 2 * m, gdi::TA_LEFT | gdi::TA_BOTTOM, "A");
        if (hasCentre)
            Label(dc, ax + m + bx, ay + by + 2 * m, gdi::TA_LEFT | gdi::TA_TOP, centreLabel);
        break;
    }

    if (recordShapes && dial.collectShapes) {
        const gdi::Point foot = ExportFoot(dial, a);
        dial.AddPointShape(foot.x, foot.y, kFootWidth);
        int tx = 0, ty = 0;
        if (dial.GetCentre(tx, ty, true, true))
            dial.AddPointShape(foot.x + tx, foot.y + ty, kEndWidth);
    }
}

void DrawParallelStyle(CCadran& dial, gdi::DC& dc, int ax, int ay, bool west)
{
    ToolsScope tools(dc);
    FontScope font(dc, tools.Tools().courier9);
    const int m = MarkSize(dial);
    const double phi = dial.latitude * kDegToRad;
    const double length = dial.styleLimit * dial.scale;
    const int dx = RoundToInt(std::cos(phi) * length * dial.pixelsPerMmX);
    const int dy = RoundToInt(std::sin(phi) * length * dial.pixelsPerMmY);
    const gdi::Point a{ax, ay};
    // The style rises towards the pole: to the left on a west face, to the right on an east
    // face (the other way round in the south, where phi < 0).
    const gdi::Point lowEnd = west ? gdi::Point{ax + dx, ay + dy} : gdi::Point{ax - dx, ay + dy};
    const gdi::Point highEnd = west ? gdi::Point{ax - dx, ay - dy} : gdi::Point{ax + dx, ay - dy};
    {
        PenScope pen(dc, tools.Tools().gridPen);
        dc.MoveTo(lowEnd.x, lowEnd.y);
        dc.LineTo(highEnd.x, highEnd.y);
    }
    {
        PenScope pen(dc, tools.Tools().blackPen);
        DrawCross(dc, lowEnd, m);
        DrawCross(dc, highEnd, m);
        DrawCross(dc, a, m);
    }
    Label(dc, lowEnd.x, lowEnd.y + 2 * m, gdi::TA_CENTER | gdi::TA_TOP, "C*");
    Label(dc, ax, ay - 2 * m, gdi::TA_CENTER | gdi::TA_BOTTOM, "A");
    Label(dc, highEnd.x, highEnd.y - 2 * m, gdi::TA_CENTER | gdi::TA_BOTTOM, "B*");

    if (dial.collectShapes) {
        const gdi::Point foot = ExportFoot(dial, a);
        const int ex = RoundToInt(10.0 * length * std::cos(phi)) * (west ? 1 : -1);
        const int ey = -RoundToInt(10.0 * length * std::sin(phi));
        dial.AddPointShape(foot.x, foot.y, kFootWidth);
        dial.AddPointShape(foot.x + ex, foot.y + ey, kEndWidth);
        dial.AddPointShape(foot.x - ex, foot.y - ey, kEndWidth);
    }
}

void DrawPolarStyle(CCadran& dial, gdi::DC& dc, int ax, int ay)
{
    ToolsScope tools(dc);
    FontScope font(dc, tools.Tools().courier9);
    const int m = MarkSize(dial);
    const int half = RoundToInt(dial.styleLimit * dial.scale * dial.pixelsPerMmY);
    const gdi::Point a{ax, ay};
    // The cut style ends below the foot, where the centre offset puts it.
    const gdi::Point lowEnd{ax, ay + half};
    const gdi::Point highEnd{ax, ay - half};
    {
        PenScope pen(dc, tools.Tools().gridPen);
        dc.MoveTo(highEnd.x, highEnd.y);
        dc.LineTo(lowEnd.x, lowEnd.y);
    }
    {
        PenScope pen(dc, tools.Tools().blackPen);
        DrawCross(dc, a, m);
        DrawCross(dc, lowEnd, m);
        DrawCross(dc, highEnd, m);
    }
    Label(dc, ax + m, ay - m / 2, gdi::TA_LEFT | gdi::TA_BOTTOM, "A");
    Label(dc, lowEnd.x, lowEnd.y + 2 * m, gdi::TA_CENTER | gdi::TA_TOP, "B*");
    Label(dc, highEnd.x, highEnd.y - 2 * m, gdi::TA_CENTER | gdi::TA_BOTTOM, "C*");
}

void DrawNoonLine(CCadran& dial, gdi::DC& dc, const gdi::Rect& rect, gdi::Point centre, gdi::Point through)
{
    double radius = 0.0, angle = 0.0;
    CartesianToPolar(static_cast<double>(through.x) - centre.x, static_cast<double>(through.y) - centre.y, radius,
                     angle, true, true);
    gdi::Point end;
    if (!dial.ClipRay(rect, centre, angle, end))
        return;
    // The centre may lie off the dial: draw only the part inside.
    gdi::Point start = centre;
    if (!ClipSegment(rect, start, end))
        return;
    ToolsScope tools(dc);
    PenScope pen(dc, tools.Tools().midGreyPen);
    dc.MoveTo(start.x, start.y);
    dc.LineTo(end.x, end.y);
}

}  // namespace planedial
