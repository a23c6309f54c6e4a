#include "model/Astronomy.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = kPi / 2.0;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;
// Altitude of the sun's centre at rising and setting: 34' of refraction and 16' of radius.
constexpr double kRiseAltitude = -0.014543828656868747;

struct AstroState {
    int year = 0;
    double dayNumberWithFraction = 0.0;
    double julianDay0h = 0.0;
    double centuries0h = 0.0;       // T of 0 h UT of the date: sidereal time
    double centuriesInstant = 0.0;  // T of the instant set: the sun and its elements
    double eccentricity = 0.0;
    double obliquity = 0.0;
    double cosObliquity = 0.0;
    double sinObliquity = 0.0;
    double perihelion = 0.0;
    double latitude = 0.0;
    double cosLatitude = 0.0;
    double sinAbsLatitude = 0.0;
    double longitudeDeg = 0.0;
    double zoneHours = 0.0;
    int zoneSteps = 0;
    double longitudeCorrection = 0.0;
};

double Clamp1(double x)
{
    return std::clamp(x, -1.0, 1.0);
}

// An angle from its sine and its cosine (both in [-1, 1]): acos gives the size, the sign of
// asin the side. Result in [-pi, pi].
double QuadrantAngle(double asinValue, double cosine)
{
    const double b = std::acos(Clamp1(cosine));
    if (asinValue >= 0.0)
        return b;
    return b <= kHalfPi ? asinValue : -b;
}

void EclipticToEquatorialWith(double sinObliquity, double cosObliquity, double longitude, double latitude,
                              double& rightAscension, double& declination)
{
    const double sinLon = std::sin(longitude);
    const double cosLon = std::cos(longitude);
    const double sinLat = std::sin(latitude);
    const double cosLat = std::cos(latitude);

    declination = std::asin(Clamp1(sinObliquity * sinLon * cosLat + cosObliquity * sinLat));
    const double cosDec = std::cos(declination);
    const double cosRa = Clamp1(cosLat * cosLon / cosDec);
    const double sinRa = Clamp1((cosLat * sinLon * cosObliquity - sinLat * sinObliquity) / cosDec);
    rightAscension = QuadrantAngle(std::asin(sinRa), cosRa);
    if (rightAscension <= -kPi)
        rightAscension = kPi;
}

// Takes whole periods off until x <= period, then adds them until x >= 0: result in
// [0, period]. Same result as the subtraction loops, without looping on large or infinite x.
double WrapClosed(double x, double period)
{
    if (x > period) {
        x = std::fmod(x, period);
        if (x == 0.0)
            x = period;
    }
    if (x < 0.0) {
        x = std::fmod(x, period);
        if (x < 0.0)
            x += period;
    }
    return x;
}

// Result in [0, period).
double WrapHalfOpen(double x, double period)
{
    x = std::fmod(x, period);
    if (x < 0.0)
        x += period;
    if (x >= period)
        x = 0.0;
    return x;
}

double ObliquityAt(double t)
{
    return (23.433333333333334 + (21.448 - 46.815 * t - 0.00059 * t * t) / 3600.0) * kDegToRad;
}

double MeanLongitudeAt(double t)
{
    return NormalizeDegrees(280.46646 + 36000.76983 * t + 0.0003032 * t * t, true) * kDegToRad;
}

double MeanAnomalyAt(double t)
{
    return NormalizeDegrees(357.52911 + 35999.05029 * t - 0.0001537 * t * t, true) * kDegToRad;
}

double CentreAt(double t)
{
    const double m = MeanAnomalyAt(t);
    const double c = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                     (0.019993 - 0.000101 * t) * std::sin(2.0 * m) + 0.000289 * std::sin(3.0 * m);
    return NormalizeDegrees(c, false) * kDegToRad;
}

// Longitude of the moon's ascending node, to the precision of Meeus 25.8 and 25.9 (Omega).
double NodeLongitudeAt(double t)
{
    return NormalizeDegrees(125.04 - 1934.136 * t, true) * kDegToRad;
}

// True longitude less the aberration, plus the main term of the nutation (Meeus 25.8).
double ApparentLongitudeAt(double t)
{
    const double omega = NodeLongitudeAt(t);
    return MeanLongitudeAt(t) + CentreAt(t) - (0.00569 + 0.00478 * std::sin(omega)) * kDegToRad;
}

void ComputeOrbitElements(AstroState& s)
{
    const double t = s.centuriesInstant;
    s.eccentricity = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t;
    s.obliquity = ObliquityAt(t);
    s.cosObliquity = std::cos(s.obliquity);
    s.sinObliquity = std::sin(s.obliquity);
    s.perihelion = NormalizeDegrees(102.937348 + 1.7195366 * t + 0.00045688 * t * t, false) * kDegToRad;
}

// Everything zero, except that the orbital elements are those of T = 0 (J2000.0): a caller
// that has not set a date yet still gets the real tilt of the ecliptic, not zero.
AstroState StartState()
{
    AstroState s;
    ComputeOrbitElements(s);
    return s;
}

AstroState& State()
{
    static AstroState state = StartState();
    return state;
}

int SaturateToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

// ---------------------------------------------------------------- calendar

int DayNumber(int day, int month, int year)
{
    const long long y = month <= 2 ? static_cast<long long>(year) - 1 : year;
    long long n = y / 4 + 31LL * month + day + 365LL * year + y / 400 - y / 100 - 31;
    if (month > 2)
        n -= static_cast<long long>(0.4 * (month - 1) + 2.7);
    return SaturateToInt(n);
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int PreviousLeapYear(int year)
{
    while (!IsLeapYear(year) && year > INT_MIN)
        --year;
    return year;
}

int DaysInMonth(int monthIndex, int year)
{
    switch (monthIndex) {
    case 1:
        return IsLeapYear(year) ? 29 : 28;
    case 3:
    case 5:
    case 8:
    case 10:
        return 30;
    default:
        return 31;
    }
}

int DayOfYear(int day, int month)
{
    const long long y = State().year;
    const long long n = DayNumber(day, month, State().year);
    return SaturateToInt(n + (y - 1) / 100 - (y - 1) / 400 - (y - 1) / 4 - 365 * y);
}

bool DayOfYearToDate(int dayOfYear, int& day, int& month)
{
    const int year = State().year;
    const int daysInYear = IsLeapYear(year) ? 366 : 365;
    if (dayOfYear < 1 || dayOfYear > daysInYear) {
        day = 0;
        month = 0;
        return false;
    }
    month = 1;
    int total = 31;
    while (total < dayOfYear) {
        total += DaysInMonth(month, year);
        ++month;
    }
    day = DaysInMonth(month - 1, year) + dayOfYear - total;
    return true;
}

void SetAstroYear(int year)
{
    State().year = year;
}

int GetAstroYear()
{
    return State().year;
}

// ---------------------------------------------------------------- date and orbital elements

void SetAstroDate(int day, int month, int year, double hoursUT)
{
    AstroState& s = State();
    const double n = DayNumber(day, month, year);
    s.dayNumberWithFraction = n + hoursUT / 24.0;
    s.julianDay0h = n + 1721059.5;
    s.centuries0h = (s.julianDay0h - 2451545.0) / 36525.0;
    s.centuriesInstant = (s.julianDay0h + hoursUT / 24.0 - 2451545.0) / 36525.0;
}

void UpdateOrbitElements()
{
    ComputeOrbitElements(State());
}

void SetAstroDateTime(int day, int month, int year, int hour, int minute, double second)
{
    SetAstroDate(day, month, year, hour + (minute + second / 60.0) / 60.0);
    UpdateOrbitElements();
}

double GetObliquity()
{
    return State().obliquity;
}

// ---------------------------------------------------------------- sun

double SunMeanLongitude()
{
    return MeanLongitudeAt(State().centuriesInstant);
}

double SunMeanAnomaly()
{
    return MeanAnomalyAt(State().centuriesInstant);
}

double SunEquationOfCentre()
{
    return CentreAt(State().centuriesInstant);
}

double SunDeclination(int day, int month, int year)
{
    SetAstroDate(day, month, year, 12.0);
    UpdateOrbitElements();
    const double trueLongitude = SunMeanLongitude() + SunEquationOfCentre();
    return std::asin(Clamp1(std::sin(trueLongitude) * State().sinObliquity));
}

double DeclinationOfLongitude(int k, bool byTens)
{
    const double longitude = k * (byTens ? 10.0 : 30.0) * kDegToRad;
    return std::asin(Clamp1(State().sinObliquity * std::sin(longitude))) * kRadToDeg;
}

void ApparentSunPosition(int day, int month, double& rightAscension, double& declination)
{
    SetAstroDate(day, month, State().year, 12.0);
    UpdateOrbitElements();
    EclipticToEquatorial(ApparentLongitudeAt(State().centuriesInstant), 0.0, rightAscension, declination);
}

void GetSunEquatorial(double& rightAscension, double& declination)
{
    EclipticToEquatorial(SunMeanLongitude() + SunEquationOfCentre(), 0.0, rightAscension, declination);
}

void GetApparentSunEquatorial(double& rightAscension, double& declination)
{
    const double t = State().centuriesInstant;
    const double obliquity = ObliquityAt(t) + 0.00256 * kDegToRad * std::cos(NodeLongitudeAt(t));
    EclipticToEquatorialWith(std::sin(obliquity), std::cos(obliquity), ApparentLongitudeAt(t), 0.0, rightAscension,
                             declination);
}

double NutationInLongitude()
{
    const double t = State().centuriesInstant;
    const double omega = (125.04452 - 1934.136261 * t + 0.0020708 * t * t) * kDegToRad;
    const double sunLongitude = SunMeanLongitude();
    const double moonLongitude = (218.3165 + 481267.8813 * t) * kDegToRad;
    return -17.2 * std::sin(omega) - 1.32 * std::sin(2.0 * sunLongitude) -
           0.23 * std::sin(2.0 * moonLongitude) + 0.21 * std::sin(2.0 * omega);
}

// ---------------------------------------------------------------- sidereal time

double MeanSiderealTime(bool inDegrees)
{
    const double t = State().centuries0h;
    if (inDegrees) {
        const double deg =
            100.46061837 + 36000.770053608 * t + 0.000387933 * t * t - t * t * t / 38710000.0;
        return WrapClosed(deg, 360.0);
    }
    const double seconds = 24110.54841 + 8640184.812866 * t + 0.093104 * t * t;
    return WrapClosed(seconds, 86400.0);
}

double EquationOfTheEquinoxes()
{
    return NutationInLongitude() * State().cosObliquity / 15.0;
}

double ApparentSiderealTime()
{
    return WrapHalfOpen(MeanSiderealTime(true) * 240.0 + EquationOfTheEquinoxes(), 86400.0);
}

double HmsToSiderealSeconds(double hour, double minute, double second)
{
    return (hour * 3600.0 + minute * 60.0 + second) * 1.00273790935;
}

// ---------------------------------------------------------------- equation of time

double EquationOfTime(int day, int month)
{
    if (day > 0 && month > 0) {
        SetAstroDate(day, month, State().year, 12.0);
        UpdateOrbitElements();
    }
    const AstroState& s = State();
    const double y = std::pow(std::tan(s.obliquity / 2.0), 2.0);
    const double e = s.eccentricity;
    const double m = SunMeanAnomaly();
    double l0 = SunMeanLongitude();
    if (l0 < 0.0)
        l0 += 2.0 * kPi;
    const double eRad = y * std::sin(2.0 * l0) - 2.0 * e * std::sin(m) +
                        4.0 * e * y * std::sin(m) * std::cos(2.0 * l0) -
                        0.5 * y * y * std::sin(4.0 * l0) - 1.25 * e * e * std::sin(2.0 * m);
    return eRad * (-kRadToDeg) * 240.0;
}

double MeanEquationOfTime(int day, int month, int firstYear, int lastYear)
{
    if (lastYear < firstYear)
        std::swap(firstYear, lastYear);
    double sum = 0.0;
    long long count = 0;
    for (long long year = firstYear; year <= lastYear; ++year) {
        SetAstroDate(day, month, static_cast<int>(year), 12.0);
        UpdateOrbitElements();
        sum += EquationOfTime();
        ++count;
    }
    return sum / static_cast<double>(count);
}

// ---------------------------------------------------------------- site

void SetAstroSite(double latitudeDeg, double longitudeDeg, double zoneHours)
{
    AstroState& s = State();
    s.latitude = latitudeDeg * kDegToRad;
    s.cosLatitude = std::cos(s.latitude);
    s.sinAbsLatitude = std::sin(std::fabs(s.latitude));
    s.longitudeDeg = longitudeDeg;
    s.zoneHours = zoneHours;

    double c = longitudeDeg + 15.0 * zoneHours;
    int steps = 0;
    if (std::isfinite(c)) {
        while (c > 7.5) {
            c -= 15.0;
            ++steps;
        }
        while (c < -7.5) {
            c += 15.0;
            --steps;
        }
    }
    s.zoneSteps = steps;
    s.longitudeCorrection = c / 15.0;
}

double GetLongitudeCorrection()
{
    return State().longitudeCorrection;
}

int GetZoneSteps()
{
    return State().zoneSteps;
}

double GetLongitudeOffset()
{
    return State().longitudeCorrection + State().zoneSteps;
}

double GetTimeZone()
{
    return State().zoneHours;
}

// ---------------------------------------------------------------- transforms

SiteFrame CurrentSiteFrame()
{
    const AstroState& s = State();
    const bool south = s.latitude < 0.0;
    return {s.cosLatitude, s.sinAbsLatitude, south ? -s.sinAbsLatitude : s.sinAbsLatitude,
            south ? -s.cosLatitude : s.cosLatitude};
}

HorizontalVector EquatorialToHorizontalVector(double sinHourAngle, double cosHourAngle, double sinDeclination,
                                              double cosDeclination)
{
    return EquatorialToHorizontalVector(CurrentSiteFrame(), sinHourAngle, cosHourAngle, sinDeclination,
                                        cosDeclination);
}

bool SiteAtPole()
{
    return std::fabs(std::fabs(State().latitude) - kHalfPi) < 0.00001;
}

void EquatorialToHorizontal(double hourAngle, double declination, double& azimuth, double& altitude)
{
    EquatorialToHorizontal(hourAngle, std::sin(hourAngle), std::cos(hourAngle), declination, std::sin(declination),
                           std::cos(declination), azimuth, altitude);
}

void EquatorialToHorizontal(double hourAngle, double sinH, double cosH, double declination, double sinDec,
                            double cosDec, double& azimuth, double& altitude)
{
    const AstroState& s = State();
    const double phi = s.latitude;
    if (SiteAtPole()) {
        // At a pole the horizon is the equator: every direction is the equator side.
        azimuth = hourAngle;
        altitude = phi < 0.0 ? -declination : declination;
        return;
    }
    const HorizontalVector sun = EquatorialToHorizontalVector(sinH, cosH, sinDec, cosDec);

    altitude = std::asin(Clamp1(sun.z));
    const double cosAlt = std::cos(altitude);
    if (std::fabs(cosAlt) > 0.000001) {
        // sin(A) cos(h) and cos(A) cos(h) together: exact on and next to the meridian too.
        azimuth = std::atan2(sun.x, sun.y);
        return;
    }
    // Sun at the zenith or the nadir: the azimuth is undefined, pick a stable one. u and v:
    // the two parts of cos(azimuth) x cos(altitude), seen from the equator side.
    const double u = phi < 0.0 ? -s.cosLatitude * sinDec : s.cosLatitude * sinDec;
    const double v = s.sinAbsLatitude * cosH * cosDec;
    if (std::fabs(declination) < 0.000001) {
        azimuth = hourAngle;
    } else if (std::fabs(u) >= 0.000001 || std::fabs(v) >= 0.000001) {
        const double num = sinH * cosDec;
        const double den = u - v;
        azimuth = den != 0.0 ? std::atan(num / den) : (num == 0.0 ? 0.0 : std::copysign(kHalfPi, num));
    } else {
        azimuth = 0.0;
    }
    if (std::fabs(hourAngle) <= 0.000001 &&
        ((phi >= 0.0 && phi <= declination) || (phi < 0.0 && declination <= phi)))
        azimuth += kPi;  // culminates on the polar side of the zenith
}

void HorizontalToEquatorial(double azimuth, double altitude, double& hourAngle, double& declination)
{
    const AstroState& s = State();
    if (s.latitude < 0.0)
        azimuth = -azimuth;
    const double sinAlt = std::sin(altitude);
    const double cosAlt = std::cos(altitude);
    const double sinAz = std::sin(azimuth);
    const double cosAz = std::cos(azimuth);

    declination = std::asin(Clamp1(sinAlt * s.sinAbsLatitude - cosAlt * s.cosLatitude * cosAz));
    const double cosDec = std::cos(declination);
    const double sinH = Clamp1(cosAlt * sinAz / cosDec);
    const double cosH = Clamp1((cosAlt * cosAz * s.sinAbsLatitude + sinAlt * s.cosLatitude) / cosDec);
    hourAngle = QuadrantAngle(std::asin(sinH), cosH);
}

void EclipticToEquatorial(double longitude, double latitude, double& rightAscension, double& declination)
{
    EclipticToEquatorialWith(State().sinObliquity, State().cosObliquity, longitude, latitude, rightAscension,
                             declination);
}


// ---------------------------------------------------------------- rise, transit and set

namespace {

// Hour angle in degrees, in [-180, 180), of the sun at the fraction of day m after 0 h UT of
// the date set, with its declination there. theta0Deg: apparent sidereal time at 0 h.
double SunHourAngleAt(double m, double theta0Deg, double& declination)
{
    const AstroState& s = State();
    const double t = s.centuries0h + m / 36525.0;
    const double obliquity = ObliquityAt(t);
    double ra = 0.0;
    EclipticToEquatorialWith(std::sin(obliquity), std::cos(obliquity), ApparentLongitudeAt(t), 0.0, ra, declination);
    const double h = theta0Deg + 360.985647 * m - s.longitudeDeg - ra * kRadToDeg;
    return WrapHalfOpen(h + 180.0, 360.0) - 180.0;
}

// Moves a transit estimate m onto the meridian passage (hour angle 0).
double RefineTransit(double m, double theta0Deg, double& declination)
{
    for (int i = 0; i < 3; ++i)
        m -= SunHourAngleAt(m, theta0Deg, declination) / 360.0;
    SunHourAngleAt(m, theta0Deg, declination);
    return m;
}

// Altitude of the sun's centre, radians, at the fraction of day m, with its declination there.
double SunAltitudeAt(double m, double theta0Deg, double& declination)
{
    const AstroState& s = State();
    const double hourAngle = SunHourAngleAt(m, theta0Deg, declination) * kDegToRad;
    const double sinPhi = s.latitude < 0.0 ? -s.sinAbsLatitude : s.sinAbsLatitude;
    return std::asin(
        Clamp1(sinPhi * std::sin(declination) + s.cosLatitude * std::cos(declination) * std::cos(hourAngle)));
}

// Where the sun's centre passes the rising altitude between a lower and an upper culmination
// (in either order), to a hundredth of a second. Between them the altitude only climbs or only
// falls, so halving the span always converges, also when the sun just grazes the horizon.
// False when the sun is on the same side of that altitude at both ends.
bool CrossingBetween(double from, double to, double theta0Deg, double& m, double& declination)
{
    double dec = 0.0;
    const bool belowAtFrom = SunAltitudeAt(from, theta0Deg, dec) < kRiseAltitude;
    if ((SunAltitudeAt(to, theta0Deg, dec) < kRiseAltitude) == belowAtFrom)
        return false;
    while (std::fabs(to - from) > 1e-7) {
        const double mid = 0.5 * (from + to);
        if ((SunAltitudeAt(mid, theta0Deg, dec) < kRiseAltitude) == belowAtFrom)
            from = mid;
        else
            to = mid;
    }
    m = 0.5 * (from + to);
    SunHourAngleAt(m, theta0Deg, declination);
    return true;
}

struct Crossing {
    bool found = false;
    double m = 0.0;
    double declination = 0.0;
};

Crossing CrossingOf(double from, double to, double theta0Deg)
{
    Crossing c;
    c.found = CrossingBetween(from, to, theta0Deg, c.m, c.declination);
    return c;
}

// Of the event that belongs to the day's transit and the one that belongs to the transit
// before or after, the first that falls on the UT day; when none does, the transit's own (it
// steps over midnight), else the other, else the fallback.
Crossing EventOfTheDay(const Crossing& ofTransit, const Crossing& other, const Crossing& fallback)
{
    const bool transitsOnDay = ofTransit.found && ofTransit.m >= 0.0 && ofTransit.m < 1.0;
    const bool otherOnDay = other.found && other.m >= 0.0 && other.m < 1.0;
    if (transitsOnDay && (!otherOnDay || ofTransit.m <= other.m))
        return ofTransit;
    if (otherOnDay)
        return other;
    if (ofTransit.found)
        return ofTransit;
    return other.found ? other : fallback;
}

}  // namespace

RiseTransitSetResult RiseTransitSet(double rightAscension, double declination)
{
    const AstroState& s = State();
    const double theta0Deg = ApparentSiderealTime() / 240.0;

    // First estimate from the position given, then the sun's own position at each event.
    double m0 = WrapClosed((rightAscension * kRadToDeg + s.longitudeDeg - theta0Deg) / 360.0, 1.0);
    double transitDec = declination;
    m0 = RefineTransit(m0, theta0Deg, transitDec);
    if (m0 < 0.0 || m0 >= 1.0)  // that was the transit of the day before or after
        m0 = RefineTransit(m0 < 0.0 ? m0 + 1.0 : m0 - 1.0, theta0Deg, transitDec);

    // The lower culminations either side (hour angle 180 degrees), and the one of the day.
    double dec = 0.0;
    const double lowerBefore = RefineTransit(m0 - 0.5, theta0Deg - 180.0, dec);
    const double lowerAfter = RefineTransit(m0 + 0.5, theta0Deg - 180.0, dec);
    const double lowerOfTheDay = lowerAfter < 1.0 ? lowerAfter : lowerBefore;

    // Both culminations, each with the sun's declination there: near the start or end of a
    // polar day the sun dips below the horizon at one of them only.
    const bool upperBelow = SunAltitudeAt(m0, theta0Deg, dec) < kRiseAltitude;
    const bool lowerAbove = !upperBelow && SunAltitudeAt(lowerOfTheDay, theta0Deg, dec) >= kRiseAltitude;
    Crossing riseEvent;
    Crossing setEvent;
    if (!upperBelow && !lowerAbove) {
        // The rising before this transit or before the next one; the setting after this
        // transit or after the one before (both fall on the day when the arc shrinks fast).
        const Crossing lower{false, lowerOfTheDay, transitDec};
        riseEvent = EventOfTheDay(CrossingOf(lowerBefore, m0, theta0Deg),
                                  CrossingOf(lowerAfter, m0 + 1.0, theta0Deg), lower);
        setEvent = EventOfTheDay(CrossingOf(m0, lowerAfter, theta0Deg),
                                 CrossingOf(m0 - 1.0, lowerBefore, theta0Deg), lower);
    } else {
        // Both culminations on one side, yet the sun can cross between midnight and the first
        // of them, or between the last and the next midnight, on the day a polar day or night
        // begins or ends. In a polar night the first crossing is a setting, the last a rising;
        // in a polar day the reverse. An event that does not happen stands at the transit in
        // a polar night, at the lower transit in a polar day.
        double first = m0;
        double last = m0;
        for (const double lower : {lowerBefore, lowerAfter}) {
            if (lower >= 0.0 && lower < 1.0) {
                first = std::min(first, lower);
                last = std::max(last, lower);
            }
        }
        const Crossing afterMidnight = CrossingOf(0.0, first, theta0Deg);
        const Crossing beforeMidnight = CrossingOf(last, 1.0, theta0Deg);
        const Crossing& rising = upperBelow ? beforeMidnight : afterMidnight;
        const Crossing& setting = upperBelow ? afterMidnight : beforeMidnight;
        const Crossing none{false, upperBelow ? m0 : lowerOfTheDay, transitDec};
        riseEvent = rising.found ? rising : none;
        setEvent = setting.found ? setting : none;
    }

    RiseTransitSetResult result;
    result.riseIsEvent = riseEvent.found;
    result.setIsEvent = setEvent.found;
    // A polar day or night only when both culminations stand on one side and the sun does
    // not cross h0 on the whole day.
    if ((upperBelow || lowerAbove) && !riseEvent.found && !setEvent.found)
        result.state = upperBelow ? SunHorizon::AlwaysBelow : SunHorizon::AlwaysAbove;
    else
        result.state = SunHorizon::RisesAndSets;
    result.transitHoursUT = WrapHalfOpen(24.0 * m0, 24.0);
    result.riseHoursUT = WrapHalfOpen(24.0 * riseEvent.m, 24.0);
    result.setHoursUT = WrapHalfOpen(24.0 * setEvent.m, 24.0);
    // The rising and setting points are symmetric: a day with a setting only takes its own.
    const double riseDec = !riseEvent.found && setEvent.found ? setEvent.declination : riseEvent.declination;

    // Seen from the hemisphere of the site, as if it were northern.
    const double absPhi = std::fabs(s.latitude);
    const double riseDecLocal = s.latitude < 0.0 ? -riseDec : riseDec;
    const double transitDecLocal = s.latitude < 0.0 ? -transitDec : transitDec;
    if (std::fabs(s.cosLatitude) <= 0.000001) {
        result.riseAzimuthDeg = 0.0;
    } else {
        const double c = (std::sin(kRiseAltitude) * std::tan(absPhi) - std::sin(riseDecLocal) / std::cos(absPhi)) /
                         std::cos(kRiseAltitude);
        result.riseAzimuthDeg = std::acos(Clamp1(c)) * kRadToDeg;
    }
    double culmination = 90.0 - absPhi * kRadToDeg + transitDecLocal * kRadToDeg;
    if (culmination > 90.0)  // culminates on the polar side of the zenith
        culmination = 180.0 - culmination;
    result.culminationAltitudeDeg = culmination;
    return result;
}

// ---------------------------------------------------------------- utilities

double NormalizeDegrees(double x, bool positive)
{
    if (x > 360.0) {
        x = std::fmod(x, 360.0);
        if (x == 0.0)
            x = 360.0;
    }
    if (x < -360.0) {
        x = std::fmod(x, 360.0);
        if (x == 0.0)
            x = -360.0;
    }
    if (positive && x < 0.0)
        x += 360.0;
    return x;
}

bool NearlyEqual(double a, double b)
{
    return std::fabs(a - b) < 0.000001;
}

void ResetAstroState()
{
    State() = StartState();
}
