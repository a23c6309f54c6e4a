#pragma once
// The drawings of the small preview windows of the dialogs, on any device context, in the
// window's client rectangle (pixels, right and bottom outside). The Qt windows
// (dialogs/qt/CPreviewWnd.h and its family) paint through these.
#include "platform/Gdi.h"

#include <string>
#include <vector>

class CDrawingTools;
struct CHorizonPoint;

// The frame every preview starts with: the rectangle filled with the context's brush and
// outlined with its pen, then a black frame one pixel larger to the right and below.
void DrawPreviewFrame(gdi::DC& dc, const gdi::Rect& client);

// A wall or plane seen from above (planView) or from the side, turned by angleDeg, with the
// cardinal labels of the hemisphere. The labels use the small font of the tools; without
// tools (a preview painted before the view made them), an Arial font of 9 pixels.
void DrawOrientationPreview(gdi::DC& dc, const gdi::Rect& client, double angleDeg, bool northern, bool planView,
                            const CDrawingTools* tools);

// The zodiac letter of a sign (0 Capricorn .. 11 Sagittarius) in the symbol font: "g" "h"
// "i" "^" "_" "`" "a" "b" "c" "d" "e" "f"; empty for any other index.
std::string ZodiacGlyph(int signIndex);
// The sign's glyph, 48 pixels high, centred; nothing but the frame for an unknown sign.
void DrawZodiacSymbolPreview(gdi::DC& dc, const gdi::Rect& client, int signIndex);

// The horizon mask: a grid of azimuth and altitude and, when there are points, the polygon
// of the points (azimuth -180..180 across, altitude 0..90 up). No points (or no list): no
// polygon.
void DrawHorizonMaskPreview(gdi::DC& dc, const gdi::Rect& client, const std::vector<CHorizonPoint>* points);

// A point placed in percent of the width and height, with dotted guides from the edges.
void DrawPositionPreview(gdi::DC& dc, const gdi::Rect& client, int horizontalPercent, int verticalPercent);

// The colour swatch: the rectangle filled with the colour and outlined in black.
void DrawColorSwatch(gdi::DC& dc, const gdi::Rect& rect, gdi::COLORREF color);
