// Frame changes and rising and setting at the places where formulas break down: the poles,
// the zenith, the meridian, the polar side of the zenith, polar days and nights.
#include "model/Astronomy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

constexpr double kDeg = 180.0 / std::numbers::pi;

class AstronomyTransforms : public ::testing::Test {
protected:
    void SetUp() override { ResetAstroState(); }
    void TearDown() override { ResetAstroState(); }
};

double Wrapped(double radians)
{
    return std::remainder(radians, 2 * std::numbers::pi);
}

// Equatorial to horizontal and back gives (H, delta) in the north and the hemisphere-relative
// (-H, -delta) in the south, which is what the dial projections expect.
TEST_F(AstronomyTransforms, RoundTripInBothHemispheres)
{
    for (double latitude : {48.85, 1.35, 0.0, -0.18, -33.87, -77.85, 66.56}) {
        SetAstroSite(latitude, 0.0, 0.0);
        const double sign = latitude < 0 ? -1.0 : 1.0;
        for (double hDeg = -179.0; hDeg < 180.0; hDeg += 7.0) {
            for (double decDeg = -23.0; decDeg <= 23.0; decDeg += 4.6) {
                double azimuth = 0.0, altitude = 0.0, h = 0.0, dec = 0.0;
                EquatorialToHorizontal(hDeg / kDeg, decDeg / kDeg, azimuth, altitude);
                HorizontalToEquatorial(azimuth, altitude, h, dec);
                ASSERT_NEAR(Wrapped(h - sign * hDeg / kDeg), 0.0, 1e-7)
                    << "latitude " << latitude << " H " << hDeg << " dec " << decDeg;
                ASSERT_NEAR(dec, sign * decDeg / kDeg, 1e-7) << "latitude " << latitude;
                // Afternoon (H > 0) is towards the west (azimuth > 0) in both hemispheres.
                if (std::fabs(std::sin(hDeg / kDeg)) > 1e-3) {
                    ASSERT_EQ(azimuth > 0, hDeg > 0) << "latitude " << latitude << " H " << hDeg;
                }
            }
        }
    }
}

// Within a tenth of a degree of the meridian the azimuth is neither 0 nor 180 degrees, and
// the way back gives the hour angle again.
TEST_F(AstronomyTransforms, AzimuthNextToTheMeridianIsNotSnapped)
{
    const double pi = std::numbers::pi;
    SetAstroSite(47.25, 0.0, 0.0);
    double azimuth = 0.0, altitude = 0.0;
    EquatorialToHorizontal(0.001, 0.0, azimuth, altitude);
    EXPECT_NEAR(azimuth, 0.0013618, 1e-7);
    EquatorialToHorizontal(pi - 0.001, 0.3, azimuth, altitude);
    EXPECT_NEAR(azimuth, 3.1405337, 1e-7);
    for (double latitude : {47.25, -33.87}) {
        SetAstroSite(latitude, 0.0, 0.0);
        const double sign = latitude < 0 ? -1.0 : 1.0;
        for (double hourAngle : {0.0005, -0.001, 0.01, pi - 0.001, 0.001 - pi}) {
            for (double dec : {-0.4, 0.0, 0.3}) {
                double h = 0.0, back = 0.0;
                EquatorialToHorizontal(hourAngle, dec, azimuth, altitude);
                HorizontalToEquatorial(azimuth, altitude, h, back);
                EXPECT_NEAR(Wrapped(h - sign * hourAngle), 0.0, 1e-7) << latitude << " " << hourAngle << " " << dec;
                EXPECT_NEAR(back, sign * dec, 1e-7) << latitude << " " << hourAngle << " " << dec;
            }
        }
    }
}

TEST_F(AstronomyTransforms, PolesAreContinuousWithTheirNeighbourhood)
{
    for (double pole : {90.0, -90.0}) {
        SetAstroSite(pole, 0.0, 0.0);
        double azimuth = 0.0, altitude = 0.0;
        EquatorialToHorizontal(0.7, 0.3, azimuth, altitude);
        EXPECT_DOUBLE_EQ(azimuth, 0.7);
        EXPECT_DOUBLE_EQ(altitude, pole > 0 ? 0.3 : -0.3);

        SetAstroSite(pole * 0.9999, 0.0, 0.0);
        double nearAz = 0.0, nearAlt = 0.0;
        EquatorialToHorizontal(0.7, 0.3, nearAz, nearAlt);
        EXPECT_NEAR(nearAz, azimuth, 1e-3) << pole;
        EXPECT_NEAR(nearAlt, altitude, 1e-3) << pole;
    }
}

TEST_F(AstronomyTransforms, MeridianAndZenithGiveDefinedAzimuths)
{
    struct Case {
        double latitude, decDeg, azimuthDeg;
    };
    // On the meridian: the equator side, or the polar side when the sun culminates beyond
    // the zenith (tropics).
    for (const Case& c : {Case{48.0, 20.0, 0.0}, Case{10.0, 20.0, 180.0}, Case{-10.0, -20.0, 180.0},
                          Case{-33.0, 20.0, 0.0}, Case{0.0, -10.0, 0.0}}) {
        SetAstroSite(c.latitude, 0.0, 0.0);
        double azimuth = 0.0, altitude = 0.0;
        EquatorialToHorizontal(0.0, c.decDeg / kDeg, azimuth, altitude);
        EXPECT_NEAR(azimuth * kDeg, c.azimuthDeg, 1e-9) << c.latitude << " " << c.decDeg;
        EXPECT_NEAR(altitude * kDeg, 90.0 - std::fabs(c.latitude - c.decDeg), 1e-6);
    }
    // At and around the zenith nothing is NaN, for any hour angle.
    SetAstroSite(20.0, 0.0, 0.0);
    for (double hDeg : {0.0, 1e-5, -1e-5, 1e-3, 90.0, 180.0}) {
        for (double decDeg : {20.0, 20.0 + 1e-7, 90.0, -90.0}) {
            double azimuth = 0.0, altitude = 0.0, h = 0.0, dec = 0.0;
            EquatorialToHorizontal(hDeg / kDeg, decDeg / kDeg, azimuth, altitude);
            EXPECT_TRUE(std::isfinite(azimuth) && std::isfinite(altitude)) << hDeg << " " << decDeg;
            HorizontalToEquatorial(azimuth, altitude, h, dec);
            EXPECT_TRUE(std::isfinite(h) && std::isfinite(dec)) << hDeg << " " << decDeg;
        }
    }
}

TEST_F(AstronomyTransforms, EclipticToEquatorialQuadrants)
{
    SetAstroDateTime(1, 1, 2000, 12, 0, 0);
    const double eps = GetObliquity();
    // Against the textbook atan2 form, all round the ecliptic: the quadrant of the result
    // comes from the signs of sine and cosine.
    for (double lambdaDeg = -180.0; lambdaDeg <= 540.0; lambdaDeg += 2.5) {
        const double lambda = lambdaDeg / kDeg;
        double ra = 0.0, dec = 0.0;
        EclipticToEquatorial(lambda, 0.0, ra, dec);
        const double expected = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda));
        EXPECT_NEAR(Wrapped(ra - expected), 0.0, 1e-7) << lambdaDeg;
        EXPECT_GT(ra, -std::numbers::pi);
        EXPECT_LE(ra, std::numbers::pi);
        EXPECT_NEAR(std::sin(dec), std::sin(eps) * std::sin(lambda), 1e-12);
    }
    double ra = 0.0, dec = 0.0;
    // Just past 180 degrees the cosine rounds to -1: the result stays in (-pi, pi].
    EclipticToEquatorial(std::numbers::pi + 1e-9, 0.0, ra, dec);
    EXPECT_DOUBLE_EQ(ra, std::numbers::pi);
    // Off the ecliptic: the north ecliptic pole lies at RA 18 h, declination 90 - eps.
    EclipticToEquatorial(0.3, std::numbers::pi / 2, ra, dec);
    EXPECT_NEAR(ra * kDeg, -90.0, 1e-5);
    EXPECT_NEAR(dec, std::numbers::pi / 2 - eps, 1e-9);
}

TEST_F(AstronomyTransforms, RiseTransitSetAtThePolesAndPolarCircles)
{
    struct Case {
        double latitude;
        int day, month;
        SunHorizon state;
    };
    for (const Case& c : {Case{90, 21, 6, SunHorizon::AlwaysAbove}, Case{90, 21, 12, SunHorizon::AlwaysBelow},
                          Case{-90, 21, 6, SunHorizon::AlwaysBelow}, Case{-90, 21, 12, SunHorizon::AlwaysAbove},
                          Case{69.65, 21, 6, SunHorizon::AlwaysAbove}, Case{69.65, 21, 12, SunHorizon::AlwaysBelow},
                          Case{-77.85, 21, 12, SunHorizon::AlwaysAbove}, Case{0, 21, 3, SunHorizon::RisesAndSets}}) {
        SetAstroSite(c.latitude, -18.96, 1.0);
        SetAstroDateTime(c.day, c.month, 2024, 0, 0, 0);
        double ra = 0.0, dec = 0.0;
        GetSunEquatorial(ra, dec);
        const RiseTransitSetResult events = RiseTransitSet(ra, dec);
        const SunHorizon state = events.state;
        const double rise = events.riseHoursUT, transit = events.transitHoursUT, set = events.setHoursUT;
        const double azimuth = events.riseAzimuthDeg, culmination = events.culminationAltitudeDeg;
        EXPECT_EQ(state, c.state) << c.latitude << " " << c.day << "/" << c.month;
        for (double v : {rise, transit, set})
            EXPECT_TRUE(v >= 0.0 && v < 24.0) << v;
        EXPECT_TRUE(std::isfinite(azimuth) && azimuth >= 0.0 && azimuth <= 180.0) << azimuth;
        EXPECT_LE(culmination, 90.0);
        if (state == SunHorizon::RisesAndSets) {
            // On the equator at the equinox: twelve hours of day, rising due east.
            EXPECT_NEAR(std::fmod(set - rise + 24.0, 24.0), 12.1, 0.05);
            EXPECT_NEAR(azimuth, 90.0, 1.0);
        }
    }
}

}  // namespace
