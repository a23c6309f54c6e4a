#pragma once
// Comparisons that ignore the case of ASCII letters only: names of files, sections, keys,
// fonts, switches and URL schemes are matched this way. Bytes outside ASCII (UTF-8 text)
// compare as they are, whatever the process locale.
#include <string>
#include <string_view>

namespace ascii {

// The text with its ASCII capitals made small.
std::string Lower(std::string text);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigit(char c);

}  // namespace ascii
