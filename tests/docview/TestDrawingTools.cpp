// Pens and fonts of a device context, scaled to its resolution.
#include "docview/CDrawingTools.h"
#include "docview/ColorTable.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

namespace {

class DrawingToolsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetColorTable(); }
    void TearDown() override { ResetColorTable(); }
};

TEST_F(DrawingToolsTest, ScreenPensKeepAtLeastOnePixel)
{
    const gdi::RecordingDC screen;
    const CDrawingTools tools(screen, 96, 96);
    EXPECT_DOUBLE_EQ(tools.Scale(), 1.0);
    EXPECT_EQ(tools.EntryPen(8).width, 1);   // thickness 0: 0.25 raised to 1
    EXPECT_EQ(tools.EntryPen(5).width, 1);
    EXPECT_EQ(tools.thickBlackPen.width, 2);
    EXPECT_EQ(tools.gridPen.style, gdi::PS_DOT);
    EXPECT_EQ(tools.dashedBlackPen.style, gdi::PS_DASH);
    EXPECT_EQ(tools.midGreyPen.color, gdi::RGB(128, 128, 128));
    EXPECT_EQ(tools.arial9.height, -9);
    EXPECT_EQ(tools.arial9.faceName, "ARIAL");
    EXPECT_EQ(tools.arial10Bold.weight, gdi::FW_BOLD);
    EXPECT_EQ(tools.times12Bold.faceName, "Times New Roman");
    EXPECT_EQ(tools.courier9.faceName, "Courier New");
    EXPECT_EQ(tools.wingdings12.height, -12);
    EXPECT_FALSE(tools.BuiltForPrinting());
}

TEST_F(DrawingToolsTest, PrinterPensAndFontsGrowWithItsResolution)
{
    GetColorTableEntry(12)->thickness = 7;
    const gdi::RecordingDC printer(gdi::DeviceCaps::Page(600, 210, 297), true);
    const CDrawingTools tools(printer, 96, 96);
    EXPECT_DOUBLE_EQ(tools.Scale(), 6.25);
    EXPECT_EQ(tools.EntryPen(12).width, 31);  // 5 x 6.25 truncated
    EXPECT_EQ(tools.EntryPen(8).width, 1);    // 0.25 x 6.25
    EXPECT_EQ(tools.EntryPen(7).width, 3);    // 0.5 x 6.25
    EXPECT_EQ(tools.thickBlackPen.width, 12);
    EXPECT_EQ(tools.midGreyPen.width, 3);
    EXPECT_EQ(tools.arial9.height, -56);       // MulDiv(9, 600, 96)
    EXPECT_EQ(tools.times12Bold.height, -75);
    EXPECT_TRUE(tools.BuiltForPrinting());
}

TEST_F(DrawingToolsTest, EntryPensTakeTheTableAsItIsWhenBuilt)
{
    GetColorTableEntry(19)->color = gdi::RGB(1, 2, 3);
    const gdi::RecordingDC screen;
    const CDrawingTools tools(screen, 96, 96);
    GetColorTableEntry(19)->color = gdi::RGB(4, 5, 6);
    EXPECT_EQ(tools.EntryPen(19).color, gdi::RGB(1, 2, 3));
    EXPECT_EQ(tools.EntryPen(34).color, GetColor(34));
    EXPECT_EQ(tools.EntryPen(4), tools.EntryPen(5));
    EXPECT_EQ(tools.EntryPen(35), tools.EntryPen(5));
}

}  // namespace
