#pragma once
// What the user's locale says about numbers, for the few outputs that are meant to follow it
// (the coordinate-table text files). Everything else formats numbers with ".".
#include <optional>
#include <string>

namespace localeinfo {

// The decimal separator of the user's default locale, as the environment chooses it
// (LC_ALL, then LC_NUMERIC, then LANG), whatever the process's own locale is set to; "."
// when that locale cannot be read.
std::string SystemDecimalSeparator();
// The decimal separator of a named locale ("fr_FR.UTF-8"; "" for the environment's);
// nothing when the locale is not installed.
std::optional<std::string> DecimalSeparatorOf(const std::string& localeName);
// Replaces what SystemDecimalSeparator returns (tests); an empty text returns to the system's.
void SetSystemDecimalSeparator(std::string separator);

}  // namespace localeinfo
