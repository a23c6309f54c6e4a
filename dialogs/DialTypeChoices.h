#pragma once
// What the creation wizard's family pages choose, as plain values, and the dials those
// choices build. The pages only collect the values and show them; the angle arithmetic,
// the presets and the choice of the dial class live here.
//
// Angles are entered as whole degrees and minutes. A declination has a side radio
// (0 "Est", 1 "Ouest") and is stored west positive; an inclination carries its own sign on
// the degrees. Built dials take their plane angles in radians.
#include <memory>

class CCadran;

// --- angles ----------------------------------------------------------------------------

// sign(degrees) x (|degrees| + minutes / 60): -20 degrees 30 minutes is -20.5.
double SignedDegMinToDegrees(int degrees, int minutes);
// The inverse for a preset: |angle| split into whole degrees and rounded minutes (59.99
// minutes carry into the degrees, never 60), the sign put on the degrees.
void SplitSignedDegrees(double angle, int& degrees, int& minutes);

// --- plane dials with a polar style ------------------------------------------------------

enum PlaneChoice : int {
    kPlaneHorizontal = 0,
    kPlaneVertical = 1,
    kPlanePolar = 2,
    kPlaneEquatorialUpper = 3,
    kPlaneEquatorialLower = 4,
    kPlaneInclinedDeclining = 5,
};
enum VerticalChoice : int { kVerticalSouth = 0, kVerticalWest = 1, kVerticalEast = 2, kVerticalDeclining = 3 };
enum DeclinationSide : int { kSideEast = 0, kSideWest = 1 };

struct PlaneDialChoice {
    int plane = kPlaneHorizontal;
    int declinationDegrees = 0;
    int declinationMinutes = 0;
    int side = kSideEast;
    int inclinationDegrees = 90;
    int inclinationMinutes = 0;
    int noonMark = 0;
    int vertical = kVerticalSouth;
};

// The declination edits and side radios apply to a declining vertical wall and to an
// inclined-declining plane; the inclination edits to the latter only.
bool PlaneDeclinationEnabled(const PlaneDialChoice& choice);
bool PlaneInclinationEnabled(const PlaneDialChoice& choice);

// The angles that go with a plane (and vertical) choice at that latitude (degrees): a
// horizontal plane lies flat, a vertical one stands at 90 degrees facing its side, a polar
// plane is inclined by the latitude, the equatorial faces by the latitude -/+ 90 degrees.
// The inclined-declining plane keeps what was entered.
void ApplyPlanePreset(PlaneDialChoice& choice, double latitudeDeg);

// Brings typed declination fields into range: minutes within [0, 59], negative degrees made
// positive with the side flipped, and no more than 180 degrees in all.
void NormaliseDeclination(PlaneDialChoice& choice);
// Minutes within [0, 59]; the degrees keep their sign.
void NormaliseInclination(PlaneDialChoice& choice);

// Declination in degrees, west positive, and inclination in degrees, as entered.
double PlaneDeclinationDegrees(const PlaneDialChoice& choice);
double PlaneInclinationDegrees(const PlaneDialChoice& choice);

// The dial of the choice at that latitude (degrees): its class, type code and plane
// angles, and hours 11 to 13 for a noon mark. The site, year and tables are not set.
std::unique_ptr<CCadran> BuildPlaneDial(const PlaneDialChoice& choice, double latitudeDeg);

// --- analemmatic dials -------------------------------------------------------------------

enum AnalemmaticChoice : int {
    kAnalemmaticHorizontal = 0,
    kAnalemmaticVertical = 1,
    kAnalemmaticInclinedStyle = 2,
    kAnalemmaticVerticalDeclining = 3,
};

// The style of an inclined-style dial leans by less than this from the vertical (degrees):
// at 90 degrees it would lie on the dial and its date scale would run to infinity.
inline constexpr double kMaxStyleInclination = 89.0;

struct AnalemmaticChoiceValues {
    int choice = kAnalemmaticHorizontal;
    double styleDeclination = 0.0;  // degrees, side given by styleSide
    double styleInclination = 0.0;  // degrees from the vertical
    int styleSide = kSideEast;
    int wallSide = kSideEast;
    int wallDegrees = 0;
    int wallMinutes = 0;
};

bool AnalemmaticStyleEnabled(const AnalemmaticChoiceValues& values);
bool AnalemmaticWallEnabled(const AnalemmaticChoiceValues& values);
// Null for an unknown choice.
std::unique_ptr<CCadran> BuildAnalemmaticDial(const AnalemmaticChoiceValues& values);

// --- cylindrical dials -------------------------------------------------------------------

enum CylindricalChoice : int {
    kCylinderArmillary = 0,
    kCylinderPolarHalf = 1,
    kCylinderVerticalDeclining = 2,
    kCylinderShepherd = 3,
    kCylinderInnerEyelet = 4,
};

// The vertical convex cylinder and the inner cylinder with an eyelet have no geometry to
// draw: their choices are offered but cannot be taken.
bool CylindricalChoiceAvailable(int choice);
// Null for a choice that builds no dial. The sheet size is computed.
std::unique_ptr<CCadran> BuildCylindricalDial(int choice, double latitudeDeg);

// --- bifilar dials -----------------------------------------------------------------------

enum BifilarChoice : int { kBifilarHorizontal = 0, kBifilarVerticalDeclining = 1, kBifilarAnyAngle = 2 };

// Wire heights above the dial table, millimetres.
inline constexpr int kMinWireHeight = 1;
inline constexpr int kMaxWireHeight = 10000;

struct BifilarChoiceValues {
    int choice = kBifilarHorizontal;
    int northSouthHeight = 10;
    int eastWestHeight = 20;
    int declinationDegrees = 0;
    int declinationMinutes = 0;
    int side = kSideEast;
};

// Only the horizontal dial with equiangular wires has a drawing: the vertical declining one
// and the one with wires at any angle are offered but cannot be taken.
bool BifilarChoiceAvailable(int choice);
// Type 40 with its plane and the two wire heights; null for a choice that builds no dial.
std::unique_ptr<CCadran> BuildBifilarDial(const BifilarChoiceValues& values, double latitudeDeg);

// --- every family ------------------------------------------------------------------------

// Puts a new dial at its place and time: the astronomy module's year and the site
// (degrees, longitude west positive, zone in hours east of Greenwich).
void PlaceDial(CCadran& dial, double latitudeDeg, double longitudeDeg, double zoneHours);
