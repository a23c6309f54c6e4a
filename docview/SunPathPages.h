#pragma once
// The sun's course over the year at the document's location: the azimuth-altitude graph with
// seven daily paths (the solstices and the entries of the signs between them) under the
// optional horizon mask, and the stereographic diagram of the dial's latitude with the trace
// of its plane.
#include "platform/Gdi.h"

// The page rectangle is in reference pixels, as the view gives it.
void DrawAzimuthAltitudeGraph(gdi::DC& dc, const gdi::Rect& page);
// Lays itself out on the document's drawing; draws nothing without a document or a dial.
void DrawStereographicDiagram(gdi::DC& dc, const gdi::Rect& unused = {});
