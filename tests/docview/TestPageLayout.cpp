// The graph frame, the plate and its screw heads, on screen and on a 600-dpi printer.
#include "app/Accessors.h"
#include "docview/PageLayout.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using gdi::RecordKind;

constexpr gdi::COLORREF kWhite = 0xFFFFFF;
constexpr gdi::COLORREF kMidGrey = 0x808080;
constexpr gdi::COLORREF kBlack = 0x000000;

gdi::RecordingDC Printer600()
{
    return gdi::RecordingDC(gdi::DeviceCaps::Page(600, 210, 297), true);
}

class PageLayout : public ::testing::Test {
protected:
    void SetUp() override { GetAppContext() = AppContext{}; }
    void TearDown() override { GetAppContext() = AppContext{}; }
};

// Angle of a point seen from the centre of a box, counter-clockwise on screen (y down).
double ScreenAngle(const gdi::Rect& box, gdi::Point p)
{
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    return std::atan2(-(p.y - cy), p.x - cx);
}

// Sweep of an arc from its start radial counter-clockwise to its end radial, and the
// direction (screen x, y) of the middle of that sweep.
struct ArcShape {
    gdi::Rect box;
    double sweep;
    double midX;
    double midY;
    gdi::Pen pen;
};

std::vector<ArcShape> Arcs(const gdi::RecordingDC& dc)
{
    std::vector<ArcShape> out;
    for (const gdi::Record* r : dc.RecordsOf(RecordKind::Arc)) {
        const gdi::Rect box{r->args[0], r->args[1], r->args[2], r->args[3]};
        const double a0 = ScreenAngle(box, {r->args[4], r->args[5]});
        const double a1 = ScreenAngle(box, {r->args[6], r->args[7]});
        double sweep = std::remainder(a1 - a0, 2 * std::numbers::pi);
        if (sweep <= 0)
            sweep += 2 * std::numbers::pi;
        const double mid = a0 + sweep / 2;
        out.push_back({box, sweep, std::cos(mid), -std::sin(mid), r->pen});
    }
    return out;
}

bool HasSegment(const gdi::RecordingDC& dc, gdi::Point a, gdi::Point b, gdi::COLORREF color)
{
    for (const gdi::Segment& s : dc.Segments())
        if (s.from == a && s.to == b && s.pen.color == color)
            return true;
    return false;
}

}  // namespace

TEST_F(PageLayout, GraphFrameOnScreenIsFilledWhiteThenOutlinedAndGivesTheMargins)
{
    gdi::RecordingDC dc;
    const gdi::Pen before{gdi::PS_DASH, 3, gdi::RGB(1, 2, 3)};
    dc.SelectPen(before);
    dc.Clear();

    const gdi::Rect plot = DrawGraphFrame(dc, 100, 200, 900, 700);
    EXPECT_EQ(plot, (gdi::Rect{150, 250, 890, 670}));

    ASSERT_FALSE(dc.Records().empty());
    const auto fills = dc.RecordsOf(RecordKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->points, (std::vector<gdi::Point>{{100, 200}, {900, 700}}));
    EXPECT_EQ(fills[0]->args.back(), static_cast<int>(kWhite));
    EXPECT_LT(fills[0] - dc.Records().data(), dc.RecordsOf(RecordKind::LineTo)[0] - dc.Records().data());

    const std::vector<gdi::Segment> outline = dc.Segments();
    ASSERT_EQ(outline.size(), 4u);
    const gdi::Point corners[] = {{100, 200}, {900, 200}, {900, 700}, {100, 700}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(outline[i].from, corners[i]);
        EXPECT_EQ(outline[i].to, corners[(i + 1) % 4]);
        EXPECT_EQ(outline[i].pen, (gdi::Pen{gdi::PS_SOLID, 1, kBlack}));
    }
    EXPECT_EQ(dc.GetCurrentPen(), before);
}

TEST_F(PageLayout, GraphFramePrintedIsScaledUnfilledAndKeepsTheMarginsInProportion)
{
    gdi::RecordingDC dc = Printer600();
    const gdi::Rect plot = DrawGraphFrame(dc, 96, 96, 960, 480);
    EXPECT_EQ(dc.Count(RecordKind::FillRect), 0);
    // 10 reference pixels are MulDiv(10, 600, 96) = 63 device pixels.
    EXPECT_EQ(plot, (gdi::Rect{600 + 315, 600 + 315, 6000 - 63, 3000 - 189}));
    const std::vector<gdi::Segment> outline = dc.Segments();
    ASSERT_EQ(outline.size(), 4u);
    EXPECT_EQ(outline[0].from, (gdi::Point{600, 600}));
    EXPECT_EQ(outline[1].to, (gdi::Point{6000, 3000}));
    EXPECT_EQ(outline[0].pen.width, 6);  // the black pen scaled to the printer
}

TEST_F(PageLayout, PlateOnScreenHasFillBevelScrewsAndEngravedBorder)
{
    gdi::RecordingDC dc;
    DrawPlate(dc, 0, 0, 500, 300);  // c = 10

    const auto fills = dc.RecordsOf(RecordKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->args.back(), 0xE0E0E0);
    EXPECT_EQ(dc.Count(RecordKind::Rectangle), 0);

    // Three-pixel bevel: lit on the left and top, shadowed on the right and bottom.
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(HasSegment(dc, {i, i}, {i, 300 - i}, kWhite)) << i;
        EXPECT_TRUE(HasSegment(dc, {i, i}, {500 - i, i}, kWhite)) << i;
        EXPECT_TRUE(HasSegment(dc, {500 - i, i}, {500 - i, 300 - i}, kMidGrey)) << i;
        EXPECT_TRUE(HasSegment(dc, {i, 300 - i}, {500 - i, 300 - i}, kMidGrey)) << i;
    }
    // The border 2c = 20 pixels in, stopping 4c from the corners.
    EXPECT_TRUE(HasSegment(dc, {20, 40}, {20, 260}, kMidGrey));
    EXPECT_TRUE(HasSegment(dc, {40, 20}, {460, 20}, kMidGrey));
    EXPECT_TRUE(HasSegment(dc, {480, 40}, {480, 260}, kWhite));
    EXPECT_TRUE(HasSegment(dc, {40, 280}, {460, 280}, kWhite));

    // Four screws 21 pixels across, centred 20 pixels in from each corner: each draws its
    // head in the square given and its rim 2 pixels outside it.
    const std::vector<ArcShape> arcs = Arcs(dc);
    ASSERT_EQ(arcs.size(), 4u * 4u + 6u);
    const gdi::Rect heads[] = {{10, 10, 31, 31}, {470, 10, 491, 31}, {10, 270, 31, 291}, {470, 270, 491, 291}};
    for (int s = 0; s < 4; ++s) {
        const gdi::Rect rim{heads[s].left - 2, heads[s].top - 2, heads[s].right + 2, heads[s].bottom + 2};
        EXPECT_EQ(arcs[4 * s].box, rim) << s;
        EXPECT_EQ(arcs[4 * s + 2].box, heads[s]) << s;
        const int cx = heads[s].left + 10;
        const int cy = heads[s].top + 10;
        EXPECT_EQ(cx < 250 ? cx : 500 - cx, 20);
        EXPECT_EQ(cy < 150 ? cy : 300 - cy, 20);
    }
}

TEST_F(PageLayout, PlateCornersTurnInwardRoundTheScrewsWithShadowAndLight)
{
    gdi::RecordingDC dc;
    DrawPlate(dc, 0, 0, 500, 300);
    const std::vector<ArcShape> arcs = Arcs(dc);
    ASSERT_EQ(arcs.size(), 22u);
    // The six corner arcs follow the sixteen of the screws: each turns through the inner
    // quarter of its corner circle (towards the plate's middle), pens as the light falls
    // from the upper left.
    struct Expected {
        gdi::Rect box;
        gdi::COLORREF color;
        double maxSweepDeg;
    };
    const Expected expected[] = {
        {{0, 0, 40, 40}, kMidGrey, 90},       // top left, all in shadow
        {{460, 0, 500, 40}, kWhite, 45},      // top right, lit half
        {{460, 0, 500, 40}, kMidGrey, 45},    // top right, shadowed half
        {{460, 260, 500, 300}, kWhite, 90},   // bottom right, all lit
        {{0, 260, 40, 300}, kMidGrey, 45},    // bottom left, shadowed half
        {{0, 260, 40, 300}, kWhite, 45},      // bottom left, lit half
    };
    for (int i = 0; i < 6; ++i) {
        const ArcShape& a = arcs[16 + i];
        EXPECT_EQ(a.box, expected[i].box) << i;
        EXPECT_EQ(a.pen.color, expected[i].color) << i;
        EXPECT_NEAR(a.sweep * 180 / std::numbers::pi, expected[i].maxSweepDeg, 1.0) << i;
        const double toMiddleX = 250 - (a.box.left + a.box.right) / 2.0;
        const double toMiddleY = 150 - (a.box.top + a.box.bottom) / 2.0;
        EXPECT_GT(a.midX * toMiddleX, 0) << i;
        EXPECT_GT(a.midY * toMiddleY, 0) << i;
    }
    // The split points of the two-tone quarters lie on their diagonal.
    const gdi::Record* topRight = dc.RecordsOf(RecordKind::Arc)[17];
    EXPECT_EQ(topRight->args[6] - 480, -(topRight->args[7] - 20));
}

TEST_F(PageLayout, PrintedPlateIsAPlainOutlineWithGreyAndBlackDetails)
{
    gdi::RecordingDC dc = Printer600();
    const gdi::Brush brushBefore = dc.GetCurrentBrush();
    DrawPlate(dc, 600, 600, 5600, 3600);

    EXPECT_EQ(dc.Count(RecordKind::FillRect), 0);
    const auto rects = dc.RecordsOf(RecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->args, (std::vector<int>{600, 600, 5600, 3600}));
    EXPECT_EQ(rects[0]->pen, gdi::StockPen(gdi::BLACK_PEN));
    EXPECT_EQ(rects[0]->brush.style, gdi::BS_NULL);
    EXPECT_EQ(dc.GetCurrentBrush(), brushBefore);

    // No bevel: the only straight lines are the border and the screw slots.
    const std::vector<gdi::Segment> segments = dc.Segments();
    EXPECT_EQ(segments.size(), 4u + 4u * 2u);
    for (const gdi::Segment& s : segments) {
        EXPECT_TRUE(s.pen.color == kMidGrey || s.pen.color == kBlack);
        EXPECT_EQ(s.pen.width, 3);  // half a reference pixel: round(0.5 x 600 / 96)
    }
    for (const ArcShape& a : Arcs(dc))
        EXPECT_TRUE(a.pen.color == kMidGrey || a.pen.color == kBlack);
}

TEST_F(PageLayout, ScrewHeadHasARimAHeadAndADiagonalSlot)
{
    gdi::RecordingDC dc;
    const gdi::Pen before{gdi::PS_DOT, 2, gdi::RGB(9, 9, 9)};
    dc.SelectPen(before);
    DrawScrewHead(dc, 10, 10, 31, 31);

    const std::vector<ArcShape> arcs = Arcs(dc);
    ASSERT_EQ(arcs.size(), 4u);
    // Each circle in two halves; the rim is shadowed above left, the head lit there.
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(arcs[i].sweep, std::numbers::pi, 1e-9) << i;
    EXPECT_LT(arcs[0].midX, 0);
    EXPECT_LT(arcs[0].midY, 0);
    EXPECT_EQ(arcs[0].pen.color, kMidGrey);
    EXPECT_EQ(arcs[1].pen.color, kWhite);
    EXPECT_LT(arcs[2].midX, 0);
    EXPECT_EQ(arcs[2].pen.color, kWhite);
    EXPECT_EQ(arcs[3].pen.color, kMidGrey);

    // The slot from upper right to lower left, lit one pixel below right of its shadow.
    const std::vector<gdi::Segment> slot = dc.Segments();
    ASSERT_EQ(slot.size(), 2u);
    EXPECT_EQ(slot[0], (gdi::Segment{{28, 14}, {14, 28}, {gdi::PS_SOLID, 1, kWhite}}));
    EXPECT_EQ(slot[1], (gdi::Segment{{27, 13}, {13, 27}, {gdi::PS_SOLID, 1, kMidGrey}}));
    EXPECT_EQ(dc.GetCurrentPen(), before);
}
