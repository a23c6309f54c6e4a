#include "platform/EmfDC.h"

#include "platform/Encoding.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

namespace gdi {

namespace {

// Record types.
enum : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETBKMODE = 18,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ARC = 45,
    EMR_CHORD = 46,
    EMR_PIE = 47,
    EMR_LINETO = 54,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_EXTCREATEPEN = 95,
};

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
constexpr std::uint32_t kHeaderSize = 108;         // with both header extensions
constexpr std::uint32_t kStock = 0x80000000u;
constexpr std::uint32_t kNullBrush = kStock | 5;
constexpr std::uint32_t kNullPen = kStock | 8;
constexpr std::uint32_t kGeometricPen = 0x00010000;  // round ends and joins: style bits 0
constexpr std::uint32_t kGraphicsCompatible = 1;
constexpr std::uint32_t kClipped = 0x4;
constexpr std::uint32_t kRegionCopy = 5;
constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr int kFaceNameChars = 32;
// Objects kept in the handle table before the least recently used unselected one goes.
constexpr std::size_t kMaxLiveObjects = 64;
// A metafile larger than this is refused rather than written with sizes that wrap.
constexpr std::size_t kMaxBytes = std::size_t{1} << 30;

// Little-endian record body.
class Body {
public:
    void U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void I32(int v) { U32(static_cast<std::uint32_t>(v)); }
    void U16(std::uint16_t v)
    {
        b_.push_back(static_cast<std::uint8_t>(v));
        b_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void U8(int v) { b_.push_back(static_cast<std::uint8_t>(v)); }
    void F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }
    void Pt(Point p) { I32(p.x); I32(p.y); }
    void Box(const Rect& r) { I32(r.left); I32(r.top); I32(r.right); I32(r.bottom); }
    void Zeros(std::size_t n) { b_.insert(b_.end(), n, 0); }
    // UTF-16 units, then zeros up to `units` units when given.
    void Utf16(std::u16string_view s, std::size_t units = 0)
    {
        for (char16_t c : s)
            U16(static_cast<std::uint16_t>(c));
        if (units > s.size())
            Zeros(2 * (units - s.size()));
    }
    void Pad4()
    {
        while (b_.size() % 4 != 0)
            b_.push_back(0);
    }
    std::size_t Size() const { return b_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return b_; }

private:
    std::vector<std::uint8_t> b_;
};

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

Rect EmptyBounds() { return {0, 0, -1, -1}; }

Rect Union(const Rect& a, const Rect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool FitsShort(const Point* points, int count)
{
    const auto fits = [](int v) {
        return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
    };
    for (int i = 0; i < count; ++i)
        if (!fits(points[i].x) || !fits(points[i].y))
            return false;
    return true;
}

std::u16string FaceName(const std::string& face)
{
    std::u16string name = enc::Utf8ToUtf16(face);
    if (name.size() > kFaceNameChars - 1)
        name.resize(kFaceNameChars - 1);
    return name;
}

}  // namespace

EmfDevice EmfDevice::Of(const DC& dc)
{
    return {{dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)},
            {dc.GetDeviceCaps(HORZSIZE), dc.GetDeviceCaps(VERTSIZE)}};
}

EmfDC::EmfDC(DC& reference, EmfDevice device, std::string_view description, std::optional<Rect> frameHimetric)
    : reference_(reference), device_(device), description_(enc::Utf8ToUtf16(description)), frame_(frameHimetric)
{
    // The header is completed by Close(); its place is kept first.
    const std::size_t descriptionBytes = (2 * description_.size() + 3) / 4 * 4;
    bytes_.assign(kHeaderSize + descriptionBytes, 0);
    records_ = 1;
    slots_.resize(1);
}

void EmfDC::Emit(std::uint32_t type, const std::vector<std::uint8_t>& body)
{
    if (!Recording())
        return;
    const std::size_t size = 8 + (body.size() + 3) / 4 * 4;
    if (bytes_.size() + size + 20 > kMaxBytes) {
        failed_ = true;
        return;
    }
    const std::size_t at = bytes_.size();
    bytes_.resize(at + size, 0);
    PutU32(bytes_, at, type);
    PutU32(bytes_, at + 4, static_cast<std::uint32_t>(size));
    if (!body.empty())
        std::memcpy(bytes_.data() + at + 8, body.data(), body.size());
    ++records_;
}

std::string EmfDC::Close()
{
    if (closed_)
        return {};
    if (failed_) {
        closed_ = true;
        return {};
    }
    Body eof;
    eof.U32(0);   // no palette
    eof.U32(16);  // where a palette would start
    eof.U32(20);  // this record's size, read backwards by players
    Emit(EMR_EOF, eof.Bytes());
    closed_ = true;
    if (failed_)
        return {};

    const Rect bounds = bounds_.value_or(EmptyBounds());
    Rect frame;
    if (frame_) {
        frame = *frame_;
    } else {
        // The bounds in hundredths of a millimetre on the reference device.
        const auto toX = [&](int v) { return MulDiv(v, device_.millimetres.cx * 100, std::max(device_.pixels.cx, 1)); };
        const auto toY = [&](int v) { return MulDiv(v, device_.millimetres.cy * 100, std::max(device_.pixels.cy, 1)); };
        frame = bounds_ ? Rect{toX(bounds.left), toY(bounds.top), toX(bounds.right), toY(bounds.bottom)} : EmptyBounds();
    }

    Body h;
    h.Box(bounds);
    h.Box(frame);
    h.U32(kSignature);
    h.U32(kVersion);
    h.U32(static_cast<std::uint32_t>(bytes_.size()));
    h.U32(records_);
    h.U16(static_cast<std::uint16_t>(std::min<std::uint32_t>(handlesUsed_, 0xFFFF)));
    h.U16(0);
    h.U32(static_cast<std::uint32_t>(description_.size()));
    h.U32(description_.empty() ? 0 : kHeaderSize);
    h.U32(0);  // palette entries
    h.I32(device_.pixels.cx);
    h.I32(device_.pixels.cy);
    h.I32(device_.millimetres.cx);
    h.I32(device_.millimetres.cy);
    h.U32(0);  // no pixel format
    h.U32(0);
    h.U32(0);  // no OpenGL
    h.U32(static_cast<std::uint32_t>(std::max(device_.millimetres.cx, 0)) * 1000u);
    h.U32(static_cast<std::uint32_t>(std::max(device_.millimetres.cy, 0)) * 1000u);
    h.Utf16(description_);
    h.Pad4();
    PutU32(bytes_, 0, EMR_HEADER);
    PutU32(bytes_, 4, static_cast<std::uint32_t>(8 + h.Size()));
    std::memcpy(bytes_.data() + 8, h.Bytes().data(), h.Size());

    std::string out(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
    bytes_.clear();
    bytes_.shrink_to_fit();
    return out;
}

// ------------------------------------------------------------------------------ objects

bool EmfDC::Referenced(std::uint32_t handle) const
{
    const auto uses = [handle](const PlayerState& s) {
        return s.pen == handle || s.brush == handle || s.font == handle;
    };
    return uses(player_) || std::any_of(savedPlayers_.begin(), savedPlayers_.end(), uses);
}

std::uint32_t EmfDC::Handle(const ObjectKey& key)
{
    for (std::size_t i = 1; i < slots_.size(); ++i) {
        if (slots_[i].key == key) {
            slots_[i].lastUse = ++useCounter_;
            return static_cast<std::uint32_t>(i);
        }
    }

    const auto live = static_cast<std::size_t>(
        std::count_if(slots_.begin() + 1, slots_.end(), [](const Slot& s) { return s.key.has_value(); }));
    if (live >= kMaxLiveObjects) {
        // Frees the least recently used object that nothing selects, now or in a saved state.
        std::size_t victim = 0;
        for (std::size_t i = 1; i < slots_.size(); ++i) {
            if (!slots_[i].key || Referenced(static_cast<std::uint32_t>(i)))
                continue;
            if (victim == 0 || slots_[i].lastUse < slots_[victim].lastUse)
                victim = i;
        }
        if (victim != 0) {
            Body del;
            del.U32(static_cast<std::uint32_t>(victim));
            Emit(EMR_DELETEOBJECT, del.Bytes());
            slots_[victim].key.reset();
        }
    }

    std::size_t index = 1;
    while (index < slots_.size() && slots_[index].key)
        ++index;
    if (index == slots_.size())
        slots_.emplace_back();
    slots_[index].key = key;
    slots_[index].lastUse = ++useCounter_;
    const auto handle = static_cast<std::uint32_t>(index);
    handlesUsed_ = std::max(handlesUsed_, handle + 1);

    Body b;
    b.U32(handle);
    switch (key.kind) {
    case 1:
        if (key.pen.width <= 1) {
            b.U32(static_cast<std::uint32_t>(key.pen.style));
            b.Pt({key.pen.width, 0});
            b.U32(key.pen.color);
            Emit(EMR_CREATEPEN, b.Bytes());
        } else {
            // Wide pens are drawn solid with round ends and joins, as on the screen.
            b.U32(0);  // no bitmap
            b.U32(0);
            b.U32(0);
            b.U32(0);
            b.U32(kGeometricPen);
            b.U32(static_cast<std::uint32_t>(key.pen.width));
            b.U32(static_cast<std::uint32_t>(BS_SOLID));
            b.U32(key.pen.color);
            b.U32(0);  // hatch
            b.U32(0);  // no style entries
            Emit(EMR_EXTCREATEPEN, b.Bytes());
        }
        break;
    case 2:
        b.U32(static_cast<std::uint32_t>(key.brush.style));
        b.U32(key.brush.color);
        b.U32(0);
        Emit(EMR_CREATEBRUSHINDIRECT, b.Bytes());
        break;
    default: {
        const LogFont& f = key.font;
        b.I32(f.height);
        b.I32(f.width);
        b.I32(f.escapement);
        b.I32(f.orientation);
        b.I32(f.weight);
        b.U8(f.italic ? 1 : 0);
        b.U8(f.underline ? 1 : 0);
        b.U8(f.strikeOut ? 1 : 0);
        b.U8(f.charSet);
        b.U8(f.outPrecision);
        b.U8(f.clipPrecision);
        b.U8(f.quality);
        b.U8(f.pitchAndFamily);
        b.Utf16(FaceName(f.faceName), kFaceNameChars);
        // The extended description: full name, style, version, style size, match, reserved,
        // vendor, culture, classification numbers and padding, all left empty.
        b.Zeros(2 * 64 + 2 * 32 + 4 * 4 + 4 + 4 + 10 + 2);
        Emit(EMR_EXTCREATEFONTINDIRECTW, b.Bytes());
        break;
    }
    }
    return handle;
}

template <typename T>
void EmfDC::Play(std::uint32_t type, std::optional<T>& played, T value)
{
    if (played == value)
        return;
    Body b;
    b.U32(static_cast<std::uint32_t>(value));
    Emit(type, b.Bytes());
    played = value;
}

void EmfDC::SelectObject(std::optional<std::uint32_t>& current, std::uint32_t handle)
{
    Play(EMR_SELECTOBJECT, current, handle);
}

void EmfDC::SyncPen(const Pen& pen)
{
    if (pen.style == PS_NULL) {
        SelectObject(player_.pen, kNullPen);
        return;
    }
    ObjectKey key;
    key.kind = 1;
    key.pen = pen;
    key.pen.color = ResolveColor(pen.color);
    key.pen.width = std::max(pen.width, 0);
    if (key.pen.width > 1)
        key.pen.style = PS_SOLID;
    SelectObject(player_.pen, Handle(key));
}

void EmfDC::SyncBrush(const Brush& brush)
{
    if (brush.style != BS_SOLID) {
        SelectObject(player_.brush, kNullBrush);
        return;
    }
    ObjectKey key;
    key.kind = 2;
    key.brush = {BS_SOLID, ResolveColor(brush.color)};
    SelectObject(player_.brush, Handle(key));
}

void EmfDC::SyncFigure(bool filled)
{
    SyncPen(State().pen);
    if (filled)
        SyncBrush(State().brush);
}

void EmfDC::SyncFont()
{
    ObjectKey key;
    key.kind = 3;
    key.font = State().font;
    SelectObject(player_.font, Handle(key));
}

void EmfDC::SyncTextAttributes(unsigned align)
{
    SyncFont();
    Play(EMR_SETTEXTCOLOR, player_.textColor, ResolveColor(State().textColor));
    Play(EMR_SETBKCOLOR, player_.bkColor, ResolveColor(State().bkColor));
    Play(EMR_SETBKMODE, player_.bkMode, State().bkMode);
    Play(EMR_SETTEXTALIGN, player_.textAlign, align);
}

// ------------------------------------------------------------------ state and clipping

void EmfDC::EmitOrigin(std::uint32_t type, Point origin)
{
    Body b;
    b.Pt(origin);
    Emit(type, b.Bytes());
    player_.position.reset();
}

Point EmfDC::SetViewportOrg(int x, int y)
{
    const Point old = DCBase::SetViewportOrg(x, y);
    EmitOrigin(EMR_SETVIEWPORTORGEX, {x, y});
    return old;
}

Point EmfDC::SetWindowOrg(int x, int y)
{
    const Point old = DCBase::SetWindowOrg(x, y);
    EmitOrigin(EMR_SETWINDOWORGEX, {x, y});
    return old;
}

int EmfDC::SaveDC()
{
    const int level = DCBase::SaveDC();
    Emit(EMR_SAVEDC, {});
    savedPlayers_.push_back(player_);
    return level;
}

bool EmfDC::RestoreDC(int saved)
{
    const int depth = SaveLevel();
    if (!DCBase::RestoreDC(saved))
        return false;
    const int level = saved > 0 ? saved : depth + saved + 1;
    // The record counts back from the most recent save.
    Body b;
    b.I32(level - depth - 1);
    Emit(EMR_RESTOREDC, b.Bytes());
    player_ = savedPlayers_[static_cast<std::size_t>(level - 1)];
    savedPlayers_.resize(static_cast<std::size_t>(level - 1));
    return true;
}

void EmfDC::IntersectClipRect(const Rect& rect)
{
    DCBase::IntersectClipRect(rect);
    Body b;
    b.Box(rect.Normalized());
    Emit(EMR_INTERSECTCLIPRECT, b.Bytes());
}

void EmfDC::SelectClipRect(const Rect* rect)
{
    DCBase::SelectClipRect(rect);
    // Back to no clipping, then the rectangle: both in the units the drawing uses.
    Body reset;
    reset.U32(0);
    reset.U32(kRegionCopy);
    Emit(EMR_EXTSELECTCLIPRGN, reset.Bytes());
    if (rect) {
        Body b;
        b.Box(rect->Normalized());
        Emit(EMR_INTERSECTCLIPRECT, b.Bytes());
    }
}

Rect EmfDC::DeviceBounds() const
{
    // A metafile has no edges of its own: only the clip limits it.
    constexpr int kFar = 1 << 28;
    return {-kFar, -kFar, kFar, kFar};
}

// ------------------------------------------------------------------------------ drawing

void EmfDC::AddBounds(Rect r)
{
    if (const std::optional<Rect>& clip = State().clip) {
        r = {std::max(r.left, clip->left), std::max(r.top, clip->top), std::min(r.right, clip->right - 1),
             std::min(r.bottom, clip->bottom - 1)};
        if (r.right < r.left || r.bottom < r.top)
            return;
    }
    bounds_ = bounds_ ? Union(*bounds_, r) : r;
}

Rect EmfDC::ShapeBounds(const Point* points, int count) const
{
    Rect r{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
           std::numeric_limits<int>::min()};
    for (int i = 0; i < count; ++i) {
        const Point p = ToDevice(points[i]);
        r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.right, p.x), std::max(r.bottom, p.y)};
    }
    const int half = State().pen.style == PS_NULL ? 0 : std::max(State().pen.width, 1) / 2;
    r.Inflate(half, half);
    return r;
}

bool EmfDC::LineTo(int x, int y)
{
    const Point from = GetCurrentPosition();
    SetCurrentPosition({x, y});
    if (!Recording())
        return false;
    SyncPen(State().pen);
    if (player_.position != from) {
        Body m;
        m.Pt(from);
        Emit(EMR_MOVETOEX, m.Bytes());
    }
    Body b;
    b.Pt({x, y});
    Emit(EMR_LINETO, b.Bytes());
    player_.position = Point{x, y};
    if (State().pen.style != PS_NULL) {
        const Point ends[2] = {from, {x, y}};
        AddBounds(ShapeBounds(ends, 2));
    }
    return true;
}

bool EmfDC::PolyRecord(std::uint32_t type16, std::uint32_t type32, const Point* points, int count)
{
    if (!points || count < 2 || !Recording())
        return false;
    const Rect device = ShapeBounds(points, count);
    const bool filled = type16 == EMR_POLYGON16;
    SyncFigure(filled);
    Body b;
    b.Box(device);
    b.U32(static_cast<std::uint32_t>(count));
    const bool shortPoints = FitsShort(points, count);
    for (int i = 0; i < count; ++i) {
        if (shortPoints) {
            b.U16(static_cast<std::uint16_t>(points[i].x));
            b.U16(static_cast<std::uint16_t>(points[i].y));
        } else {
            b.Pt(points[i]);
        }
    }
    Emit(shortPoints ? type16 : type32, b.Bytes());
    if (State().pen.style != PS_NULL || (filled && State().brush.style == BS_SOLID))
        AddBounds(device);
    return true;
}

bool EmfDC::Polyline(const Point* points, int count)
{
    return PolyRecord(EMR_POLYLINE16, EMR_POLYLINE, points, count);
}

bool EmfDC::Polygon(const Point* points, int count)
{
    return PolyRecord(EMR_POLYGON16, EMR_POLYGON, points, count);
}

void EmfDC::AddBoxBounds(const Rect& box)
{
    const Rect n = box.Normalized();
    if (!n.IsEmpty()) {
        const Point corners[2] = {{n.left, n.top}, {n.right - 1, n.bottom - 1}};
        AddBounds(ShapeBounds(corners, 2));
    }
}

bool EmfDC::BoxRecord(std::uint32_t type, int left, int top, int right, int bottom, bool filled)
{
    if (!Recording())
        return false;
    SyncFigure(filled);
    Body b;
    b.Box({left, top, right, bottom});
    Emit(type, b.Bytes());
    AddBoxBounds({left, top, right, bottom});
    return true;
}

bool EmfDC::Rectangle(int left, int top, int right, int bottom)
{
    return BoxRecord(EMR_RECTANGLE, left, top, right, bottom, true);
}

bool EmfDC::Ellipse(int left, int top, int right, int bottom)
{
    return BoxRecord(EMR_ELLIPSE, left, top, right, bottom, true);
}

bool EmfDC::ArcRecord(std::uint32_t type, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                      int yEnd, bool filled)
{
    if (!Recording())
        return false;
    SyncFigure(filled);
    Body b;
    b.Box({left, top, right, bottom});
    b.Pt({xStart, yStart});
    b.Pt({xEnd, yEnd});
    Emit(type, b.Bytes());
    AddBoxBounds({left, top, right, bottom});
    return true;
}

bool EmfDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    return ArcRecord(EMR_ARC, left, top, right, bottom, xStart, yStart, xEnd, yEnd, false);
}

bool EmfDC::Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    return ArcRecord(EMR_CHORD, left, top, right, bottom, xStart, yStart, xEnd, yEnd, true);
}

bool EmfDC::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    return ArcRecord(EMR_PIE, left, top, right, bottom, xStart, yStart, xEnd, yEnd, true);
}

COLORREF EmfDC::SetPixel(int x, int y, COLORREF color)
{
    const COLORREF resolved = ResolveColor(color);
    if (!Recording())
        return static_cast<COLORREF>(-1);
    Body b;
    b.Pt({x, y});
    b.U32(resolved);
    Emit(EMR_SETPIXELV, b.Bytes());
    const Point p = ToDevice(x, y);
    AddBounds({p.x, p.y, p.x, p.y});
    return resolved;
}

void EmfDC::FillRect(const Rect& rect, const Brush& brush)
{
    const Rect n = rect.Normalized();
    if (brush.style != BS_SOLID || n.IsEmpty() || !Recording())
        return;
    // A rectangle drawn without a pen covers one pixel less on the right and at the bottom.
    SyncPen({PS_NULL, 0, 0});
    SyncBrush(brush);
    Body b;
    b.Box({n.left, n.top, n.right + 1, n.bottom + 1});
    Emit(EMR_RECTANGLE, b.Bytes());
    const Rect d = ToDevice(n);
    AddBounds({d.left, d.top, d.right - 1, d.bottom - 1});
}

// --------------------------------------------------------------------------------- text

Size EmfDC::GetTextExtent(std::string_view text) const
{
    reference_.SelectFont(State().font);
    return reference_.GetTextExtent(text);
}

TextMetrics EmfDC::GetTextMetrics() const
{
    reference_.SelectFont(State().font);
    return reference_.GetTextMetrics();
}

bool EmfDC::EmitText(Point reference, std::string_view text, unsigned align, const Rect* clip)
{
    if (!Recording())
        return false;
    const std::u16string units = enc::Utf8ToUtf16(text);

    // Advances from the reference context: the widths of growing prefixes, so that the sum
    // is the width of the whole text. A character outside the first plane puts its advance
    // on its first unit.
    std::vector<std::uint32_t> dx(units.size(), 0);
    reference_.SelectFont(State().font);
    std::size_t pos = 0;
    std::size_t unit = 0;
    int before = 0;
    while (pos < text.size()) {
        const char32_t cp = enc::NextCodePoint(text, pos);
        const int width = reference_.GetTextExtent(text.substr(0, pos)).cx;
        if (unit < dx.size())
            dx[unit] = static_cast<std::uint32_t>(std::max(width - before, 0));
        before = width;
        unit += cp > 0xFFFF ? 2 : 1;
    }
    const int width = before;

    SyncTextAttributes(align);

    // Where the text lies on the device, turned with the escapement.
    const TextMetrics tm = reference_.GetTextMetrics();
    int x0 = 0;
    switch (align & TA_CENTER) {
    case TA_CENTER: x0 = -width / 2; break;
    case TA_RIGHT: x0 = -width; break;
    default: break;
    }
    int top = 0;
    switch (align & TA_BASELINE) {
    case TA_BASELINE: top = -tm.ascent; break;
    case TA_BOTTOM: top = -tm.height; break;
    default: break;
    }
    const double angle = State().font.escapement * (std::numbers::pi / 1800.0);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const Point origin = ToDevice(reference);
    Rect box{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
             std::numeric_limits<int>::min()};
    const int right = x0 + std::max(width, 1) - 1;
    const int bottom = top + std::max(tm.height, 1) - 1;
    for (const auto& [cx, cy] : {std::pair{x0, top}, {right, top}, {x0, bottom}, {right, bottom}}) {
        // Counter-clockwise on a device whose y runs down.
        const int px = origin.x + static_cast<int>(std::lround(cx * c + cy * s));
        const int py = origin.y + static_cast<int>(std::lround(-cx * s + cy * c));
        box = {std::min(box.left, px), std::min(box.top, py), std::max(box.right, px), std::max(box.bottom, py)};
    }

    Body b;
    b.Box(box);
    b.U32(kGraphicsCompatible);
    b.F32(static_cast<float>(100.0 * device_.millimetres.cx / std::max(device_.pixels.cx, 1)));
    b.F32(static_cast<float>(100.0 * device_.millimetres.cy / std::max(device_.pixels.cy, 1)));
    b.Pt(reference);
    b.U32(static_cast<std::uint32_t>(units.size()));
    const std::uint32_t stringOffset = 76;
    const std::uint32_t stringBytes = static_cast<std::uint32_t>((2 * units.size() + 3) / 4 * 4);
    b.U32(stringOffset);
    b.U32(clip ? kClipped : 0);
    b.Box(clip ? clip->Normalized() : EmptyBounds());
    b.U32(stringOffset + stringBytes);
    b.Utf16(units);
    b.Pad4();
    for (std::uint32_t d : dx)
        b.U32(d);
    Emit(EMR_EXTTEXTOUTW, b.Bytes());

    if (!units.empty()) {
        if (clip) {
            const Rect d = ToDevice(clip->Normalized());
            box = {std::max(box.left, d.left), std::max(box.top, d.top), std::min(box.right, d.right - 1),
                   std::min(box.bottom, d.bottom - 1)};
        }
        if (box.left <= box.right && box.top <= box.bottom)
            AddBounds(box);
    }
    return true;
}

bool EmfDC::TextOut(int x, int y, std::string_view text)
{
    const Point reference = TextReference(x, y);
    if (!EmitText(reference, text, State().textAlign & ~static_cast<unsigned>(TA_UPDATECP), nullptr))
        return false;
    AdvanceAfterText(GetTextExtent(text).cx);
    return true;
}

int EmfDC::DrawText(std::string_view text, Rect& rect, unsigned format)
{
    const TextLayout layout = LayoutDrawText(text, rect, format);
    if (format & DT_CALCRECT) {
        rect = layout.bounds;
        return layout.height;
    }
    if (!Recording())
        return 0;
    const Rect clip = rect.Normalized();
    for (const TextLine& line : layout.lines) {
        if (!line.text.empty())
            EmitText({line.x, line.y}, line.text, TA_LEFT | TA_TOP, (format & DT_NOCLIP) ? nullptr : &clip);
    }
    return layout.height;
}

// ------------------------------------------------------------------------------ images

bool EmfDC::DrawImage(const Rect& dest, const Image& image)
{
    if (image.IsNull() || image.pixels.size() < static_cast<std::size_t>(image.width) * image.height || !Recording())
        return false;
    const Rect n = dest.Normalized();
    if (n.IsEmpty())
        return false;
    // 24-bit rows from the bottom up, each padded to 4 bytes; transparent pixels are laid on
    // white, the page's colour.
    const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) / 4 * 4;
    const std::size_t bitsBytes = stride * static_cast<std::size_t>(image.height);
    if (bitsBytes + bytes_.size() + 200 > kMaxBytes) {
        failed_ = true;
        return false;
    }
    std::vector<std::uint8_t> bits(bitsBytes, 0);
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = bits.data() + stride * static_cast<std::size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.pixels[static_cast<std::size_t>(y) * image.width + x];
            const std::uint32_t a = p >> 24;
            const auto over = [a](std::uint32_t c) { return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255); };
            row[3 * x] = over(p & 0xFF);
            row[3 * x + 1] = over((p >> 8) & 0xFF);
            row[3 * x + 2] = over((p >> 16) & 0xFF);
        }
    }

    const Rect device = ToDevice(n);
    Body b;
    b.Box({device.left, device.top, device.right - 1, device.bottom - 1});
    b.I32(n.left);
    b.I32(n.top);
    b.I32(0);
    b.I32(0);
    b.I32(image.width);
    b.I32(image.height);
    b.U32(80);       // the bitmap header follows the fixed part
    b.U32(40);
    b.U32(80 + 40);  // then the pixels
    b.U32(static_cast<std::uint32_t>(bitsBytes));
    b.U32(0);        // RGB colours
    b.U32(kSourceCopy);
    b.I32(n.Width());
    b.I32(n.Height());
    // Bitmap information header.
    b.U32(40);
    b.I32(image.width);
    b.I32(image.height);
    b.U16(1);
    b.U16(24);
    b.U32(0);
    b.U32(static_cast<std::uint32_t>(bitsBytes));
    b.U32(0);
    b.U32(0);
    b.U32(0);
    b.U32(0);
    std::vector<std::uint8_t> body = b.Bytes();
    body.insert(body.end(), bits.begin(), bits.end());
    Emit(EMR_STRETCHDIBITS, body);
    AddBounds({device.left, device.top, device.right - 1, device.bottom - 1});
    return true;
}

int EmfDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case HORZRES: return device_.pixels.cx;
    case VERTRES: return device_.pixels.cy;
    case HORZSIZE: return device_.millimetres.cx;
    case VERTSIZE: return device_.millimetres.cy;
    case LOGPIXELSX:
    case LOGPIXELSY:
    case BITSPIXEL: return reference_.GetDeviceCaps(index);
    default: return 0;
    }
}

}  // namespace gdi
