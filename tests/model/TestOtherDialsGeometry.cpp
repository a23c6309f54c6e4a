// Textbook properties of the equatorial, analemmatic, bifilar and cylindrical dials, their
// sheet sizes and their names.
#include "SurfaceShadowOracle.h"

#include "model/Astronomy.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranBifilaire.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranEquatorial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using namespace shadow;

class OtherDialsGeometry : public ::testing::Test {
protected:
    void SetUp() override { ResetAstroState(); }
    void TearDown() override { ResetAstroState(); }
};

// Azimuth and altitude of the sun at a true hour angle and declination (degrees).
void SunAt(double latitudeDeg, double hourAngleDeg, double declinationDeg, double& az, double& alt)
{
    const double phi = latitudeDeg * kDeg;
    AzimuthAltitude(SunVector(phi, hourAngleDeg * kDeg, declinationDeg * kDeg), phi, az, alt);
}

TEST_F(OtherDialsGeometry, EquatorialShadowTurnsFifteenDegreesAnHourAtConstantLength)
{
    struct Case {
        double latitude;
        int face;
        double declination;
    };
    for (const Case& c : {Case{45.0, 1, 15.0}, Case{45.0, 0, -15.0}, Case{-30.0, 1, -20.0}, Case{-30.0, 0, 12.0}}) {
        CCadranEquatorial dial(c.face, c.face ? 8 : 9, 50, 50);
        dial.styleHeight = 40;
        dial.SetSite(c.latitude, 0.0, 0.0);
        const double length = dial.styleHeight / std::tan(std::fabs(c.declination) * kDeg);
        double previousAngle = 0.0;
        for (int hour = -5; hour <= 5; ++hour) {
            double az = 0.0, alt = 0.0;
            SunAt(c.latitude, hour * 15.0, c.declination, az, alt);
            ASSERT_TRUE(dial.IsLit(az, alt, false));
            int x = 0, y = 0;
            dial.Project(az, alt, x, y, false, false);
            EXPECT_NEAR(std::hypot(x, y) / 100.0, length, 0.01) << c.latitude << " hour " << hour;
            const double angle = std::atan2(y, x);
            // The noon shadow runs up the upper face's sheet and down the lower face's.
            if (hour == 0) {
                EXPECT_EQ(x, 0);
                EXPECT_EQ(y > 0, c.face == 1) << c.latitude;
            }
            // Clockwise on the upper face in the north; each change of pole or face reverses it.
            const double clockwise = (c.latitude > 0) == (c.face == 1) ? 15.0 : -15.0;
            if (hour > -5) {
                EXPECT_NEAR(std::remainder(previousAngle - angle, 2 * kPi) / kDeg, clockwise, 0.01)
                    << c.latitude << " face " << c.face << " hour " << hour;
            }
            previousAngle = angle;
        }
    }
}

TEST_F(OtherDialsGeometry, EquatorialSunInThePlaneOfTheFaceProjectsToTheFoot)
{
    CCadranEquatorial dial;
    dial.styleHeight = 40;
    dial.SetSite(45.0, 0.0, 0.0);
    double az = 0.0, alt = 0.0;
    SunAt(45.0, 40.0, 0.0, az, alt);
    int x = 1, y = 1;
    dial.Project(az, alt, x, y, false, false);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(OtherDialsGeometry, AnalemmaticHorizontalEllipseAndDateScale)
{
    const double m = 50.0;
    for (double latitude : {50.0, -35.0}) {
        CCadranAnalemmatique dial;
        dial.pixelsPerMmX = dial.pixelsPerMmY = 100.0;
        dial.ellipseSize = m;
        dial.SetSite(latitude, 0.0, 0.0);
        const double phi = latitude * kDeg;
        // Hundredths, y with the device's sign (down).
        auto hourPoint = [&](double hourAngle, double& east, double& north) {
            double az = 0.0, alt = 0.0;
            SunAt(latitude, hourAngle, latitude > 0 ? 10.0 : -10.0, az, alt);
            int x = 0, y = 0;
            dial.Project(az, alt, x, y, false, false);
            east = x / 100.0;
            north = -y / 100.0;
        };
        double east = 0.0, north = 0.0;
        hourPoint(90.0, east, north);  // 18 h: the west end of the major axis
        EXPECT_NEAR(east, m, 0.01);
        EXPECT_NEAR(north, 0.0, 0.01);
        hourPoint(-90.0, east, north);
        EXPECT_NEAR(east, -m, 0.01);
        hourPoint(0.0, east, north);  // noon: the end of the minor axis on the pole side
        EXPECT_NEAR(east, 0.0, 0.01);
        EXPECT_NEAR(north, m * std::sin(phi), 0.01) << latitude;

        for (double declination : {23.44, 10.0, -16.0}) {
            double az = 0.0, alt = 0.0;
            SunAt(latitude, -30.0, declination, az, alt);
            int x = 0, y = 0;
            dial.GetExtraPoint(x, y, az, alt);
            EXPECT_EQ(x, 0);
            EXPECT_NEAR(-y / 100.0, m * std::cos(phi) * std::tan(declination * kDeg), 0.01)
                << latitude << " declination " << declination;
        }
    }
}

TEST_F(OtherDialsGeometry, AnalemmaticVerticalStyleRisesInSummer)
{
    // A south wall at 45 degrees north with M = 50: the foot stands M sin(lat) tan(decl) above
    // A, 15 mm at the June solstice; the noon point lies M cos(lat) below A.
    CCadranAnalemmatique dial;
    dial.pixelsPerMmX = dial.pixelsPerMmY = 100.0;
    dial.typeCode = 22;
    dial.SetSite(45.0, 0.0, 0.0);
    double az = 0.0, alt = 0.0;
    SunAt(45.0, 0.0, 23.44, az, alt);
    int x = 0, y = 0;
    dial.GetExtraPoint(x, y, az, alt);
    EXPECT_NEAR(-y / 100.0, 50.0 * std::sin(45.0 * kDeg) * std::tan(23.44 * kDeg), 0.01);
    dial.Project(az, alt, x, y, true, true);
    EXPECT_NEAR(y / 100.0, 50.0 * std::cos(45.0 * kDeg), 0.01);
}

TEST_F(OtherDialsGeometry, BifilarHourLinesMeetBelowTheFootFifteenDegreesApart)
{
    for (double latitude : {46.0, -38.0}) {
        CCadranBifilaire dial;
        dial.typeCode = 40;
        dial.firstWireDistance = 30;
        dial.SetSite(latitude, 0.0, 0.0);
        const double convergence = -30.0 * std::cos(latitude * kDeg);  // mm, up the sheet
        for (int hour = -4; hour <= 4; ++hour) {
            double ends[2][2] = {};
            int n = 0;
            for (double declination : {-20.0, 20.0}) {
                double az = 0.0, alt = 0.0;
                SunAt(latitude, hour * 15.0, declination, az, alt);
                ASSERT_TRUE(dial.IsLit(az, alt, false)) << latitude << " " << hour << " " << declination;
                int x = 0, y = 0;
                dial.Project(az, alt, x, y, false, false);
                ends[n][0] = x / 100.0;
                ends[n][1] = y / 100.0;
                ++n;
            }
            // The line through both date ends, seen from the convergence point.
            const double a0 = std::atan2(ends[0][0], ends[0][1] - convergence);
            const double a1 = std::atan2(ends[1][0], ends[1][1] - convergence);
            EXPECT_NEAR(std::remainder(a0 - a1, kPi), 0.0, 1e-3) << latitude << " hour " << hour;
            // Afternoon lines lean right in the north, left in the south (sheet turned).
            const double expected = latitude > 0 ? hour * 15.0 : -hour * 15.0;
            EXPECT_NEAR(a1 / kDeg, expected, 0.02) << latitude << " hour " << hour;
        }
    }
}

TEST_F(OtherDialsGeometry, CylinderSheetFitsHalfATurnAndTheSolstices)
{
    CCadranCylindrique dial;
    dial.radius = 100.0;
    dial.ComputeSheetSize();
    EXPECT_EQ(dial.width, 314 + 40);
    EXPECT_EQ(dial.height, 93 + 40);  // 2 x 100 x tan 25 degrees = 93.3
    dial.radius = 1e300;  // refused on loading; the sheet saturates instead of overflowing
    dial.ComputeSheetSize();
    EXPECT_EQ(dial.width, std::numeric_limits<int>::max());
}

TEST_F(OtherDialsGeometry, ShepherdSheetHoldsTheHighestNoonShadowAtAnyLatitude)
{
    CCadranCylindriqueDeBerger dial;
    const double obliquity = GetObliquity();
    dial.SetSite(50.0, 0.0, 0.0);
    dial.ComputeSheetSize();
    EXPECT_EQ(dial.width, 157 + 20);
    EXPECT_EQ(dial.height, RoundToInt(std::tan(obliquity + 40.0 * kDeg) * 50.0) + 40);
    // Between the tropics the noon sun passes the zenith; the sheet stops at 85 degrees.
    for (double latitude : {20.0, 10.0, 0.0, -5.0, -23.0}) {
        dial.SetSite(latitude, 0.0, 0.0);
        dial.ComputeSheetSize();
        EXPECT_EQ(dial.height, RoundToInt(std::tan(85.0 * kDeg) * 50.0) + 40) << latitude;
    }
    dial.SetSite(89.0, 0.0, 0.0);
    dial.ComputeSheetSize();
    EXPECT_GE(dial.height, 40);
}

TEST_F(OtherDialsGeometry, TypeNamesLongShortAndUpperCase)
{
    struct Case {
        int type;
        const char* longName;
        const char* shortName;
    };
    std::string text;
    CCadranAnalemmatique analemmatic;
    for (const Case& c : {Case{20, "Cadran analemmatique horizontal à style droit", "Analemmatique horizontal à style droit"},
                          Case{21, "Cadran analemmatique horizontal à style incliné", "Analemmatique horizontal à style incliné"},
                          Case{22, "Cadran analemmatique vertical à style droit", "Analemmatique vertical à style droit"},
                          Case{23, "????", "????"}}) {
        analemmatic.typeCode = c.type;
        analemmatic.GetTypeName(text, true, false);
        EXPECT_EQ(text, c.longName);
        analemmatic.GetTypeName(text, false, false);
        EXPECT_EQ(text, c.shortName);
    }
    analemmatic.typeCode = 21;
    analemmatic.GetTypeName(text, true, true);
    EXPECT_EQ(text, "CADRAN ANALEMMATIQUE HORIZONTAL À STYLE INCLINÉ");

    CCadranBifilaire bifilar;
    bifilar.GetTypeName(text, true, false);
    EXPECT_EQ(text, "????");  // type 20 until the wizard sets the variant
    for (const Case& c : {Case{40, "Cadran bifilaire horizontal à fils équiangulaires", "Bifilaire horizontal à fils équiangulaires"},
                          Case{41, "Cadran bifilaire vertical déclinant à fils équiangulaires",
                               "Bifilaire vertical déclinant à fils équiangulaires"},
                          Case{42, "Cadran bifilaire horizontal à fils d'angle quelconque",
                               "Bifilaire horizontal à fils d'angle quelconque"}}) {
        bifilar.typeCode = c.type;
        bifilar.GetTypeName(text, true, false);
        EXPECT_EQ(text, c.longName);
        bifilar.GetTypeName(text, false, false);
        EXPECT_EQ(text, c.shortName);
    }

    CCadranCylindrique cylinder;
    for (const Case& c : {Case{30, "Couronne armillaire", "Cylindrique polaire à style axial"},
                          Case{31, "Cadran cylindrique polaire sans style ", "Cylindrique polaire sans style "},
                          Case{32, "Cadran cylindrique vertical convexe à style déclinant",
                               "Cylindrique vertical convexe à style déclinant"},
                          Case{34, "??", "??"}}) {
        cylinder.typeCode = c.type;
        cylinder.GetTypeName(text, true, false);
        EXPECT_EQ(text, c.longName);
        cylinder.GetTypeName(text, false, false);
        EXPECT_EQ(text, c.shortName);
    }
    CCadranCylindriqueDeBerger shepherd;
    shepherd.GetTypeName(text, true, false);
    EXPECT_EQ(text, "Cadran de berger");
    shepherd.GetTypeName(text, false, false);
    EXPECT_EQ(text, "Cylindrique de berger");

    CCadranEquatorial upper(1, 8, 50, 75), lower(0, 9, 50, 25);
    upper.GetTypeName(text, true, false);
    EXPECT_EQ(text, "Cadran équatorial (face supérieure)");
    lower.GetTypeName(text, true, true);
    EXPECT_EQ(text, "CADRAN ÉQUATORIAL (FACE INFÉRIEURE)");
    lower.GetTypeName(text, false, false);
    EXPECT_EQ(text, "Equatorial");
}

}  // namespace
