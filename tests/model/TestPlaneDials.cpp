// Behaviour of the plane dials beyond the shadow geometry: defaults of each type, where the
// style foot goes with the site, the cut style, and the faces whose style never meets them.
#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranOccidental.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranPolaire.h"
#include "model/CCadranVerticalQcq.h"
#include "model/CCadranVerticalQcqSept.h"
#include "model/CMeridienne.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;

// The foot of the style moves away from where the hour lines gather: east and west faces
// swap sides with the hemisphere, declining walls shift by a quarter of the width per right
// angle of declination, mirrored in the south.
TEST(PlaneDials, SiteMovesTheStyleFoot)
{
    // Dials hold their sun tables: too big for several on the stack.
    auto eastDial = std::make_unique<CCadranOriental>();
    auto westDial = std::make_unique<CCadranOccidental>();
    auto decliningDial = std::make_unique<CCadranVerticalQcq>(0.5);
    auto beyondDial = std::make_unique<CCadranVerticalQcqSept>(-2.2);
    auto noonMarkDial = std::make_unique<CMeridienne>(-0.3);
    CCadran& east = *eastDial;
    CCadran& west = *westDial;
    CCadran& declining = *decliningDial;
    CCadran& beyond = *beyondDial;
    CCadran& noonMark = *noonMarkDial;
    for (CCadran* d : std::initializer_list<CCadran*>{&east, &west, &declining, &beyond, &noonMark}) {
        d->width = 400;
        d->height = 300;
    }
    east.SetSite(-20.0, 0.0, 0.0);
    west.SetSite(-20.0, 0.0, 0.0);
    declining.SetSite(-20.0, 0.0, 0.0);
    beyond.SetSite(48.0, 0.0, 0.0);
    noonMark.SetSite(48.0, 0.0, 0.0);
    EXPECT_EQ(east.anchorPercentX, 75);
    EXPECT_EQ(west.anchorPercentX, 25);
    EXPECT_EQ(declining.anchorPercentX, 42);
    EXPECT_EQ(beyond.anchorPercentX, 15);
    EXPECT_EQ(noonMark.anchorPercentX, 45);
    // The millimetre position follows the percentage.
    EXPECT_EQ(east.anchorX, 300);
    EXPECT_EQ(declining.anchorX, 168);

    east.SetSite(20.0, 0.0, 0.0);
    west.SetSite(20.0, 0.0, 0.0);
    declining.SetSite(20.0, 0.0, 0.0);
    EXPECT_EQ(east.anchorPercentX, 25);
    EXPECT_EQ(west.anchorPercentX, 75);
    EXPECT_EQ(declining.anchorPercentX, 58);
    // The vertical position is left alone.
    EXPECT_EQ(east.anchorPercentY, 25);

    // Built with its declination, the wall beyond 90 degrees is placed for the default
    // (northern) site until SetSite runs.
    auto built = std::make_unique<CCadranVerticalQcqSept>(2.0);
    EXPECT_EQ(built->anchorPercentX, 82);
    EXPECT_EQ(built->typeCode, 7);
}

// Cut at the style limit, the style's end stands where the full style would be at that
// distance from the foot: H (1 - L / length).
TEST(PlaneDials, CutStyleEndsOnTheFullStyle)
{
    std::vector<std::unique_ptr<CCadran>> dials;
    dials.push_back(std::make_unique<CCadranHorizontal>());
    dials.push_back(std::make_unique<CCadranMeridional>());
    dials.push_back(std::make_unique<CCadranVerticalQcq>(0.7));
    dials.push_back(std::make_unique<CCadranVerticalQcqSept>(-2.4));
    dials.push_back(std::make_unique<CCadranPlanQuelconque>(0.4, 1.2));
    for (auto& d : dials) {
        SCOPED_TRACE(d->GetClassInfo().name);
        d->SetSite(55.0, 0.0, 0.0);
        d->styleHeight = 40;
        d->styleLimit = 12;
        bool truncate = false;
        double endHeight = -1.0;
        const double full = d->GetStyleLength(truncate, endHeight);
        ASSERT_GT(full, 12.0);
        EXPECT_FALSE(truncate);
        EXPECT_EQ(endHeight, 0.0);

        truncate = true;
        EXPECT_EQ(d->GetStyleLength(truncate, endHeight), 12.0);
        EXPECT_TRUE(truncate);
        EXPECT_NEAR(endHeight, 40.0 * (1.0 - 12.0 / full), 1e-9);

        // A limit beyond the full length cuts nothing.
        d->styleLimit = static_cast<int>(full) + 1;
        truncate = true;
        EXPECT_DOUBLE_EQ(d->GetStyleLength(truncate, endHeight), full);
        EXPECT_FALSE(truncate);
        EXPECT_EQ(endHeight, 0.0);
    }
}

// The truncated centre lies on the sub-style at the style limit (drawing scale included);
// it moves only when the dial's truncation switch is on.
TEST(PlaneDials, TruncatedCentreLiesOnTheSubstyleAtTheLimit)
{
    std::vector<std::unique_ptr<CCadran>> dials;
    dials.push_back(std::make_unique<CCadranHorizontal>());
    dials.push_back(std::make_unique<CCadranMeridional>());
    dials.push_back(std::make_unique<CCadranVerticalQcq>(-0.6));
    dials.push_back(std::make_unique<CCadranPlanQuelconque>(0.9, 0.5));
    for (double latitude : {50.0, -35.0}) {
        for (auto& d : dials) {
            SCOPED_TRACE(std::string(d->GetClassInfo().name) + " " + std::to_string(latitude));
            d->SetSite(latitude, 0.0, 0.0);
            d->styleHeight = 60;
            d->styleLimit = 20;
            d->scale = 2.0;
            d->styleTruncation = 1;
            int fx = 0, fy = 0, cx = 0, cy = 0;
            ASSERT_TRUE(d->GetCentre(fx, fy, false, true));
            ASSERT_TRUE(d->GetCentre(cx, cy, true, true));
            EXPECT_NEAR(std::hypot(cx, cy), 400.0, 1.0);
            EXPECT_NEAR(std::atan2(cy, cx), std::atan2(fy, fx), 0.005);
            ASSERT_GT(std::hypot(fx, fy), 400.0);

            d->styleTruncation = 0;
            int ux = 0, uy = 0;
            ASSERT_TRUE(d->GetCentre(ux, uy, true, true));
            EXPECT_EQ(ux, fx);
            EXPECT_EQ(uy, fy);

            // Device pixels: the same point with y down.
            d->pixelsPerMmX = 5.0;
            d->pixelsPerMmY = 5.0;
            int px = 0, py = 0;
            ASSERT_TRUE(d->GetCentre(px, py, false, false));
            EXPECT_NEAR(px, fx / 2.0, 1.0);
            EXPECT_NEAR(py, -fy / 2.0, 1.0);
        }
    }
}

// Near the equator the horizontal dial's style is almost flat: it is always cut at the limit
// and its centre (and the centre offset) stays there instead of going off to infinity.
TEST(PlaneDials, HorizontalDialNearTheEquator)
{
    CCadranHorizontal dial;
    dial.styleHeight = 40;
    dial.styleLimit = 25;
    for (double latitude : {0.0, 0.99, -0.5}) {
        SCOPED_TRACE(latitude);
        dial.SetSite(latitude, 0.0, 0.0);
        bool truncate = false;
        double endHeight = 0.0;
        EXPECT_EQ(dial.GetStyleLength(truncate, endHeight), 25.0);
        EXPECT_TRUE(truncate);
        EXPECT_NEAR(endHeight, 40.0 - std::tan(std::fabs(latitude) * kDeg) * 25.0, 1e-12);
        int x = 0, y = 0;
        EXPECT_TRUE(dial.GetCentre(x, y, false, true));
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, -250);
        int dx = 0, dy = 0;
        dial.GetCentreOffset(dx, dy);
        EXPECT_EQ(dx, 0);
        EXPECT_EQ(dy, -250);
    }
    dial.SetSite(1.0, 0.0, 0.0);
    bool truncate = false;
    double endHeight = 0.0;
    EXPECT_NEAR(dial.GetStyleLength(truncate, endHeight), 40.0 / std::tan(kDeg), 1e-9);
    EXPECT_FALSE(truncate);
}

TEST(PlaneDials, HorizontalLitTestIgnoresTheHorizonSwitch)
{
    CCadranHorizontal dial;
    for (bool aboveHorizonOnly : {false, true}) {
        EXPECT_TRUE(dial.IsLit(1.0, 0.005, aboveHorizonOnly));
        EXPECT_FALSE(dial.IsLit(1.0, 0.0049, aboveHorizonOnly));
    }
}

// A sun exactly on the meridian lies in the plane of an east or west face: its shadow is
// taken at the foot rather than divided by zero.
TEST(PlaneDials, EastAndWestFacesPutTheMeridianSunAtTheFoot)
{
    CCadranOriental east;
    CCadranOccidental west;
    for (CCadran* d : {static_cast<CCadran*>(&east), static_cast<CCadran*>(&west)}) {
        int x = 7, y = 7;
        d->Project(0.0, 0.8, x, y, true, true);
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 0);
        EXPECT_FALSE(d->IsLit(0.0, 0.8, false));
    }
}

// East and west faces hold the polar axis: no centre, and the style, parallel to the face,
// runs along the sub-style direction through the foot; its end comes back the same in
// device pixels and in tenths of a millimetre.
TEST(PlaneDials, EastAndWestStylesLieAlongTheirSubstyle)
{
    for (double latitude : {47.0, -30.0}) {
        CCadranOriental east;
        CCadranOccidental west;
        for (CCadran* d : {static_cast<CCadran*>(&east), static_cast<CCadran*>(&west)}) {
            SCOPED_TRACE(std::string(d->GetClassInfo().name) + " " + std::to_string(latitude));
            d->SetSite(latitude, 0.0, 0.0);
            d->styleLimit = 30;
            d->pixelsPerMmX = d->pixelsPerMmY = 4.0;
            int tx = 0, ty = 0, px = 0, py = 0;
            EXPECT_FALSE(d->GetCentre(tx, ty, true, true));
            EXPECT_FALSE(d->GetCentre(px, py, true, false));
            EXPECT_NEAR(std::hypot(tx, ty), 300.0, 1.0);
            EXPECT_NEAR(px, tx * 0.4, 1.0);
            EXPECT_NEAR(py, -ty * 0.4, 1.0);
            // On the line through the foot at the sub-style angle.
            const double angle = d->GetCentreAngle();
            EXPECT_NEAR(tx * std::sin(angle) - ty * std::cos(angle), 0.0, 1.0);
            bool truncate = false;
            double endHeight = 0.0;
            EXPECT_EQ(d->GetStyleLength(truncate, endHeight), 30.0);
            EXPECT_TRUE(truncate);
            EXPECT_EQ(endHeight, d->styleHeight);
            int dx = 1, dy = 1;
            d->GetCentreOffset(dx, dy);
            EXPECT_EQ(dx, 0);
            EXPECT_EQ(dy, 0);
        }
    }
}

// A wall facing due east or west through the declining dial: the centre is level with the foot.
TEST(PlaneDials, DecliningWallFacingEastOrWestHasItsCentreLevel)
{
    CCadranVerticalQcq dial(kPi / 2 + 5e-7);
    dial.SetSite(45.0, 0.0, 0.0);
    int dx = 0, dy = 1;
    dial.GetCentreOffset(dx, dy);
    EXPECT_EQ(dy, 0);
    int x = 0, y = 1;
    EXPECT_TRUE(dial.GetCentre(x, y, false, true));
    EXPECT_EQ(y, 0);
}

// Planes that hold the polar axis (the polar dial's, and a horizontal face on the equator):
// the centre denominator vanishes. No centre untruncated; the truncated style ends at the
// style limit below the foot, where the centre offset puts it; never a NaN.
TEST(PlaneDials, StyleParallelToTheFaceHasNoCentre)
{
    for (double latitude : {0.0, 10.0, 33.3, 45.0, 51.47, 60.0, 89.0, -27.5, -45.0}) {
        SCOPED_TRACE(latitude);
        CCadranPolaire polar;
        polar.planeAngle1 = 0.0;
        polar.planeAngle2 = std::fabs(latitude) * kDeg;
        polar.SetSite(latitude, 0.0, 0.0);
        polar.styleHeight = 40;
        polar.styleLimit = 25;
        polar.scale = 1.0;
        EXPECT_TRUE(polar.StyleParallelToFace());
        int x = 0, y = 0;
        EXPECT_FALSE(polar.GetCentre(x, y, false, true));
        EXPECT_FALSE(polar.GetCentre(x, y, false, false));
        ASSERT_TRUE(polar.GetCentre(x, y, true, true));
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, -250);
        int dx = 0, dy = 0;
        polar.GetCentreOffset(dx, dy);
        EXPECT_EQ(dx, 0);
        EXPECT_EQ(dy, -250);
        bool truncate = false;
        double endHeight = 0.0;
        EXPECT_EQ(polar.GetStyleLength(truncate, endHeight), 25.0);
        EXPECT_TRUE(truncate);
        EXPECT_EQ(endHeight, 40.0);

        // The dial on any plane, given the same plane, agrees.
        CCadranPlanQuelconque plane(0.0, std::fabs(latitude) * kDeg);
        plane.SetSite(latitude, 0.0, 0.0);
        plane.styleHeight = 40;
        plane.styleLimit = 25;
        EXPECT_FALSE(plane.GetCentre(x, y, false, true));
        ASSERT_TRUE(plane.GetCentre(x, y, true, true));
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, -250);
        plane.GetCentreOffset(dx, dy);
        EXPECT_EQ(dx, 0);
        EXPECT_EQ(dy, -250);
        truncate = false;
        EXPECT_EQ(plane.GetStyleLength(truncate, endHeight), 25.0);
        EXPECT_TRUE(truncate);
        EXPECT_EQ(endHeight, 40.0);
    }
}

// An inclined face whose centre is more than a metre away (at the drawing scale) has none
// untruncated; truncated, the centre is cut at the limit even with the switch off.
TEST(PlaneDials, FarCentreOfAnInclinedFace)
{
    // Nearly parallel to the polar axis, but not quite.
    CCadranPlanQuelconque dial(0.0, 45.0 * kDeg + 0.01);
    dial.SetSite(45.0, 0.0, 0.0);
    dial.styleHeight = 40;
    dial.styleLimit = 25;
    dial.styleTruncation = 0;
    EXPECT_FALSE(dial.StyleParallelToFace());
    int x = 0, y = 0;
    EXPECT_FALSE(dial.GetCentre(x, y, false, true));
    ASSERT_TRUE(dial.GetCentre(x, y, true, true));
    EXPECT_NEAR(std::hypot(x, y), 250.0, 1.0);
    // Halve the drawing scale and the same centre comes within reach.
    dial.scale = 0.5;
    int dx = 0, dy = 0;
    dial.GetCentreOffset(dx, dy);
    ASSERT_GT(std::hypot(dx, dy), 10000.0);
    dial.styleHeight = 15;
    dial.GetCentreOffset(dx, dy);
    ASSERT_LT(std::hypot(dx, dy) * 0.05, 1000.0);
    EXPECT_TRUE(dial.GetCentre(x, y, false, true));
    EXPECT_NEAR(x, dx * 0.5, 1.0);
    EXPECT_NEAR(y, dy * 0.5, 1.0);
}

std::string NameOf(const CCadran& dial, bool longName, bool upperCase)
{
    std::string text = "unchanged";
    dial.GetTypeName(text, longName, upperCase);
    return text;
}

// A dial holds its sun tables: too big for many on the stack.
template <class T, class... Args>
std::string NameOf(bool longName, bool upperCase, Args... args)
{
    return NameOf(*std::make_unique<T>(args...), longName, upperCase);
}

// Names in the program's French; the declination and inclination are written in degrees and
// minutes, the side of the declination after it.
TEST(PlaneDials, TypeNamesInFrench)
{
    EXPECT_EQ(NameOf<CCadranHorizontal>(true, false), "Cadran solaire horizontal");
    EXPECT_EQ(NameOf<CCadranHorizontal>(false, true), "HORIZONTAL");
    EXPECT_EQ(NameOf<CCadranMeridional>(true, true), "CADRAN SOLAIRE M\xC3\x89RIDIONAL");
    EXPECT_EQ(NameOf<CCadranOriental>(true, false), "Cadran solaire oriental");
    EXPECT_EQ(NameOf<CCadranOccidental>(false, false), "Occidental");
    EXPECT_EQ(NameOf<CCadranPolaire>(true, false), "Cadran polaire");
    EXPECT_EQ(NameOf<CCadranPolaire>(false, true), "POLAIRE");

    EXPECT_EQ(NameOf<CCadranVerticalQcq>(true, false, -37.5 * kDeg),
              "Cadran solaire d\xC3\xA9""clinant (alpha = 37\xC2\xB0 30' Est)");
    EXPECT_EQ(NameOf<CCadranVerticalQcq>(true, true, 12.0 * kDeg),
              "CADRAN SOLAIRE D\xC3\x89""CLINANT (ALPHA = 12\xC2\xB0 OUEST)");
    EXPECT_EQ(NameOf<CCadranVerticalQcq>(false, false, 12.0 * kDeg), "D\xC3\xA9""clinant");
    // The noon mark and the wall beyond 90 degrees are named as declining walls.
    EXPECT_EQ(NameOf<CMeridienne>(true, false, 0.0), "Cadran solaire d\xC3\xA9""clinant (alpha = 0\xC2\xB0 Ouest)");
    EXPECT_EQ(NameOf<CCadranVerticalQcqSept>(true, false, -135.25 * kDeg),
              "Cadran solaire d\xC3\xA9""clinant (alpha = 135\xC2\xB0 15' Est)");

    EXPECT_EQ(NameOf<CCadranPlanQuelconque>(true, false, 20.0 * kDeg, 65.5 * kDeg),
              "Cadran plan quelconque (alpha = 20\xC2\xB0 Ouest / beta = 65\xC2\xB0 30')");
    EXPECT_EQ(NameOf<CCadranPlanQuelconque>(false, false, -3.0 * kDeg, 0.0), "Plan quelconque");
}

// The face that looks at the equator from the southern hemisphere looks north: it has names
// of its own, told apart here by the English column of the shipped language file.
TEST(PlaneDials, MeridionalNamesFollowTheHemisphere)
{
    CLanguageFile file(testsupport::SourceDir() / "resources" / "data" / "horavel.lang");
    ASSERT_TRUE(file.Load());
    AppContext& context = GetAppContext();
    const AppContext saved = context;
    context.languageFile = &file;
    context.programLanguage = 1;
    auto dial = std::make_unique<CCadranMeridional>();
    dial->SetSite(45.0, 0.0, 0.0);
    const std::string northLong = NameOf(*dial, true, false);
    const std::string northShort = NameOf(*dial, false, false);
    dial->SetSite(-45.0, 0.0, 0.0);
    const std::string southLong = NameOf(*dial, true, false);
    const std::string southShort = NameOf(*dial, false, false);
    context = saved;
    EXPECT_EQ(northLong, "Vertical south-facing sundial");
    EXPECT_EQ(northShort, "South-facing");
    EXPECT_EQ(southLong, "Vertical north-facing sundial");
    EXPECT_EQ(southShort, "North-facing");
}

}  // namespace
