#include "dialogs/HorizonMaskFile.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using horizonmask::ReadResult;

std::optional<CHorizonPoint> Parse(std::string_view line)
{
    CHorizonPoint point{99, 99};
    if (!horizonmask::ParseLine(line, point))
        return std::nullopt;
    return point;
}

class HorizonMaskFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetInstallFolder(dir_.path());
        paths::SetDataFolder(dir_.path());
        testsupport::WriteFileBytes(dir_ / "HoravelTraces.txt", "");
    }
    void TearDown() override
    {
        paths::SetInstallFolder({});
        paths::SetDataFolder({});
    }
    std::string Traces() const { return testsupport::ReadFileBytes(dir_ / "HoravelTraces.txt"); }

    testsupport::TempDir dir_;
};

}  // namespace

TEST(HorizonMaskLine, SeparatorsAroundTheTwoNumbers)
{
    EXPECT_EQ(Parse("-90 ; 12"), (CHorizonPoint{-90, 12}));
    EXPECT_EQ(Parse("-45\t8"), (CHorizonPoint{-45, 8}));
    EXPECT_EQ(Parse("  ;-30;\t15;"), (CHorizonPoint{-30, 15}));
    // Whatever follows the height is ignored; the height stops at the next separator.
    EXPECT_EQ(Parse("0 20 trailing text"), (CHorizonPoint{0, 20}));
    EXPECT_EQ(Parse("10;;;;5;7"), (CHorizonPoint{10, 5}));
}

TEST(HorizonMaskLine, NumbersReadAsStrtolReadsThem)
{
    EXPECT_EQ(Parse("+20 +30"), (CHorizonPoint{20, 30}));
    EXPECT_EQ(Parse("12abc 7x"), (CHorizonPoint{12, 7}));
    // No digits gives 0; a separator with nothing after it gives a height of 0.
    EXPECT_EQ(Parse("north 5"), (CHorizonPoint{0, 5}));
    EXPECT_EQ(Parse("45 ;"), (CHorizonPoint{45, 0}));
}

TEST(HorizonMaskLine, LinesWithoutASeparatorAfterTheFirstNumberHoldNoPoint)
{
    EXPECT_EQ(Parse(""), std::nullopt);
    EXPECT_EQ(Parse("45"), std::nullopt);
    EXPECT_EQ(Parse(" ; \t "), std::nullopt);
    EXPECT_EQ(Parse("  ;45"), std::nullopt);
}

TEST(HorizonMaskLine, RangeOfAPoint)
{
    EXPECT_TRUE(horizonmask::IsValidPoint({-180, 0}));
    EXPECT_TRUE(horizonmask::IsValidPoint({180, 90}));
    EXPECT_FALSE(horizonmask::IsValidPoint({-181, 0}));
    EXPECT_FALSE(horizonmask::IsValidPoint({181, 0}));
    EXPECT_FALSE(horizonmask::IsValidPoint({0, -1}));
    EXPECT_FALSE(horizonmask::IsValidPoint({0, 91}));
}

TEST(HorizonMaskLine, ListText)
{
    EXPECT_EQ(horizonmask::PointText({-90, 12}), "( -90° ; 12° )");
    EXPECT_EQ(horizonmask::PointText({0, 0}), "( 0° ; 0° )");
    EXPECT_EQ(horizonmask::PointText({180, 90}), "( 180° ; 90° )");
}

TEST_F(HorizonMaskFile, PointsInFileOrderAfterASignatureInAnyCase)
{
    std::vector<CHorizonPoint> points{{5, 5}};
    EXPECT_EQ(horizonmask::ReadText("horavel_horizon_mask\r\n-90 ; 12\r\n\r\n45\r\n-45\t8\r\n90 3", points),
              ReadResult::Read);
    // Appended after what the list held.
    EXPECT_EQ(points, (std::vector<CHorizonPoint>{{5, 5}, {-90, 12}, {-45, 8}, {90, 3}}));
    // A byte-order mark before the signature is no part of it.
    points.clear();
    EXPECT_EQ(horizonmask::ReadText("\xEF\xBB\xBFHORAVEL_HORIZON_MASK\n1 2\n", points), ReadResult::Read);
    EXPECT_EQ(points, (std::vector<CHorizonPoint>{{1, 2}}));
}

TEST_F(HorizonMaskFile, AnythingElseOnTheSignatureLineRejectsTheFile)
{
    for (const char* text : {"HORAVEL_HORIZON_MASK \n1 2\n", "HORAVEL_HORIZON\n1 2\n", "", "\n1 2\n",
                             "1 2\nHORAVEL_HORIZON_MASK\n"}) {
        std::vector<CHorizonPoint> points;
        EXPECT_EQ(horizonmask::ReadText(text, points), ReadResult::BadSignature) << text;
        EXPECT_TRUE(points.empty()) << text;
    }
}

TEST_F(HorizonMaskFile, PointsOutOfRangeAreLeftOutAndTraced)
{
    std::vector<CHorizonPoint> points;
    EXPECT_EQ(horizonmask::ReadText("HORAVEL_HORIZON_MASK\n-181 0\n10 10\n0 91\n99999999999 1\n20 -1\n", points),
              ReadResult::Read);
    EXPECT_EQ(points, (std::vector<CHorizonPoint>{{10, 10}}));
    EXPECT_NE(Traces().find("4 point(s) out of range"), std::string::npos) << Traces();
}

TEST_F(HorizonMaskFile, FilesFoundInAnyCaseMissingAndOversized)
{
    std::vector<CHorizonPoint> points;
    EXPECT_EQ(horizonmask::ReadFile(horizonmask::ShippedFile(), points), ReadResult::NotFound);
    testsupport::WriteFileBytes(dir_ / "HORIZONMASK.TXT", "HORAVEL_HORIZON_MASK\n-10 4\n");
    EXPECT_EQ(horizonmask::ShippedFile(), dir_ / "HORIZONMASK.TXT");
    EXPECT_EQ(horizonmask::ReadFile(horizonmask::ShippedFile(), points), ReadResult::Read);
    EXPECT_EQ(points, (std::vector<CHorizonPoint>{{-10, 4}}));

    std::string big = "HORAVEL_HORIZON_MASK\n";
    while (big.size() <= horizonmask::kMaxFileBytes)
        big += "10 10\n";
    testsupport::WriteFileBytes(dir_ / "big.txt", big);
    points.clear();
    EXPECT_EQ(horizonmask::ReadFile(dir_ / "big.txt", points), ReadResult::TooLarge);
    EXPECT_EQ(horizonmask::ReadText(big, points), ReadResult::TooLarge);
    EXPECT_TRUE(points.empty());
}
