#include "docview/EotSettings.h"

#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/Translation.h"
#include "docview/CHoravelDoc.h"
#include "model/Astronomy.h"
#include "platform/Profile.h"

#include <cmath>

namespace {

constexpr const char* kGeneralSection = "Options\\General";

}  // namespace

EotSettings EotSettings::Load()
{
    EotSettings s;
    const Profile& profile = GetProfile();
    s.longitudeCorrection = profile.GetInt(kGeneralSection, "bCorrectionLongEot", 0) != 0;
    s.signMode = profile.GetInt(kGeneralSection, "nModeEot", 0);
    s.year = GetAstroYear();
    const CHoravelDoc* doc = GetDocument();
    s.fourYearMean = doc && doc->GetReferenceYearMode() != 0;
    s.firstYear = PreviousLeapYear(s.year);
    if (doc && doc->GetLocation()) {
        s.hasPlace = true;
        s.placeName = doc->GetLocation()->name;
        s.placeCountry = doc->GetLocation()->country;
    }

    if (s.longitudeCorrection)
        s.correctionSeconds = GetLongitudeOffset() * 3600.0;
    if (s.Negated())
        s.correctionSeconds = -s.correctionSeconds;
    const double c = s.correctionSeconds / 60.0;
    // Always 34 whole minutes, whatever the sign of the ends: truncating both ends towards
    // zero would lose one when they straddle 0. The flipped range mirrors the plain one.
    const double low = s.Negated() ? std::ceil(c + 18.0) - 34.0 : std::floor(c - 18.0);
    s.lowMinute = TruncToInt(low);
    s.highMinute = TruncToInt(low + 34.0);
    return s;
}

double EotSettings::ValueSeconds(int day, int month) const
{
    const double e = fourYearMean ? MeanEquationOfTime(day, month, firstYear, firstYear + 3)
                                  : EquationOfTime(day, month);
    return Negated() ? -e : e;
}

double EotSettings::PlottedMinutes(int day, int month) const
{
    return (ValueSeconds(day, month) + correctionSeconds) / 60.0;
}

std::string EotSettings::Heading(std::string text) const
{
    if (fourYearMean)
        text += " ( " + FormatNumber(firstYear, -1) + " - " + FormatNumber(firstYear + 3, -1) + " )";
    else
        text += " ( " + FormatNumber(year, -1) + " )";
    // Without a current location the place is left out rather than named as nothing.
    if (longitudeCorrection && hasPlace)
        text += " ( " + placeName + " - " + placeCountry + " )";
    return text;
}

std::string EotSettings::Explanation(bool withCorrectionNote) const
{
    std::string text = signMode != 0 ? GetTranslatedString(741) : GetTranslatedString(695);
    if (withCorrectionNote && longitudeCorrection)
        text += GetTranslatedString(740);
    return text;
}
