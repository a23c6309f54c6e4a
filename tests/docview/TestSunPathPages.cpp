// The azimuth-altitude graph and the stereographic diagram: the sun's paths against
// python3-ephem, the crossing of the north point, the horizon mask, and the diagram's geometry
// on screen and on a printer of unequal resolutions.
#include "DocTestSupport.h"
#include "PageReference.h"

#include "app/Accessors.h"
#include "docview/ColorTable.h"
#include "docview/SunPathPages.h"
#include "docview/ViewLayout.h"
#include "model/CCadranHorizontal.h"
#include "platform/RecordingDC.h"
#include "support/ShippedLanguage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

using gdi::RecordKind;

constexpr int kWidth = 794;
constexpr int kHeight = 1123;

class SunPathPages : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        GetAppContext().document = &Doc();
        Doc().SetDrawingSizePx({kWidth, kHeight});
        ResetColorTable();
        // Every path in a colour of its own (entries 10 and 11, 13 and 14 share one).
        for (int entry = 9; entry <= 15; ++entry)
            GetColorTableEntry(entry)->color = gdi::RGB(entry, 1, 2);
    }
    void TearDown() override
    {
        ResetColorTable();
        GetAppContext().document = nullptr;
        DocumentTest::TearDown();
    }
    void At(double latitude)
    {
        CDataBaseElement place = *Doc().GetLocation();
        place.latitude = latitude;
        Doc().SetLocation(&place);
    }
    static gdi::Rect PageRect()
    {
        return viewlayout::PageRectsForMode(15, {kWidth, kHeight})->first;
    }
    static gdi::Rect PlotRect()
    {
        const gdi::Rect page = PageRect();
        return {page.left + 50, page.top + 50, page.right - 10, page.bottom - 30};
    }
};

// The points of each path, by the colour entry of its pen.
std::map<int, std::vector<std::vector<gdi::Point>>> Paths(const gdi::RecordingDC& dc)
{
    std::map<int, std::vector<std::vector<gdi::Point>>> paths;
    for (const gdi::Record& r : dc.Records()) {
        const int entry = static_cast<int>(gdi::GetRValue(r.pen.color));
        if (r.pen.color != gdi::RGB(entry, 1, 2) || entry < 9 || entry > 15)
            continue;
        if (r.kind == RecordKind::MoveTo)
            paths[entry].push_back({r.points[0]});
        else if (r.kind == RecordKind::LineTo && !paths[entry].empty())
            paths[entry].back().push_back(r.points[1]);
    }
    return paths;
}

gdi::Point Map(const gdi::Rect& plot, double azimuth, double altitude)
{
    const int middle = (plot.left + plot.right) / 2;
    return {static_cast<int>(std::lround(plot.Width() * azimuth / 360.0 + middle)),
            static_cast<int>(std::lround(plot.bottom - altitude * plot.Height() / 90.0))};
}

}  // namespace

TEST_F(SunPathPages, PathsFollowTheSunAtEveryLatitude)
{
    const std::vector<pageref::Row> reference = pageref::ReadTable("sun_paths.csv");
    ASSERT_EQ(reference.size(), 1372u);
    const gdi::Rect plot = PlotRect();
    for (const double latitude : {47.25, -33.9, 10.0, 70.0}) {
        At(latitude);
        gdi::RecordingDC dc;
        DrawAzimuthAltitudeGraph(dc, PageRect());
        const auto paths = Paths(dc);
        int checked = 0;
        for (const pageref::Row& row : reference) {
            if (std::fabs(row.Number("lat_deg") - latitude) > 1e-6)
                continue;
            const double altitude = row.Number("alt_deg");
            const double azimuth = row.Number("az_deg");
            // Clear of the cut-off at -1 degree and of the seam at +-180 degrees.
            if (altitude < -0.9 || std::fabs(azimuth) > 179.0)
                continue;
            const int entry = 15 - (row.Int("row") - 9) / 3;
            const gdi::Point want = Map(plot, azimuth, altitude);
            double nearest = 1e9;
            for (const auto& piece : paths.at(entry))
                for (const gdi::Point& p : piece)
                    nearest = std::min(nearest, std::hypot(p.x - want.x, p.y - want.y));
            EXPECT_LE(nearest, 1.5) << "latitude " << latitude << " row " << row.Int("row") << " column "
                                    << row.Int("column") << " azimuth " << azimuth << " altitude " << altitude;
            ++checked;
        }
        EXPECT_GT(checked, 50);

        // Nothing is drawn more than a degree below the horizon.
        for (const auto& [entry, pieces] : paths)
            for (const auto& piece : pieces)
                for (const gdi::Point& p : piece)
                    EXPECT_LE(p.y, plot.bottom + plot.Height() / 90.0 + 1) << latitude;
    }
}

TEST_F(SunPathPages, PathsThatPassTheNorthPointLeaveByOneEdgeAndComeBackByTheOther)
{
    const gdi::Rect plot = PlotRect();
    // At 10 degrees north the June sun culminates north of the zenith; at 70 degrees it
    // circles the sky all day.
    for (const double latitude : {10.0, 70.0}) {
        At(latitude);
        gdi::RecordingDC dc;
        DrawAzimuthAltitudeGraph(dc, PageRect());
        const auto june = Paths(dc).at(15);
        // At 70 degrees the path runs from one edge to the other without a break.
        ASSERT_GE(june.size(), latitude < 60.0 ? 2u : 1u) << latitude;
        bool left = false;
        bool right = false;
        for (const auto& piece : june) {
            for (size_t i = 1; i < piece.size(); ++i)
                EXPECT_LT(std::abs(piece[i].x - piece[i - 1].x), plot.Width() / 4) << latitude;
            for (const gdi::Point& p : piece) {
                left = left || p.x == plot.left;
                right = right || p.x == plot.right;
            }
        }
        EXPECT_TRUE(left && right) << latitude;
    }
    // At 47 degrees no path reaches the north point: each is drawn in one piece.
    At(47.25);
    gdi::RecordingDC dc;
    DrawAzimuthAltitudeGraph(dc, PageRect());
    for (const auto& [entry, pieces] : Paths(dc))
        EXPECT_EQ(pieces.size(), 1u) << entry;
}

TEST_F(SunPathPages, GraphHasItsScalesAndTitles)
{
    gdi::RecordingDC dc;
    DrawAzimuthAltitudeGraph(dc, PageRect());
    const std::vector<std::string> texts = dc.Texts();
    const auto has = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    EXPECT_TRUE(has("GRAPHE AZIMUT-HAUTEUR DU SOLEIL AU COURS DE L'ANNÉE"));
    EXPECT_TRUE(has("(BESANÇON - FRANCE)"));
    EXPECT_TRUE(has("-180°"));
    EXPECT_TRUE(has("180°"));
    EXPECT_TRUE(has("90°"));
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.ends_with("°"); }), 25 + 10);

    // Vertical grid lines every 15 degrees (mid grey every 45), horizontal ones every 10.
    const gdi::Rect plot = PlotRect();
    int vertical = 0;
    int midGrey = 0;
    int horizontal = 0;
    for (const gdi::Segment& s : dc.Segments()) {
        if (s.from.x == s.to.x && s.from.x != plot.left && s.from.y == plot.top && s.to.y == plot.bottom) {
            ++vertical;
            midGrey += s.pen.color == gdi::RGB(128, 128, 128);
        }
        if (s.from.y == s.to.y && s.from.x == plot.left && s.to.x == plot.right && s.pen.style == gdi::PS_DOT)
            ++horizontal;
    }
    EXPECT_EQ(vertical, 23);
    EXPECT_EQ(midGrey, 7);
    EXPECT_EQ(horizontal, 8);

    // The scales' captions follow the program language.
    EXPECT_TRUE(has("Azimut"));
    EXPECT_TRUE(has("Hauteur"));
    const testsupport::ScopedShippedLanguage english(1);
    gdi::RecordingDC inEnglish;
    DrawAzimuthAltitudeGraph(inEnglish, PageRect());
    const std::vector<std::string> englishTexts = inEnglish.Texts();
    for (const char* caption : {"AZIMUTH-ALTITUDE GRAPH OF THE SUN OVER THE YEAR", "Azimuth", "Altitude"})
        EXPECT_TRUE(std::ranges::find(englishTexts, caption) != englishTexts.end()) << caption;
}

TEST_F(SunPathPages, HorizonMaskIsAGreyPolygonOverThePaths)
{
    gdi::RecordingDC off;
    Doc().GetHorizonMask() = {{-180, 0}, {-90, 10}, {0, 20}, {90, 10}, {180, 0}};
    DrawAzimuthAltitudeGraph(off, PageRect());
    EXPECT_EQ(off.Count(RecordKind::Polygon), 0);

    Doc().SetHorizonMaskFlag(true);
    gdi::RecordingDC on;
    DrawAzimuthAltitudeGraph(on, PageRect());
    const auto polygons = on.RecordsOf(RecordKind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    const gdi::Rect plot = PlotRect();
    const int w = plot.Width();
    const int h = plot.Height();
    EXPECT_EQ(polygons[0]->points, (std::vector<gdi::Point>{{plot.left, plot.bottom},
                                                            {plot.left + w * 90 / 360, plot.bottom - h * 10 / 90},
                                                            {plot.left + w * 180 / 360, plot.bottom - h * 20 / 90},
                                                            {plot.left + w * 270 / 360, plot.bottom - h * 10 / 90},
                                                            {plot.left + w, plot.bottom}}));
    EXPECT_EQ(polygons[0]->brush.color, gdi::RGB(128, 128, 128));
    EXPECT_EQ(polygons[0]->pen, (gdi::Pen{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)}));
    // Drawn after the paths, so that it hides them.
    const auto& records = on.Records();
    size_t polygonAt = 0;
    size_t lastLine = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].kind == RecordKind::Polygon)
            polygonAt = i;
        if (records[i].kind == RecordKind::LineTo)
            lastLine = i;
    }
    EXPECT_GT(polygonAt, lastLine);

    Doc().GetHorizonMask().clear();
    gdi::RecordingDC empty;
    DrawAzimuthAltitudeGraph(empty, PageRect());
    EXPECT_EQ(empty.Count(RecordKind::Polygon), 0);

    // Out-of-range points from a hand-edited file stay within what a device can draw.
    Doc().GetHorizonMask() = {{2'000'000'000, 2'000'000'000}, {0, 10}, {-2'000'000'000, 0}};
    gdi::RecordingDC wild;
    DrawAzimuthAltitudeGraph(wild, PageRect());
    for (const gdi::Point& p : wild.RecordsOf(RecordKind::Polygon).front()->points) {
        EXPECT_LE(std::abs(p.x), 30000);
        EXPECT_LE(std::abs(p.y), 30000);
    }
}

class StereographicDiagram : public SunPathPages {
protected:
    CCadranHorizontal& PutDial(double latitude)
    {
        auto dial = std::make_unique<CCadranHorizontal>();
        dial->SetTypeAndPlane(1, 0.0, 0.0);
        dial->SetSite(latitude, -6.0, 1.0);
        CCadranHorizontal& ref = *dial;
        Doc().SetDial(std::move(dial));
        return ref;
    }
};

TEST_F(StereographicDiagram, PolePointLiesRoverRootTwoLeftOfTheCentreAt45Degrees)
{
    PutDial(45.0);
    gdi::RecordingDC dc;
    DrawStereographicDiagram(dc);
    const int r = kWidth * 9 / 20;
    const gdi::Point centre{kWidth / 2, kHeight / 2};
    const int t = centre.x - static_cast<int>(std::lround(r / std::numbers::sqrt2));

    const auto ellipses = dc.RecordsOf(RecordKind::Ellipse);
    ASSERT_EQ(ellipses.size(), 3u);
    EXPECT_EQ(ellipses[0]->args, (std::vector<int>{centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1}));
    EXPECT_EQ(ellipses[1]->args, (std::vector<int>{t - 2, centre.y - 2, t + 3, centre.y + 3}));

    // Three full circles about the pole point: the equator's radius is 2R / k, the solstices'
    // follow the sun's declination.
    const auto arcs = dc.RecordsOf(RecordKind::Arc);
    ASSERT_EQ(arcs.size(), 3u);
    const double k = 2 * std::numbers::sqrt2;
    const double obliquity = 23.4393 * std::numbers::pi / 180;
    const std::vector<double> declinations = {-obliquity, 0.0, obliquity};
    for (size_t i = 0; i < 3; ++i) {
        const int rho = (arcs[i]->args[2] - arcs[i]->args[0] - 1) / 2;
        EXPECT_EQ(arcs[i]->args[0] + rho, t);
        EXPECT_NEAR(rho, std::tan(std::numbers::pi / 4 - declinations[i] / 2) * 2 * r / k, 1.0);
        EXPECT_EQ((gdi::Point{arcs[i]->args[4], arcs[i]->args[5]}), (gdi::Point{centre.x - r, centre.y}));
        EXPECT_EQ((gdi::Point{arcs[i]->args[6], arcs[i]->args[7]}), (gdi::Point{centre.x - r, centre.y}));
    }
    EXPECT_EQ(arcs[0]->pen.color, gdi::RGB(9, 1, 2));
    EXPECT_EQ(arcs[2]->pen.color, gdi::RGB(15, 1, 2));

    // The trace of a plane facing south runs across, through the pole point, in the thick pen.
    const gdi::Segment trace = dc.Segments().back();
    EXPECT_EQ(trace.from, (gdi::Point{t - 2 * r, centre.y}));
    EXPECT_EQ(trace.to, (gdi::Point{t + 2 * r, centre.y}));
    EXPECT_EQ(trace.pen.width, 2);
}

// The equator meets the horizon due east and west (straight above and below the pole point),
// at every latitude: on the equator itself and in the south too, with the summer solstice
// nearer the visible pole, and no negative or undefined radius.
TEST_F(StereographicDiagram, EquatorMeetsTheHorizonEastAndWestInBothHemispheres)
{
    const int r = kWidth * 9 / 20;
    const int cx = kWidth / 2;
    for (double latitude : {45.0, 80.0, 0.0, -33.9}) {
        PutDial(latitude);
        gdi::RecordingDC dc;
        DrawStereographicDiagram(dc);
        const gdi::Record* pole = dc.RecordsOf(RecordKind::Ellipse)[1];
        const int t = pole->args[0] + 2;
        EXPECT_LE(t, cx) << latitude;
        EXPECT_GE(t, cx - r) << latitude;
        const auto arcs = dc.RecordsOf(RecordKind::Arc);
        ASSERT_EQ(arcs.size(), 3u);
        std::vector<int> radii;
        for (const gdi::Record* arc : arcs) {
            radii.push_back((arc->args[2] - arc->args[0] - 1) / 2);
            EXPECT_GE(radii.back(), 0) << latitude;
        }
        EXPECT_NEAR(std::hypot(t - cx, radii[1]), r, 1.5) << latitude;
        if (latitude != 0.0) {
            // December (first) is the winter solstice in the north, the summer one in the south.
            EXPECT_EQ(radii[0] > radii[2], latitude > 0) << latitude;
        }
    }
}

TEST_F(StereographicDiagram, PrintedOnUnequalResolutionsTheCentreStaysInTheMiddle)
{
    PutDial(45.0);
    gdi::DeviceCaps caps = gdi::DeviceCaps::Page(600, 210, 297);
    caps.logPixelsY = 300;
    gdi::RecordingDC printer(caps, true);
    DrawStereographicDiagram(printer);
    const gdi::Record* dot = printer.RecordsOf(RecordKind::Ellipse)[2];
    const double cx = (dot->args[0] + dot->args[2]) / 2.0;
    const double cy = (dot->args[1] + dot->args[3]) / 2.0;
    // The page is 794 x 1123 reference pixels: 8.27 x 11.7 inches.
    EXPECT_NEAR(cx, kWidth / 2.0 * 600 / 96, 2.0);
    EXPECT_NEAR(cy, kHeight / 2.0 * 300 / 96, 2.0);
    EXPECT_EQ(printer.RecordsOf(RecordKind::Ellipse)[0]->pen.width, 6);
}

TEST_F(StereographicDiagram, NothingWithoutADial)
{
    gdi::RecordingDC dc;
    DrawStereographicDiagram(dc);
    EXPECT_TRUE(dc.Records().empty());
}
