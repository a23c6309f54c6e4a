#include "platform/RecordingDC.h"

#include <cmath>
#include <cstdlib>

namespace gdi {

DeviceCaps DeviceCaps::Page(int dpi, int widthMm, int heightMm)
{
    DeviceCaps caps;
    caps.logPixelsX = dpi;
    caps.logPixelsY = dpi;
    caps.horzRes = static_cast<int>(std::lround(widthMm * dpi / 25.4));
    caps.vertRes = static_cast<int>(std::lround(heightMm * dpi / 25.4));
    caps.bitsPixel = 24;
    caps.horzSizeMm = widthMm;
    caps.vertSizeMm = heightMm;
    caps.physicalWidth = caps.horzRes;
    caps.physicalHeight = caps.vertRes;
    return caps;
}

RecordingDC::RecordingDC(DeviceCaps caps, bool printing, bool preview)
    : caps_(caps), printing_(printing), preview_(preview)
{
}

Record& RecordingDC::Add(RecordKind kind, std::vector<int> args, std::vector<Point> points)
{
    Record r;
    r.kind = kind;
    r.args = std::move(args);
    r.devicePoints.reserve(points.size());
    for (const Point& p : points)
        r.devicePoints.push_back(ToDevice(p));
    r.points = std::move(points);
    const DCState& s = State();
    r.pen = s.pen;
    r.brush = s.brush;
    r.font = s.font;
    r.textColor = s.textColor;
    r.bkColor = s.bkColor;
    r.bkMode = s.bkMode;
    r.textAlign = s.textAlign;
    records_.push_back(std::move(r));
    return records_.back();
}

Pen RecordingDC::SelectPen(const Pen& pen)
{
    const Pen old = DCBase::SelectPen(pen);
    Add(RecordKind::SelectPen, {pen.style, pen.width, static_cast<int>(pen.color)});
    return old;
}

Brush RecordingDC::SelectBrush(const Brush& brush)
{
    const Brush old = DCBase::SelectBrush(brush);
    Add(RecordKind::SelectBrush, {brush.style, static_cast<int>(brush.color)});
    return old;
}

LogFont RecordingDC::SelectFont(const LogFont& font)
{
    const LogFont old = DCBase::SelectFont(font);
    Add(RecordKind::SelectFont, {font.height, font.weight, font.escapement}).text = font.faceName;
    return old;
}

COLORREF RecordingDC::SetTextColor(COLORREF color)
{
    const COLORREF old = DCBase::SetTextColor(color);
    Add(RecordKind::SetTextColor, {static_cast<int>(color)});
    return old;
}

COLORREF RecordingDC::SetBkColor(COLORREF color)
{
    const COLORREF old = DCBase::SetBkColor(color);
    Add(RecordKind::SetBkColor, {static_cast<int>(color)});
    return old;
}

int RecordingDC::SetBkMode(int mode)
{
    const int old = DCBase::SetBkMode(mode);
    Add(RecordKind::SetBkMode, {mode});
    return old;
}

unsigned RecordingDC::SetTextAlign(unsigned flags)
{
    const unsigned old = DCBase::SetTextAlign(flags);
    Add(RecordKind::SetTextAlign, {static_cast<int>(flags)});
    return old;
}

void RecordingDC::SetPalette(std::vector<COLORREF> entries)
{
    std::vector<int> args;
    for (COLORREF c : entries)
        args.push_back(static_cast<int>(c));
    DCBase::SetPalette(std::move(entries));
    Add(RecordKind::SetPalette, std::move(args));
}

Point RecordingDC::SetViewportOrg(int x, int y)
{
    const Point old = DCBase::SetViewportOrg(x, y);
    Add(RecordKind::SetViewportOrg, {x, y});
    return old;
}

Point RecordingDC::SetWindowOrg(int x, int y)
{
    const Point old = DCBase::SetWindowOrg(x, y);
    Add(RecordKind::SetWindowOrg, {x, y});
    return old;
}

int RecordingDC::SaveDC()
{
    const int level = DCBase::SaveDC();
    Add(RecordKind::SaveDC, {level});
    return level;
}

bool RecordingDC::RestoreDC(int saved)
{
    const bool ok = DCBase::RestoreDC(saved);
    Add(RecordKind::RestoreDC, {saved, ok ? 1 : 0});
    return ok;
}

void RecordingDC::IntersectClipRect(const Rect& rect)
{
    Add(RecordKind::IntersectClipRect, {rect.left, rect.top, rect.right, rect.bottom},
        {{rect.left, rect.top}, {rect.right, rect.bottom}});
    DCBase::IntersectClipRect(rect);
}

void RecordingDC::SelectClipRect(const Rect* rect)
{
    if (rect)
        Add(RecordKind::SelectClipRect, {rect->left, rect->top, rect->right, rect->bottom},
            {{rect->left, rect->top}, {rect->right, rect->bottom}});
    else
        Add(RecordKind::SelectClipRect, {});
    DCBase::SelectClipRect(rect);
}

Point RecordingDC::MoveTo(int x, int y)
{
    const Point old = DCBase::MoveTo(x, y);
    Add(RecordKind::MoveTo, {x, y}, {{x, y}});
    return old;
}

bool RecordingDC::LineTo(int x, int y)
{
    Add(RecordKind::LineTo, {x, y}, {GetCurrentPosition(), {x, y}});
    SetCurrentPosition({x, y});
    return true;
}

bool RecordingDC::Polyline(const Point* points, int count)
{
    std::vector<Point> pts;
    if (points && count > 0)
        pts.assign(points, points + count);
    Add(RecordKind::Polyline, {count}, std::move(pts));
    return points && count >= 2;
}

bool RecordingDC::Polygon(const Point* points, int count)
{
    std::vector<Point> pts;
    if (points && count > 0)
        pts.assign(points, points + count);
    Add(RecordKind::Polygon, {count}, std::move(pts));
    return points && count >= 2;
}

bool RecordingDC::AddBox(RecordKind kind, int left, int top, int right, int bottom)
{
    Add(kind, {left, top, right, bottom}, {{left, top}, {right, bottom}});
    return true;
}

bool RecordingDC::AddArc(RecordKind kind, int left, int top, int right, int bottom, int xStart,
                         int yStart, int xEnd, int yEnd)
{
    Add(kind, {left, top, right, bottom, xStart, yStart, xEnd, yEnd},
        {{left, top}, {right, bottom}, {xStart, yStart}, {xEnd, yEnd}});
    return true;
}

bool RecordingDC::Rectangle(int left, int top, int right, int bottom)
{
    return AddBox(RecordKind::Rectangle, left, top, right, bottom);
}

bool RecordingDC::Ellipse(int left, int top, int right, int bottom)
{
    return AddBox(RecordKind::Ellipse, left, top, right, bottom);
}

bool RecordingDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    return AddArc(RecordKind::Arc, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

bool RecordingDC::Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    return AddArc(RecordKind::Chord, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

bool RecordingDC::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    return AddArc(RecordKind::Pie, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

COLORREF RecordingDC::SetPixel(int x, int y, COLORREF color)
{
    Add(RecordKind::SetPixel, {x, y, static_cast<int>(color)}, {{x, y}});
    return ResolveColor(color);
}

void RecordingDC::FillRect(const Rect& rect, const Brush& brush)
{
    Add(RecordKind::FillRect,
        {rect.left, rect.top, rect.right, rect.bottom, brush.style, static_cast<int>(brush.color)},
        {{rect.left, rect.top}, {rect.right, rect.bottom}});
}

bool RecordingDC::TextOut(int x, int y, std::string_view text)
{
    const Point ref = TextReference(x, y);
    Add(RecordKind::TextOut, {x, y}, {ref}).text.assign(text);
    AdvanceAfterText(GetTextExtent(text).cx);
    return true;
}

int RecordingDC::DrawText(std::string_view text, Rect& rect, unsigned format)
{
    TextLayout layout = LayoutDrawText(text, rect, format);
    Record& r = Add(RecordKind::DrawText,
                    {rect.left, rect.top, rect.right, rect.bottom, static_cast<int>(format)},
                    {{rect.left, rect.top}, {rect.right, rect.bottom}});
    r.text.assign(text);
    r.lines = std::move(layout.lines);
    if (format & DT_CALCRECT)
        rect = layout.bounds;
    return layout.height;
}

int RecordingDC::Em() const
{
    const int h = State().font.height;
    if (h == 0)
        return MulDiv(12, caps_.logPixelsY, 72);
    return std::abs(h);
}

Size RecordingDC::GetTextExtent(std::string_view text) const
{
    int characters = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    }
    return {characters * GetTextMetrics().aveCharWidth, Em()};
}

TextMetrics RecordingDC::GetTextMetrics() const
{
    const int em = Em();
    TextMetrics tm;
    tm.height = em;
    tm.ascent = static_cast<int>(std::lround(0.8 * em));
    tm.descent = em - tm.ascent;
    const int width = State().font.width;
    tm.aveCharWidth = width > 0 ? width : static_cast<int>(std::lround(0.6 * em));
    tm.maxCharWidth = tm.aveCharWidth;
    return tm;
}

bool RecordingDC::DrawImage(const Rect& dest, const Image& image)
{
    Add(RecordKind::DrawImage, {dest.left, dest.top, dest.right, dest.bottom, image.width, image.height},
        {{dest.left, dest.top}, {dest.right, dest.bottom}});
    return !image.IsNull();
}

int RecordingDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case LOGPIXELSX: return caps_.logPixelsX;
    case LOGPIXELSY: return caps_.logPixelsY;
    case HORZRES: return caps_.horzRes;
    case VERTRES: return caps_.vertRes;
    case BITSPIXEL: return caps_.bitsPixel;
    case HORZSIZE:
        return caps_.horzSizeMm > 0 ? caps_.horzSizeMm
                                    : static_cast<int>(std::lround(caps_.horzRes * 25.4 / caps_.logPixelsX));
    case VERTSIZE:
        return caps_.vertSizeMm > 0 ? caps_.vertSizeMm
                                    : static_cast<int>(std::lround(caps_.vertRes * 25.4 / caps_.logPixelsY));
    case PHYSICALWIDTH: return caps_.physicalWidth;
    case PHYSICALHEIGHT: return caps_.physicalHeight;
    case PHYSICALOFFSETX: return caps_.physicalOffsetX;
    case PHYSICALOFFSETY: return caps_.physicalOffsetY;
    default: return 0;
    }
}

std::vector<const Record*> RecordingDC::RecordsOf(RecordKind kind) const
{
    std::vector<const Record*> out;
    for (const Record& r : records_) {
        if (r.kind == kind)
            out.push_back(&r);
    }
    return out;
}

int RecordingDC::Count(RecordKind kind) const
{
    return static_cast<int>(RecordsOf(kind).size());
}

std::vector<std::string> RecordingDC::Texts() const
{
    std::vector<std::string> out;
    for (const Record& r : records_) {
        if (r.kind == RecordKind::TextOut || r.kind == RecordKind::DrawText)
            out.push_back(r.text);
    }
    return out;
}

std::vector<Segment> RecordingDC::Segments(bool device) const
{
    std::vector<Segment> out;
    for (const Record& r : records_) {
        const std::vector<Point>& p = device ? r.devicePoints : r.points;
        switch (r.kind) {
        case RecordKind::LineTo:
        case RecordKind::Polyline:
            for (std::size_t i = 1; i < p.size(); ++i)
                out.push_back({p[i - 1], p[i], r.pen});
            break;
        case RecordKind::Polygon:
            for (std::size_t i = 1; i < p.size(); ++i)
                out.push_back({p[i - 1], p[i], r.pen});
            if (p.size() > 2)
                out.push_back({p.back(), p.front(), r.pen});
            break;
        default: break;
        }
    }
    return out;
}

}  // namespace gdi
