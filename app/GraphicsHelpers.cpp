#include "app/GraphicsHelpers.h"

#include "app/Accessors.h"
#include "model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

namespace {

constexpr int kDrawLimit = 30000;
// No picture of ours comes near this; it keeps a wrong size from asking for gigabytes.
constexpr std::int64_t kMaxDibBytes = std::int64_t{512} * 1024 * 1024;

}  // namespace

void FillLogFont(int size, gdi::LogFont& font, int kind, bool bold, double angle)
{
    font.height = -size;
    font.width = 0;
    font.escapement = RoundToInt(angle * 10.0);
    font.orientation = 0;
    font.weight = bold ? gdi::FW_BOLD : gdi::FW_NORMAL;
    font.italic = false;
    font.underline = false;
    font.strikeOut = false;
    font.charSet = gdi::DEFAULT_CHARSET;
    font.outPrecision = gdi::OUT_TT_ONLY_PRECIS;
    font.clipPrecision = gdi::CLIP_DEFAULT_PRECIS;
    font.quality = gdi::PROOF_QUALITY;
    switch (kind) {
    case kFontArial:
        font.faceName = "ARIAL";
        font.pitchAndFamily = gdi::FF_SWISS;
        break;
    case kFontTimes:
        font.faceName = "Times New Roman";
        font.pitchAndFamily = gdi::FF_ROMAN;
        break;
    case kFontCourier:
        font.faceName = "Courier New";
        font.pitchAndFamily = gdi::FF_MODERN;
        break;
    case kFontWingdings:
        font.faceName = "Wingdings";
        font.pitchAndFamily = gdi::FF_MODERN;
        break;
    default:
        break;
    }
}

std::optional<Dib24> MakeDib24(int width, int height)
{
    if (width < 0 || height < 0)
        return std::nullopt;
    const std::int64_t rowWidth = (static_cast<std::int64_t>(width) + 3) / 4 * 4;
    const std::int64_t bytes = rowWidth * height * 3;
    if (bytes > kMaxDibBytes)
        return std::nullopt;
    Dib24 dib;
    dib.width = width;
    dib.height = height;
    dib.sizeImage = static_cast<std::uint32_t>(bytes);
    try {
        dib.pixels.assign(static_cast<size_t>(bytes), 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return dib;
}

gdi::Image CreateBlankDib(const gdi::DC* /*dc: every device takes the same 32-bit image*/, int width,
                          int height)
{
    const auto dib = MakeDib24(width, height);
    if (!dib)
        return {};
    gdi::Image image;
    try {
        image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFF000000u);
    } catch (const std::bad_alloc&) {
        return {};
    }
    image.width = width;
    image.height = height;
    return image;
}

bool RectsDiffer(const gdi::Rect& a, const gdi::Rect& b) { return !(a == b); }

void ScaleRectToDevice(const gdi::DC& dc, gdi::Rect& rect)
{
    const AppContext& context = GetAppContext();
    const int dx = dc.GetDeviceCaps(gdi::LOGPIXELSX);
    const int dy = dc.GetDeviceCaps(gdi::LOGPIXELSY);
    rect.left = gdi::MulDiv(rect.left, dx, context.screenPixelsPerInchX);
    rect.right = gdi::MulDiv(rect.right, dx, context.screenPixelsPerInchX);
    rect.top = gdi::MulDiv(rect.top, dy, context.screenPixelsPerInchY);
    rect.bottom = gdi::MulDiv(rect.bottom, dy, context.screenPixelsPerInchY);
}

int ScaleHeightToDevice(const gdi::DC& dc, int n)
{
    return gdi::MulDiv(n, dc.GetDeviceCaps(gdi::LOGPIXELSY), GetAppContext().screenPixelsPerInchY);
}

void CartesianToPolar(double x, double y, double& radius, double& angle, bool normalise, bool negateY)
{
    const double d = negateY ? -y : y;
    radius = std::sqrt(x * x + d * d);
    if (x > 0)
        angle = std::atan(d / x);
    else if (x < 0)
        angle = d > 0 ? std::atan(d / x) + std::numbers::pi : std::atan(d / x) - std::numbers::pi;
    else
        angle = d > 0 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
    if (normalise && angle < 0)
        angle += 2 * std::numbers::pi;
}

void ClipSegmentToRect(int& x1, int& y1, int& x2, int& y2, gdi::Rect rect)
{
    double left = -kDrawLimit, top = -kDrawLimit, right = kDrawLimit, bottom = kDrawLimit;
    if (!rect.IsNull()) {
        left = std::clamp(rect.left, -kDrawLimit, kDrawLimit);
        top = std::clamp(rect.top, -kDrawLimit, kDrawLimit);
        right = std::clamp(rect.right, -kDrawLimit, kDrawLimit);
        bottom = std::clamp(rect.bottom, -kDrawLimit, kDrawLimit);
    }
    const auto strictlyInside = [&](double x, double y) {
        return x > left && x < right && y > top && y < bottom;
    };
    // Moving an end point onto one side recomputes the other coordinate, which may land a
    // rounding error outside the next side.
    constexpr double kSlack = 1e-6;
    const auto within = [&](double x, double y) {
        return x >= left - kSlack && x <= right + kSlack && y >= top - kSlack && y <= bottom + kSlack;
    };
    const auto missed = [&] { x1 = y1 = x2 = y2 = kDrawLimit; };

    if (strictlyInside(x1, y1) && strictlyInside(x2, y2))
        return;
    if (left > right || top > bottom) {
        missed();
        return;
    }
    if (x1 == x2) {
        if (x1 < left || x1 > right) {
            missed();
            return;
        }
        y1 = static_cast<int>(std::clamp<double>(y1, top, bottom));
        y2 = static_cast<int>(std::clamp<double>(y2, top, bottom));
        return;
    }

    // The line y = a x + c through both points.
    const double a = (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
    const double c = y1 - a * x1;
    const auto between = [](double v, double lo, double hi) { return v > lo && v < hi; };
    const bool meets = between(a * right + c, top, bottom) || between(a * left + c, top, bottom) ||
                       (a != 0 && (between((bottom - c) / a, left, right) ||
                                   between((top - c) / a, left, right)));
    if (!meets) {
        missed();
        return;
    }

    double px[2] = {static_cast<double>(x1), static_cast<double>(x2)};
    double py[2] = {static_cast<double>(y1), static_cast<double>(y2)};
    // Each move lands on a side, so two rounds settle any end point; the bound keeps a
    // corner case from looping.
    for (int round = 0; round < 8 && !(within(px[0], py[0]) && within(px[1], py[1])); ++round) {
        for (int i = 0; i < 2; ++i) {
            if (px[i] > right) {
                px[i] = right;
                py[i] = a * right + c;
            } else if (px[i] < left) {
                px[i] = left;
                py[i] = a * left + c;
            }
            if (py[i] > bottom) {
                py[i] = bottom;
                px[i] = (bottom - c) / a;
            } else if (py[i] < top) {
                py[i] = top;
                px[i] = (top - c) / a;
            }
        }
    }
    if (!(within(px[0], py[0]) && within(px[1], py[1]))) {
        missed();
        return;
    }
    x1 = RoundToInt(std::clamp(px[0], left, right));
    y1 = RoundToInt(std::clamp(py[0], top, bottom));
    x2 = RoundToInt(std::clamp(px[1], left, right));
    y2 = RoundToInt(std::clamp(py[1], top, bottom));
}
