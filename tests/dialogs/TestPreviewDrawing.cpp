// The drawings of the preview windows and the colour swatch, recorded.
#include "dialogs/PreviewDrawing.h"

#include "docview/CDrawingTools.h"
#include "docview/CHorizonPoint.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>

using gdi::Point;
using gdi::RecordKind;

namespace {

const gdi::Rect kClient{0, 0, 200, 160};

// Segments drawn with a pen of that width and colour.
std::vector<gdi::Segment> SegmentsOf(const gdi::RecordingDC& dc, int width, gdi::COLORREF color)
{
    std::vector<gdi::Segment> out;
    for (const gdi::Segment& s : dc.Segments())
        if (s.pen.width == width && s.pen.color == color)
            out.push_back(s);
    return out;
}

const gdi::Record* TextRecord(const gdi::RecordingDC& dc, const std::string& text)
{
    for (const gdi::Record* r : dc.RecordsOf(RecordKind::TextOut))
        if (r->text == text)
            return r;
    return nullptr;
}

}  // namespace

TEST(PreviewFrame, WhiteRectangleAndBlackFrameGrownRightAndDown)
{
    gdi::RecordingDC dc;
    DrawPreviewFrame(dc, kClient);
    const auto boxes = dc.RecordsOf(RecordKind::Rectangle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]->args, (std::vector<int>{0, 0, 200, 160}));
    EXPECT_EQ(boxes[0]->brush.color, gdi::RGB(255, 255, 255));
    // The four sides of (0, 0)-(201, 161), one pixel wide, in black.
    const auto sides = dc.RecordsOf(RecordKind::FillRect);
    ASSERT_EQ(sides.size(), 4u);
    int minX = 1000, minY = 1000, maxX = -1, maxY = -1;
    for (const gdi::Record* s : sides) {
        EXPECT_EQ(s->args.at(5), static_cast<int>(gdi::RGB(0, 0, 0)));
        EXPECT_TRUE(s->args[2] - s->args[0] == 1 || s->args[3] - s->args[1] == 1);
        minX = std::min(minX, s->args[0]);
        minY = std::min(minY, s->args[1]);
        maxX = std::max(maxX, s->args[2]);
        maxY = std::max(maxY, s->args[3]);
    }
    EXPECT_EQ((std::vector<int>{minX, minY, maxX, maxY}), (std::vector<int>{0, 0, 201, 161}));
}

TEST(OrientationPreview, PlanViewAtZeroHasAHorizontalWallAndANormalPointingDown)
{
    gdi::RecordingDC dc;
    DrawOrientationPreview(dc, kClient, 0.0, true, true, nullptr);
    // Square of 160 shrunk by 15 on each side: R = 65 around (100, 80).
    const auto wall = SegmentsOf(dc, 4, gdi::RGB(0, 0, 0));
    ASSERT_EQ(wall.size(), 1u);
    EXPECT_EQ(wall[0].from, (Point{165, 80}));
    EXPECT_EQ(wall[0].to, (Point{35, 80}));
    const auto normal = SegmentsOf(dc, 2, gdi::RGB(64, 64, 64));
    ASSERT_EQ(normal.size(), 1u);
    EXPECT_EQ(normal[0].from, (Point{100, 80}));
    EXPECT_EQ(normal[0].to, (Point{100, 112}));
    // The two dotted axes through the middle, 2 pixels inside the edges.
    const auto axes = SegmentsOf(dc, 1, gdi::RGB(128, 128, 128));
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_EQ(axes[0].from, (Point{2, 80}));
    EXPECT_EQ(axes[0].to, (Point{198, 80}));
    EXPECT_EQ(axes[1].from, (Point{100, 2}));
    EXPECT_EQ(axes[1].to, (Point{100, 158}));
    EXPECT_EQ(axes[0].pen.style, gdi::PS_DOT);
}

TEST(OrientationPreview, AnglesTurnTheWallAndTheSouthernPlanViewMirrorsThem)
{
    gdi::RecordingDC vertical;
    DrawOrientationPreview(vertical, kClient, 90.0, true, true, nullptr);
    const auto wall = SegmentsOf(vertical, 4, gdi::RGB(0, 0, 0));
    ASSERT_EQ(wall.size(), 1u);
    EXPECT_EQ(wall[0].from, (Point{100, 145}));
    EXPECT_EQ(wall[0].to, (Point{100, 15}));

    gdi::RecordingDC north, south;
    DrawOrientationPreview(north, kClient, 30.0, true, true, nullptr);
    DrawOrientationPreview(south, kClient, 30.0, false, true, nullptr);
    const auto n = SegmentsOf(north, 4, gdi::RGB(0, 0, 0)).at(0);
    const auto s = SegmentsOf(south, 4, gdi::RGB(0, 0, 0)).at(0);
    EXPECT_EQ(n.from.x, s.from.x);
    EXPECT_EQ(n.from.y - 80, 80 - s.from.y);
    EXPECT_GT(n.from.y, 80);

    // In the side view the normal turns the other way: a + 90 degrees.
    gdi::RecordingDC side;
    DrawOrientationPreview(side, kClient, 0.0, true, false, nullptr);
    const auto normal = SegmentsOf(side, 2, gdi::RGB(64, 64, 64)).at(0);
    EXPECT_EQ(normal.to, (Point{100, 48}));
}

TEST(OrientationPreview, LabelsOfEachViewAndHemisphere)
{
    gdi::RecordingDC plan;
    DrawOrientationPreview(plan, kClient, 0.0, true, true, nullptr);
    EXPECT_EQ(plan.Texts(), (std::vector<std::string>{"Ouest", "Est", "Nord (Pôle)", "Sud (Méridien)"}));
    const gdi::Record* west = TextRecord(plan, "Ouest");
    ASSERT_NE(west, nullptr);
    EXPECT_EQ(west->points.at(0), (Point{2, 80}));
    EXPECT_EQ(west->textAlign, gdi::TA_LEFT | gdi::TA_BOTTOM);
    const gdi::Record* bottom = TextRecord(plan, "Sud (Méridien)");
    EXPECT_EQ(bottom->points.at(0), (Point{100, 158}));
    EXPECT_EQ(bottom->textAlign, gdi::TA_CENTER | gdi::TA_BOTTOM);

    gdi::RecordingDC planSouth;
    DrawOrientationPreview(planSouth, kClient, 0.0, false, true, nullptr);
    EXPECT_EQ(planSouth.Texts(), (std::vector<std::string>{"Est", "Ouest", "Sud (Pôle)", "Nord (Méridien)"}));

    gdi::RecordingDC side;
    DrawOrientationPreview(side, kClient, 0.0, true, false, nullptr);
    EXPECT_EQ(side.Texts(), (std::vector<std::string>{"Nord", "(Pôle)", "Sud", "(Méridien)", "Zénith"}));
    EXPECT_EQ(TextRecord(side, "(Pôle)")->points.at(0), (Point{2, 85}));
    EXPECT_EQ(TextRecord(side, "(Méridien)")->textAlign, gdi::TA_RIGHT | gdi::TA_TOP);

    gdi::RecordingDC sideSouth;
    DrawOrientationPreview(sideSouth, kClient, 0.0, false, false, nullptr);
    EXPECT_EQ(sideSouth.Texts(), (std::vector<std::string>{"Sud", "(Pôle)", "Nord", "(Méridien)", "Zénith"}));
}

TEST(OrientationPreview, LabelFontFromTheToolsOrALocalArialAndStateRestored)
{
    gdi::RecordingDC dc;
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BASELINE);
    DrawOrientationPreview(dc, kClient, 10.0, true, true, nullptr);
    const gdi::Record* label = TextRecord(dc, "Ouest");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font.faceName, "ARIAL");
    EXPECT_EQ(label->font.height, -9);
    EXPECT_EQ(dc.GetTextAlign(), gdi::TA_RIGHT | gdi::TA_BASELINE);
    EXPECT_EQ(dc.GetCurrentPen(), gdi::Pen{});
    EXPECT_EQ(dc.GetCurrentFont(), gdi::LogFont{});

    gdi::RecordingDC printer(gdi::DeviceCaps::Page(300, 210, 297), true);
    const CDrawingTools tools(printer, 96, 96);
    gdi::RecordingDC withTools;
    DrawOrientationPreview(withTools, kClient, 10.0, true, true, &tools);
    EXPECT_EQ(TextRecord(withTools, "Ouest")->font, tools.arial9);
}

TEST(ZodiacPreview, GlyphOfEachSignCentredInTheSymbolFont)
{
    const std::string glyphs[] = {"g", "h", "i", "^", "_", "`", "a", "b", "c", "d", "e", "f"};
    for (int sign = 0; sign < 12; ++sign) {
        EXPECT_EQ(ZodiacGlyph(sign), glyphs[sign]);
        gdi::RecordingDC dc;
        DrawZodiacSymbolPreview(dc, kClient, sign);
        const auto texts = dc.RecordsOf(RecordKind::DrawText);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0]->text, glyphs[sign]);
        EXPECT_EQ(texts[0]->font.faceName, "Wingdings");
        EXPECT_EQ(texts[0]->font.height, -48);
        EXPECT_EQ(texts[0]->args.back(), static_cast<int>(gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE));
    }
    gdi::RecordingDC unknown;
    DrawZodiacSymbolPreview(unknown, kClient, 12);
    EXPECT_EQ(unknown.Count(RecordKind::DrawText), 0);
    EXPECT_EQ(ZodiacGlyph(-1), "");
}

TEST(HorizonMaskPreview, GridAlone)
{
    const std::vector<CHorizonPoint> empty;
    for (const std::vector<CHorizonPoint>* points : {static_cast<const std::vector<CHorizonPoint>*>(nullptr), &empty}) {
        gdi::RecordingDC dc;
        DrawHorizonMaskPreview(dc, kClient, points);
        EXPECT_EQ(dc.Count(RecordKind::Polygon), 0);
        const auto grid = SegmentsOf(dc, 1, gdi::RGB(192, 192, 192));
        const auto meridian = SegmentsOf(dc, 1, gdi::RGB(0, 0, 0));
        EXPECT_EQ(grid.size(), 6u + 5u);
        ASSERT_EQ(meridian.size(), 1u);
        EXPECT_EQ(meridian[0].from, (Point{100, 0}));
        EXPECT_EQ(meridian[0].to, (Point{100, 159}));
        EXPECT_EQ(grid[0].from, (Point{100 - 75, 0}));
        EXPECT_EQ(grid[6].from, (Point{1, 160 - 26}));
        EXPECT_EQ(grid[10].to, (Point{199, 160 - 133}));
    }
}

TEST(HorizonMaskPreview, PolygonOfThePointsClosedOnTheFirst)
{
    const std::vector<CHorizonPoint> one{{90, 45}};
    gdi::RecordingDC single;
    DrawHorizonMaskPreview(single, kClient, &one);
    const auto polygons = single.RecordsOf(RecordKind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0]->points, (std::vector<Point>{{150, 80}, {150, 80}}));
    EXPECT_EQ(polygons[0]->brush, (gdi::Brush{gdi::BS_SOLID, gdi::RGB(128, 128, 128)}));
    EXPECT_EQ(polygons[0]->pen, (gdi::Pen{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)}));

    const std::vector<CHorizonPoint> ridge{{-180, 0}, {-30, 10}, {45, 30}, {180, 0}};
    gdi::RecordingDC dc;
    DrawHorizonMaskPreview(dc, kClient, &ridge);
    EXPECT_EQ(dc.RecordsOf(RecordKind::Polygon).at(0)->points,
              (std::vector<Point>{{0, 160}, {83, 143}, {125, 107}, {200, 160}, {0, 160}}));
    EXPECT_EQ(dc.GetCurrentBrush(), gdi::Brush{});
}

TEST(PositionPreview, CrossAndGuidesAtThePercentages)
{
    gdi::RecordingDC corner;
    DrawPositionPreview(corner, kClient, 0, 0);
    const auto cross = SegmentsOf(corner, 2, gdi::RGB(0, 0, 0));
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_EQ(cross[0].from, (Point{-5, 0}));
    EXPECT_EQ(cross[0].to, (Point{5, 0}));
    EXPECT_EQ(cross[1].from, (Point{0, -5}));
    EXPECT_EQ(cross[1].to, (Point{0, 5}));

    gdi::RecordingDC dc;
    DrawPositionPreview(dc, kClient, 25, 75);
    const auto guides = SegmentsOf(dc, 1, gdi::RGB(128, 128, 128));
    ASSERT_EQ(guides.size(), 2u);
    EXPECT_EQ(guides[0].from, (Point{50, 0}));
    EXPECT_EQ(guides[0].to, (Point{50, 120}));
    EXPECT_EQ(guides[1].from, (Point{0, 120}));
    EXPECT_EQ(guides[1].to, (Point{50, 120}));
    EXPECT_EQ(guides[0].pen.style, gdi::PS_DOT);
    EXPECT_EQ(SegmentsOf(dc, 2, gdi::RGB(0, 0, 0)).at(0).from, (Point{45, 120}));
}

TEST(ColorSwatch, FilledWithTheColourAndOutlinedInsideItsEdges)
{
    gdi::RecordingDC dc;
    DrawColorSwatch(dc, {10, 20, 50, 40}, gdi::RGB(12, 34, 56));
    const auto fills = dc.RecordsOf(RecordKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->args, (std::vector<int>{10, 20, 50, 40, gdi::BS_SOLID, static_cast<int>(gdi::RGB(12, 34, 56))}));
    const auto outline = dc.RecordsOf(RecordKind::Polyline);
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0]->points, (std::vector<Point>{{10, 20}, {49, 20}, {49, 39}, {10, 39}, {10, 20}}));
    EXPECT_EQ(outline[0]->pen, gdi::StockPen(gdi::BLACK_PEN));
}
