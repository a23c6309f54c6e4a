// Line families of the dial. These bodies only let the model link while the families are
// being written; each draws nothing yet.
#include "model/CCadran.h"

void CCadran::Draw(gdi::DC&) {}
void CCadran::DrawHorizonLine(gdi::DC&, int, int) {}
void CCadran::DrawSubstyleLine(gdi::DC&, int, int) {}
void CCadran::DrawAxes(gdi::DC&, int, int) {}
void CCadran::DrawBorder(gdi::DC&) {}
void CCadran::DrawCentreLine(gdi::DC&, int, int, int, int, int, int) {}
void CCadran::DrawStyle(gdi::DC&, int, int) {}
void CCadran::DrawHourNumbers(gdi::DC&) {}
void CCadran::DrawHourLabel(gdi::DC&, int, const std::string&) {}
void CCadran::DrawIndications(gdi::DC&) {}
bool CCadran::ClipRay(const gdi::Rect&, gdi::Point, double, gdi::Point&) const { return false; }
bool CCadran::IsInsideDial(const gdi::Rect&, gdi::Point&, gdi::Point&) const { return false; }
bool CCadran::ClipSegmentToDial(const gdi::Rect&, gdi::Point&, gdi::Point&) const { return false; }
void CCadran::DrawHourLines(gdi::DC&, int, int) {}
void CCadran::DrawLongitudeArcs(gdi::DC&, int, int) {}
void CCadran::DrawDeclinationArcs(gdi::DC&, int, int) {}
void CCadran::DrawCalendarArcs(gdi::DC&, int, int) {}
void CCadran::DrawMeanTimeLines(gdi::DC&, int, int, int) {}
void CCadran::DrawDateArc(gdi::DC&, int, int, int, int) {}
void CCadran::DrawAzimuthLines(gdi::DC&, int, int) {}
void CCadran::DrawAltitudeLines(gdi::DC&, int, int) {}
void CCadran::DrawItalicBabylonianHours(gdi::DC&, bool, int, int) {}
