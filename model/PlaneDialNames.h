#pragma once
// Pieces of the dial type names.
#include <span>
#include <string>
#include <string_view>

namespace planedial {

// The text, upper-cased with its accents when asked.
std::string UpperCasedIf(std::string text, bool upperCase);
// The translated strings that name one dial type, long and short.
struct TypeNameIds {
    int typeCode;
    int longId;
    int shortId;
};
// The name of typeCode from its row in names, or fallback where it has none; upper-cased
// with its accents when asked.
std::string TypeNameFromTable(std::span<const TypeNameIds> names, int typeCode, bool longName, bool upperCase,
                              std::string_view fallback);
// "30° 0' Ouest": |declination| in degrees and minutes, then the translated "Est"
// (declination < 0, the face turns east) or "Ouest".
std::string DeclinationText(double declinationRad);
// "60° 0'": an angle in degrees and minutes.
std::string AngleText(double angleRad);

}  // namespace planedial
