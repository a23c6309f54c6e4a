#include "model/PlaneDialNames.h"

#include "app/Formatting.h"
#include "app/TextHelpers.h"
#include "app/Translation.h"
#include "model/PlaneDialGeometry.h"

#include <cmath>

namespace planedial {

std::string UpperCasedIf(std::string text, bool upperCase)
{
    if (upperCase)
        MakeUpperAccents(text);
    return text;
}

std::string DeclinationText(double declinationRad)
{
    return FormatAngle(std::fabs(declinationRad) * kRadToDeg, false, false) + " " +
           (declinationRad < 0.0 ? GetTranslatedString(320) : GetTranslatedString(321));
}

std::string AngleText(double angleRad)
{
    return FormatAngle(angleRad * kRadToDeg, false, false);
}

}  // namespace planedial
