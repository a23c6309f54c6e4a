#pragma once
// The technical sheet of the current dial, written on the engraved plate: where it stands,
// its time corrections, its style and dimensions, the inclination and orientation of its
// plane, which time its hour lines show, and the program's version. The page lays itself out
// on the document's drawing; the rectangle the view passes is not used.
#include "platform/Gdi.h"

void DrawTechnicalSheet(gdi::DC& dc, const gdi::Rect& unused = {});
