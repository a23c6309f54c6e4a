#include "app/Accessors.h"
#include "app/GraphicsHelpers.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <random>

namespace {

struct Segment {
    double x1, y1, x2, y2;
};

// Liang-Barsky clipping against a closed box: the visible part, or nothing.
std::optional<Segment> LiangBarsky(Segment s, double left, double top, double right, double bottom)
{
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.x1 - left, right - s.x1, s.y1 - top, bottom - s.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return std::nullopt;
    return Segment{s.x1 + t0 * dx, s.y1 + t0 * dy, s.x1 + t1 * dx, s.y1 + t1 * dy};
}

void CheckAgainstReference(const gdi::Rect& rect, double left, double top, double right, double bottom,
                           int range, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> coord(-range, range);
    int visible = 0, hidden = 0;
    for (int i = 0; i < 20000; ++i) {
        int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        if (i % 10 == 0)
            x2 = x1;  // vertical segments take their own path
        const auto expected = LiangBarsky({double(x1), double(y1), double(x2), double(y2)}, left, top,
                                          right, bottom);
        const int ox1 = x1, oy1 = y1, ox2 = x2, oy2 = y2;
        ClipSegmentToRect(x1, y1, x2, y2, rect);
        SCOPED_TRACE(testing::Message() << "(" << ox1 << ", " << oy1 << ")-(" << ox2 << ", " << oy2
                                        << ") -> (" << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << ")");
        const bool degenerate = x1 == x2 && y1 == y2;
        if (!expected || (std::abs(expected->x1 - expected->x2) < 1 && std::abs(expected->y1 - expected->y2) < 1)) {
            EXPECT_TRUE(degenerate || (std::abs(x1 - x2) <= 1 && std::abs(y1 - y2) <= 1));
            ++hidden;
            continue;
        }
        ++visible;
        // Either order of the end points is kept as given.
        EXPECT_NEAR(x1, expected->x1, 1.0);
        EXPECT_NEAR(y1, expected->y1, 1.0);
        EXPECT_NEAR(x2, expected->x2, 1.0);
        EXPECT_NEAR(y2, expected->y2, 1.0);
    }
    EXPECT_GT(visible, 1000);
    EXPECT_GT(hidden, 1000);
}

}  // namespace

TEST(ClipSegmentToRect, AgreesWithLiangBarskyOnRandomSegments)
{
    CheckAgainstReference(gdi::Rect{}, -30000, -30000, 30000, 30000, 80000, 1);
    CheckAgainstReference(gdi::Rect{-1000, -500, 2000, 800}, -1000, -500, 2000, 800, 4000, 2);
    CheckAgainstReference(gdi::Rect{-90000, 100, 90000, 50000}, -30000, 100, 30000, 30000, 70000, 3);
}

TEST(ClipSegmentToRect, HandlesTheUsualCases)
{
    int x1 = -50000, y1 = 0, x2 = 50000, y2 = 0;
    ClipSegmentToRect(x1, y1, x2, y2, {});
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{-30000, 0, 30000, 0}));

    x1 = 40000, y1 = 35000, x2 = 35000, y2 = 40000;  // its line passes beside the corner
    ClipSegmentToRect(x1, y1, x2, y2, {});
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{30000, 30000, 30000, 30000}));

    x1 = 10, y1 = 20, x2 = 30, y2 = 40;  // inside: unchanged
    ClipSegmentToRect(x1, y1, x2, y2, {0, 0, 100, 100});
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{10, 20, 30, 40}));

    x1 = 50, y1 = -500, x2 = 50, y2 = 500;  // vertical: clamped to the rectangle
    ClipSegmentToRect(x1, y1, x2, y2, {0, 0, 100, 100});
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{50, 0, 50, 100}));

    x1 = 500, y1 = -500, x2 = 500, y2 = 500;  // vertical beside the rectangle: nothing to draw
    ClipSegmentToRect(x1, y1, x2, y2, {0, 0, 100, 100});
    EXPECT_TRUE(x1 == x2 && y1 == y2);

    x1 = std::numeric_limits<int>::min(), y1 = std::numeric_limits<int>::max();
    x2 = std::numeric_limits<int>::max(), y2 = std::numeric_limits<int>::min();
    ClipSegmentToRect(x1, y1, x2, y2, {});
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{-30000, 29999, 29999, -30000}));  // y = -x - 1
}

TEST(CartesianToPolar, AgreesWithAtan2)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> coord(-1000.0, 1000.0);
    for (int i = 0; i < 10000; ++i) {
        const double x = i % 50 == 0 ? 0.0 : coord(rng);
        const double y = coord(rng);
        for (const bool negateY : {false, true}) {
            const double d = negateY ? -y : y;
            double radius = 0, angle = 0;
            CartesianToPolar(x, y, radius, angle, false, negateY);
            EXPECT_NEAR(radius, std::hypot(x, d), 1e-9);
            EXPECT_NEAR(angle, std::atan2(d, x), 1e-12) << x << ", " << d;
            CartesianToPolar(x, y, radius, angle, true, negateY);
            const double expected = std::atan2(d, x) < 0 ? std::atan2(d, x) + 2 * std::numbers::pi
                                                         : std::atan2(d, x);
            EXPECT_NEAR(angle, expected, 1e-12);
            EXPECT_GE(angle, 0.0);
        }
    }
    // On the negative x axis and at the origin the angle is taken from below.
    double radius = 0, angle = 0;
    CartesianToPolar(-1, 0, radius, angle, false, false);
    EXPECT_DOUBLE_EQ(angle, -std::numbers::pi);
    CartesianToPolar(0, 0, radius, angle, false, false);
    EXPECT_DOUBLE_EQ(radius, 0.0);
    EXPECT_DOUBLE_EQ(angle, -std::numbers::pi / 2);
    CartesianToPolar(0, 0, radius, angle, true, false);
    EXPECT_DOUBLE_EQ(angle, 1.5 * std::numbers::pi);
}

TEST(FillLogFont, SetsFaceByKindAndKeepsItOtherwise)
{
    gdi::LogFont font;
    FillLogFont(12, font, kFontArial, true, 45.5);
    EXPECT_EQ(font.height, -12);
    EXPECT_EQ(font.escapement, 455);
    EXPECT_EQ(font.weight, gdi::FW_BOLD);
    EXPECT_EQ(font.faceName, "ARIAL");
    EXPECT_EQ(font.pitchAndFamily, gdi::FF_SWISS);
    EXPECT_EQ(font.outPrecision, gdi::OUT_TT_ONLY_PRECIS);
    EXPECT_EQ(font.quality, gdi::PROOF_QUALITY);
    FillLogFont(9, font, 0, false, -90);
    EXPECT_EQ(font.faceName, "ARIAL");
    EXPECT_EQ(font.weight, gdi::FW_NORMAL);
    EXPECT_EQ(font.escapement, -900);
    FillLogFont(9, font, kFontWingdings, false, 0);
    EXPECT_EQ(font.faceName, "Wingdings");
    EXPECT_EQ(font.pitchAndFamily, gdi::FF_MODERN);
}

TEST(Dib, SizesPixelsAndRefusesImpossibleSizes)
{
    const auto dib = MakeDib24(5, 3);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib->sizeImage, 8u * 3u * 3u);
    EXPECT_EQ(dib->pixels.size(), 72u);
    EXPECT_TRUE(std::all_of(dib->pixels.begin(), dib->pixels.end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(dib->headerSize, 40u);
    EXPECT_EQ(dib->bitCount, 24);
    EXPECT_FALSE(MakeDib24(-1, 10));
    EXPECT_FALSE(MakeDib24(100000, 100000));

    const gdi::Image image = CreateBlankDib(nullptr, 4, 2);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 2);
    ASSERT_EQ(image.pixels.size(), 8u);
    EXPECT_EQ(image.pixels[7], 0xFF000000u);
    EXPECT_TRUE(CreateBlankDib(nullptr, 100000, 100000).IsNull());
}

TEST(DeviceScaling, ScalesEachAxisFromTheDocumentScreenToTheDevice)
{
    gdi::DeviceCaps caps;
    caps.logPixelsX = 600;
    caps.logPixelsY = 300;
    const gdi::RecordingDC printer(caps, true);
    GetAppContext().screenPixelsPerInchX = 96;
    GetAppContext().screenPixelsPerInchY = 120;
    gdi::Rect rect{96, 120, -48, 7};
    ScaleRectToDevice(printer, rect);
    EXPECT_EQ(rect, (gdi::Rect{600, 300, -300, 18}));  // 7 x 300 / 120 = 17.5 rounds away from zero
    EXPECT_EQ(ScaleHeightToDevice(printer, 240), 600);
    GetAppContext() = AppContext{};
}
