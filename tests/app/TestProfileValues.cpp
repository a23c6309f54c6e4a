#include "app/ProfileValues.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

}  // namespace

TEST(ProfileDouble, StoresTheBytesInMemoryOrderAndReadsThemBackBitForBit)
{
    ScopedMemoryProfile profile;
    // 1.0 is 0x3FF0000000000000: least significant byte first.
    EXPECT_EQ(FormatProfileDouble(1.0), "0x000000000000F03F");
    ASSERT_TRUE(WriteProfileDouble("Options\\Test", "One", 1.0));
    EXPECT_EQ(profile->GetString("Options\\Test", "One", ""), "0x000000000000F03F");

    const double values[] = {0.1,
                             -0.0,
                             1.0 / 3.0,
                             -47.123456789012345,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(),
                             -std::numeric_limits<double>::infinity(),
                             std::bit_cast<double>(std::uint64_t{0x7FF8000000000123})};
    for (double v : values) {
        WriteProfileDouble("Options\\Test", "v", v);
        EXPECT_EQ(Bits(GetProfileDouble("Options\\Test", "v", 99.0)), Bits(v)) << FormatProfileDouble(v);
    }
    // Lower-case digits written by hand read the same.
    profile->WriteString("Options\\Test", "lower", "0x000000000000f03f");
    EXPECT_EQ(GetProfileDouble("Options\\Test", "lower", 5.0), 1.0);
}

TEST(ProfileDouble, AbsentValueGivesTheDefaultUnrounded)
{
    ScopedMemoryProfile profile;
    // Four significant digits would have made this 0.1235.
    const double fine = 0.123456789012345;
    EXPECT_EQ(Bits(GetProfileDouble("Options\\Test", "missing", fine)), Bits(fine));
    EXPECT_EQ(Bits(GetProfileDouble("Options\\Test", "missing", -1e-300)), Bits(-1e-300));
}

TEST(ProfileDouble, DecimalTextIsReadInTheCLocaleAndShortOrBadHexGivesTheDefault)
{
    ScopedMemoryProfile profile;
    profile->WriteString("S", "decimal", "2.5");
    EXPECT_EQ(GetProfileDouble("S", "decimal", 7.0), 2.5);
    profile->WriteString("S", "negative", "-12.75e1");
    EXPECT_EQ(GetProfileDouble("S", "negative", 7.0), -127.5);
    // Not a number at all reads as 0, as a decimal text does.
    profile->WriteString("S", "word", "abc");
    EXPECT_EQ(GetProfileDouble("S", "word", 7.0), 0.0);

    profile->WriteString("S", "short", "0xAB");
    EXPECT_EQ(Bits(GetProfileDouble("S", "short", 0.123456789)), Bits(0.123456789));
    profile->WriteString("S", "long", "0x000000000000F03F00");
    EXPECT_EQ(GetProfileDouble("S", "long", 3.25), 3.25);
    profile->WriteString("S", "empty", "0x");
    EXPECT_EQ(GetProfileDouble("S", "empty", 3.25), 3.25);
    profile->WriteString("S", "notHex", "0x000000000000F0G3");
    EXPECT_EQ(GetProfileDouble("S", "notHex", 3.25), 3.25);
}

TEST(ProfileColor, ThreeComponentsUnderTheEntryNameWithDefaultsAndByteTruncation)
{
    ScopedMemoryProfile profile;
    ASSERT_TRUE(WriteProfileColor("Options\\Palette", "Couleur3", gdi::RGB(12, 200, 255)));
    EXPECT_EQ(profile->GetInt("Options\\Palette", "Couleur3\\r", -1), 12);
    EXPECT_EQ(profile->GetInt("Options\\Palette", "Couleur3\\g", -1), 200);
    EXPECT_EQ(profile->GetInt("Options\\Palette", "Couleur3\\b", -1), 255);
    EXPECT_EQ(GetProfileColor("Options\\Palette", "Couleur3", gdi::RGB(1, 2, 3)), gdi::RGB(12, 200, 255));

    // Missing components come from the default, each on its own.
    profile->WriteInt("Options\\Palette", "Partial\\g", 77);
    EXPECT_EQ(GetProfileColor("Options\\Palette", "Partial", gdi::RGB(1, 2, 3)), gdi::RGB(1, 77, 3));
    // Values beyond a byte keep their low byte.
    profile->WriteInt("Options\\Palette", "Wide\\r", 256 + 5);
    profile->WriteInt("Options\\Palette", "Wide\\g", -1);
    profile->WriteInt("Options\\Palette", "Wide\\b", 0);
    EXPECT_EQ(GetProfileColor("Options\\Palette", "Wide", 0), gdi::RGB(5, 255, 0));
}
