// The line families of a dial, read from a recording of its drawing: which lines, how many,
// with which pen, clipped to the dial, labelled with which texts.
#include "DialRecording.h"
#include "DialTestDials.h"

#include "model/Astronomy.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranEquatorial.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranVerticalQcqSept.h"
#include "model/DialPlace.h"
#include "model/LabelBoxes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <numbers>
#include <optional>
#include <set>

using namespace dialtest;

namespace {

class DialLines : public ::testing::Test {
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
    }

    // Only the families a test turns on.
    static void AllOff(CCadran& dial)
    {
        dial.prefs = CPrefs();
        CPrefs& p = dial.prefs;
        p.hourLines = 0;
        p.halfHourLines = 0;
        p.diurnalArcs = 0;
        p.hourNumbers = 0;
        p.styleMarking = 0;
    }

    static std::set<int> LabelSlots(const CCadran& dial)
    {
        std::set<int> slots;
        for (size_t i = 0; i < dial.hourLabelPos.size(); ++i)
            if (dial.hourLabelPos[i].x != 0)
                slots.insert(static_cast<int>(i));
        return slots;
    }
};

std::set<int> Range(int first, int last)
{
    std::set<int> s;
    for (int i = first; i <= last; ++i)
        s.insert(i);
    return s;
}

// A dial of 20 m at 96 dpi, anchored in its middle: large enough that every line whose ends
// stay within 10 m of the style foot is seen whole.
template <class Dial>
std::unique_ptr<Dial> LargeDial(double latitudeDeg, double declinationDeg = 0.0)
{
    return MakeDial<Dial>(latitudeDeg, -6.03, 1.0, 2024, declinationDeg, 20000, 20000, 50, 50);
}

// Declinations of the table dates of 2024 from the ephemeris (tests/data/astro).
std::map<int, double> EphemerisDeclinations()
{
    std::map<int, double> byRow;
    std::ifstream in(testsupport::DataDir() / "astro" / "sun_dates.csv");
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        int year = 0, month = 0, day = 0;
        double ra = 0, dec = 0, eot = 0;
        if (std::sscanf(line.c_str(), "%d,%d,%d,%lf,%lf,%lf", &year, &month, &day, &ra, &dec, &eot) == 6 &&
            year == 2024)
            byRow[CCadran::DateRow(month, day)] = dec;
    }
    return byRow;
}

// Azimuth from the equator side, positive west, and altitude of the sun, degrees.
void SunDirection(double latDeg, double hourAngleDeg, double decDeg, double& azDeg, double& altDeg)
{
    const double phi = latDeg * kDeg, h = hourAngleDeg * kDeg, d = decDeg * kDeg;
    altDeg = std::asin(std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(h)) / kDeg;
    const double fromSouth = std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::tan(d) * std::cos(phi)) / kDeg;
    azDeg = latDeg >= 0 ? fromSouth : std::remainder(180.0 - fromSouth, 360.0);
}

// Whole hours whose sun lights a vertical wall (in front of it and above the horizon) on at
// least two table dates between the solstices: an hour line runs between two of them.
std::set<int> LitHoursOnWall(double latDeg, double wallDeg)
{
    const auto declinations = EphemerisDeclinations();
    std::set<int> hours;
    for (int hour = 0; hour <= 24; ++hour) {
        int lit = 0;
        for (int row = 34; row <= 70; ++row) {
            double az = 0, alt = 0;
            SunDirection(latDeg, (hour - 12) * 15.0, declinations.at(row), az, alt);
            lit += alt > 0.0 && std::fabs(std::remainder(az - wallDeg, 360.0)) < 90.0 - 0.001 / kDeg;
        }
        if (lit >= 2)
            hours.insert(hour);
    }
    return hours;
}

TEST_F(DialLines, HourLinesSpanTheLitPartOfTheDayBetweenTheSolstices)
{
    struct Case {
        double latitude;
        int wholeHours, halfHours;
    };
    // Sunrise on the longest day: 4:08 solar time at 47.25 N, 4:52 at 33.9 S.
    for (const Case c : {Case{47.25, 15, 16}, Case{-33.9, 15, 14}}) {
        auto dial = LargeDial<HorizontalDial>(c.latitude);
        AllOff(*dial);
        dial->prefs.hourLines = 1;
        dial->prefs.halfHourLines = 1;
        gdi::RecordingDC dc;
        dial->Draw(dc);
        EXPECT_EQ(PolylinesOf(dc, 5).size(), static_cast<size_t>(c.wholeHours)) << c.latitude;
        EXPECT_EQ(PolylinesOf(dc, 6).size(), static_cast<size_t>(c.halfHours)) << c.latitude;
        EXPECT_EQ(LabelSlots(*dial), Range(5, 19)) << c.latitude;
    }
}

TEST_F(DialLines, HourLinesOfADecliningWallFollowItsLitHours)
{
    for (const double latitude : {47.25, -33.9}) {
        for (const double wall : {30.0, -50.0}) {
            auto dial = LargeDial<DecliningDial>(latitude, wall);
            AllOff(*dial);
            dial->prefs.hourLines = 1;
            dial->prefs.sunAboveHorizon = 1;
            gdi::RecordingDC dc;
            dial->Draw(dc);
            const std::set<int> expected = LitHoursOnWall(latitude, wall);
            EXPECT_EQ(LabelSlots(*dial), expected) << latitude << " " << wall;
            EXPECT_EQ(PolylinesOf(dc, 5).size(), expected.size()) << latitude << " " << wall;
        }
    }
}

TEST_F(DialLines, SubHourLinesFollowTheSwitches)
{
    auto dial = LargeDial<HorizontalDial>(47.25);
    AllOff(*dial);
    dial->prefs.hourLines = 1;
    dial->firstHour = 9;
    dial->lastHour = 11;
    const auto counts = [&](int half, int quarter, int five) {
        dial->prefs.halfHourLines = half;
        dial->prefs.quarterHourLines = quarter;
        dial->prefs.fiveMinuteLines = five;
        gdi::RecordingDC dc;
        dial->Draw(dc);
        return std::vector<size_t>{PolylinesOf(dc, 5).size(), PolylinesOf(dc, 6).size(), PolylinesOf(dc, 7).size(),
                                   PolylinesOf(dc, 8).size()};
    };
    EXPECT_EQ(counts(0, 0, 0), (std::vector<size_t>{3, 0, 0, 0}));
    EXPECT_EQ(counts(1, 0, 0), (std::vector<size_t>{3, 2, 0, 0}));
    EXPECT_EQ(counts(1, 1, 0), (std::vector<size_t>{3, 2, 4, 0}));
    // Without half hours the half-hour steps take the quarter-hour pen.
    EXPECT_EQ(counts(0, 1, 0), (std::vector<size_t>{3, 0, 6, 0}));
    EXPECT_EQ(counts(1, 1, 1), (std::vector<size_t>{3, 2, 4, 16}));
    // A single hour.
    dial->lastHour = 9;
    EXPECT_EQ(counts(1, 1, 1), (std::vector<size_t>{1, 0, 0, 0}));
}

TEST_F(DialLines, HourNumbersInRomanOrTwentyFourHours)
{
    auto dial = LargeDial<HorizontalDial>(47.25);
    AllOff(*dial);
    dial->prefs.hourLines = 1;
    dial->prefs.hourNumbers = 1;
    gdi::RecordingDC roman;
    dial->Draw(roman);
    EXPECT_EQ(roman.Texts(), (std::vector<std::string>{"V", "VI", "VII", "VIII", "IX", "X", "XI", "XII", "I", "II",
                                                       "III", "IV", "V", "VI", "VII"}));
    dial->prefs.romanNumerals = 0;
    dial->prefs.hours24 = 1;
    gdi::RecordingDC decimal;
    dial->Draw(decimal);
    std::vector<std::string> expected;
    for (int h = 5; h <= 19; ++h)
        expected.push_back(std::to_string(h));
    EXPECT_EQ(decimal.Texts(), expected);
    // Each label hangs beyond the end of its line (towards the centre), turned with its
    // line but never beyond a quarter turn.
    const auto texts = decimal.RecordsOf(gdi::RecordKind::TextOut);
    ASSERT_EQ(texts.size(), 15u);
    EXPECT_EQ(texts[7]->points[0].x, dial->hourLabelPos[12].x);
    EXPECT_GT(texts[7]->points[0].y, dial->hourLabelPos[12].y);
    EXPECT_EQ(texts[7]->font.escapement, 0);  // the noon line is upright
    EXPECT_GT(texts[2]->font.escapement, 0);  // morning lines lean one way...
    EXPECT_LT(texts[12]->font.escapement, 0);  // ...afternoon lines the other
    for (const gdi::Record* t : texts)
        EXPECT_TRUE(t->font.escapement >= -900 && t->font.escapement <= 900) << t->font.escapement;
    EXPECT_EQ(texts[7]->textAlign, gdi::TA_TOP | gdi::TA_CENTER);

    // On a declining wall the lines leave the dial askew: a number there moves in along its
    // line rather than being cut by the edge.
    for (const double wall : {-45.0, 45.0}) {
        auto declining = MakeDial<DecliningDial>(47.25, -6.03, 1.0, 2024, wall, 160, 160, 50, 30);
        AllOff(*declining);
        declining->prefs.hourLines = 1;
        declining->prefs.hourNumbers = 1;
        gdi::RecordingDC dc;
        declining->Draw(dc);
        const auto numbers = dc.RecordsOf(gdi::RecordKind::TextOut);
        EXPECT_GE(numbers.size(), 8u) << wall;
        for (const gdi::Record* number : numbers) {
            gdi::RecordingDC probe;
            probe.SelectFont(number->font);
            probe.SetTextAlign(number->textAlign);
            const LabelBox box = TextBox(probe, number->points[0].x, number->points[0].y, number->text);
            EXPECT_EQ(DistanceInto(box, box.up.x, box.up.y, declining->GetDrawRect()), 0.0) << wall << " " << number->text;
        }
    }
    // A number nearly upside down at the left edge: whole pixels leave a corner out until
    // the fourth move, which brings it in.
    auto edge = MakeDial<HorizontalDial>(47.25, -6.03, 1.0, 2024, 0, 160, 160, 50, 30);
    AllOff(*edge);
    edge->prefs.hourLines = 1;
    edge->prefs.romanNumerals = 1;
    edge->prefs.hours24 = 0;
    edge->scale = 3.75;  // numbers 45 pixels high
    edge->drawRect = {0, 0, 400, 400};
    edge->ResetHourLabels(25);
    edge->hourLabelPos[12] = {1, 10};
    edge->hourLabelAngle[12] = -172.0 * std::numbers::pi / 180.0;
    gdi::RecordingDC upsideDown;
    edge->DrawHourNumbers(upsideDown);
    EXPECT_EQ(upsideDown.Texts(), std::vector<std::string>{"XII"});
}

namespace {

// A dial of any type, its type and plane set, placed as MakeDial places its own.
template <class Dial, class... Args>
std::unique_ptr<Dial> PlacedDial(int code, double angle1Deg, double angle2Deg, double latitudeDeg, int widthMm,
                                 int heightMm, int anchorY, Args... args)
{
    auto dial = std::make_unique<Dial>(args...);
    dial->SetTypeAndPlane(code, angle1Deg, angle2Deg);
    PlaceDial(*dial, latitudeDeg, -6.03, 1.0, 2024, widthMm, heightMm, 50, anchorY);
    return dial;
}

// The numbers of a dial drawn with its hour lines, in drawing order.
std::vector<const gdi::Record*> NumbersOf(CCadran& dial, gdi::RecordingDC& dc)
{
    dial.prefs = CPrefs();
    dial.prefs.diurnalArcs = 0;
    dial.prefs.styleMarking = 0;
    dial.Draw(dc);
    return dc.RecordsOf(gdi::RecordKind::TextOut);
}

}  // namespace

// A number reads upright for a person facing the dial, and a plane gives the same numbers
// whichever way it was entered: a wall entered as an inclined plane of 90 degrees, a
// horizontal face entered as an inclined plane of 0 degree.
TEST_F(DialLines, HourNumbersReadUprightWhicheverWayThePlaneWasEntered)
{
    struct Case {
        const char* name;
        std::unique_ptr<CCadran> dial;
        std::unique_ptr<CCadran> sameAs;  // entered the other way, or none
    };
    std::vector<Case> cases;
    for (const double latitude : {47.25, -33.9}) {
        cases.push_back(
            {"wall as a plane",
             PlacedDial<CCadranPlanQuelconque>(6, -30, 90, latitude, 400, 300, 25, -30 * kDeg, 90 * kDeg),
             PlacedDial<CCadranVerticalQcq>(5, -30, 90, latitude, 400, 300, 25, -30 * kDeg)});
        // Its centre lies beyond the reach of the drawing (1240 mm at 47.25 N).
        cases.push_back(
            {"wall turned 88 degrees as a plane",
             PlacedDial<CCadranPlanQuelconque>(6, -88, 90, latitude, 400, 300, 50, -88 * kDeg, 90 * kDeg),
             PlacedDial<CCadranVerticalQcq>(5, -88, 90, latitude, 400, 300, 50, -88 * kDeg)});
        cases.push_back(
            {"north wall as a plane",
             PlacedDial<CCadranPlanQuelconque>(6, 150, 90, latitude, 400, 300, 75, 150 * kDeg, 90 * kDeg),
             PlacedDial<CCadranVerticalQcqSept>(7, 150, 90, latitude, 400, 300, 75, 150 * kDeg)});
        cases.push_back(
            {"plane at 80",
             PlacedDial<CCadranPlanQuelconque>(6, -30, 80, latitude, 400, 300, 25, -30 * kDeg, 80 * kDeg), nullptr});
        cases.push_back({"horizontal as a plane",
                         PlacedDial<CCadranPlanQuelconque>(6, 0, 0, latitude, 400, 300, 70, 0.0, 0.0),
                         PlacedDial<CCadranHorizontal>(1, 0, 0, latitude, 400, 300, 70)});
        cases.push_back({"polar half-cylinder", PlacedDial<CCadranCylindrique>(31, 0, 0, latitude, 354, 133, 50),
                         nullptr});
    }
    for (Case& c : cases) {
        const std::string where = std::string(c.name) + " at " + std::to_string(c.dial->latitude);
        gdi::RecordingDC dc;
        const auto numbers = NumbersOf(*c.dial, dc);
        EXPECT_GE(numbers.size(), 8u) << where;
        for (const gdi::Record* n : numbers)
            EXPECT_TRUE(n->font.escapement >= -900 && n->font.escapement <= 900)
                << where << " " << n->text << " " << n->font.escapement;
        if (!c.sameAs)
            continue;
        gdi::RecordingDC twinDc;
        const auto twin = NumbersOf(*c.sameAs, twinDc);
        ASSERT_EQ(numbers.size(), twin.size()) << where;
        for (size_t k = 0; k < numbers.size(); ++k) {
            EXPECT_EQ(numbers[k]->text, twin[k]->text) << where;
            EXPECT_EQ(numbers[k]->font.escapement, twin[k]->font.escapement) << where << " " << numbers[k]->text;
            EXPECT_EQ(numbers[k]->textAlign, twin[k]->textAlign) << where << " " << numbers[k]->text;
            EXPECT_LE(std::abs(numbers[k]->points[0].x - twin[k]->points[0].x), 1) << where << " " << numbers[k]->text;
            EXPECT_LE(std::abs(numbers[k]->points[0].y - twin[k]->points[0].y), 1) << where << " " << numbers[k]->text;
        }
    }
}

// No hour line or solstice arc runs through a number: the numbers stand beyond the ends of
// their lines, and where the edge of the dial brings a number back over the lines, they go
// round it.
TEST_F(DialLines, NumbersStandClearOfTheLines)
{
    struct Case {
        const char* name;
        std::unique_ptr<CCadran> dial;
        bool extend;
        bool azimuths = false;  // the sun's azimuth and altitude lines instead of the hours
    };
    std::vector<Case> cases;
    const auto wall = [](double latitude, double declination, int widthMm, int heightMm) {
        return PlacedDial<CCadranVerticalQcq>(5, declination, 90, latitude, widthMm, heightMm, 25, declination * kDeg);
    };
    cases.push_back({"wall", wall(47.25, -30, 400, 300), false});
    cases.push_back({"horizontal", PlacedDial<CCadranHorizontal>(1, 0, 0, 47.25, 400, 300, 70), false});
    cases.push_back({"southern wall", wall(-33.9, 40, 300, 200), false});
    cases.push_back({"wall, lines to the edge", wall(47.25, -30, 400, 300), true});
    cases.push_back({"azimuths on a wall", wall(47.25, -30, 400, 300), false, true});
    cases.push_back({"equatorial, lines to the centre",
                     PlacedDial<CCadranEquatorial>(8, 0, 47.25 - 90, 47.25, 400, 300, 75, 1, 8, 50, 75), true});
    for (Case& c : cases) {
        CCadran& dial = *c.dial;
        dial.prefs = CPrefs();
        dial.prefs.styleMarking = 0;
        dial.prefs.extendHourLines = c.extend;
        dial.prefs.diurnalArcMode = 1;  // the two solstice arcs
        dial.prefs.hourLines = !c.azimuths;
        dial.prefs.horizontalLines = c.azimuths;
        gdi::RecordingDC dc;
        dial.Draw(dc);
        const auto numbers = dc.RecordsOf(gdi::RecordKind::TextOut);
        EXPECT_GE(numbers.size(), 8u) << c.name;
        std::vector<const gdi::Record*> lines = PolylinesOf(dc, 5);
        // The solstice arcs, and the altitude and azimuth lines.
        for (const int entry : {9, 15, 20, 21, 22, 24, 28, 29, 30})
            for (const gdi::Record* arc : PolylinesOf(dc, entry))
                lines.push_back(arc);
        // The equatorial dial's light grey lines from the centre.
        for (const gdi::Record* line : dc.RecordsOf(gdi::RecordKind::Polyline))
            if (line->pen.color == gdi::RGB(192, 192, 192))
                lines.push_back(line);
        for (const gdi::Record* n : numbers) {
            gdi::RecordingDC probe;
            probe.SelectFont(n->font);
            probe.SetTextAlign(n->textAlign);
            const LabelBox box = TextBox(probe, n->points[0].x, n->points[0].y, n->text);
            for (const gdi::Record* line : lines)
                for (size_t k = 1; k < line->points.size(); ++k) {
                    const gdi::Point p = line->points[k - 1];
                    const gdi::Point q = line->points[k];
                    const LabelBox::PointD from{double(p.x), double(p.y)};
                    const LabelBox::PointD to{double(q.x), double(q.y)};
                    LabelBox segment;
                    segment.corners = {from, to, to, from};
                    EXPECT_FALSE(Overlap(box, segment)) << c.name << ": " << n->text << " crossed by a line of entry "
                                                        << EntryOf(line->pen) << " at " << p.x << "," << p.y;
                }
        }
    }

    // The exports keep their lines whole: a metafile draws the hour lines as a drawing
    // without numbers does, and so do the shapes of the DXF export.
    auto exported = wall(47.25, -30, 400, 300);
    exported->prefs = CPrefs();
    exported->prefs.styleMarking = 0;
    exported->prefs.extendHourLines = 1;
    const auto draw = [&](gdi::RecordingDC& dc, bool numbers, std::vector<std::vector<double>>& shapes) {
        exported->prefs.hourNumbers = numbers;
        exported->ClearExportShapes();
        exported->collectShapes = 1;
        exported->Draw(dc);
        exported->collectShapes = 0;
        shapes.clear();
        for (const auto& shape : exported->exportShapes) {
            shapes.emplace_back();
            for (const CDoublePoint& point : shape->points)
                shapes.back().insert(shapes.back().end(), {point.x, point.y});
        }
        std::vector<std::vector<gdi::Point>> lines;
        for (const gdi::Record* line : PolylinesOf(dc, 5))
            lines.push_back(line->points);
        return lines;
    };
    std::vector<std::vector<double>> bareShapes, shapes, metafileShapes;
    gdi::RecordingDC bare, numbered;
    WholeLinesRecording metafile;
    const auto bareLines = draw(bare, false, bareShapes);
    EXPECT_NE(draw(numbered, true, shapes), bareLines);  // on screen some lines go round numbers
    EXPECT_EQ(shapes, bareShapes);
    EXPECT_EQ(draw(metafile, true, metafileShapes), bareLines);
    EXPECT_EQ(metafileShapes, bareShapes);
}

TEST_F(DialLines, ZoneStepsShiftTheNumbersAndWrapPastMidnight)
{
    // 70 N, 5 E, zone +1: one zone step; the midnight sun lights hours 0 and 24.
    auto dial = MakeDial<HorizontalDial>(70.0, -5.0, 1.0, 2024, 0, 20000, 20000, 50, 50);
    AllOff(*dial);
    dial->localSolarTime = 0;
    dial->ComputeAllTables();
    dial->prefs.hourLines = 1;
    dial->prefs.hourNumbers = 1;
    dial->prefs.hours24 = 1;
    ASSERT_EQ(GetZoneSteps(), 1);
    gdi::RecordingDC dc;
    dial->Draw(dc);
    ASSERT_NE(dial->hourLabelPos[0].x, 0);
    ASSERT_NE(dial->hourLabelPos[24].x, 0);
    const auto texts = dc.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "?!?"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "I"), 2);  // 0 h and 24 h both read 1 h
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "XIII"), 1);
}

TEST_F(DialLines, DiurnalArcModes)
{
    struct Mode {
        int mode;
        std::map<int, int> polylines;  // colour entry -> arcs
    };
    // Longitudes L and 180 - L give one arc: the twelve signs fall on seven declinations, the
    // 34 rows of ten degrees on 19 (12 of them between the signs).
    const std::map<int, int> signs = {{12, 1}, {13, 1}, {14, 1}, {15, 1}, {11, 1}, {10, 1}, {9, 1}};
    std::map<int, int> everyTen = signs;
    everyTen[16] = 12;
    const std::vector<Mode> modes = {
        {0, {{12, 1}}},
        {1, {{15, 1}, {9, 1}}},
        {2, {{12, 1}, {15, 1}, {9, 1}}},
        {3, signs},
        {4, everyTen},
        {5, {{17, 5}}},
        {6, {{17, 5}, {18, 4}}},
        {7, {{17, 5}, {15, 1}, {9, 1}}},
        {8, {{17, 5}, {18, 4}, {15, 1}, {9, 1}}},
        {9, {{31, 12}}},
        {10, {{31, 12}, {33, 12}}},
        {11, {{31, 12}, {32, 12}, {34, 12}}},
        {12, {{31, 12}, {15, 1}, {9, 1}}},
        {13, {{31, 12}, {33, 12}, {15, 1}, {9, 1}}},
        // The 21st of June and of December lie on the solstice arcs: not traced again.
        {14, {{31, 12}, {32, 12}, {34, 10}, {15, 1}, {9, 1}}},
        {15, {}},
    };
    for (const double latitude : {47.25, -33.9}) {
        auto horizontal = LargeDial<HorizontalDial>(latitude);
        auto wall = LargeDial<DecliningDial>(latitude, 30.0);
        for (CCadran* dial : {static_cast<CCadran*>(horizontal.get()), static_cast<CCadran*>(wall.get())}) {
            for (const Mode& m : modes) {
                AllOff(*dial);
                dial->prefs.hourLines = 1;
                dial->firstHour = dial->lastHour = 12;  // keeps the hour lines out of the count but one
                dial->prefs.diurnalArcs = 1;
                dial->prefs.diurnalArcMode = m.mode;
                dial->prefs.sunAboveHorizon = 1;
                dial->firstHour = 0;
                dial->lastHour = 24;
                dial->prefs.hourLines = 1;
                gdi::RecordingDC dc;
                dial->Draw(dc);
                auto counts = PolylineCounts(dc);
                counts.erase(5);  // the hour lines
                EXPECT_EQ(counts, m.polylines) << "latitude " << latitude << " type " << dial->typeCode << " mode "
                                               << m.mode;
            }
        }
    }
}

TEST_F(DialLines, CalendarArcsFollowTheHalfYearOfTheNoonCurve)
{
    auto dial = LargeDial<HorizontalDial>(47.25);
    AllOff(*dial);
    dial->prefs.hourLines = 1;
    dial->prefs.diurnalArcs = 1;
    dial->prefs.diurnalArcMode = 11;
    dial->prefs.noonMarkType = 1;
    for (const auto& [shape, months] : std::map<int, int>{{0, 12}, {1, 6}, {2, 5}}) {
        dial->prefs.noonMarkShape = shape;
        gdi::RecordingDC dc;
        dial->Draw(dc);
        EXPECT_EQ(PolylinesOf(dc, 32).size(), static_cast<size_t>(months)) << shape;
    }
}

// Point of a sun direction on the horizontal test dial, device pixels.
gdi::Point OnHorizontalDial(const CCadran& dial, double azDeg, double altDeg, gdi::Point origin)
{
    const double s = dial.latitude < 0 ? -1.0 : 1.0;
    const double u = s * dial.styleHeight * std::sin(azDeg * kDeg) / std::tan(altDeg * kDeg);
    const double v = dial.styleHeight * std::cos(azDeg * kDeg) / std::tan(altDeg * kDeg);
    return {origin.x + RoundToInt(u * dial.pixelsPerMmX), origin.y - RoundToInt(v * dial.pixelsPerMmY)};
}

gdi::Point Origin(const CCadran& dial)
{
    int x = 0, y = 0;
    const gdi::Rect& r = dial.dialRect;
    dial.GetStyleAnchorPoint(r.left, r.top, r.right, r.bottom, x, y);
    return {x, y};
}

TEST_F(DialLines, NoonCurveOfMeanTimeAgreesWithTheEphemeris)
{
    auto dial = LargeDial<HorizontalDial>(47.25);
    AllOff(*dial);
    dial->prefs.hourLines = 1;
    dial->prefs.noonMark = 1;
    dial->firstHour = dial->lastHour = 12;
    gdi::RecordingDC dc;
    dial->Draw(dc);
    const auto lines = PolylinesOf(dc, 5);
    ASSERT_EQ(lines.size(), 2u);  // the noon line and its curve
    const gdi::Record* curve = lines[0]->points.size() > 2 ? lines[0] : lines[1];
    ASSERT_EQ(curve->points.size(), 73u);  // 72 dates, closed on 1 January
    EXPECT_EQ(curve->points.front(), curve->points.back());

    // Mean noon stands where the sun is EoT (mean - true) before true noon.
    std::ifstream in(testsupport::DataDir() / "astro" / "sun_dates.csv");
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        int year = 0, month = 0, day = 0;
        double ra = 0, dec = 0, eot = 0;
        if (std::sscanf(line.c_str(), "%d,%d,%d,%lf,%lf,%lf", &year, &month, &day, &ra, &dec, &eot) != 6 ||
            year != 2024 || (month != 2 && month != 11))
            continue;
        double az = 0, alt = 0;
        SunDirection(47.25, -eot / 240.0, dec, az, alt);
        const gdi::Point expected = OnHorizontalDial(*dial, az, alt, Origin(*dial));
        const gdi::Point actual = curve->points[static_cast<size_t>(CCadran::DateRow(month, day))];
        EXPECT_NEAR(actual.x, expected.x, 1) << day << "/" << month;
        EXPECT_NEAR(actual.y, expected.y, 1) << day << "/" << month;
        // February: the sun crosses the meridian about 14 min after mean noon, so mean noon
        // falls west of the noon line (left); November: 16 min before, east of it.
        if (month == 2)
            EXPECT_LT(actual.x, Origin(*dial).x - 10) << day;
        else
            EXPECT_GT(actual.x, Origin(*dial).x + 10) << day;
        ++checked;
    }
    EXPECT_EQ(checked, 12);
}

TEST_F(DialLines, NoonCurveHalvesAndDateMarks)
{
    auto dial = LargeDial<HorizontalDial>(-33.9);
    AllOff(*dial);
    dial->prefs.hourLines = 1;
    dial->prefs.noonMark = 1;
    dial->prefs.noonMarkWithHourLine = 0;
    dial->firstHour = dial->lastHour = 12;
    for (const int shape : {1, 2}) {
        dial->prefs.noonMarkShape = shape;
        gdi::RecordingDC dc;
        dial->Draw(dc);
        const auto lines = PolylinesOf(dc, 5);
        ASSERT_EQ(lines.size(), 1u) << shape;  // no hour line with the curve
        EXPECT_EQ(lines[0]->points.size(), 37u) << shape;
    }
    dial->prefs.noonMarkShape = 0;
    dial->prefs.noonMarkPointer = 1;
    gdi::RecordingDC dc;
    dial->Draw(dc);
    const auto lines = PolylinesOf(dc, 5);
    const auto count = [&](size_t points) {
        return std::count_if(lines.begin(), lines.end(), [&](const gdi::Record* r) { return r->points.size() == points; });
    };
    EXPECT_EQ(count(73), 1);  // the curve
    EXPECT_EQ(count(5), 12);  // a diamond on the first of each month
    EXPECT_EQ(count(2), 60);  // a tick on the other table dates
}

TEST_F(DialLines, NoonCurveAtEveryHourWithTheHourLineTypeOfCurve)
{
    auto dial = LargeDial<HorizontalDial>(47.25);
    AllOff(*dial);
    dial->prefs.hourLines = 1;
    dial->prefs.noonMark = 1;
    dial->prefs.noonMarkType = 1;
    dial->firstHour = 10;
    dial->lastHour = 14;
    gdi::RecordingDC dc;
    dial->Draw(dc);
    const auto lines = PolylinesOf(dc, 5);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const gdi::Record* r) { return r->points.size() == 73; }), 5);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const gdi::Record* r) { return r->points.size() == 2; }), 5);
}

TEST_F(DialLines, ItalicAndBabylonianHours)
{
    struct Case {
        double latitude;
        int lines;  // whole hours counted from sunrise (or sunset) on the longest day, roughly its length
    };
    for (const Case c : {Case{47.25, 15}, Case{-33.9, 14}}) {
        auto dial = LargeDial<HorizontalDial>(c.latitude);
        for (const bool babylonian : {false, true}) {
            AllOff(*dial);
            (babylonian ? dial->prefs.babylonianHours : dial->prefs.italicHours) = 1;
            gdi::RecordingDC dc;
            dial->Draw(dc);
            EXPECT_EQ(PolylinesOf(dc, 5).size(), static_cast<size_t>(c.lines)) << c.latitude << " " << babylonian;
            EXPECT_EQ(dc.Count(gdi::RecordKind::Polyline), c.lines);
        }
    }
    // On a wall the hour 0 since sunset (or sunrise) and the 24th both lie on the horizon:
    // one line, or a cutter would cut it twice.
    for (const double declination : {30.0, -30.0}) {
        auto wall = LargeDial<DecliningDial>(47.25, declination);
        for (const bool babylonian : {false, true}) {
            AllOff(*wall);
            (babylonian ? wall->prefs.babylonianHours : wall->prefs.italicHours) = 1;
            gdi::RecordingDC dc;
            wall->Draw(dc);
            const auto lines = dc.RecordsOf(gdi::RecordKind::Polyline);
            EXPECT_GT(lines.size(), 5u);
            for (size_t i = 0; i < lines.size(); ++i)
                for (size_t j = i + 1; j < lines.size(); ++j)
                    EXPECT_NE(lines[i]->points, lines[j]->points) << declination << " " << babylonian << " " << i;
        }
    }
}

// A face that takes every sun direction, even one that is not a number.
class OpenFaceDial : public HorizontalDial {
public:
    bool IsLit(double, double, bool) const override { return true; }
};

TEST_F(DialLines, ItalicHoursBeyondThePolarCircleUseOnlyDaysWithSunriseAndSunset)
{
    auto dial = MakeDial<OpenFaceDial>(70.0, -6.03, 1.0, 2024, 0, 20000, 20000, 50, 50);
    AllOff(*dial);
    dial->prefs.babylonianHours = 1;
    dial->prefs.italicHours = 1;
    gdi::RecordingDC dc;
    dial->Draw(dc);
    EXPECT_GT(dc.Count(gdi::RecordKind::Polyline), 10);
    // A day without sunset has no hour angle of sunset: a direction computed from it would
    // not be a number and would land on the style's foot.
    for (const gdi::Record* line : dc.RecordsOf(gdi::RecordKind::Polyline)) {
        for (const gdi::Point p : line->points)
            EXPECT_NE(p, Origin(*dial));
    }
}

// Azimuths (multiples of step) that the sun reaches with a declination between the
// solstices, above 0.005 rad of altitude, on a horizontal dial.
std::set<int> ReachedAzimuths(double latDeg, int step)
{
    const double eps = 23.44;
    std::set<int> reached;
    for (int az = -180; az <= 180; az += step) {
        const double cosA = latDeg >= 0 ? std::cos(az * kDeg) : -std::cos(az * kDeg);
        for (int r = 3; r <= 900; ++r) {
            const double h = r * 0.1 * kDeg;
            const double dec = std::asin(std::sin(latDeg * kDeg) * std::sin(h) - std::cos(latDeg * kDeg) * std::cos(h) * cosA);
            if (std::fabs(dec / kDeg) <= eps - 0.01) {
                reached.insert(az);
                break;
            }
        }
    }
    return reached;
}

TEST_F(DialLines, AzimuthLinesAndTheirLabels)
{
    for (const double latitude : {47.25, -33.9}) {
        auto dial = LargeDial<HorizontalDial>(latitude);
        AllOff(*dial);
        dial->prefs.horizontalLines = 1;
        dial->prefs.hourNumbers = 1;
        dial->prefs.azimuthStep = 5;
        dial->prefs.altitudeStep = 90;
        WholeLinesRecording dc;
        dial->Draw(dc);
        ASSERT_EQ(dial->hourLabelPos.size(), 73u);
        const std::set<int> reached = ReachedAzimuths(latitude, 5);
        int azimuthLines = 0;
        for (int entry = 25; entry <= 30; ++entry)
            azimuthLines += static_cast<int>(PolylinesOf(dc, entry).size());
        EXPECT_EQ(azimuthLines, static_cast<int>(reached.size())) << latitude;
        std::set<std::string> expectedTexts;
        for (const int az : reached)
            expectedTexts.insert(std::to_string(az) + "\xC2\xB0");
        // Each label names a line drawn; near the meridian, where the lines close up, a label
        // that would run into the one before it is left out; none leaves the dial.
        const auto texts = dc.Texts();
        const std::set<std::string> written(texts.begin(), texts.end());
        EXPECT_TRUE(std::includes(expectedTexts.begin(), expectedTexts.end(), written.begin(), written.end()))
            << latitude;
        EXPECT_GE(written.size(), expectedTexts.size() / 3) << latitude;
        std::optional<LabelBox> previous;
        for (const gdi::Record* text : dc.RecordsOf(gdi::RecordKind::TextOut)) {
            gdi::RecordingDC probe;
            probe.SelectFont(text->font);
            probe.SetTextAlign(text->textAlign);
            const LabelBox box = TextBox(probe, text->points[0].x, text->points[0].y, text->text);
            EXPECT_FALSE(previous && Overlap(*previous, box)) << latitude << " " << text->text;
            EXPECT_EQ(DistanceInto(box, box.up.x, box.up.y, dial->GetDrawRect()), 0.0) << latitude << " " << text->text;
            previous = box;
        }
        EXPECT_EQ(PolylinesOf(dc, 30).size(), 5u);  // -90, -45, 0, 45 and 90 degrees

        // A coarse step still leaves a slot for every hour of the other dial types.
        dial->prefs.azimuthStep = 45;
        gdi::RecordingDC coarse;
        dial->Draw(coarse);
        EXPECT_EQ(dial->hourLabelPos.size(), 25u);
        EXPECT_EQ(dial->hourLabelAngle.size(), 25u);
    }
}

TEST_F(DialLines, AltitudeLinesAndSolsticeArcs)
{
    auto dial = LargeDial<HorizontalDial>(47.25);
    AllOff(*dial);
    dial->prefs.horizontalLines = 1;
    dial->prefs.azimuthStep = 360;
    dial->prefs.altitudeStep = 10;
    gdi::RecordingDC dc;
    dial->Draw(dc);
    // 10 degrees is reached in the morning and in the evening only; 20 to 60 through noon;
    // 70 never (the sun culminates at 66.2 degrees).
    EXPECT_EQ(PolylinesOf(dc, 22).size(), 5u);
    EXPECT_EQ(PolylinesOf(dc, 24).size(), 2u);
    EXPECT_EQ(PolylinesOf(dc, 15).size(), 1u);
    EXPECT_EQ(PolylinesOf(dc, 9).size(), 1u);
}

}  // namespace
