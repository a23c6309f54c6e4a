// Calendar, site and small utilities of the astronomy module.
#include "model/Astronomy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDeg = 180.0 / std::numbers::pi;

class AstronomyCalendar : public ::testing::Test {
protected:
    void SetUp() override { ResetAstroState(); }
    void TearDown() override { ResetAstroState(); }
};

TEST_F(AstronomyCalendar, DayNumbersMonthLengthsAndLeapYearsAgree)
{
    EXPECT_EQ(DayNumber(1, 1, 2000), 730485);
    EXPECT_EQ(DaysInMonth(1, 1900), 28);
    EXPECT_EQ(DaysInMonth(1, 2000), 29);
    for (int year = 1582; year <= 2401; ++year) {
        int total = 0;
        for (int m = 1; m <= 12; ++m) {
            const int next = m == 12 ? DayNumber(1, 1, year + 1) : DayNumber(1, m + 1, year);
            ASSERT_EQ(next - DayNumber(1, m, year), DaysInMonth(m - 1, year)) << year << "-" << m;
            total += DaysInMonth(m - 1, year);
        }
        ASSERT_EQ(total, IsLeapYear(year) ? 366 : 365) << year;
    }
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_EQ(PreviousLeapYear(2024), 2024);
    EXPECT_EQ(PreviousLeapYear(2023), 2020);
    EXPECT_EQ(PreviousLeapYear(1903), 1896);
}

TEST_F(AstronomyCalendar, DayOfYearRoundTripsAndRefusesDaysOutsideTheYear)
{
    for (int year : {1900, 2000, 2023, 2024}) {
        SetAstroYear(year);
        const int days = IsLeapYear(year) ? 366 : 365;
        for (int n = 1; n <= days; ++n) {
            int day = 0, month = 0;
            ASSERT_TRUE(DayOfYearToDate(n, day, month)) << year << " day " << n;
            ASSERT_GE(month, 1);
            ASSERT_LE(month, 12);
            ASSERT_GE(day, 1);
            ASSERT_LE(day, DaysInMonth(month - 1, year));
            ASSERT_EQ(DayOfYear(day, month), n) << year << "-" << month << "-" << day;
        }
        int day = -1, month = -1;
        EXPECT_FALSE(DayOfYearToDate(days + 1, day, month)) << year;
        EXPECT_EQ(month, 0);  // never a month 13
        EXPECT_FALSE(DayOfYearToDate(0, day, month));
    }
    int day = 0, month = 0;
    SetAstroYear(2023);
    DayOfYearToDate(60, day, month);
    EXPECT_EQ(day * 100 + month, 103);
    SetAstroYear(2024);
    DayOfYearToDate(60, day, month);
    EXPECT_EQ(day * 100 + month, 2902);
}

TEST_F(AstronomyCalendar, NormalizeDegreesAndNearlyEqual)
{
    EXPECT_EQ(NormalizeDegrees(-370, true), 350);
    EXPECT_EQ(NormalizeDegrees(-370, false), -10);
    EXPECT_EQ(NormalizeDegrees(360, true), 360);
    EXPECT_EQ(NormalizeDegrees(725, false), 5);
    EXPECT_EQ(NormalizeDegrees(720, false), 360);
    EXPECT_EQ(NormalizeDegrees(-5, true), 355);
    EXPECT_TRUE(std::isnan(NormalizeDegrees(INFINITY, true)));  // and it returns
    EXPECT_TRUE(NearlyEqual(1.0, 1.0000009));
    EXPECT_FALSE(NearlyEqual(1.0, 1.0000011));
}

TEST_F(AstronomyCalendar, LongitudeCorrectionTakesWholeZoneSteps)
{
    struct Case {
        double longitudeWest, zone, correction;
        int steps;
    };
    const Case cases[] = {
        {-6.03, 1, -0.402, 1},             // Besancon, winter time
        {74.006, -5, -0.06627, 0},         // New York
        {3.7038, 1, 0.24692, 1},           // Madrid keeps Central European time
        {-77.209, 5.5, 0.35273, 0},        // New Delhi, half-hour zone
        {-151.2093, 10, -0.08062, 0},      // Sydney
        {-172.0, -11, -0.46667, -22},      // a site on the far side of the date line
    };
    for (const Case& c : cases) {
        SetAstroSite(45.0, c.longitudeWest, c.zone);
        EXPECT_NEAR(GetLongitudeCorrection(), c.correction, 1e-4) << c.longitudeWest;
        EXPECT_EQ(GetZoneSteps(), c.steps) << c.longitudeWest;
        EXPECT_EQ(GetTimeZone(), c.zone);
        // Together they give back the site's offset from its zone meridian, in hours.
        EXPECT_NEAR(GetZoneSteps() + GetLongitudeCorrection(), (c.longitudeWest + 15 * c.zone) / 15, 1e-12);
        EXPECT_LE(std::fabs(GetLongitudeCorrection()), 0.5);
    }
}

TEST_F(AstronomyCalendar, ObliquityIsNeverZeroAndDeclinationsOfTheSigns)
{
    // Before any date is set the tilt is that of J2000.0.
    EXPECT_NEAR(DeclinationOfLongitude(3, false), 23.4393, 1e-4);
    SetAstroDateTime(21, 6, 2024, 0, 0, 0);
    const double obliquity = GetObliquity() * kDeg;
    EXPECT_NEAR(DeclinationOfLongitude(3, false), obliquity, 1e-12);
    EXPECT_NEAR(DeclinationOfLongitude(9, false), -obliquity, 1e-12);
    EXPECT_NEAR(DeclinationOfLongitude(9, true), obliquity, 1e-12);
    EXPECT_NEAR(DeclinationOfLongitude(0, false), 0.0, 1e-12);
    // 30 degrees of longitude: sin(delta) = sin(eps) / 2.
    EXPECT_NEAR(std::sin(DeclinationOfLongitude(1, false) / kDeg), std::sin(obliquity / kDeg) / 2, 1e-12);
}

TEST_F(AstronomyCalendar, EquationOfTimeSeasonsAndMeanOverYears)
{
    SetAstroYear(2024);
    EXPECT_NEAR(EquationOfTime(11, 2), 850, 20);     // +14 min in mid-February
    EXPECT_NEAR(EquationOfTime(3, 11), -985, 20);    // -16 min in early November

    // The mean of the equation of time of the same date over the years, whatever their order;
    // a single year is a mean too.
    const double forward = MeanEquationOfTime(11, 2, 2021, 2024);
    EXPECT_EQ(MeanEquationOfTime(11, 2, 2024, 2021), forward);
    EXPECT_TRUE(std::isfinite(MeanEquationOfTime(11, 2, 2024, 2024)));
    for (int month = 1; month <= 12; ++month) {
        double exact = 0.0;
        for (int year = 2021; year <= 2024; ++year) {
            SetAstroYear(year);
            exact += EquationOfTime(15, month) / 4;
        }
        EXPECT_NEAR(MeanEquationOfTime(15, month, 2021, 2024), exact, 1e-6) << month;
    }
}

}  // namespace
