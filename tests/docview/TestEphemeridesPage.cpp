// The ephemerides page: its layout on the sheet, the instant it is computed for in each
// mode, the values against python3-ephem, and the texts it writes.
#include "DocTestSupport.h"
#include "PageReference.h"

#include "app/Accessors.h"
#include "docview/EphemeridesPage.h"
#include "docview/EphemerisValues.h"
#include "model/Astronomy.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

using gdi::RecordKind;

constexpr double kDeg = 180.0 / std::numbers::pi;

CDataBaseElement Place(const std::string& name, double latitude, double longitudeWest, double zone)
{
    CDataBaseElement p;
    p.name = name;
    p.country = "PAYS";
    p.latitude = latitude;
    p.longitude = longitudeWest;
    p.zone = zone;
    return p;
}

DateTimeFields Fields(int year, int month, int day, int hour, int minute, int second)
{
    DateTimeFields f;
    f.year = year;
    f.month = month;
    f.day = day;
    f.hour = hour;
    f.minute = minute;
    f.second = second;
    return f;
}

CHoravelDoc::Ephemeris Fixed(std::int64_t time, bool universal, bool summer)
{
    CHoravelDoc::Ephemeris e;
    e.time = time;
    e.fixedDate = 1;
    e.universalTime = universal ? 1 : 0;
    e.summerTime = summer ? 1 : 0;
    return e;
}

// The hours of a day between two values, the shorter way round.
double HoursApart(double a, double b)
{
    return std::fabs(std::remainder(a - b, 24.0));
}

double DegreesApart(double a, double b)
{
    return std::fabs(std::remainder(a - b, 360.0));
}

// The text of the line that starts with the label.
std::string Line(const gdi::RecordingDC& dc, const std::string& label)
{
    for (const std::string& t : dc.Texts())
        if (t.starts_with(label))
            return t.substr(label.size());
    ADD_FAILURE() << "no line " << label;
    return {};
}

class EphemeridesPage : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        GetAppContext().document = &Doc();
        Doc().SetDrawingSizePx({794, 1123});
    }
    void TearDown() override
    {
        GetAppContext().document = nullptr;
        DocumentTest::TearDown();
    }
    // The stored date and time as the date dialog makes it: local fields of the desktop.
    std::int64_t Stored(const DateTimeFields& f) const { return services_->FromLocal(f); }

    // Checks the values against one reference row (a UT instant at a site).
    // sameDay: the calendar date of the instant is the reference's UT date, so that the
    // rising and setting are those of the same day.
    void ExpectMatches(const EphemerisValues& v, const pageref::Row& r, bool sameDay = true)
    {
        const std::string at = r.Text("site") + " " + r.Text("year") + "-" + r.Text("month") + "-" + r.Text("day") +
                               " " + r.Text("hour") + ":" + r.Text("minute");
        EXPECT_EQ(v.ut.year, r.Int("year")) << at;
        EXPECT_EQ(v.ut.month, r.Int("month")) << at;
        EXPECT_EQ(v.ut.day, r.Int("day")) << at;
        EXPECT_EQ(v.ut.hour, r.Int("hour")) << at;
        EXPECT_NEAR(v.ut.GetJulianDay(), r.Number("jd"), 1e-5) << at;
        EXPECT_NEAR(v.equationOfTimeSeconds, r.Number("eot_s"), 5.0) << at;
        EXPECT_LT(HoursApart(v.solar.GetDecimalHours(), r.Number("solar_h")) * 3600.0, 6.0) << at;
        // Mean against apparent sidereal time: the equation of the equinoxes, about 1 s.
        EXPECT_LT(std::fabs(std::remainder(v.localSiderealSeconds - r.Number("last_s"), 86400.0)), 1.5) << at;
        // The apparent sun seen from the earth's centre, its hour angle from the apparent
        // sidereal time; the reference's topocentric place differs by the parallax (0.0025°).
        EXPECT_LT(DegreesApart(v.rightAscension * kDeg, r.Number("ra_deg")), 0.01) << at;
        EXPECT_NEAR(v.declination * kDeg, r.Number("dec_deg"), 0.01) << at;
        EXPECT_LT(DegreesApart(v.hourAngle * kDeg, r.Number("g_ha_deg")), 0.01) << at;
        EXPECT_NEAR(v.altitude * kDeg, r.Number("g_alt_deg"), 0.01) << at;
        EXPECT_LT(DegreesApart(v.azimuth * kDeg, r.Number("g_az_deg")) * std::cos(v.altitude), 0.01) << at;
        EXPECT_LT(DegreesApart(v.hourAngle * kDeg, r.Number("ha_deg")), 0.02) << at;
        EXPECT_NEAR(v.altitude * kDeg, r.Number("alt_deg"), 0.02) << at;
        EXPECT_LT(DegreesApart(v.azimuth * kDeg, r.Number("az_deg")) * std::cos(v.altitude), 0.02) << at;
        EXPECT_LE(std::fabs(v.hourAngle), std::numbers::pi) << at;
        if (!sameDay)
            return;
        EXPECT_LT(HoursApart(v.riseSet.transitHoursUT, r.Number("transit_h")) * 60.0, 0.25) << at;
        const std::string state = r.Text("state");
        if (state == "rises") {
            EXPECT_EQ(v.riseSet.state, SunHorizon::RisesAndSets) << at;
            EXPECT_LT(HoursApart(v.riseSet.riseHoursUT, r.Number("rise_h")) * 60.0, 1.0) << at;
            EXPECT_LT(HoursApart(v.riseSet.setHoursUT, r.Number("set_h")) * 60.0, 1.0) << at;
        } else {
            EXPECT_EQ(v.riseSet.state, state == "above" ? SunHorizon::AlwaysAbove : SunHorizon::AlwaysBelow) << at;
        }
    }
};

}  // namespace

TEST_F(EphemeridesPage, PlateTakesNarrowSideMarginsOnPortraitAndWideOnLandscape)
{
    Doc().SetDrawingSizePx({800, 1100});
    gdi::RecordingDC portrait;
    DrawEphemeridesPage(portrait);
    ASSERT_GE(portrait.Count(RecordKind::FillRect), 1);
    // 5 % of 799 at the sides, 10 % of 1099 above and below.
    EXPECT_EQ(portrait.RecordsOf(RecordKind::FillRect)[0]->points,
              (std::vector<gdi::Point>{{40, 110}, {759, 989}}));

    Doc().SetDrawingSizePx({1100, 800});
    gdi::RecordingDC landscape;
    DrawEphemeridesPage(landscape);
    EXPECT_EQ(landscape.RecordsOf(RecordKind::FillRect)[0]->points,
              (std::vector<gdi::Point>{{220, 40}, {879, 759}}));

    // Printed, the plate of the portrait sheet is scaled to the printer: a plain outline.
    Doc().SetDrawingSizePx({794, 1123});
    gdi::RecordingDC printer(gdi::DeviceCaps::Page(600, 210, 297), true);
    DrawEphemeridesPage(printer);
    const auto outline = printer.RecordsOf(RecordKind::Rectangle);
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0]->args, (std::vector<int>{250, 700, 4706, 6313}));
    // The title font keeps its size relative to the page: 18 reference pixels.
    EXPECT_EQ(printer.RecordsOf(RecordKind::TextOut)[0]->font.height, -gdi::MulDiv(18, 600, 96));
}

TEST_F(EphemeridesPage, WithoutALocationOnlyThePlateIsDrawn)
{
    Doc().SetLocation(nullptr);
    gdi::RecordingDC dc;
    DrawEphemeridesPage(dc);
    EXPECT_EQ(dc.Count(RecordKind::FillRect), 1);
    EXPECT_EQ(dc.Count(RecordKind::TextOut), 0);
    GetAppContext().document = nullptr;
    gdi::RecordingDC none;
    DrawEphemeridesPage(none);
    EXPECT_TRUE(none.Records().empty());
}

TEST_F(EphemeridesPage, ValuesMatchTheEphemerisForUniversalTimeInstants)
{
    for (const pageref::Row& r : pageref::ReadTable("ephemerides_page.csv")) {
        const CDataBaseElement place =
            Place(r.Text("site"), r.Number("lat_deg"), r.Number("lon_west_deg"), 0.0);
        const auto when = Fixed(Stored(Fields(r.Int("year"), r.Int("month"), r.Int("day"), r.Int("hour"),
                                              r.Int("minute"), r.Int("second"))),
                                true, false);
        ExpectMatches(ComputeEphemerisValues(place, when), r);
    }
}

TEST_F(EphemeridesPage, LegalTimeIsConvertedAcrossMidnightWithTheSummerHour)
{
    const auto rows = pageref::ReadTable("ephemerides_page.csv");
    const auto row = [&](const std::string& site, int month) {
        return *std::find_if(rows.begin(), rows.end(), [&](const pageref::Row& r) {
            return r.Text("site") == site && r.Int("month") == month;
        });
    };
    // Besançon, 1 January 2024 at 00:59 legal time (zone +1): UT is 23:59 the day before.
    const CDataBaseElement besancon = Place("BESANCON", 47.25, -6.0333, 1.0);
    EphemerisValues v = ComputeEphemerisValues(besancon, Fixed(Stored(Fields(2024, 1, 1, 0, 59, 0)), false, false));
    ExpectMatches(v, row("Besancon", 12), false);
    EXPECT_EQ(v.legal.day, 1);
    EXPECT_EQ(v.legal.hour, 0);
    // The calendar date is the one given.
    EXPECT_EQ(v.day, 1);
    EXPECT_EQ(v.month, 1);
    EXPECT_EQ(v.year, 2024);

    // 14 July 17:45:30 in summer time: UT is legal time minus one hour minus the zone. The
    // solar time has no summer hour in it.
    v = ComputeEphemerisValues(besancon, Fixed(Stored(Fields(2024, 7, 14, 17, 45, 30)), false, true));
    ExpectMatches(v, row("Besancon", 7));
    EXPECT_EQ(v.ut.FormatTime(true, true), "15 h 45 min 30 s");

    // Sydney in summer, 1 January 06:00 legal time (zone +10): 19:00 UT on 31 December.
    const CDataBaseElement sydney = Place("SYDNEY", -33.8688, -151.2093, 10.0);
    v = ComputeEphemerisValues(sydney, Fixed(Stored(Fields(2024, 1, 1, 6, 0, 0)), false, true));
    ExpectMatches(v, row("Sydney", 12), false);

    // Given in UT, legal time carries into the next day.
    v = ComputeEphemerisValues(besancon, Fixed(Stored(Fields(2023, 12, 31, 23, 59, 0)), true, false));
    EXPECT_EQ(v.legal.year, 2024);
    EXPECT_EQ(v.legal.month, 1);
    EXPECT_EQ(v.legal.day, 1);
    EXPECT_EQ(v.legal.FormatTime(true, true), "0 h 59 min 00 s");
    ExpectMatches(v, row("Besancon", 12));
}

TEST_F(EphemeridesPage, RealTimeFollowsTheClockWhateverTheSummerFlag)
{
    services_->SetZone(FakeZone::European("Europe/Paris", 3600, 2024, 2024));
    const auto rows = pageref::ReadTable("ephemerides_page.csv");
    const pageref::Row& july = rows[1];
    ASSERT_EQ(july.Int("month"), 7);
    services_->SetNowMs(FieldsToUnix(Fields(2024, 7, 14, 15, 45, 30)) * 1000);
    const CDataBaseElement besancon = Place("BESANCON", 47.25, -6.0333, 1.0);
    for (bool summer : {false, true}) {
        CHoravelDoc::Ephemeris clock;
        clock.fixedDate = 0;
        clock.summerTime = summer ? 1 : 0;
        clock.time = 0;  // not read
        const EphemerisValues v = ComputeEphemerisValues(besancon, clock);
        EXPECT_EQ(v.legal.FormatTime(true, true), "17 h 45 min 30 s") << summer;
        ExpectMatches(v, july);
    }
}

TEST_F(EphemeridesPage, PageWritesEveryLineWithTheComputedValues)
{
    CDataBaseElement place = Place("BESANÇON", 47.25, -6.0333, 1.0);
    place.country = "FRANCE";
    Doc().SetLocation(&place);
    Doc().GetEphemeris() = Fixed(Stored(Fields(2024, 7, 14, 17, 45, 30)), false, true);
    gdi::RecordingDC dc;
    DrawEphemeridesPage(dc);

    const std::vector<std::string> texts = dc.Texts();
    ASSERT_EQ(texts.size(), 27u);
    EXPECT_EQ(texts[0], "Éphémérides");
    EXPECT_EQ(texts[1], "Valables pour le lieu et l'instant suivants :");
    EXPECT_EQ(Line(dc, "Lieu : "), "BESANÇON, FRANCE");
    EXPECT_EQ(Line(dc, "Latitude : "), "47\xC2\xB0 15' Nord");
    EXPECT_EQ(Line(dc, "Fuseau horaire : "), "U.T. + 1 h ");
    EXPECT_EQ(Line(dc, "Écart de longitude : "), "35 min 52 s");
    EXPECT_EQ(Line(dc, "Date : "), "14 Juillet 2024 ( Année bissextile )");
    EXPECT_EQ(Line(dc, "Heure de Temps Universel : "), "15 h 45 min 30 s");
    EXPECT_EQ(Line(dc, "Heure légale : "), "17 h 45 min 30 s");

    const std::vector<pageref::Row> rows = pageref::ReadTable("ephemerides_page.csv");
    const pageref::Row& r = rows[1];
    EXPECT_NEAR(*pageref::NumberAt(Line(dc, "Jour julien : "), 0), r.Number("jd"), 1e-5);
    EXPECT_NEAR(*pageref::HoursValue(Line(dc, "Equation du temps : ")) * 3600, r.Number("eot_s"), 6.0);
    EXPECT_NEAR(*pageref::HoursValue(Line(dc, "Heure Solaire : ")), r.Number("solar_h"), 6.0 / 3600);
    EXPECT_NEAR(*pageref::BracketedNumber(Line(dc, "Temps sidéral local : ")), r.Number("last_s") / 3600, 2.0 / 3600);
    EXPECT_NEAR(*pageref::BracketedNumber(Line(dc, "Ascension droite : ")), r.Number("ra_deg") / 15, 0.001);
    EXPECT_NEAR(*pageref::BracketedNumber(Line(dc, "Déclinaison : ")), r.Number("dec_deg"), 0.01);
    EXPECT_NEAR(*pageref::BracketedNumber(Line(dc, "Angle horaire : ")), r.Number("ha_deg"), 0.02);
    EXPECT_NEAR(*pageref::BracketedNumber(Line(dc, "Azimut : ")), r.Number("az_deg"), 0.03);
    const std::string altitude = Line(dc, "Hauteur : ");
    EXPECT_NEAR(*pageref::BracketedNumber(altitude.substr(0, altitude.find(" : "))), r.Number("alt_deg"), 0.02);
    EXPECT_TRUE(altitude.ends_with(" : le Soleil est levé.")) << altitude;
    EXPECT_NEAR(*pageref::BracketedNumber(Line(dc, "Distance zénithale : ")), 90 - r.Number("alt_deg"), 0.02);
    const std::string rise = Line(dc, "Heure de lever : ");
    EXPECT_TRUE(rise.ends_with(" ( UT )")) << rise;
    EXPECT_NEAR(*pageref::HoursValue(rise.substr(0, rise.size() - 7)), r.Number("rise_h"), 1.0 / 60);
    const std::string set = Line(dc, "Heure de coucher : ");
    EXPECT_NEAR(*pageref::HoursValue(set.substr(0, set.size() - 7)), r.Number("set_h"), 1.0 / 60);
    EXPECT_TRUE(Line(dc, "Azimut au lever (coucher) : ").starts_with("-"));

    // Title centred on the plate; lines indented under the heading, then back at the margin.
    const auto outs = dc.RecordsOf(RecordKind::TextOut);
    const gdi::Rect plate = {40, 112, 753, 1010};
    EXPECT_EQ(outs[0]->points[0].x, (plate.left + plate.right) / 2);
    EXPECT_EQ(outs[0]->textAlign, gdi::TA_CENTER | gdi::TA_TOP);
    const int u = 9;  // 1.3 % of the plate's width on a portrait sheet
    EXPECT_EQ(outs[0]->points[0].y, plate.top + 5 * u);
    EXPECT_EQ(outs[1]->points[0], (gdi::Point{plate.left + 8 * u, plate.top + 11 * u}));
    EXPECT_EQ(outs[2]->points[0], (gdi::Point{plate.left + 11 * u, plate.top + 14 * u}));
    EXPECT_EQ(outs.back()->points[0], (gdi::Point{plate.left + 8 * u, plate.top + 73 * u}));
    for (std::size_t i = 2; i < outs.size(); ++i)
        EXPECT_GT(outs[i]->points[0].y, outs[i - 1]->points[0].y);
    EXPECT_EQ(outs[1]->font.height, -12);
    EXPECT_EQ(outs[0]->font.weight, gdi::FW_BOLD);
}

TEST_F(EphemeridesPage, ZoneLineAtGreenwichAndWestOfIt)
{
    const auto zoneLine = [&](double zone) {
        CDataBaseElement place = Place("X", 10, 0, zone);
        Doc().SetLocation(&place);
        gdi::RecordingDC dc;
        DrawEphemeridesPage(dc);
        return Line(dc, "Fuseau horaire : ");
    };
    EXPECT_EQ(zoneLine(0), "U.T. - 0 h ");
    EXPECT_EQ(zoneLine(-5), "U.T. - 5 h ");
    EXPECT_EQ(zoneLine(5.5), "U.T. + 5 h 30 min");
}

TEST_F(EphemeridesPage, NoRiseOrSetTimeInPolarDayOrNight)
{
    CDataBaseElement tromso = Place("TROMSO", 69.6492, -18.9553, 1.0);
    Doc().SetLocation(&tromso);
    Doc().GetEphemeris() = Fixed(Stored(Fields(2024, 12, 21, 10, 30, 0)), true, false);
    gdi::RecordingDC dc;
    DrawEphemeridesPage(dc);
    EXPECT_EQ(Line(dc, "Heure de lever : "), "-");
    EXPECT_EQ(Line(dc, "Heure de coucher : "), "-");
    EXPECT_EQ(Line(dc, "Azimut au lever (coucher) : "), "-");
    EXPECT_TRUE(Line(dc, "Passage au méridien : ").ends_with(" ( UT )"));
    EXPECT_TRUE(Line(dc, "Hauteur : ").ends_with("le Soleil est sous l'horizon."));
    EXPECT_EQ(Line(dc, "Date : "), "21 Décembre 2024 ( Année bissextile )");
    Doc().GetEphemeris() = Fixed(Stored(Fields(2025, 6, 21, 10, 30, 0)), true, false);
    gdi::RecordingDC summer;
    DrawEphemeridesPage(summer);
    EXPECT_EQ(Line(summer, "Date : "), "21 Juin 2025");  // a common year: no note
    EXPECT_EQ(Line(summer, "Heure de lever : "), "-");

    // The day a polar day begins: the sun rises late in the evening and does not set.
    CDataBaseElement north = Place("NORD", 87.3094, -162.2112, 0.0);
    Doc().SetLocation(&north);
    Doc().GetEphemeris() = Fixed(Stored(Fields(2069, 3, 11, 12, 0, 0)), true, false);
    gdi::RecordingDC beginning;
    DrawEphemeridesPage(beginning);
    const std::string rising = Line(beginning, "Heure de lever : ");
    EXPECT_TRUE(rising.starts_with("23 h 2")) << rising;  // 23:24 by the ephemeris
    EXPECT_EQ(Line(beginning, "Heure de coucher : "), "-");
    EXPECT_NE(Line(beginning, "Azimut au lever (coucher) : "), "-");
}

TEST_F(EphemeridesPage, RestoresTheFontAndAlignment)
{
    gdi::RecordingDC dc;
    gdi::LogFont font;
    font.faceName = "Courier New";
    dc.SelectFont(font);
    dc.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BASELINE);
    const gdi::Pen pen{gdi::PS_DOT, 1, gdi::RGB(1, 2, 3)};
    dc.SelectPen(pen);
    DrawEphemeridesPage(dc);
    EXPECT_GT(dc.Count(RecordKind::TextOut), 20);
    EXPECT_EQ(dc.GetCurrentFont(), font);
    EXPECT_EQ(dc.GetTextAlign(), gdi::TA_RIGHT | gdi::TA_BASELINE);
    EXPECT_EQ(dc.GetCurrentPen(), pen);
}
