#include "docview/ViewEditing.h"

#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "docview/CObjetCadre.h"
#include "docview/FramePlacement.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"
#include "model/Rounding.h"
#include "platform/ScreenDC.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>

namespace {

constexpr int kNoonMarkTable = 18;

int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// a x num / den truncated; 0 when den is 0 (a frame of no width has no aspect to keep).
int Ratio(long long a, long long num, long long den)
{
    return den == 0 ? 0 : ClampToInt(a * num / den);
}

int FloorToInt(double v)
{
    return std::isfinite(v) ? ClampToInt(static_cast<long long>(std::floor(std::clamp(v, -2e9, 2e9)))) : 0;
}

int CeilToInt(double v)
{
    return std::isfinite(v) ? ClampToInt(static_cast<long long>(std::ceil(std::clamp(v, -2e9, 2e9)))) : 0;
}

// Where the scale drawing puts the frames: the anchor point of the dial's inner rectangle
// and the sheet they are clipped to, with a screen context to place them on.
struct FramePage {
    gdi::Point anchor;
    gdi::Rect sheet;
    std::unique_ptr<gdi::DC> dc;
};

FramePage PageOf(const CCadran& dial)
{
    FramePage page;
    page.sheet = dial.dialRect;
    const gdi::Rect inner = dial.GetInnerRect();
    dial.GetStyleAnchorPoint(inner.left, inner.top, inner.right, inner.bottom, page.anchor.x, page.anchor.y);
    const CHoravelDoc* doc = GetDocument();
    page.dc = CreateScreenCompatibleDC(doc ? doc->GetScreenPixelsPerInchX() : 96,
                                       doc ? doc->GetScreenPixelsPerInchY() : 96);
    return page;
}

// The frame of the dial's page under a logical point, and the zone of it the point is in.
FrameHit FrameAt(CCadran& dial, gdi::Point point)
{
    const FramePage page = PageOf(dial);
    return HitTestFramesOnPage(dial, *page.dc, page.anchor, page.sheet, point);
}

// How much of r lies on the sheet: the smaller of the widths and heights in common
// (negative when it lies beside it).
long long OnSheet(const gdi::Rect& r, const gdi::Rect& sheet)
{
    const long long across = static_cast<long long>(std::min(r.right, sheet.right)) - std::max(r.left, sheet.left);
    const long long down = static_cast<long long>(std::min(r.bottom, sheet.bottom)) - std::max(r.top, sheet.top);
    return std::min(across, down);
}

// The rectangle after a motion through a zone, before any check.
gdi::Rect Moved(gdi::Rect r, int dx, int dy, int zone)
{
    const long long w = r.Width();
    const long long h = r.Height();
    const bool xDrives = (dx > 0 && dx > dy) || (dx < 0 && dx < dy);
    auto add = [](int& edge, long long d) { edge = ClampToInt(edge + d); };
    // A corner drags one vertical and one horizontal edge; the sign says whether they move
    // the same way, so that the frame keeps its proportions.
    struct Corner {
        int gdi::Rect::*x;
        int gdi::Rect::*y;
        long long sign;
    };
    const auto corner = [&]() -> std::optional<Corner> {
        switch (zone) {
        case 1: return Corner{&gdi::Rect::left, &gdi::Rect::top, 1};
        case 3: return Corner{&gdi::Rect::right, &gdi::Rect::top, -1};
        case 5: return Corner{&gdi::Rect::right, &gdi::Rect::bottom, 1};
        case 7: return Corner{&gdi::Rect::left, &gdi::Rect::bottom, -1};
        default: return std::nullopt;
        }
    }();
    if (corner) {
        if (xDrives) {
            add(r.*corner->x, dx);
            add(r.*corner->y, corner->sign * Ratio(dx, h, w));
        } else {
            add(r.*corner->y, dy);
            add(r.*corner->x, corner->sign * Ratio(dy, w, h));
        }
        return r;
    }
    // A side zone drags its own edge; the middle (zone 9) drags all four, which moves the frame.
    struct Side {
        int gdi::Rect::*edge;
        int zone;
        int delta;
    };
    for (const Side& side : {Side{&gdi::Rect::left, 8, dx}, Side{&gdi::Rect::right, 4, dx},
                             Side{&gdi::Rect::top, 2, dy}, Side{&gdi::Rect::bottom, 6, dy}}) {
        if (zone == side.zone || zone == 9)
            add(r.*side.edge, side.delta);
    }
    return r;
}

// A size is refused when it turns negative or shrinks below the minimum; a frame already
// smaller than that (from an old document) may still be moved and enlarged.
bool SizeAccepted(const gdi::Rect& before, const gdi::Rect& after)
{
    if (after.right < after.left || after.bottom < after.top)
        return false;
    if (after.Width() < ViewEditing::kMinFrameSize && after.Width() < before.Width())
        return false;
    if (after.Height() < ViewEditing::kMinFrameSize && after.Height() < before.Height())
        return false;
    return true;
}

}  // namespace

// ---------------------------------------------------------------- view coordinates

gdi::Point CHoravelView::DeviceToLogical(gdi::Point device) const
{
    const gdi::Point scroll = window_ ? window_->ScrollPosition() : gdi::Point{};
    return {FloorToInt((static_cast<double>(device.x) + scroll.x) / zoom_),
            FloorToInt((static_cast<double>(device.y) + scroll.y) / zoom_)};
}

gdi::Rect CHoravelView::DeviceToLogical(const gdi::Rect& device) const
{
    const gdi::Point scroll = window_ ? window_->ScrollPosition() : gdi::Point{};
    return {FloorToInt((static_cast<double>(device.left) + scroll.x) / zoom_),
            FloorToInt((static_cast<double>(device.top) + scroll.y) / zoom_),
            CeilToInt((static_cast<double>(device.right) + scroll.x) / zoom_),
            CeilToInt((static_cast<double>(device.bottom) + scroll.y) / zoom_)};
}

gdi::Point CHoravelView::LogicalToDevice(gdi::Point logical) const
{
    const gdi::Point scroll = window_ ? window_->ScrollPosition() : gdi::Point{};
    return {FloorToInt(logical.x * zoom_ - scroll.x), FloorToInt(logical.y * zoom_ - scroll.y)};
}

gdi::Rect CHoravelView::LogicalToDevice(const gdi::Rect& logical) const
{
    const gdi::Point scroll = window_ ? window_->ScrollPosition() : gdi::Point{};
    return {FloorToInt(logical.left * zoom_ - scroll.x), FloorToInt(logical.top * zoom_ - scroll.y),
            CeilToInt(logical.right * zoom_ - scroll.x), CeilToInt(logical.bottom * zoom_ - scroll.y)};
}

// ---------------------------------------------------------------- helpers

ViewCursor ViewEditing::ZoneCursor(int zone)
{
    switch (zone) {
    case 1:
    case 5:
        return ViewCursor::SizeNWSE;
    case 2:
    case 6:
        return ViewCursor::SizeNS;
    case 3:
    case 7:
        return ViewCursor::SizeNESW;
    case 4:
    case 8:
        return ViewCursor::SizeWE;
    case 9:
        return ViewCursor::SizeAll;
    default:
        return ViewCursor::Arrow;
    }
}

void ViewEditing::SetZoneCursor(int zone)
{
    if (ViewWindow* window = view_.GetWindow())
        window->SetCursor(ZoneCursor(zone));
}

void ViewEditing::Repaint()
{
    if (ViewWindow* window = view_.GetWindow())
        window->Invalidate(false);
}

void ViewEditing::SetModified()
{
    if (CHoravelDoc* doc = GetDocument())
        doc->SetModifiedFlag();
}

CCadran* ViewEditing::EditedDial() const
{
    CHoravelDoc* doc = GetDocument();
    if (!doc || view_.GetDisplayMode() != CHoravelView::kScaleDrawing)
        return nullptr;
    return doc->GetDial();
}

ViewEditing::Pointing ViewEditing::PointAt(gdi::Point device) const
{
    Pointing at;
    at.point = view_.DeviceToLogical(device);
    at.dial = EditedDial();
    if (at.dial)
        at.hit = FrameAt(*at.dial, at.point);
    return at;
}

int ViewEditing::ToFrameUnits(int logical, int& remainder, const CCadran& dial) const
{
    const double scale = (std::isfinite(dial.scale) && dial.scale > 0.0) ? dial.scale : 1.0;
    const long long percent = std::max(RoundToInt(scale * 100.0), 1);
    const long long total = static_cast<long long>(logical) * 100 + remainder;
    const long long units = total / percent;
    remainder = static_cast<int>(total - units * percent);
    return ClampToInt(units);
}

void ViewEditing::InvalidateFrame(const CObjetCadre* frame, const CCadran* dial)
{
    ViewWindow* window = view_.GetWindow();
    if (!frame || !dial || !window)
        return;
    const FramePage page = PageOf(*dial);
    const gdi::Rect logical = FrameRepaintRect(*dial, *frame, *page.dc, page.anchor, page.sheet);
    window->InvalidateRect(view_.LogicalToDevice(logical), false);
}

// ---------------------------------------------------------------- move and resize

void ViewEditing::MoveResizeFrame(CObjetCadre* frame, int dx, int dy, int zone)
{
    CCadran* dial = GetDocument() ? GetDocument()->GetDial() : nullptr;
    if (!frame || !dial || zone < 1 || zone > 9)
        return;

    const gdi::Rect before = frame->GetRect();
    InvalidateFrame(frame, dial);

    const FramePage page = PageOf(*dial);
    const long long shownBefore = OnSheet(FrameDrawRect(*dial, *frame, *page.dc, page.anchor, page.sheet), page.sheet);
    // Kept when it leaves enough of the frame on the sheet, or no less than there was.
    auto place = [&](const gdi::Rect& r) {
        frame->SetPosition(r.left, r.top, r.right, r.bottom);
        const long long shown = OnSheet(FrameDrawRect(*dial, *frame, *page.dc, page.anchor, page.sheet), page.sheet);
        if (shown >= kKeepOnSheet || shown >= shownBefore)
            return true;
        frame->SetPosition(before.left, before.top, before.right, before.bottom);
        return false;
    };

    const gdi::Rect after = Moved(before, dx, dy, zone);
    if (SizeAccepted(before, after) && !place(after) && zone == 9) {
        // Against the sheet's edge the frame slides along it.
        if (!place(Moved(before, dx, 0, 9)))
            place(Moved(before, 0, dy, 9));
    }
    if (frame->GetRect() != before)
        SetModified();
    InvalidateFrame(frame, dial);
}

// ---------------------------------------------------------------- mouse

void ViewEditing::OnMouseMove(gdi::Point device)
{
    const gdi::Point point = view_.DeviceToLogical(device);
    CCadran* dial = EditedDial();
    if (!dial) {
        SetZoneCursor(0);
        return;
    }

    if (dragZone_ != 0) {
        CObjetCadre* frame = dial->FindMarkedFrame(true);
        // A frame fixed to an edge keeps its distance from it unscaled: moved across that
        // edge, it follows the mouse pixel for pixel.
        const int kind = frame ? frame->anchoring : CObjetCadre::kAnchorFollowDial;
        const bool fixedX = dragZone_ == 9 && (kind == CObjetCadre::kAnchorLeft || kind == CObjetCadre::kAnchorRight ||
                                               kind == CObjetCadre::kAnchorScreen);
        const bool fixedY = dragZone_ == 9 && (kind == CObjetCadre::kAnchorTop || kind == CObjetCadre::kAnchorBottom ||
                                               kind == CObjetCadre::kAnchorScreen);
        const int dx = fixedX ? point.x - last_.x : ToFrameUnits(point.x - last_.x, remainderX_, *dial);
        const int dy = fixedY ? point.y - last_.y : ToFrameUnits(point.y - last_.y, remainderY_, *dial);
        MoveResizeFrame(frame, dx, dy, dragZone_);
        SetZoneCursor(dragZone_);
        last_ = point;
        return;
    }

    const FrameHit hit = FrameAt(*dial, point);
    CObjetCadre* active = dial->FindMarkedFrame(true);
    if (hit.frame) {
        if (!hit.frame->active) {
            if (!active) {
                hit.frame->active = 1;
            } else if (!active->selected) {
                active->active = 0;
                InvalidateFrame(active, dial);
                hit.frame->active = 1;
            }
            InvalidateFrame(hit.frame, dial);
        }
        SetZoneCursor(hit.zone);
        return;
    }
    if (active && !active->selected) {
        active->active = 0;
        InvalidateFrame(active, dial);
    }
    SetZoneCursor(0);
}

void ViewEditing::OnLButtonDown(gdi::Point device)
{
    const auto [point, dial, hit] = PointAt(device);
    if (!hit.frame)
        return;

    CObjetCadre* selected = dial->FindMarkedFrame(false);
    if (selected && selected != hit.frame) {
        selected->selected = 0;
        selected->active = 0;
        InvalidateFrame(selected, dial);
    }
    // Any other frame still shown active lets go, so that the drag moves this one.
    for (const auto& frame : dial->frames)
        if (frame.get() != hit.frame && frame->active) {
            frame->active = 0;
            InvalidateFrame(frame.get(), dial);
        }
    dragZone_ = hit.zone;
    last_ = point;
    remainderX_ = remainderY_ = 0;
    SetZoneCursor(hit.zone);
    hit.frame->active = 1;
    InvalidateFrame(hit.frame, dial);
}

void ViewEditing::OnLButtonUp(gdi::Point device)
{
    dragZone_ = 0;
    const auto [point, dial, hit] = PointAt(device);
    if (!dial)
        return;
    if (hit.frame) {
        CObjetCadre* other = dial->FindMarkedFrame(false);
        if (!other || other == hit.frame)
            other = dial->FindMarkedFrame(true);
        if (other && other != hit.frame) {
            other->selected = 0;
            other->active = 0;
            InvalidateFrame(other, dial);
        }
        hit.frame->selected = 1;
        InvalidateFrame(hit.frame, dial);
        return;
    }
    CObjetCadre* concerned = dial->FindMarkedFrame(true);
    if (concerned) {
        concerned->active = 0;
    } else if ((concerned = dial->FindMarkedFrame(false)) != nullptr) {
        concerned->selected = 0;
    }
    InvalidateFrame(concerned, dial);
}

void ViewEditing::OnLButtonDblClk(gdi::Point device)
{
    const auto [point, dial, hit] = PointAt(device);
    if (hit.frame && hit.frame->EditProperties() != 0) {
        SetModified();
        InvalidateFrame(hit.frame, dial);
    }
}

void ViewEditing::OnRButtonDown(gdi::Point device, gdi::Point screen)
{
    const auto [point, dial, hit] = PointAt(device);
    if (!hit.frame)
        return;
    if (!hit.frame->active) {
        if (CObjetCadre* active = dial->FindMarkedFrame(true)) {
            active->active = 0;
            InvalidateFrame(active, dial);
        }
        hit.frame->active = 1;
        InvalidateFrame(hit.frame, dial);
    }
    hit.frame->ShowContextMenu(screen.x, screen.y);
}

// ---------------------------------------------------------------- keyboard

bool ViewEditing::OnKeyDown(ViewKey key, bool ctrl, bool shift)
{
    const bool arrow = key == ViewKey::Left || key == ViewKey::Right || key == ViewKey::Up || key == ViewKey::Down;
    if (!arrow)
        return false;
    ViewWindow* window = view_.GetWindow();
    if (!ctrl && !shift) {
        if (window) {
            const ScrollStep back = ScrollStep::LineBack;
            const ScrollStep forward = ScrollStep::LineForward;
            switch (key) {
            case ViewKey::Left: window->Scroll(back, ScrollStep::None); break;
            case ViewKey::Right: window->Scroll(forward, ScrollStep::None); break;
            case ViewKey::Up: window->Scroll(ScrollStep::None, back); break;
            default: window->Scroll(ScrollStep::None, forward); break;
            }
        }
        return true;
    }
    if (!ctrl)
        return true;  // Shift alone: nothing to do
    CCadran* dial = EditedDial();
    if (!dial)
        return false;
    int px = dial->anchorPercentX;
    int py = dial->anchorPercentY;
    switch (key) {
    case ViewKey::Left: px = px > 0 ? px - 1 : px; break;
    case ViewKey::Right: px = px < 100 ? px + 1 : px; break;
    case ViewKey::Up: py = py > 0 ? py - 1 : py; break;
    default: py = py < 100 ? py + 1 : py; break;
    }
    if (px != dial->anchorPercentX || py != dial->anchorPercentY) {
        dial->SetStyleAnchorPercent(px, py);
        SetModified();
    }
    Repaint();
    return true;
}

bool ViewEditing::OnKeyUp(ViewKey key, bool ctrl, bool shift)
{
    CHoravelDoc* doc = GetDocument();
    CCadran* dial = doc ? doc->GetDial() : nullptr;
    ViewWindow* window = view_.GetWindow();
    auto scroll = [window](ScrollStep horizontal, ScrollStep vertical) {
        if (window)
            window->Scroll(horizontal, vertical);
        return true;
    };

    switch (key) {
    case ViewKey::PageUp:
        return ctrl ? scroll(ScrollStep::PageBack, ScrollStep::None) : scroll(ScrollStep::None, ScrollStep::PageBack);
    case ViewKey::PageDown:
        return ctrl ? scroll(ScrollStep::PageForward, ScrollStep::None)
                    : scroll(ScrollStep::None, ScrollStep::PageForward);
    case ViewKey::End:
        return scroll(ctrl ? ScrollStep::End : ScrollStep::None, ScrollStep::End);
    case ViewKey::Home:
        if (dial && view_.GetDisplayMode() == kNoonMarkTable) {
            dial->noonCurveHour = 12.0;
            Repaint();
            return true;
        }
        return scroll(ctrl ? ScrollStep::Start : ScrollStep::None, ScrollStep::Start);
    default:
        break;
    }
    if (!dial)
        return false;
    const bool handled = KeyUpWithDial(key, ctrl, shift, *dial);
    if (handled)
        Repaint();
    return handled;
}

bool ViewEditing::KeyUpWithDial(ViewKey key, bool ctrl, bool shift, CCadran& dial)
{
    if (key == ViewKey::Back || key == ViewKey::Delete) {
        // Only where the frames are shown: a frame left active elsewhere is not deleted unseen.
        if (view_.GetDisplayMode() == CHoravelView::kScaleDrawing) {
            dragZone_ = 0;
            if (dial.DeleteMarkedFrame(true))
                SetModified();
        }
        return true;
    }
    if (key != ViewKey::Add && key != ViewKey::Subtract)
        return false;
    const bool grow = key == ViewKey::Add;

    if (ctrl && !shift) {
        if (grow) {
            dial.width = Ratio(dial.width, 105, 100);
            dial.height = Ratio(dial.height, 105, 100);
        } else {
            if (dial.width > 50)
                dial.width = Ratio(dial.width, 95, 100);
            if (dial.height > 50)
                dial.height = Ratio(dial.height, 95, 100);
        }
        dial.UpdateStyleAnchor(-1);
        view_.RecalcLayout(1);
        SetModified();
        return true;
    }
    if (ctrl) {
        if (auto* analemmatic = dynamic_cast<CCadranAnalemmatique*>(&dial)) {
            if (grow)
                analemmatic->ellipseSize = analemmatic->ellipseSize * 105 / 100;
            else if (analemmatic->ellipseSize > 15.0)
                analemmatic->ellipseSize = analemmatic->ellipseSize * 95 / 100;
        } else {
            const int h = dial.styleHeight;
            int next = h;
            if (grow) {
                next = Ratio(h, 105, 100);
                if (next == h && h < INT_MAX)
                    ++next;
            } else if (h > 15) {
                next = Ratio(h, 95, 100);
            }
            if (next != h) {
                dial.SetStyleHeight(next);
                dial.UpdateStyleAnchor(-1);
            }
        }
        SetModified();
        return true;
    }

    if (dial.prefs.noonMarkType == 0)
        return false;
    if (view_.GetDisplayMode() != kNoonMarkTable)
        return true;
    double step = dial.prefs.fiveMinuteLines ? 1.0 / 12.0 : 0.25;
    if (!dial.prefs.quarterHourLines)
        step *= 2;
    if (!dial.prefs.halfHourLines)
        step *= 2;
    // The table's curve stays within the day.
    dial.noonCurveHour = std::clamp(dial.noonCurveHour + (grow ? step : -step), 0.0, 24.0);
    return true;
}
