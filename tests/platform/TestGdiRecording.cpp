// The shared device-context state and the recording backend.
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

using namespace gdi;

namespace {

LogFont Font(int height, std::string face = "ARIAL")
{
    LogFont f;
    f.height = height;
    f.faceName = std::move(face);
    return f;
}

}  // namespace

TEST(RecordingDC, SelectionAndSettersReturnWhatWasThereBefore)
{
    RecordingDC dc;
    const Pen red{PS_DASH, 3, RGB(255, 0, 0)};
    EXPECT_EQ(dc.SelectPen(red), StockPen(BLACK_PEN));
    EXPECT_EQ(dc.SelectStockPen(NULL_PEN), red);
    EXPECT_EQ(dc.GetCurrentPen().style, PS_NULL);

    EXPECT_EQ(dc.SelectBrush({BS_SOLID, RGB(1, 2, 3)}), StockBrush(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectStockBrush(NULL_BRUSH).color, RGB(1, 2, 3));

    EXPECT_EQ(dc.SelectFont(Font(-12)), LogFont{});
    EXPECT_EQ(dc.SelectFont(Font(-20, "Wingdings")).height, -12);
    EXPECT_EQ(dc.GetCurrentFont().faceName, "Wingdings");

    EXPECT_EQ(dc.SetTextColor(RGB(9, 9, 9)), RGB(0, 0, 0));
    EXPECT_EQ(dc.SetBkColor(RGB(7, 7, 7)), RGB(255, 255, 255));
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetBkMode(42), 0);  // not a mode: refused, nothing changes
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(dc.SetTextAlign(TA_CENTER | TA_BASELINE), TA_LEFT | TA_TOP);
    EXPECT_EQ(dc.GetTextAlign(), TA_CENTER | TA_BASELINE);
    EXPECT_EQ(dc.MoveTo(4, 5), (Point{0, 0}));
    EXPECT_EQ(dc.MoveTo(6, 7), (Point{4, 5}));
}

TEST(RecordingDC, SaveAndRestoreNestAndRestoreByLevel)
{
    RecordingDC dc;
    const Pen p1{PS_SOLID, 1, RGB(1, 0, 0)};
    const Pen p2{PS_SOLID, 1, RGB(2, 0, 0)};
    const Pen p3{PS_SOLID, 1, RGB(3, 0, 0)};

    dc.SelectPen(p1);
    dc.SetViewportOrg(10, 10);
    EXPECT_EQ(dc.SaveDC(), 1);
    dc.SelectPen(p2);
    dc.SetTextAlign(TA_RIGHT);
    dc.MoveTo(3, 4);
    const Rect clip{0, 0, 50, 50};
    dc.SelectClipRect(&clip);
    dc.SetPalette({RGB(0, 0, 255)});
    EXPECT_EQ(dc.SaveDC(), 2);
    dc.SelectPen(p3);
    dc.SetViewportOrg(0, 0);
    EXPECT_EQ(dc.SaveDC(), 3);
    dc.SelectStockPen(NULL_PEN);

    EXPECT_TRUE(dc.RestoreDC(-1));  // back to the third save
    EXPECT_EQ(dc.GetCurrentPen(), p3);
    EXPECT_EQ(dc.SaveLevel(), 2);

    EXPECT_TRUE(dc.RestoreDC(2));
    EXPECT_EQ(dc.GetCurrentPen(), p2);
    EXPECT_EQ(dc.GetTextAlign(), static_cast<unsigned>(TA_RIGHT));
    EXPECT_EQ(dc.GetCurrentPosition(), (Point{3, 4}));
    EXPECT_EQ(dc.GetViewportOrg(), (Point{10, 10}));
    EXPECT_EQ(dc.GetClipBox(), clip);
    EXPECT_EQ(dc.ResolveColor(PALETTEINDEX(0)), RGB(0, 0, 255));
    EXPECT_EQ(dc.SaveLevel(), 1);

    // Levels that do not exist are refused and change nothing.
    EXPECT_FALSE(dc.RestoreDC(2));
    EXPECT_FALSE(dc.RestoreDC(0));
    EXPECT_FALSE(dc.RestoreDC(-2));
    EXPECT_EQ(dc.GetCurrentPen(), p2);

    // A new save takes the level just freed; -2 goes back two saves at once.
    EXPECT_EQ(dc.SaveDC(), 2);
    EXPECT_TRUE(dc.RestoreDC(-2));
    EXPECT_EQ(dc.GetCurrentPen(), p1);
    EXPECT_EQ(dc.GetClipBox(), (Rect{-10, -10, 1270, 1014}));
    EXPECT_EQ(dc.ResolveColor(PALETTEINDEX(0)), RGB(0, 0, 0));
    EXPECT_EQ(dc.SaveLevel(), 0);
}

TEST(RecordingDC, OriginsMapLogicalToDeviceAndClipStaysOnTheDevice)
{
    RecordingDC dc;
    dc.SetViewportOrg(100, 50);
    dc.SetWindowOrg(30, 20);
    Point pts[2] = {{0, 0}, {40, 25}};
    dc.LPtoDP(pts, 2);
    EXPECT_EQ(pts[0], (Point{70, 30}));
    EXPECT_EQ(pts[1], (Point{110, 55}));
    dc.DPtoLP(pts, 2);
    EXPECT_EQ(pts[1], (Point{40, 25}));

    dc.MoveTo(0, 0);
    dc.LineTo(10, 5);
    const Record& line = dc.Records().back();
    EXPECT_EQ(line.devicePoints, (std::vector<Point>{{70, 30}, {80, 35}}));

    // Clip rectangles are kept in device coordinates: moving the origin moves the box.
    dc.IntersectClipRect({0, 0, 100, 100});
    dc.IntersectClipRect({50, -10, 200, 60});
    EXPECT_EQ(dc.GetClipBox(), (Rect{50, 0, 100, 60}));
    dc.SetWindowOrg(0, 0);
    EXPECT_EQ(dc.GetClipBox(), (Rect{20, -20, 70, 40}));
    dc.IntersectClipRect({500, 500, 600, 600});
    EXPECT_TRUE(dc.GetClipBox().IsNull());
    dc.SelectClipRect(nullptr);
    EXPECT_EQ(dc.GetClipBox(), (Rect{-100, -50, 1180, 974}));
}

TEST(RecordingDC, PaletteIndexColoursResolveThroughThePalette)
{
    RecordingDC dc;
    dc.SetPalette({RGB(10, 20, 30), RGB(40, 50, 60)});
    EXPECT_EQ(dc.ResolveColor(PALETTEINDEX(1)), RGB(40, 50, 60));
    EXPECT_EQ(dc.ResolveColor(PALETTEINDEX(2)), RGB(0, 0, 0));
    EXPECT_EQ(dc.ResolveColor(RGB(1, 2, 3) | 0x02000000u), RGB(1, 2, 3));
}

TEST(RecordingDC, FontMetricsAreFixed)
{
    RecordingDC dc;
    dc.SelectFont(Font(-20));
    const TextMetrics tm = dc.GetTextMetrics();
    EXPECT_EQ(tm.height, 20);
    EXPECT_EQ(tm.ascent, 16);
    EXPECT_EQ(tm.descent, 4);
    EXPECT_EQ(tm.aveCharWidth, 12);
    EXPECT_EQ(dc.GetTextExtent("abc"), (Size{36, 20}));
    EXPECT_EQ(dc.GetTextExtent("\xC3\xA9t\xC3\xA9"), (Size{36, 20}));  // three characters

    dc.SelectFont(Font(0));
    EXPECT_EQ(dc.GetTextMetrics().height, 16);  // 12 points at 96 dpi
    RecordingDC printer(DeviceCaps::Page(300, 210, 297), true);
    printer.SelectFont(Font(0));
    EXPECT_EQ(printer.GetTextMetrics().height, 50);
    EXPECT_EQ(printer.GetDeviceCaps(HORZRES), 2480);
    EXPECT_EQ(printer.GetDeviceCaps(VERTSIZE), 297);
    EXPECT_TRUE(printer.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 339);
}

TEST(RecordingDC, DrawTextBreaksWordsAlignsAndMeasures)
{
    RecordingDC dc;
    dc.SelectFont(Font(-10));  // characters 6 wide, lines 10 high

    Rect box{100, 200, 145, 300};
    EXPECT_EQ(dc.DrawText("aaa bbb ccc", box, DT_WORDBREAK | DT_CENTER), 20);
    const std::vector<TextLine>& lines = dc.Records().back().lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "aaa bbb");
    EXPECT_EQ(lines[1].text, "ccc");
    EXPECT_EQ(lines[0].x, 100 + (45 - 42) / 2);
    EXPECT_EQ(lines[1].x, 100 + (45 - 18) / 2);
    EXPECT_EQ(lines[1].y, 210);
    EXPECT_EQ(box, (Rect{100, 200, 145, 300}));  // only DT_CALCRECT changes the box

    // A word wider than the box stays whole; explicit line breaks always break.
    Rect calc{0, 0, 20, 0};
    EXPECT_EQ(dc.DrawText("abcdefgh i\r\nj\nk", calc, DT_WORDBREAK | DT_CALCRECT), 40);
    EXPECT_EQ(calc, (Rect{0, 0, 48, 40}));
    EXPECT_EQ(dc.Texts().back(), "abcdefgh i\r\nj\nk");

    Rect single{0, 0, 100, 31};
    EXPECT_EQ(dc.DrawText("x y", single, DT_SINGLELINE | DT_VCENTER | DT_RIGHT), 10 + 10);
    ASSERT_EQ(dc.Records().back().lines.size(), 1u);
    EXPECT_EQ(dc.Records().back().lines[0].x, 100 - 18);
    EXPECT_EQ(dc.Records().back().lines[0].y, 10);
}

TEST(RecordingDC, RecordsCarryTheStateAndTheirSegments)
{
    RecordingDC dc;
    dc.SetViewportOrg(5, 5);
    const Pen blue{PS_DOT, 1, RGB(0, 0, 255)};
    dc.SelectPen(blue);
    dc.MoveTo(0, 0);
    dc.LineTo(10, 0);
    const Point poly[3] = {{0, 10}, {10, 10}, {10, 20}};
    dc.Polyline(poly, 3);
    dc.SelectStockPen(BLACK_PEN);
    const Point tri[3] = {{0, 0}, {4, 0}, {0, 4}};
    dc.Polygon(tri, 3);
    dc.Rectangle(0, 0, 5, 5);

    const std::vector<Segment> segs = dc.Segments();
    ASSERT_EQ(segs.size(), 6u);
    EXPECT_EQ(segs[0], (Segment{{0, 0}, {10, 0}, blue}));
    EXPECT_EQ(segs[2], (Segment{{10, 10}, {10, 20}, blue}));
    EXPECT_EQ(segs[5], (Segment{{0, 4}, {0, 0}, StockPen(BLACK_PEN)}));
    EXPECT_EQ(dc.Segments(true)[0].to, (Point{15, 5}));
    EXPECT_EQ(dc.Count(RecordKind::Rectangle), 1);

    dc.SelectFont(Font(-10));
    dc.SetTextAlign(TA_UPDATECP | TA_LEFT);
    dc.MoveTo(50, 60);
    dc.TextOut(0, 0, "abcd");
    dc.TextOut(0, 0, "ef");
    const std::vector<const Record*> texts = dc.RecordsOf(RecordKind::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1]->points[0], (Point{74, 60}));  // after the 24 pixels of "abcd"
    EXPECT_EQ(texts[1]->textAlign, static_cast<unsigned>(TA_UPDATECP));
    EXPECT_EQ(texts[1]->font.height, -10);
    EXPECT_EQ(dc.GetCurrentPosition(), (Point{86, 60}));
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"abcd", "ef"}));
}
