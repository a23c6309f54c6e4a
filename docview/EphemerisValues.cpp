#include "docview/EphemerisValues.h"

#include "platform/Services.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

CDateTime FromFields(const DateTimeFields& f)
{
    CDateTime t;
    t.year = f.year;
    t.month = f.month;
    t.day = f.day;
    t.hour = f.hour;
    t.minute = f.minute;
    t.second = f.second;
    t.UpdateDecimalHours();
    return t;
}

void SetInstant(const CDateTime& t)
{
    SetAstroDateTime(t.day, t.month, t.year, t.hour, t.minute, t.second);
}

}  // namespace

EphemerisValues ComputeEphemerisValues(const CDataBaseElement& place, const CHoravelDoc::Ephemeris& when)
{
    EphemerisValues v;
    SetAstroSite(place.latitude, place.longitude, place.zone);
    const Services& services = GetServices();
    const double summerHours = when.summerTime ? 1.0 : 0.0;

    const std::int64_t t = when.fixedDate ? when.time : services.Now();
    const DateTimeFields local = services.ToLocal(t);
    if (!when.fixedDate) {
        // The clock: legal time is its local time and UT its own UTC value, which already
        // holds any summer hour.
        v.legal = FromFields(local);
        v.ut = FromFields(BreakDownUtc(t));
    } else if (when.universalTime) {
        v.ut = FromFields(local);
        v.legal = v.ut;
        v.legal.AddHours(place.zone + summerHours);
    } else {
        v.legal = FromFields(local);
        v.ut = v.legal;
        v.ut.AddHours(-summerHours - place.zone);
    }
    // An offset that crosses midnight changes the date too: the sun is computed for the UT
    // date, not for the date the fields were typed on.
    v.ut.NormalizeDate();
    v.legal.NormalizeDate();
    v.day = local.day;
    v.month = local.month;
    v.year = local.year;

    SetInstant(v.ut);
    v.equationOfTimeSeconds = EquationOfTime();
    // Mean solar time at the place, less the equation of time: UT - longitude (west) / 15 -
    // equation of time, with the longitude taken as zone plus its correction.
    v.solar = v.ut;
    v.solar.AddHours(GetTimeZone() - (v.equationOfTimeSeconds / 3600.0 + GetZoneSteps() + GetLongitudeCorrection()));
    v.solar.NormalizeDate();

    SetAstroDateTime(v.ut.day, v.ut.month, v.ut.year, 0, 0, 0.0);
    v.greenwichSidereal0hSeconds = MeanSiderealTime(false);
    // Local sidereal time runs ahead of Greenwich's to the east: the west-positive longitude
    // is subtracted.
    double s = v.greenwichSidereal0hSeconds + HmsToSiderealSeconds(v.ut.hour, v.ut.minute, v.ut.second) -
               place.longitude * 240.0;
    s = std::fmod(s, 86400.0);
    if (s < 0.0)
        s += 86400.0;
    v.localSiderealSeconds = s;

    // Where the sun is seen: the apparent position, measured from the true equinox, so its
    // hour angle comes from the apparent sidereal time (the time shown above stays the mean).
    SetInstant(v.ut);
    GetApparentSunEquatorial(v.rightAscension, v.declination);
    if (v.rightAscension < 0.0)
        v.rightAscension += kTwoPi;
    const double apparentSidereal = s + EquationOfTheEquinoxes();
    double h = std::remainder(apparentSidereal * kTwoPi / 86400.0 - v.rightAscension, kTwoPi);
    if (h <= -std::numbers::pi)
        h += kTwoPi;
    v.hourAngle = h;
    EquatorialToHorizontal(v.hourAngle, v.declination, v.azimuth, v.altitude);

    SetAstroDate(v.day, v.month, v.year, 0.0);
    v.riseSet = RiseTransitSet(v.rightAscension, v.declination);
    return v;
}
