// The dials the wizard's family pages build from their choices: class, type code, plane
// angles in radians, anchors and hours; the presets and the corrections of typed angles.
#include "dialogs/DialTypeChoices.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranBifilaire.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranEquatorial.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranOccidental.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranPolaire.h"
#include "model/CCadranVerticalQcq.h"
#include "model/CCadranVerticalQcqSept.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kBesancon = 47.25;

PlaneDialChoice Plane(int plane, int degrees = 0, int minutes = 0, int side = kSideEast)
{
    PlaneDialChoice c;
    c.plane = plane;
    c.declinationDegrees = degrees;
    c.declinationMinutes = minutes;
    c.side = side;
    return c;
}

template <typename Dial>
bool Is(const CCadran* dial)
{
    return dial && typeid(*dial) == typeid(Dial);
}

}  // namespace

TEST(DialTypeAngles, SignedDegreesAndMinutesKeepTheSignOfTheDegrees)
{
    EXPECT_DOUBLE_EQ(SignedDegMinToDegrees(-20, 30), -20.5);
    EXPECT_DOUBLE_EQ(SignedDegMinToDegrees(20, 30), 20.5);
    EXPECT_DOUBLE_EQ(SignedDegMinToDegrees(0, 30), 0.5);

    int d = 0, m = 0;
    SplitSignedDegrees(-42.75, d, m);
    EXPECT_EQ(d, -42);
    EXPECT_EQ(m, 45);  // never negative minutes
    SplitSignedDegrees(47.9999, d, m);
    EXPECT_EQ(d, 48);
    EXPECT_EQ(m, 0);   // no 60 minutes
    SplitSignedDegrees(-33.9166666, d, m);
    EXPECT_DOUBLE_EQ(SignedDegMinToDegrees(d, m), -33.0 - 55.0 / 60.0);
}

TEST(PlaneDialChoices, PresetsFollowThePlaneAndTheLatitude)
{
    struct Case {
        int plane, vertical, degrees, minutes, side, inclDegrees, inclMinutes;
    };
    // Starting from a choice that holds other values everywhere.
    const Case cases[] = {
        {kPlaneHorizontal, 0, 0, 0, kSideWest, 0, 0},
        {kPlaneVertical, kVerticalSouth, 0, 0, kSideWest, 90, 0},
        {kPlaneVertical, kVerticalWest, 90, 0, kSideWest, 90, 0},
        {kPlaneVertical, kVerticalEast, 90, 0, kSideEast, 90, 0},
        {kPlaneVertical, kVerticalDeclining, 45, 0, kSideWest, 90, 0},
        {kPlanePolar, 0, 0, 0, kSideWest, 47, 15},
        {kPlaneEquatorialUpper, 0, 0, 0, kSideWest, -42, 45},
        {kPlaneEquatorialLower, 0, 0, 0, kSideWest, 137, 15},
        {kPlaneInclinedDeclining, 0, 12, 34, kSideWest, -20, 30},
    };
    for (const Case& k : cases) {
        PlaneDialChoice c = Plane(k.plane, 12, 34, kSideWest);
        c.vertical = k.vertical;
        c.inclinationDegrees = -20;
        c.inclinationMinutes = 30;
        ApplyPlanePreset(c, kBesancon);
        SCOPED_TRACE(testing::Message() << "plane " << k.plane << " vertical " << k.vertical);
        EXPECT_EQ(c.declinationDegrees, k.degrees);
        EXPECT_EQ(c.declinationMinutes, k.minutes);
        EXPECT_EQ(c.side, k.side);
        EXPECT_EQ(c.inclinationDegrees, k.inclDegrees);
        EXPECT_EQ(c.inclinationMinutes, k.inclMinutes);
    }

    // The southern hemisphere uses the latitude's size.
    PlaneDialChoice south = Plane(kPlaneEquatorialUpper);
    ApplyPlanePreset(south, -33.9);
    EXPECT_EQ(south.inclinationDegrees, -56);
    EXPECT_EQ(south.inclinationMinutes, 6);
}

TEST(PlaneDialChoices, TypedDeclinationsAreBroughtIntoRange)
{
    PlaneDialChoice c = Plane(kPlaneVertical, -30, 0, kSideEast);
    NormaliseDeclination(c);
    EXPECT_EQ(c.declinationDegrees, 30);
    EXPECT_EQ(c.side, kSideWest);
    NormaliseDeclination(c);  // a positive angle keeps its side
    EXPECT_EQ(c.side, kSideWest);

    c = Plane(kPlaneVertical, 10, 75);
    NormaliseDeclination(c);
    EXPECT_EQ(c.declinationMinutes, 59);
    c = Plane(kPlaneVertical, 10, -5);
    NormaliseDeclination(c);
    EXPECT_EQ(c.declinationMinutes, 0);

    // No more than half a turn, minutes included.
    for (auto [degrees, minutes] : {std::pair{200, 10}, std::pair{180, 30}}) {
        c = Plane(kPlaneVertical, degrees, minutes);
        NormaliseDeclination(c);
        EXPECT_EQ(c.declinationDegrees, 180);
        EXPECT_EQ(c.declinationMinutes, 0);
    }

    c.inclinationDegrees = -20;
    c.inclinationMinutes = 80;
    NormaliseInclination(c);
    EXPECT_EQ(c.inclinationDegrees, -20);
    EXPECT_EQ(c.inclinationMinutes, 59);
}

TEST(PlaneDialChoices, VerticalWallsPickTheirClassByDeclination)
{
    auto dial = BuildPlaneDial(Plane(kPlaneVertical, 0, 0), kBesancon);
    EXPECT_TRUE(Is<CCadranMeridional>(dial.get()));
    EXPECT_EQ(dial->typeCode, 2);

    dial = BuildPlaneDial(Plane(kPlaneVertical, 90, 0, kSideWest), kBesancon);
    EXPECT_TRUE(Is<CCadranOccidental>(dial.get()));
    EXPECT_EQ(dial->typeCode, 4);

    dial = BuildPlaneDial(Plane(kPlaneVertical, 90, 0, kSideEast), kBesancon);
    EXPECT_TRUE(Is<CCadranOriental>(dial.get()));
    EXPECT_EQ(dial->typeCode, 3);

    dial = BuildPlaneDial(Plane(kPlaneVertical, 89, 59, kSideWest), kBesancon);
    EXPECT_TRUE(Is<CCadranVerticalQcq>(dial.get()));
    EXPECT_EQ(dial->typeCode, 5);
    EXPECT_NEAR(dial->planeAngle1, (89.0 + 59.0 / 60.0) * kRad, 1e-12);
    EXPECT_NEAR(dial->planeAngle2, 90.0 * kRad, 1e-12);

    dial = BuildPlaneDial(Plane(kPlaneVertical, 30, 15, kSideEast), kBesancon);
    EXPECT_TRUE(Is<CCadranVerticalQcq>(dial.get()));
    EXPECT_NEAR(dial->planeAngle1, -30.25 * kRad, 1e-12);

    dial = BuildPlaneDial(Plane(kPlaneVertical, 95, 0, kSideEast), kBesancon);
    EXPECT_TRUE(Is<CCadranVerticalQcqSept>(dial.get()));
    EXPECT_EQ(dial->typeCode, 7);
    EXPECT_NEAR(dial->planeAngle1, -95.0 * kRad, 1e-12);
}

TEST(PlaneDialChoices, OtherPlanesTakeTheLatitudeOrTheTypedAngles)
{
    auto dial = BuildPlaneDial(Plane(kPlaneHorizontal, 45, 0), kBesancon);
    EXPECT_TRUE(Is<CCadranHorizontal>(dial.get()));
    EXPECT_EQ(dial->typeCode, 1);
    EXPECT_EQ(dial->planeAngle1, 0.0);
    EXPECT_EQ(dial->planeAngle2, 0.0);

    dial = BuildPlaneDial(Plane(kPlanePolar), kBesancon);
    EXPECT_TRUE(Is<CCadranPolaire>(dial.get()));
    EXPECT_EQ(dial->typeCode, 11);
    EXPECT_NEAR(dial->planeAngle2, kBesancon * kRad, 1e-12);

    dial = BuildPlaneDial(Plane(kPlaneEquatorialUpper), kBesancon);
    ASSERT_TRUE(Is<CCadranEquatorial>(dial.get()));
    EXPECT_EQ(dial->typeCode, 8);
    EXPECT_EQ(static_cast<CCadranEquatorial&>(*dial).upperFace, 1);
    EXPECT_NEAR(dial->planeAngle2, -42.75 * kRad, 1e-12);
    EXPECT_EQ(dial->anchorPercentX, 50);
    EXPECT_EQ(dial->anchorPercentY, 75);

    dial = BuildPlaneDial(Plane(kPlaneEquatorialLower), -kBesancon);
    ASSERT_TRUE(Is<CCadranEquatorial>(dial.get()));
    EXPECT_EQ(dial->typeCode, 9);
    EXPECT_EQ(static_cast<CCadranEquatorial&>(*dial).upperFace, 0);
    EXPECT_NEAR(dial->planeAngle2, 137.25 * kRad, 1e-12);
    EXPECT_EQ(dial->anchorPercentY, 25);

    // A negative inclination of -20 degrees 30 minutes is -20.5, not -19.5.
    PlaneDialChoice any = Plane(kPlaneInclinedDeclining, 20, 30, kSideEast);
    any.inclinationDegrees = -20;
    any.inclinationMinutes = 30;
    dial = BuildPlaneDial(any, kBesancon);
    EXPECT_TRUE(Is<CCadranPlanQuelconque>(dial.get()));
    EXPECT_EQ(dial->typeCode, 6);
    EXPECT_NEAR(dial->planeAngle1, -20.5 * kRad, 1e-12);
    EXPECT_NEAR(dial->planeAngle2, -20.5 * kRad, 1e-12);
}

TEST(PlaneDialChoices, ANoonMarkKeepsTheHoursAroundNoonOnAnyPlane)
{
    for (int plane : {kPlaneHorizontal, kPlaneVertical, kPlanePolar, kPlaneInclinedDeclining}) {
        PlaneDialChoice c = Plane(plane, 10, 0);
        c.noonMark = 1;
        auto dial = BuildPlaneDial(c, kBesancon);
        EXPECT_EQ(dial->firstHour, 11) << plane;
        EXPECT_EQ(dial->lastHour, 13) << plane;
        c.noonMark = 0;
        dial = BuildPlaneDial(c, kBesancon);
        EXPECT_EQ(dial->firstHour, 0) << plane;
        EXPECT_EQ(dial->lastHour, 24) << plane;
    }
}

TEST(AnalemmaticChoices, EachChoiceSetsItsTypeAndAngles)
{
    AnalemmaticChoiceValues v;
    auto dial = BuildAnalemmaticDial(v);
    ASSERT_TRUE(Is<CCadranAnalemmatique>(dial.get()));
    EXPECT_EQ(dial->typeCode, 20);
    EXPECT_EQ(dial->planeAngle2, 0.0);

    v.choice = kAnalemmaticVertical;
    dial = BuildAnalemmaticDial(v);
    EXPECT_EQ(dial->typeCode, 22);
    EXPECT_EQ(dial->planeAngle1, 0.0);
    EXPECT_NEAR(dial->planeAngle2, 90.0 * kRad, 1e-12);

    // The style's declination is stored east positive: 10 degrees west is -10.
    v.choice = kAnalemmaticInclinedStyle;
    v.styleDeclination = 10.0;
    v.styleSide = kSideWest;
    v.styleInclination = 25.0;
    dial = BuildAnalemmaticDial(v);
    auto& inclined = static_cast<CCadranAnalemmatique&>(*dial);
    EXPECT_EQ(inclined.typeCode, 21);
    EXPECT_NEAR(inclined.styleAngle1, 25.0 * kRad, 1e-12);
    EXPECT_NEAR(inclined.styleAngle2, -10.0 * kRad, 1e-12);

    v.choice = kAnalemmaticVerticalDeclining;
    v.wallDegrees = 20;
    v.wallMinutes = 30;
    v.wallSide = kSideEast;
    dial = BuildAnalemmaticDial(v);
    EXPECT_EQ(dial->typeCode, 22);
    EXPECT_NEAR(dial->planeAngle1, -20.5 * kRad, 1e-12);
    v.wallSide = kSideWest;
    EXPECT_NEAR(BuildAnalemmaticDial(v)->planeAngle1, 20.5 * kRad, 1e-12);

    v.choice = 7;
    EXPECT_EQ(BuildAnalemmaticDial(v), nullptr);
}

TEST(CylindricalChoices, OnlyTheDrawableCylindersAreBuilt)
{
    auto dial = BuildCylindricalDial(kCylinderArmillary, -kBesancon);
    ASSERT_TRUE(Is<CCadranCylindrique>(dial.get()));
    EXPECT_EQ(dial->typeCode, 30);
    EXPECT_NEAR(dial->planeAngle2, kBesancon * kRad, 1e-12);

    dial = BuildCylindricalDial(kCylinderPolarHalf, kBesancon);
    ASSERT_TRUE(Is<CCadranCylindrique>(dial.get()));
    EXPECT_EQ(dial->typeCode, 31);

    dial = BuildCylindricalDial(kCylinderShepherd, kBesancon);
    ASSERT_TRUE(Is<CCadranCylindriqueDeBerger>(dial.get()));
    EXPECT_EQ(dial->typeCode, 33);

    // The vertical convex cylinder would come out as an armillary ring; the eyelet
    // cylinder has no drawing at all.
    for (int choice : {int{kCylinderVerticalDeclining}, int{kCylinderInnerEyelet}, -1, 5}) {
        EXPECT_FALSE(CylindricalChoiceAvailable(choice)) << choice;
        EXPECT_EQ(BuildCylindricalDial(choice, kBesancon), nullptr) << choice;
    }
}

TEST(BifilarChoices, OnlyTheDrawableBifilarDialIsBuiltWithItsWires)
{
    BifilarChoiceValues v;
    v.northSouthHeight = 35;
    v.eastWestHeight = 70;
    auto dial = BuildBifilarDial(v, kBesancon);
    ASSERT_TRUE(Is<CCadranBifilaire>(dial.get()));
    auto& bifilar = static_cast<CCadranBifilaire&>(*dial);
    EXPECT_EQ(bifilar.typeCode, 40);
    EXPECT_EQ(bifilar.planeAngle1, 0.0);
    EXPECT_EQ(bifilar.planeAngle2, 0.0);
    EXPECT_EQ(bifilar.firstWireDistance, 35);
    EXPECT_EQ(bifilar.secondWireDistance, 70);

    // The vertical declining dial and the one with wires at any angle have no drawing: built,
    // they would be dials without a single line.
    for (int choice : {int{kBifilarVerticalDeclining}, int{kBifilarAnyAngle}, -1, 3}) {
        v.choice = choice;
        EXPECT_FALSE(BifilarChoiceAvailable(choice)) << choice;
        EXPECT_EQ(BuildBifilarDial(v, kBesancon), nullptr) << choice;
    }
}

TEST(DialPlacement, TheYearAndSiteAreSetAndCylindersMeasureTheirSheet)
{
    SetAstroYear(2031);
    CCadranHorizontal plane;
    PlaceDial(plane, -33.925, -18.4167, 2.0);
    EXPECT_EQ(plane.referenceYear, 2031);
    EXPECT_DOUBLE_EQ(plane.latitude, -33.925);
    EXPECT_NEAR(plane.latitudeRad, -33.925 * kRad, 1e-15);
    EXPECT_DOUBLE_EQ(plane.longitude, -18.4167);

    auto cylinder = BuildCylindricalDial(kCylinderArmillary, kBesancon);
    PlaceDial(*cylinder, kBesancon, -6.0, 1.0);
    // round(pi x 100) + 40 by round(tan 25 degrees x 200) + 40.
    EXPECT_EQ(cylinder->width, 354);
    EXPECT_EQ(cylinder->height, 133);
}
