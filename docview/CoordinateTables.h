#pragma once
// The coordinate-table pages: printable tables of the points a maker needs to trace the
// dial's lines on the real face, each also left as a tab-separated text file in the data
// folder for the ASCII export. Page renderers of the view (docview/PageRenderers.h): they
// read the document, its dial and the astronomy module, draw every page of the table into
// the context (a printer's viewport origin picks the sheet) and take no rectangle.
//
// Coordinates are millimetres on the dial, measured from the style foot A (x to the right,
// y up); polar coordinates from the centre B, angles in degrees counter-clockwise from x.
#include "platform/Gdi.h"

// Display mode 8 for dials with hour lines: x and y of each hour at the solstices and the
// equinox, and the hour line's angle at B. Rewrites "thl.tmp".
void DrawHourLineTable(gdi::DC& dc, const gdi::Rect& rect = {});
// Display mode 8 for dials whose hours are points: each hour point at the June solstice, in
// Cartesian and polar form from A. Rewrites "thp.tmp".
void DrawHourPointTable(gdi::DC& dc, const gdi::Rect& rect = {});
// Display mode 9 for dials with hour lines: the points of the date arcs every half hour,
// three arcs to a page. Rewrites "tdl.tmp".
void DrawDateArcTable(gdi::DC& dc, const gdi::Rect& rect = {});
// Display mode 9 for analemmatic dials: where the movable style stands for each declination
// and date. Rewrites "tdp.tmp".
void DrawMobileStyleTable(gdi::DC& dc, const gdi::Rect& rect = {});
// Display mode 14: distances of the hour points along the equinoctial line from its noon
// point O, every five minutes. Writes no file.
void DrawEquinoctialTable(gdi::DC& dc, const gdi::Rect& rect = {});
// Display mode 18: the points of the mean-time curve of the dial's noonCurveHour on six days
// of each month. Rewrites "tdm.tmp".
void DrawNoonMarkTable(gdi::DC& dc, const gdi::Rect& rect = {});

// The pages of modes 8 and 9 as the view draws them: the hour-point and mobile-style tables
// when there is no dial or its hours are points, else the hour-line and date-arc tables.
void DrawHourCoordinatePage(gdi::DC& dc, const gdi::Rect& rect);
void DrawDateCoordinatePage(gdi::DC& dc, const gdi::Rect& rect);
