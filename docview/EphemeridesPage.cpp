#include "docview/EphemeridesPage.h"

#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/Translation.h"
#include "docview/CHoravelDoc.h"
#include "docview/EphemerisValues.h"
#include "docview/PageLayout.h"
#include "model/LocationDatabase.h"

#include <charconv>
#include <numbers>
#include <string>

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

std::string JulianDayText(double jd)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, jd, std::chars_format::fixed, 5);
    return std::string(buffer, result.ptr);
}

// "12° 30' 15\" ( 12.5042° )": an angle in degrees, minutes and seconds, then decimal.
std::string DegreesText(double degrees)
{
    return FormatAngle(degrees, true, false) + " ( " + FormatNumber(degrees, 4) + "\xC2\xB0 )";
}

std::string TimeText(const CDateTime& t)
{
    return t.FormatTime(true, true);
}

std::string HoursUTText(double hours)
{
    return FormatHours(hours, true, true) + " ( UT )";
}

}  // namespace

void DrawEphemeridesPage(gdi::DC& dc, const gdi::Rect&)
{
    const CHoravelDoc* doc = GetDocument();
    if (!doc)
        return;
    const std::optional<SheetPage> page = OpenSheetPage(dc, doc->GetDrawingSizePx(), 0.013);
    if (!page)
        return;
    const CDataBaseElement* place = doc->GetLocation();
    if (!place)
        return;

    const DcAttributesGuard restore(dc);
    const int x0 = page->headingX;
    const int x1 = page->textX;

    const EphemerisValues v = ComputeEphemerisValues(*place, doc->GetEphemeris());

    dc.SelectFont(page->titleFont);
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    dc.TextOut(page->middleX, page->top, GetTranslatedString(701));

    dc.SelectFont(page->textFont);
    dc.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    LineWriter lines(dc, page->unit, page->top);
    lines.Next(6, x0, GetTranslatedString(702));
    lines.Next(3, x1, GetTranslatedString(308) + place->name + ", " + place->country);
    lines.Next(2, x1, GetTranslatedString(306) + FormatLatitude(place));
    lines.Next(2, x1, GetTranslatedString(307) + FormatLongitude(place));
    lines.Next(2, x1, GetTranslatedString(502) + "U.T." + ZoneOffsetText(place->zone));
    lines.Next(2, x1, GetTranslatedString(504) + FormatHours(GetLongitudeOffset(), true, false));

    std::string date = GetTranslatedString(704) + FormatNumber(v.day, -1) + " " + GetMonthName(v.month) + " " +
                       FormatNumber(v.year, -1);
    if (IsLeapYear(v.year))
        date += " ( " + GetTranslatedString(719) + " )";
    lines.Next(3, x1, date);
    lines.Next(2, x1, GetTranslatedString(705) + JulianDayText(v.ut.GetJulianDay()));
    lines.Next(2, x1, GetTranslatedString(720) + FormatHours(v.equationOfTimeSeconds / 3600.0, true, false));

    lines.Next(3, x1, GetTranslatedString(725) + TimeText(v.ut));
    lines.Next(2, x1, GetTranslatedString(727) + TimeText(v.legal));
    lines.Next(2, x1, GetTranslatedString(726) + TimeText(v.solar));

    const auto siderealText = [](double seconds) {
        return FormatHours(seconds / 3600.0, true, true) + " ( " + FormatNumber(seconds / 3600.0, 4) + " h )";
    };
    lines.Next(3, x1, GetTranslatedString(706) + siderealText(v.localSiderealSeconds));
    lines.Next(2, x1, GetTranslatedString(707) + siderealText(v.greenwichSidereal0hSeconds));

    lines.Next(5, x0, GetTranslatedString(716));
    const double alphaDeg = v.rightAscension * kRadToDeg;
    lines.Next(3, x1, GetTranslatedString(708) + FormatAngle(alphaDeg, true, true) + " ( " +
                          FormatNumber(v.rightAscension * 12.0 / std::numbers::pi, 4) + " h )");
    lines.Next(2, x1, GetTranslatedString(709) + DegreesText(v.declination * kRadToDeg));
    const double hourAngleDeg = v.hourAngle * kRadToDeg;
    lines.Next(2, x1, GetTranslatedString(731) + FormatAngle(hourAngleDeg, true, true) + " ( " +
                          FormatNumber(hourAngleDeg, 4) + "\xC2\xB0 )");
    lines.Next(3, x1, GetTranslatedString(710) + DegreesText(v.azimuth * kRadToDeg));
    const double altitudeDeg = v.altitude * kRadToDeg;
    lines.Next(2, x1, GetTranslatedString(711) + DegreesText(altitudeDeg) + " : " +
                          (altitudeDeg < 0 ? GetTranslatedString(729) : GetTranslatedString(728)));
    lines.Next(2, x1, GetTranslatedString(712) + DegreesText(90.0 - altitudeDeg));

    // On a day of polar night or polar day the sun neither rises nor sets: no time, no
    // rising point. The day one of them begins or ends may have only one of the two.
    const RiseTransitSetResult& day = v.riseSet;
    lines.Next(5, x0, GetTranslatedString(713) + (day.riseIsEvent ? HoursUTText(day.riseHoursUT) : "-"));
    lines.Next(2, x0, GetTranslatedString(715) + HoursUTText(day.transitHoursUT));
    lines.Next(2, x0, GetTranslatedString(714) + (day.setIsEvent ? HoursUTText(day.setHoursUT) : "-"));
    const std::string z = FormatNumber(day.riseAzimuthDeg, -1);
    lines.Next(2, x0, GetTranslatedString(730) +
                          (day.riseIsEvent || day.setIsEvent ? "-" + z + "\xC2\xB0 (+" + z + "\xC2\xB0)" : "-"));
    lines.Next(2, x0, GetTranslatedString(742) + FormatAngle(day.culminationAltitudeDeg, true, false) + " (" +
                          FormatNumber(day.culminationAltitudeDeg, -1) + "\xC2\xB0)");
}
