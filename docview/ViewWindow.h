#pragma once
// What the view asks of the window that shows it: its client size, its scroll bars,
// repainting, the ephemeris toolbar of the main frame, printing, and a call back once the
// current paint is over. The Qt layer implements it with the view widget; tests with a
// recorder, so the view's logic runs without a display.
#include "platform/Gdi.h"

class ViewWindow {
public:
    virtual ~ViewWindow() = default;

    // The client area in device pixels (the part the drawing is seen through).
    virtual gdi::Size ClientSize() const = 0;
    // The scrollable size of the drawing, and the page and line steps.
    virtual void SetScrollSizes(gdi::Size total, gdi::Size page, gdi::Size line) = 0;
    // Repaints the whole client area; erase: the background is cleared first.
    virtual void Invalidate(bool erase) = 0;
    // Calls CHoravelView::RunDeferred soon, after the paint under way (never inside it).
    virtual void ScheduleDeferred() = 0;

    virtual bool IsEphemerisToolBarShown() const = 0;
    virtual void ToggleEphemerisToolBar() = 0;

    // The print dialog, then the sheets; the print preview.
    virtual void Print() = 0;
    virtual void PrintPreview() = 0;
};
