// The plane dials against an independent shadow computation. The oracle works in a fixed
// right-handed frame (east, north, up) with no dial conventions: the sun's direction comes
// from the hour angle, declination and latitude; the nodus stands at the style height on the
// face's normal above the foot; its shadow is where the ray from the nodus away from the sun
// meets the face, read in the face's own frame (right and up as seen facing the dial, the
// steepest ascent of the face being up). Only the translation of the sun and of the face's
// orientation into the program's azimuths is convention: from the equator side (south in the
// north, north in the south), positive west.
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranOccidental.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranPolaire.h"
#include "model/CCadranVerticalQcq.h"
#include "model/CCadranVerticalQcqSept.h"
#include "model/CMeridienne.h"
#include "model/FaceMap.h"
#include "model/Rounding.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;
constexpr double kObliquity = 23.44 * kDeg;

struct Vec {
    double e = 0.0, n = 0.0, u = 0.0;
};
Vec operator*(double k, const Vec& a) { return {k * a.e, k * a.n, k * a.u}; }
Vec operator+(const Vec& a, const Vec& b) { return {a.e + b.e, a.n + b.n, a.u + b.u}; }
Vec operator-(const Vec& a, const Vec& b) { return {a.e - b.e, a.n - b.n, a.u - b.u}; }
double Dot(const Vec& a, const Vec& b) { return a.e * b.e + a.n * b.n + a.u * b.u; }
Vec Cross(const Vec& a, const Vec& b)
{
    return {a.n * b.u - a.u * b.n, a.u * b.e - a.e * b.u, a.e * b.n - a.n * b.e};
}
const Vec kZenith{0.0, 0.0, 1.0};

// Unit vector towards the sun for an hour angle (positive after noon) and a declination.
Vec SunDirection(double hourAngle, double declination, double latitude)
{
    return {-std::cos(declination) * std::sin(hourAngle),
            std::sin(declination) * std::cos(latitude) - std::cos(declination) * std::cos(hourAngle) * std::sin(latitude),
            std::sin(declination) * std::sin(latitude) + std::cos(declination) * std::cos(hourAngle) * std::cos(latitude)};
}

// Horizontal unit vector towards an azimuth counted from the equator side, positive west.
Vec HorizontalDirection(double azimuth, bool south)
{
    const double towardsEquator = std::cos(azimuth);
    return {-std::sin(azimuth), south ? towardsEquator : -towardsEquator, 0.0};
}

void ToProgramAzimuth(const Vec& sun, bool south, double& azimuth, double& altitude)
{
    const double towardsEquator = south ? sun.n : -sun.n;
    azimuth = std::atan2(-sun.e, towardsEquator);
    altitude = std::asin(sun.u);
}

struct Face {
    Vec normal;  // out of the face
    Vec up;      // steepest ascent within the face (the pole side of a horizontal face)
    Vec right;   // to the right of someone facing the face
};

Face MakeFace(double declination, double inclination, bool south)
{
    const Vec towards = HorizontalDirection(declination, south);
    Face f;
    f.normal = std::sin(inclination) * towards + std::cos(inclination) * kZenith;
    f.up = (-std::cos(inclination)) * towards + std::sin(inclination) * kZenith;
    f.right = Cross(f.up, f.normal);
    return f;
}

struct Shadow {
    double facing = 0.0;  // cosine of the sun's angle to the face's normal
    double u = 0.0, v = 0.0;
};

Shadow CastShadow(const Face& face, double styleHeight, const Vec& sun)
{
    Shadow s;
    s.facing = Dot(sun, face.normal);
    const Vec nodus = styleHeight * face.normal;
    const Vec hit = nodus - (styleHeight / s.facing) * sun;
    s.u = Dot(hit, face.right);
    s.v = Dot(hit, face.up);
    return s;
}

// Where the polar axis through the nodus meets the face; false when it runs parallel to it.
bool PolarAxisFoot(const Face& face, double styleHeight, double latitude, double& u, double& v)
{
    const Vec pole{0.0, std::cos(latitude), std::sin(latitude)};
    const double along = Dot(pole, face.normal);
    if (std::fabs(along) < 1e-12)
        return false;
    const Vec hit = styleHeight * face.normal - (styleHeight / along) * pole;
    u = Dot(hit, face.right);
    v = Dot(hit, face.up);
    return true;
}

// The dial type drawn without its face map: every sun through its azimuth and altitude.
template <class T>
class WithoutFaceMap : public T {
public:
    using T::T;
    bool GetFaceMap(FaceMap&) const override { return false; }
};

// A type derived from a dial type, free to project or light its own way.
template <class T>
class Derived : public T {
public:
    using T::T;
};

struct DialCase {
    std::string name;
    double declination = 0.0;
    double inclination = 0.0;
    std::function<std::unique_ptr<CCadran>(bool faceMap)> make;
    std::function<void(const CCadran&, double, double, double&, double&)> projectMm;
};

template <class T>
void ProjectMmOf(const CCadran& dial, double az, double alt, double& u, double& v)
{
    dynamic_cast<const T&>(dial).ProjectMm(az, alt, u, v);
}

template <class T, class... Args>
std::function<std::unique_ptr<CCadran>(bool)> Maker(Args... args)
{
    return [=](bool faceMap) {
        return faceMap ? std::unique_ptr<CCadran>(new T(args...)) : std::unique_ptr<CCadran>(new WithoutFaceMap<T>(args...));
    };
}

std::vector<DialCase> AllCases(double latitudeDeg)
{
    const double halfPi = kPi / 2.0;
    std::vector<DialCase> cases = {
        {"horizontal", 0.0, 0.0, Maker<CCadranHorizontal>(), ProjectMmOf<CCadranHorizontal>},
        {"meridional", 0.0, halfPi, Maker<CCadranMeridional>(), ProjectMmOf<CCadranMeridional>},
        {"east", -halfPi, halfPi, Maker<CCadranOriental>(), ProjectMmOf<CCadranOriental>},
        {"west", halfPi, halfPi, Maker<CCadranOccidental>(), ProjectMmOf<CCadranOccidental>},
        {"declining west", 0.42, halfPi, Maker<CCadranVerticalQcq>(0.42), ProjectMmOf<CCadranVerticalQcq>},
        {"declining east", -1.1, halfPi, Maker<CCadranVerticalQcq>(-1.1), ProjectMmOf<CCadranVerticalQcq>},
        {"beyond 90 west", 2.3, halfPi, Maker<CCadranVerticalQcqSept>(2.3), ProjectMmOf<CCadranVerticalQcqSept>},
        {"beyond 90 east", -2.7, halfPi, Maker<CCadranVerticalQcqSept>(-2.7), ProjectMmOf<CCadranVerticalQcqSept>},
        {"noon mark", 0.2, halfPi, Maker<CMeridienne>(0.2), ProjectMmOf<CMeridienne>},
        {"inclined west", 0.6, 1.1, Maker<CCadranPlanQuelconque>(0.6, 1.1), ProjectMmOf<CCadranPlanQuelconque>},
        {"inclined east", -0.9, 0.35, Maker<CCadranPlanQuelconque>(-0.9, 0.35), ProjectMmOf<CCadranPlanQuelconque>},
        {"inclined poleward", 2.6, 0.8, Maker<CCadranPlanQuelconque>(2.6, 0.8), ProjectMmOf<CCadranPlanQuelconque>},
        {"overhanging", -0.3, 2.2, Maker<CCadranPlanQuelconque>(-0.3, 2.2), ProjectMmOf<CCadranPlanQuelconque>},
    };
    // The polar dial's face holds the polar axis: it looks towards the equator side, inclined
    // by the latitude.
    DialCase polar{"polar", 0.0, std::fabs(latitudeDeg) * kDeg, nullptr, ProjectMmOf<CCadranPolaire>};
    polar.make = [inclination = polar.inclination](bool faceMap) {
        std::unique_ptr<CCadran> dial =
            faceMap ? std::make_unique<CCadranPolaire>() : std::make_unique<WithoutFaceMap<CCadranPolaire>>();
        dial->planeAngle1 = 0.0;
        dial->planeAngle2 = inclination;
        return dial;
    };
    cases.push_back(polar);
    return cases;
}

std::unique_ptr<CCadran> SetUpDial(const DialCase& c, double latitudeDeg, bool faceMap = true)
{
    std::unique_ptr<CCadran> dial = c.make(faceMap);
    dial->SetSite(latitudeDeg, 0.0, 0.0);
    dial->styleHeight = 37;
    dial->styleLimit = 30;
    dial->scale = 1.25;
    dial->pixelsPerMmX = 3.7;
    dial->pixelsPerMmY = 4.1;
    EXPECT_DOUBLE_EQ(dial->planeAngle1, c.declination) << c.name;
    EXPECT_DOUBLE_EQ(dial->planeAngle2, c.inclination) << c.name;
    return dial;
}

class PlaneDialOracle : public ::testing::TestWithParam<double> {};

// 200 suns over the year and the day: the lit test agrees with the side of the face the sun
// is on, and the shadow of the nodus agrees to 1e-6 mm (unrounded) and to the rounding of
// every output unit.
TEST_P(PlaneDialOracle, ShadowOfTheNodusAndLitTest)
{
    const double latitudeDeg = GetParam();
    const bool south = latitudeDeg < 0.0;
    const double latitude = latitudeDeg * kDeg;
    for (const DialCase& c : AllCases(latitudeDeg)) {
        SCOPED_TRACE(c.name + " at latitude " + std::to_string(latitudeDeg));
        std::unique_ptr<CCadran> dial = SetUpDial(c, latitudeDeg);
        const Face face = MakeFace(c.declination, c.inclination, south);
        FaceMap map;
        ASSERT_TRUE(dial->GetFaceMap(map));
        std::mt19937 random(20040101u);
        std::uniform_real_distribution<double> hourAngles(-kPi, kPi);
        std::uniform_real_distribution<double> declinations(-kObliquity, kObliquity);
        int litCompared = 0, projected = 0;
        for (int n = 0; n < 200; ++n) {
            const double hourAngle = hourAngles(random);
            const double declination = declinations(random);
            const Vec sun = SunDirection(hourAngle, declination, latitude);
            double az = 0.0, alt = 0.0;
            ToProgramAzimuth(sun, south, az, alt);
            const Shadow shadow = CastShadow(face, dial->styleHeight, sun);
            const std::string where = "H " + std::to_string(hourAngle) + " dec " + std::to_string(declination) +
                                      " az " + std::to_string(az) + " alt " + std::to_string(alt);

            // The face map takes the sun as a vector of the horizontal frame; wherever it is
            // sure of the light, it says what IsLit says.
            const HorizontalVector p = EquatorialToHorizontalVector(std::sin(hourAngle), std::cos(hourAngle),
                                                                    std::sin(declination), std::cos(declination));
            EXPECT_NEAR(p.x, -sun.e, 1e-12) << where;
            EXPECT_NEAR(p.y, south ? sun.n : -sun.n, 1e-12) << where;
            EXPECT_NEAR(p.z, sun.u, 1e-12) << where;
            for (const bool aboveHorizon : {false, true}) {
                const FaceMap::Light light = map.LightOf(p, aboveHorizon);
                if (light != FaceMap::Light::Unsure) {
                    EXPECT_EQ(light == FaceMap::Light::Lit, dial->IsLit(az, alt, aboveHorizon)) << where;
                }
            }

            // Away from the thresholds the program keeps at the edges of the face.
            if (std::fabs(shadow.facing) > 0.01) {
                ++litCompared;
                EXPECT_EQ(dial->IsLit(az, alt, false), shadow.facing > 0.0) << where;
                if (std::fabs(alt) > 0.01) {
                    EXPECT_EQ(dial->IsLit(az, alt, true), shadow.facing > 0.0 && alt > 0.0) << where;
                }
            }
            if (shadow.facing < 0.05)
                continue;
            ++projected;
            double u = 0.0, v = 0.0;
            c.projectMm(*dial, az, alt, u, v);
            EXPECT_NEAR(u, shadow.u, 1e-6) << where;
            EXPECT_NEAR(v, shadow.v, 1e-6) << where;
            double facing = 0.0;
            map.Shadow(p, u, v, facing);
            EXPECT_NEAR(u, shadow.u, 1e-6) << where;
            EXPECT_NEAR(v, shadow.v, 1e-6) << where;

            int x = 0, y = 0;
            dial->Project(az, alt, x, y, false, false);
            EXPECT_LE(std::fabs(x - 100.0 * shadow.u), 0.5 + 1e-6) << where;
            EXPECT_LE(std::fabs(y - 100.0 * shadow.v), 0.5 + 1e-6) << where;
            dial->Project(az, alt, x, y, false, true);
            EXPECT_LE(std::fabs(x - 10.0 * shadow.u), 0.5 + 1e-6) << where;
            EXPECT_LE(std::fabs(y - 10.0 * shadow.v), 0.5 + 1e-6) << where;
            // Device pixels at the drawing scale, y growing downwards.
            dial->Project(az, alt, x, y, true, true);
            EXPECT_LE(std::fabs(x - shadow.u * 1.25 * 3.7), 0.5 + 1e-6) << where;
            EXPECT_LE(std::fabs(y + shadow.v * 1.25 * 4.1), 0.5 + 1e-6) << where;
        }
        EXPECT_GE(litCompared, 150);
        EXPECT_GE(projected, 30);
    }
}

// The centre is where the polar style meets the face: every hour line runs through it, the
// sub-style (foot to centre) has the length GetStyleLength reports, and GetCentreOffset
// gives the same point.
TEST_P(PlaneDialOracle, CentreIsWhereThePolarAxisMeetsTheFace)
{
    const double latitudeDeg = GetParam();
    const bool south = latitudeDeg < 0.0;
    for (const DialCase& c : AllCases(latitudeDeg)) {
        SCOPED_TRACE(c.name + " at latitude " + std::to_string(latitudeDeg));
        std::unique_ptr<CCadran> dial = SetUpDial(c, latitudeDeg);
        dial->scale = 1.0;
        dial->styleTruncation = 0;
        const Face face = MakeFace(c.declination, c.inclination, south);
        double bu = 0.0, bv = 0.0;
        const bool meets = PolarAxisFoot(face, dial->styleHeight, latitudeDeg * kDeg, bu, bv);
        int x = 0, y = 0;
        const bool hasCentre = dial->GetCentre(x, y, false, true);
        if (!meets || std::hypot(bu, bv) > 1000.0 || c.name == "east" || c.name == "west" || c.name == "polar") {
            // East, west and polar faces hold the polar axis: no centre.
            EXPECT_FALSE(hasCentre && (c.name == "polar" || c.name == "east" || c.name == "west"));
            continue;
        }
        ASSERT_TRUE(hasCentre);
        EXPECT_LE(std::fabs(x - 10.0 * bu), 0.5 + 1e-6);
        EXPECT_LE(std::fabs(y - 10.0 * bv), 0.5 + 1e-6);
        int dx = 0, dy = 0;
        dial->GetCentreOffset(dx, dy);
        EXPECT_EQ(dx, x);
        EXPECT_EQ(dy, y);
        bool truncate = false;
        double endHeight = -1.0;
        EXPECT_NEAR(dial->GetStyleLength(truncate, endHeight), std::hypot(bu, bv), 1e-9 * std::hypot(bu, bv));
        EXPECT_FALSE(truncate);
        EXPECT_EQ(endHeight, 0.0);
    }
}

// The date arcs, the particular dates and the Italic and Babylonian hours trace their suns
// through the face map: the drawing and the export are those of the suns taken through their
// azimuth and altitude, point for point.
TEST_P(PlaneDialOracle, FaceMapDrawsWhatAzimuthAndAltitudeDraw)
{
    const double latitudeDeg = GetParam();
    int index = 0;
    for (const DialCase& c : AllCases(latitudeDeg)) {
        SCOPED_TRACE(c.name + " at latitude " + std::to_string(latitudeDeg));
        const auto draw = [&](bool faceMap, gdi::RecordingDC& dc) {
            std::unique_ptr<CCadran> dial = SetUpDial(c, latitudeDeg, faceMap);
            dial->SetYear(2024);
            dial->width = 260;
            dial->height = 200;
            dial->SetStyleAnchorPercent(50, 50);
            dial->SetDialRect(10, 10, 10 + RoundToInt(260 * 3.7), 10 + RoundToInt(200 * 4.1));
            dial->ComputeAllTables();
            CPrefs& p = dial->prefs;
            p.diurnalArcMode = index % 2 == 0 ? 14 : 8;
            p.sunAboveHorizon = index % 3 == 0;
            p.fiveMinuteLines = 1;
            p.italicHours = 1;
            p.babylonianHours = 1;
            dial->particularDates = {2106, 2112, 1508};
            dial->collectShapes = 1;
            dial->ClearExportShapes();
            dial->Draw(dc);
            std::vector<std::vector<CDoublePoint>> shapes;
            for (const auto& shape : dial->exportShapes)
                shapes.push_back(shape->points);
            return shapes;
        };
        gdi::RecordingDC mapped;
        gdi::RecordingDC traced;
        const auto mappedShapes = draw(true, mapped);
        const auto tracedShapes = draw(false, traced);
        ++index;
        const auto polylines = [](const gdi::RecordingDC& dc) {
            std::vector<std::vector<gdi::Point>> out;
            for (const gdi::Record* r : dc.RecordsOf(gdi::RecordKind::Polyline))
                out.push_back(r->points);
            return out;
        };
        EXPECT_GT(polylines(traced).size(), 30u);
        EXPECT_EQ(polylines(mapped), polylines(traced));
        ASSERT_EQ(mappedShapes.size(), tracedShapes.size());
        for (size_t n = 0; n < mappedShapes.size(); ++n) {
            ASSERT_EQ(mappedShapes[n].size(), tracedShapes[n].size()) << "shape " << n;
            for (size_t k = 0; k < mappedShapes[n].size(); ++k) {
                EXPECT_EQ(mappedShapes[n][k].x, tracedShapes[n][k].x) << "shape " << n << " point " << k;
                EXPECT_EQ(mappedShapes[n][k].y, tracedShapes[n][k].y) << "shape " << n << " point " << k;
            }
        }
    }
}

// A type derived from a dial type draws without its parent's face map, which might not
// give its Project and IsLit; the types themselves keep theirs (the oracle above).
TEST(PlaneDialFaceMap, NotInheritedByADerivedType)
{
    FaceMap map;
    EXPECT_FALSE(Derived<CCadranHorizontal>().GetFaceMap(map));
    EXPECT_FALSE(Derived<CCadranMeridional>().GetFaceMap(map));
    EXPECT_FALSE(Derived<CCadranOriental>().GetFaceMap(map));
    EXPECT_FALSE(Derived<CCadranOccidental>().GetFaceMap(map));
    EXPECT_FALSE(Derived<CCadranVerticalQcq>(0.42).GetFaceMap(map));
    EXPECT_FALSE(Derived<CCadranVerticalQcqSept>(2.3).GetFaceMap(map));
    EXPECT_FALSE(Derived<CMeridienne>(0.2).GetFaceMap(map));
    EXPECT_FALSE(Derived<CCadranPlanQuelconque>(0.6, 1.1).GetFaceMap(map));
    EXPECT_FALSE(Derived<CCadranPolaire>().GetFaceMap(map));
}

INSTANTIATE_TEST_SUITE_P(BothHemispheres, PlaneDialOracle, ::testing::Values(47.25, 5.5, -33.9, -62.0),
                         [](const ::testing::TestParamInfo<double>& info) {
                             const double lat = info.param;
                             return std::string(lat < 0 ? "S" : "N") + std::to_string(static_cast<int>(std::fabs(lat)));
                         });

}  // namespace
