#pragma once
// Editing in the view with the mouse and the keyboard: in the scale drawing, hovering,
// selecting, moving and resizing the page frames, their properties and context menus,
// deleting them; the dial's size, its style and its style anchor from the keyboard; the
// hour of the noon-mark table; scrolling with the keys everywhere else.
//
// Points arrive in device pixels of the view's client area; frames move in their own units
// (screen pixels at dial scale 1). The window (ViewWindow) repaints, scrolls and shows the
// cursor, so all of this runs without a display.
#include "docview/FramePlacement.h"
#include "docview/ViewWindow.h"
#include "platform/Gdi.h"

class CCadran;
class CHoravelView;
class CObjetCadre;

// The keys the view acts on (the numeric keypad's plus and minus for Add and Subtract).
enum class ViewKey { Back, Delete, PageUp, PageDown, End, Home, Add, Subtract, Left, Right, Up, Down };

class ViewEditing {
public:
    // Frames narrower or lower than this are refused by a resize.
    static constexpr int kMinFrameSize = 15;
    // A move keeps at least this much of a frame (pixels, both ways) on the dial's sheet, so
    // that it can always be taken again.
    static constexpr int kKeepOnSheet = 12;

    explicit ViewEditing(CHoravelView& view) : view_(view) {}

    // The cursor of a hit zone: corners and sides resize, 9 moves, anything else the arrow.
    static ViewCursor ZoneCursor(int zone);

    // --- mouse (device pixels of the client area; screen: the same point on the screen) ---
    void OnMouseMove(gdi::Point device);
    void OnLButtonDown(gdi::Point device);
    void OnLButtonUp(gdi::Point device);
    void OnLButtonDblClk(gdi::Point device);
    void OnRButtonDown(gdi::Point device, gdi::Point screen);

    // --- keyboard: true when the key was handled ------------------------------------------
    bool OnKeyDown(ViewKey key, bool ctrl, bool shift);
    bool OnKeyUp(ViewKey key, bool ctrl, bool shift);

    // Moves or resizes the frame by (dx, dy) frame units through hit zone `zone` (1..9):
    // corners keep the aspect ratio, sides move one edge, 9 moves the whole frame. A result
    // with a negative size, one that shrinks below kMinFrameSize, or one that takes the
    // frame off the sheet is refused. Nothing without a frame, a document or a dial.
    void MoveResizeFrame(CObjetCadre* frame, int dx, int dy, int zone);
    // Repaints where the frame is drawn; nothing when frame or dial is null.
    void InvalidateFrame(const CObjetCadre* frame, const CCadran* dial);

    // 0 when no drag is under way, else the zone pressed.
    int DragZone() const { return dragZone_; }
    // Logical point of the previous mouse position of the drag.
    gdi::Point LastDragPoint() const { return last_; }

private:
    // The dial when the scale drawing is shown with one; null otherwise.
    CCadran* EditedDial() const;
    // What a click points at: its logical point, the edited dial and the frame of that dial's
    // page under the point (no frame without a dial).
    struct Pointing {
        gdi::Point point;
        CCadran* dial = nullptr;
        FrameHit hit;
    };
    Pointing PointAt(gdi::Point device) const;
    void SetZoneCursor(int zone);
    void Repaint();
    void SetModified();
    // A logical motion in frame units at the dial's scale; what a slow mouse leaves over is
    // kept for the next move.
    int ToFrameUnits(int logical, int& remainder, const CCadran& dial) const;
    bool KeyUpWithDial(ViewKey key, bool ctrl, bool shift, CCadran& dial);

    CHoravelView& view_;
    int dragZone_ = 0;
    gdi::Point last_;
    int remainderX_ = 0;
    int remainderY_ = 0;
};
