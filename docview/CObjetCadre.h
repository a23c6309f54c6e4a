#pragma once
// A frame on the dial's page: a rectangle placed relative to the style anchor point, drawn
// below or above the dial lines, selectable and resizable with the mouse, stored with the
// dial. Base of the text and picture frames.
//
// Coordinates are screen pixels at dial scale 1, relative to the style anchor point.
#include "platform/Archive.h"
#include "platform/Gdi.h"

#include <functional>
#include <memory>

class CObjetCadre : public Serializable {
    HV_DECLARE_SERIAL(CObjetCadre)
public:
    // Anchoring kinds.
    enum : int {
        kAnchorTop = 1,
        kAnchorFollowDial = 2,
        kAnchorBottom = 3,
        kAnchorLeft = 4,
        kAnchorRight = 5,
        kAnchorScreen = 6,
    };

    // Shows a frame's context menu: the menu id, then the point in screen coordinates.
    // Set by the windowing layer; without it no menu is shown.
    using ContextMenuHook = std::function<void(int menuId, int x, int y)>;
    static void SetContextMenuHook(ContextMenuHook hook);

    CObjetCadre() = default;
    CObjetCadre(const CObjetCadre&) = default;
    CObjetCadre& operator=(const CObjetCadre&) = default;
    ~CObjetCadre() override = default;

    // Schema 3 stores x, y, width, height, active, anchoring; schemas 2 and 1 (read only)
    // stored a rectangle.
    void Serialize(Archive& ar) override;
    // A new frame with every field copied.
    virtual std::unique_ptr<CObjetCadre> Clone() const;
    // Draws the frame: offsets and size scaled by dialScale (and to the printer when
    // printing); kind 2 is placed at anchor + offset, every other kind at resolved (already
    // in device units). On screen the outline and, when active, the eight handles.
    virtual void Draw(gdi::DC& dc, gdi::Point anchor, const gdi::Rect& pageRect, gdi::Point resolved,
                      double dialScale);
    // What the frame shows inside its rectangle; nothing in the base class.
    virtual void DrawContents(gdi::DC& dc, int left, int top, int right, int bottom);
    // Edits the frame; nonzero when it changed. The base frame has nothing to edit.
    virtual int EditProperties();
    virtual gdi::Size GetDefaultSize() const;
    // x, y in screen coordinates.
    virtual void ShowContextMenu(int x, int y);

    // The device rectangle Draw fills: offsets and size scaled by dialScale (and to the
    // printer when printing), kind 2 placed at anchor + offset, other kinds at resolved.
    // Hit tests, repaints and mouse moves use it too, so that they meet what is drawn.
    gdi::Rect GetDrawRect(const gdi::DC& dc, gdi::Point anchor, gdi::Point resolved, double dialScale) const;
    // A frame length for a device length at that scale: the inverse of the scaling of
    // GetDrawRect, for moving and resizing with the mouse.
    static int DeviceToFrameLength(const gdi::DC& dc, int deviceLength, double dialScale);

    void SetPosition(int left, int top, int right, int bottom);
    gdi::Rect GetRect() const { return {x, y, x + width, y + height}; }
    // Zone under a point in the frame's coordinates: 0 outside; 1 top-left, 2 top, 3 top-right,
    // 4 right, 5 bottom-right, 6 bottom, 7 bottom-left, 8 left (resize handles); 9 move.
    int HitTest(gdi::Point point) const;
    // The same zones for a point against any rectangle (the drawn one, for instance).
    static int HitTestRect(const gdi::Rect& rect, gdi::Point point);

    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int anchoring = kAnchorFollowDial;
    int active = 0;
    int selected = 0;
    int deletable = 1;
    int layer = 1;          // 1 drawn after the dial lines, 0 before them
    int contextMenu = 0;    // menu id; the base frame has none
};
