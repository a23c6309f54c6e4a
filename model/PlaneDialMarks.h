#pragma once
// Marks that the plane dials draw over their lines: the foot of the style, the centre, the
// style itself, and the noon line of the dials on any plane.
#include "model/CCadran.h"
#include "platform/Gdi.h"

namespace planedial {

// Where the labels of the foot (A) and of the centre (B, or B* when truncation moved it) go.
enum class MarkLayout {
    Horizontal,  // the style runs down the drawing from the foot
    Meridional,  // the style runs up the drawing from the foot
    Other,       // declining and inclined faces
};

// The style line from the foot (ax, ay) to the truncated centre, crosses at both and their
// labels. With recordShapes the two points are also recorded as export shapes when the dial
// collects them.
void DrawStyleFootAndCentre(CCadran& dial, gdi::DC& dc, int ax, int ay, MarkLayout layout,
                            bool recordShapes = true);
// A style parallel to an east or west face, centred on the foot.
void DrawParallelStyle(CCadran& dial, gdi::DC& dc, int ax, int ay, bool west);
// The polar dial's style, vertical on the drawing and centred on the foot.
void DrawPolarStyle(CCadran& dial, gdi::DC& dc, int ax, int ay);
// The ray from the centre through a point of the noon line, clipped to rect.
void DrawNoonLine(CCadran& dial, gdi::DC& dc, const gdi::Rect& rect, gdi::Point centre, gdi::Point through);

// A cross of half-size m centred on p (the end points of both strokes included).
void DrawCross(gdi::DC& dc, gdi::Point p, int m);

}  // namespace planedial
