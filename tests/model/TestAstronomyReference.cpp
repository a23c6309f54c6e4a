// The sun of this program against an independent ephemeris (python3-ephem, see
// tests/data/astro/README.md), at the tolerances a dial drawing needs.
#include "AstroReference.h"
#include "model/Astronomy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

using astroref::CircularDifference;
using astroref::Table;

constexpr double kDeg = 180.0 / std::numbers::pi;

// Keeps the largest error seen so a run shows the margin left, not just pass or fail.
struct MaxError {
    MaxError(const char* whatText, double toleranceValue) : what(whatText), tolerance(toleranceValue) {}
    const char* what;
    double tolerance;
    double worst = 0.0;
    std::string where;
    void Add(double error, const std::string& label)
    {
        if (std::fabs(error) > worst) {
            worst = std::fabs(error);
            where = label;
        }
    }
    ~MaxError() { std::printf("  %-28s worst %.5f (tolerance %g) at %s\n", what, worst, tolerance, where.c_str()); }
};

class AstronomyReference : public ::testing::Test {
protected:
    void SetUp() override { ResetAstroState(); }
    void TearDown() override { ResetAstroState(); }
};

TEST_F(AstronomyReference, ApparentPositionEquationOfTimeAndSiderealTimeOverTwoCenturies)
{
    const Table table("sun_dates.csv");
    ASSERT_GT(table.size(), 700u);
    MaxError raErr{"right ascension (deg)", 0.01};
    MaxError decErr{"declination (deg)", 0.01};
    MaxError sunDecErr{"SunDeclination (deg)", 0.01};
    MaxError eotErr{"equation of time (s)", 5.0};
    MaxError siderealErr{"sidereal time 0 h (s)", 0.1};
    for (size_t r = 0; r < table.size(); ++r) {
        const std::string label = table.Label(r);
        const int year = table.Int(r, "year");
        const int month = table.Int(r, "month");
        const int day = table.Int(r, "day");
        SetAstroYear(year);

        double ra = 0.0, dec = 0.0;
        ApparentSunPosition(day, month, ra, dec);
        const double raError = CircularDifference(ra * kDeg, table.Number(r, "ra_deg"), 360.0);
        const double decError = dec * kDeg - table.Number(r, "dec_deg");
        raErr.Add(raError, label);
        decErr.Add(decError, label);
        EXPECT_LE(std::fabs(raError), raErr.tolerance)
            << label << ": right ascension " << ra * kDeg << " expected " << table.Number(r, "ra_deg");
        EXPECT_LE(std::fabs(decError), decErr.tolerance)
            << label << ": declination " << dec * kDeg << " expected " << table.Number(r, "dec_deg");

        const double eot = EquationOfTime(day, month);
        eotErr.Add(eot - table.Number(r, "eot_s"), label);
        EXPECT_NEAR(eot, table.Number(r, "eot_s"), eotErr.tolerance) << label;

        // Without aberration the geometric declination stays within the same tolerance.
        const double sunDec = SunDeclination(day, month, year) * kDeg;
        sunDecErr.Add(sunDec - table.Number(r, "dec_deg"), label);
        EXPECT_NEAR(sunDec, table.Number(r, "dec_deg"), sunDecErr.tolerance) << label;

        SetAstroDateTime(day, month, year, 0, 0, 0);
        const double siderealError = CircularDifference(ApparentSiderealTime(), table.Number(r, "gast0_s"), 86400.0);
        siderealErr.Add(siderealError, label);
        EXPECT_LE(std::fabs(siderealError), siderealErr.tolerance)
            << label << ": sidereal time " << ApparentSiderealTime() << " expected " << table.Number(r, "gast0_s");
    }
}

// The frame change alone: the ephemeris's own hour angle and declination must give its
// altitude and azimuth, in both hemispheres, on both sides of the meridian and of the zenith.
TEST_F(AstronomyReference, EquatorialToHorizontalMatchesTheEphemerisFrame)
{
    const Table table("horizontal.csv");
    ASSERT_GT(table.size(), 400u);
    // The ephemeris keeps its angles to about 0.05"; this is pure geometry otherwise.
    MaxError altErr("transform altitude (deg)", 1e-4);
    MaxError azErr("transform azimuth x cos(alt) (deg)", 1e-4);
    for (size_t r = 0; r < table.size(); ++r) {
        const std::string label = table.Label(r);
        SetAstroSite(table.Number(r, "lat_deg"), table.Number(r, "lon_west_deg"), 0.0);
        double azimuth = 0.0, altitude = 0.0;
        EquatorialToHorizontal(table.Number(r, "ha_deg") / kDeg, table.Number(r, "dec_deg") / kDeg, azimuth, altitude);
        const double expectedAlt = table.Number(r, "alt_deg");
        const double altError = altitude * kDeg - expectedAlt;
        const double azError =
            CircularDifference(azimuth * kDeg, table.Number(r, "az_deg"), 360.0) * std::cos(expectedAlt / kDeg);
        altErr.Add(altError, label);
        azErr.Add(azError, label);
        EXPECT_LE(std::fabs(altError), altErr.tolerance) << label << ": altitude " << altitude * kDeg;
        EXPECT_LE(std::fabs(azError), azErr.tolerance)
            << label << ": azimuth " << azimuth * kDeg << " expected " << table.Number(r, "az_deg");
    }
}

// The whole chain of "where is the sun": date, sidereal time, position, hour angle, then the
// horizontal frame. The daily apparent position is held to 0.01 degree at its instant
// (12 h UT); the geometric position of any instant (no aberration: 0.006 degree) to 0.02.
TEST_F(AstronomyReference, AltitudeAndAzimuthAtTheSameInstantAndPlace)
{
    const Table table("horizontal.csv");
    MaxError siderealErr("sidereal time at instant (s)", 0.1);
    MaxError apparentErr("apparent alt/az chain (deg)", 0.01);
    MaxError geometricErr("geometric alt/az chain (deg)", 0.02);
    int apparentRows = 0;
    for (size_t r = 0; r < table.size(); ++r) {
        const std::string label = table.Label(r);
        const double longitudeWest = table.Number(r, "lon_west_deg");
        SetAstroSite(table.Number(r, "lat_deg"), longitudeWest, 0.0);
        const int year = table.Int(r, "year");
        const int month = table.Int(r, "month");
        const int day = table.Int(r, "day");
        const int hour = table.Int(r, "hour");
        const int minute = table.Int(r, "minute");
        const int second = table.Int(r, "second");
        SetAstroDateTime(day, month, year, hour, minute, second);

        const double sidereal = ApparentSiderealTime() + HmsToSiderealSeconds(hour, minute, second);
        const double siderealError = CircularDifference(sidereal, table.Number(r, "gast_s"), 86400.0);
        siderealErr.Add(siderealError, label);
        EXPECT_LE(std::fabs(siderealError), siderealErr.tolerance) << label;

        const auto check = [&](double ra, double dec, MaxError& err) {
            const double hourAngle = sidereal / 240.0 / kDeg - longitudeWest / kDeg - ra;
            double azimuth = 0.0, altitude = 0.0;
            EquatorialToHorizontal(hourAngle, dec, azimuth, altitude);
            const double expectedAlt = table.Number(r, "alt_deg");
            // An azimuth error counts by the arc it makes on the sky: near the zenith every
            // azimuth points close to the sun.
            const double azError =
                CircularDifference(azimuth * kDeg, table.Number(r, "az_deg"), 360.0) * std::cos(expectedAlt / kDeg);
            const double altError = altitude * kDeg - expectedAlt;
            err.Add(altError, label + " altitude");
            err.Add(azError, label + " azimuth");
            EXPECT_LE(std::fabs(altError), err.tolerance)
                << label << ": altitude " << altitude * kDeg << " expected " << expectedAlt;
            EXPECT_LE(std::fabs(azError), err.tolerance)
                << label << ": azimuth " << azimuth * kDeg << " expected " << table.Number(r, "az_deg");
        };
        double ra = 0.0, dec = 0.0;
        GetSunEquatorial(ra, dec);
        check(ra, dec, geometricErr);
        if (hour == 12 && minute == 0 && second == 0) {
            ++apparentRows;
            SetAstroYear(year);
            ApparentSunPosition(day, month, ra, dec);
            check(ra, dec, apparentErr);
        }
    }
    EXPECT_GT(apparentRows, 100);
}

// Rising and setting of the sun's centre at -0.8333 degree of altitude, the times of the UT
// day, against the ephemeris's own search; in both hemispheres, up to polar days and nights.
TEST_F(AstronomyReference, RiseTransitSetInBothHemispheresAndPolarDaysAndNights)
{
    const Table table("rise_set.csv");
    ASSERT_GT(table.size(), 1000u);
    MaxError riseErr("rise and set (min, grazing scaled)", 1.0);
    MaxError transitErr("transit (min)", 0.25);
    MaxError azErr("rise azimuth (deg, grazing scaled)", 0.25);
    MaxError culmErr("culmination altitude (deg)", 0.02);
    int statesCompared = 0;
    int risesCompared = 0;
    for (size_t r = 0; r < table.size(); ++r) {
        const std::string label = table.Label(r);
        const int year = table.Int(r, "year");
        const int month = table.Int(r, "month");
        const int day = table.Int(r, "day");
        SetAstroSite(table.Number(r, "lat_deg"), table.Number(r, "lon_west_deg"), 0.0);
        SetAstroDateTime(day, month, year, 0, 0, 0);
        double ra = 0.0, dec = 0.0;
        GetSunEquatorial(ra, dec);
        const RiseTransitSetResult events = RiseTransitSet(ra, dec);
        const SunHorizon state = events.state;
        const double rise = events.riseHoursUT, transit = events.transitHoursUT, set = events.setHoursUT;
        const double riseAzimuth = events.riseAzimuthDeg, culmination = events.culminationAltitudeDeg;

        for (double hours : {rise, transit, set}) {
            EXPECT_GE(hours, 0.0) << label;
            EXPECT_LT(hours, 24.0) << label;
        }
        const double transitError = CircularDifference(transit, table.Number(r, "transit_h"), 24.0) * 60.0;
        transitErr.Add(transitError, label);
        EXPECT_LE(std::fabs(transitError), transitErr.tolerance)
            << label << ": transit " << transit << " expected " << table.Number(r, "transit_h");
        const double culmError = culmination - table.Number(r, "culmination_alt_deg");
        culmErr.Add(culmError, label);
        EXPECT_LE(std::fabs(culmError), culmErr.tolerance)
            << label << ": culmination " << culmination << " expected " << table.Number(r, "culmination_alt_deg");

        // The state comes from both culminations: it must agree wherever the day's highest or
        // lowest altitude is clear of -0.8333 degree by more than the model's error.
        const std::string expectedState = table.Text(r, "state");
        if (table.Number(r, "state_margin_deg") > 0.02) {
            ++statesCompared;
            const SunHorizon want = expectedState == "above"   ? SunHorizon::AlwaysAbove
                                    : expectedState == "below" ? SunHorizon::AlwaysBelow
                                                               : SunHorizon::RisesAndSets;
            EXPECT_EQ(state, want) << label << ": state " << expectedState;
        }
        if (expectedState == "rises" && state == SunHorizon::RisesAndSets) {
            ++risesCompared;
            // Where the sun only grazes the horizon (cos(latitude) x sin(rising azimuth) small)
            // it climbs slowly and its rising point moves fast with the declination: 0.01 degree
            // of altitude (the model's error plus the parallax) is then worth more than a minute
            // and a quarter of a degree. Both tolerances grow by the same factor.
            const double grazing =
                std::cos(table.Number(r, "lat_deg") / kDeg) * std::sin(table.Number(r, "rise_az_deg") / kDeg);
            const double allowance = std::max(1.0, 0.04 / grazing);
            const double riseError = CircularDifference(rise, table.Number(r, "rise_h"), 24.0) * 60.0;
            const double setError = CircularDifference(set, table.Number(r, "set_h"), 24.0) * 60.0;
            riseErr.Add(riseError / allowance, label + " rise");
            riseErr.Add(setError / allowance, label + " set");
            EXPECT_LE(std::fabs(riseError), riseErr.tolerance * allowance)
                << label << ": rise " << rise << " expected " << table.Number(r, "rise_h");
            EXPECT_LE(std::fabs(setError), riseErr.tolerance * allowance)
                << label << ": set " << set << " expected " << table.Number(r, "set_h");
            const double azError = riseAzimuth - table.Number(r, "rise_az_deg");
            azErr.Add(azError / allowance, label);
            EXPECT_LE(std::fabs(azError), azErr.tolerance * allowance)
                << label << ": rise azimuth " << riseAzimuth << " expected " << table.Number(r, "rise_az_deg");
        }
    }
    EXPECT_GT(statesCompared, 900);
    EXPECT_GT(risesCompared, 850);
}

// Both culminations on one side of -0°50', yet the sun crosses it between midnight and the
// nearest culmination: the day is not a polar day or night, and its one rising or setting is
// given. Times from python3-ephem, sampling the whole UT day.
TEST_F(AstronomyReference, OneRisingOrSettingBetweenMidnightAndTheNearestCulmination)
{
    struct Day {
        double latitude, longitudeWest;
        int year, month, day;
        bool rises;    // else it sets
        double hours;  // of that event
    };
    const Day days[] = {
        {87.3094, -162.2112, 2069, 3, 11, true, 23.4069},
        {82.3904, 4.6052, 2040, 9, 4, false, 23.6187},
        {-77.0819, 1.5, 1969, 10, 25, true, 0.3585},
        {-74.9994, 179.0468, 1991, 5, 4, false, 0.2698},
    };
    for (const Day& d : days) {
        SetAstroSite(d.latitude, d.longitudeWest, 0.0);
        SetAstroDateTime(d.day, d.month, d.year, 0, 0, 0);
        double ra = 0.0, dec = 0.0;
        GetSunEquatorial(ra, dec);
        const RiseTransitSetResult events = RiseTransitSet(ra, dec);
        EXPECT_EQ(events.state, SunHorizon::RisesAndSets) << d.latitude;
        EXPECT_EQ(events.riseIsEvent, d.rises) << d.latitude;
        EXPECT_EQ(events.setIsEvent, !d.rises) << d.latitude;
        const double hours = d.rises ? events.riseHoursUT : events.setHoursUT;
        EXPECT_LE(std::fabs(CircularDifference(hours, d.hours, 24.0)) * 60.0, 1.0) << d.latitude << ": " << hours;
    }
}

}  // namespace
