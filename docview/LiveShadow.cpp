#include "docview/LiveShadow.h"

#include "model/Astronomy.h"
#include "model/CDateTime.h"

#include <cmath>
#include <numbers>

namespace {

std::string TwoDigits(int v)
{
    v = v < 0 ? 0 : v % 100;
    return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

}  // namespace

std::string FormatLegalTime(const DateTimeFields& local)
{
    return TwoDigits(local.hour) + " h " + TwoDigits(local.minute) + " min " + TwoDigits(local.second) + " s";
}

LiveShadowStep ComputeLiveShadow(std::int64_t unixSeconds, const DateTimeFields& local)
{
    LiveShadowStep step;
    step.legalTime = FormatLegalTime(local);

    const DateTimeFields ut = BreakDownUtc(unixSeconds);
    const double hoursUT = ut.hour + ut.minute / 60.0 + ut.second / 3600.0;
    SetAstroDate(ut.day, ut.month, ut.year, hoursUT);
    UpdateOrbitElements();
    double rightAscension = 0.0;
    double declination = 0.0;
    GetSunEquatorial(rightAscension, declination);

    // The module keeps the longitude (west positive) as a correction within a zone plus
    // whole zone steps.
    const double longitudeHours = GetLongitudeOffset() - GetTimeZone();
    double solar = std::fmod(hoursUT - longitudeHours - EquationOfTime() / 3600.0, 24.0);
    if (solar < 0.0)
        solar += 24.0;
    step.solarHours = solar;

    CDateTime solarTime;
    solarTime.SetDecimalHours(solar);
    // A time that rounds up to 24 h reads 0 h.
    if (solarTime.hour >= 24)
        solarTime.hour -= 24;
    step.solarTime = solarTime.FormatTime(true, true);

    const double hourAngle = (solar - 12.0) * 15.0 * std::numbers::pi / 180.0;
    EquatorialToHorizontal(hourAngle, declination, step.azimuthRad, step.altitudeRad);
    return step;
}
