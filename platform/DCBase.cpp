#include "platform/DCBase.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace gdi {

Pen DCBase::SelectPen(const Pen& pen)
{
    return std::exchange(state_.pen, pen);
}

Brush DCBase::SelectBrush(const Brush& brush)
{
    return std::exchange(state_.brush, brush);
}

LogFont DCBase::SelectFont(const LogFont& font)
{
    return std::exchange(state_.font, font);
}

COLORREF DCBase::SetTextColor(COLORREF color)
{
    return std::exchange(state_.textColor, color);
}

COLORREF DCBase::SetBkColor(COLORREF color)
{
    return std::exchange(state_.bkColor, color);
}

int DCBase::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return std::exchange(state_.bkMode, mode);
}

unsigned DCBase::SetTextAlign(unsigned flags)
{
    return std::exchange(state_.textAlign, flags);
}

void DCBase::SetPalette(std::vector<COLORREF> entries)
{
    state_.palette = std::move(entries);
}

COLORREF DCBase::ResolveColor(COLORREF color) const
{
    if (IsPaletteIndex(color)) {
        const auto index = static_cast<std::size_t>(PaletteIndexOf(color));
        if (index >= state_.palette.size())
            return RGB(0, 0, 0);
        return state_.palette[index] & 0x00FFFFFFu;
    }
    return color & 0x00FFFFFFu;
}

Point DCBase::SetViewportOrg(int x, int y)
{
    return std::exchange(state_.viewportOrg, Point{x, y});
}

Point DCBase::SetWindowOrg(int x, int y)
{
    return std::exchange(state_.windowOrg, Point{x, y});
}

int DCBase::SaveDC()
{
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

bool DCBase::RestoreDC(int saved)
{
    const int depth = static_cast<int>(saved_.size());
    // A positive level names the save that returned it; a negative one counts back from
    // the most recent save.
    const int level = saved > 0 ? saved : depth + saved + 1;
    if (saved == 0 || level < 1 || level > depth)
        return false;
    state_ = std::move(saved_[static_cast<std::size_t>(level - 1)]);
    saved_.resize(static_cast<std::size_t>(level - 1));
    return true;
}

Rect DCBase::ToDevice(const Rect& r) const
{
    const Point a = ToDevice(r.left, r.top);
    const Point b = ToDevice(r.right, r.bottom);
    return {a.x, a.y, b.x, b.y};
}

Rect DCBase::DeviceBounds() const
{
    return {0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES)};
}

void DCBase::IntersectClipRect(const Rect& rect)
{
    const Rect device = ToDevice(rect.Normalized());
    state_.clip = state_.clip ? Rect::Intersect(*state_.clip, device) : (device.IsEmpty() ? Rect{} : device);
}

void DCBase::SelectClipRect(const Rect* rect)
{
    if (!rect) {
        state_.clip.reset();
        return;
    }
    const Rect device = ToDevice(rect->Normalized());
    state_.clip = device.IsEmpty() ? Rect{} : device;
}

Rect DCBase::GetClipBox() const
{
    const Rect bounds = DeviceBounds();
    const Rect box = state_.clip ? Rect::Intersect(*state_.clip, bounds) : bounds;
    if (box.IsEmpty())
        return {};
    const int dx = state_.windowOrg.x - state_.viewportOrg.x;
    const int dy = state_.windowOrg.y - state_.viewportOrg.y;
    return {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

Point DCBase::MoveTo(int x, int y)
{
    return std::exchange(state_.currentPosition, Point{x, y});
}

Point DCBase::TextReference(int x, int y) const
{
    if (state_.textAlign & TA_UPDATECP)
        return state_.currentPosition;
    return {x, y};
}

void DCBase::AdvanceAfterText(int width)
{
    if (!(state_.textAlign & TA_UPDATECP))
        return;
    int along = 0;
    switch (state_.textAlign & TA_CENTER) {
    case TA_CENTER: along = 0; break;
    case TA_RIGHT: along = -width; break;
    default: along = width; break;
    }
    // The advance follows the escapement (counter-clockwise, y down on the device).
    const double angle = state_.font.escapement * (3.14159265358979323846 / 1800.0);
    state_.currentPosition.x += static_cast<int>(std::lround(along * std::cos(angle)));
    state_.currentPosition.y -= static_cast<int>(std::lround(along * std::sin(angle)));
}

namespace {

// Paragraphs of a text: split at "\r\n", "\n" and "\r".
std::vector<std::string_view> SplitParagraphs(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        out.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    out.push_back(text.substr(start));
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

TextLayout DCBase::LayoutDrawText(std::string_view text, const Rect& rect, unsigned format) const
{
    TextLayout layout;
    layout.lineHeight = GetTextMetrics().height;
    const int lh = layout.lineHeight;

    std::vector<std::string> lines;
    if (format & DT_SINGLELINE) {
        lines.emplace_back(text);
    } else {
        const int maxWidth = rect.Width();
        for (std::string_view paragraph : SplitParagraphs(text)) {
            if (!(format & DT_WORDBREAK)) {
                lines.emplace_back(paragraph);
                continue;
            }
            // Greedy word wrap: a word that would cross the right edge starts a new line and
            // the blanks before it are dropped; a word wider than the box stays whole.
            std::string line;
            std::size_t i = 0;
            bool lineHasWord = false;
            while (i < paragraph.size()) {
                std::size_t blankEnd = i;
                while (blankEnd < paragraph.size() && IsBlank(paragraph[blankEnd]))
                    ++blankEnd;
                std::size_t wordEnd = blankEnd;
                while (wordEnd < paragraph.size() && !IsBlank(paragraph[wordEnd]))
                    ++wordEnd;
                const std::string_view blanks = paragraph.substr(i, blankEnd - i);
                const std::string_view word = paragraph.substr(blankEnd, wordEnd - blankEnd);
                std::string candidate = line;
                candidate.append(blanks).append(word);
                if (!lineHasWord || word.empty() || GetTextExtent(candidate).cx <= maxWidth) {
                    line = std::move(candidate);
                } else {
                    lines.push_back(std::move(line));
                    line.assign(word);
                }
                lineHasWord = lineHasWord || !word.empty();
                i = wordEnd;
            }
            lines.push_back(std::move(line));
        }
    }

    int y = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect.top + (rect.Height() - lh) / 2;
        else if (format & DT_BOTTOM)
            y = rect.bottom - lh;
    }
    const int firstY = y;
    int widest = 0;
    for (std::string& line : lines) {
        TextLine placed;
        placed.width = line.empty() ? 0 : GetTextExtent(line).cx;
        if (format & DT_CENTER)
            placed.x = rect.left + (rect.Width() - placed.width) / 2;
        else if (format & DT_RIGHT)
            placed.x = rect.right - placed.width;
        else
            placed.x = rect.left;
        placed.y = y;
        placed.text = std::move(line);
        widest = std::max(widest, placed.width);
        y += lh;
        layout.lines.push_back(std::move(placed));
    }

    const int count = static_cast<int>(layout.lines.size());
    layout.bounds = {rect.left, rect.top, rect.left + widest, rect.top + count * lh};
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        layout.height = firstY - rect.top + lh;
    else
        layout.height = count * lh;
    return layout;
}

}  // namespace gdi
