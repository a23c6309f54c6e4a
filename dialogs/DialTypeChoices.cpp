#include "dialogs/DialTypeChoices.h"

#include "app/Formatting.h"
#include "model/Astronomy.h"
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

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

}  // namespace

// --- angles ----------------------------------------------------------------------------

double SignedDegMinToDegrees(int degrees, int minutes)
{
    const double magnitude = std::abs(static_cast<double>(degrees)) + minutes / 60.0;
    return degrees < 0 ? -magnitude : magnitude;
}

void SplitSignedDegrees(double angle, int& degrees, int& minutes)
{
    DegreesToDegMin(std::abs(angle), degrees, minutes);
    if (angle < 0)
        degrees = -degrees;
}

// --- plane dials with a polar style ------------------------------------------------------

bool PlaneDeclinationEnabled(const PlaneDialChoice& choice)
{
    return (choice.plane == kPlaneVertical && choice.vertical == kVerticalDeclining) ||
           choice.plane == kPlaneInclinedDeclining;
}

bool PlaneInclinationEnabled(const PlaneDialChoice& choice) { return choice.plane == kPlaneInclinedDeclining; }

void ApplyPlanePreset(PlaneDialChoice& choice, double latitudeDeg)
{
    const double l = std::abs(latitudeDeg);
    auto setDeclination = [&](int degrees) {
        choice.declinationDegrees = degrees;
        choice.declinationMinutes = 0;
    };
    auto setInclination = [&](double angle) {
        SplitSignedDegrees(angle, choice.inclinationDegrees, choice.inclinationMinutes);
    };
    switch (choice.plane) {
    case kPlaneHorizontal:
        setDeclination(0);
        setInclination(0.0);
        break;
    case kPlaneVertical:
        switch (choice.vertical) {
        case kVerticalWest:
            setDeclination(90);
            choice.side = kSideWest;
            break;
        case kVerticalEast:
            setDeclination(90);
            choice.side = kSideEast;
            break;
        case kVerticalDeclining:
            setDeclination(45);
            break;
        default:
            setDeclination(0);
            break;
        }
        setInclination(90.0);
        break;
    case kPlanePolar:
        setDeclination(0);
        setInclination(l);
        break;
    case kPlaneEquatorialUpper:
        setDeclination(0);
        setInclination(l - 90.0);
        break;
    case kPlaneEquatorialLower:
        setDeclination(0);
        setInclination(l + 90.0);
        break;
    default:
        break;
    }
}

void NormaliseDeclination(PlaneDialChoice& choice)
{
    choice.declinationMinutes = std::clamp(choice.declinationMinutes, 0, 59);
    if (choice.declinationDegrees < 0) {
        // Saturating: the most negative int has no positive counterpart.
        choice.declinationDegrees = choice.declinationDegrees == std::numeric_limits<int>::min()
                                        ? std::numeric_limits<int>::max()
                                        : -choice.declinationDegrees;
        choice.side = choice.side == kSideWest ? kSideEast : kSideWest;
    }
    if (choice.declinationDegrees > 180 || (choice.declinationDegrees == 180 && choice.declinationMinutes > 0)) {
        choice.declinationDegrees = 180;
        choice.declinationMinutes = 0;
    }
}

void NormaliseInclination(PlaneDialChoice& choice)
{
    choice.inclinationMinutes = std::clamp(choice.inclinationMinutes, 0, 59);
}

double PlaneDeclinationDegrees(const PlaneDialChoice& choice)
{
    const double d = SignedDegMinToDegrees(choice.declinationDegrees, choice.declinationMinutes);
    return choice.side == kSideEast ? -d : d;
}

double PlaneInclinationDegrees(const PlaneDialChoice& choice)
{
    return SignedDegMinToDegrees(choice.inclinationDegrees, choice.inclinationMinutes);
}

std::unique_ptr<CCadran> BuildPlaneDial(const PlaneDialChoice& choice, double latitudeDeg)
{
    const double d = PlaneDeclinationDegrees(choice);
    const double l = std::abs(latitudeDeg);
    std::unique_ptr<CCadran> dial;
    switch (choice.plane) {
    case kPlaneHorizontal:
        dial = std::make_unique<CCadranHorizontal>();
        break;
    case kPlaneVertical:
        if (d == 0.0)
            dial = std::make_unique<CCadranMeridional>();
        else if (d == 90.0)
            dial = std::make_unique<CCadranOccidental>();
        else if (d == -90.0)
            dial = std::make_unique<CCadranOriental>();
        else if (d > -90.0 && d < 90.0)
            dial = std::make_unique<CCadranVerticalQcq>(d * kDegToRad);
        else
            dial = std::make_unique<CCadranVerticalQcqSept>(d * kDegToRad);
        break;
    case kPlanePolar:
        dial = std::make_unique<CCadranPolaire>();
        dial->SetTypeAndPlane(11, 0.0, l);
        break;
    case kPlaneEquatorialUpper:
        dial = std::make_unique<CCadranEquatorial>(1, 8, 50, 75);
        dial->SetTypeAndPlane(8, 0.0, l - 90.0);
        break;
    case kPlaneEquatorialLower:
        dial = std::make_unique<CCadranEquatorial>(0, 9, 50, 25);
        dial->SetTypeAndPlane(9, 0.0, l + 90.0);
        break;
    case kPlaneInclinedDeclining:
        dial = std::make_unique<CCadranPlanQuelconque>(d * kDegToRad, PlaneInclinationDegrees(choice) * kDegToRad);
        break;
    default:
        return nullptr;
    }
    if (choice.noonMark) {
        dial->firstHour = 11;
        dial->lastHour = 13;
    }
    return dial;
}

// --- analemmatic dials -------------------------------------------------------------------

bool AnalemmaticStyleEnabled(const AnalemmaticChoiceValues& values)
{
    return values.choice == kAnalemmaticInclinedStyle;
}

bool AnalemmaticWallEnabled(const AnalemmaticChoiceValues& values)
{
    return values.choice == kAnalemmaticVerticalDeclining;
}

std::unique_ptr<CCadran> BuildAnalemmaticDial(const AnalemmaticChoiceValues& values)
{
    auto dial = std::make_unique<CCadranAnalemmatique>();
    switch (values.choice) {
    case kAnalemmaticHorizontal:
        dial->typeCode = 20;
        break;
    case kAnalemmaticVertical:
        dial->SetTypeAndPlane(22, 0.0, 90.0);
        break;
    case kAnalemmaticInclinedStyle: {
        dial->typeCode = 21;
        dial->styleAngle1 = values.styleInclination * kDegToRad;
        const double declination = values.styleSide == kSideWest ? -values.styleDeclination : values.styleDeclination;
        dial->styleAngle2 = declination * kDegToRad;
        break;
    }
    case kAnalemmaticVerticalDeclining: {
        const double wall = SignedDegMinToDegrees(values.wallDegrees, values.wallMinutes);
        dial->SetTypeAndPlane(22, values.wallSide == kSideWest ? wall : -wall, 90.0);
        break;
    }
    default:
        return nullptr;
    }
    return dial;
}

// --- cylindrical dials -------------------------------------------------------------------

bool CylindricalChoiceAvailable(int choice)
{
    return choice == kCylinderArmillary || choice == kCylinderPolarHalf || choice == kCylinderShepherd;
}

std::unique_ptr<CCadran> BuildCylindricalDial(int choice, double latitudeDeg)
{
    const double l = std::abs(latitudeDeg);
    std::unique_ptr<CCadranCylindrique> dial;
    switch (choice) {
    case kCylinderArmillary:
        dial = std::make_unique<CCadranCylindrique>();
        dial->SetTypeAndPlane(30, 0.0, l);
        break;
    case kCylinderPolarHalf:
        dial = std::make_unique<CCadranCylindrique>();
        dial->SetTypeAndPlane(31, 0.0, l);
        break;
    case kCylinderShepherd:
        dial = std::make_unique<CCadranCylindriqueDeBerger>();
        break;
    default:
        return nullptr;
    }
    return dial;
}

// --- bifilar dials -----------------------------------------------------------------------

bool BifilarChoiceAvailable(int choice) { return choice == kBifilarHorizontal; }

std::unique_ptr<CCadran> BuildBifilarDial(const BifilarChoiceValues& values, double latitudeDeg)
{
    if (!BifilarChoiceAvailable(values.choice))
        return nullptr;
    auto dial = std::make_unique<CCadranBifilaire>();
    dial->SetTypeAndPlane(40, 0.0, std::abs(latitudeDeg));
    dial->planeAngle1 = 0.0;
    dial->planeAngle2 = 0.0;
    dial->firstWireDistance = values.northSouthHeight;
    dial->secondWireDistance = values.eastWestHeight;
    return dial;
}

// --- every family ------------------------------------------------------------------------

void PlaceDial(CCadran& dial, double latitudeDeg, double longitudeDeg, double zoneHours)
{
    dial.SetYear(GetAstroYear());
    dial.SetSite(latitudeDeg, longitudeDeg, zoneHours);
    if (auto* cylinder = dynamic_cast<CCadranCylindrique*>(&dial))
        cylinder->ComputeSheetSize();
}
