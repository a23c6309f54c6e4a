#pragma once
// What the new-location dialog edits, as plain values: the zone table, the check of a new or
// changed location, its transfer to and from a record, and the texts the dialog shows (zone
// entries, offset between legal and solar time).
//
// Angles are entered as whole degrees and minutes, never negative, with a side chosen by a
// radio: hemisphere 0 "Nord", 1 "Sud"; longitude side 0 "Est" (east, stored negative),
// 1 "Ouest".
#include "app/TextHelpers.h"
#include "model/CDataBaseElement.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

// The 35 time zones of the dialogs, hours east of Greenwich, chosen by index.
inline constexpr std::array<double, 35> kZoneTable = {
    -11, -10, -9.5, -9, -8, -7, -6, -5, -4, -3.5, -3, -2, -1, 0, 1, 2, 3, 3.5,
    4,   4.5, 5,    5.5, 5.75, 6, 6.5, 7, 8, 9, 9.5, 10, 11, 11.5, 12, 12.75, 13};
// The index given to a zone that the table does not hold.
inline constexpr int kNoZoneIndex = static_cast<int>(kZoneTable.size());
// The zone a new location starts with: UT - 1 h.
inline constexpr int kDefaultZoneIndex = 12;

enum Hemisphere : int { kNorth = 0, kSouth = 1 };
enum LongitudeSide : int { kEast = 0, kWest = 1 };

// The first index holding exactly that zone; kNoZoneIndex when none does.
int ZoneIndexOf(double zone);
// True for an index of the table (0 to 34).
bool IsZoneIndex(int index);

// The fields of the new-location dialog.
struct LocationFields {
    std::string name;
    std::string region;
    std::string country;
    int latDegrees = 0;
    int latMinutes = 0;
    int lonDegrees = 0;
    int lonMinutes = 0;
    int hemisphere = -1;  // Hemisphere; -1: none chosen
    int side = -1;        // LongitudeSide; -1: none chosen
    int zoneIndex = -1;   // index in kZoneTable; -1 or kNoZoneIndex: none
};

// Why a location entry is refused.
enum class LocationEntryError {
    None,
    EmptyName,
    EmptyCountry,
    NoAngle,          // the four angle fields are all 0
    AngleOutOfRange,  // a field below 0, minutes above 59, latitude above 90 or longitude above 180
    ForbiddenChar,    // a text holds a character the locations file cannot keep
};

// Degrees plus minutes / 60 of fields that are never negative.
double AngleOfFields(int degrees, int minutes);
// Degrees and minutes within their own ranges and their sum within maxDegrees.
bool AngleFieldsValid(int degrees, int minutes, int maxDegrees);
// False for the field separators of the locations file other than the blank (a blank is
// written '$' and read back), for '$' itself (read back as a blank) and for control
// characters.
bool IsStorableLocationText(std::string_view text);
LocationEntryError CheckLocationFields(const LocationFields& fields);

// The fields of a record: texts, |latitude| and |longitude| split into degrees and minutes
// (59.99 minutes round up into the degrees, never to 60), the south and east sides for
// negative values, the zone's index (kNoZoneIndex when the table lacks it).
LocationFields FieldsFromRecord(const CDataBaseElement& record);
// Writes checked fields into the record: texts, latitude (negative for "Sud"), longitude
// (negative for "Est"), and the zone of the chosen entry; without an entry the record keeps
// its zone. The standard flag is left alone.
void ApplyFieldsToRecord(const LocationFields& fields, CDataBaseElement& record);

// The zone list's text of a zone: "UT (Heure de Greenwich)", "UT + 2 h", "UT - 3 h 30 m",
// "UT + 5 h 45 m" (strings 322 to 326).
std::string ZoneEntryText(double zone);
// The difference between legal and local solar time at that longitude in that zone:
// "Écart de longitude : 35 m 52 s", "Écart de longitude : -1 h 2 m 0 s" (string 504), from
// e = (zone x 15 + L) x 4 minutes with L the longitude, negative east. "?" when both angle
// fields are 0 or no zone is chosen.
std::string LongitudeOffsetText(int zoneIndex, int lonDegrees, int lonMinutes, int side);

