// The dial's three sun tables: row and column mapping, cells against an independent
// ephemeris, the solar-longitude rows, and the hour-line time of the site.
#include "DialTestSupport.h"
#include "model/Astronomy.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kDeg = 180.0 / std::numbers::pi;

double Wrap(double x, double period)
{
    x = std::fmod(x, period);
    if (x > period / 2)
        x -= period;
    else if (x <= -period / 2)
        x += period;
    return x;
}

struct Cell {
    int year, month, day, column;
    double lat, alt, az;
};

double Number(const std::string& text)
{
    double v = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

std::vector<Cell> ReadCells()
{
    std::istringstream in(testsupport::ReadFileBytes(testsupport::DataDir() / "dial" / "date_table.csv"));
    std::string line;
    std::getline(in, line);
    std::vector<Cell> cells;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string s; std::getline(fields, s, ',');)
            f.push_back(s);
        if (f.size() != 7)
            continue;
        cells.push_back({static_cast<int>(Number(f[0])), static_cast<int>(Number(f[1])),
                         static_cast<int>(Number(f[2])), static_cast<int>(Number(f[4])), Number(f[3]), Number(f[5]),
                         Number(f[6])});
    }
    return cells;
}

class DialTables : public ::testing::Test {
protected:
    void SetUp() override { ResetAstroState(); }
    void TearDown() override { ResetAstroState(); }
};

TEST_F(DialTables, TableDatesMapOntoTheSeventyTwoRows)
{
    EXPECT_EQ(CCadran::DateRow(1, 1), 0);
    EXPECT_EQ(CCadran::DateRow(6, 21), 34);
    EXPECT_EQ(CCadran::DateRow(12, 21), 70);
    EXPECT_EQ(CCadran::DateRow(12, 26), 71);
    std::set<int> rows;
    for (int month = 1; month <= 12; ++month) {
        for (int day : {1, 6, 11, 16, 21, 26})
            rows.insert(CCadran::DateRow(month, day));
    }
    EXPECT_EQ(rows.size(), 72u);
    EXPECT_EQ(*rows.begin(), 0);
    EXPECT_EQ(*rows.rbegin(), 71);
}

TEST_F(DialTables, CellsAgreeWithTheEphemeris)
{
    const std::vector<Cell> cells = ReadCells();
    ASSERT_EQ(cells.size(), 420u);
    double worstAlt = 0.0, worstAz = 0.0;
    int lastYear = 0;
    double lastLat = 1000.0;
    CTestDial dial;
    for (const Cell& c : cells) {
        if (c.year != lastYear || c.lat != lastLat) {
            dial.SetYear(c.year);
            dial.SetSite(c.lat, 0.0, 0.0);
            dial.ComputeAllTables();
            lastYear = c.year;
            lastLat = c.lat;
        }
        const int row = CCadran::DateRow(c.month, c.day);
        const double alt = dial.altitudeByDate[row][c.column] * kDeg;
        const double az = dial.azimuthByDate[row][c.column] * kDeg;
        const double altErr = std::fabs(alt - c.alt);
        const double azErr = std::fabs(Wrap(az - c.az, 360.0)) * std::cos(c.alt / kDeg);
        worstAlt = std::max(worstAlt, altErr);
        worstAz = std::max(worstAz, azErr);
        EXPECT_LT(altErr, 0.02) << c.year << "-" << c.month << "-" << c.day << " lat " << c.lat << " column "
                                << c.column << ": altitude " << alt << ", ephemeris " << c.alt;
        EXPECT_LT(azErr, 0.02) << c.year << "-" << c.month << "-" << c.day << " lat " << c.lat << " column "
                               << c.column << ": azimuth " << az << ", ephemeris " << c.az;
    }
    std::printf("  worst altitude error %.5f deg, azimuth %.5f deg (tolerance 0.02)\n", worstAlt, worstAz);
}

TEST_F(DialTables, LastColumnIsMidnightAfterTheDay)
{
    CTestDial dial;
    dial.SetYear(2024);
    dial.SetSite(47.25, -6.03, 1.0);
    dial.ComputeAllTables();
    EXPECT_EQ(dial.eqTableValid, 1);
    EXPECT_EQ(dial.dateTableValid, 1);
    EXPECT_EQ(dial.longitudeTableValid, 1);
    for (int row : {0, 34, 71}) {
        // 24 h and 0 h are the same lower culmination.
        EXPECT_NEAR(dial.altitudeByDate[row][288], dial.altitudeByDate[row][0], 1e-12) << row;
        EXPECT_NEAR(std::fabs(dial.azimuthByDate[row][288]), std::numbers::pi, 1e-9) << row;
        // Column 144 is noon: the sun on the meridian at 90 - latitude + declination.
        EXPECT_NEAR(dial.azimuthByDate[row][144], 0.0, 1e-9);
        EXPECT_NEAR(dial.altitudeByDate[row][144] * kDeg, 90.0 - 47.25 + dial.declination[row] * kDeg, 1e-9);
    }
}

TEST_F(DialTables, LongitudeRowsFollowTheEclipticFromTheEquinoxToTheSolstice)
{
    CTestDial dial;
    dial.SetYear(2024);
    dial.SetSite(-33.9, -18.4, 2.0);
    dial.ComputeAllTables();
    const double eps = GetObliquity() * kDeg;
    // Noon altitude at 33.9 S: 90 - 33.9 - declination (the sun is north).
    EXPECT_NEAR(dial.altitudeByLongitude[0][144] * kDeg, 90.0 - 33.9, 1e-9);
    EXPECT_NEAR(dial.altitudeByLongitude[9][144] * kDeg, 90.0 - 33.9 - eps, 1e-6);
    EXPECT_NEAR(dial.altitudeByLongitude[27][144] * kDeg, 90.0 - 33.9 + eps, 1e-6);
    EXPECT_NEAR(dial.altitudeByLongitude[18][144], dial.altitudeByLongitude[0][144], 1e-9);
    // Rows beyond the 36 longitudes stay untouched.
    EXPECT_EQ(dial.altitudeByLongitude[36][144], 0.0);
    // Out-of-range rows are ignored rather than written past the tables.
    dial.ComputeLongitudeTable(36);
    dial.ComputeLongitudeTable(-1);
    dial.ComputeEquatorialCoords(13, 1);
    dial.ComputeDateTable(0, 1);
    EXPECT_EQ(dial.altitudeByLongitude[36][144], 0.0);
}

TEST_F(DialTables, LegalTimeLinesMoveNoonByTheLongitudeCorrection)
{
    CTestDial dial;
    dial.SetYear(2024);
    // 6.03 degrees east in zone +1: noon of the sun (without the equation of time) at
    // 12 h 36 min of zone time. The columns count zone time less the zone's whole hours
    // (the hour labels add them back), so noon falls at 11 h 36.
    dial.SetSite(47.25, -6.03, 1.0);
    dial.localSolarTime = 0;
    dial.ComputeAllTables();
    const int row = CCadran::DateRow(3, 21);
    int highest = 0;
    for (int c = 1; c < CCadran::kSteps; ++c) {
        if (dial.altitudeByDate[row][c] > dial.altitudeByDate[row][highest])
            highest = c;
    }
    const double noonHours = 12.0 - 6.03 / 15.0 + 1.0 - 1.0;
    EXPECT_EQ(highest, static_cast<int>(std::lround(noonHours * 12)));
    EXPECT_LT(dial.azimuthByDate[row][highest - 1], 0.0);
    EXPECT_GT(dial.azimuthByDate[row][highest + 1], 0.0);
}

TEST_F(DialTables, NewDialTakesTheModuleYearAndTypeSetsTheStyle)
{
    SetAstroYear(2031);
    CTestDial dial;
    EXPECT_EQ(dial.referenceYear, 2031);
    EXPECT_EQ(dial.tablesValid + dial.eqTableValid + dial.dateTableValid + dial.longitudeTableValid, 0);
    dial.SetTypeAndPlane(3, -90.0, 90.0);
    EXPECT_EQ(dial.styleHeight, 20);
    EXPECT_DOUBLE_EQ(dial.planeAngle1, -std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(dial.planeAngle2, std::numbers::pi / 2);
    for (int code : {1, 2, 4, 5, 11, 20, 33, 40}) {
        dial.SetTypeAndPlane(code, 0.0, 0.0);
        EXPECT_EQ(dial.styleHeight, 40) << code;
    }
    dial.SetSite(-33.9, -18.4, 2.0);
    EXPECT_DOUBLE_EQ(dial.latitudeRad, -33.9 / kDeg);
    EXPECT_EQ(dial.longitude, -18.4);
}

}  // namespace
