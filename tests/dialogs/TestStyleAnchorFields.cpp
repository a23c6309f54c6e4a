#include "dialogs/StyleAnchorFields.h"

#include "docview/CObjetTexte.h"
#include "model/CCadranEquatorial.h"
#include "model/CCadranHorizontal.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

StyleAnchorFields Fields(int offsetX, int offsetY)
{
    StyleAnchorFields f;
    f.width = 200.0;
    f.height = 100.0;
    f.offsetX = offsetX;
    f.offsetY = offsetY;
    return f;
}

std::unique_ptr<CCadranHorizontal> Dial(int anchoringMode)
{
    auto dial = std::make_unique<CCadranHorizontal>();
    dial->SetSite(47.0, 0.0, 0.0);
    dial->styleHeight = 30;
    dial->width = 160;
    dial->height = 180;
    dial->anchoringMode = anchoringMode;
    dial->SetStyleAnchorPercent(45, 27);
    dial->SetDialRect(0, 0, 605, 680);
    return dial;
}

}  // namespace

TEST(StyleAnchorFields, EachRuleKeepsAPercentagesAndBTogether)
{
    // B lies 25 mm below A and 12 mm to its right (offsets in tenths, y up).
    StyleAnchorFields f = Fields(120, -250);
    f.ax = 50.0;
    f.ay = 20.0;
    f.FromPointA();
    EXPECT_DOUBLE_EQ(f.percentX, 25.0);
    EXPECT_DOUBLE_EQ(f.percentY, 20.0);
    EXPECT_DOUBLE_EQ(f.bx, 62.0);
    EXPECT_DOUBLE_EQ(f.by, 45.0);

    f.percentX = 40.0;
    f.percentY = 50.0;
    f.FromPercent();
    EXPECT_DOUBLE_EQ(f.ax, 80.0);
    EXPECT_DOUBLE_EQ(f.ay, 50.0);
    EXPECT_DOUBLE_EQ(f.bx, 92.0);
    EXPECT_DOUBLE_EQ(f.by, 75.0);

    const double oldBx = f.bx;
    const double oldBy = f.by;
    f.bx = 102.0;
    f.by = 70.0;
    f.FromPointB(oldBx, oldBy);
    EXPECT_DOUBLE_EQ(f.ax, 90.0);
    EXPECT_DOUBLE_EQ(f.ay, 45.0);
    EXPECT_DOUBLE_EQ(f.percentX, 45.0);
    EXPECT_DOUBLE_EQ(f.percentY, 45.0);
}

TEST(StyleAnchorFields, WithoutPointBOnlyAMovesAndADialOfNoSizeKeepsItsPercentages)
{
    StyleAnchorFields f = Fields(0, 0);
    f.bx = 7.0;
    f.by = 8.0;
    f.ax = 10.0;
    f.FromPointA();
    EXPECT_FALSE(f.HasPointB());
    EXPECT_EQ(f.bx, 7.0);
    f.bx = 30.0;
    f.FromPointB(7.0, 8.0);
    EXPECT_EQ(f.ax, 10.0);

    StyleAnchorFields flat = Fields(0, 0);
    flat.width = 0.0;
    flat.percentX = 33.0;
    flat.ax = 12.0;
    flat.FromPointA();
    EXPECT_EQ(flat.percentX, 33.0);
}

TEST(StyleAnchorFields, OkWithoutAChangeLeavesTheAnchorWhereItWasInEveryMode)
{
    for (int mode : {1, 2, 3}) {
        SCOPED_TRACE(mode);
        auto dial = Dial(mode);
        dial->anchorX = 72;  // what a resize in absolute mode leaves
        dial->anchorY = 49;
        const int percentX = dial->anchorPercentX;
        const int percentY = dial->anchorPercentY;
        const StyleAnchorFields f = StyleAnchorFromDial(*dial);
        EXPECT_EQ(f.mode, mode - 1);
        ApplyStyleAnchorToDial(f, *dial);
        EXPECT_EQ(dial->anchoringMode, mode);
        EXPECT_EQ(dial->anchorPercentX, percentX);
        EXPECT_EQ(dial->anchorPercentY, percentY);
        if (mode == 1) {
            EXPECT_EQ(dial->anchorX, 72);  // 160 x 45 %
            EXPECT_EQ(dial->anchorY, 48);  // 180 x 27 %
        } else {
            EXPECT_EQ(dial->anchorX, 72);
            EXPECT_EQ(dial->anchorY, 49);
        }
    }
}

TEST(StyleAnchorFields, ThePointBOfTheDialComesFromItsCentreOffset)
{
    auto dial = Dial(1);
    int dx = 0, dy = 0;
    dial->GetCentreOffset(dx, dy);
    ASSERT_NE(dy, 0);
    const StyleAnchorFields f = StyleAnchorFromDial(*dial);
    EXPECT_TRUE(f.HasPointB());
    EXPECT_DOUBLE_EQ(f.ax, 72.0);
    EXPECT_DOUBLE_EQ(f.by, f.ay - dy / 10.0);

    CCadranEquatorial equatorial;
    equatorial.width = 100;
    equatorial.height = 100;
    EXPECT_FALSE(StyleAnchorFromDial(equatorial).HasPointB());
}

TEST(StyleAnchorFields, FramesMoveWithTheAnchorOnceAndKeepTheirOffsetFromIt)
{
    auto dial = Dial(1);
    auto frame = std::make_unique<CObjetTexte>();
    frame->x = 20;
    frame->y = -15;
    dial->frames.push_back(std::move(frame));
    const gdi::Point before = dial->GetAnchorPoint();

    StyleAnchorFields f = StyleAnchorFromDial(*dial);
    f.percentX = 55.0;
    f.percentY = 37.0;
    f.FromPercent();
    ApplyStyleAnchorToDial(f, *dial);

    const gdi::Point after = dial->GetAnchorPoint();
    const gdi::Rect inner = dial->GetInnerRect();
    // The anchor moved by the change of the percentages...
    EXPECT_EQ(after.x - before.x, inner.Width() * 55 / 100 - inner.Width() * 45 / 100);
    EXPECT_EQ(after.y - before.y, inner.Height() * 37 / 100 - inner.Height() * 27 / 100);
    // ...and the frame, kept relative to it, moved with it and no further.
    EXPECT_EQ(dial->frames[0]->x, 20);
    EXPECT_EQ(dial->frames[0]->y, -15);
}

TEST(StyleAnchorFields, AbsoluteModesStoreThePositionOfA)
{
    auto dial = Dial(1);
    StyleAnchorFields f = StyleAnchorFromDial(*dial);
    f.mode = 2;
    f.ax = 80.4;
    f.ay = 90.6;
    ApplyStyleAnchorToDial(f, *dial);
    EXPECT_EQ(dial->anchoringMode, 3);
    EXPECT_EQ(dial->anchorX, 80);
    EXPECT_EQ(dial->anchorY, 91);
    EXPECT_EQ(dial->anchorPercentX, 50);
    EXPECT_EQ(dial->anchorPercentY, 50);
    EXPECT_EQ(DialSizeText(*dial), "Taille du cadran :\n160 mm x 180 mm");
}
