#pragma once
// Names of the plane dial types, from the translated string table.
#include <string>

namespace planedial {

// The translated string id, upper-cased with its accents when asked.
std::string PlaneDialTypeName(int stringId, bool upperCase);
// "30° 0' Ouest": |declination| in degrees and minutes, then "Est" (declination < 0) or
// "Ouest", translated.
std::string DeclinationText(double declinationRad);
// "60° 0'": an angle in degrees and minutes.
std::string AngleText(double angleRad);
void UpperCaseTypeName(std::string& text);

}  // namespace planedial
