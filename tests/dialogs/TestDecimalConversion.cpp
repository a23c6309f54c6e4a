#include "dialogs/DecimalConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(DecimalConversion, ComponentsToDecimal)
{
    const SexagesimalParts parts = NormaliseParts(12, 24, 2);
    EXPECT_EQ(parts, (SexagesimalParts{12, 24, 2}));
    EXPECT_DOUBLE_EQ(PartsToDecimal(parts), 12.0 + 24.0 / 60 + 2.0 / 3600);
    EXPECT_NEAR(PartsToDecimal(parts), 12.4005555555, 1e-10);
    // Signs are dropped; minutes and seconds past 59 are held there.
    EXPECT_EQ(NormaliseParts(-3, 0, 0), (SexagesimalParts{3, 0, 0}));
    EXPECT_DOUBLE_EQ(PartsToDecimal(NormaliseParts(-3, 0, 0)), 3.0);
    EXPECT_EQ(NormaliseParts(1, 75, 60), (SexagesimalParts{1, 59, 59}));
    EXPECT_EQ(NormaliseParts(1, -75, -7), (SexagesimalParts{1, 59, 7}));
    // The most negative values have no positive counterpart: they are held at the largest.
    constexpr long long kMin = std::numeric_limits<long long>::min();
    EXPECT_EQ(NormaliseParts(kMin, kMin, kMin), (SexagesimalParts{std::numeric_limits<int>::max(), 59, 59}));
    EXPECT_EQ(NormaliseParts(std::numeric_limits<int>::min(), 0, 0).units, std::numeric_limits<int>::max());
}

TEST(DecimalConversion, DecimalToComponents)
{
    EXPECT_EQ(DecimalToParts(-2.5), (SexagesimalParts{-2, 30, 0}));
    EXPECT_EQ(DecimalToParts(42.54), (SexagesimalParts{42, 32, 24}));
    EXPECT_EQ(DecimalToParts(2.345), (SexagesimalParts{2, 20, 42}));
    // Truncation, not rounding: 59.9 seconds stay 59.
    EXPECT_EQ(DecimalToParts(1.0 + 59.9 / 3600), (SexagesimalParts{1, 0, 59}));
    EXPECT_EQ(DecimalToParts(-0.25), (SexagesimalParts{0, 15, 0}));
    // Binary noise just below a whole number of seconds is no missing second...
    EXPECT_EQ(DecimalToParts(2.3), (SexagesimalParts{2, 18, 0}));
    EXPECT_EQ(DecimalToParts(0.7), (SexagesimalParts{0, 42, 0}));
    // ...and noise just below the next unit carries into it.
    EXPECT_EQ(DecimalToParts(2.9999999999999), (SexagesimalParts{3, 0, 0}));
    EXPECT_EQ(DecimalToParts(-2.9999999999999), (SexagesimalParts{-3, 0, 0}));
    EXPECT_EQ(DecimalToParts(std::nan("")), (SexagesimalParts{}));
    EXPECT_EQ(DecimalToParts(1e300), (SexagesimalParts{std::numeric_limits<int>::max(), 0, 0}));
}

TEST(DecimalConversion, EveryWholeSecondOfTheCircleComesBack)
{
    for (int units = 0; units < 360; units += 7)
        for (int minutes = 0; minutes < 60; ++minutes)
            for (int seconds = 0; seconds < 60; ++seconds) {
                const SexagesimalParts parts{units, minutes, seconds};
                const double value = PartsToDecimal(parts);
                ASSERT_EQ(DecimalToParts(value), parts) << units << " " << minutes << " " << seconds;
                const SexagesimalParts negative = DecimalToParts(-value);
                ASSERT_EQ(negative, (SexagesimalParts{-units, minutes, seconds})) << value;
            }
}

TEST(DecimalConversion, TypedTexts)
{
    double value = 0;
    EXPECT_TRUE(ParseDecimalText(" 42,54 ", value));
    EXPECT_DOUBLE_EQ(value, 42.54);
    EXPECT_TRUE(ParseDecimalText("-2.5", value));
    EXPECT_DOUBLE_EQ(value, -2.5);
    EXPECT_TRUE(ParseDecimalText("+1e2", value));
    EXPECT_DOUBLE_EQ(value, 100.0);
    value = 7;
    for (const char* bad : {"", "-", "+", "1,2.3", "1,2,3", "abc", "1 2", "inf", "nan", "1e999", "0x10", "++1"})
        EXPECT_FALSE(ParseDecimalText(bad, value)) << bad;
    EXPECT_EQ(value, 7);

    long long part = 0;
    EXPECT_TRUE(ParseComponentText(" -3 ", part));
    EXPECT_EQ(part, -3);
    EXPECT_TRUE(ParseComponentText("+75", part));
    EXPECT_EQ(part, 75);
    for (const char* bad : {"", "-", "1.5", "12a", "99999999999999999999"})
        EXPECT_FALSE(ParseComponentText(bad, part)) << bad;
}

TEST(DecimalConversion, MarksOfTheTwoModes)
{
    const ConversionMarks degrees = MarksForMode(0);
    EXPECT_EQ(degrees.decimal, "°");
    EXPECT_EQ(degrees.units, "°");
    EXPECT_EQ(degrees.minutes, "'");
    EXPECT_EQ(degrees.seconds, "\"");
    const ConversionMarks hours = MarksForMode(1);
    EXPECT_EQ(hours.decimal, "h");
    EXPECT_EQ(hours.units, "h");
    EXPECT_EQ(hours.minutes, "min");
    EXPECT_EQ(hours.seconds, "s");
}
