#include "app/Formatting.h"

#include "model/Rounding.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

std::string IntText(long long v)
{
    std::array<char, 32> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), end);
}

// printf's "%.<precision>f" or "%.<precision>g" in the "C" locale.
std::string DoubleText(double x, std::chars_format format, int precision)
{
    std::array<char, 512> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), x, format, precision);
    if (ec != std::errc())
        return "?";
    return std::string(buf.data(), end);
}

// Integer-valued doubles up to this size are written digit for digit.
constexpr double kExactIntegerLimit = 1e15;

std::string TwoDigits(const std::string& text) { return text.size() == 1 ? "0" + text : text; }

}  // namespace

double StringToDouble(std::string_view text)
{
    const std::string s(text);
    return strtod_l(s.c_str(), nullptr, CLocale());
}

int StringToInt(std::string_view text)
{
    const std::string s(text);
    const long v = strtol_l(s.c_str(), nullptr, 10, CLocale());
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

std::string FormatNumber(double x, int kind)
{
    switch (kind) {
    case 0:
        return IntText(RoundToInt(x));
    case 1:
    case 2:
    case 3:
    case 4:
        return DoubleText(x, std::chars_format::fixed, kind);
    default: {
        const double i = std::trunc(x);
        if (std::isfinite(x) && std::fabs(i) < kExactIntegerLimit && std::fabs(x - i) < 0.00001)
            return IntText(static_cast<long long>(i));
        return DoubleText(x, std::chars_format::general, 4);
    }
    }
}

void DegreesToDegMin(double x, int& degrees, int& minutes)
{
    const int total = RoundToInt(std::fabs(x) * 60.0);
    degrees = x < 0 ? -(total / 60) : total / 60;
    minutes = total % 60;
}

double DegMinToDegrees(int degrees, int minutes) { return degrees + minutes / 60.0; }

void AngleToDegMinStrings(double x, std::string& degreeText, std::string& minuteText)
{
    int degrees = 0;
    int minutes = 0;
    DegreesToDegMin(x, degrees, minutes);
    degreeText = FormatNumber(degrees, -1);
    minuteText = FormatNumber(minutes, -1);
}

double DegMinStringsToAngle(std::string_view degreeText, std::string_view minuteText)
{
    const double d = StringToDouble(degreeText);
    const double m = StringToDouble(minuteText);
    return d < 0 ? d - m / 60.0 : d + m / 60.0;
}

std::string FormatHours(double hours, bool withSeconds, bool forceHours)
{
    if (!std::isfinite(hours))
        hours = 0.0;
    if (hours > 24.0) {
        // The same as taking 24 off until at most 24 remains (both are exact).
        hours = std::fmod(hours, 24.0);
        if (hours == 0.0)
            hours = 24.0;
    }
    const int total = RoundToInt(std::fabs(hours) * 3600.0);
    const int h = total / 3600;
    const int m = total / 60 % 60;
    const int s = total % 60;
    const bool negative = hours < 0 && total > 0;

    std::string text;
    if (h >= 1 || forceHours)
        text = (negative ? "-" : "") + FormatNumber(h, -1) + " h ";
    else if (negative)
        text = "-";

    std::string minuteText = FormatNumber(m, -1);
    if (h >= 1)
        minuteText = TwoDigits(minuteText);
    if (withSeconds) {
        if (m == 0 && s == 0)
            return text + "00 min 00 s";
    } else if (m == 0) {
        return text;
    }
    text += minuteText + " min";
    if (withSeconds && s != 0)
        text += " " + FormatNumber(s, -1) + " s";
    return text;
}

std::string FormatAngle(double value, bool withSeconds, bool asHours)
{
    const long long totalArcSeconds = RoundToInt(value * 3600.0);
    // Seconds of arc, or seconds of time when the angle is shown as hours.
    const long long arcSeconds = totalArcSeconds < 0 ? -totalArcSeconds : totalArcSeconds;
    const long long total = asHours ? RoundToInt(static_cast<double>(arcSeconds) / 15.0) : arcSeconds;
    const long long d = total / 3600;
    const long long m = total / 60 % 60;
    const long long s = total % 60;

    std::string text = totalArcSeconds < 0 && total > 0 ? "-" : "";
    text += IntText(d) + (asHours ? " h" : "°");
    if (m != 0 || (withSeconds && s != 0))
        text += " " + TwoDigits(IntText(m)) + "'";
    if (withSeconds && s != 0)
        text += " " + TwoDigits(IntText(s)) + "\"";
    return text;
}

std::string FormatRomanHour(int h)
{
    static const std::array<const char*, 24> kRoman = {
        "I",    "II",    "III",    "IV",  "V",    "VI",    "VII",    "VIII",
        "IX",   "X",     "XI",     "XII", "XIII", "XIV",   "XV",     "XVI",
        "XVII", "XVIII", "XIX",    "XX",  "XXI",  "XXII",  "XXIII",  "XXIV"};
    if (h == 0 || h == 24)
        return kRoman[23];
    if (h >= 1 && h <= 23)
        return kRoman[static_cast<size_t>(h - 1)];
    return "?!?";
}
