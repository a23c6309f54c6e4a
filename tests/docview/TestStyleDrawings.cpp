// The style drawn at true size and as a dimensioned plan: the piece's shape and size on screen
// and on paper, and the coordinates of B checked against the dial's own centre.
#include "DocTestSupport.h"

#include "app/Accessors.h"
#include "docview/StyleDrawings.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranOccidental.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranVerticalQcq.h"
#include "model/CCadranAnalemmatique.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <regex>
#include <string>
#include <vector>

namespace {

using gdi::RecordKind;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr const char* kPointsHeading = "Coordonnées des points A et B du style : ";

class StyleDrawings : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        GetAppContext().document = &Doc();
        Doc().SetDrawingSizePx({794, 1123});
        Doc().SetDrawingSizeMm({210, 297});
    }
    void TearDown() override
    {
        GetAppContext().document = nullptr;
        DocumentTest::TearDown();
    }

    template <class Dial, class... Args>
    Dial& Put(int code, double angle1Deg, double angle2Deg, double latitude, Args... args)
    {
        auto dial = std::make_unique<Dial>(args...);
        dial->SetTypeAndPlane(code, angle1Deg, angle2Deg);
        dial->SetSite(latitude, -6.0, 1.0);
        dial->styleHeight = 40;
        dial->styleLimit = 25;
        dial->styleTruncation = 0;
        dial->symmetricMargins = 0;
        Dial& ref = *dial;
        Doc().SetDial(std::move(dial));
        return ref;
    }
    CCadranHorizontal& Horizontal(double latitude) { return Put<CCadranHorizontal>(1, 0.0, 0.0, latitude); }
};

std::vector<gdi::Point> PolygonOf(const gdi::RecordingDC& dc, size_t index = 0)
{
    const auto polygons = dc.RecordsOf(RecordKind::Polygon);
    if (polygons.size() <= index)
        return {};
    return polygons[index]->points;
}

const gdi::Record* TextRecord(const gdi::RecordingDC& dc, const std::string& text)
{
    for (const gdi::Record* r : dc.RecordsOf(RecordKind::TextOut))
        if (r->text == text)
            return r;
    return nullptr;
}

bool HasText(const gdi::RecordingDC& dc, const std::string& text)
{
    return TextRecord(dc, text) != nullptr;
}

std::string CoordinatesLine(const gdi::RecordingDC& dc)
{
    for (const std::string& t : dc.Texts())
        if (t.starts_with(kPointsHeading))
            return t.substr(std::string(kPointsHeading).size());
    return {};
}

// "B (x mm, y mm)" of a coordinates text.
bool CentreOf(const std::string& text, double& x, double& y)
{
    static const std::regex re(R"(B \((-?[0-9.e+-]+) mm, (-?[0-9.e+-]+) mm\))");
    std::smatch m;
    if (!std::regex_search(text, m, re))
        return false;
    x = std::stod(m[1]);
    y = std::stod(m[2]);
    return true;
}

// The dial's own B in millimetres (truncated as its switch says).
void DialCentre(const CCadran& dial, double& x, double& y)
{
    int tx = 0;
    int ty = 0;
    dial.GetCentre(tx, ty, true, true);
    x = tx / 10.0;
    y = ty / 10.0;
}

}  // namespace

TEST_F(StyleDrawings, DimensionHasExtensionLinesArrowsAndTextOnTheChosenSide)
{
    gdi::RecordingDC none;
    DrawDimension(none, 100, 100, 100, 100, "0 mm", false);
    EXPECT_TRUE(none.Records().empty());

    // Left to right: the right-hand side is below on a drawing with y down.
    gdi::RecordingDC dc;
    DrawDimension(dc, 100, 200, 300, 200, "40 mm", false);
    const auto segments = dc.Segments();
    const auto has = [&](gdi::Point a, gdi::Point b) {
        return std::any_of(segments.begin(), segments.end(), [&](const gdi::Segment& s) { return s.from == a && s.to == b; });
    };
    EXPECT_TRUE(has({100, 200}, {100, 230}));
    EXPECT_TRUE(has({300, 200}, {300, 230}));
    EXPECT_TRUE(has({100, 230}, {300, 230}));
    // Arrow heads point outwards at both ends of the dimension line.
    const auto heads = dc.RecordsOf(RecordKind::Polygon);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[0]->points[0], (gdi::Point{300, 230}));
    EXPECT_LT(heads[0]->points[1].x, 300);
    EXPECT_EQ(heads[1]->points[0], (gdi::Point{100, 230}));
    EXPECT_GT(heads[1]->points[1].x, 100);
    const gdi::Record* text = TextRecord(dc, "40 mm");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->points[0], (gdi::Point{200, 245}));
    EXPECT_EQ(text->textAlign, gdi::TA_CENTER | gdi::TA_BOTTOM);
    EXPECT_EQ(text->font.escapement, 0);
    EXPECT_EQ(text->font.height, -10);

    // Upwards with the other side: to the left, the text written along the line.
    gdi::RecordingDC up;
    DrawDimension(up, 100, 300, 100, 100, "x", true);
    const gdi::Record* vertical = TextRecord(up, "x");
    ASSERT_NE(vertical, nullptr);
    EXPECT_EQ(vertical->points[0], (gdi::Point{55, 200}));
    EXPECT_EQ(vertical->font.escapement, 900);

    // On a 600-dpi printer the offset, arrows and text grow with the resolution.
    gdi::RecordingDC printer(gdi::DeviceCaps::Page(600, 210, 297), true);
    DrawDimension(printer, 1000, 2000, 3000, 2000, "y", false);
    EXPECT_EQ(printer.Segments().front().to, (gdi::Point{1000, 2188}));
    EXPECT_EQ(TextRecord(printer, "y")->font.height, -63);
}

TEST_F(StyleDrawings, StyleAtScaleIsTheTrueSizeTriangleOnScreenAndOnPaper)
{
    Horizontal(45.0);
    gdi::RecordingDC screen;
    DrawStyleAtScale(screen);
    // A 40 mm style at 45 degrees: a right isosceles triangle from the page origin.
    const double px = 96 / 25.4;
    const int side = static_cast<int>(std::lround(40 * px));
    EXPECT_EQ(PolygonOf(screen), (std::vector<gdi::Point>{{0, 0}, {0, side}, {side, side}}));
    EXPECT_EQ(PolygonOf(screen).size(), 3u);
    EXPECT_TRUE(HasText(screen, "A"));
    EXPECT_TRUE(HasText(screen, "B"));

    gdi::RecordingDC printer(gdi::DeviceCaps::Page(600, 210, 297), true);
    DrawStyleAtScale(printer);
    EXPECT_EQ(PolygonOf(printer)[2], (gdi::Point{945, 945}));  // 40 mm at 600 dpi
}

TEST_F(StyleDrawings, StyleAtScaleCentresOnThePaperAndShowsTheCutEnd)
{
    CCadranHorizontal& dial = Horizontal(30.0);
    dial.symmetricMargins = 1;
    dial.styleTruncation = 1;
    gdi::RecordingDC dc;
    DrawStyleAtScale(dc);
    const std::vector<gdi::Point> p = PolygonOf(dc);
    ASSERT_EQ(p.size(), 4u);
    // The base is cut at 25 mm; the cut end stands 40 - 25 tan 30 = 25.57 mm high. Margins
    // split what is left of the 210 x 297 mm drawing.
    const double px = 96 / 25.4;
    const double x0 = (210 - 25) / 2;
    const double y0 = (297 - 40) / 2;
    EXPECT_EQ(p[0], (gdi::Point{static_cast<int>(std::lround(x0 * px)), static_cast<int>(std::lround(y0 * px))}));
    EXPECT_NEAR(p[2].x - p[1].x, 25 * px, 1.0);
    EXPECT_NEAR(p[2].y - p[3].y, (40 - 25 * std::tan(30 * kDeg)) * px, 1.0);
    EXPECT_TRUE(HasText(dc, "B*"));
}

TEST_F(StyleDrawings, NothingWithoutADial)
{
    gdi::RecordingDC dc;
    DrawStyleAtScale(dc);
    DrawStylePlan(dc);
    EXPECT_TRUE(dc.Records().empty());
}

TEST_F(StyleDrawings, PlanOfAHorizontalDialAt45DegreesHasEqualLegsAndBAt40mm)
{
    Horizontal(45.0);
    gdi::RecordingDC dc;
    DrawStylePlan(dc);
    EXPECT_TRUE(HasText(dc, "Attention ! Ce dessin n'est pas à l'échelle 1."));
    EXPECT_EQ(CoordinatesLine(dc), "A (0, 0)   B (0, -40 mm)");

    // The triangle B, A, T with its right angle at A, a quarter of the page high, centred in
    // the middle half of the width.
    const std::vector<gdi::Point> p = PolygonOf(dc);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].y, p[1].y);
    EXPECT_EQ(p[1].x, p[2].x);
    EXPECT_EQ(p[1].y - p[2].y, 1123 / 4);
    EXPECT_EQ(p[1].x - p[0].x, p[1].y - p[2].y);
    EXPECT_NEAR((p[0].x + p[1].x) / 2.0, 794 / 2.0, 1.0);
    EXPECT_TRUE(HasText(dc, "B"));
    EXPECT_FALSE(HasText(dc, "B*"));
    const std::vector<std::string> texts = dc.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "40 mm"), 2);
}

TEST_F(StyleDrawings, PlanNearTheEquatorIsAlwaysCutAtTheLimit)
{
    Horizontal(0.5);
    gdi::RecordingDC dc;
    DrawStylePlan(dc);
    EXPECT_TRUE(HasText(dc, "B*"));
    EXPECT_EQ(PolygonOf(dc).size(), 4u);
    EXPECT_EQ(CoordinatesLine(dc), "A (0, 0)   B (0, -25 mm)");
    // The cut end's height: 40 - 25 tan 0.5 degrees.
    EXPECT_TRUE(HasText(dc, "39.78 mm"));
}

TEST_F(StyleDrawings, PlanFitsAWideBaseByItsLength)
{
    Horizontal(10.0);  // base 40 / tan 10 = 226.9 mm, 5.7 times the height
    gdi::RecordingDC dc;
    DrawStylePlan(dc);
    const std::vector<gdi::Point> p = PolygonOf(dc);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[1].x - p[0].x, 794 / 2);
    EXPECT_NEAR(static_cast<double>(p[1].x - p[0].x) / (p[1].y - p[2].y), 1 / std::tan(10 * kDeg), 0.1);
    EXPECT_EQ(p[0].x, 794 / 4);
}

TEST_F(StyleDrawings, PlanOfDecliningWallsGivesTheDialsOwnCentreInBothHemispheres)
{
    for (const double latitude : {47.0, -35.0}) {
        for (const double declination : {30.0, -50.0, 120.0}) {
            for (const int truncation : {0, 1}) {
                CCadranVerticalQcq& dial =
                    Put<CCadranVerticalQcq>(5, declination, 90.0, latitude, declination * kDeg);
                dial.styleTruncation = truncation;
                gdi::RecordingDC dc;
                DrawStylePlan(dc);
                double x = 0;
                double y = 0;
                ASSERT_TRUE(CentreOf(CoordinatesLine(dc), x, y)) << CoordinatesLine(dc);
                double ex = 0;
                double ey = 0;
                DialCentre(dial, ex, ey);
                SCOPED_TRACE(CoordinatesLine(dc));
                EXPECT_NEAR(x, ex, 0.06) << latitude << " " << declination << " " << truncation;
                EXPECT_NEAR(y, ey, 0.06) << latitude << " " << declination << " " << truncation;
                // Past 90 degrees of declination the triangle is drawn the other way round.
                const std::vector<gdi::Point> p = PolygonOf(dc);
                ASSERT_GE(p.size(), 3u);
                EXPECT_EQ(p[0].x > p[1].x, std::fabs(declination) > 90.0);
            }
        }
    }
}

TEST_F(StyleDrawings, PlanOfAnyPlaneGivesTheDialsOwnCentre)
{
    for (const double latitude : {47.0, -35.0}) {
        CCadranPlanQuelconque& dial =
            Put<CCadranPlanQuelconque>(6, 25.0, 60.0, latitude, 25.0 * kDeg, 60.0 * kDeg);
        dial.styleTruncation = 0;
        gdi::RecordingDC dc;
        DrawStylePlan(dc);
        double x = 0;
        double y = 0;
        ASSERT_TRUE(CentreOf(CoordinatesLine(dc), x, y)) << CoordinatesLine(dc);
        double ex = 0;
        double ey = 0;
        DialCentre(dial, ex, ey);
        EXPECT_NEAR(x, ex, 0.06) << CoordinatesLine(dc);
        EXPECT_NEAR(y, ey, 0.06) << CoordinatesLine(dc);
    }
}

TEST_F(StyleDrawings, PlanOfEastAndWestWallsIsAPlateAlongThePolarAxis)
{
    // Facing east, north is on the right of the wall and the style rises towards it at the
    // latitude; facing west it rises to the left.
    Put<CCadranOriental>(3, -90.0, 90.0, 45.0);
    gdi::RecordingDC east;
    DrawStylePlan(east);
    const std::vector<std::string> e = east.Texts();
    EXPECT_NE(std::find(e.begin(), e.end(), "A (0, 0)   B (17.68 mm, 17.68 mm)   B (25 mm, 45°)   "), e.end());
    EXPECT_NE(std::find(e.begin(), e.end(), "C (-17.68 mm, -17.68 mm)   C (25 mm, -135°)   "), e.end());
    EXPECT_EQ(east.Count(RecordKind::Rectangle), 1);

    Put<CCadranOccidental>(4, 90.0, 90.0, 45.0);
    gdi::RecordingDC west;
    DrawStylePlan(west);
    const std::vector<std::string> w = west.Texts();
    EXPECT_NE(std::find(w.begin(), w.end(), "A (0, 0)   B (-17.68 mm, 17.68 mm)   B (25 mm, 135°)   "), w.end());
    EXPECT_NE(std::find(w.begin(), w.end(), "C (17.68 mm, -17.68 mm)   C (25 mm, -45°)   "), w.end());
}

TEST_F(StyleDrawings, PlanOfAnAnalemmaticDialIsNotAvailable)
{
    Put<CCadranAnalemmatique>(20, 0.0, 0.0, 45.0);
    gdi::RecordingDC dc;
    DrawStylePlan(dc);
    EXPECT_TRUE(HasText(dc, "Non disponible pour le moment !"));
    EXPECT_EQ(dc.Count(RecordKind::Polygon), 0);
    EXPECT_EQ(CoordinatesLine(dc), "");
}

TEST_F(StyleDrawings, PrintedPlanKeepsItsTextLinesApart)
{
    Put<CCadranOriental>(3, -90.0, 90.0, 45.0);
    gdi::RecordingDC printer(gdi::DeviceCaps::Page(600, 210, 297), true);
    DrawStylePlan(printer);
    std::vector<int> ys;
    for (const gdi::Record* r : printer.RecordsOf(RecordKind::TextOut))
        if (r->text.starts_with(kPointsHeading) || r->text.starts_with("A (0, 0)") || r->text.starts_with("C ("))
            ys.push_back(r->points[0].y);
    ASSERT_EQ(ys.size(), 3u);
    const int fontHeight = 63;  // 10 pixels at 96 dpi
    EXPECT_GE(ys[1] - ys[0], fontHeight);
    EXPECT_GE(ys[2] - ys[1], fontHeight);
}
