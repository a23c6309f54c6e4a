#include "model/CDateTime.h"

#include "model/Rounding.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <ctime>

namespace {

std::string IntText(long long v)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

// Days from 1970-01-01 of a proleptic Gregorian date, and back (month 1..12).
long long DaysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, long long& y, long long& m, long long& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

std::int32_t Saturate(long long v)
{
    return static_cast<std::int32_t>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

void CDateTime::Clear()
{
    year = month = day = hour = minute = second = 0;
}

void CDateTime::UpdateDecimalHours()
{
    decimalHours = hour + (minute + second / 60.0) / 60.0;
}

void CDateTime::SetTime(int hourValue, int minuteValue, int secondValue)
{
    year = month = day = 0;
    hour = hourValue;
    minute = minuteValue;
    second = secondValue;
    UpdateDecimalHours();
}

void CDateTime::SetFromTime(std::int64_t secondsSince1970)
{
    const std::time_t t = static_cast<std::time_t>(secondsSince1970);
    std::tm parts{};
    if (localtime_r(&t, &parts) == nullptr) {
        year = month = day = 0;
        hour = minute = second = -1;
    } else {
        year = parts.tm_year + 1900;
        month = parts.tm_mon + 1;
        day = parts.tm_mday;
        hour = parts.tm_hour;
        minute = parts.tm_min;
        second = parts.tm_sec;
    }
    UpdateDecimalHours();
}

void CDateTime::SplitDecimalHours()
{
    const double wholeHours = std::floor(decimalHours);
    hour = TruncToInt(wholeHours);
    const double minutes = (decimalHours - wholeHours) * 60.0;
    minute = TruncToInt(minutes);
    second = RoundToInt((minutes - minute) * 60.0);
    if (second == 60) {
        minute += 1;
        second = 0;
    }
    if (minute == 60) {
        if (hour < INT_MAX)
            hour += 1;
        minute = 0;
    }
}

void CDateTime::SetDecimalHours(double hours)
{
    decimalHours = hours;
    SplitDecimalHours();
}

void CDateTime::AddHours(double hours)
{
    decimalHours += hours;
    SplitDecimalHours();
}

void CDateTime::NormalizeDate()
{
    long long carriedDays = 0;
    if (std::isfinite(decimalHours)) {
        const double days = std::floor(decimalHours / 24.0);
        if (std::fabs(days) < 1e9) {
            carriedDays = static_cast<long long>(days);
            decimalHours -= days * 24.0;
        }
    }
    SplitDecimalHours();
    if (hour >= 24) {  // the rounded second carried into the next day
        hour -= 24;
        ++carriedDays;
        UpdateDecimalHours();
    }

    long long y = year;
    long long m = static_cast<long long>(month) - 1;
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = (m % 12 + 12) % 12 + 1;
    const long long z = DaysFromCivil(y, m, 1) + (static_cast<long long>(day) - 1) + carriedDays;
    long long d = 0;
    CivilFromDays(z, y, m, d);
    year = Saturate(y);
    month = static_cast<std::int32_t>(m);
    day = static_cast<std::int32_t>(d);
}

double CDateTime::GetJulianDay() const
{
    long long y = year;
    long long m = month;
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    return std::trunc(365.25 * (y + 4716.0)) + std::trunc(30.6001 * (m + 1.0)) + (y / 400 - y / 100 + 2) +
           day + hour / 24.0 + minute / 1440.0 + second / 86400.0 - 1524.5;
}

std::string CDateTime::FormatTime(bool showAll, bool showZeroHour) const
{
    std::string text;
    if (hour != 0 || showZeroHour) {
        text.append(IntText(hour));
        text.append(" h ");
    }
    if (showAll && minute == 0 && second == 0) {
        text.append("00 min 00 s");
        return text;
    }
    if (minute != 0 || (showAll && second != 0)) {
        if (!text.empty() && minute < 10)
            text.append("0");
        text.append(IntText(minute));
        text.append(" min");
    }
    if (showAll || second != 0) {
        text.append(second > 9 ? " " : " 0");
        text.append(IntText(second));
        text.append(" s");
    }
    return text;
}
