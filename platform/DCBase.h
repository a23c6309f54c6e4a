#pragma once
// The part of a device context that is the same for every backend: the selected objects,
// colours, modes, alignment, palette, origins, current position, clip rectangle and the
// save stack. A backend derives from DCBase and only draws primitives, reading the state
// through State() and mapping logical points with ToDevice().
#include "platform/Gdi.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gdi {

struct DCState {
    Pen pen;
    Brush brush;
    LogFont font;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    unsigned textAlign = TA_LEFT | TA_TOP;
    std::vector<COLORREF> palette;
    Point viewportOrg;
    Point windowOrg;
    Point currentPosition;
    // Device coordinates; no value means no clipping. An empty rectangle clips everything.
    std::optional<Rect> clip;
};

// One line of text placed by DrawText: its top-left corner in logical coordinates.
struct TextLine {
    int x = 0;
    int y = 0;
    int width = 0;
    std::string text;
};

struct TextLayout {
    std::vector<TextLine> lines;
    int lineHeight = 0;
    Rect bounds;     // the rectangle DT_CALCRECT reports
    int height = 0;  // what DrawText returns
};

class DCBase : public DC {
public:
    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    LogFont SelectFont(const LogFont& font) override;
    Pen GetCurrentPen() const override { return state_.pen; }
    Brush GetCurrentBrush() const override { return state_.brush; }
    LogFont GetCurrentFont() const override { return state_.font; }

    COLORREF SetTextColor(COLORREF color) override;
    COLORREF GetTextColor() const override { return state_.textColor; }
    COLORREF SetBkColor(COLORREF color) override;
    COLORREF GetBkColor() const override { return state_.bkColor; }
    int SetBkMode(int mode) override;
    int GetBkMode() const override { return state_.bkMode; }
    unsigned SetTextAlign(unsigned flags) override;
    unsigned GetTextAlign() const override { return state_.textAlign; }

    void SetPalette(std::vector<COLORREF> entries) override;
    COLORREF ResolveColor(COLORREF color) const override;

    Point SetViewportOrg(int x, int y) override;
    Point GetViewportOrg() const override { return state_.viewportOrg; }
    Point SetWindowOrg(int x, int y) override;
    Point GetWindowOrg() const override { return state_.windowOrg; }

    int SaveDC() override;
    bool RestoreDC(int saved) override;

    void IntersectClipRect(const Rect& rect) override;
    void SelectClipRect(const Rect* rect) override;
    Rect GetClipBox() const override;

    Point MoveTo(int x, int y) override;
    Point GetCurrentPosition() const override { return state_.currentPosition; }

    int SaveLevel() const { return static_cast<int>(saved_.size()); }

protected:
    const DCState& State() const { return state_; }
    void SetCurrentPosition(Point p) { state_.currentPosition = p; }

    Point ToDevice(int x, int y) const
    {
        return {x - state_.windowOrg.x + state_.viewportOrg.x, y - state_.windowOrg.y + state_.viewportOrg.y};
    }
    Point ToDevice(Point p) const { return ToDevice(p.x, p.y); }
    Rect ToDevice(const Rect& r) const;

    // The drawing surface in device coordinates: (0, 0, HORZRES, VERTRES).
    virtual Rect DeviceBounds() const;

    // Where TextOut puts its reference point, and where the current position goes after
    // the text when TA_UPDATECP is set (the far end of the text along its direction).
    Point TextReference(int x, int y) const;
    void AdvanceAfterText(int width);

    // Line breaking and placement of DrawText, measured with this context's font.
    TextLayout LayoutDrawText(std::string_view text, const Rect& rect, unsigned format) const;

private:
    DCState state_;
    std::vector<DCState> saved_;
};

}  // namespace gdi
