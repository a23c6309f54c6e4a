// The equation-of-time graphs and table, checked through the recording context: axes and
// ranges, the sign convention, the years named, and the plotted values against python3-ephem.
#include "DocTestSupport.h"
#include "PageReference.h"

#include "app/Accessors.h"
#include "app/Translation.h"
#include "docview/EotPages.h"
#include "model/Astronomy.h"
#include "model/LabelBoxes.h"
#include "platform/Profile.h"
#include "platform/RecordingDC.h"
#include "support/ShippedLanguage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using gdi::RecordKind;

constexpr const char* kGeneral = "Options\\General";
// A page rectangle as the view gives mode 4 on a 794 x 1123 sheet.
const gdi::Rect kPage{24, 120, 770, 900};

class EotPages : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        GetAppContext().document = &Doc();
        SetYear(2024);
    }
    void TearDown() override
    {
        GetAppContext().document = nullptr;
        DocumentTest::TearDown();
    }
    void SetYear(int year)
    {
        SetAstroYear(year);
        SetAstroSite(47.25, -6.0333, 1.0);
    }
    void SetMode(int signMode, bool correction)
    {
        GetProfile().WriteInt(kGeneral, "nModeEot", signMode);
        GetProfile().WriteInt(kGeneral, "bCorrectionLongEot", correction ? 1 : 0);
    }
};

// A recording context; printing, with a blank a fifth of the line high (as narrow as in a
// printer's serif font) where the recording's own blank is more than half of it.
class LabelDC : public gdi::RecordingDC {
public:
    LabelDC(bool printing, gdi::DeviceCaps caps) : RecordingDC(caps, printing), narrow_(printing) {}
    gdi::Size GetTextExtent(std::string_view text) const override
    {
        gdi::Size size = RecordingDC::GetTextExtent(text);
        if (narrow_) {
            const gdi::TextMetrics metrics = GetTextMetrics();
            size.cx -= static_cast<int>(std::count(text.begin(), text.end(), ' ')) *
                       (metrics.aveCharWidth - metrics.height / 5);
        }
        return size;
    }

private:
    bool narrow_;
};

// The plot the frame leaves inside kPage on screen.
gdi::Rect Plot(const gdi::Rect& page)
{
    return {page.left + 50, page.top + 50, page.right - 10, page.bottom - 30};
}

std::vector<const gdi::Record*> TextsAligned(const gdi::RecordingDC& dc, unsigned align)
{
    std::vector<const gdi::Record*> out;
    for (const gdi::Record* r : dc.RecordsOf(RecordKind::TextOut))
        if (r->textAlign == align)
            out.push_back(r);
    return out;
}

// The points of the curve: the last MoveTo and every LineTo after it.
std::vector<gdi::Point> LastPath(const gdi::RecordingDC& dc)
{
    std::vector<gdi::Point> path;
    for (const gdi::Record& r : dc.Records()) {
        if (r.kind == RecordKind::MoveTo)
            path = {r.points[0]};
        else if (r.kind == RecordKind::LineTo)
            path.push_back(r.points[1]);
    }
    return path;
}

// Day and month of a day of the year.
std::pair<int, int> DateOf(int year, int dayOfYear)
{
    SetAstroYear(year);
    int day = 0;
    int month = 0;
    DayOfYearToDate(dayOfYear, day, month);
    return {day, month};
}

}  // namespace

TEST_F(EotPages, AnnualGraphAxisRunsFromMinus18To16AndFlipsWithTheSignConvention)
{
    SetMode(0, false);
    gdi::RecordingDC plain;
    DrawEotAnnualGraph(plain, kPage);
    SetMode(1, false);
    gdi::RecordingDC flipped;
    DrawEotAnnualGraph(flipped, kPage);

    const auto labels = [](const gdi::RecordingDC& dc) {
        std::vector<std::string> out;
        for (const gdi::Record* r : TextsAligned(dc, gdi::TA_RIGHT | gdi::TA_BASELINE))
            out.push_back(r->text);
        return out;
    };
    const std::vector<std::string> a = labels(plain);
    const std::vector<std::string> b = labels(flipped);
    ASSERT_EQ(a.size(), 35u);
    ASSERT_EQ(b.size(), 35u);
    EXPECT_EQ(a.front(), "-18");
    EXPECT_EQ(a.back(), "16");
    EXPECT_EQ(b.front(), "-16");
    EXPECT_EQ(b.back(), "18");

    // The curves mirror each other about the middle of the range.
    const gdi::Rect plot = Plot(kPage);
    const std::vector<gdi::Point> pa = LastPath(plain);
    const std::vector<gdi::Point> pb = LastPath(flipped);
    ASSERT_EQ(pa.size(), pb.size());
    for (std::size_t i = 0; i < pa.size(); ++i) {
        EXPECT_EQ(pa[i].x, pb[i].x);
        EXPECT_NEAR(pa[i].y + pb[i].y, 2 * plot.top + plot.Height(), 1) << i;
    }
    // The explanation names the convention.
    const auto texts = plain.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "Temps en minutes à ajouter au Temps Solaire pour obtenir le Temps Moyen"),
              texts.end());
    const auto flippedTexts = flipped.Texts();
    EXPECT_NE(std::find(flippedTexts.begin(), flippedTexts.end(),
                        "Temps en minutes à soustraire au Temps Solaire pour obtenir le Temps Moyen"),
              flippedTexts.end());
}

TEST_F(EotPages, AnnualCurveFollowsTheEphemerisAndEndsOnTheRightEdge)
{
    SetMode(0, false);
    const gdi::Rect plot = Plot(kPage);
    for (int year : {2024, 2025}) {
        SetYear(year);
        gdi::RecordingDC dc;
        DrawEotAnnualGraph(dc, kPage);
        const std::vector<gdi::Point> path = LastPath(dc);
        const int days = year == 2024 ? 366 : 365;
        ASSERT_EQ(path.size(), 184u) << year;  // 1 January, the even days, 31 December
        EXPECT_EQ(path.front().x, plot.left);
        EXPECT_EQ(path.back().x, plot.right) << year;
        const double dx = static_cast<double>(plot.Width()) / (days - 1);
        const double dy = plot.Height() / 34.0;
        for (const gdi::Point& p : path) {
            const int dayOfYear = static_cast<int>(std::lround((p.x - plot.left) / dx)) + 1;
            const auto [day, month] = DateOf(year, dayOfYear);
            const double minutes = pageref::SunAtNoon(year, month, day).eotSeconds / 60.0;
            // 5 s of model error is under 1.5 pixels here.
            EXPECT_NEAR(p.y, plot.top + (16 - minutes) * dy, 2.0) << year << " day " << dayOfYear;
        }
        // After the two heading lines, the day lines: 1, 11 and 21 of each month, and 31
        // December on the right edge; then the months in Roman numerals.
        const auto centred = TextsAligned(dc, gdi::TA_CENTER | gdi::TA_TOP);
        ASSERT_EQ(centred.size(), 2u + 37u + 12u);
        EXPECT_EQ(centred[2 + 36]->text, "31");
        EXPECT_EQ(centred[2 + 36]->points[0].x, plot.right);
        EXPECT_EQ(centred.back()->text, "XII");
    }
}

TEST_F(EotPages, HeadingsNameTheYearsAndThePlace)
{
    SetMode(0, true);
    CDataBaseElement place;
    place.name = "BESANÇON";
    place.country = "FRANCE";
    place.latitude = 47.25;
    place.longitude = -6.0333;
    place.zone = 1;
    Doc().SetLocation(&place);
    SetYear(2005);
    gdi::RecordingDC graph;
    DrawEotMonthlyGraph(graph, kPage);
    EXPECT_EQ(graph.Texts()[0], "GRAPHE DE L'ÉQUATION DU TEMPS ( 2005 ) ( BESANÇON - FRANCE )");
    EXPECT_EQ(graph.Texts()[1], "Temps en minutes à ajouter au Temps Solaire pour obtenir le Temps Moyen"
                                " ( correction de longitude incluse )");

    Doc().SetReferenceYearMode(1);
    gdi::RecordingDC table;
    DrawEotTable(table, kPage);
    const auto texts = table.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "VALEURS DE L'ÉQUATION DU TEMPS ( 2004 - 2007 ) ( BESANÇON - FRANCE )"),
              texts.end());
    // The table's explanation has no note on the correction.
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "Temps en minutes à ajouter au Temps Solaire pour obtenir le Temps Moyen"),
              texts.end());
}

TEST_F(EotPages, LongitudeCorrectionShiftsTheValuesAndTheRange)
{
    // Besançon: legal time runs 35 min 53 s ahead of local mean time.
    SetMode(0, true);
    gdi::RecordingDC dc;
    DrawEotAnnualGraph(dc, kPage);
    const auto labels = TextsAligned(dc, gdi::TA_RIGHT | gdi::TA_BASELINE);
    ASSERT_EQ(labels.size(), 35u);
    EXPECT_EQ(labels.front()->text, "17");
    EXPECT_EQ(labels.back()->text, "51");

    SetMode(1, true);
    gdi::RecordingDC flipped;
    DrawEotAnnualGraph(flipped, kPage);
    const auto flippedLabels = TextsAligned(flipped, gdi::TA_RIGHT | gdi::TA_BASELINE);
    ASSERT_EQ(flippedLabels.size(), 35u);
    EXPECT_EQ(flippedLabels.front()->text, "-51");
    EXPECT_EQ(flippedLabels.back()->text, "-17");

    // 1 January: 3 min 4 s of equation plus the correction.
    const gdi::Rect plot = Plot(kPage);
    const double dy = plot.Height() / 34.0;
    const double expected = (pageref::SunAtNoon(2024, 1, 1).eotSeconds + 2152.0) / 60.0;
    EXPECT_NEAR(LastPath(dc).front().y, plot.top + (51 - expected) * dy, 2.0);

    // A correction of 5 min 30 s puts the ends either side of 0: still 34 minutes, and the
    // curve on its own grid.
    SetAstroSite(47.25, 1.375, 0.0);
    for (int signMode : {0, 1}) {
        SetMode(signMode, true);
        gdi::RecordingDC shifted;
        DrawEotAnnualGraph(shifted, kPage);
        const auto minutes = TextsAligned(shifted, gdi::TA_RIGHT | gdi::TA_BASELINE);
        ASSERT_EQ(minutes.size(), 35u) << signMode;
        const int low = signMode == 0 ? -13 : -21;
        EXPECT_EQ(minutes.front()->text, std::to_string(low));
        EXPECT_EQ(minutes.back()->text, std::to_string(low + 34));
        const double value = (pageref::SunAtNoon(2024, 1, 1).eotSeconds + 330.0) / 60.0 * (signMode == 0 ? 1 : -1);
        EXPECT_NEAR(LastPath(shifted).front().y, plot.bottom - (value - low) * dy, 2.0) << signMode;
    }
}

TEST_F(EotPages, MonthlyGraphHasOneCurvePerMonthNamedBesideIt)
{
    SetMode(0, false);
    gdi::RecordingDC dc;
    DrawEotMonthlyGraph(dc, kPage);
    const gdi::Rect plot = Plot(kPage);
    const double dx = plot.Width() / 30.0;
    const double dy = plot.Height() / 34.0;

    // The names stand half a minute above their curve at the day of the table.
    const int nameDay[12] = {10, 10, 5, 7, 6, 19, 15, 20, 25, 10, 5, 8};
    const auto names = TextsAligned(dc, gdi::TA_CENTER | gdi::TA_BASELINE);
    ASSERT_EQ(names.size(), 12u);
    for (int month = 1; month <= 12; ++month) {
        const gdi::Record& name = *names[month - 1];
        EXPECT_EQ(name.text, GetMonthName(month));
        EXPECT_EQ(name.points[0].x, plot.left + static_cast<int>(std::lround((nameDay[month - 1] - 1) * dx)));
        const double minutes = pageref::SunAtNoon(2024, month, nameDay[month - 1]).eotSeconds / 60.0;
        EXPECT_NEAR(name.points[0].y, plot.top + (16 - minutes) * dy - std::lround(dy / 2), 2.0) << month;
    }
    // One segment from each day to the next, in the black pen: February has 29 days in 2024.
    int steps = 0;
    for (const gdi::Segment& s : dc.Segments())
        if (s.pen == (gdi::Pen{gdi::PS_SOLID, 1, 0}) && s.to.x > s.from.x && s.to.x - s.from.x < 1.5 * dx)
            ++steps;
    EXPECT_EQ(steps, 7 * 30 + 28 + 4 * 29);
}

TEST_F(EotPages, MonthlyNamesGoBelowTheCurvesWhenTheSignIsFlipped)
{
    SetMode(1, false);
    gdi::RecordingDC dc;
    DrawEotMonthlyGraph(dc, kPage);
    const gdi::Rect plot = Plot(kPage);
    const double dy = plot.Height() / 34.0;
    const auto centred = TextsAligned(dc, gdi::TA_CENTER | gdi::TA_TOP);
    // The headings and the day numbers are centred and top-aligned too: the names come last.
    ASSERT_EQ(centred.size(), 2u + 31u + 12u);
    const gdi::Record& june = *centred[2 + 31 + 5];
    EXPECT_EQ(june.text, "Juin");
    const double minutes = -pageref::SunAtNoon(2024, 6, 19).eotSeconds / 60.0;
    EXPECT_NEAR(june.points[0].y, plot.top + (18 - minutes) * dy + std::lround(dy / 2), 2.0);
}

TEST_F(EotPages, VerticalCurveIsTheFigureOfEightOfTheTrueSun)
{
    SetMode(0, false);
    const gdi::Rect page{24, 60, 770, 1060};
    gdi::RecordingDC dc;
    DrawEotDeclinationCurve(dc, page);
    const gdi::Rect plot = Plot(page);
    const double dx = plot.Width() / 34.0;
    const double dy = plot.Height() / 48.0;

    // Every day has a small cross centred on its point: a bar 4 pixels long, then a post.
    const std::vector<gdi::Segment> segments = dc.Segments();
    std::vector<gdi::Point> points;
    for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
        const gdi::Segment& bar = segments[i];
        const gdi::Point centre{bar.from.x + 2, bar.from.y};
        if (bar.to == gdi::Point{centre.x + 2, centre.y} && segments[i + 1].from == gdi::Point{centre.x, centre.y - 2} &&
            segments[i + 1].to == gdi::Point{centre.x, centre.y + 2})
            points.push_back(centre);
    }
    ASSERT_EQ(points.size(), 366u);
    for (int d = 1; d <= 366; ++d) {
        const auto [day, month] = DateOf(2024, d);
        const pageref::SunDay sun = pageref::SunAtNoon(2024, month, day);
        const gdi::Point& p = points[d - 1];
        EXPECT_NEAR(p.x, plot.right - (16 - sun.eotSeconds / 60.0) * dx, 2.0) << day << "/" << month;
        EXPECT_NEAR(p.y, plot.top + (24 - sun.declinationDeg) * dy, 1.0) << day << "/" << month;
    }
    // The figure closes: the last segment joins 31 December to 1 January.
    EXPECT_EQ(segments.back().from, points.back());
    EXPECT_EQ(segments.back().to, points.front());

    // A diamond and a date label every five days; the month's name once in each month.
    int diamonds = 0;
    for (const gdi::Point& p : points) {
        const gdi::Segment firstSide{{p.x - 3, p.y}, {p.x, p.y - 3}, {gdi::PS_SOLID, 1, 0}};
        diamonds += static_cast<int>(std::count(segments.begin(), segments.end(), firstSide));
    }
    EXPECT_EQ(diamonds, 74);
    const auto texts = dc.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), " FÉVRIER "), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), " DÉCEMBRE "), 1);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Déclinaison du soleil"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "24°"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "-24°"), texts.end());

    // In 2026 the end of August falls on April's name where the loop crosses itself: no
    // date label runs into another, and every month keeps its name, on screen and on a page
    // printed at 600 dpi with a blank as narrow as in a printer's serif font (the month's
    // name stands two blanks from its own day).
    SetYear(2026);
    for (const bool printed : {false, true}) {
        SCOPED_TRACE(printed ? "printed" : "screen");
        const gdi::DeviceCaps caps = printed ? gdi::DeviceCaps::Page(600, 210, 297) : gdi::DeviceCaps{};
        const gdi::Rect sheet = printed ? gdi::Rect{150, 375, 4812, 6625} : page;
        LabelDC crossed(printed, caps);
        DrawEotDeclinationCurve(crossed, sheet);
        std::vector<std::pair<std::string, LabelBox>> labels;
        for (const gdi::Record* text : crossed.RecordsOf(RecordKind::TextOut)) {
            if (!text->text.starts_with(' '))
                continue;
            LabelDC probe(printed, caps);
            probe.SelectFont(text->font);
            probe.SetTextAlign(text->textAlign);
            labels.emplace_back(text->text, TextBox(probe, text->points[0].x, text->points[0].y, text->text));
        }
        int names = 0;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            names += labels[i].first.size() > 4;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(Overlap(labels[i].second, labels[j].second)) << labels[i].first << "and" << labels[j].first;
        }
        EXPECT_EQ(names, 12);
    }
}

TEST_F(EotPages, PrintedVerticalCurveScalesItsMarks)
{
    SetMode(0, false);
    gdi::RecordingDC dc(gdi::DeviceCaps::Page(600, 210, 297), true);
    DrawEotDeclinationCurve(dc, kPage);
    EXPECT_EQ(dc.Count(RecordKind::FillRect), 0);
    // Crosses of 2 x MulDiv(2, 600, 96) = 26 device pixels.
    int crosses = 0;
    for (const gdi::Segment& s : dc.Segments())
        if (s.from.y == s.to.y && s.to.x - s.from.x == 26)
            ++crosses;
    EXPECT_EQ(crosses, 366);
}

TEST_F(EotPages, DateLabelsStandOutsideTheLoop)
{
    struct Case {
        bool flag;
        int day;
        int month;
        unsigned dayAlign;
        int monthAlign;  // -1: no month name
    };
    using namespace gdi;
    const Case cases[] = {
        {true, 11, 1, TA_LEFT | TA_TOP, TA_RIGHT | TA_BOTTOM},
        {false, 11, 1, TA_RIGHT | TA_TOP, TA_LEFT | TA_BOTTOM},
        {true, 15, 2, TA_LEFT | TA_TOP, TA_RIGHT | TA_TOP},
        {true, 25, 2, TA_RIGHT | TA_TOP, -1},
        {false, 25, 2, TA_LEFT | TA_TOP, -1},
        {true, 12, 4, TA_RIGHT | TA_TOP, TA_LEFT | TA_BOTTOM},
        {true, 26, 5, TA_RIGHT | TA_BOTTOM, -1},
        {false, 5, 5, TA_LEFT | TA_TOP, -1},
        {true, 14, 6, TA_RIGHT | TA_BOTTOM, TA_LEFT | TA_TOP},
        {false, 13, 7, TA_RIGHT | TA_BOTTOM, TA_LEFT | TA_TOP},
        {false, 11, 12, TA_LEFT | TA_TOP, TA_RIGHT | TA_BOTTOM},
    };
    for (const Case& c : cases) {
        RecordingDC dc;
        DrawEotDateLabel(dc, c.flag, 100, 200, c.day, c.month);
        const auto texts = dc.RecordsOf(RecordKind::TextOut);
        ASSERT_EQ(texts.size(), c.monthAlign >= 0 ? 2u : 1u) << c.month << " " << c.day;
        EXPECT_EQ(texts[0]->text, " " + std::to_string(c.day) + " ");
        EXPECT_EQ(texts[0]->textAlign, c.dayAlign) << c.month << " " << c.day << " " << c.flag;
        EXPECT_EQ(texts[0]->points[0], (Point{100, 200}));
        if (c.monthAlign >= 0) {
            EXPECT_EQ(texts[1]->textAlign, static_cast<unsigned>(c.monthAlign)) << c.month << " " << c.flag;
        }
    }
    // Month 6 gives its name in capitals with the accents; an unknown month keeps the
    // alignment in force.
    RecordingDC june;
    DrawEotDateLabel(june, true, 0, 0, 12, 8);
    EXPECT_EQ(june.Texts()[1], " AOÛT ");
    RecordingDC unknown;
    unknown.SetTextAlign(TA_CENTER | TA_BASELINE);
    DrawEotDateLabel(unknown, true, 0, 0, 3, 13);
    EXPECT_EQ(unknown.RecordsOf(RecordKind::TextOut)[0]->textAlign, TA_CENTER | TA_BASELINE);
}

TEST(EotTableText, MinutesAndSecondsAreTruncatedWithTheSignOnTheMinutes)
{
    EXPECT_EQ(FormatEotMinutesSeconds(-25.0), "-0 mn 25 s");
    EXPECT_EQ(FormatEotMinutesSeconds(-85.0), "-1 mn 25 s");
    EXPECT_EQ(FormatEotMinutesSeconds(85.0), "1 mn 25 s");
    EXPECT_EQ(FormatEotMinutesSeconds(85.99), "1 mn 25 s");
    EXPECT_EQ(FormatEotMinutesSeconds(-0.4), "-0 mn 0 s");
    EXPECT_EQ(FormatEotMinutesSeconds(600.0), "10 mn 0 s");
    // Whole seconds stay whole however the division falls.
    for (int s = -1000; s <= 1000; ++s) {
        const int m = s / 60;
        const std::string expected = (s < 0 && m == 0 ? "-0" : std::to_string(m)) + " mn " +
                                     std::to_string(std::abs(s % 60)) + " s";
        ASSERT_EQ(FormatEotMinutesSeconds(s), expected) << s;
    }

    // The unit follows the program language.
    const testsupport::ScopedShippedLanguage english(1);
    EXPECT_EQ(FormatEotMinutesSeconds(-85.0), "-1 min 25 s");
}

TEST_F(EotPages, TableHoldsTheValuesOfTheSixDaysOfEachMonth)
{
    SetMode(0, false);
    const gdi::Rect page{24, 336, 770, 787};
    gdi::RecordingDC dc;
    DrawEotTable(dc, page);

    const auto headers = TextsAligned(dc, gdi::TA_CENTER | gdi::TA_TOP);
    ASSERT_EQ(headers.size(), 6u);
    const auto months = TextsAligned(dc, gdi::TA_RIGHT | gdi::TA_TOP);
    ASSERT_EQ(months.size(), 12u);
    const auto cells = TextsAligned(dc, gdi::TA_CENTER | gdi::TA_BASELINE);
    ASSERT_EQ(cells.size(), 72u);
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(months[month - 1]->text, GetMonthName(month));
        for (int j = 0; j < 6; ++j) {
            const gdi::Record& cell = *cells[(month - 1) * 6 + j];
            EXPECT_EQ(headers[j]->text, std::to_string(1 + 5 * j));
            // Under its day, right of its month's name, below that name's top.
            EXPECT_EQ(cell.points[0].x, headers[j]->points[0].x);
            EXPECT_GT(cell.points[0].x, months[month - 1]->points[0].x);
            EXPECT_GT(cell.points[0].y, months[month - 1]->points[0].y);
            if (month > 1) {
                EXPECT_GT(cell.points[0].y, cells[(month - 2) * 6 + j]->points[0].y);
            }
            const auto value = pageref::MinutesSecondsValue(cell.text);
            ASSERT_TRUE(value) << cell.text;
            const double reference = pageref::SunAtNoon(2024, month, 1 + 5 * j).eotSeconds;
            // Truncated to the second, 5 s of model error.
            EXPECT_NEAR(*value, reference, 6.0) << month << "/" << 1 + 5 * j << ": " << cell.text;
        }
    }
    // Heading lines above the plot, the title first.
    const auto headings = TextsAligned(dc, gdi::TA_CENTER | gdi::TA_BOTTOM);
    ASSERT_EQ(headings.size(), 2u);
    EXPECT_EQ(headings[0]->text, "VALEURS DE L'ÉQUATION DU TEMPS ( 2024 )");
    EXPECT_LT(headings[0]->points[0].y, headings[1]->points[0].y);
}

// In reference-year mode an engraved table read to the minute must hold the mean of the real
// equation of time over the leap cycle, not an approximation of it.
TEST_F(EotPages, ReferenceYearTableHoldsTheMeanOverTheFourYears)
{
    SetMode(0, false);
    SetYear(2025);
    Doc().SetReferenceYearMode(1);
    gdi::RecordingDC dc;
    DrawEotTable(dc, kPage);
    const auto cells = TextsAligned(dc, gdi::TA_CENTER | gdi::TA_BASELINE);
    ASSERT_EQ(cells.size(), 72u);
    for (int month = 1; month <= 12; ++month) {
        for (int j = 0; j < 6; ++j) {
            double mean = 0.0;
            for (int year = 2024; year <= 2027; ++year)
                mean += pageref::SunAtNoon(year, month, 1 + 5 * j).eotSeconds / 4.0;
            const std::string& text = cells[(month - 1) * 6 + j]->text;
            const auto value = pageref::MinutesSecondsValue(text);
            ASSERT_TRUE(value) << text;
            EXPECT_NEAR(*value, mean, 6.0) << month << "/" << 1 + 5 * j << ": " << text;
        }
    }
}

TEST_F(EotPages, EveryPageRestoresThePenFontAndAlignment)
{
    SetMode(0, false);
    using Renderer = void (*)(gdi::DC&, const gdi::Rect&);
    for (Renderer draw : {Renderer(DrawEotAnnualGraph), Renderer(DrawEotMonthlyGraph),
                          Renderer(DrawEotDeclinationCurve), Renderer(DrawEotTable)}) {
        gdi::RecordingDC dc;
        const gdi::Pen pen{gdi::PS_DASH, 2, gdi::RGB(10, 20, 30)};
        gdi::LogFont font;
        font.faceName = "Courier New";
        font.height = -7;
        dc.SelectPen(pen);
        dc.SelectFont(font);
        dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BOTTOM);
        draw(dc, kPage);
        EXPECT_GT(dc.Count(RecordKind::TextOut), 20);
        EXPECT_EQ(dc.GetCurrentPen(), pen);
        EXPECT_EQ(dc.GetCurrentFont(), font);
        EXPECT_EQ(dc.GetTextAlign(), gdi::TA_RIGHT | gdi::TA_BOTTOM);
    }
}
