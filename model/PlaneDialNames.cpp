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

std::string TypeNameFromTable(std::span<const TypeNameIds> names, int typeCode, bool longName, bool upperCase,
                              std::string_view fallback)
{
    for (const TypeNameIds& row : names) {
        if (row.typeCode == typeCode)
            return UpperCasedIf(GetTranslatedString(longName ? row.longId : row.shortId), upperCase);
    }
    return UpperCasedIf(std::string(fallback), upperCase);
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
