// The protractor, the azimuth circle and the equinoctial rule: their graduations on screen and
// on paper, the labels of both hemispheres, and the rule's marks against a ray-traced shadow.
#include "DocTestSupport.h"

#include "model/DialTestDials.h"
#include "model/SurfaceShadowOracle.h"

#include "app/Accessors.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "docview/TablePage.h"
#include "docview/TracingTools.h"
#include "model/Astronomy.h"
#include "platform/RecordingDC.h"

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

class TracingTools : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        GetAppContext().document = &Doc();
        ResetColorTable();
    }
    void TearDown() override
    {
        GetAppContext().document = nullptr;
        DocumentTest::TearDown();
    }
    void Page(int w, int h) { Doc().SetDrawingSizePx({w, h}); }
};

double Distance(gdi::Point a, gdi::Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The graduation ticks: segments drawn with the graduation pen (outlines are drawn first,
// each with its own chord or ellipse, not as segments).
std::vector<gdi::Segment> Ticks(const gdi::RecordingDC& dc)
{
    return dc.Segments();
}

std::vector<const gdi::Record*> Labels(const gdi::RecordingDC& dc)
{
    return dc.RecordsOf(RecordKind::TextOut);
}

const gdi::Record* Label(const gdi::RecordingDC& dc, const std::string& text)
{
    for (const gdi::Record* r : Labels(dc))
        if (r->text == text)
            return r;
    return nullptr;
}

}  // namespace

TEST_F(TracingTools, PortraitProtractorStandsOnAVerticalDiameter)
{
    Page(794, 1123);
    gdi::RecordingDC dc;
    DrawProtractor(dc);

    // 90 % of the page: 714 x 1010; radius 505, the half disc centred across the width.
    const gdi::Point centre{39 + (714 - 505) / 2 + 505, 56 + 505};
    const auto chords = dc.RecordsOf(RecordKind::Chord);
    ASSERT_EQ(chords.size(), 4u);
    for (const gdi::Record* c : chords) {
        const int r = (c->args[2] - c->args[0]) / 2;
        EXPECT_EQ((gdi::Point{c->args[0] + r, c->args[1] + r}), centre);
        // From the top of the diameter counter-clockwise to its bottom: the left half.
        EXPECT_EQ((gdi::Point{c->args[4], c->args[5]}), (gdi::Point{centre.x, centre.y - r}));
        EXPECT_EQ((gdi::Point{c->args[6], c->args[7]}), (gdi::Point{centre.x, centre.y + r}));
        EXPECT_EQ(c->brush.style, gdi::BS_NULL);
    }
    std::vector<int> radii;
    for (const gdi::Record* c : chords)
        radii.push_back((c->args[2] - c->args[0]) / 2);
    EXPECT_EQ(radii, (std::vector<int>{505, 378, 126, 252}));

    // 181 ticks per scale, on the left of the diameter, each from its scale's radius inwards.
    const std::vector<gdi::Segment> ticks = Ticks(dc);
    ASSERT_EQ(ticks.size(), 2u * 181u);
    std::map<int, int> lengths;
    for (size_t i = 0; i < ticks.size(); ++i) {
        const double outer = i < 181 ? 505 : 252;
        EXPECT_NEAR(Distance(ticks[i].from, centre), outer, 1.0);
        EXPECT_LE(ticks[i].from.x, centre.x);
        if (i < 181) {
            // Each end is rounded to the pixel: take the nearest of the four lengths.
            const double d = Distance(ticks[i].from, ticks[i].to);
            int nearest = 505;
            for (const int l : {40, 20, 10})
                if (std::fabs(d - l) < std::fabs(d - nearest))
                    nearest = l;
            ++lengths[nearest];
        }
    }
    EXPECT_EQ(lengths[505], 3);   // 0, 90 and 180 degrees run to the centre
    EXPECT_EQ(lengths[40], 16);   // tens
    EXPECT_EQ(lengths[20], 18);   // fives
    EXPECT_EQ(lengths[10], 144);  // every other degree

    // Labels at 10..80 and 100..170 on both scales, none at 0, 90 or 180.
    std::vector<std::string> outer;
    for (const gdi::Record* r : Labels(dc))
        if (std::fabs(Distance(r->points[0], centre) - 465) < 1.5)
            outer.push_back(r->text);
    ASSERT_EQ(outer.size(), 16u);
    EXPECT_EQ(std::count(outer.begin(), outer.end(), "90°"), 0);
    EXPECT_EQ(std::count(outer.begin(), outer.end(), "0°"), 0);
    EXPECT_EQ(Labels(dc).size(), 32u);
    // The outer scale reads from the top, the inner one from the bottom; labels are turned so
    // that their tops face the rim.
    const std::vector<const gdi::Record*> labels = Labels(dc);
    const auto topmost = std::min_element(labels.begin(), labels.begin() + 16,
                                          [](const gdi::Record* a, const gdi::Record* b) { return a->points[0].y < b->points[0].y; });
    EXPECT_EQ((*topmost)->text, "10°");
    EXPECT_EQ((*topmost)->font.escapement, 100);  // a = 170: turned by 180 - 170 degrees
    EXPECT_EQ((*topmost)->textAlign, gdi::TA_CENTER | gdi::TA_TOP);
    EXPECT_EQ((*topmost)->font.height, -11);
}

TEST_F(TracingTools, LandscapeProtractorShowsItsUpperHalfAndPrintsAtFullSize)
{
    Page(1123, 794);
    gdi::RecordingDC dc;
    DrawProtractor(dc);
    const gdi::Record* chord = dc.RecordsOf(RecordKind::Chord).front();
    const int r = (chord->args[2] - chord->args[0]) / 2;
    EXPECT_EQ(r, 1010 / 2);
    const gdi::Point centre{chord->args[0] + r, chord->args[1] + r};
    EXPECT_EQ((gdi::Point{chord->args[4], chord->args[5]}), (gdi::Point{centre.x + r, centre.y}));
    EXPECT_EQ((gdi::Point{chord->args[6], chord->args[7]}), (gdi::Point{centre.x - r, centre.y}));
    for (const gdi::Segment& s : dc.Segments())
        EXPECT_LE(s.from.y, centre.y);
    EXPECT_EQ(Label(dc, "90°"), nullptr);
    // The outer scale reads 10 at the right end (a = 170), turned by 90 - 170 degrees.
    const gdi::Record* ten = Label(dc, "10°");
    ASSERT_NE(ten, nullptr);
    EXPECT_EQ(ten->font.escapement, -800);
    EXPECT_GT(ten->points[0].x, centre.x);

    // On a 600-dpi printer: the same drawing scaled, outlines 6 pixels wide, graduations 1.
    gdi::RecordingDC printer(gdi::DeviceCaps::Page(600, 297, 210), true);
    DrawProtractor(printer);
    const gdi::Record* printed = printer.RecordsOf(RecordKind::Chord).front();
    EXPECT_NEAR((printed->args[2] - printed->args[0]) / 2.0, r * 600.0 / 96.0, 1.0);
    EXPECT_EQ(printed->pen.width, 6);
    EXPECT_EQ(printer.Segments().front().pen.width, 1);
    EXPECT_EQ(Label(printer, "10°")->font.height, -gdi::MulDiv(11, 600, 96));
}

TEST_F(TracingTools, AzimuthCircleLabelsFollowTheHemisphere)
{
    Page(794, 1123);
    CDataBaseElement north = *Doc().GetLocation();
    north.latitude = 47.25;
    Doc().SetLocation(&north);
    gdi::RecordingDC dc;
    DrawAzimuthCircle(dc);
    const auto ellipses = dc.RecordsOf(RecordKind::Ellipse);
    ASSERT_EQ(ellipses.size(), 2u);
    const int r = static_cast<int>(0.9 * 794 / 2);
    EXPECT_EQ(ellipses[0]->args, (std::vector<int>{397 - r, 561 - r, 397 + r, 561 + r}));
    EXPECT_EQ((ellipses[1]->args[2] - ellipses[1]->args[0]) / 2, 2 * r / 3);
    EXPECT_EQ(dc.Segments().size(), 2u * 361u);

    // Just east of the top (a = 165): azimuth -15 and 11 h in the north...
    const gdi::Point centre{397, 561};
    const auto labelNear = [&](const gdi::RecordingDC& d, double degrees, double radius) -> const gdi::Record* {
        const gdi::Point p{centre.x + static_cast<int>(std::lround(radius * std::cos(degrees * std::numbers::pi / 180))),
                           centre.y - static_cast<int>(std::lround(radius * std::sin(degrees * std::numbers::pi / 180)))};
        for (const gdi::Record* rec : Labels(d))
            if (Distance(rec->points[0], p) < 1.5)
                return rec;
        return nullptr;
    };
    const gdi::Record* azimuth = labelNear(dc, 105.0, r - 40);
    ASSERT_NE(azimuth, nullptr);
    EXPECT_EQ(azimuth->text, "-15°");
    EXPECT_EQ(azimuth->font.weight, gdi::FW_BOLD);
    EXPECT_EQ(labelNear(dc, 105.0, 2 * r / 3 - 20)->text, "11h");
    EXPECT_EQ(labelNear(dc, 100.0, r - 40)->font.weight, gdi::FW_NORMAL);  // a = 170
    // West on the right, east on the left, the equator side at the top.
    const auto word = [&](const gdi::RecordingDC& d, const std::string& text) {
        for (const gdi::Record* rec : Labels(d))
            if (rec->text == text)
                return rec->points[0];
        ADD_FAILURE() << text;
        return gdi::Point{};
    };
    EXPECT_GT(word(dc, "Ouest").x, centre.x);
    EXPECT_LT(word(dc, "Est").x, centre.x);
    EXPECT_LT(word(dc, "Sud").y, centre.y);

    // ...and 15 and 13 h in the south, with the sides swapped.
    CDataBaseElement south = north;
    south.latitude = -33.9;
    Doc().SetLocation(&south);
    gdi::RecordingDC southern;
    DrawAzimuthCircle(southern);
    EXPECT_EQ(labelNear(southern, 105.0, r - 40)->text, "15°");
    EXPECT_EQ(labelNear(southern, 105.0, 2 * r / 3 - 20)->text, "13h");
    EXPECT_LT(word(southern, "Ouest").x, centre.x);
    EXPECT_LT(word(southern, "Nord").y, centre.y);
    // No label where a diameter runs.
    EXPECT_EQ(Label(southern, "0°"), nullptr);
    EXPECT_EQ(Label(southern, "12h"), nullptr);
}

// The equinoctial rule of a horizontal dial at Besançon, 300 mm square, style 40 mm.
class EquinoctialRule : public TracingTools {
protected:
    void SetUp() override
    {
        TracingTools::SetUp();
        auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.25, -6.0333, 1.0, 2024, 0.0, 300, 300, 50, 70);
        dial->styleHeight = 40;
        dial_ = dial.get();
        Doc().SetDial(std::move(dial));
    }

    // Shadow of the nodus (x east, y north, mm from the foot) for a five-minute step of the
    // equinoctial line (declination 0), ray-traced.
    shadow::Vec Shadow(int step) const
    {
        const double hourAngle = (step / 12.0 - 12.0) * 15.0 * shadow::kDeg;
        const shadow::Vec sun = shadow::SunVector(dial_->latitude * shadow::kDeg, hourAngle, 0.0);
        shadow::Vec hit;
        EXPECT_TRUE(shadow::RayPlane({0, 0, static_cast<double>(dial_->styleHeight)}, -sun, {0, 0, 0}, shadow::kUp, hit));
        return hit;
    }
    bool OnSheet(int step) const
    {
        const shadow::Vec sun = shadow::SunVector(dial_->latitude * shadow::kDeg,
                                                  (step / 12.0 - 12.0) * 15.0 * shadow::kDeg, 0.0);
        if (std::asin(sun.z) < 0.005)
            return false;
        const shadow::Vec s = Shadow(step);
        // The foot is 150 mm from either side and 210 mm below the top of the sheet.
        return s.x >= -150 && s.x < 150 && s.y > -90 && s.y <= 210;
    }

    CCadran* dial_ = nullptr;
};

TEST_F(EquinoctialRule, MarksFallWhereTheShadowFallsOnTheDial)
{
    const EquinoctialRulePlan plan = PlanEquinoctialRule(*dial_);
    ASSERT_TRUE(plan.lit);
    int start = 0;
    while (!OnSheet(start))
        start += 3;
    int end = start;
    while (end + 3 < 288 && OnSheet(end + 3))
        end += 3;
    EXPECT_EQ(plan.startStep, start);
    EXPECT_EQ(plan.endStep, end);

    const shadow::Vec first = Shadow(start);
    ASSERT_EQ(plan.marks.size(), static_cast<size_t>(end - start + 1));
    for (const EquinoctialRuleMark& mark : plan.marks) {
        const shadow::Vec s = Shadow(mark.step);
        EXPECT_NEAR(mark.distanceMm, std::hypot(s.x - first.x, s.y - first.y), 0.15) << mark.step;
    }
    EXPECT_NEAR(plan.lengthMm, plan.marks.back().distanceMm, 1e-9);
    // The equinoctial line of a horizontal dial is the east-west line H tan(latitude) north
    // of the foot; here it crosses the 300 mm sheet, less the last quarter hour at each end.
    EXPECT_GT(plan.lengthMm, 220.0);
    EXPECT_LT(plan.lengthMm, 300.0);
}

TEST_F(EquinoctialRule, RuleIsDrawnOverStackedSheetsWithTicksAndHours)
{
    dial_->width = 600;  // a line longer than a sheet is high
    CHoravelView view;
    view.SetDisplayMode(17);
    view.RecalcLayout(1);
    const gdi::Size sheet = Doc().GetSheetSizePx();
    gdi::RecordingDC dc;
    DrawEquinoctialRule(dc);

    const EquinoctialRulePlan plan = PlanEquinoctialRule(*dial_);
    const int length = static_cast<int>(std::lround(plan.lengthMm * 96 / 25.4)) + 60;
    const int pages = length / sheet.cy + 1;
    EXPECT_GE(pages, 2);
    EXPECT_EQ(Doc().GetPageCount(), pages);
    EXPECT_EQ(Doc().GetDrawingSizePx().cx, sheet.cx);

    const auto rects = dc.RecordsOf(RecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    const gdi::Rect rule{rects[0]->args[0], rects[0]->args[1], rects[0]->args[2], rects[0]->args[3]};
    EXPECT_EQ(rule.left, sheet.cx * 13 / 30);
    EXPECT_EQ(rule.right, sheet.cx * 17 / 30);
    EXPECT_EQ(rule.Height(), length);
    EXPECT_EQ(rule.top + rule.bottom, pages * sheet.cy - (pages * sheet.cy - length) % 2);

    // Half-hour lines are the finest drawn by default: a tick every 30 minutes, from the
    // right edge, a full margin long at the hours with the hour written beside it.
    const std::vector<gdi::Segment> ticks = dc.Segments();
    ASSERT_FALSE(ticks.empty());
    for (const gdi::Segment& t : ticks) {
        EXPECT_EQ(t.from.x, rule.right);
        EXPECT_TRUE(rule.right - t.to.x == 30 || rule.right - t.to.x == 20) << rule.right - t.to.x;
    }
    const int firstHour = (plan.startStep + 11) / 12;
    const gdi::Record* label = Label(dc, std::to_string(firstHour) + " h");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textAlign, gdi::TA_RIGHT | gdi::TA_BASELINE);
    EXPECT_EQ(label->points[0].x, rule.right - 40);
    const auto mark = std::find_if(plan.marks.begin(), plan.marks.end(),
                                   [&](const EquinoctialRuleMark& m) { return m.step == firstHour * 12; });
    ASSERT_NE(mark, plan.marks.end());
    EXPECT_EQ(label->points[0].y, rule.top + 30 + static_cast<int>(std::lround(mark->distanceMm * 96 / 25.4)));
    EXPECT_NE(Label(dc, "12 h"), nullptr);

    // With five-minute lines every lit step gets its tick, in the pen of its kind.
    dial_->prefs.fiveMinuteLines = 1;
    gdi::RecordingDC fine;
    DrawEquinoctialRule(fine);
    const std::vector<gdi::Segment> all = fine.Segments();
    EXPECT_EQ(all.size(), plan.marks.size());
    const auto lengthOf = [&](int step) {
        const size_t i = static_cast<size_t>(step - plan.startStep);
        return rule.right - all[i].to.x;
    };
    const int hour = firstHour * 12;
    EXPECT_EQ(lengthOf(hour), 30);
    EXPECT_EQ(lengthOf(hour + 6), 20);
    EXPECT_EQ(lengthOf(hour + 3), 15);
    EXPECT_EQ(lengthOf(hour + 1), 10);
    EXPECT_EQ(all[static_cast<size_t>(hour + 1 - plan.startStep)].pen.color, GetColor(8));
    EXPECT_EQ(all[static_cast<size_t>(hour - plan.startStep)].pen.color, GetColor(5));
}

TEST_F(EquinoctialRule, ALineOffTheDialGivesABlankRule)
{
    // With the foot near the top edge the equinoctial line runs above the sheet.
    dial_->SetStyleAnchorPercent(50, 5);
    const EquinoctialRulePlan plan = PlanEquinoctialRule(*dial_);
    EXPECT_FALSE(plan.lit);
    EXPECT_TRUE(plan.marks.empty());

    Doc().SetSheetSizePx({794, 1123});
    gdi::RecordingDC dc;
    DrawEquinoctialRule(dc);
    const auto rects = dc.RecordsOf(RecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->args[3] - rects[0]->args[1], 60);
    EXPECT_TRUE(dc.Segments().empty());
}

TEST_F(EquinoctialRule, AngleToTheNoonLine)
{
    // A horizontal dial: the line is square to the meridian.
    EXPECT_DOUBLE_EQ(tablepage::EquinoctialAngleDeg(*dial_), -90.0);
    // A wall declining 30 degrees west at 45 degrees: the equinoctial line the dial draws
    // rises atan(sin 30 / tan 45) = 26.57 degrees from the horizontal, 63.43 from the noon
    // line (180 less in the south); the rule and the tables write that angle.
    for (double latitude : {45.0, -45.0}) {
        auto wall = dialtest::MakeDial<dialtest::DecliningDial>(latitude, 0.0, 0.0, 2024, 30.0);
        EXPECT_NEAR(tablepage::EquinoctialAngleDeg(*wall), latitude > 0 ? 63.4349 : 63.4349 - 180.0, 0.005);
        Doc().SetDial(std::move(wall));
        CHoravelView view;
        view.SetDisplayMode(17);
        view.RecalcLayout(1);
        gdi::RecordingDC dc;
        DrawEquinoctialRule(dc);
        const std::string text = "Angle de l'équinoxiale par rapport à la ligne du midi local : " +
                                 std::string(latitude > 0 ? "63.43" : "-116.6") + "°";
        const auto texts = dc.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << latitude;
    }
}

TEST_F(EquinoctialRule, NothingWithoutADial)
{
    Doc().SetDial(nullptr);
    gdi::RecordingDC dc;
    DrawEquinoctialRule(dc);
    EXPECT_TRUE(dc.Records().empty());
}
