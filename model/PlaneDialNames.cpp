#include "model/PlaneDialNames.h"

#include "app/Formatting.h"
#include "app/TextHelpers.h"
#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"

#include <cmath>

namespace planedial {

namespace {

constexpr int kEastId = 320;
constexpr int kWestId = 321;

}  // namespace

std::string PlaneDialTypeName(int stringId, bool upperCase)
{
    std::string text = GetTranslatedString(stringId);
    if (upperCase)
        UpperCaseTypeName(text);
    return text;
}

std::string DeclinationText(double declinationRad)
{
    return FormatAngle(std::fabs(declinationRad) * kRadToDeg, false, false) + " " +
           GetTranslatedString(declinationRad < 0.0 ? kEastId : kWestId);
}

std::string AngleText(double angleRad)
{
    return FormatAngle(angleRad * kRadToDeg, false, false);
}

void UpperCaseTypeName(std::string& text)
{
    MakeUpperAccents(text);
}

}  // namespace planedial
