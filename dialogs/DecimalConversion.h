#pragma once
// Conversion between a decimal value and its components: degrees, minutes and seconds of
// arc, or hours, minutes and seconds of time (the arithmetic is the same).
#include <string>
#include <string_view>

struct SexagesimalParts {
    int units = 0;    // whole degrees or hours
    int minutes = 0;  // 0..59
    int seconds = 0;  // 0..59
    friend bool operator==(const SexagesimalParts&, const SexagesimalParts&) = default;
};

// The components as the user typed them made usable: each taken without its sign, minutes
// and seconds of 60 or more held at 59.
SexagesimalParts NormaliseParts(long long units, long long minutes, long long seconds);
// units + minutes / 60 + seconds / 3600 of normalised parts.
double PartsToDecimal(const SexagesimalParts& parts);

// The whole units (truncated toward zero, keeping the sign) and the minutes and seconds of
// what is left, each truncated. A value that is a whole number of seconds but not exactly
// representable in binary (2.3 is 2.29999...) gives that number of seconds, not one less;
// 59.9999999 seconds and more carry into the next minute and unit.
SexagesimalParts DecimalToParts(double value);

// A decimal value as typed: blanks around, an optional sign, "." or "," as decimal point.
bool ParseDecimalText(std::string_view text, double& value);
// A component as typed: blanks around, an optional sign, decimal digits.
bool ParseComponentText(std::string_view text, long long& value);

// The marks shown after the fields: mode 0 degrees ("°", "°", "'", "\""), mode 1 hours
// ("h", "h", "min", "s").
struct ConversionMarks {
    std::string decimal;
    std::string units;
    std::string minutes;
    std::string seconds;
};
ConversionMarks MarksForMode(int mode);
