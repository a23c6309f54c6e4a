#pragma once
// The ephemerides page: the sun for the document's current location at one instant, written
// on an engraved plate. The page lays itself out on the document's drawing; the rectangle
// the view passes is not used.
#include "platform/Gdi.h"

void DrawEphemeridesPage(gdi::DC& dc, const gdi::Rect& unused = {});
