// Hour-line angles, sub-style and style angles of the plane dials against the formulas of
// the gnomonics textbooks, with the sun placed by the astronomy module as the dial tables
// place it. Angles are read on the unrounded shadow points; t is the hour angle, positive
// after noon. On the drawing the pole side is up, so in the southern hemisphere the
// afternoon lines turn the other way: the expected tangents carry the hemisphere sign s.
#include "model/Astronomy.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranOccidental.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranPolaire.h"
#include "model/CCadranVerticalQcq.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

class PlaneDialGnomonics : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override
    {
        ResetAstroState();
        latitudeDeg = GetParam();
        phi = std::fabs(latitudeDeg) * kDeg;
        s = latitudeDeg < 0 ? -1.0 : 1.0;
        SetAstroSite(latitudeDeg, 0.0, 0.0);
    }
    void TearDown() override { ResetAstroState(); }

    // Direction of the hour line of t, between the shadows of the two farthest declinations
    // that light the face at that hour; false when fewer than two do.
    template <class Dial>
    bool HourLine(const Dial& dial, double t, double& du, double& dv) const
    {
        int lit = 0;
        double u0 = 0.0, v0 = 0.0;
        for (double declinationDeg = -20.0; declinationDeg <= 20.0; declinationDeg += 5.0) {
            double azimuth = 0.0, altitude = 0.0;
            EquatorialToHorizontal(t, declinationDeg * kDeg, azimuth, altitude);
            if (!dial.IsLit(azimuth, altitude, true))
                continue;
            double u = 0.0, v = 0.0;
            dial.ProjectMm(azimuth, altitude, u, v);
            if (lit++ == 0) {
                u0 = u;
                v0 = v;
            } else {
                du = u - u0;
                dv = v - v0;
            }
        }
        return lit >= 2;
    }

    double latitudeDeg = 0.0;
    double phi = 0.0;  // |latitude|, radians
    double s = 1.0;
};

// Horizontal: tan X = sin(lat) tan(t), X from the noon line towards the right.
TEST_P(PlaneDialGnomonics, HorizontalHourLines)
{
    CCadranHorizontal dial;
    dial.SetSite(latitudeDeg, 0.0, 0.0);
    dial.styleHeight = 40;
    for (int hour = -4; hour <= 4; ++hour) {
        const double t = hour * 15.0 * kDeg;
        double du = 0.0, dv = 0.0;
        ASSERT_TRUE(HourLine(dial, t, du, dv)) << "hour " << 12 + hour;
        EXPECT_NEAR(du / dv, s * std::sin(phi) * std::tan(t), 1e-9) << "hour " << 12 + hour;
    }
}

// Vertical facing the equator: tan X = cos(lat) tan(t), X from the downward noon line.
TEST_P(PlaneDialGnomonics, MeridionalHourLines)
{
    CCadranMeridional dial;
    dial.SetSite(latitudeDeg, 0.0, 0.0);
    dial.styleHeight = 40;
    for (int hour = -4; hour <= 4; ++hour) {
        const double t = hour * 15.0 * kDeg;
        double du = 0.0, dv = 0.0;
        ASSERT_TRUE(HourLine(dial, t, du, dv)) << "hour " << 12 + hour;
        EXPECT_NEAR(du / -dv, s * std::cos(phi) * std::tan(t), 1e-9) << "hour " << 12 + hour;
    }
}

// Vertical declining by D (positive west): tan X = cos(lat) / (sin(lat) sin D + cos D cot t);
// the sub-style makes SD with the noon line, tan SD = sin D / tan(lat); the style makes SH
// with the face, sin SH = cos(lat) cos D.
TEST_P(PlaneDialGnomonics, DecliningHourLinesSubstyleAndStyle)
{
    for (double declinationDeg : {-50.0, -12.0, 25.0, 63.0}) {
        SCOPED_TRACE(declinationDeg);
        const double d = declinationDeg * kDeg;
        CCadranVerticalQcq dial(d);
        dial.SetSite(latitudeDeg, 0.0, 0.0);
        dial.styleHeight = 1000;
        dial.styleTruncation = 0;
        int hourLines = 0;
        for (int hour = -5; hour <= 5; ++hour) {
            if (hour == 0)
                continue;
            const double t = hour * 15.0 * kDeg;
            double du = 0.0, dv = 0.0;
            if (!HourLine(dial, t, du, dv))
                continue;
            ++hourLines;
            const double expected = std::cos(phi) / (std::sin(phi) * std::sin(d) + std::cos(d) / std::tan(t));
            EXPECT_NEAR(du / -dv, s * expected, 1e-9) << "hour " << 12 + hour;
        }
        EXPECT_GE(hourLines, 5);
        // Sub-style: from the centre down to the foot. The centre comes in tenths of a
        // millimetre, hence the long style.
        int bx = 0, by = 0;
        ASSERT_TRUE(dial.GetCentre(bx, by, false, true));
        EXPECT_NEAR(std::atan2(-bx, by), std::atan(s * std::sin(d) / std::tan(phi)), 1e-4);
        bool truncate = false;
        double endHeight = 0.0;
        const double substyle = dial.GetStyleLength(truncate, endHeight);
        EXPECT_NEAR(std::atan(dial.styleHeight / substyle), std::asin(std::cos(phi) * std::cos(d)), 1e-12);
    }
}

// The same three formulas through the dial on any plane, with the plane made vertical: the
// general projection reduces to the declining wall.
TEST_P(PlaneDialGnomonics, AnyPlaneReducesToTheDecliningWall)
{
    const double d = 35.0 * kDeg;
    CCadranPlanQuelconque plane(d, std::numbers::pi / 2.0);
    CCadranVerticalQcq wall(d);
    for (CCadran* dial : {static_cast<CCadran*>(&plane), static_cast<CCadran*>(&wall)}) {
        dial->SetSite(latitudeDeg, 0.0, 0.0);
        dial->styleHeight = 40;
        dial->styleTruncation = 0;
    }
    int compared = 0;
    for (int hour = -5; hour <= 5; ++hour) {
        double azimuth = 0.0, altitude = 0.0;
        EquatorialToHorizontal(hour * 15.0 * kDeg, 10.0 * kDeg * s, azimuth, altitude);
        ASSERT_EQ(plane.IsLit(azimuth, altitude, true), wall.IsLit(azimuth, altitude, true)) << hour;
        if (!wall.IsLit(azimuth, altitude, true))
            continue;
        ++compared;
        double u1 = 0.0, v1 = 0.0, u2 = 0.0, v2 = 0.0;
        plane.ProjectMm(azimuth, altitude, u1, v1);
        wall.ProjectMm(azimuth, altitude, u2, v2);
        EXPECT_NEAR(u1, u2, 1e-9);
        EXPECT_NEAR(v1, v2, 1e-9);
    }
    EXPECT_GE(compared, 4);
    bool t1 = false, t2 = false;
    double e1 = 0.0, e2 = 0.0;
    EXPECT_NEAR(plane.GetStyleLength(t1, e1), wall.GetStyleLength(t2, e2), 1e-9);
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ASSERT_TRUE(plane.GetCentre(x1, y1, false, true));
    ASSERT_TRUE(wall.GetCentre(x2, y2, false, true));
    EXPECT_EQ(x1, x2);
    EXPECT_EQ(y1, y2);
}

// Faces that hold the polar axis have parallel hour lines, parallel to the style: on east
// and west faces along the sub-style angle, on the polar dial vertical on the drawing.
TEST_P(PlaneDialGnomonics, ParallelHourLinesFollowTheStyle)
{
    // Dials hold their sun tables: too big for several on the stack.
    auto eastDial = std::make_unique<CCadranOriental>();
    auto westDial = std::make_unique<CCadranOccidental>();
    auto polarDial = std::make_unique<CCadranPolaire>();
    CCadranOriental& east = *eastDial;
    CCadranOccidental& west = *westDial;
    CCadranPolaire& polar = *polarDial;
    polar.planeAngle2 = phi;
    for (CCadran* dial : {static_cast<CCadran*>(&east), static_cast<CCadran*>(&west), static_cast<CCadran*>(&polar)}) {
        SCOPED_TRACE(dial->GetClassInfo().name);
        dial->SetSite(latitudeDeg, 0.0, 0.0);
        const double styleAngle = dial == &polar ? std::numbers::pi / 2.0 : dial->GetCentreAngle();
        int lines = 0;
        // The sun stands in the polar face at 6 h and 18 h: those lines are at infinity.
        for (int hour = -5; hour <= 5; ++hour) {
            double du = 0.0, dv = 0.0;
            const double t = hour * 15.0 * kDeg;
            const bool found = dial == &east   ? HourLine(east, t, du, dv)
                               : dial == &west ? HourLine(west, t, du, dv)
                                               : HourLine(polar, t, du, dv);
            if (!found)
                continue;
            ++lines;
            EXPECT_NEAR(du * std::sin(styleAngle) - dv * std::cos(styleAngle), 0.0, 1e-9 * std::hypot(du, dv))
                << "hour " << 12 + hour;
        }
        EXPECT_GE(lines, 4);
    }
}

// At noon on an equinox the shadow of the nodus on a horizontal dial falls H tan(lat) from
// the foot, towards the pole.
TEST_P(PlaneDialGnomonics, EquinoxNoonShadowOnTheHorizontalDial)
{
    CCadranHorizontal dial;
    dial.SetSite(latitudeDeg, 0.0, 0.0);
    dial.styleHeight = 40;
    double azimuth = 0.0, altitude = 0.0;
    EquatorialToHorizontal(0.0, 0.0, azimuth, altitude);
    int x = 0, y = 0;
    dial.Project(azimuth, altitude, x, y, false, false);
    EXPECT_EQ(x, 0);
    EXPECT_NEAR(y / 100.0, 40.0 * std::tan(phi), 0.005);
    double u = 0.0, v = 0.0;
    dial.ProjectMm(azimuth, altitude, u, v);
    EXPECT_NEAR(v, 40.0 * std::tan(phi), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Latitudes, PlaneDialGnomonics, ::testing::Values(47.25, 51.5, -33.9, -45.0),
                         [](const ::testing::TestParamInfo<double>& info) {
                             const double lat = info.param;
                             return std::string(lat < 0 ? "S" : "N") + std::to_string(static_cast<int>(std::fabs(lat)));
                         });

}  // namespace
