// The colour table, its palette and its storage in the profile.
#include "docview/ColorTable.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class ColorTableTest : public ::testing::Test {
protected:
    void SetUp() override { ResetColorTable(); }
    void TearDown() override { ResetColorTable(); }
};

TEST_F(ColorTableTest, DefaultsAndOutOfRangeLookups)
{
    EXPECT_EQ(GetColor(0), gdi::RGB(184, 208, 216));
    EXPECT_EQ(GetColorTableEntry(19)->color, gdi::RGB(255, 0, 0));
    EXPECT_EQ(GetColorTableEntry(18)->thickness, 0);
    EXPECT_EQ(GetColorTableEntry(27)->color, gdi::RGB(180, 180, 0));
    EXPECT_EQ(GetColor(35), gdi::RGB(0, 0, 0));
    EXPECT_EQ(GetColor(-1), gdi::RGB(0, 0, 0));
    EXPECT_EQ(GetColorTableEntry(-1), GetColorTableEntry(5));
    EXPECT_EQ(GetColorTableEntry(35), GetColorTableEntry(5));
}

TEST_F(ColorTableTest, AzimuthAndMonthlyArcEntriesHaveDefaults)
{
    for (int n = 28; n <= 30; ++n)
        EXPECT_EQ(GetColor(n), GetColor(27)) << n;
    std::set<gdi::COLORREF> monthly;
    for (int n = 31; n <= 34; ++n) {
        monthly.insert(GetColor(n));
        // Not one of the zodiac arcs either.
        for (int z = 9; z <= 16; ++z)
            EXPECT_NE(GetColor(n), GetColor(z)) << n << " " << z;
    }
    EXPECT_EQ(monthly.size(), 4u);
}

TEST_F(ColorTableTest, ThicknessTable)
{
    const double expected[] = {0.25, 0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0};
    for (int k = 0; k < 8; ++k)
        EXPECT_DOUBLE_EQ(GetThicknessFactor(k), expected[k]);
    EXPECT_DOUBLE_EQ(GetThicknessFactor(-1), 1.0);
    EXPECT_DOUBLE_EQ(GetThicknessFactor(8), 1.0);
}

TEST_F(ColorTableTest, PaletteFollowsTheTableAndResetRestoresIt)
{
    GetColorTableEntry(7)->color = gdi::RGB(1, 2, 3);
    const auto palette = BuildPalette();
    ASSERT_EQ(palette.size(), 35u);
    EXPECT_EQ(palette[7], gdi::RGB(1, 2, 3));
    EXPECT_EQ(palette[34], GetColor(34));
    ResetColorTable();
    EXPECT_EQ(GetColor(7), gdi::RGB(128, 128, 128));
}

TEST_F(ColorTableTest, SavedPaletteIsReadBackAtTheNextStart)
{
    MemoryProfile profile;
    GetColorTableEntry(9)->color = gdi::RGB(10, 20, 30);
    GetColorTableEntry(9)->thickness = 6;
    GetColorTableEntry(34)->color = gdi::RGB(255, 254, 253);
    SavePaletteColours(profile);

    EXPECT_EQ(profile.GetInt("Options\\Palette", "Couleur9\\r", -1), 10);
    EXPECT_EQ(profile.GetInt("Options\\Palette", "Couleur9\\g", -1), 20);
    EXPECT_EQ(profile.GetInt("Options\\Palette", "Couleur9\\b", -1), 30);
    EXPECT_EQ(profile.GetInt("Options\\Palette", "Couleur9", -1), 6);
    EXPECT_EQ(profile.GetInt("Options\\Palette", "Couleur0", -1), 2);

    ResetColorTable();
    LoadPaletteColours(profile);
    EXPECT_EQ(GetColor(9), gdi::RGB(10, 20, 30));
    EXPECT_EQ(GetColorTableEntry(9)->thickness, 6);
    EXPECT_EQ(GetColor(34), gdi::RGB(255, 254, 253));
    EXPECT_EQ(GetColor(10), DefaultColorTableEntry(10).color);
}

TEST_F(ColorTableTest, MissingOrOddProfileValuesFallBackToTheBuiltInOnes)
{
    MemoryProfile profile;
    GetColorTableEntry(12)->color = gdi::RGB(9, 9, 9);
    LoadPaletteColours(profile);
    EXPECT_EQ(GetColorTableEntry(12)->color, DefaultColorTableEntry(12).color);

    // Only the green of entry 3 and a value too large for a byte: the rest stays built in.
    profile.WriteInt("Options\\Palette", "Couleur3\\g", 0x1FF);
    LoadPaletteColours(profile);
    EXPECT_EQ(GetColor(3), gdi::RGB(216, 0xFF, 16));
    EXPECT_EQ(GetColorTableEntry(3)->thickness, 2);
}

TEST_F(ColorTableTest, ProfileColourRoundTrip)
{
    MemoryProfile profile;
    WriteProfileColor(profile, "S", "C", gdi::RGB(1, 128, 255));
    EXPECT_EQ(GetProfileColor(profile, "S", "C", 0), gdi::RGB(1, 128, 255));
    EXPECT_EQ(GetProfileColor(profile, "S", "D", gdi::RGB(7, 8, 9)), gdi::RGB(7, 8, 9));
}

}  // namespace
