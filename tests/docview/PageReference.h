#pragma once
// Reference values of the ephemerides and equation-of-time pages (tests/data/astro, written
// by tests/tools/gen_page_reference.py from python3-ephem), and small readers of the texts
// the pages draw.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pageref {

// One row of a CSV table: column name -> text.
struct Row {
    std::map<std::string, std::string> fields;
    const std::string& Text(const std::string& column) const;
    double Number(const std::string& column) const;
    int Int(const std::string& column) const;
};

std::vector<Row> ReadTable(const std::string& fileName);

// The equation of time (seconds, mean minus true) and the declination (degrees) of the sun at
// 12 h UT of a date of 2024 to 2027.
struct SunDay {
    double eotSeconds = 0.0;
    double declinationDeg = 0.0;
};
SunDay SunAtNoon(int year, int month, int day);

// The number in a text at pos (after blanks), read in the "C" locale; nothing when none.
std::optional<double> NumberAt(std::string_view text, std::size_t pos);
// The number between the last " ( " and the unit that follows it: "12° 30' ( 12.5042° )".
std::optional<double> BracketedNumber(std::string_view text);
// "1 mn 25 s", "-0 mn 25 s" back to signed seconds.
std::optional<double> MinutesSecondsValue(std::string_view text);
// "14 h 05 min 30 s" (any part may be missing, a leading "-" for a negative value) to hours.
std::optional<double> HoursValue(std::string_view text);

}  // namespace pageref
