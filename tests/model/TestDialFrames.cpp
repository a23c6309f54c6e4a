// The style anchor of the dial and the page frames it owns: anchoring modes after a
// resize, page and anchor coordinates, hit tests, marking, deleting, moving, and where each
// anchoring kind puts a frame.
#include "DialTestSupport.h"
#include "docview/CObjetCadre.h"
#include "model/Astronomy.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

CObjetCadre* AddFrame(CCadran& dial, int x, int y, int w, int h, int anchoring = CObjetCadre::kAnchorFollowDial)
{
    auto frame = std::make_unique<CObjetCadre>();
    frame->SetPosition(x, y, x + w, y + h);
    frame->anchoring = anchoring;
    dial.frames.push_back(std::move(frame));
    return dial.frames.back().get();
}

TEST(DialAnchor, ModesAfterAResize)
{
    CTestDial dial;
    dial.width = 100;
    dial.height = 200;
    dial.SetStyleAnchorPercent(50, 30);
    EXPECT_EQ(dial.anchorX, 50);
    EXPECT_EQ(dial.anchorY, 60);

    // Mode 2 keeps the distance from the top left corner in millimetres.
    dial.width = 160;
    dial.height = 180;
    dial.UpdateStyleAnchor(2);
    EXPECT_EQ(dial.anchorX, 50);
    EXPECT_EQ(dial.anchorY, 60);
    EXPECT_EQ(dial.anchorPercentX, 31);
    EXPECT_EQ(dial.anchorPercentY, 33);

    // The default mode keeps the percentages.
    dial.width = 200;
    dial.height = 100;
    dial.UpdateStyleAnchor();
    EXPECT_EQ(dial.anchorPercentX, 31);
    EXPECT_EQ(dial.anchorPercentY, 33);
    EXPECT_EQ(dial.anchorX, 62);
    EXPECT_EQ(dial.anchorY, 33);

    // -1 follows the dial's anchoring mode.
    dial.anchoringMode = 2;
    dial.width = 400;
    dial.UpdateStyleAnchor(-1);
    EXPECT_EQ(dial.anchorX, 62);
    EXPECT_EQ(dial.anchorPercentX, 15);
}

TEST(DialAnchor, ModeThreeMovesTheAnchorByTheCentreOffset)
{
    CTestDial dial;
    dial.width = 200;
    dial.height = 100;
    dial.SetStyleAnchorPercent(50, 50);
    // No offset: A stays on B, at the same distance from the corner; the percentages follow
    // the new width, as in mode 2.
    dial.width = 300;
    dial.UpdateStyleAnchor(3);
    EXPECT_EQ(dial.anchorX, 100);
    EXPECT_EQ(dial.anchorPercentX, 33);

    // Offset in tenths of a millimetre, y up: the anchor moves against it.
    // Point B stays where it was: calling again (every Ctrl+ or OK of the Dimensions
    // dialog does) with the same dimensions moves nothing.
    dial.centreDx = -253;
    dial.centreDy = 118;
    for (int call = 0; call < 3; ++call) {
        dial.UpdateStyleAnchor(3);
        EXPECT_EQ(dial.anchorX, 125) << call;
        EXPECT_EQ(dial.anchorY, 62) << call;
        EXPECT_EQ(dial.anchorPercentX, 41) << call;
        EXPECT_EQ(dial.anchorPercentY, 62) << call;
    }
    // A taller style moves the anchor by the change of the offset only.
    dial.centreDy = 218;
    dial.UpdateStyleAnchor(3);
    dial.UpdateStyleAnchor(3);
    EXPECT_EQ(dial.anchorX, 125);
    EXPECT_EQ(dial.anchorY, 72);
    // An offset back to (0, 0) puts A back on B.
    dial.centreDx = 0;
    dial.centreDy = 0;
    dial.UpdateStyleAnchor(3);
    EXPECT_EQ(dial.anchorX, 100);
    EXPECT_EQ(dial.anchorY, 50);
}

TEST(DialAnchor, DialWithoutWidthOrHeightKeepsItsPercentages)
{
    CTestDial dial;
    dial.width = 0;
    dial.height = 0;
    dial.SetStyleAnchorPosition(10, 20);
    EXPECT_EQ(dial.anchorPercentX, 50);
    EXPECT_EQ(dial.anchorPercentY, 30);
    dial.UpdateStyleAnchor(2);
    dial.centreDx = 50;
    dial.UpdateStyleAnchor(3);
    EXPECT_EQ(dial.anchorX, 5);
    EXPECT_EQ(dial.anchorPercentX, 50);
    dial.height = 40;
    dial.UpdateStyleAnchor(2);
    EXPECT_EQ(dial.anchorPercentX, 50);
    EXPECT_EQ(dial.anchorPercentY, 50);
}

TEST(DialAnchor, StyleHeightMovesOnlyFramesThatFollowTheDrawing)
{
    CTestDial dial;
    dial.styleHeight = 40;
    CObjetCadre* follows = AddFrame(dial, 30, -50, 100, 40);
    CObjetCadre* fixed = AddFrame(dial, 30, -50, 100, 40, CObjetCadre::kAnchorTop);
    dial.SetStyleHeight(60);
    EXPECT_EQ(follows->GetRect(), (gdi::Rect{45, -75, 145, -35}));
    EXPECT_EQ(fixed->GetRect(), (gdi::Rect{30, -50, 130, -10}));
    // From a height of 0 there is no ratio: the frames stay.
    dial.styleHeight = 0;
    dial.SetStyleHeight(25);
    EXPECT_EQ(dial.styleHeight, 25);
    EXPECT_EQ(follows->GetRect(), (gdi::Rect{45, -75, 145, -35}));
}

TEST(DialAnchor, PageAndAnchorCoordinates)
{
    CTestDial dial;
    dial.SetDialRect(100, 50, 300, 250);
    dial.marginX = 10;
    dial.marginY = 20;
    EXPECT_EQ(dial.GetInnerRect(), (gdi::Rect{110, 70, 290, 230}));
    EXPECT_EQ(dial.GetAnchorPoint(), (gdi::Point{200, 118}));
    int x = 0, y = 0;
    dial.GetStyleAnchorPoint(110, 70, 290, 230, x, y);
    EXPECT_EQ((gdi::Point{x, y}), dial.GetAnchorPoint());

    gdi::Point p{205, 100};
    dial.PointToAnchorCoords(p);
    EXPECT_EQ(p, (gdi::Point{5, -18}));
    dial.PointFromAnchorCoords(p);
    EXPECT_EQ(p, (gdi::Point{205, 100}));
    gdi::Rect r{200, 118, 240, 150};
    dial.RectToAnchorCoords(r);
    EXPECT_EQ(r, (gdi::Rect{0, 0, 40, 32}));
    dial.RectFromAnchorCoords(r);
    EXPECT_EQ(r, (gdi::Rect{200, 118, 240, 150}));
}

class DialFrames : public ::testing::Test {
protected:
    void SetUp() override
    {
        dial.SetDialRect(100, 50, 300, 250);
        dial.marginX = 10;
        dial.marginY = 20;  // anchor point (200, 118)
        a = AddFrame(dial, -50, -40, 60, 30);
        b = AddFrame(dial, 0, -20, 60, 30);
    }
    CTestDial dial;
    CObjetCadre* a = nullptr;
    CObjetCadre* b = nullptr;
};

TEST_F(DialFrames, HitTestWorksInPageCoordinatesAndTheFirstFrameWins)
{
    int zone = -1;
    EXPECT_EQ(dial.HitTestFrames({170, 98}, zone), a);  // (-30, -20): inside both, a first
    EXPECT_EQ(zone, 9);
    EXPECT_EQ(dial.HitTestFrames({260, 128}, zone), b);  // (60, 10): b's bottom right corner
    EXPECT_EQ(zone, 5);
    EXPECT_EQ(dial.HitTestFrames({100, 240}, zone), nullptr);
    EXPECT_EQ(zone, 0);
}

TEST_F(DialFrames, MarkedFramesAreFoundAndDeletedOnlyWhenDeletable)
{
    EXPECT_EQ(dial.FindMarkedFrame(false), nullptr);
    EXPECT_FALSE(dial.DeleteMarkedFrame(true));
    b->active = 1;
    a->selected = 1;
    EXPECT_EQ(dial.FindMarkedFrame(true), b);
    EXPECT_EQ(dial.FindMarkedFrame(false), a);

    a->deletable = 0;
    EXPECT_FALSE(dial.DeleteMarkedFrame(false));
    EXPECT_EQ(dial.frames.size(), 2u);
    EXPECT_TRUE(dial.DeleteMarkedFrame(true));
    ASSERT_EQ(dial.frames.size(), 1u);
    EXPECT_EQ(dial.frames[0].get(), a);
}

TEST_F(DialFrames, OffsetMovesEveryFrameByAShareOfTheInnerRectangle)
{
    dial.OffsetFrames(10, -5);  // inner rectangle 180 x 160
    EXPECT_EQ(a->GetRect(), (gdi::Rect{-32, -48, 28, -18}));
    EXPECT_EQ(b->GetRect(), (gdi::Rect{18, -28, 78, 2}));
}

TEST_F(DialFrames, EachPassDrawsItsOwnLayer)
{
    a->layer = 0;
    gdi::RecordingDC dc;
    dial.DrawFrameObjects(dc, dial.dialRect, 0);
    auto rects = dc.RecordsOf(gdi::RecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->args, (std::vector<int>{150, 78, 210, 108}));
    dc.Clear();
    dial.DrawFrameObjects(dc, dial.dialRect, 1);
    rects = dc.RecordsOf(gdi::RecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->args, (std::vector<int>{200, 98, 260, 128}));
}

TEST_F(DialFrames, AnchoringKindsPlaceFramesAtOtherScales)
{
    gdi::RecordingDC dc;
    const gdi::Rect page = dial.dialRect;
    const gdi::Point anchor = dial.GetAnchorPoint();
    CObjetCadre frame;
    frame.SetPosition(10, -20, 70, 10);
    // At scale 1 every kind lies where the mouse put it: anchor + offset.
    for (int kind = 1; kind <= 6; ++kind) {
        frame.anchoring = kind;
        EXPECT_EQ(dial.ResolveFramePosition(frame, anchor, page, dc), (gdi::Point{210, 98})) << kind;
    }
    // At scale 2 a frame keeps its scale-1 distance from its edge, and follows the drawing
    // along it.
    dial.scale = 2.0;
    struct Case {
        int kind;
        gdi::Point where;
    };
    for (const Case& c : {Case{1, {220, 64}}, Case{2, {220, 78}}, Case{3, {220, 164}}, Case{4, {160, 78}},
                          Case{5, {260, 78}}, Case{6, {160, 64}}}) {
        frame.anchoring = c.kind;
        EXPECT_EQ(dial.ResolveFramePosition(frame, anchor, page, dc), c.where) << c.kind;
    }
}

}  // namespace
