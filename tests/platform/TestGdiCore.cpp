// Exact integer helpers and rectangles of the drawing interface.
#include "platform/Gdi.h"

#include <climits>
#include <gtest/gtest.h>

using namespace gdi;

TEST(MulDiv, RoundsHalvesAwayFromZeroForEverySign)
{
    // 3/2 = 1.5 in magnitude for every sign combination of a, b and c.
    EXPECT_EQ(MulDiv(1, 3, 2), 2);
    EXPECT_EQ(MulDiv(-1, 3, 2), -2);
    EXPECT_EQ(MulDiv(1, -3, 2), -2);
    EXPECT_EQ(MulDiv(1, 3, -2), -2);
    EXPECT_EQ(MulDiv(-1, -3, 2), 2);
    EXPECT_EQ(MulDiv(-1, 3, -2), 2);
    EXPECT_EQ(MulDiv(1, -3, -2), 2);
    EXPECT_EQ(MulDiv(-1, -3, -2), -2);
    // Below and above the half.
    EXPECT_EQ(MulDiv(5, 1, 4), 1);
    EXPECT_EQ(MulDiv(-5, 1, 4), -1);
    EXPECT_EQ(MulDiv(7, 1, 4), 2);
    EXPECT_EQ(MulDiv(7, -1, 4), -2);
    // Printer scaling as the page renderers use it.
    EXPECT_EQ(MulDiv(10, 300, 96), 31);
    EXPECT_EQ(MulDiv(12, 96, 72), 16);
    EXPECT_EQ(MulDiv(0, 5, 3), 0);
}

TEST(MulDiv, UsesA64BitProductAndReportsZeroDivisorAndOverflow)
{
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(1 << 30, 1 << 30, 1 << 30), 1 << 30);
    EXPECT_EQ(MulDiv(100000, 300000, 600000), 50000);
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(MulDiv(-2000000000, 3, 4), -1500000000);

    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 2, 1), -1);
}

TEST(Rect, EdgesOnTheRightAndBottomAreOutside)
{
    const Rect r{10, 20, 30, 40};
    EXPECT_TRUE(r.Contains({10, 20}));
    EXPECT_TRUE(r.Contains({29, 39}));
    EXPECT_FALSE(r.Contains({30, 39}));
    EXPECT_FALSE(r.Contains({29, 40}));

    // Rectangles that only touch do not meet.
    EXPECT_TRUE(Rect::Intersect(r, {30, 20, 50, 40}).IsNull());
    EXPECT_EQ(Rect::Intersect(r, {25, 0, 50, 35}), (Rect{25, 20, 30, 35}));
    EXPECT_EQ((Rect{30, 40, 10, 20}).Normalized(), r);
    EXPECT_TRUE((Rect{5, 5, 5, 9}).IsEmpty());
}
