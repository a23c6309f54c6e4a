// Editing in the view without a display: hovering, selecting and dragging frames through
// each zone (aspect kept at the corners, sizes and the sheet's edges as limits, slow drags
// at a dial scale), double and right clicks, the keys on the dial, its style and anchor,
// the noon-mark hour and scrolling, and the view's device/logical conversions.
#include "DocTestSupport.h"
#include "ViewTestSupport.h"

#include "app/Accessors.h"
#include "docview/CHoravelView.h"
#include "docview/CObjetCadre.h"
#include "docview/ColorTable.h"
#include "docview/FramePlacement.h"
#include "docview/ViewEditing.h"
#include "docview/ViewWindow.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranHorizontal.h"
#include "platform/ScreenDC.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class EditWindow : public ViewWindow {
public:
    gdi::Point scroll;
    std::vector<gdi::Rect> repaints;
    int wholeRepaints = 0;
    ViewCursor cursor = ViewCursor::Arrow;
    std::vector<std::pair<ScrollStep, ScrollStep>> scrolls;

    gdi::Size ClientSize() const override { return {800, 600}; }
    void SetScrollSizes(gdi::Size, gdi::Size, gdi::Size) override {}
    void Invalidate(bool) override { ++wholeRepaints; }
    void ScheduleDeferred() override {}
    bool IsEphemerisToolBarShown() const override { return false; }
    void ToggleEphemerisToolBar() override {}
    void Print() override {}
    void PrintPreview() override {}
    gdi::Point ScrollPosition() const override { return scroll; }
    void InvalidateRect(const gdi::Rect& r, bool) override { repaints.push_back(r); }
    void SetCursor(ViewCursor c) override { cursor = c; }
    void Scroll(ScrollStep h, ScrollStep v) override { scrolls.emplace_back(h, v); }
};

// A frame whose properties dialog is answered by the test.
class EditableFrame : public CObjetCadre {
public:
    int answer = 0;
    int edits = 0;
    int EditProperties() override
    {
        ++edits;
        return answer;
    }
};

class ViewEditingTest : public ViewFixture<EditWindow> {
protected:
    void TearDown() override
    {
        ViewFixture::TearDown();
        CObjetCadre::SetContextMenuHook(nullptr);
    }

    ViewEditing& Edit() { return view_->Editing(); }

    // A horizontal dial of the given size (mm), laid out in the scale drawing.
    template <class Dial = CCadranHorizontal>
    Dial& PutDial(int widthMm = 150, int heightMm = 150)
    {
        auto dial = std::make_unique<Dial>();
        dial->SetTypeAndPlane(1, 0.0, 0.0);
        dial->width = widthMm;
        dial->height = heightMm;
        dial->SetStyleAnchorPercent(50, 30);
        Dial& ref = *dial;
        Doc().SetDial(std::move(dial));
        view_->RecalcLayout(1);
        Doc().SetModifiedFlag(false);
        return ref;
    }

    // A frame at (x, y) from the style anchor, of the given size.
    template <class Frame = CObjetCadre>
    Frame& AddFrame(int x, int y, int w, int h)
    {
        auto frame = std::make_unique<Frame>();
        frame->SetPosition(x, y, x + w, y + h);
        Frame& ref = *frame;
        Doc().GetDial()->frames.push_back(std::move(frame));
        return ref;
    }

    // Where a point of a frame (relative to the style anchor) is on the client area, at
    // zoom 1 and scale 1 with the window's scroll offset.
    gdi::Point At(int x, int y)
    {
        const gdi::Point a = Doc().GetDial()->GetAnchorPoint();
        return {a.x + x - window_.scroll.x, a.y + y - window_.scroll.y};
    }

    void Drag(gdi::Point from, gdi::Point to)
    {
        Edit().OnMouseMove(from);
        Edit().OnLButtonDown(from);
        Edit().OnMouseMove(to);
        Edit().OnLButtonUp(to);
    }

};

TEST_F(ViewEditingTest, HoverMakesAFrameActiveUntilTheMouseLeavesUnlessSelected)
{
    PutDial();
    CObjetCadre& a = AddFrame(0, 0, 100, 50);
    CObjetCadre& b = AddFrame(0, 200, 100, 50);

    Edit().OnMouseMove(At(50, 25));
    EXPECT_EQ(a.active, 1);
    EXPECT_EQ(window_.cursor, ViewCursor::SizeAll);
    EXPECT_FALSE(window_.repaints.empty());
    // Each handle shows its own cursor.
    const std::pair<gdi::Point, ViewCursor> handles[] = {
        {At(0, 0), ViewCursor::SizeNWSE},  {At(50, 0), ViewCursor::SizeNS},   {At(100, 0), ViewCursor::SizeNESW},
        {At(100, 25), ViewCursor::SizeWE}, {At(100, 50), ViewCursor::SizeNWSE}, {At(50, 50), ViewCursor::SizeNS},
        {At(0, 50), ViewCursor::SizeNESW}, {At(0, 25), ViewCursor::SizeWE},
    };
    for (const auto& [point, cursor] : handles) {
        Edit().OnMouseMove(point);
        EXPECT_EQ(window_.cursor, cursor) << point.x << ", " << point.y;
    }

    // From one frame to the other, the active flag follows.
    Edit().OnMouseMove(At(50, 225));
    EXPECT_EQ(a.active, 0);
    EXPECT_EQ(b.active, 1);
    Edit().OnMouseMove(At(300, 400));
    EXPECT_EQ(b.active, 0);
    EXPECT_EQ(window_.cursor, ViewCursor::Arrow);

    // A selected frame stays active when the mouse leaves it, and another is not taken up.
    Edit().OnMouseMove(At(50, 25));
    Edit().OnLButtonDown(At(50, 25));
    Edit().OnLButtonUp(At(50, 25));
    EXPECT_EQ(a.selected, 1);
    Edit().OnMouseMove(At(50, 225));
    EXPECT_EQ(a.active, 1);
    EXPECT_EQ(b.active, 0);
    EXPECT_EQ(window_.cursor, ViewCursor::SizeAll);

    // Outside the scale drawing the mouse changes nothing.
    view_->SetDisplayMode(3);
    Edit().OnMouseMove(At(300, 400));
    Edit().OnLButtonDown(At(50, 225));
    EXPECT_EQ(a.active, 1);
    EXPECT_EQ(b.active, 0);
    EXPECT_EQ(Edit().DragZone(), 0);
}

TEST_F(ViewEditingTest, ClicksSelectOneFrameAndClickingBesideLetsGoInTwoSteps)
{
    PutDial();
    CObjetCadre& a = AddFrame(0, 0, 100, 50);
    CObjetCadre& b = AddFrame(0, 200, 100, 50);

    Edit().OnMouseMove(At(50, 25));
    Edit().OnLButtonDown(At(50, 25));
    EXPECT_EQ(Edit().DragZone(), 9);
    Edit().OnLButtonUp(At(50, 25));
    EXPECT_EQ(Edit().DragZone(), 0);
    EXPECT_EQ(a.selected, 1);

    // Pressing the other frame takes both flags from the first.
    Edit().OnMouseMove(At(50, 225));
    Edit().OnLButtonDown(At(50, 225));
    EXPECT_EQ(a.selected, 0);
    EXPECT_EQ(a.active, 0);
    EXPECT_EQ(b.active, 1);
    Edit().OnLButtonUp(At(50, 225));
    EXPECT_EQ(b.selected, 1);

    // Beside every frame: the first click ends the active state, the second the selection.
    Edit().OnLButtonUp(At(300, 400));
    EXPECT_EQ(b.active, 0);
    EXPECT_EQ(b.selected, 1);
    Edit().OnLButtonUp(At(300, 400));
    EXPECT_EQ(b.selected, 0);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(ViewEditingTest, DraggingTheMiddleMovesTheFrameAndRepaintsBothPlaces)
{
    PutDial();
    CObjetCadre& frame = AddFrame(-50, 0, 100, 50);
    window_.scroll = {20, 30};  // points are taken through the scroll offset

    Edit().OnMouseMove(At(0, 25));
    Edit().OnLButtonDown(At(0, 25));
    window_.repaints.clear();
    Edit().OnMouseMove(At(30, 45));
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{-20, 20, 80, 70}));
    EXPECT_EQ(Edit().LastDragPoint(), view_->DeviceToLogical(At(30, 45)));
    EXPECT_EQ(window_.cursor, ViewCursor::SizeAll);
    // The place it left and the place it took, in client coordinates.
    ASSERT_EQ(window_.repaints.size(), 2u);
    EXPECT_LE(window_.repaints[0].left, At(-50, 0).x - 2);
    EXPECT_LE(window_.repaints[1].left, At(-20, 0).x - 2);
    EXPECT_GE(window_.repaints[1].bottom, At(0, 70).y + 2);
    Edit().OnLButtonUp(At(30, 45));
    EXPECT_EQ(frame.selected, 1);
    EXPECT_TRUE(Doc().IsModified());

    // The drag is over: moving the mouse again moves nothing.
    Edit().OnMouseMove(At(60, 45));
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{-20, 20, 80, 70}));
}

TEST_F(ViewEditingTest, CornersKeepTheAspectAndSidesMoveOneEdge)
{
    PutDial();
    CObjetCadre& frame = AddFrame(0, 0, 100, 50);
    const struct {
        int zone, dx, dy;
        gdi::Rect expected;
    } cases[] = {
        // (+5, -10) at the top left is driven by x: the top follows by 5 x 50 / 100.
        {1, 5, -10, {5, 2, 100, 50}},
        {1, -3, -10, {-20, -10, 100, 50}},   // y drives: left by -10 x 100 / 50
        {3, 10, 2, {0, -5, 110, 50}},         // x drives: top goes up by 10 x 50 / 100
        {3, 0, 4, {0, 4, 92, 50}},            // y drives: right comes in by 4 x 100 / 50
        {5, 20, 0, {0, 0, 120, 60}},
        {5, -1, -3, {0, 0, 94, 47}},          // dx < 0 but not below dy: y drives
        {7, -10, 0, {-10, 0, 100, 55}},
        {7, 0, 10, {-20, 0, 100, 60}},
        {2, 7, -6, {0, -6, 100, 50}},
        {4, 7, -6, {0, 0, 107, 50}},
        {6, 7, -6, {0, 0, 100, 44}},
        {8, 7, -6, {7, 0, 100, 50}},
        {9, 7, -6, {7, -6, 107, 44}},
    };
    for (const auto& c : cases) {
        frame.SetPosition(0, 0, 100, 50);
        Edit().MoveResizeFrame(&frame, c.dx, c.dy, c.zone);
        EXPECT_EQ(frame.GetRect(), c.expected) << "zone " << c.zone << " by (" << c.dx << ", " << c.dy << ")";
    }

    // Zones outside 1..9 and missing frames do nothing.
    frame.SetPosition(0, 0, 100, 50);
    Edit().MoveResizeFrame(&frame, 5, 5, 0);
    Edit().MoveResizeFrame(&frame, 5, 5, 10);
    Edit().MoveResizeFrame(nullptr, 5, 5, 9);
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{0, 0, 100, 50}));
}

TEST_F(ViewEditingTest, ResizesBelowFifteenOrInsideOutAreRefused)
{
    PutDial();
    CObjetCadre& frame = AddFrame(0, 0, 100, 50);

    Edit().MoveResizeFrame(&frame, -86, 0, 4);  // 14 wide
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{0, 0, 100, 50}));
    Edit().MoveResizeFrame(&frame, -85, 0, 4);  // 15 wide
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{0, 0, 15, 50}));
    Edit().MoveResizeFrame(&frame, 0, 60, 2);  // top below the bottom
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{0, 0, 15, 50}));
    Edit().MoveResizeFrame(&frame, 0, -40, 6);  // 10 high
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{0, 0, 15, 50}));

    // A frame already smaller (an old document's) still moves and grows, but does not shrink.
    frame.SetPosition(0, 0, 8, 0);
    Edit().MoveResizeFrame(&frame, 10, 10, 9);
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{10, 10, 18, 10}));
    Edit().MoveResizeFrame(&frame, 20, 0, 4);
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{10, 10, 38, 10}));
    Edit().MoveResizeFrame(&frame, -2, 0, 4);
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{10, 10, 36, 10}));
    // A corner of a frame of no height cannot keep an aspect: the driving edge moves alone.
    Edit().MoveResizeFrame(&frame, 0, 5, 5);
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{10, 10, 36, 15}));
}

TEST_F(ViewEditingTest, AMoveLeavesEnoughOfTheFrameOnTheSheetToTakeItAgain)
{
    CCadran& dial = PutDial();
    CObjetCadre& frame = AddFrame(0, 0, 100, 50);
    const gdi::Point anchor = dial.GetAnchorPoint();
    const int toLeftEdge = dial.dialRect.left - anchor.x;  // frame units at scale 1

    // Far off to the left and down a little: the left part is refused, the frame slides.
    Edit().MoveResizeFrame(&frame, toLeftEdge - 500, 10, 9);
    EXPECT_EQ(frame.GetRect(), (gdi::Rect{0, 10, 100, 60}));
    // Up to the limit it goes.
    Edit().MoveResizeFrame(&frame, toLeftEdge - 100 + ViewEditing::kKeepOnSheet, 0, 9);
    EXPECT_EQ(frame.x, toLeftEdge - 100 + ViewEditing::kKeepOnSheet);
    Edit().MoveResizeFrame(&frame, -1, 0, 9);
    EXPECT_EQ(frame.x, toLeftEdge - 100 + ViewEditing::kKeepOnSheet);

    // One left off the sheet by an old document comes back, step by step.
    frame.SetPosition(toLeftEdge - 300, 0, toLeftEdge - 200, 50);
    Edit().MoveResizeFrame(&frame, 50, 0, 9);
    EXPECT_EQ(frame.x, toLeftEdge - 250);
    Edit().MoveResizeFrame(&frame, -10, 0, 9);
    EXPECT_EQ(frame.x, toLeftEdge - 250);
}

TEST_F(ViewEditingTest, SlowDragsAtADialScaleAddUp)
{
    CCadran& dial = PutDial();
    dial.scale = 3.0;  // one frame unit is three pixels
    view_->RecalcLayout(1);
    CObjetCadre& frame = AddFrame(0, 0, 100, 50);
    const gdi::Point a = dial.GetAnchorPoint();
    gdi::Point p{a.x + 150, a.y + 75};  // the middle of the drawn frame

    Edit().OnMouseMove(p);
    Edit().OnLButtonDown(p);
    ASSERT_EQ(Edit().DragZone(), 9);
    for (int i = 0; i < 10; ++i) {
        ++p.x;
        Edit().OnMouseMove(p);
    }
    EXPECT_EQ(frame.x, 3);  // 10 pixels: 3 units, 1 pixel left over
    p.x += 2;
    Edit().OnMouseMove(p);
    EXPECT_EQ(frame.x, 4);
    for (int i = 0; i < 6; ++i) {
        --p.y;
        Edit().OnMouseMove(p);
    }
    EXPECT_EQ(frame.y, -2);
    Edit().OnLButtonUp(p);

    // Fixed to the top edge, it moves down with the mouse pixel for pixel, across at the scale.
    frame.anchoring = CObjetCadre::kAnchorTop;
    frame.selected = 0;
    const gdi::Rect drawn = FrameDrawRect(dial, frame, *CreateScreenCompatibleDC(96, 96), a, dial.dialRect);
    p = {(drawn.left + drawn.right) / 2, (drawn.top + drawn.bottom) / 2};
    const gdi::Rect start = frame.GetRect();
    Edit().OnMouseMove(p);
    Edit().OnLButtonDown(p);
    ASSERT_EQ(Edit().DragZone(), 9);
    Edit().OnMouseMove({p.x + 30, p.y + 30});
    Edit().OnLButtonUp({p.x + 30, p.y + 30});
    EXPECT_EQ(frame.x, start.left + 10);
    EXPECT_EQ(frame.y, start.top + 30);
}

TEST_F(ViewEditingTest, DoubleAndRightClicks)
{
    PutDial();
    auto& text = AddFrame<EditableFrame>(0, 0, 100, 50);
    CObjetCadre& other = AddFrame(0, 200, 100, 50);
    text.contextMenu = 190;

    // Cancelled, the frame is not repainted nor the document changed.
    window_.repaints.clear();
    Edit().OnLButtonDblClk(At(50, 25));
    EXPECT_EQ(text.edits, 1);
    EXPECT_TRUE(window_.repaints.empty());
    text.answer = 1;
    Edit().OnLButtonDblClk(At(50, 25));
    EXPECT_EQ(text.edits, 2);
    EXPECT_FALSE(window_.repaints.empty());
    EXPECT_TRUE(Doc().IsModified());
    Edit().OnLButtonDblClk(At(300, 400));
    EXPECT_EQ(text.edits, 2);

    // The right button makes the frame active in place of the other, then shows its menu
    // at the screen point.
    int shownMenu = 0;
    gdi::Point shownAt;
    CObjetCadre::SetContextMenuHook([&](int id, int x, int y) {
        shownMenu = id;
        shownAt = {x, y};
    });
    other.active = 1;
    text.active = 0;
    Edit().OnRButtonDown(At(50, 25), {1234, 567});
    EXPECT_EQ(other.active, 0);
    EXPECT_EQ(text.active, 1);
    EXPECT_EQ(shownMenu, 190);
    EXPECT_EQ(shownAt, (gdi::Point{1234, 567}));
    shownMenu = 0;
    Edit().OnRButtonDown(At(300, 400), {1, 1});
    EXPECT_EQ(shownMenu, 0);
}

TEST_F(ViewEditingTest, DeleteRemovesTheActiveFrameOnlyWhereFramesAreShown)
{
    EXPECT_FALSE(Edit().OnKeyUp(ViewKey::Delete, false, false));  // no document dial
    CCadran& dial = PutDial();
    CObjetCadre& a = AddFrame(0, 0, 100, 50);
    AddFrame(0, 200, 100, 50);
    a.active = 1;

    view_->SetDisplayMode(5);
    EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Delete, false, false));
    EXPECT_EQ(dial.frames.size(), 2u);

    view_->SetDisplayMode(1);
    EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Back, false, false));
    ASSERT_EQ(dial.frames.size(), 1u);
    EXPECT_EQ(dial.frames[0]->y, 200);
    EXPECT_TRUE(Doc().IsModified());
    // Nothing active: nothing goes.
    EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Delete, false, false));
    EXPECT_EQ(dial.frames.size(), 1u);
}

TEST_F(ViewEditingTest, CtrlPlusAndMinusResizeTheDialWithinItsLimits)
{
    EXPECT_FALSE(Edit().OnKeyUp(ViewKey::Add, true, false));
    CCadran& dial = PutDial(52, 50);
    const gdi::Rect before = dial.dialRect;

    EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Subtract, true, false));
    EXPECT_EQ(dial.width, 49);  // only the width is above 50
    EXPECT_EQ(dial.height, 50);
    EXPECT_LT(dial.dialRect.Width(), before.Width());  // laid out again
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Subtract, true, false));
    EXPECT_EQ(dial.width, 49);

    EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Add, true, false));
    EXPECT_EQ(dial.width, 51);
    EXPECT_EQ(dial.height, 52);
    // The anchor follows the size by its percentages.
    EXPECT_EQ(dial.anchorX, 51 * 50 / 100);
    EXPECT_EQ(dial.anchorY, 52 * 30 / 100);
}

TEST_F(ViewEditingTest, CtrlShiftPlusAndMinusResizeTheStyleOrTheEllipse)
{
    CCadran& dial = PutDial();
    dial.styleHeight = 10;
    EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Add, true, true));
    EXPECT_EQ(dial.styleHeight, 11);  // 10 x 105 / 100 is 10 again
    CObjetCadre& frame = AddFrame(100, 40, 100, 50);
    dial.styleHeight = 40;
    Edit().OnKeyUp(ViewKey::Add, true, true);
    EXPECT_EQ(dial.styleHeight, 42);
    // The frames that follow the drawing move with the style.
    EXPECT_EQ(frame.x, 105);
    EXPECT_EQ(frame.y, 42);

    dial.styleHeight = 16;
    Edit().OnKeyUp(ViewKey::Subtract, true, true);
    EXPECT_EQ(dial.styleHeight, 15);
    Edit().OnKeyUp(ViewKey::Subtract, true, true);
    EXPECT_EQ(dial.styleHeight, 15);

    auto& analemmatic = PutDial<CCadranAnalemmatique>();
    analemmatic.styleHeight = 30;
    analemmatic.ellipseSize = 16.0;
    Edit().OnKeyUp(ViewKey::Subtract, true, true);
    EXPECT_DOUBLE_EQ(analemmatic.ellipseSize, 15.2);
    Edit().OnKeyUp(ViewKey::Subtract, true, true);
    EXPECT_DOUBLE_EQ(analemmatic.ellipseSize, 14.44);
    Edit().OnKeyUp(ViewKey::Subtract, true, true);
    EXPECT_DOUBLE_EQ(analemmatic.ellipseSize, 14.44);
    Edit().OnKeyUp(ViewKey::Add, true, true);
    EXPECT_DOUBLE_EQ(analemmatic.ellipseSize, 14.44 * 105 / 100);
    EXPECT_EQ(analemmatic.styleHeight, 30);
}

TEST_F(ViewEditingTest, CtrlArrowsMoveTheStyleAnchorWithinTheDial)
{
    EXPECT_FALSE(Edit().OnKeyDown(ViewKey::Left, true, false));
    CCadran& dial = PutDial(100, 200);
    dial.SetStyleAnchorPercent(1, 99);

    EXPECT_TRUE(Edit().OnKeyDown(ViewKey::Left, true, false));
    EXPECT_TRUE(Edit().OnKeyDown(ViewKey::Left, true, true));
    EXPECT_EQ(dial.anchorPercentX, 0);
    EXPECT_TRUE(Edit().OnKeyDown(ViewKey::Down, true, false));
    EXPECT_TRUE(Edit().OnKeyDown(ViewKey::Down, true, false));
    EXPECT_EQ(dial.anchorPercentY, 100);
    EXPECT_EQ(dial.anchorY, 200);
    Edit().OnKeyDown(ViewKey::Right, true, false);
    Edit().OnKeyDown(ViewKey::Up, true, false);
    EXPECT_EQ(dial.anchorPercentX, 1);
    EXPECT_EQ(dial.anchorPercentY, 99);
    EXPECT_EQ(dial.anchorX, 1);
    EXPECT_TRUE(Doc().IsModified());

    // Outside the scale drawing Ctrl+arrows are left to the window.
    view_->SetDisplayMode(4);
    EXPECT_FALSE(Edit().OnKeyDown(ViewKey::Right, true, false));
    EXPECT_EQ(dial.anchorPercentX, 1);
}

TEST_F(ViewEditingTest, PlusAndMinusStepTheNoonMarkHourInItsTable)
{
    CCadran& dial = PutDial();
    view_->SetDisplayMode(18);
    EXPECT_FALSE(Edit().OnKeyUp(ViewKey::Add, false, false));  // noon marks at noon only

    dial.prefs.noonMarkType = 1;
    const struct {
        int five, quarter, half;
        double step;
    } steps[] = {
        {1, 1, 1, 1.0 / 12}, {0, 1, 1, 0.25}, {0, 0, 1, 0.5}, {0, 0, 0, 1.0}, {1, 0, 0, 1.0 / 3},
    };
    for (const auto& s : steps) {
        dial.prefs.fiveMinuteLines = s.five;
        dial.prefs.quarterHourLines = s.quarter;
        dial.prefs.halfHourLines = s.half;
        dial.noonCurveHour = 12.0;
        EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Add, false, false));
        EXPECT_DOUBLE_EQ(dial.noonCurveHour, 12.0 + s.step);
        Edit().OnKeyUp(ViewKey::Subtract, false, false);
        Edit().OnKeyUp(ViewKey::Subtract, false, false);
        EXPECT_DOUBLE_EQ(dial.noonCurveHour, 12.0 - s.step);
    }
    // The day's ends hold (hour steps).
    dial.prefs.fiveMinuteLines = 0;
    dial.noonCurveHour = 23.5;
    Edit().OnKeyUp(ViewKey::Add, false, false);
    EXPECT_DOUBLE_EQ(dial.noonCurveHour, 24.0);
    dial.noonCurveHour = 0.5;
    Edit().OnKeyUp(ViewKey::Subtract, false, false);
    EXPECT_DOUBLE_EQ(dial.noonCurveHour, 0.0);

    // Home brings noon back here, and scrolls nowhere.
    window_.scrolls.clear();
    EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Home, false, false));
    EXPECT_DOUBLE_EQ(dial.noonCurveHour, 12.0);
    EXPECT_TRUE(window_.scrolls.empty());

    // Elsewhere the keys are taken and change nothing.
    view_->SetDisplayMode(1);
    EXPECT_TRUE(Edit().OnKeyUp(ViewKey::Add, false, false));
    EXPECT_DOUBLE_EQ(dial.noonCurveHour, 12.0);
}

TEST_F(ViewEditingTest, ScrollKeys)
{
    using S = ScrollStep;
    const struct {
        ViewKey key;
        bool ctrl, down;
        S h, v;
    } cases[] = {
        {ViewKey::PageUp, false, false, S::None, S::PageBack},   {ViewKey::PageUp, true, false, S::PageBack, S::None},
        {ViewKey::PageDown, false, false, S::None, S::PageForward},
        {ViewKey::PageDown, true, false, S::PageForward, S::None},
        {ViewKey::End, false, false, S::None, S::End},           {ViewKey::End, true, false, S::End, S::End},
        {ViewKey::Home, false, false, S::None, S::Start},        {ViewKey::Home, true, false, S::Start, S::Start},
        {ViewKey::Left, false, true, S::LineBack, S::None},      {ViewKey::Right, false, true, S::LineForward, S::None},
        {ViewKey::Up, false, true, S::None, S::LineBack},        {ViewKey::Down, false, true, S::None, S::LineForward},
    };
    // With or without a dial, in the noon-mark table too (but for Home there).
    for (int withDial = 0; withDial < 2; ++withDial) {
        if (withDial)
            PutDial();
        for (const auto& c : cases) {
            window_.scrolls.clear();
            EXPECT_TRUE(c.down ? Edit().OnKeyDown(c.key, c.ctrl, false) : Edit().OnKeyUp(c.key, c.ctrl, false));
            ASSERT_EQ(window_.scrolls.size(), 1u) << static_cast<int>(c.key);
            EXPECT_EQ(window_.scrolls[0], std::make_pair(c.h, c.v)) << static_cast<int>(c.key) << " ctrl " << c.ctrl;
        }
    }
    // Shift with an arrow is taken without effect; arrows are not keys released.
    window_.scrolls.clear();
    EXPECT_TRUE(Edit().OnKeyDown(ViewKey::Up, false, true));
    EXPECT_FALSE(Edit().OnKeyDown(ViewKey::Delete, false, false));
    EXPECT_FALSE(Edit().OnKeyUp(ViewKey::Left, false, false));
    EXPECT_TRUE(window_.scrolls.empty());
}

TEST_F(ViewEditingTest, DeviceAndLogicalPointsThroughScrollAndZoom)
{
    PutDial();
    window_.scroll = {100, 40};
    view_->SetZoom(2.0);
    EXPECT_EQ(view_->DeviceToLogical(gdi::Point{10, 10}), (gdi::Point{55, 25}));
    EXPECT_EQ(view_->DeviceToLogical(gdi::Point{11, 11}), (gdi::Point{55, 25}));
    EXPECT_EQ(view_->LogicalToDevice(gdi::Point{55, 25}), (gdi::Point{10, 10}));
    // Rectangles cover every pixel they touch.
    EXPECT_EQ(view_->DeviceToLogical(gdi::Rect{11, 11, 13, 13}), (gdi::Rect{55, 25, 57, 27}));
    EXPECT_EQ(view_->LogicalToDevice(gdi::Rect{55, 25, 57, 27}), (gdi::Rect{10, 10, 14, 14}));

    view_->SetZoom(0.5);
    EXPECT_EQ(view_->DeviceToLogical(gdi::Point{-1, 0}), (gdi::Point{198, 80}));
    EXPECT_EQ(view_->LogicalToDevice(gdi::Rect{201, 81, 203, 83}), (gdi::Rect{0, 0, 2, 2}));

    // A frame is found under the mouse at that zoom.
    CObjetCadre& frame = AddFrame(0, 0, 100, 50);
    const gdi::Point a = Doc().GetDial()->GetAnchorPoint();
    const gdi::Point device = view_->LogicalToDevice(gdi::Point{a.x + 50, a.y + 25});
    Edit().OnMouseMove(device);
    EXPECT_EQ(frame.active, 1);
}

}  // namespace
