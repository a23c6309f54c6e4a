#pragma once
// A civil date and time of day, with the time also held as decimal hours.
#include <cstdint>
#include <string>

struct CDateTime {
    std::int32_t year = 0;
    std::int32_t month = 0;   // 1..12
    std::int32_t day = 0;     // day of the month
    std::int32_t hour = 0;    // not wrapped at 24 by AddHours
    std::int32_t minute = 0;  // 0..59
    std::int32_t second = 0;  // 0..59
    double decimalHours = 0.0;

    // Zeroes the six integer fields; decimalHours is kept.
    void Clear();
    double GetDecimalHours() const { return decimalHours; }
    // decimalHours from hour, minute and second.
    void UpdateDecimalHours();
    // A time of day without a date (year, month and day become 0).
    void SetTime(int hourValue, int minuteValue, int secondValue);
    // The date and time of a count of seconds since 1970 in the local time zone. When the
    // breakdown fails the date becomes 0-0-0 and the time -1:-1:-1.
    void SetFromTime(std::int64_t secondsSince1970);
    // hour, minute and second from decimalHours: the hour is the floor (so -1.25 h reads
    // -2 h 45 min), the second is rounded and carries into the minute and the hour
    // (13.999999 h reads 14 h 00 min 00 s). The date is not touched.
    void SplitDecimalHours();
    void SetDecimalHours(double hours);
    // Adds hours to the time of day without carrying into the date.
    void AddHours(double hours);
    // Carries whole days of the time of day (below 0 or from 24 on) into the Gregorian date,
    // and a month outside 1..12 into the year; the time ends in [0, 24).
    void NormalizeDate();
    // Julian day of the date and time (Gregorian calendar; Meeus 7.1).
    double GetJulianDay() const;
    // "14 h 05 min 30 s" style text. showAll: minutes and seconds even when zero;
    // showZeroHour: the hour even when zero.
    std::string FormatTime(bool showAll, bool showZeroHour) const;
};
