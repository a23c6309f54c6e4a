#pragma once
// Numbers, angles and hours as the program writes and reads them. Every result is the same
// whatever the process locale (the decimal separator is always ".").
#include <string>
#include <string_view>

// The leading number of the text as C strtod reads it in the "C" locale; 0.0 when none.
double StringToDouble(std::string_view text);
// The leading decimal integer of the text as C strtol reads it; 0 when none; saturated to
// the int range.
int StringToInt(std::string_view text);

// kind 0: the value rounded to an integer; kinds 1..4: that many decimals; any other kind:
// the integer when the value is within 0.00001 of one, else four significant digits
// (printf "%.4g").
std::string FormatNumber(double x, int kind);

// Whole degrees (signed) and minutes of an angle, rounded to the nearest minute with carry:
// -1.5 gives -1 and 30, 45.9999 gives 46 and 0.
void DegreesToDegMin(double x, int& degrees, int& minutes);
double DegMinToDegrees(int degrees, int minutes);
// The two texts of DegreesToDegMin; the minute text never reads "60".
void AngleToDegMinStrings(double x, std::string& degreeText, std::string& minuteText);
// The inverse: the minutes take the sign of the degree text.
double DegMinStringsToAngle(std::string_view degreeText, std::string_view minuteText);

// "12 h 30 min", "15 min", "12 h 00 min 00 s": decimal hours as text, rounded once to the
// nearest second. Values above 24 are brought back into (0, 24].
std::string FormatHours(double hours, bool withSeconds, bool forceHours);
// "45° 30'", "-0° 15'", "1 h": decimal degrees as degrees or as hours (15° to the hour),
// rounded to the nearest second.
std::string FormatAngle(double value, bool withSeconds, bool asHours);
// "I".."XXIII" for 1..23, "XXIV" for 0 and 24, "?!?" for anything else.
std::string FormatRomanHour(int h);
