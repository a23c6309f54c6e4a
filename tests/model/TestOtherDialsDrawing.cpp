// The drawings of the equatorial, analemmatic, bifilar and shepherd's dials, read from a
// recording: the marks they draw must be where their own projections (checked against the
// real shadow elsewhere) put the shadow, in both hemispheres, and the export must not mirror
// the drawing.
#include "DialRecording.h"
#include "SurfaceShadowOracle.h"

#include "model/Astronomy.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranBifilaire.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranEquatorial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace dialtest;

namespace {

using shadow::kDeg;

class OtherDialsDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAstroState();
        GiveEntriesOwnColours();
    }
    void TearDown() override { ResetColorTable(); }

    // A sheet of width x height mm at 4 pixels per mm from (10, 10), the anchor at the given
    // percentages, only the families a test turns on; tables filled.
    static void Place(CCadran& dial, double latitude, int widthMm = 400, int heightMm = 400, int anchorX = 50,
                      int anchorY = 50)
    {
        dial.SetYear(2024);
        dial.SetSite(latitude, -6.03, 1.0);
        dial.width = widthMm;
        dial.height = heightMm;
        dial.pixelsPerMmX = dial.pixelsPerMmY = 4.0;
        dial.SetStyleAnchorPercent(anchorX, anchorY);
        dial.SetDialRect(10, 10, 10 + 4 * widthMm, 10 + 4 * heightMm);
        dial.marginX = dial.marginY = 0;
        dial.drawRect = dial.dialRect;  // as Draw sets it, for the families drawn alone
        dial.prefs = CPrefs();
        dial.prefs.halfHourLines = 0;
        dial.prefs.diurnalArcs = 0;
        dial.prefs.hourNumbers = 0;
        dial.prefs.styleMarking = 0;
        dial.ComputeAllTables();
    }

    static gdi::Point Anchor(const CCadran& dial)
    {
        const gdi::Rect& r = dial.dialRect;
        int x = 0, y = 0;
        dial.GetStyleAnchorPoint(r.left, r.top, r.right, r.bottom, x, y);
        return {x, y};
    }
};

// Sun direction at a true hour angle and declination (degrees) at the dial's latitude.
void SunAt(const CCadran& dial, double hourAngleDeg, double declinationDeg, double& az, double& alt)
{
    const double phi = dial.latitude * kDeg;
    shadow::AzimuthAltitude(shadow::SunVector(phi, hourAngleDeg * kDeg, declinationDeg * kDeg), phi, az, alt);
}

gdi::Point DevicePoint(const CCadran& dial, gdi::Point anchor, double az, double alt)
{
    int x = 0, y = 0;
    dial.Project(az, alt, x, y, true, true);
    return {anchor.x + x, anchor.y + y};
}

bool Near(gdi::Point a, gdi::Point b, int tolerance = 1)
{
    return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance;
}

std::string Str(gdi::Point p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

// ---------------------------------------------------------------- analemmatic

struct AnalemmaticSetup {
    int type;
    double a1Deg, a2Deg, wallDeg;
};
constexpr AnalemmaticSetup kAnalemmatic[] = {{20, 0, 0, 0}, {21, 20, 30, 0}, {22, 0, 0, 0}, {22, 0, 0, -30}};

TEST_F(OtherDialsDrawing, AnalemmaticHourMarksStandWhereTheShadowFalls)
{
    for (const AnalemmaticSetup& c : kAnalemmatic) {
        for (double latitude : {48.0, -33.0}) {
            CCadranAnalemmatique dial;
            dial.typeCode = c.type;
            dial.styleAngle1 = c.a1Deg * kDeg;
            dial.styleAngle2 = c.a2Deg * kDeg;
            dial.planeAngle1 = c.wallDeg * kDeg;
            Place(dial, latitude);
            gdi::RecordingDC dc;
            dial.Draw(dc);
            const gdi::Point a = Anchor(dial);
            const auto crosses = PolylinesOf(dc, 5);
            EXPECT_EQ(crosses.size(), 2u * 17) << "17 whole hours, two strokes each";
            for (int hour = 4; hour <= 20; ++hour) {
                double az = 0.0, alt = 0.0;
                SunAt(dial, (hour - 12) * 15.0, latitude > 0 ? 5.0 : -5.0, az, alt);
                const gdi::Point expected = DevicePoint(dial, a, az, alt);
                const gdi::Point mark = dial.hourLabelPos[static_cast<size_t>(hour)];
                EXPECT_TRUE(Near(mark, expected)) << "type " << c.type << " wall " << c.wallDeg << " latitude "
                                                  << latitude << " hour " << hour << ": mark " << Str(mark)
                                                  << ", shadow " << Str(expected);
            }
        }
    }
}

TEST_F(OtherDialsDrawing, AnalemmaticDateScaleCarriesTheStyleToItsShadowPoint)
{
    for (const AnalemmaticSetup& c : kAnalemmatic) {
        for (double latitude : {48.0, -33.0}) {
            CCadranAnalemmatique dial;
            dial.typeCode = c.type;
            dial.styleAngle1 = c.a1Deg * kDeg;
            dial.styleAngle2 = c.a2Deg * kDeg;
            dial.planeAngle1 = c.wallDeg * kDeg;
            Place(dial, latitude);
            dial.prefs.diurnalArcMode = 1;
            const gdi::Point a = Anchor(dial);
            gdi::RecordingDC dc;
            dial.DrawSpecific(dc, a.x, a.y);
            const auto lines = dc.RecordsOf(gdi::RecordKind::Polyline);
            ASSERT_FALSE(lines.empty());
            const std::vector<gdi::Point>& scale = lines.front()->points;  // winter end, summer end
            ASSERT_EQ(scale.size(), 2u);
            const double obliquity = DeclinationOfLongitude(3, false);
            for (int end = 0; end < 2; ++end) {
                double az = 0.0, alt = 0.0;
                SunAt(dial, 20.0, end == 0 ? -obliquity : obliquity, az, alt);
                int x = 0, y = 0;
                dial.GetExtraPoint(x, y, az, alt);
                EXPECT_TRUE(Near(scale[static_cast<size_t>(end)], {a.x + x, a.y + y}))
                    << "type " << c.type << " wall " << c.wallDeg << " latitude " << latitude << " end " << end
                    << ": scale " << Str(scale[static_cast<size_t>(end)]) << ", style "
                    << Str({a.x + x, a.y + y});
            }
            if (c.type == 22 && latitude > 0) {
                EXPECT_LT(scale[1].y, a.y) << "the style rises in summer";
                EXPECT_GT(scale[0].y, a.y);
            }
            // The two solstice signs.
            const auto texts = dc.Texts();
            EXPECT_EQ(texts, (std::vector<std::string>{"a", "g"}));
        }
    }
}

TEST_F(OtherDialsDrawing, AnalemmaticExportKeepsTheSheetsUpwardDirection)
{
    for (double latitude : {48.0, -33.0}) {
        CCadranAnalemmatique dial;
        Place(dial, latitude);
        dial.prefs.styleMarking = 1;
        dial.prefs.diurnalArcMode = 1;
        dial.collectShapes = 1;
        gdi::RecordingDC dc;
        dial.Draw(dc);
        const gdi::Point a = Anchor(dial);
        const double ax = dial.anchorX, ay = dial.height - dial.anchorY;  // mm, y up
        // Noon mark: the device says where it is, the export must say the same with y up.
        const gdi::Point noon = dial.hourLabelPos[12];
        bool found = false;
        for (const auto& shape : dial.exportShapes) {
            if (shape->GetCount() != 1 || shape->width != 5)
                continue;
            const CDoublePoint& p = shape->points.front();
            if (std::fabs(p.x - ax) < 0.2 && std::fabs((p.y - ay) * 4.0 + (noon.y - a.y)) < 1.5)
                found = true;
        }
        EXPECT_TRUE(found) << "noon mark exported at the device's place, latitude " << latitude;
        // The date scale: its summer end lies on the same side of A in both.
        double az = 0.0, alt = 0.0;
        SunAt(dial, 0.0, 23.0, az, alt);
        int x = 0, y = 0;
        dial.GetExtraPoint(x, y, az, alt);
        bool scaleFound = false;
        for (const auto& shape : dial.exportShapes) {
            if (shape->GetCount() != 2)
                continue;
            const CDoublePoint& summer = shape->points.back();
            scaleFound = true;
            EXPECT_NEAR((summer.y - ay) * 4.0, -y, 2.0) << latitude;
        }
        EXPECT_TRUE(scaleFound);
    }
}

// Its numbers are written by hour band, not beyond the ends of the lines: no line may stop
// short for them, the azimuth and altitude lines (on from the view's defaults) included.
TEST_F(OtherDialsDrawing, AnalemmaticNumbersLeaveTheAzimuthAndAltitudeLinesWhole)
{
    const auto lines = [](int hourNumbers) {
        CCadranAnalemmatique dial;
        Place(dial, 48.0);
        dial.prefs.hourLines = 0;
        dial.prefs.horizontalLines = 1;
        dial.prefs.azimuthStep = 15;
        dial.prefs.altitudeStep = 10;
        dial.prefs.hourNumbers = hourNumbers;
        gdi::RecordingDC dc;
        dial.Draw(dc);
        std::vector<std::vector<gdi::Point>> points;
        for (const gdi::Record* r : dc.RecordsOf(gdi::RecordKind::Polyline))
            points.push_back(r->points);
        return points;
    };
    const auto whole = lines(0);
    const auto withNumbers = lines(1);
    ASSERT_FALSE(whole.empty());
    ASSERT_EQ(withNumbers.size(), whole.size()) << "lines broken round the numbers";
    for (std::size_t i = 0; i < whole.size(); ++i)
        EXPECT_TRUE(withNumbers[i] == whole[i]) << "line from " << Str(whole[i].front());
}

// ---------------------------------------------------------------- equatorial

TEST_F(OtherDialsDrawing, EquatorialHourLinesRunFromTheSolsticeOutToTheEdge)
{
    struct Case {
        double latitude;
        int face;
        int solsticeRow;
    };
    for (const Case& c : {Case{45.0, 1, 34}, Case{45.0, 0, 70}, Case{-35.0, 1, 70}, Case{-35.0, 0, 34}}) {
        CCadranEquatorial dial(c.face, c.face ? 8 : 9, 50, 50);
        Place(dial, c.latitude);
        dial.styleHeight = 20;
        dial.prefs.sunAboveHorizon = 1;
        gdi::RecordingDC dc;
        dial.Draw(dc);
        const gdi::Point a = Anchor(dial);
        const gdi::Rect& r = dial.dialRect;
        const auto lines = PolylinesOf(dc, 5);
        int checked = 0;
        for (int hour = 0; hour < 24; ++hour) {
            const double az = dial.azimuthByDate[static_cast<size_t>(c.solsticeRow)][static_cast<size_t>(hour * 12)];
            const double alt = dial.altitudeByDate[static_cast<size_t>(c.solsticeRow)][static_cast<size_t>(hour * 12)];
            const bool lit = dial.IsLit(az, alt, true);
            const gdi::Point p = DevicePoint(dial, a, az, alt);
            const gdi::Record* line = nullptr;
            for (const gdi::Record* l : lines)
                if (l->points.size() == 2 && Near(l->points[1], p))
                    line = l;
            const std::string where = "latitude " + std::to_string(c.latitude) + " face " +
                                      std::to_string(c.face) + " hour " + std::to_string(hour);
            if (!lit) {
                EXPECT_EQ(dial.hourLabelPos[static_cast<size_t>(hour)].x, 0) << where;
                continue;
            }
            ASSERT_NE(line, nullptr) << where;
            const gdi::Point e = line->points[0];
            EXPECT_TRUE(e.x <= r.left + 1 || e.x >= r.right - 1 || e.y <= r.top + 1 || e.y >= r.bottom - 1)
                << where << ": far end " << Str(e) << " inside the dial";
            // E, P and the foot A on one line, P between A and E.
            const double cross = static_cast<double>(p.x - a.x) * (e.y - a.y) - static_cast<double>(p.y - a.y) * (e.x - a.x);
            const double pa = std::hypot(p.x - a.x, p.y - a.y), ea = std::hypot(e.x - a.x, e.y - a.y);
            EXPECT_LT(std::fabs(cross) / ea, 2.0) << where;
            EXPECT_LT(pa, ea) << where;
            EXPECT_EQ(dial.hourLabelPos[static_cast<size_t>(hour)], line->points[1]) << where;
            ++checked;
        }
        EXPECT_GE(checked, 7) << c.latitude << " face " << c.face;
    }
}

// ---------------------------------------------------------------- bifilar

TEST_F(OtherDialsDrawing, BifilarExportIsNotMirroredAboutTheFoot)
{
    for (double latitude : {46.0, -38.0}) {
        CCadranBifilaire dial;
        dial.SetTypeAndPlane(40, 0.0, latitude);
        dial.firstWireDistance = 40;
        Place(dial, latitude);
        dial.collectShapes = 1;
        gdi::RecordingDC dc;
        dial.Draw(dc);
        const gdi::Point a = Anchor(dial);
        const double ay = dial.height - dial.anchorY;
        // The morning and afternoon lines, compared end by end with their device lines.
        const auto lines = PolylinesOf(dc, 5);
        ASSERT_EQ(lines.size(), dial.exportShapes.size()) << latitude;
        ASSERT_FALSE(lines.empty());
        for (size_t i = 0; i < lines.size(); ++i) {
            const CPolyline& shape = *dial.exportShapes[i];
            ASSERT_EQ(shape.GetCount(), 2);
            for (size_t end = 0; end < 2; ++end) {
                const double deviceUp = (a.y - lines[i]->points[end].y) / 4.0;
                EXPECT_NEAR(shape.points[end].y - ay, deviceUp, 0.5) << latitude << " line " << i;
            }
        }
    }
}

// ---------------------------------------------------------------- armillary ring

// The hour numbers of the developed ring stand upright beyond the ends of their lines, never
// upside down nor over the line, in both hemispheres and at either end.
TEST_F(OtherDialsDrawing, ArmillaryRingHourNumbersReadUpright)
{
    for (double latitude : {48.0, -33.0}) {
        for (int innerEnd : {1, 0}) {
            CCadranCylindrique dial;
            Place(dial, latitude, 400, 300);
            dial.labelsAtInnerEnd = innerEnd;
            const gdi::Point a = Anchor(dial);
            gdi::RecordingDC dc;
            dial.DrawHourLines(dc, a.x, a.y);
            dial.DrawHourNumbers(dc);
            const auto lines = PolylinesOf(dc, 5);
            const auto numbers = dc.RecordsOf(gdi::RecordKind::TextOut);
            ASSERT_GT(numbers.size(), 5u) << latitude;
            for (const gdi::Record* number : numbers) {
                const std::string where = std::to_string(latitude) + " inner " + std::to_string(innerEnd) + " " +
                                          number->text;
                EXPECT_EQ(number->font.escapement % 3600, 0) << where;
                const gdi::Point p = number->points[0];
                // The hour line that ends here, and beyond which end the text stands.
                const gdi::Record* line = nullptr;
                for (const gdi::Record* l : lines)
                    if (l->points.front().x == p.x)
                        line = l;
                ASSERT_NE(line, nullptr) << where;
                const int top = std::min(line->points.front().y, line->points.back().y);
                const int bottom = std::max(line->points.front().y, line->points.back().y);
                if (p.y < top) {
                    EXPECT_EQ(number->textAlign & gdi::TA_BOTTOM, gdi::TA_BOTTOM) << where;
                } else {
                    EXPECT_GT(p.y, bottom) << where;
                    EXPECT_EQ(number->textAlign & gdi::TA_BOTTOM, 0u) << where;
                }
            }
        }
    }
}

// ---------------------------------------------------------------- shepherd's dial

TEST_F(OtherDialsDrawing, ShepherdHourCurvesAndDateColumnsMeetOnTheColumns)
{
    for (double latitude : {46.0, -38.0}) {
        CCadranCylindriqueDeBerger dial;
        Place(dial, latitude, 200, 400, 50, 10);
        dial.prefs.sunAboveHorizon = 1;
        const gdi::Point a = Anchor(dial);
        const double columnWidth = dial.radius * dial.pixelsPerMmX * shadow::kPi / 72.0;  // per table row

        // Noon curve: the shadow of the style for the noon sun of each table date.
        dial.firstHour = dial.lastHour = 12;
        gdi::RecordingDC hours;
        dial.DrawHourLines(hours, a.x, a.y);
        const auto curves = PolylinesOf(hours, 5);
        ASSERT_EQ(curves.size(), 1u) << latitude;
        const std::vector<gdi::Point>& noon = curves.front()->points;
        ASSERT_EQ(noon.size(), 72u) << latitude;
        for (int row = 0; row < 72; ++row) {
            const double noonAltitude = (90.0 - std::fabs(latitude - dial.declination[static_cast<size_t>(row)] / kDeg)) * kDeg;
            const gdi::Point expected{a.x + RoundToInt((row - 34) * columnWidth),
                                      a.y + RoundToInt(dial.styleHeight * std::tan(noonAltitude) * dial.pixelsPerMmY)};
            EXPECT_TRUE(Near(noon[static_cast<size_t>(row)], expected, 2))
                << latitude << " row " << row << ": " << Str(noon[static_cast<size_t>(row)]) << " vs " << Str(expected);
        }

        // Date columns by calendar date and particular dates end on the noon curve.
        dial.prefs.diurnalArcMode = 9;
        gdi::RecordingDC calendar;
        dial.DrawCalendarArcs(calendar, a.x, a.y);
        const auto firsts = PolylinesOf(calendar, 31);
        ASSERT_EQ(firsts.size(), 12u) << latitude;
        for (size_t month = 0; month < 12; ++month) {
            const gdi::Point top = firsts[month]->points.front(), bottom = firsts[month]->points.back();
            EXPECT_EQ(top.y, a.y) << month;  // from the style down its column
            EXPECT_EQ(top.x, bottom.x) << month;
            EXPECT_TRUE(Near(bottom, noon[6 * month], 1)) << latitude << " month " << month + 1;
        }
        gdi::RecordingDC particular;
        dial.DrawDateArc(particular, 21, 6, a.x, a.y);
        const auto june = PolylinesOf(particular, 15);
        ASSERT_EQ(june.size(), 1u);
        EXPECT_TRUE(Near(june.front()->points.back(), noon[34], 1)) << latitude;
    }
}

}  // namespace
