#pragma once
// The equation-of-time pages of the reference year at the document's location: the annual
// graph, the monthly graph (one curve per month), the vertical curve against the sun's
// declination, and the table of values. Each draws the graph frame in its page rectangle
// (reference pixels) and works inside the plotting area, in device pixels.
#include "model/LabelBoxes.h"
#include "platform/Gdi.h"

#include <string>
#include <vector>

void DrawEotAnnualGraph(gdi::DC& dc, const gdi::Rect& page);
void DrawEotMonthlyGraph(gdi::DC& dc, const gdi::Rect& page);
void DrawEotDeclinationCurve(gdi::DC& dc, const gdi::Rect& page);
// The table also rewrites "teot.tmp" (tab-separated, whole seconds) for the table export.
void DrawEotTable(gdi::DC& dc, const gdi::Rect& page);

// A value of the table: "-0 mn 25 s", "-1 mn 25 s", "1 mn 25 s" (whole minutes and whole
// seconds, both truncated towards zero; the minutes' unit in the program language).
std::string FormatEotMinutesSeconds(double seconds);

// The date label of a point of the vertical curve: " day " at (x, y) and, for a day 11 to 15,
// " MONTH " too, each aligned so that it stands outside the loop. sideFlag: set when the
// values are not negated, which decides on which side of the curve the outside lies.
// written: the labels already on the page; a text that would run into one of them is left
// out, and the texts written are added.
void DrawEotDateLabel(gdi::DC& dc, bool sideFlag, int x, int y, int day, int month,
                      std::vector<LabelBox>* written = nullptr);
