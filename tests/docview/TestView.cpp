// The view without a display: layout over sheets into the document and the scroll bars,
// the page dispatcher's background, sheet lines and page marks, the dial at scale on screen
// and on paper, the tool set's life, the work put off until a paint is over, its commands
// and its settings.
#include "DocTestSupport.h"
#include "ViewTestSupport.h"
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "docview/CDrawingTools.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "docview/ViewWindow.h"
#include "platform/Profile.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using gdi::RecordKind;

// A context whose every fill asks the view for a new layout, as a table page does when it
// finds that it needs more sheets.
class RelayoutDC : public gdi::RecordingDC {
public:
    using RecordingDC::RecordingDC;
    int pages = 3;
    void FillRect(const gdi::Rect& rect, const gdi::Brush& brush) override
    {
        RecordingDC::FillRect(rect, brush);
        if (CHoravelView* view = GetView())
            view->RecalcLayout(pages);
    }
};

constexpr gdi::COLORREF kRed = gdi::RGB(255, 0, 0);

std::vector<gdi::Segment> SegmentsWith(const gdi::RecordingDC& dc, const gdi::Pen& pen)
{
    std::vector<gdi::Segment> out;
    for (const gdi::Segment& s : dc.Segments())
        if (s.pen == pen)
            out.push_back(s);
    return out;
}

class ViewTest : public ViewFixture<> {
protected:
    // A horizontal dial at Besançon of the given size (mm), tables filled, plain frame.
    CCadran& PutDial(int widthMm, int heightMm)
    {
        auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, widthMm, heightMm);
        dial->tablesValid = 1;
        dial->prefs.doubleFrame = 0;
        CCadran& ref = *dial;
        Doc().SetDial(std::move(dial));
        return ref;
    }

    // Paints the whole drawing as the screen would.
    void PaintScreen(gdi::RecordingDC& dc)
    {
        const gdi::Size drawing = Doc().GetDrawingSizePx();
        View().OnDraw(dc, {0, 0, drawing.cx, drawing.cy});
    }

    static gdi::RecordingDC Printer600(bool preview = false)
    {
        return gdi::RecordingDC(gdi::DeviceCaps::Page(600, 200, 287), true, preview);
    }

};

TEST_F(ViewTest, LayoutGoesToTheDocumentTheDialAndTheScrollBars)
{
    CCadran& dial = PutDial(201, 287);
    View().RecalcLayout(1);
    EXPECT_EQ(Doc().GetPageCount(), 2);
    EXPECT_EQ(Doc().GetDrawingSizeMm(), (gdi::Size{400, 287}));
    EXPECT_EQ(Doc().GetDrawingSizePx(), (gdi::Size{1512, 1085}));
    EXPECT_EQ(Doc().GetSheetSizePx(), (gdi::Size{756, 1085}));
    EXPECT_EQ(View().GetDialRect(), (gdi::Rect{376, 0, 1136, 1085}));
    EXPECT_EQ(dial.dialRect, View().GetDialRect());
    EXPECT_EQ(window_.total, (gdi::Size{1512, 1085}));
    EXPECT_EQ(window_.page, (gdi::Size{400, 300}));
    EXPECT_EQ(window_.line, (gdi::Size{16, 12}));

    // Below 1 the zoom shrinks what can be scrolled, and the paint shrinks the drawing
    // with it, so every part stays reachable.
    View().SetZoom(0.5);
    EXPECT_EQ(window_.total, (gdi::Size{756, 543}));

    // Outside the scale drawing the dial keeps its rectangle of the last scale layout.
    View().SetDisplayMode(8);
    View().RecalcLayout(2);
    EXPECT_EQ(Doc().GetPageCount(), 2);
    EXPECT_EQ(Doc().GetDrawingSizePx(), (gdi::Size{756, 2170}));
    EXPECT_EQ(dial.dialRect, (gdi::Rect{376, 0, 1136, 1085}));
}

TEST_F(ViewTest, ScreenShowsSheetBoundariesAndPaperNever)
{
    PutDial(201, 287);
    View().RecalcLayout(1);
    const gdi::Pen white = gdi::StockPen(gdi::WHITE_PEN);
    const gdi::Pen black = gdi::StockPen(gdi::BLACK_PEN);

    gdi::RecordingDC screen;
    PaintScreen(screen);
    // Between the two sheets and at the drawing's right and bottom edges.
    const std::vector<gdi::Segment> whites = SegmentsWith(screen, white);
    ASSERT_EQ(whites.size(), 3u);
    EXPECT_EQ(whites[0], (gdi::Segment{{756, 0}, {756, 1085}, white}));
    EXPECT_EQ(whites[1], (gdi::Segment{{1512, 0}, {1512, 1085}, white}));
    EXPECT_EQ(whites[2], (gdi::Segment{{0, 1085}, {1512, 1085}, white}));
    const std::vector<gdi::Segment> blacks = SegmentsWith(screen, black);
    EXPECT_TRUE(std::count(blacks.begin(), blacks.end(), gdi::Segment{{755, 0}, {755, 1085}, black}));
    EXPECT_TRUE(std::count(blacks.begin(), blacks.end(), gdi::Segment{{0, 1084}, {1512, 1084}, black}));

    gdi::RecordingDC paper = Printer600();
    View().PrintPage(paper, 1);
    EXPECT_TRUE(SegmentsWith(paper, white).empty());
}

TEST_F(ViewTest, ModeOneWithoutADialShowsBackgroundAndSheetLinesOnly)
{
    View().RecalcLayout(1);
    gdi::RecordingDC dc;
    PaintScreen(dc);
    const auto fills = dc.RecordsOf(RecordKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->points[1], (gdi::Point{756, 1085}));
    EXPECT_EQ(fills[0]->args[5], gdi::PALETTEINDEX(0));
    // A boundary at the right edge and one at the bottom, each black then white.
    EXPECT_EQ(dc.Count(RecordKind::LineTo), 4);
    for (RecordKind kind : {RecordKind::Polyline, RecordKind::Polygon, RecordKind::Rectangle, RecordKind::TextOut,
                            RecordKind::DrawText, RecordKind::Ellipse})
        EXPECT_EQ(dc.Count(kind), 0);

    // Paper is white.
    gdi::RecordingDC paper = Printer600();
    View().PrintPage(paper, 1);
    ASSERT_EQ(paper.Count(RecordKind::FillRect), 1);
    EXPECT_EQ(paper.RecordsOf(RecordKind::FillRect)[0]->args[5], gdi::RGB(255, 255, 255));
}

TEST_F(ViewTest, CuttingMarksAndSheetLimitsOnlyWhenAsked)
{
    PutDial(201, 287);
    View().RecalcLayout(1);
    const gdi::Pen solidRed{gdi::PS_SOLID, 1, kRed};
    const gdi::Pen dashedRed{gdi::PS_DASH, 1, kRed};

    {
        gdi::RecordingDC paper = Printer600();
        View().PrintPage(paper, 1);
        EXPECT_TRUE(SegmentsWith(paper, solidRed).empty());
        EXPECT_TRUE(SegmentsWith(paper, dashedRed).empty());
    }

    GetProfile().WriteInt("Options\\General", "bTraceReperesCoupe", 1);
    {
        gdi::RecordingDC paper = Printer600();
        View().PrintPage(paper, 2);
        // 3 x 2 sheet corners, each a square of 4 sides and its 2 diagonals, on the edges of
        // the printed sheets: 200 x 6000 / 254 = 4724.4 -> 4724 printer pixels apart across,
        // 287 x 6000 / 254 = 6779.5 -> 6780 down; the mark 10 x 600 / 96 = 62.5 -> 63.
        const std::vector<gdi::Segment> marks = SegmentsWith(paper, solidRed);
        EXPECT_EQ(marks.size(), 36u);
        EXPECT_TRUE(std::count(marks.begin(), marks.end(), gdi::Segment{{4661, -63}, {4787, 63}, solidRed}));
        EXPECT_TRUE(std::count(marks.begin(), marks.end(), gdi::Segment{{9449 - 63, 6780 + 63}, {9449 - 63, 6780 - 63}, solidRed}));
        EXPECT_TRUE(SegmentsWith(paper, dashedRed).empty());
    }

    GetProfile().WriteInt("Options\\General", "bTraceReperesCoupe", 0);
    GetProfile().WriteInt("Options\\General", "bTraceLimitesPages", 1);
    {
        gdi::RecordingDC paper = Printer600();
        View().PrintPage(paper, 1);
        // On the first pixel after each edge and the last before it, so that each sheet shows
        // its four limits: 4 vertical, 2 horizontal.
        const std::vector<gdi::Segment> limits = SegmentsWith(paper, dashedRed);
        ASSERT_EQ(limits.size(), 6u);
        EXPECT_EQ(limits[1], (gdi::Segment{{4723, 0}, {4723, 6780}, dashedRed}));
        EXPECT_EQ(limits[2], (gdi::Segment{{4724, 0}, {4724, 6780}, dashedRed}));
        EXPECT_EQ(limits[3], (gdi::Segment{{9448, 0}, {9448, 6780}, dashedRed}));
        EXPECT_EQ(limits[5], (gdi::Segment{{0, 6779}, {9449, 6779}, dashedRed}));
        EXPECT_TRUE(SegmentsWith(paper, solidRed).empty());
    }

    // A drawing of one sheet has nothing to assemble.
    GetProfile().WriteInt("Options\\General", "bTraceReperesCoupe", 1);
    PutDial(150, 150);
    View().RecalcLayout(1);
    gdi::RecordingDC paper = Printer600();
    View().PrintPage(paper, 1);
    EXPECT_TRUE(SegmentsWith(paper, solidRed).empty());
    EXPECT_TRUE(SegmentsWith(paper, dashedRed).empty());
}

TEST_F(ViewTest, EachPrintedSheetIsPlacedByItsViewportOrigin)
{
    CCadran& dial = PutDial(201, 287);
    dial.prefs.doubleFrame = 1;
    dial.prefs.frameThickness = 5;
    View().RecalcLayout(1);

    gdi::RecordingDC paper = Printer600();
    View().PrintPage(paper, 2);
    EXPECT_EQ(paper.GetViewportOrg(), (gdi::Point{-4724, 0}));
    // The frame's band is the dial rectangle scaled from 96 to 600 dpi: 376 -> 2350,
    // 1136 -> 7100, 1085 -> 6781.25; on the second sheet it starts left of the paper.
    const auto fills = paper.RecordsOf(RecordKind::FillRect);
    const auto band = std::find_if(fills.begin(), fills.end(),
                                   [](const gdi::Record* r) { return r->args[5] == gdi::PALETTEINDEX(2); });
    ASSERT_NE(band, fills.end());
    EXPECT_EQ((*band)->points[0], (gdi::Point{2350, 0}));
    EXPECT_EQ((*band)->points[1], (gdi::Point{7100, 6781}));
    EXPECT_EQ((*band)->devicePoints[0], (gdi::Point{2350 - 4724, 0}));
    // Paper larger than the sheet carries the sheet's tile only, up to the next sheet's edge.
    gdi::RecordingDC large(gdi::DeviceCaps::Page(600, 210, 297), true);
    View().PrintPage(large, 2);
    EXPECT_EQ(large.GetClipBox(), (gdi::Rect{4724, 0, 9449, 6780}));
    // Margins of 5 mm at the printer's resolution: 5 x 6000 / 254 = 118.1.
    EXPECT_EQ(dial.marginX, 118);
    EXPECT_DOUBLE_EQ(dial.pixelsPerMmX, 600 / 25.4);

    // Back on screen: 5 x 960 / 254 = 18.9.
    gdi::RecordingDC screen;
    PaintScreen(screen);
    EXPECT_EQ(dial.marginX, 19);
    EXPECT_EQ(dial.marginY, 19);
}

TEST_F(ViewTest, DialIsDrawnOnlyWithValidTablesAndInTheGivenRectangleForExports)
{
    CCadran& dial = PutDial(160, 180);
    View().RecalcLayout(1);
    dial.tablesValid = 0;
    gdi::RecordingDC dc;
    View().DrawDialAtScale(dc, View().GetDialRect());
    EXPECT_TRUE(dc.Records().empty());

    dial.tablesValid = 1;
    gdi::RecordingDC exported;
    View().DrawPage(exported, {0, 0, 300, 200}, true);
    EXPECT_EQ(exported.Count(RecordKind::FillRect), 0);  // no background, and a plain frame
    ASSERT_GT(exported.Count(RecordKind::Rectangle), 0);
    const gdi::Record* border = exported.RecordsOf(RecordKind::Rectangle)[0];
    EXPECT_EQ(border->points[0], (gdi::Point{0, 0}));
    EXPECT_EQ(border->points[1], (gdi::Point{300, 200}));
    EXPECT_GT(exported.Segments().size(), 50u);
}

TEST_F(ViewTest, ToolSetIsRebuiltOnlyWhenThePrintingStateChanges)
{
    PutDial(160, 180);
    View().RecalcLayout(1);
    gdi::RecordingDC screen;
    PaintScreen(screen);
    const CDrawingTools* first = View().GetDrawingTools();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->BuiltForPrinting());
    PaintScreen(screen);
    EXPECT_EQ(View().GetDrawingTools(), first);
    // Only while painting do the drawing functions find it.
    EXPECT_EQ(GetDrawingTools(), nullptr);

    gdi::RecordingDC paper = Printer600();
    View().PrintPage(paper, 1);
    const CDrawingTools* printing = View().GetDrawingTools();
    EXPECT_TRUE(printing->BuiltForPrinting());
    EXPECT_DOUBLE_EQ(printing->Scale(), 6.25);
    View().PrintPage(paper, 1);
    EXPECT_EQ(View().GetDrawingTools(), printing);

    PaintScreen(screen);
    EXPECT_FALSE(View().GetDrawingTools()->BuiltForPrinting());
}

TEST_F(ViewTest, LayoutAskedForDuringAPaintWaitsForItsEnd)
{
    View().SetDisplayMode(8);
    View().RecalcLayout(1);
    const int before = window_.invalidations;
    RelayoutDC dc;
    View().OnDraw(dc, {0, 0, 756, 1085});
    EXPECT_EQ(Doc().GetPageCount(), 1);
    EXPECT_EQ(window_.deferredRequests, 1);

    View().RunDeferred();
    EXPECT_EQ(Doc().GetPageCount(), 3);
    EXPECT_EQ(Doc().GetDrawingSizePx(), (gdi::Size{756, 3255}));
    EXPECT_EQ(window_.invalidations, before + 1);

    // The same request again changes nothing, so nothing is repainted: no endless loop.
    View().OnDraw(dc, {0, 0, 756, 1085});
    View().RunDeferred();
    EXPECT_EQ(window_.invalidations, before + 1);
}

TEST_F(ViewTest, EphemerisToolBarFollowsTheModeAfterThePaint)
{
    View().SetDisplayMode(CHoravelView::kEphemerides);
    View().RecalcLayout(1);
    gdi::RecordingDC dc;
    View().OnDraw(dc, {0, 0, 100, 100});
    EXPECT_EQ(window_.toolBarToggles, 0);
    View().RunDeferred();
    EXPECT_TRUE(window_.ephemerisShown);

    View().OnDraw(dc, {0, 0, 100, 100});
    View().RunDeferred();
    EXPECT_EQ(window_.toolBarToggles, 1);

    View().SetDisplayMode(1);
    View().OnDraw(dc, {0, 0, 100, 100});
    View().RunDeferred();
    EXPECT_FALSE(window_.ephemerisShown);
    EXPECT_EQ(window_.toolBarToggles, 2);
}

TEST_F(ViewTest, DisplayZoomAndPrintCommands)
{
    PutDial(201, 287);
    const CommandRouter router = CommandRouter::Fixed({&View().Commands()});
    EXPECT_TRUE(router.Update(32813).IsEnabled());
    EXPECT_TRUE(router.Update(32815).IsEnabled());  // the style plan
    EXPECT_TRUE(router.Update(32849).IsEnabled());  // both renderers of the graph and table exist
    EXPECT_TRUE(router.Update(32992).IsEnabled());  // drawn, though no menu offers it

    View().SetDisplayMode(8);
    EXPECT_TRUE(router.Execute(32813));
    EXPECT_EQ(View().GetDisplayMode(), 1);
    EXPECT_EQ(Doc().GetPageCount(), 2);
    EXPECT_EQ(window_.erasingInvalidations, 1);

    EXPECT_TRUE(router.Execute(33100));
    EXPECT_DOUBLE_EQ(View().GetZoom(), 0.1);
    EXPECT_EQ(window_.total, (gdi::Size{151, 109}));
    EXPECT_TRUE(router.Update(33100).IsChecked());
    EXPECT_FALSE(router.Update(33104).IsChecked());
    EXPECT_TRUE(router.Execute(33109));
    EXPECT_DOUBLE_EQ(View().GetZoom(), 5.0);

    window_.client = {1512, 2170};
    EXPECT_TRUE(router.Execute(33110));
    EXPECT_DOUBLE_EQ(View().GetZoom(), 2.0);

    EXPECT_TRUE(router.Execute(CHoravelView::kPrintCommand));
    EXPECT_TRUE(router.Execute(CHoravelView::kPrintPreviewCommand));
    EXPECT_EQ(window_.prints, 1);
    EXPECT_EQ(window_.previews, 1);

    EXPECT_EQ(CHoravelView::CommandMode(32954), 17);
    EXPECT_EQ(CHoravelView::ModeCommand(2), 0);
    EXPECT_FALSE(View().SetDisplayMode(21));
}

TEST_F(ViewTest, SettingsComeFromAndGoBackToTheProfile)
{
    // Nothing saved yet: the defaults.
    EXPECT_EQ(View().GetDefaultDimensions(), (CHoravelView::DefaultDimensions{25, 0, 40, 160, 180}));
    EXPECT_EQ(View().GetDefaultPrefs().hours24, 1);
    EXPECT_EQ(View().GetDefaultPrefs().diurnalArcMode, 3);

    Profile& profile = GetProfile();
    profile.WriteInt("Options\\Dimensions", "Largeur", 300);
    profile.WriteInt("Options\\Trace", "Lignes15mn", 1);
    profile.WriteInt("Options\\Marquage", "Legende", 1);
    CHoravelView other(nullptr);
    EXPECT_EQ(other.GetDefaultDimensions().width, 300);
    EXPECT_EQ(other.GetDefaultPrefs().quarterHourLines, 1);
    // The indications block is never brought back on.
    EXPECT_EQ(other.GetDefaultPrefs().indications, 0);

    other.GetDefaultDimensions().baseLimit = 55;
    other.GetDefaultPrefs().romanNumerals = 0;
    other.SaveViewSettings(profile);
    EXPECT_EQ(profile.GetInt("Options\\Dimensions", "LimiteBase", -1), 55);
    EXPECT_EQ(profile.GetInt("Options\\Marquage", "Romain", -1), 0);
    EXPECT_EQ(profile.GetInt("Options\\Marquage", "Legende", -1), 0);
}

TEST_F(ViewTest, DestroyedViewSavesItsSettingsAndLeavesTheContext)
{
    View().GetDefaultDimensions().height = 222;
    EXPECT_EQ(GetView(), &View());
    view_.reset();
    EXPECT_EQ(GetView(), nullptr);
    EXPECT_EQ(GetProfile().GetInt("Options\\Dimensions", "Hauteur", -1), 222);
}

}  // namespace
