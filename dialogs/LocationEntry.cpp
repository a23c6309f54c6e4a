#include "dialogs/LocationEntry.h"

#include "app/Formatting.h"
#include "app/Translation.h"
#include "model/LocationDatabase.h"
#include "model/Rounding.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kMaxMinutes = 59;
constexpr int kMaxLatitude = 90;
constexpr int kMaxLongitude = 180;

std::string IntText(int v) { return std::to_string(v); }

}  // namespace

int ZoneIndexOf(double zone)
{
    for (std::size_t i = 0; i < kZoneTable.size(); ++i)
        if (kZoneTable[i] == zone)
            return static_cast<int>(i);
    return kNoZoneIndex;
}

bool IsZoneIndex(int index) { return index >= 0 && index < kNoZoneIndex; }

double AngleOfFields(int degrees, int minutes) { return DegMinToDegrees(degrees, minutes); }

bool AngleFieldsValid(int degrees, int minutes, int maxDegrees)
{
    if (degrees < 0 || degrees > maxDegrees || minutes < 0 || minutes > kMaxMinutes)
        return false;
    return degrees < maxDegrees || minutes == 0;
}

bool IsStorableLocationText(std::string_view text)
{
    return !HasForbiddenLocationChar(text) && text.find('$') == std::string_view::npos;
}

LocationEntryError CheckLocationFields(const LocationFields& f)
{
    if (f.name.empty())
        return LocationEntryError::EmptyName;
    if (f.country.empty())
        return LocationEntryError::EmptyCountry;
    if (f.latDegrees == 0 && f.latMinutes == 0 && f.lonDegrees == 0 && f.lonMinutes == 0)
        return LocationEntryError::NoAngle;
    if (!AngleFieldsValid(f.latDegrees, f.latMinutes, kMaxLatitude) ||
        !AngleFieldsValid(f.lonDegrees, f.lonMinutes, kMaxLongitude))
        return LocationEntryError::AngleOutOfRange;
    for (const std::string* text : {&f.name, &f.region, &f.country})
        if (!IsStorableLocationText(*text))
            return LocationEntryError::ForbiddenChar;
    return LocationEntryError::None;
}

LocationFields FieldsFromRecord(const CDataBaseElement& record)
{
    LocationFields f;
    f.name = record.name;
    f.region = record.region;
    f.country = record.country;
    DegreesToDegMin(std::fabs(record.latitude), f.latDegrees, f.latMinutes);
    DegreesToDegMin(std::fabs(record.longitude), f.lonDegrees, f.lonMinutes);
    f.hemisphere = record.latitude < 0.0 ? kSouth : kNorth;
    f.side = record.longitude < 0.0 ? kEast : kWest;
    f.zoneIndex = ZoneIndexOf(record.zone);
    return f;
}

void ApplyFieldsToRecord(const LocationFields& f, CDataBaseElement& record)
{
    record.name = f.name;
    record.region = f.region;
    record.country = f.country;
    const double latitude = AngleOfFields(f.latDegrees, f.latMinutes);
    const double longitude = AngleOfFields(f.lonDegrees, f.lonMinutes);
    record.latitude = f.hemisphere == kSouth ? -latitude : latitude;
    record.longitude = f.side == kEast ? -longitude : longitude;
    if (IsZoneIndex(f.zoneIndex))
        record.zone = kZoneTable[static_cast<std::size_t>(f.zoneIndex)];
}

std::string ZoneEntryText(double zone)
{
    if (zone == 0.0)
        return GetTranslatedString(322);
    // Table zones are whole quarters of an hour: the minutes are exact.
    const int totalMinutes = RoundToInt(std::fabs(zone) * 60.0);
    const std::string hours = IntText(totalMinutes / 60);
    const std::string minutes = IntText(totalMinutes % 60);
    const bool whole = totalMinutes % 60 == 0;
    if (zone > 0.0)
        return whole ? FillFormat(GetTranslatedString(325), {hours}) : FillFormat(GetTranslatedString(326), {hours, minutes});
    return whole ? FillFormat(GetTranslatedString(323), {hours}) : FillFormat(GetTranslatedString(324), {hours, minutes});
}

std::string LongitudeOffsetText(int zoneIndex, int lonDegrees, int lonMinutes, int side)
{
    if ((lonDegrees == 0 && lonMinutes == 0) || !IsZoneIndex(zoneIndex))
        return "?";
    double longitude = AngleOfFields(lonDegrees, lonMinutes);
    if (side == kEast)
        longitude = -longitude;
    const double e = (kZoneTable[static_cast<std::size_t>(zoneIndex)] * 15.0 + longitude) * 4.0;
    // Hours, minutes and seconds all come from one rounded count of hundredths of a second,
    // so that no part can read 60.
    const int hundredths = RoundToInt(std::fabs(e) * 6000.0);
    const int wholeMinutes = hundredths / 6000;
    const double seconds = (hundredths % 6000) / 100.0;
    std::string text = GetTranslatedString(504);
    if (e < 0.0 && hundredths > 0)
        text += "-";
    if (wholeMinutes >= 60)
        text += IntText(wholeMinutes / 60) + " h ";
    text += IntText(wholeMinutes % 60) + " m " + FormatNumber(seconds, -1) + " s";
    return text;
}

