#include "app/ProfileValues.h"

#include "app/Formatting.h"
#include "platform/AsciiText.h"
#include "platform/Profile.h"

#include <array>
#include <bit>
#include <cstdint>

namespace {

std::string Component(std::string_view entry, const char* suffix)
{
    std::string name(entry);
    name += suffix;
    return name;
}

}  // namespace

std::string FormatProfileDouble(double value)
{
    static const char digits[] = "0123456789ABCDEF";
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::string text = "0x";
    for (int i = 0; i < 8; ++i) {
        const auto byte = static_cast<unsigned>((bits >> (8 * i)) & 0xFF);
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
    }
    return text;
}

double ParseProfileDouble(std::string_view text, double fallback)
{
    if (!text.starts_with("0x"))
        return StringToDouble(text);
    const std::string_view hex = text.substr(2);
    if (hex.size() != 16)
        return fallback;
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) {
        const int high = ascii::HexDigit(hex[static_cast<size_t>(2 * i)]);
        const int low = ascii::HexDigit(hex[static_cast<size_t>(2 * i + 1)]);
        if (high < 0 || low < 0)
            return fallback;
        bits |= static_cast<std::uint64_t>(high * 16 + low) << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

double GetProfileDouble(std::string_view section, std::string_view entry, double defaultValue)
{
    const Profile& profile = GetProfile();
    if (!profile.HasValue(section, entry))
        return defaultValue;
    return ParseProfileDouble(profile.GetString(section, entry, ""), defaultValue);
}

bool WriteProfileDouble(std::string_view section, std::string_view entry, double value)
{
    return GetProfile().WriteString(section, entry, FormatProfileDouble(value));
}

gdi::COLORREF GetProfileColor(std::string_view section, std::string_view entry, gdi::COLORREF defaultColor)
{
    const Profile& profile = GetProfile();
    const int r = profile.GetInt(section, Component(entry, "\\r"), gdi::GetRValue(defaultColor));
    const int g = profile.GetInt(section, Component(entry, "\\g"), gdi::GetGValue(defaultColor));
    const int b = profile.GetInt(section, Component(entry, "\\b"), gdi::GetBValue(defaultColor));
    return gdi::RGB(r, g, b);
}

bool WriteProfileColor(std::string_view section, std::string_view entry, gdi::COLORREF color)
{
    Profile& profile = GetProfile();
    const bool r = profile.WriteInt(section, Component(entry, "\\r"), gdi::GetRValue(color));
    const bool g = profile.WriteInt(section, Component(entry, "\\g"), gdi::GetGValue(color));
    const bool b = profile.WriteInt(section, Component(entry, "\\b"), gdi::GetBValue(color));
    return r && g && b;
}
