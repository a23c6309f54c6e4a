#pragma once
// The style (gnomon) of the current dial as a flat piece to cut out: drawn at true size, so
// that a printout serves as a template, and as a dimensioned plan fitted into the page with
// the coordinates of its points A (foot of the style) and B (where its polar edge meets the
// dial). Both draw nothing without a dial; the rectangle the view passes is not used.
#include "platform/Gdi.h"

#include <string>

void DrawStyleAtScale(gdi::DC& dc, const gdi::Rect& unused = {});
void DrawStylePlan(gdi::DC& dc, const gdi::Rect& unused = {});

// One dimension between two device points: extension lines out to the side (the left of the
// direction from the first point to the second when `otherSide` is set, else its right, on a
// drawing with y down), the dimension line with an arrow at each end, and the text above it.
// Nothing for two equal points.
void DrawDimension(gdi::DC& dc, int x1, int y1, int x2, int y2, const std::string& text, bool otherSide);
