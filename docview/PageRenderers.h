#pragma once
// The page renderers of the display modes: one function per mode, called by the view's
// page dispatcher with the drawing context and a rectangle in screen pixels of the
// document's reference resolution (the dial rectangle, the page rectangle of a graph or
// table, or the rectangle being painted; renderers that draw a whole page ignore it).
//
// A mode without a renderer draws nothing but the page's background and sheet lines, and
// its command stays disabled. Mode 6 has no renderer of its own: it draws the renderers of
// modes 4 and 5, each in its own rectangle. Mode 2 never has one.
#include "platform/Gdi.h"

using PageRenderer = void (*)(gdi::DC& dc, const gdi::Rect& rect);

// The renderer of a display mode; null when the mode has none.
PageRenderer GetPageRenderer(int mode);
// Whether the mode draws anything (mode 6: both of its renderers exist).
bool HasPageRenderer(int mode);
