// The worked examples of Meeus, Astronomical Algorithms (2nd ed.), one test per chapter.
#include "model/Astronomy.h"
#include "model/CDateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDeg = 180.0 / std::numbers::pi;

double Hms(double h, double m, double s)
{
    return h * 3600.0 + m * 60.0 + s;
}

class WorkedExample : public ::testing::Test {
protected:
    void SetUp() override { ResetAstroState(); }
    void TearDown() override { ResetAstroState(); }
};

// Chapter 7, table 7.a and example 7.a: Julian days of Gregorian dates.
TEST_F(WorkedExample, JulianDayTable)
{
    struct Case {
        int year, month, day, hour;
        double jd;
    };
    const Case cases[] = {
        {2000, 1, 1, 12, 2451545.0}, {1999, 1, 1, 0, 2451179.5}, {1987, 1, 27, 0, 2446822.5},
        {1987, 6, 19, 12, 2446966.0}, {1988, 1, 27, 0, 2447187.5}, {1988, 6, 19, 12, 2447332.0},
        {1900, 1, 1, 0, 2415020.5}, {1600, 1, 1, 0, 2305447.5}, {1600, 12, 31, 0, 2305812.5},
    };
    for (const Case& c : cases) {
        CDateTime t;
        t.year = c.year;
        t.month = c.month;
        t.day = c.day;
        t.hour = c.hour;
        EXPECT_DOUBLE_EQ(t.GetJulianDay(), c.jd) << c.year << "-" << c.month << "-" << c.day;
        // The day number of the module counts the same days.
        EXPECT_DOUBLE_EQ(DayNumber(c.day, c.month, c.year) + 1721059.5 + c.hour / 24.0, c.jd);
    }
    CDateTime sputnik;
    sputnik.year = 1957;
    sputnik.month = 10;
    sputnik.day = 4;
    sputnik.hour = 19;
    sputnik.minute = 26;
    sputnik.second = 24;
    EXPECT_NEAR(sputnik.GetJulianDay(), 2436116.31, 1e-9);
}

// Chapter 12, examples 12.a and 12.b: sidereal time at Greenwich, 1987 April 10.
TEST_F(WorkedExample, SiderealTime1987April10)
{
    SetAstroDateTime(10, 4, 1987, 0, 0, 0);
    EXPECT_NEAR(MeanSiderealTime(true), 197.693195, 1e-6);
    EXPECT_NEAR(MeanSiderealTime(false), Hms(13, 10, 46.3668), 1e-4);
    // Low-precision nutation: within a few hundredths of a second of the full series.
    EXPECT_NEAR(ApparentSiderealTime(), Hms(13, 10, 46.1351), 0.03);

    const double at19h21 = std::fmod(MeanSiderealTime(false) + HmsToSiderealSeconds(19, 21, 0), 86400.0);
    EXPECT_NEAR(at19h21, Hms(8, 34, 57.0896), 1e-3);
}

// Chapter 13, example 13.b: Venus seen from Washington, 1987 April 10, 19:21 UT.
TEST_F(WorkedExample, HorizontalCoordinatesOfVenusFromWashington)
{
    const double latitude = 38 + 55 / 60.0 + 17 / 3600.0;
    const double longitudeWest = 77 + 3 / 60.0 + 56 / 3600.0;
    const double ra = Hms(23, 9, 16.641) / 240.0;
    const double dec = -(6 + 43 / 60.0 + 11.61 / 3600.0);
    SetAstroSite(latitude, longitudeWest, 0.0);
    SetAstroDateTime(10, 4, 1987, 19, 21, 0);
    const double sidereal = ApparentSiderealTime() + HmsToSiderealSeconds(19, 21, 0);
    EXPECT_NEAR(std::fmod(sidereal, 86400.0), Hms(8, 34, 56.853), 0.03);

    const double hourAngle = 64.352133 / kDeg;
    double azimuth = 0.0, altitude = 0.0;
    EquatorialToHorizontal(hourAngle, dec / kDeg, azimuth, altitude);
    EXPECT_NEAR(azimuth * kDeg, 68.0337, 1e-4);
    EXPECT_NEAR(altitude * kDeg, 15.1249, 1e-4);
    // The hour angle from this sidereal time differs from the book's by its 0.03 s.
    EXPECT_NEAR(std::remainder(sidereal / 240.0 - longitudeWest - ra, 360.0), 64.352133, 2e-4);

    double backH = 0.0, backDec = 0.0;
    HorizontalToEquatorial(azimuth, altitude, backH, backDec);
    EXPECT_NEAR(backH, hourAngle, 1e-9);
    EXPECT_NEAR(backDec * kDeg, dec, 1e-9);
}

// Chapter 22, example 22.a: nutation in longitude, 1987 April 10, 0 h.
TEST_F(WorkedExample, NutationInLongitude1987April10)
{
    SetAstroDateTime(10, 4, 1987, 0, 0, 0);
    EXPECT_NEAR(NutationInLongitude(), -3.788, 0.5);  // the short series is good to 0.5"
    EXPECT_NEAR(GetObliquity() * kDeg, 23 + 26 / 60.0 + 27.407 / 3600.0, 1e-5);
}

// Chapter 25, example 25.a, and chapter 28, example 28.b: the sun of 1992 October 13, 0 h.
TEST_F(WorkedExample, SunAndEquationOfTime1992October13)
{
    SetAstroDateTime(13, 10, 1992, 0, 0, 0);
    EXPECT_NEAR(SunMeanLongitude() * kDeg, 201.80720, 1e-5);
    EXPECT_NEAR(SunMeanAnomaly() * kDeg, 278.99397, 1e-5);
    EXPECT_NEAR(SunEquationOfCentre() * kDeg, -1.89732, 1e-5);
    EXPECT_NEAR(GetObliquity() * kDeg, 23.44023, 1e-5);

    // The book's apparent position uses the obliquity corrected by 0.00024 degree.
    double ra = 0.0, dec = 0.0;
    EclipticToEquatorial(199.90895 / kDeg, 0.0, ra, dec);
    EXPECT_NEAR(ra * kDeg + 360.0, 198.38083, 1e-4);
    EXPECT_NEAR(dec * kDeg, -7.78507, 1e-4);

    // 13 min 42.7 s, true minus mean in the book: mean minus true here.
    EXPECT_NEAR(EquationOfTime(), -(13 * 60 + 42.7), 0.1);
}

}  // namespace
