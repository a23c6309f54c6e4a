// The view's layout arithmetic, against values worked out by hand for a 200 x 287 mm sheet
// at 96 pixels per inch (3.7795 pixels per millimetre: 756 x 1085 pixels a sheet).
#include "docview/ViewLayout.h"

#include <gtest/gtest.h>

#include <limits>

using namespace viewlayout;

namespace {

LayoutRequest Sheet200x287(int mode = kScaleDrawingMode)
{
    LayoutRequest r;
    r.mode = mode;
    r.sheetMm = {200, 287};
    return r;
}

DialExtent Dial(int widthMm, int heightMm, double scale = 1.0, bool symmetric = true)
{
    DialExtent d;
    d.widthMm = widthMm;
    d.heightMm = heightMm;
    d.scale = scale;
    d.symmetricMargins = symmetric;
    return d;
}

}  // namespace

TEST(ViewLayout, DialThatFitsOneSheetCoversOnePage)
{
    LayoutRequest r = Sheet200x287();
    r.dial = Dial(160, 180);
    const auto layout = ComputeLayout(r);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->sheetPx, (gdi::Size{756, 1085}));
    EXPECT_EQ(layout->drawingPx, (gdi::Size{756, 1085}));
    EXPECT_EQ(layout->drawingMm, (gdi::Size{200, 287}));
    EXPECT_EQ(layout->pageCount, 1);
    // 160 mm = 604.7 -> 605 px, 180 mm = 680.3 -> 680 px, centred on the sheet.
    EXPECT_EQ(layout->dialRect, (gdi::Rect{75, 202, 680, 882}));
}

TEST(ViewLayout, DialOneMillimetreWiderThanASheetNeedsTwoColumns)
{
    LayoutRequest r = Sheet200x287();
    r.dial = Dial(201, 287);
    const auto layout = ComputeLayout(r);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->drawingMm, (gdi::Size{400, 287}));
    EXPECT_EQ(layout->drawingPx, (gdi::Size{1512, 1085}));
    EXPECT_EQ(layout->pageCount, 2);
    // 201 mm = 759.7 -> 760 px wide, (1512 - 760) / 2 = 376 from the left.
    EXPECT_EQ(layout->dialRect, (gdi::Rect{376, 0, 1136, 1085}));

    r.dial->symmetricMargins = false;
    EXPECT_EQ(ComputeLayout(r)->dialRect, (gdi::Rect{0, 0, 760, 1085}));
}

TEST(ViewLayout, ScaleEnlargesTheDialOverColumnsAndRows)
{
    LayoutRequest r = Sheet200x287();
    r.dial = Dial(160, 180, 2.5);  // 400 x 450 mm: 1512 x 1701 px
    const auto layout = ComputeLayout(r);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->wantedPx, (gdi::Size{1512, 1701}));
    EXPECT_EQ(layout->drawingMm, (gdi::Size{400, 574}));
    EXPECT_EQ(layout->drawingPx, (gdi::Size{1512, 2170}));
    EXPECT_EQ(layout->pageCount, 4);
    EXPECT_EQ(layout->dialRect, (gdi::Rect{0, 234, 1512, 1935}));
}

TEST(ViewLayout, OtherModesStackTheirPagesDownwards)
{
    LayoutRequest r = Sheet200x287(8);
    r.pages = 3;
    r.dial = Dial(500, 500);  // its size does not matter outside modes 1 and 12
    const auto layout = ComputeLayout(r);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->drawingMm, (gdi::Size{200, 861}));
    EXPECT_EQ(layout->drawingPx, (gdi::Size{756, 3255}));
    EXPECT_EQ(layout->pageCount, 3);

    // Mode 1 ignores the page count: only the dial decides.
    r.mode = kScaleDrawingMode;
    r.dial = Dial(100, 100);
    EXPECT_EQ(ComputeLayout(r)->pageCount, 1);
}

TEST(ViewLayout, StyleAtScaleIsLaidOutFromTheStyle)
{
    LayoutRequest r = Sheet200x287(kStyleAtScaleMode);
    DialExtent d = Dial(160, 180, 2.0, false);
    d.styleLengthMm = 250.5;  // 946.77 px, truncated: more than one sheet wide
    d.styleHeightMm = 40;     // 40 x 2 = 80 mm: 302.36 px, truncated
    r.dial = d;
    const auto layout = ComputeLayout(r);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->wantedPx, (gdi::Size{946, 302}));
    EXPECT_EQ(layout->drawingMm, (gdi::Size{400, 287}));
    EXPECT_EQ(layout->pageCount, 2);
    EXPECT_EQ(layout->dialRect, (gdi::Rect{0, 0, 946, 302}));
}

TEST(ViewLayout, WithoutADialTheDrawingIsOneSheet)
{
    const auto layout = ComputeLayout(Sheet200x287());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->pageCount, 1);
    EXPECT_EQ(layout->dialRect, (gdi::Rect{0, 0, 756, 1085}));
}

TEST(ViewLayout, EmptySheetsAndResolutionsAreRefused)
{
    // A zero sheet would tile forever and divide by zero.
    for (gdi::Size sheet : {gdi::Size{0, 287}, gdi::Size{200, 0}, gdi::Size{-5, 287}}) {
        LayoutRequest r = Sheet200x287();
        r.sheetMm = sheet;
        r.dial = Dial(201, 287);
        EXPECT_FALSE(ComputeLayout(r)) << sheet.cx << " x " << sheet.cy;
    }
    LayoutRequest r = Sheet200x287();
    r.pixelsPerInchY = 0;
    EXPECT_FALSE(ComputeLayout(r));
    EXPECT_EQ(GridOf({1512, 1085}, {0, 1085}).columns, 0);
}

TEST(ViewLayout, HugeDialsSaturateInsteadOfOverflowing)
{
    LayoutRequest r = Sheet200x287();
    r.dial = Dial(std::numeric_limits<int>::max(), 100, 1000.0);
    const auto layout = ComputeLayout(r);
    ASSERT_TRUE(layout);
    EXPECT_GE(layout->drawingPx.cx, layout->wantedPx.cx - layout->sheetPx.cx);
    EXPECT_GT(layout->pageCount, 0);
    EXPECT_GT(layout->drawingMm.cx, 0);
}

TEST(ViewLayout, ZoomScalesTheScrollableSize)
{
    EXPECT_EQ(Zoomed({1512, 1085}, 0.5), (gdi::Size{756, 543}));  // 542.5 rounds up
    EXPECT_EQ(Zoomed({1512, 1085}, 0.1), (gdi::Size{151, 109}));
    EXPECT_EQ(Zoomed({1 << 30, 10}, 5.0).cx, std::numeric_limits<int>::max());
    EXPECT_DOUBLE_EQ(kZoomFactors.front(), 0.1);
    EXPECT_DOUBLE_EQ(kZoomFactors[4], 1.0);
    EXPECT_DOUBLE_EQ(ClampZoom(0.0), kMinZoom);
    EXPECT_DOUBLE_EQ(ClampZoom(std::numeric_limits<double>::quiet_NaN()), 1.0);
    EXPECT_DOUBLE_EQ(ClampZoom(1e9), kMaxZoom);
}

TEST(ViewLayout, FullFrameFitsOneSheetInTheClient)
{
    // A client larger than a sheet enlarges it until its height fills the client.
    EXPECT_DOUBLE_EQ(FullFrameZoom({756, 1085}, {1512, 1085}), 1.0);
    EXPECT_DOUBLE_EQ(FullFrameZoom({756, 1085}, {1512, 2170}), 2.0);
    // A small client shrinks it.
    EXPECT_DOUBLE_EQ(FullFrameZoom({756, 1085}, {378, 1085}), 0.5);
    EXPECT_DOUBLE_EQ(FullFrameZoom({756, 1085}, {0, 0}), 1.0);
}

TEST(ViewLayout, EachPrintedSheetShowsItsPartOfTheDrawing)
{
    // Two columns and two rows of 200 x 287 mm sheets, printed at 600 dpi: a sheet is
    // 200 x 600 / 25.4 = 4724.4 -> 4724 pixels wide and 287 x 600 / 25.4 = 6779.5 -> 6780 high.
    const gdi::Size drawing{400, 574};
    const gdi::Size sheet{200, 287};
    const auto corner = [](int page, gdi::Size drawingMm, gdi::Size sheetMm, int dpiX, int dpiY) {
        const gdi::Rect r = SheetRect(page, drawingMm, sheetMm, dpiX, dpiY);
        return gdi::Point{r.left, r.top};
    };
    EXPECT_EQ(corner(1, drawing, sheet, 600, 600), (gdi::Point{0, 0}));
    EXPECT_EQ(corner(2, drawing, sheet, 600, 600), (gdi::Point{4724, 0}));
    EXPECT_EQ(corner(3, drawing, sheet, 600, 600), (gdi::Point{0, 6780}));
    EXPECT_EQ(corner(4, drawing, sheet, 600, 600), (gdi::Point{4724, 6780}));
    // One column: the sheets follow each other downwards; different resolutions per axis.
    EXPECT_EQ(corner(3, {200, 861}, sheet, 300, 600), (gdi::Point{0, 13559}));
    EXPECT_EQ(corner(2, drawing, {0, 287}, 600, 600), (gdi::Point{0, 0}));
}

TEST(ViewLayout, GraphAndTablePagesKeepTheirMargins)
{
    const gdi::Size sheet{756, 1085};  // 0.03 W = 22.68 -> 22
    EXPECT_EQ(PageRectsForMode(4, sheet)->first, (gdi::Rect{22, 217, 734, 868}));
    EXPECT_EQ(PageRectsForMode(5, sheet)->first, (gdi::Rect{22, 325, 734, 760}));  // 0.3 H = 325.5
    EXPECT_EQ(PageRectsForMode(11, sheet)->first, (gdi::Rect{22, 108, 734, 977}));
    EXPECT_EQ(PageRectsForMode(19, sheet)->first, PageRectsForMode(11, sheet)->first);
    const auto both = PageRectsForMode(6, sheet);
    ASSERT_TRUE(both && both->second);
    EXPECT_EQ(both->first, (gdi::Rect{22, 60, 734, 602}));
    EXPECT_EQ(*both->second, (gdi::Rect{22, 663, 734, 1024}));
    // The azimuth-altitude graph: a narrow margin on a landscape sheet only.
    EXPECT_EQ(PageRectsForMode(15, sheet)->first, (gdi::Rect{22, 217, 734, 868}));
    EXPECT_EQ(PageRectsForMode(15, gdi::Size{1085, 756})->first, (gdi::Rect{32, 37, 1053, 719}));
    EXPECT_FALSE(PageRectsForMode(1, sheet));
    EXPECT_FALSE(PageRectsForMode(8, sheet));
}

TEST(ViewLayout, PreviewShowsTwoPagesForADrawingLargerThanASheet)
{
    EXPECT_FALSE(PreviewTwoPages({200, 287}, {200, 287}));
    EXPECT_TRUE(PreviewTwoPages({400, 287}, {200, 287}));
    EXPECT_TRUE(PreviewTwoPages({200, 574}, {200, 287}));
}
