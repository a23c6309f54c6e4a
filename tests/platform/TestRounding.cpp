#include "model/Rounding.h"

#include <gtest/gtest.h>
#include <limits>

TEST(Rounding, HalvesAwayFromZeroAndSaturates)
{
    EXPECT_EQ(RoundToInt(2.5), 3);
    EXPECT_EQ(RoundToInt(-2.5), -3);
    EXPECT_EQ(RoundToInt(0.49999999999999994), 0);
    EXPECT_EQ(RoundToInt(-0.4), 0);
    EXPECT_EQ(RoundToInt(-0.5), -1);
    EXPECT_EQ(RoundToInt(4503599627370495.5), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundToInt(2147483646.4999998), 2147483646);
    EXPECT_EQ(RoundToInt(2147483647.5), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundToInt(-2147483648.5), std::numeric_limits<int>::min());
    EXPECT_EQ(RoundToInt(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundToInt(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(RoundToInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(std::numeric_limits<double>::infinity()), std::numeric_limits<int>::max());
}
