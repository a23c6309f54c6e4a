#pragma once
// Pieces of the plane dial type names.
#include <string>

namespace planedial {

// The text, upper-cased with its accents when asked.
std::string UpperCasedIf(std::string text, bool upperCase);
// "30° 0' Ouest": |declination| in degrees and minutes, then the translated "Est"
// (declination < 0, the face turns east) or "Ouest".
std::string DeclinationText(double declinationRad);
// "60° 0'": an angle in degrees and minutes.
std::string AngleText(double angleRad);

}  // namespace planedial
