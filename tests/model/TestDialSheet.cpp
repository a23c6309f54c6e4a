// The dial as a whole: the order of its families, clipping to its rectangle, the shapes it
// records for the export, the style's shadow, the sheet, the indications, printing.
#include "DialRecording.h"
#include "DialTestDials.h"

#include "model/Astronomy.h"
#include "model/DialPlace.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numbers>

using namespace dialtest;

namespace {

class DialSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAstroState();
        GiveEntriesOwnColours();
    }
    void TearDown() override
    {
        ResetColorTable();
        SetDialPlaceSource({});
        GetProfile().DeleteValue("Options\\General", "bCouleurCadran");
    }

    // Every family on, on a dial of 300 mm: many lines leave it.
    static void EverythingOn(CCadran& dial)
    {
        CPrefs& p = dial.prefs;
        p.quarterHourLines = 1;
        p.noonMark = 1;
        p.noonMarkPointer = 1;
        p.italicHours = 1;
        p.babylonianHours = 1;
        p.horizontalLines = 1;
        p.extendHourLines = 1;
        p.axesXY = 1;
        p.substyleLine = 1;
        p.steepestSlopeLine = 1;
        p.indications = 1;
        dial.particularDates = {1905, 1508};
    }
};

// ------------------------------------------------------------------------- clipping

TEST_F(DialSheet, IsInsideDialKeepsMovesOrDropsASegment)
{
    HorizontalDial dial;
    const gdi::Rect r{0, 0, 100, 50};
    gdi::Point a{10, 10}, b{100, 50};  // right and bottom edges count as inside
    EXPECT_TRUE(dial.IsInsideDial(r, a, b));
    EXPECT_EQ(b, (gdi::Point{100, 50}));

    a = {-10, 25};  // both outside, crossing the whole rectangle: dropped
    b = {110, 25};
    EXPECT_FALSE(dial.IsInsideDial(r, a, b));

    for (const auto& [out, exit] : std::vector<std::pair<gdi::Point, gdi::Point>>{
             {{50, -50}, {50, 0}}, {{250, 25}, {100, 25}}, {{50, 125}, {50, 50}}, {{-150, 25}, {0, 25}},
             {{-50, -50}, {17, 0}}, {{200, 225}, {69, 50}}, {{150, -25}, {100, 0}}}) {
        a = {50, 25};
        b = out;
        EXPECT_TRUE(dial.IsInsideDial(r, a, b));
        EXPECT_EQ(a, (gdi::Point{50, 25}));
        EXPECT_EQ(b, exit) << out.x << "," << out.y;
        a = out;  // the same with the outside point first
        b = {50, 25};
        EXPECT_TRUE(dial.IsInsideDial(r, a, b));
        EXPECT_EQ(a, exit);
    }
}

TEST_F(DialSheet, ClipSegmentToDialRunsFromTheFirstPointToTheEdge)
{
    HorizontalDial dial;
    const gdi::Rect r{0, 0, 100, 100};
    gdi::Point a{50, 50}, b{60, 40};
    EXPECT_TRUE(dial.ClipSegmentToDial(r, a, b));
    EXPECT_EQ(a, (gdi::Point{50, 50}));
    EXPECT_EQ(b, (gdi::Point{100, 0}));

    a = {-50, 50};  // a first point outside is brought to the edge
    b = {0, 50};
    EXPECT_TRUE(dial.ClipSegmentToDial(r, a, b));
    EXPECT_EQ(a, (gdi::Point{0, 50}));
    EXPECT_EQ(b, (gdi::Point{100, 50}));

    a = {150, 50};  // pointing away from the rectangle
    b = {160, 50};
    EXPECT_FALSE(dial.ClipSegmentToDial(r, a, b));
}

TEST_F(DialSheet, ClipRayEndsOnTheEdge)
{
    HorizontalDial dial;
    const gdi::Rect r{0, 0, 100, 100};
    gdi::Point end;
    ASSERT_TRUE(dial.ClipRay(r, {50, 50}, dialtest::kDeg * 90.00001, end));  // within 0.0001 of vertical
    EXPECT_EQ(end, (gdi::Point{50, 0}));
    ASSERT_TRUE(dial.ClipRay(r, {50, 50}, -std::numbers::pi / 2, end));
    EXPECT_EQ(end, (gdi::Point{50, 100}));
    ASSERT_TRUE(dial.ClipRay(r, {50, 50}, std::numbers::pi / 4, end));
    EXPECT_EQ(end, (gdi::Point{100, 0}));
    ASSERT_TRUE(dial.ClipRay(r, {20, 50}, std::numbers::pi, end));
    EXPECT_EQ(end, (gdi::Point{0, 50}));
    EXPECT_FALSE(dial.ClipRay(r, {150, 50}, 0.0, end));
}

TEST_F(DialSheet, EveryLineStaysWithinTheDialAndReachesItsEdge)
{
    for (const double latitude : {47.25, -33.9}) {
        auto dial = MakeDial<HorizontalDial>(latitude, -6.03, 1.0);
        EverythingOn(*dial);
        gdi::RecordingDC dc;
        dial->Draw(dc);
        const gdi::Rect& r = dial->GetDrawRect();
        ASSERT_EQ(r, dial->dialRect);
        int onEdge = 0;
        for (const gdi::Record* line : dc.RecordsOf(gdi::RecordKind::Polyline)) {
            for (const gdi::Point p : line->points) {
                EXPECT_TRUE(p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom)
                    << p.x << "," << p.y;
                onEdge += p.x == r.left || p.x == r.right || p.y == r.top || p.y == r.bottom;
            }
        }
        EXPECT_GT(onEdge, 50) << latitude;
    }
}

// ------------------------------------------------------------------------- export

TEST_F(DialSheet, ExportRecordsEveryDrawnLine)
{
    for (const double latitude : {47.25, -33.9}) {
        for (const int mode : {3, 8, 14}) {
            auto dial = MakeDial<DecliningDial>(latitude, -6.03, 1.0, 2024, 20.0);
            EverythingOn(*dial);
            dial->prefs.diurnalArcMode = mode;
            dial->collectShapes = 1;
            WholeLinesRecording dc;
            dial->Draw(dc);
            const int drawn = dc.Count(gdi::RecordKind::Polyline);
            EXPECT_GT(drawn, 100);
            // The marks of the style's foot and centre are points, the rest lines.
            const auto points = std::count_if(dial->exportShapes.begin(), dial->exportShapes.end(),
                                              [](const auto& shape) { return shape->isPoint; });
            EXPECT_EQ(points, 2);
            EXPECT_EQ(static_cast<int>(dial->exportShapes.size() - points), drawn) << latitude << " mode " << mode;
            // In dial millimetres, within the sheet, and each with a line to draw.
            for (const auto& shape : dial->exportShapes) {
                EXPECT_GE(shape->GetCount(), shape->isPoint ? 1 : 2);
                for (const CDoublePoint& p : shape->points) {
                    EXPECT_TRUE(p.x >= 0.0 && p.x <= 300.0 && p.y >= 0.0 && p.y <= 300.0) << p.x << "," << p.y;
                }
            }
        }
    }
}

TEST_F(DialSheet, ExportedShapesMatchTheDrawingInMillimetres)
{
    auto dial = MakeDial<HorizontalDial>(47.25, -6.03, 1.0);
    dial->prefs.halfHourLines = 0;
    dial->prefs.diurnalArcMode = 1;
    dial->prefs.hourNumbers = 0;
    dial->prefs.styleMarking = 0;
    dial->collectShapes = 1;
    gdi::RecordingDC dc;
    dial->Draw(dc);
    const auto drawn = dc.RecordsOf(gdi::RecordKind::Polyline);
    ASSERT_EQ(drawn.size(), dial->exportShapes.size());
    const double pxPerMm = 96.0 / 25.4;
    for (size_t i = 0; i < drawn.size(); ++i) {
        const gdi::Record& line = *drawn[i];
        const CPolyline& shape = *dial->exportShapes[i];
        ASSERT_EQ(line.points.size(), static_cast<size_t>(shape.GetCount())) << i;
        for (size_t k = 0; k < line.points.size(); ++k) {
            // Device pixels from the sheet's top left corner against millimetres from its
            // bottom left corner: within a pixel and the tenth of a millimetre of the export.
            const double xMm = (line.points[k].x - dial->dialRect.left) / pxPerMm;
            const double yMm = 300.0 - (line.points[k].y - dial->dialRect.top) / pxPerMm;
            EXPECT_NEAR(shape.points[k].x, xMm, 0.4) << i << " " << k;
            EXPECT_NEAR(shape.points[k].y, yMm, 0.4) << i << " " << k;
        }
    }
}

// ------------------------------------------------------------------------- order

TEST_F(DialSheet, FamiliesAreDrawnInTheirFixedOrder)
{
    auto dial = MakeDial<HorizontalDial>(47.25, -6.03, 1.0, 2024, 0, 2000, 2000, 50, 50);
    dial->prefs.diurnalArcMode = 0;
    dial->prefs.horizontalLines = 1;
    dial->prefs.altitudeStep = 30;
    dial->prefs.indications = 1;
    dial->prefs.styleMarking = 0;
    dial->particularDates = {1905};
    gdi::RecordingDC dc;
    dial->Draw(dc);
    // Index of the first and last polyline of each colour entry, and of the first text.
    std::map<int, std::pair<size_t, size_t>> span;
    size_t firstText = 0;
    const auto& records = dc.Records();
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].kind == gdi::RecordKind::TextOut && firstText == 0)
            firstText = i;
        if (records[i].kind != gdi::RecordKind::Polyline)
            continue;
        const int e = EntryOf(records[i].pen);
        if (!span.count(e))
            span[e] = {i, i};
        span[e].second = i;
    }
    // half hours, equinoctial line, azimuth lines, altitude lines, solstice arcs, the date
    ASSERT_TRUE(span.count(6) && span.count(12) && span.count(28) && span.count(24) && span.count(15) &&
                span.count(19));
    EXPECT_LT(span[6].second, span[12].first);
    EXPECT_LT(span[12].second, span[28].first);
    EXPECT_LT(span[28].second, span[24].first);
    EXPECT_LT(span[24].second, span[15].first);
    EXPECT_LT(span[15].second, span[19].first);
    EXPECT_LT(span[19].second, firstText);
}

// ------------------------------------------------------------------------- shadow

TEST_F(DialSheet, StyleShadowOnlyWhenCast)
{
    auto dial = MakeDial<HorizontalDial>(47.25, -6.03, 1.0);
    dial->prefs = CPrefs();
    dial->prefs.hourLines = 0;
    dial->prefs.hourNumbers = 0;
    dial->shadowAzimuth = 0.3;
    dial->shadowAltitude = 0.6;
    {
        gdi::RecordingDC dc;
        dial->Draw(dc);
        EXPECT_EQ(dc.Count(gdi::RecordKind::Polygon), 0);
    }
    dial->castShadow = 1;
    const gdi::Point origin{dial->dialRect.left + dial->dialRect.Width() / 2,
                            dial->dialRect.top + dial->dialRect.Height() * 7 / 10};
    int dx = 0, dy = 0, bx = 0, by = 0;
    dial->Project(0.3, 0.6, dx, dy, true, true);
    dial->GetCentre(bx, by, true, false);
    const gdi::Point tip{origin.x + dx, origin.y + dy};
    const gdi::Point foot{origin.x + bx, origin.y + by};
    {
        gdi::RecordingDC dc;
        dial->Draw(dc);
        const auto polygons = dc.RecordsOf(gdi::RecordKind::Polygon);
        ASSERT_EQ(polygons.size(), 1u);
        // The extra point of the base dial is the style's foot itself.
        EXPECT_EQ(polygons[0]->points, (std::vector<gdi::Point>{origin, tip, foot}));
        EXPECT_EQ(polygons[0]->pen.width, 3);
        EXPECT_EQ(polygons[0]->brush.color, gdi::RGB(128, 128, 128));
    }
    dial->styleShape = 0;  // the polar style alone: from the centre to the nodus' shadow
    {
        gdi::RecordingDC dc;
        dial->Draw(dc);
        const auto segments = dc.Segments();
        EXPECT_EQ(dc.Count(gdi::RecordKind::Polygon), 0);
        EXPECT_NE(std::find(segments.begin(), segments.end(),
                            gdi::Segment{foot, tip, gdi::Pen{gdi::PS_SOLID, 3, gdi::RGB(128, 128, 128)}}),
                  segments.end());
    }
}

// ------------------------------------------------------------------------- sheet

TEST_F(DialSheet, BorderOnScreenAndOnPaper)
{
    auto dial = MakeDial<HorizontalDial>(47.25, -6.03, 1.0);
    const gdi::Rect r = dial->dialRect;
    {
        gdi::RecordingDC dc;
        dial->DrawBorder(dc);
        const auto boxes = dc.RecordsOf(gdi::RecordKind::Rectangle);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0]->args, (std::vector<int>{r.left, r.top, r.right, r.bottom}));
        EXPECT_EQ(boxes[0]->brush.color, gdi::PALETTEINDEX(1));
        EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"Horavel (www.orlune-software.example)"}));
    }
    GetProfile().WriteInt("Options\\General", "bCouleurCadran", 0);
    dial->marginX = dial->marginY = 19;
    dial->collectShapes = 1;
    {
        gdi::RecordingDC dc;
        dial->DrawBorder(dc);
        const auto fills = dc.RecordsOf(gdi::RecordKind::FillRect);
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0]->args[5], static_cast<int>(gdi::PALETTEINDEX(2)));
        const auto boxes = dc.RecordsOf(gdi::RecordKind::Rectangle);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0]->args, (std::vector<int>{r.left + 19, r.top + 19, r.right - 19, r.bottom - 19}));
        EXPECT_EQ(boxes[0]->brush.color, gdi::RGB(255, 255, 255));
        ASSERT_EQ(dial->exportShapes.size(), 1u);
        EXPECT_EQ(dial->exportShapes[0]->GetCount(), 5);
        EXPECT_DOUBLE_EQ(dial->exportShapes[0]->points[2].x, 300.0);
        EXPECT_DOUBLE_EQ(dial->exportShapes[0]->points[2].y, 300.0);
    }
    {
        // On paper: the sheet at the printer's resolution, white, with its cutting line.
        GetProfile().WriteInt("Options\\General", "bCouleurCadran", 1);
        gdi::RecordingDC printer(gdi::DeviceCaps::Page(600, 420, 594), true);
        dial->marginX = dial->marginY = 0;
        dial->DrawBorder(printer);
        const auto boxes = printer.RecordsOf(gdi::RecordKind::Rectangle);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0]->args[2], gdi::MulDiv(r.right, 600, 96));
        EXPECT_EQ(boxes[0]->brush.color, gdi::RGB(255, 255, 255));
        EXPECT_EQ(printer.Count(gdi::RecordKind::Polyline), 1);
    }
}

TEST_F(DialSheet, PrintingScalesTheDialRectangleOnce)
{
    auto dial = MakeDial<HorizontalDial>(47.25, -6.03, 1.0);
    dial->pixelsPerMmX = dial->pixelsPerMmY = 600 / 25.4;
    dial->marginX = dial->marginY = 100;
    gdi::RecordingDC printer(gdi::DeviceCaps::Page(600, 420, 594), true);
    dial->Draw(printer);
    const gdi::Rect& s = dial->dialRect;
    const gdi::Rect expected{gdi::MulDiv(s.left, 600, 96) + 100, gdi::MulDiv(s.top, 600, 96) + 100,
                             gdi::MulDiv(s.right, 600, 96) - 100, gdi::MulDiv(s.bottom, 600, 96) - 100};
    EXPECT_EQ(dial->GetDrawRect(), expected);
    // A rectangle given by the caller is taken as it is.
    const gdi::Rect given{0, 0, 7000, 7000};
    dial->Draw(printer, given);
    EXPECT_EQ(dial->GetDrawRect(), given);
}

TEST_F(DialSheet, IndicationsNameThePlaceAndTheDial)
{
    auto dial = MakeDial<HorizontalDial>(47.25, -6.03, 1.0);
    dial->prefs = CPrefs();
    dial->prefs.hourLines = 0;
    dial->prefs.hourNumbers = 0;
    dial->prefs.styleMarking = 0;
    dial->prefs.indications = 1;
    {
        gdi::RecordingDC dc;
        dial->Draw(dc);
        EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"CADRAN SOLAIRE HORIZONTAL"}));
    }
    SetDialPlaceSource([] {
        return std::optional<DialPlaceTexts>(
            DialPlaceTexts{"BESAN\xC3\x87ON", "FRANCE", "47\xC2\xB0 15' Nord", "6\xC2\xB0 2' Est"});
    });
    gdi::RecordingDC dc;
    dial->Draw(dc);
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"BESAN\xC3\x87ON, FRANCE 47\xC2\xB0 15' Nord 6\xC2\xB0 2' Est",
                                                    "CADRAN SOLAIRE HORIZONTAL"}));
    // g = 40 x 0.15 + 5 = 11 pixels: a horizontal dial writes it at its bottom, the others at
    // their top.
    const auto texts = dc.RecordsOf(gdi::RecordKind::TextOut);
    const gdi::Rect& r = dial->dialRect;
    EXPECT_EQ(texts[0]->font.height, -11);
    EXPECT_EQ(texts[0]->points[0].y, r.bottom - 33 + 2);
    EXPECT_EQ(texts[1]->points[0].y, r.bottom - 11 - 2);
    EXPECT_EQ(texts[0]->textAlign, gdi::TA_BOTTOM | gdi::TA_CENTER);
    EXPECT_EQ(texts[1]->textAlign, gdi::TA_BOTTOM | gdi::TA_CENTER);
    dial->typeCode = 5;
    gdi::RecordingDC top;
    dial->Draw(top);
    EXPECT_EQ(top.RecordsOf(gdi::RecordKind::TextOut)[1]->points[0].y, r.top + 33 - 2);
}

TEST_F(DialSheet, OddSettingsDrawNothingOutOfPlace)
{
    auto dial = MakeDial<HorizontalDial>(47.25, -6.03, 1.0);
    EverythingOn(*dial);
    dial->prefs.azimuthStep = 0;
    dial->prefs.altitudeStep = -10;
    dial->firstHour = -5;
    dial->lastHour = 99;
    dial->particularDates = {3213, 0, 1505};  // 32/13 and 0/0 are no dates
    dial->prefs.diurnalArcMode = 77;
    gdi::RecordingDC dc;
    dial->Draw(dc);
    EXPECT_GT(PolylinesOf(dc, 5).size(), 10u);
    // No arc mode, no azimuth or altitude step: only the two solstice arcs and the date.
    for (int entry = 9; entry <= 34; ++entry) {
        const size_t expected = entry == 9 || entry == 15 || entry == 19 ? 1u : 0u;
        EXPECT_EQ(PolylinesOf(dc, entry).size(), expected) << entry;
    }
}

}  // namespace
