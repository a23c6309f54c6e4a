#include "app/GraphicsHelpers.h"
#include "app/ToolBarLayout.h"
#include "platform/FakeServices.h"

#include <gtest/gtest.h>

TEST(ToolBarLayout, DockDecisionsFromSavedValues)
{
    const int w = 1000;
    const int h = 700;
    // Nothing saved: the default side, without a rectangle.
    ToolBarPlacement p = DecideToolBarPlacement({}, DockSide::Left, w, h);
    EXPECT_EQ(p.side, DockSide::Left);
    EXPECT_FALSE(p.atSavedRect);
    // A zero width or height also docks on the default side.
    p = DecideToolBarPlacement({10, 10, 300, 0, false}, DockSide::Top, w, h);
    EXPECT_EQ(p.side, DockSide::Top);
    EXPECT_FALSE(p.atSavedRect);
    p = DecideToolBarPlacement({10, 10, -5, 30, false}, DockSide::Right, w, h);
    EXPECT_EQ(p.side, DockSide::Right);

    // Wide bars: top or bottom by the half of the client area their top lies in.
    p = DecideToolBarPlacement({20, 349, 400, 36, false}, DockSide::Left, w, h);
    EXPECT_EQ(p.side, DockSide::Top);
    EXPECT_TRUE(p.atSavedRect);
    EXPECT_EQ(p.rect.left, 20);
    EXPECT_EQ(p.rect.right, 420);
    EXPECT_EQ(p.rect.bottom, 385);
    EXPECT_FALSE(p.vertical);
    EXPECT_EQ(DecideToolBarPlacement({20, 350, 400, 36, false}, DockSide::Top, w, h).side, DockSide::Bottom);
    // Tall (or square) bars: left or right by their left edge.
    p = DecideToolBarPlacement({499, 50, 30, 300, false}, DockSide::Top, w, h);
    EXPECT_EQ(p.side, DockSide::Left);
    EXPECT_TRUE(p.vertical);
    EXPECT_EQ(DecideToolBarPlacement({500, 50, 30, 300, false}, DockSide::Top, w, h).side, DockSide::Right);
    EXPECT_EQ(DecideToolBarPlacement({900, 50, 40, 40, false}, DockSide::Top, w, h).side, DockSide::Right);

    // Saved floating: floats at the saved point whatever the default side, keeping its shape.
    p = DecideToolBarPlacement({300, 200, 40, 300, true}, DockSide::Top, w, h);
    EXPECT_EQ(p.side, DockSide::Floating);
    EXPECT_TRUE(p.atSavedRect);
    EXPECT_EQ(p.rect.left, 300);
    EXPECT_EQ(p.rect.top, 200);
    EXPECT_TRUE(p.vertical);
    EXPECT_FALSE(DecideToolBarPlacement({300, 200, 300, 40, true}, DockSide::Left, w, h).vertical);
    // A bar that only floats floats even when saved docked.
    EXPECT_EQ(DecideToolBarPlacement({750, 40, 0, 0, false}, DockSide::Floating, w, h).side, DockSide::Floating);
}

TEST(ToolBarLayout, SectionsDefaultsAndVisibility)
{
    ScopedMemoryProfile profile;
    const auto& bars = MainToolBars();
    EXPECT_EQ(bars[kMainBar].section, std::string("Options\\Toolbars\\Main\\"));
    EXPECT_EQ(bars[kEphemeridesBar].defaultSide, DockSide::Floating);
    // Missing values: 750, 40, 0, 0, docked.
    const ToolBarSavedState fresh = ReadToolBarState(bars[kDialBar].section);
    EXPECT_EQ(fresh.x, 750);
    EXPECT_EQ(fresh.y, 40);
    EXPECT_EQ(fresh.cx, 0);
    EXPECT_FALSE(fresh.floating);

    WriteToolBarState(bars[kDialBar].section, gdi::Rect{5, 60, 35, 400}, true);
    EXPECT_EQ(profile->GetInt("Options\\Toolbars\\Options", "cy", 0), 340);
    const ToolBarSavedState saved = ReadToolBarState(bars[kDialBar].section);
    EXPECT_EQ(saved.x, 5);
    EXPECT_EQ(saved.y, 60);
    EXPECT_EQ(saved.cx, 30);
    EXPECT_EQ(saved.cy, 340);
    EXPECT_TRUE(saved.floating);

    EXPECT_TRUE(ReadToolBarVisible(kMainBar));
    EXPECT_TRUE(ReadToolBarVisible(kDialBar));
    EXPECT_FALSE(ReadToolBarVisible(kDisplayBar));
    EXPECT_FALSE(ReadToolBarVisible(kFramesBar));
    WriteToolBarVisible(kDialBar, false);
    WriteToolBarVisible(kFramesBar, true);
    EXPECT_FALSE(ReadToolBarVisible(kDialBar));
    EXPECT_TRUE(ReadToolBarVisible(kFramesBar));
    // The ephemerides bar keeps no visibility: it is hidden at every start.
    WriteToolBarVisible(kEphemeridesBar, true);
    EXPECT_FALSE(ReadToolBarVisible(kEphemeridesBar));
    EXPECT_FALSE(profile->HasValue(bars[kEphemeridesBar].section, "Visible"));
}

TEST(WindowPlacement, DefaultsFromTheScreenAndRoundTrip)
{
    ScopedMemoryProfile profile;
    WindowPlacement p = ReadWindowPlacement(1920, 1080);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.cx, 1880);
    EXPECT_EQ(p.cy, 1000);
    EXPECT_FALSE(p.zoomed);
    WriteWindowPlacement({15, 25, 800, 600, true});
    p = ReadWindowPlacement(1920, 1080);
    EXPECT_EQ(p.x, 15);
    EXPECT_EQ(p.cy, 600);
    EXPECT_TRUE(p.zoomed);
    EXPECT_EQ(profile->GetInt("Options\\Window", "IsZoomed", 0), 1);
}

TEST(WindowPlacement, OffScreenRectanglesAreBroughtBack)
{
    const gdi::Rect screen{0, 0, 1280, 1024};
    const gdi::Rect inside{100, 100, 900, 700};
    EXPECT_FALSE(RectsDiffer(FitOnScreen(inside, screen), inside));
    // Left on a second screen that is gone.
    gdi::Rect r = FitOnScreen({2500, 300, 3300, 900}, screen);
    EXPECT_EQ(r.right, 1280);
    EXPECT_EQ(r.Width(), 800);
    EXPECT_EQ(r.top, 300);
    r = FitOnScreen({-400, -50, 400, 550}, screen);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.Height(), 600);
    // Larger than the screen: shrunk to it.
    r = FitOnScreen({-10, -10, 5000, 4000}, screen);
    EXPECT_FALSE(RectsDiffer(r, screen));
    // A screen on the right of another.
    r = FitOnScreen({0, 0, 300, 200}, gdi::Rect{1280, 0, 2560, 1024});
    EXPECT_EQ(r.left, 1280);
    // No screen known: unchanged.
    EXPECT_FALSE(RectsDiffer(FitOnScreen(inside, gdi::Rect{}), inside));
}
