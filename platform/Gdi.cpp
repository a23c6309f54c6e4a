#include "platform/Gdi.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace gdi {

Rect Rect::Normalized() const
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

Rect Rect::Intersect(const Rect& a, const Rect& b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.IsEmpty())
        return {};
    return r;
}

Pen StockPen(int stock)
{
    switch (stock) {
    case WHITE_PEN: return {PS_SOLID, 0, RGB(255, 255, 255)};
    case NULL_PEN: return {PS_NULL, 0, RGB(0, 0, 0)};
    default: return {PS_SOLID, 0, RGB(0, 0, 0)};
    }
}

Brush StockBrush(int stock)
{
    switch (stock) {
    case LTGRAY_BRUSH: return {BS_SOLID, RGB(192, 192, 192)};
    case GRAY_BRUSH: return {BS_SOLID, RGB(128, 128, 128)};
    case DKGRAY_BRUSH: return {BS_SOLID, RGB(64, 64, 64)};
    case BLACK_BRUSH: return {BS_SOLID, RGB(0, 0, 0)};
    case NULL_BRUSH: return {BS_NULL, RGB(0, 0, 0)};
    default: return {BS_SOLID, RGB(255, 255, 255)};
    }
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    long long q = product / c;
    const long long r = product % c;
    // Round half away from zero: compare twice the remainder with the divisor.
    if (r != 0 && 2 * std::llabs(r) >= std::llabs(static_cast<long long>(c)))
        q += ((product < 0) != (c < 0)) ? -1 : 1;
    if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(q);
}

void DC::LPtoDP(Point* points, int count) const
{
    const Point vp = GetViewportOrg();
    const Point wo = GetWindowOrg();
    for (int i = 0; i < count; ++i) {
        points[i].x = points[i].x - wo.x + vp.x;
        points[i].y = points[i].y - wo.y + vp.y;
    }
}

void DC::DPtoLP(Point* points, int count) const
{
    const Point vp = GetViewportOrg();
    const Point wo = GetWindowOrg();
    for (int i = 0; i < count; ++i) {
        points[i].x = points[i].x - vp.x + wo.x;
        points[i].y = points[i].y - vp.y + wo.y;
    }
}

void DC::LPtoDP(Rect& rect) const
{
    Point p[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    LPtoDP(p, 2);
    rect = {p[0].x, p[0].y, p[1].x, p[1].y};
}

void DC::DPtoLP(Rect& rect) const
{
    Point p[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    DPtoLP(p, 2);
    rect = {p[0].x, p[0].y, p[1].x, p[1].y};
}

}  // namespace gdi
