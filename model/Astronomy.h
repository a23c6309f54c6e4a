#pragma once
// Solar astronomy and the calendar: low-precision formulas for the sun (Meeus, Astronomical
// Algorithms, 2nd ed., chapters 7, 12, 13, 22, 25, 28), good to about 0.01 degree in position
// and a few seconds in the equation of time between 1950 and 2100.
//
// Conventions: radians inside and at every interface unless a function says degrees;
// latitude positive north; longitude positive WEST (east negative); azimuth counted from the
// side of the equator (south in the northern hemisphere, north in the southern), positive
// towards the west; hour angle positive in the afternoon; the equation of time is mean solar
// time minus true (sundial) time, in seconds of time.
//
// The module keeps one state for the whole program (year, date, orbital elements, site):
// callers set the year, date and site before asking for positions. Single-threaded.
#include "model/Rounding.h"

// ---------------------------------------------------------------- calendar

// Day count of a Gregorian date (1 January 2000 gives 730485); JD at 0 h UT = N + 1721059.5.
int DayNumber(int day, int month, int year);
bool IsLeapYear(int year);
// The year itself when leap, else the nearest earlier leap year.
int PreviousLeapYear(int year);
// Days in a month; monthIndex is 0-based (1 = February).
int DaysInMonth(int monthIndex, int year);
// Day of the year (1..366) of a date of the current year.
int DayOfYear(int day, int month);
// Date of a day of the current year. Returns false (day and month set to 0) when dayOfYear is
// not in 1..365, or 1..366 in a leap year.
bool DayOfYearToDate(int dayOfYear, int& day, int& month);
void SetAstroYear(int year);
int GetAstroYear();

// ---------------------------------------------------------------- date and orbital elements

// Sets the date and the instant hoursUT of that date. The sun's elements are taken at that
// instant; the sidereal time at 0 h UT of the date.
void SetAstroDate(int day, int month, int year, double hoursUT);
// Eccentricity, mean obliquity and perihelion for the instant set (Meeus 25.4, 22.2).
void UpdateOrbitElements();
// SetAstroDate at hour:minute:second UT, then UpdateOrbitElements.
void SetAstroDateTime(int day, int month, int year, int hour, int minute, double second);
// Mean obliquity of the ecliptic of the last UpdateOrbitElements, radians.
double GetObliquity();

// ---------------------------------------------------------------- sun

// Geometric mean longitude L0 of the sun at the instant set, radians in [0, 2 pi] (Meeus 25.2).
double SunMeanLongitude();
// Mean anomaly M of the sun at the instant set, radians in [0, 2 pi] (Meeus 25.3).
double SunMeanAnomaly();
// Equation of the centre C at the instant set, radians (Meeus ch. 25), about 0.01 degree.
double SunEquationOfCentre();
// Declination of the sun at 12 h UT of the date, radians (no aberration, no nutation).
// Leaves that date set.
double SunDeclination(int day, int month, int year);
// Declination in degrees of the point of the ecliptic at k x 30 degrees (byTens false: the
// start of sign k) or k x 10 degrees (byTens true), with the current obliquity.
double DeclinationOfLongitude(int k, bool byTens);
// Apparent right ascension (-pi, pi] and declination of the sun at 12 h UT of day/month of
// the current year, radians, with aberration and nutation in longitude (Meeus 25.8, mean
// obliquity). Leaves that date set. About 0.01 degree.
void ApparentSunPosition(int day, int month, double& rightAscension, double& declination);
// Geometric right ascension (-pi, pi] and declination of the sun at the instant set, radians.
void GetSunEquatorial(double& rightAscension, double& declination);
// Apparent right ascension (-pi, pi] and declination of the sun at the instant set, radians:
// aberration and nutation in longitude, obliquity corrected for nutation (Meeus 25.8, 25.9).
// About 0.01 degree.
void GetApparentSunEquatorial(double& rightAscension, double& declination);
// Nutation in longitude at the instant set, arcseconds (Meeus ch. 22, about 0.5").
double NutationInLongitude();

// ---------------------------------------------------------------- sidereal time

// Mean sidereal time at Greenwich at 0 h UT of the date set (Meeus 12.3, 12.4):
// degrees in [0, 360] when inDegrees, else seconds of time in [0, 86400].
double MeanSiderealTime(bool inDegrees);
// Apparent minus mean sidereal time, seconds of time: the nutation in longitude at the instant
// set projected on the equator with the current obliquity (Meeus ch. 12).
double EquationOfTheEquinoxes();
// Apparent sidereal time at Greenwich at 0 h UT of the date set, seconds of time: the mean
// time plus the equation of the equinoxes (nutation at the instant set, current obliquity).
double ApparentSiderealTime();
// Sidereal seconds elapsed in a span of hour:minute:second of mean solar time.
double HmsToSiderealSeconds(double hour, double minute, double second);

// ---------------------------------------------------------------- equation of time

// Equation of time, mean minus true solar time, seconds (Meeus 28.3, within a few seconds).
// With day and month > 0 it sets 12 h UT of that day of the current year first; otherwise it
// uses the instant already set and the elements of the last UpdateOrbitElements.
double EquationOfTime(int day = 0, int month = 0);
// Mean over the years firstYear..lastYear (either order) of EquationOfTime at 12 h UT of
// day/month, seconds: what an engraved table read to the minute needs over a leap cycle.
// Leaves the date of the last year processed set.
double MeanEquationOfTime(int day, int month, int firstYear, int lastYear);

// ---------------------------------------------------------------- site

// Latitude (degrees, north positive), longitude (degrees, WEST positive) and time zone (hours,
// east positive). Derives the longitude correction (longitude + 15 zone, brought into
// [-7.5, 7.5] degrees by whole zone steps of 15 degrees) in hours.
void SetAstroSite(double latitudeDeg, double longitudeDeg, double zoneHours);
double GetLongitudeCorrection();
int GetZoneSteps();
double GetTimeZone();
// What to add to local solar time (after the equation of time) to get the zone's time, in
// hours: the longitude correction and its whole zone steps. Positive west of the zone's
// meridian: 35 min 52 s at 6° 02' E in the zone UT + 1 h.
double GetLongitudeOffset();

// ---------------------------------------------------------------- transforms

// Hour angle and declination to azimuth (from the equator side, positive west) and altitude,
// at the latitude set; radians. At a pole the azimuth is the hour angle and the altitude the
// declination (negated at the south pole).
void EquatorialToHorizontal(double hourAngle, double declination, double& azimuth, double& altitude);
// The same for a sun whose sines and cosines of hour angle and declination are at hand: they
// must be those std::sin and std::cos give of the two angles.
void EquatorialToHorizontal(double hourAngle, double sinHourAngle, double cosHourAngle, double declination,
                            double sinDeclination, double cosDeclination, double& azimuth, double& altitude);
// The same sun as a vector of the horizontal frame at the latitude set, from the sines and
// cosines of its hour angle and declination: x = cos(alt) sin(Az), y = cos(alt) cos(Az),
// z = sin(alt) (azimuth as above). EquatorialToHorizontal takes atan2(x, y) and asin(z) of
// these very products, except at a pole and within 0.000001 of the zenith or the nadir.
struct HorizontalVector {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
// True when the latitude set is within 0.00001 rad of a pole, where EquatorialToHorizontal
// takes the hour angle for the azimuth.
bool SiteAtPole();
HorizontalVector EquatorialToHorizontalVector(double sinHourAngle, double cosHourAngle, double sinDeclination,
                                              double cosDeclination);
// The latitude's part of that vector, taken once for a run of suns at one site.
struct SiteFrame {
    double cosLatitude = 1.0;
    double sinAbsLatitude = 0.0;
    double signedSinLatitude = 0.0;
    double poleSideCos = 1.0;  // cosLatitude, negated in the south
};
SiteFrame CurrentSiteFrame();
inline HorizontalVector EquatorialToHorizontalVector(const SiteFrame& site, double sinHourAngle, double cosHourAngle,
                                                     double sinDeclination, double cosDeclination)
{
    // y = v - u: u is the part of the sun's direction along the pole's side, v the part of its
    // hour circle towards the equator's side (mirrored in the south).
    const double u = site.poleSideCos * sinDeclination;
    const double v = site.sinAbsLatitude * cosHourAngle * cosDeclination;
    return {sinHourAngle * cosDeclination, v - u,
            site.cosLatitude * cosHourAngle * cosDeclination + site.signedSinLatitude * sinDeclination};
}
// Azimuth and altitude to hour angle and declination at the latitude set; radians.
// In the southern hemisphere this returns the hemisphere-relative pair (-H, -declination):
// it is the inverse of EquatorialToHorizontal only up to that sign. The dial projections rely
// on it, and negate the declination themselves where they need the true one.
void HorizontalToEquatorial(double azimuth, double altitude, double& hourAngle, double& declination);
// Ecliptic longitude and latitude to right ascension (-pi, pi] and declination, with the
// current mean obliquity; radians.
void EclipticToEquatorial(double longitude, double latitude, double& rightAscension, double& declination);

// ---------------------------------------------------------------- rise, transit and set

enum class SunHorizon {
    RisesAndSets,  // rise, transit and set are all meaningful
    AlwaysAbove,   // polar day: the sun never sets that day (rise and set are not times)
    AlwaysBelow,   // polar night: the sun never rises that day
};

// What RiseTransitSet finds for one UT day.
struct RiseTransitSetResult {
    SunHorizon state = SunHorizon::RisesAndSets;
    // Whether riseHoursUT is a rising and setHoursUT a setting; when one is not, it is the
    // transit in a polar night, the lower transit in a polar day.
    bool riseIsEvent = true;
    bool setIsEvent = true;
    double riseHoursUT = 0.0;     // [0, 24)
    double transitHoursUT = 0.0;  // [0, 24)
    double setHoursUT = 0.0;      // [0, 24)
    double riseAzimuthDeg = 0.0;  // the rising (or setting) point, from the equator side of the meridian
    double culminationAltitudeDeg = 0.0;  // at the transit
};

// Rise, transit and set of the sun, hours UT in [0, 24), for the date and site set: the first
// rising and the first setting of that UT day (when an event steps over midnight and none falls
// on it, the one of the day's transit). rightAscension/declination (radians) give the first
// estimate of the transit; every event is then found with the sun's own position at that
// instant, with h0 = -0.8333 degree: within a few seconds up to 60 degrees of latitude, under
// a minute beyond, except where the sun only grazes the horizon. The state comes from the
// altitudes at the day's upper and lower culminations: polar day when the lower one stays
// above h0, polar night when the upper one stays below, unless the sun crosses h0 between
// midnight and the nearest culmination (where a polar day or night begins or ends): the state
// is then RisesAndSets, though the day may hold only its rising or only its setting.
RiseTransitSetResult RiseTransitSet(double rightAscension, double declination);

// ---------------------------------------------------------------- utilities

// Brings x into [-360, 360] by whole turns; with positive, a negative result gains one turn.
double NormalizeDegrees(double x, bool positive);
// |a - b| < 1e-6.
bool NearlyEqual(double a, double b);

// Puts the module back in its start state: zero date, year and site, and the orbital elements
// of J2000.0 (so the obliquity is never zero). The program starts in that state.
void ResetAstroState();
