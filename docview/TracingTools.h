#pragma once
// Full-size tools to print and use on site: a protractor, an azimuth circle, and a rule that
// carries the hour marks of the current dial's equinoctial line.
//
// The protractor and the circle fill the document's drawing; the rule lays the drawing out
// over as many stacked sheets as its length needs. Lengths are laid out in screen pixels of
// the document's reference resolution and rescaled to a printer, each axis by its own
// resolution, so that a circle stays round on paper.
#include "platform/Gdi.h"

#include <vector>

class CCadran;

void DrawProtractor(gdi::DC& dc, const gdi::Rect& unused = {});
void DrawAzimuthCircle(gdi::DC& dc, const gdi::Rect& unused = {});
// Draws nothing without a document or a dial. The rectangle the view passes is not used.
void DrawEquinoctialRule(gdi::DC& dc, const gdi::Rect& unused = {});

// Where the hour marks of the equinoctial line fall, measured along the line on the dial.
struct EquinoctialRuleMark {
    int step = 0;              // five-minute step of the day (0 = 0 h 00)
    double distanceMm = 0.0;   // from the first mark, full size
};
struct EquinoctialRulePlan {
    bool lit = false;          // some quarter hour lights the dial inside its sheet
    int startStep = 0;
    int endStep = 0;
    double lengthMm = 0.0;     // from the first to the last quarter hour, full size
    std::vector<EquinoctialRuleMark> marks;  // every lit five-minute step from start to end
};

// Scans the 21 March row of the dial's by-date tables by quarter hours: the first lit step
// whose shadow falls on the dial's sheet starts the line, the last one of the run that follows
// ends it.
EquinoctialRulePlan PlanEquinoctialRule(const CCadran& dial);
