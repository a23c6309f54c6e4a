// The equatorial, analemmatic, bifilar, cylindrical and shepherd's dials against a ray tracing
// of the real shadow: for each dial type, both hemispheres and 100 sun positions, the lit test
// must say whether the sun reaches the working surface and the projection must fall where the
// shadow of the nodus, rod, rim or wires falls on the real surface (laid flat on the sheet as
// seen from the front, without mirroring).
#include "SurfaceShadowOracle.h"

#include "model/Astronomy.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranBifilaire.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranEquatorial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace shadow;

constexpr int kSamples = 100;
constexpr double kPixelsPerMm = 100.0;  // device rounding of 0.005 mm
constexpr double kScale = 1.0;
constexpr double kLatitudes[] = {48.0, -33.0};

class OtherDialsShadowOracle : public ::testing::Test {
protected:
    void SetUp() override { ResetAstroState(); }
    void TearDown() override { ResetAstroState(); }

    static void PrepareDevice(CCadran& dial)
    {
        dial.pixelsPerMmX = kPixelsPerMm;
        dial.pixelsPerMmY = kPixelsPerMm;
        dial.scale = kScale;
    }
};

// Hundredths of a millimetre, y up, into a point of the face.
Vec FacePoint(const Frame& frame, double u, double v) { return u * frame.right + v * frame.up; }

std::string Where(double latitude, int i, double az, double alt)
{
    return "latitude " + std::to_string(latitude) + " sample " + std::to_string(i) + " az " +
           std::to_string(az / kDeg) + " alt " + std::to_string(alt / kDeg);
}

// ---------------------------------------------------------------- equatorial

TEST_F(OtherDialsShadowOracle, EquatorialNodusShadowOnBothFaces)
{
    for (double latitude : kLatitudes) {
        for (int face : {1, 0}) {
            CCadranEquatorial dial(face, face ? 8 : 9, 50, 50);
            PrepareDevice(dial);
            dial.styleHeight = 40;
            dial.SetSite(latitude, 0.0, 0.0);
            const double phi = latitude * kDeg;
            const Vec normal = face ? UpperPole(phi) : -UpperPole(phi);
            // The noon shadow points up the sheet.
            const Vec up = face ? -EquatorOnMeridian(phi) : EquatorOnMeridian(phi);
            const Frame frame{Cross(up, normal), up};
            ASSERT_NEAR(Norm(frame.Normal() - normal), 0.0, 1e-12);

            int projected = 0;
            for (int i = 0; i < kSamples; ++i) {
                const SunSample sun = Sample(i);
                const Vec s = SunVector(phi, sun.hourAngle, sun.declination);
                double az = 0.0, alt = 0.0;
                AzimuthAltitude(s, phi, az, alt);
                const double facing = Dot(s, normal);
                if (std::fabs(facing) < 1e-3)
                    continue;
                const std::string where = Where(latitude, i, az, alt) + " face " + std::to_string(face);
                EXPECT_EQ(dial.IsLit(az, alt, false), facing > 0.0) << where;
                if (std::fabs(alt - 0.0005) > 1e-6) {
                    EXPECT_EQ(dial.IsLit(az, alt, true), facing > 0.0 && alt >= 0.0005) << where;
                }
                if (facing <= 0.0)
                    continue;

                Vec hit;
                ASSERT_TRUE(RayPlane(dial.styleHeight * normal, -s, Vec{}, normal, hit)) << where;
                const double u = frame.U(hit), v = frame.V(hit);
                if (std::fabs(u) > 5000.0 || std::fabs(v) > 5000.0)
                    continue;
                int x = 0, y = 0;
                dial.Project(az, alt, x, y, false, false);
                EXPECT_NEAR(x / 100.0, u, 0.01 + 1e-9 * std::fabs(u)) << where;
                EXPECT_NEAR(y / 100.0, v, 0.01 + 1e-9 * std::fabs(v)) << where;
                dial.Project(az, alt, x, y, true, true);
                EXPECT_NEAR(x / kPixelsPerMm, u, 0.01 + 1e-9 * std::fabs(u)) << where;
                EXPECT_NEAR(-y / kPixelsPerMm, v, 0.01 + 1e-9 * std::fabs(v)) << where;
                ++projected;
            }
            EXPECT_GT(projected, 25) << latitude << " face " << face;
        }
    }
}

// ---------------------------------------------------------------- analemmatic

struct AnalemmaticCase {
    int type;
    // Style inclination, and the direction its top leans as the wizard stores it: from the
    // south, east positive, "Ouest" negative (horizontal variants).
    double a1Deg, a2Deg;
    double wallDeg;       // wall declination from the equator side (vertical variant)
};

// The rod through `foot` along `rod` casts a shadow line on the face; `point` must lie on it,
// on the shadow side. Returns the distance (mm) to the line, or a large value when on the
// sun's side.
double DistanceToRodShadow(Vec point, Vec foot, Vec rod, Vec sun)
{
    const Vec m = Unit(Cross(rod, sun));
    const Vec rel = point - foot;
    // rel = alpha rod - beta sun: the rod point alpha above the face is where the ray from
    // `point` towards the sun (length beta) crosses the rod.
    const double rr = Dot(rod, rod), rs = Dot(rod, sun), ss = Dot(sun, sun);
    const double pr = Dot(rel, rod), ps = Dot(rel, sun);
    const double det = rr * ss - rs * rs;
    const double alpha = (pr * ss - ps * rs) / det;
    const double beta = (pr * rs - ps * rr) / det;
    if (alpha < -1e-9 || beta < -1e-9)
        return 1e9;
    return std::fabs(Dot(rel, m));
}

TEST_F(OtherDialsShadowOracle, AnalemmaticHourPointsLieOnTheMovableStyleShadow)
{
    const AnalemmaticCase cases[] = {
        {20, 0, 0, 0}, {21, 20, 0, 0}, {21, 15, 35, 0}, {21, 30, -30, 0}, {22, 0, 0, 0}, {22, 0, 0, 25},
    };
    for (const AnalemmaticCase& c : cases) {
        for (double latitude : kLatitudes) {
            CCadranAnalemmatique dial;
            PrepareDevice(dial);
            dial.typeCode = c.type;
            dial.ellipseSize = 50.0;
            dial.styleAngle1 = c.a1Deg * kDeg;
            dial.styleAngle2 = c.a2Deg * kDeg;
            dial.planeAngle1 = c.wallDeg * kDeg;
            dial.SetSite(latitude, 0.0, 0.0);
            const double phi = latitude * kDeg;

            Frame frame{kEast, kNorth};
            // East of south for a positive a2, west of it for a negative one.
            Vec rod = Unit(Vec{std::sin(dial.styleAngle2) * std::sin(dial.styleAngle1),
                               -std::cos(dial.styleAngle2) * std::sin(dial.styleAngle1), std::cos(dial.styleAngle1)});
            Vec normal = kUp;
            if (c.type == 22) {
                const double d = dial.planeAngle1;
                normal = phi >= 0.0 ? Vec{-std::sin(d), -std::cos(d), 0} : Vec{-std::sin(d), std::cos(d), 0};
                frame = Frame{Cross(kUp, normal), kUp};
                rod = normal;
            }
            ASSERT_NEAR(Norm(frame.Normal() - normal), 0.0, 1e-12);

            int projected = 0;
            for (int i = 0; i < kSamples; ++i) {
                const SunSample sun = Sample(i);
                const Vec s = SunVector(phi, sun.hourAngle, sun.declination);
                double az = 0.0, alt = 0.0;
                AzimuthAltitude(s, phi, az, alt);
                const std::string where = Where(latitude, i, az, alt) + " type " + std::to_string(c.type) +
                                          " a1 " + std::to_string(c.a1Deg) + " a2 " + std::to_string(c.a2Deg) +
                                          " wall " + std::to_string(c.wallDeg);
                bool lit = alt >= 0.005;
                if (c.type == 22) {
                    if (std::fabs(Dot(s, normal)) < 2e-3 * std::cos(alt))
                        continue;
                    lit = Dot(s, normal) > 0.0;
                    EXPECT_EQ(dial.IsLit(az, alt, true), lit && alt > 0.0) << where;
                } else if (std::fabs(alt - 0.005) < 1e-9) {
                    continue;
                }
                EXPECT_EQ(dial.IsLit(az, alt, false), lit) << where;
                if (!lit || alt < 0.02)
                    continue;

                int x = 0, y = 0;
                dial.Project(az, alt, x, y, false, false);
                const Vec point = FacePoint(frame, x / 100.0, -y / 100.0);
                dial.GetExtraPoint(x, y, az, alt);
                const Vec foot = FacePoint(frame, x / kPixelsPerMm, -y / kPixelsPerMm);
                EXPECT_LT(DistanceToRodShadow(point, foot, rod, s), 0.03) << where;

                // The hour point does not depend on the date: the style moved to another
                // date's point casts its shadow through the same point.
                const double otherDeclination = sun.declination > 0 ? sun.declination - 20 * kDeg
                                                                     : sun.declination + 20 * kDeg;
                const Vec s2 = SunVector(phi, sun.hourAngle, otherDeclination);
                double az2 = 0.0, alt2 = 0.0;
                AzimuthAltitude(s2, phi, az2, alt2);
                if (alt2 < 0.02 || (c.type == 22 && Dot(s2, normal) < 0.01))
                    continue;
                dial.Project(az2, alt2, x, y, false, false);
                EXPECT_NEAR(Norm(FacePoint(frame, x / 100.0, -y / 100.0) - point), 0.0, 0.015) << where;
                dial.GetExtraPoint(x, y, az2, alt2);
                const Vec foot2 = FacePoint(frame, x / kPixelsPerMm, -y / kPixelsPerMm);
                EXPECT_LT(DistanceToRodShadow(point, foot2, rod, s2), 0.03) << where;
                ++projected;
            }
            EXPECT_GT(projected, 15) << "type " << c.type << " latitude " << latitude;
        }
    }
}

// ---------------------------------------------------------------- bifilar

TEST_F(OtherDialsShadowOracle, BifilarCrossingOfTheWireShadows)
{
    for (int d1 : {10, 25}) {
        for (double latitude : kLatitudes) {
            CCadranBifilaire dial;
            PrepareDevice(dial);
            dial.typeCode = 40;
            dial.firstWireDistance = d1;
            dial.SetSite(latitude, 0.0, 0.0);
            const double phi = latitude * kDeg;
            // North-south wire at d1, east-west wire at d1 sin|latitude|; the southern sheet is
            // the northern one turned half a turn (the pole side up).
            const Vec nsWire{0, 0, static_cast<double>(d1)};
            const Vec ewWire{0, 0, d1 * std::sin(std::fabs(phi))};
            const Frame frame = phi >= 0.0 ? Frame{kEast, kNorth} : Frame{-kEast, -kNorth};

            int projected = 0;
            for (int i = 0; i < kSamples; ++i) {
                const SunSample sun = Sample(i);
                const Vec s = SunVector(phi, sun.hourAngle, sun.declination);
                double az = 0.0, alt = 0.0;
                AzimuthAltitude(s, phi, az, alt);
                const std::string where = Where(latitude, i, az, alt) + " d1 " + std::to_string(d1);
                if (std::fabs(alt - 0.005) < 1e-9)
                    continue;
                EXPECT_EQ(dial.IsLit(az, alt, false), alt > 0.005) << where;
                if (alt < 0.02)
                    continue;
                Vec g1, g2;
                ASSERT_TRUE(RayPlane(nsWire, -s, Vec{}, kUp, g1));
                ASSERT_TRUE(RayPlane(ewWire, -s, Vec{}, kUp, g2));
                const Vec crossing{g1.x, g2.y, 0.0};
                const double u = frame.U(crossing), v = frame.V(crossing);
                if (std::fabs(u) > 5000.0 || std::fabs(v) > 5000.0)
                    continue;
                int x = 0, y = 0;
                dial.Project(az, alt, x, y, false, false);
                EXPECT_NEAR(x / 100.0, u, 0.01 + 1e-9 * std::fabs(u)) << where;
                EXPECT_NEAR(y / 100.0, v, 0.01 + 1e-9 * std::fabs(v)) << where;
                dial.Project(az, alt, x, y, false, true);
                EXPECT_NEAR(y / 10.0, v, 0.06 + 1e-9 * std::fabs(v)) << where << " (tenths, y up)";
                dial.Project(az, alt, x, y, true, true);
                EXPECT_NEAR(x / kPixelsPerMm, u, 0.01 + 1e-9 * std::fabs(u)) << where;
                EXPECT_NEAR(-y / kPixelsPerMm, v, 0.01 + 1e-9 * std::fabs(v)) << where;
                ++projected;
            }
            EXPECT_GT(projected, 25) << latitude;
        }
    }
}

TEST_F(OtherDialsShadowOracle, BifilarVariantsOtherThanHorizontalEquiangularAreNeverLit)
{
    for (int type : {41, 42, 20}) {
        CCadranBifilaire dial;
        dial.typeCode = type;
        dial.SetSite(45.0, 0.0, 0.0);
        for (int i = 0; i < kSamples; ++i) {
            const SunSample sun = Sample(i);
            double az = 0.0, alt = 0.0;
            AzimuthAltitude(SunVector(45.0 * kDeg, sun.hourAngle, sun.declination), 45.0 * kDeg, az, alt);
            EXPECT_FALSE(dial.IsLit(az, alt, false)) << type << " " << i;
        }
    }
}

// ---------------------------------------------------------------- cylinders

// The developed face of a cylinder whose axis runs along the elevated pole: the sheet's middle
// is the generatrix opposite the noon sun; right x up points into the cylinder there.
struct DevelopedCylinder {
    Vec axis;    // up the sheet
    Vec bottom;  // radial direction of the sheet's middle
    Vec right;   // radial direction a quarter turn to the right
    double radius;

    void Develop(Vec point, double& u, double& v) const
    {
        const Vec radial = point - Dot(point, axis) * axis;
        u = radius * std::atan2(Dot(radial, right), Dot(radial, bottom));
        v = Dot(point, axis);
    }
};

DevelopedCylinder PolarCylinder(double phi, double radius)
{
    const Vec axis = UpperPole(phi);
    const Vec facingNoon = EquatorOnMeridian(phi);
    return {axis, -facingNoon, Cross(axis, facingNoon), radius};
}

TEST_F(OtherDialsShadowOracle, ArmillaryRingShadowOfTheAxisNodus)
{
    for (double latitude : kLatitudes) {
        CCadranCylindrique dial;
        PrepareDevice(dial);
        dial.radius = 80.0;
        dial.SetTypeAndPlane(30, 0.0, latitude);
        dial.SetSite(latitude, 0.0, 0.0);
        const double phi = latitude * kDeg;
        const DevelopedCylinder ring = PolarCylinder(phi, dial.radius);

        int projected = 0;
        for (int i = 0; i < kSamples; ++i) {
            const SunSample sun = Sample(i);
            const Vec s = SunVector(phi, sun.hourAngle, sun.declination);
            double az = 0.0, alt = 0.0;
            AzimuthAltitude(s, phi, az, alt);
            const std::string where = Where(latitude, i, az, alt);
            Vec hit;
            ASSERT_TRUE(RayCylinderFar(Vec{}, -s, Vec{}, ring.axis, ring.radius, hit)) << where;
            double u = 0.0, v = 0.0;
            ring.Develop(hit, u, v);
            // Only the half of the ring opposite the noon sun is drawn.
            const double onSheet = std::cos(u / ring.radius);
            if (std::fabs(onSheet) < 1e-3 || std::fabs(alt) < 1e-6)
                continue;
            EXPECT_EQ(dial.IsLit(az, alt, false), onSheet > 0.0) << where;
            EXPECT_EQ(dial.IsLit(az, alt, true), onSheet > 0.0 && alt > 0.0) << where;
            if (onSheet <= 0.0)
                continue;
            int x = 0, y = 0;
            dial.Project(az, alt, x, y, false, false);
            EXPECT_NEAR(x / 100.0, u, 0.01) << where;
            EXPECT_NEAR(y / 100.0, v, 0.01) << where;
            dial.Project(az, alt, x, y, true, true);
            EXPECT_NEAR(x / kPixelsPerMm, u, 0.01) << where;
            EXPECT_NEAR(-y / kPixelsPerMm, v, 0.01) << where;
            ++projected;
        }
        EXPECT_GT(projected, 30) << latitude;
    }
}

TEST_F(OtherDialsShadowOracle, PolarHalfCylinderShadowEdgeOfItsRims)
{
    for (double latitude : kLatitudes) {
        CCadranCylindrique dial;
        PrepareDevice(dial);
        dial.radius = 60.0;
        dial.SetTypeAndPlane(31, 0.0, latitude);
        dial.SetSite(latitude, 0.0, 0.0);
        const double phi = latitude * kDeg;
        const DevelopedCylinder trough = PolarCylinder(phi, dial.radius);

        int projected = 0;
        for (int i = 0; i < kSamples; ++i) {
            const SunSample sun = Sample(i);
            const Vec s = SunVector(phi, sun.hourAngle, sun.declination);
            double az = 0.0, alt = 0.0;
            AzimuthAltitude(s, phi, az, alt);
            const std::string where = Where(latitude, i, az, alt);
            // The trough opens towards the noon sun.
            const double intoOpening = Dot(s, -trough.bottom);
            if (std::fabs(intoOpening) < 1e-3 || std::fabs(alt) < 1e-6)
                continue;
            EXPECT_EQ(dial.IsLit(az, alt, false), intoOpening > 0.0) << where;
            EXPECT_EQ(dial.IsLit(az, alt, true), intoOpening > 0.0 && alt > 0.0) << where;
            const double side = Dot(s, trough.right);
            if (intoOpening <= 0.0 || std::fabs(side) < 1e-3)
                continue;
            // The rim on the sun's side casts the edge of the shadow.
            const Vec rim = (side > 0.0 ? trough.radius : -trough.radius) * trough.right;
            Vec hit;
            ASSERT_TRUE(RayCylinderFar(rim, -s, Vec{}, trough.axis, trough.radius, hit)) << where;
            double u = 0.0, v = 0.0;
            trough.Develop(hit, u, v);
            int x = 0, y = 0;
            dial.Project(az, alt, x, y, false, false);
            EXPECT_NEAR(x / 100.0, u, 0.01) << where;
            // Without a nodus the height is a date scale: the radius times tan(declination).
            EXPECT_NEAR(std::fabs(y / 100.0), dial.radius * std::fabs(std::tan(sun.declination)), 0.01) << where;
            ++projected;
        }
        EXPECT_GT(projected, 30) << latitude;
    }
}

TEST_F(OtherDialsShadowOracle, ShepherdStyleShadowLengthOnTheTurnedCylinder)
{
    for (double latitude : kLatitudes) {
        CCadranCylindriqueDeBerger dial;
        PrepareDevice(dial);
        dial.SetSite(latitude, 0.0, 0.0);
        const double phi = latitude * kDeg;

        int projected = 0;
        for (int i = 0; i < kSamples; ++i) {
            const SunSample sun = Sample(i);
            const Vec s = SunVector(phi, sun.hourAngle, sun.declination);
            double az = 0.0, alt = 0.0;
            AzimuthAltitude(s, phi, az, alt);
            const std::string where = Where(latitude, i, az, alt);
            if (std::fabs(alt) < 1e-6)
                continue;
            EXPECT_TRUE(dial.IsLit(az, alt, false)) << where;
            EXPECT_EQ(dial.IsLit(az, alt, true), alt > 0.0) << where;
            if (std::fabs(alt) > 80.0 * kDeg)
                continue;
            // The cylinder is turned so that the style points at the sun: the style's root on
            // the surface, the axis behind it.
            const Vec towardsSun = Unit(Vec{s.x, s.y, 0.0});
            const Vec axisPoint = -dial.radius * towardsSun;
            const Vec tip = static_cast<double>(dial.styleHeight) * towardsSun;
            const Vec rel = tip - axisPoint;
            const Vec q{-s.x, -s.y, 0.0};
            const double a = Dot(q, q), b = 2.0 * Dot(Vec{rel.x, rel.y, 0}, q),
                         c = rel.x * rel.x + rel.y * rel.y - dial.radius * dial.radius;
            const double k = (-b - std::sqrt(b * b - 4 * a * c)) / (2 * a);  // first wall met
            const Vec hit = tip + k * (-s);
            ASSERT_NEAR(Norm(Vec{hit.x, hit.y, 0}), 0.0, 1e-9) << where;  // below the root
            int x = 0, y = 0;
            dial.Project(az, alt, x, y, true, true);
            EXPECT_NEAR(y / kPixelsPerMm, -hit.z, 0.01 + 1e-9 * std::fabs(hit.z)) << where << " (device y down)";
            dial.Project(az, alt, x, y, false, false);
            EXPECT_NEAR(y / 100.0, hit.z, 0.01 + 1e-9 * std::fabs(hit.z)) << where << " (hundredths y up)";
            ++projected;
        }
        EXPECT_GT(projected, 60) << latitude;
    }
}

}  // namespace
