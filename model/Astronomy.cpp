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

// True longitude less the aberration, plus the main term of the nutation (Meeus 25.8).
double ApparentLongitudeAt(double t)
{
    const double omega = NormalizeDegrees(125.04 - 1934.136 * t, true) * kDegToRad;
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

double ApparentSiderealTime()
{
    const double seconds =
        MeanSiderealTime(true) * 240.0 + NutationInLongitude() * State().cosObliquity / 15.0;
    return WrapHalfOpen(seconds, 86400.0);
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
        const AstroState& s = State();
        const double a = (s.dayNumberWithFraction - 712225.0) * 0.017202423838958484;
        sum += 460.0 * std::sin(a) - 592.0 * std::sin(2.0 * (a + s.perihelion));
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

double GetTimeZone()
{
    return State().zoneHours;
}

// ---------------------------------------------------------------- transforms

void EquatorialToHorizontal(double hourAngle, double declination, double& azimuth, double& altitude)
{
    const AstroState& s = State();
    const double phi = s.latitude;
    if (std::fabs(std::fabs(phi) - kHalfPi) < 0.00001) {
        // At a pole the horizon is the equator: every direction is the equator side.
        azimuth = hourAngle;
        altitude = phi < 0.0 ? -declination : declination;
        return;
    }
    const double sinH = std::sin(hourAngle);
    const double cosH = std::cos(hourAngle);
    const double sinDec = std::sin(declination);
    const double cosDec = std::cos(declination);
    const double signedSinPhi = phi >= 0.0 ? s.sinAbsLatitude : -s.sinAbsLatitude;

    altitude = std::asin(Clamp1(s.cosLatitude * cosH * cosDec + signedSinPhi * sinDec));
    const double cosAlt = std::cos(altitude);
    // u and v: the two parts of cos(azimuth) x cos(altitude), seen from the equator side.
    const double u = phi < 0.0 ? -s.cosLatitude * sinDec : s.cosLatitude * sinDec;
    const double v = s.sinAbsLatitude * cosH * cosDec;
    if (std::fabs(cosAlt) > 0.000001) {
        // sin(A) cos(h) and cos(A) cos(h) together: exact on and next to the meridian too.
        azimuth = std::atan2(sinH * cosDec, v - u);
        return;
    }
    // Sun at the zenith or the nadir: the azimuth is undefined, pick a stable one.
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

// Moves a rising or setting estimate m to where the sun's centre is at the rising altitude
// (Meeus ch. 15 corrections, with the sun's own motion over the day).
double RefineRiseOrSet(double m, double theta0Deg, double& declination)
{
    const AstroState& s = State();
    const double sinPhi = s.latitude < 0.0 ? -s.sinAbsLatitude : s.sinAbsLatitude;
    for (int i = 0; i < 4; ++i) {
        const double hourAngle = SunHourAngleAt(m, theta0Deg, declination) * kDegToRad;
        const double altitude = std::asin(
            Clamp1(sinPhi * std::sin(declination) + s.cosLatitude * std::cos(declination) * std::cos(hourAngle)));
        const double rate = 360.0 * std::cos(declination) * s.cosLatitude * std::sin(hourAngle);
        if (std::fabs(rate) < 1e-6)
            break;  // grazing the horizon: no better estimate from here
        const double dm = std::clamp((altitude - kRiseAltitude) * kRadToDeg / rate, -0.05, 0.05);
        m += dm;
        if (std::fabs(dm) < 1e-7)
            break;
    }
    SunHourAngleAt(m, theta0Deg, declination);
    return m;
}

// The rising (or setting) that falls on the UT day, near the estimate m. When the event of
// the day before or after falls on it instead, that one is taken; when none does (the event
// steps over midnight that day), the one near the estimate is kept.
double RiseOrSetOfTheDay(double m, double theta0Deg, double& declination)
{
    m = RefineRiseOrSet(m, theta0Deg, declination);
    if (m >= 0.0 && m < 1.0)
        return m;
    double otherDec = declination;
    const double other = RefineRiseOrSet(m < 0.0 ? m + 1.0 : m - 1.0, theta0Deg, otherDec);
    if (other >= 0.0 && other < 1.0) {
        declination = otherDec;
        return other;
    }
    return m;
}

// Half the daily arc above the rising altitude, in degrees, and whether there is one.
SunHorizon SemiDiurnalArc(double declination, double& arcDeg)
{
    const AstroState& s = State();
    const double dec = s.latitude < 0.0 ? -declination : declination;
    const double num = std::sin(kRiseAltitude) - std::sin(dec) * s.sinAbsLatitude;
    const double den = std::cos(dec) * s.cosLatitude;
    const double cosH0 = den > 1e-12 ? num / den : (num > 0.0 ? 2.0 : -2.0);
    arcDeg = std::acos(Clamp1(cosH0)) * kRadToDeg;
    if (cosH0 > 1.0)
        return SunHorizon::AlwaysBelow;
    if (cosH0 < -1.0)
        return SunHorizon::AlwaysAbove;
    return SunHorizon::RisesAndSets;
}

}  // namespace

SunHorizon RiseTransitSet(double rightAscension, double declination, double& rise, double& transit,
                          double& set, double& riseAzimuthDeg, double& culminationAltitudeDeg)
{
    const AstroState& s = State();
    const double theta0Deg = ApparentSiderealTime() / 240.0;

    // First estimate from the position given, then the sun's own position at each event.
    double m0 = WrapClosed((rightAscension * kRadToDeg + s.longitudeDeg - theta0Deg) / 360.0, 1.0);
    double transitDec = declination;
    m0 = RefineTransit(m0, theta0Deg, transitDec);
    if (m0 < 0.0 || m0 >= 1.0)  // that was the transit of the day before or after
        m0 = RefineTransit(m0 < 0.0 ? m0 + 1.0 : m0 - 1.0, theta0Deg, transitDec);

    double arcDeg = 0.0;
    const SunHorizon state = SemiDiurnalArc(transitDec, arcDeg);
    double m1 = m0 - arcDeg / 360.0;
    double m2 = m0 + arcDeg / 360.0;
    double riseDec = transitDec;
    if (state == SunHorizon::RisesAndSets) {
        double setDec = transitDec;
        m1 = RiseOrSetOfTheDay(m1, theta0Deg, riseDec);
        m2 = RiseOrSetOfTheDay(m2, theta0Deg, setDec);
    }
    transit = WrapHalfOpen(24.0 * m0, 24.0);
    rise = WrapHalfOpen(24.0 * m1, 24.0);
    set = WrapHalfOpen(24.0 * m2, 24.0);

    // Seen from the hemisphere of the site, as if it were northern.
    const double absPhi = std::fabs(s.latitude);
    const double riseDecLocal = s.latitude < 0.0 ? -riseDec : riseDec;
    const double transitDecLocal = s.latitude < 0.0 ? -transitDec : transitDec;
    if (std::fabs(s.cosLatitude) <= 0.000001) {
        riseAzimuthDeg = 0.0;
    } else {
        const double c = (std::sin(kRiseAltitude) * std::tan(absPhi) - std::sin(riseDecLocal) / std::cos(absPhi)) /
                         std::cos(kRiseAltitude);
        riseAzimuthDeg = std::acos(Clamp1(c)) * kRadToDeg;
    }
    culminationAltitudeDeg = 90.0 - absPhi * kRadToDeg + transitDecLocal * kRadToDeg;
    if (culminationAltitudeDeg > 90.0)  // culminates on the polar side of the zenith
        culminationAltitudeDeg = 180.0 - culminationAltitudeDeg;
    return state;
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
