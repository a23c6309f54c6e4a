#include "dialogs/DecimalConversion.h"

#include "model/Rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// Sub-microsecond differences are binary representation noise, not part of the value.
constexpr double kSecondsTolerance = 1e-6;

int AbsoluteCapped(long long value, long long cap)
{
    // The magnitude of the most negative value does not fit: compare before negating.
    if (value <= -cap || value >= cap)
        return static_cast<int>(cap);
    return static_cast<int>(value < 0 ? -value : value);
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

SexagesimalParts NormaliseParts(long long units, long long minutes, long long seconds)
{
    SexagesimalParts parts;
    parts.units = AbsoluteCapped(units, std::numeric_limits<int>::max());
    parts.minutes = std::min(AbsoluteCapped(minutes, std::numeric_limits<int>::max()), 59);
    parts.seconds = std::min(AbsoluteCapped(seconds, std::numeric_limits<int>::max()), 59);
    return parts;
}

double PartsToDecimal(const SexagesimalParts& parts)
{
    return parts.seconds / 3600.0 + parts.minutes / 60.0 + parts.units;
}

SexagesimalParts DecimalToParts(double value)
{
    if (!std::isfinite(value))
        return {};
    const double whole = std::trunc(value);
    double seconds = std::fabs(value - whole) * 3600.0;
    const double nearest = std::round(seconds);
    if (std::fabs(seconds - nearest) < kSecondsTolerance)
        seconds = nearest;
    double units = whole;
    if (seconds >= 3600.0) {
        seconds -= 3600.0;
        units += value < 0 ? -1.0 : 1.0;
    }
    SexagesimalParts parts;
    parts.units = TruncToInt(units);
    parts.minutes = static_cast<int>(seconds / 60.0);
    parts.seconds = static_cast<int>(seconds - parts.minutes * 60.0);
    return parts;
}

bool ParseDecimalText(std::string_view text, double& value)
{
    std::string t(Trimmed(text));
    if (!t.empty() && t.front() == '+')
        t.erase(0, 1);
    if (t.empty() || t.front() == '+' || t.find_first_not_of("-0123456789.,eE") != std::string::npos)
        return false;
    if (const auto comma = t.find(','); comma != std::string::npos) {
        if (t.find('.') != std::string::npos || t.find(',', comma + 1) != std::string::npos)
            return false;
        t[comma] = '.';
    }
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), parsed, std::chars_format::general);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool ParseComponentText(std::string_view text, long long& value)
{
    std::string_view t = Trimmed(text);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    if (t.empty() || t.front() == '+')
        return false;
    long long parsed = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), parsed);
    if (ec != std::errc() || end != t.data() + t.size())
        return false;
    value = parsed;
    return true;
}

ConversionMarks MarksForMode(int mode)
{
    if (mode == 1)
        return {"h", "h", "min", "s"};
    return {"°", "°", "'", "\""};
}
