#pragma once
// Doubles and colours in the user's settings.
//
// A double is stored as "0x" and the 16 hexadecimal digits of its 8 bytes in memory order
// (least significant byte first), so it reads back bit for bit; a plain decimal text is
// accepted too. A colour is three ints under the value name followed by "\r", "\g" and "\b".
#include "platform/Gdi.h"

#include <string>
#include <string_view>

// "0x" + 16 upper-case hexadecimal digits.
std::string FormatProfileDouble(double value);
// The value of a stored text: the "0x" form with exactly 16 digits, or a decimal text read
// in the "C" locale; `fallback` for a "0x" text of any other length or with a non-digit.
double ParseProfileDouble(std::string_view text, double fallback);

// The default comes back unchanged when the value is absent.
double GetProfileDouble(std::string_view section, std::string_view entry, double defaultValue);
bool WriteProfileDouble(std::string_view section, std::string_view entry, double value);

// Each component missing takes the default's; each stored int is cut to its low byte.
gdi::COLORREF GetProfileColor(std::string_view section, std::string_view entry, gdi::COLORREF defaultColor);
bool WriteProfileColor(std::string_view section, std::string_view entry, gdi::COLORREF color);
