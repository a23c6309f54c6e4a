#pragma once
// What the view asks of the window that shows it: its client size, its scroll bars,
// repainting, the ephemeris toolbar of the main frame, printing, and a call back once the
// current paint is over. The Qt layer implements it with the view widget; tests with a
// recorder, so the view's logic runs without a display.
#include "platform/Gdi.h"

// The mouse cursors of the view: the arrow, and those of the frame handles.
enum class ViewCursor { Arrow, SizeNWSE, SizeNS, SizeNESW, SizeWE, SizeAll };

// One step of a scroll bar; Start and End go to the ends.
enum class ScrollStep { None, LineBack, LineForward, PageBack, PageForward, Start, End };

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

    // What mouse editing needs; a window that does not scroll or edit keeps the defaults.
    // The scrolled offset of the client area in the zoomed drawing (device pixels).
    virtual gdi::Point ScrollPosition() const { return {0, 0}; }
    // Repaints a part of the client area (device pixels).
    virtual void InvalidateRect(const gdi::Rect& /*deviceRect*/, bool erase) { Invalidate(erase); }
    virtual void SetCursor(ViewCursor /*cursor*/) {}
    // Moves the horizontal and the vertical scroll bar.
    virtual void Scroll(ScrollStep /*horizontal*/, ScrollStep /*vertical*/) {}
};
