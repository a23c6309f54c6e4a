#include "docview/CObjetCadre.h"

#include "app/Accessors.h"
#include "app/GraphicsHelpers.h"
#include "model/Rounding.h"

#include <utility>

HV_IMPLEMENT_SERIAL(CObjetCadre, Serializable, 3)

namespace {

CObjetCadre::ContextMenuHook& MenuHook()
{
    static CObjetCadre::ContextMenuHook hook;
    return hook;
}

// Hit-test geometry: the outer rectangle exceeds the frame by kGrow on every side, the
// inner one lies kHandle inside the outer one; centre handles are 2 x kHalfHandle wide.
constexpr int kGrow = 2;
constexpr int kHandle = 7;
constexpr int kHalfHandle = 3;
constexpr int kHandleSize = 5;

// Stored coordinates beyond this are damage: clamping them keeps every sum of a position and
// a size, and the hit-test margins, inside the int range.
constexpr long long kCoordLimit = 1 << 24;

int ClampCoord(long long v)
{
    return static_cast<int>(v < -kCoordLimit ? -kCoordLimit : (v > kCoordLimit ? kCoordLimit : v));
}

// The dial scale in whole percent, as frames are scaled by it.
int ScalePercent(double dialScale)
{
    return RoundToInt(dialScale * 100.0);
}

}  // namespace

void CObjetCadre::SetContextMenuHook(ContextMenuHook hook)
{
    MenuHook() = std::move(hook);
}

void CObjetCadre::SetPosition(int left, int top, int right, int bottom)
{
    x = left;
    y = top;
    width = right - left;
    height = bottom - top;
}

std::unique_ptr<CObjetCadre> CObjetCadre::Clone() const
{
    return std::make_unique<CObjetCadre>(*this);
}

void CObjetCadre::DrawContents(gdi::DC&, int, int, int, int) {}

int CObjetCadre::EditProperties()
{
    return 0;
}

gdi::Size CObjetCadre::GetDefaultSize() const
{
    return {100, 50};
}

void CObjetCadre::ShowContextMenu(int px, int py)
{
    if (contextMenu != 0 && MenuHook())
        MenuHook()(contextMenu, px, py);
}

int CObjetCadre::HitTest(gdi::Point p) const
{
    return HitTestRect(GetRect(), p);
}

int CObjetCadre::HitTestRect(const gdi::Rect& rect, gdi::Point p)
{
    gdi::Rect outer = rect;
    outer.Inflate(kGrow, kGrow);
    gdi::Rect inner = outer;
    inner.Deflate(kHandle, kHandle);

    if (p.x < outer.left || p.x > outer.right || p.y < outer.top || p.y > outer.bottom)
        return 0;
    if (p.x >= inner.left && p.x <= inner.right && p.y >= inner.top && p.y <= inner.bottom)
        return 9;

    const bool leftPart = p.x < inner.left;
    const bool rightPart = p.x > inner.right;
    if (p.y < inner.top) {
        const int cx = (outer.left + outer.right) / 2;
        if (leftPart)
            return 1;
        if (rightPart)
            return 3;
        return (p.x > cx - kHalfHandle && p.x <= cx + kHalfHandle) ? 2 : 9;
    }
    if (p.y > inner.bottom) {
        const int cx = (outer.left + outer.right) / 2;
        if (leftPart)
            return 7;
        if (rightPart)
            return 5;
        return (p.x > cx - kHalfHandle && p.x <= cx + kHalfHandle) ? 6 : 9;
    }
    const int cy = (inner.top + inner.bottom) / 2;
    if (p.y > cy - kHalfHandle && p.y <= cy + kHalfHandle)
        return leftPart ? 8 : 4;
    return 9;
}

gdi::Rect CObjetCadre::GetDrawRect(const gdi::DC& dc, gdi::Point anchor, gdi::Point resolved, double dialScale) const
{
    const int percent = ScalePercent(dialScale);
    auto scaled = [&](int v) {
        int r = gdi::MulDiv(v, percent, 100);
        if (dc.IsPrinting())
            r = ScaleHeightToDevice(dc, r);
        return r;
    };
    int left = resolved.x;
    int top = resolved.y;
    if (anchoring == kAnchorFollowDial) {
        left = anchor.x + scaled(x);
        top = anchor.y + scaled(y);
    }
    return {left, top, left + scaled(width), top + scaled(height)};
}

int CObjetCadre::DeviceToFrameLength(const gdi::DC& dc, int deviceLength, double dialScale)
{
    int v = deviceLength;
    if (dc.IsPrinting()) {
        const int ppi = dc.GetDeviceCaps(gdi::LOGPIXELSY);
        if (ppi > 0)
            v = gdi::MulDiv(v, GetAppContext().screenPixelsPerInchY, ppi);
    }
    const int percent = ScalePercent(dialScale);
    return percent > 0 ? gdi::MulDiv(v, 100, percent) : v;
}

void CObjetCadre::Draw(gdi::DC& dc, gdi::Point anchor, const gdi::Rect&, gdi::Point resolved, double dialScale)
{
    const gdi::Rect r = GetDrawRect(dc, anchor, resolved, dialScale);
    const int left = r.left;
    const int top = r.top;
    const int right = r.right;
    const int bottom = r.bottom;

    DrawContents(dc, left, top, right, bottom);
    if (dc.IsPrinting())
        return;

    const gdi::Pen outline{gdi::PS_DOT, 1, active ? gdi::RGB(0, 0, 0) : gdi::RGB(192, 192, 192)};
    const gdi::Pen oldPen = dc.SelectPen(outline);
    const gdi::Brush oldBrush = dc.SelectStockBrush(gdi::NULL_BRUSH);
    dc.Rectangle(left, top, right, bottom);
    if (selected)
        dc.Rectangle(left + 1, top + 1, right - 1, bottom - 1);
    if (active) {
        dc.SelectStockPen(gdi::BLACK_PEN);
        dc.SelectStockBrush(gdi::BLACK_BRUSH);
        const int cx = (left + right) / 2;
        const int cy = (top + bottom) / 2;
        const int far = kHandleSize - 1;
        const gdi::Point corners[] = {
            {left, top}, {right - far, top}, {right - far, bottom - far}, {left, bottom - far},
            {cx - 2, top}, {right - far, cy - 2}, {cx - 2, bottom - far}, {left, cy - 2},
        };
        for (const gdi::Point& c : corners)
            dc.Rectangle(c.x, c.y, c.x + kHandleSize, c.y + kHandleSize);
    }
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}

void CObjetCadre::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        ar << x << y << width << height << active << anchoring;
        return;
    }
    const int schema = ar.GetObjectSchema();
    if (schema < 0 || schema >= 3) {
        ar >> x >> y >> width >> height >> active >> anchoring;
    } else {
        int left = 0, top = 0, right = 0, bottom = 0;
        ar >> left >> top >> right >> bottom;
        x = left;
        y = top;
        width = ClampCoord(static_cast<long long>(right) - left);
        height = ClampCoord(static_cast<long long>(bottom) - top);
        ar >> active;
        if (schema == 2)
            ar >> anchoring;
    }
    x = ClampCoord(x);
    y = ClampCoord(y);
    width = ClampCoord(width);
    height = ClampCoord(height);
}
