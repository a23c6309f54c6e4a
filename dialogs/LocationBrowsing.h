#pragma once
// Browsing the location list as the locations dialogs and the creation wizard's location
// page show it: the records of a country, their order, the countries to choose from, the
// texts that describe the selected record, and the map of the records in its window.
//
// Texts are compared without regard to case, accented capitals included, and whole: "NIGER"
// does not match "NIGERIA".
#include "app/TextHelpers.h"
#include "model/CDataBaseElement.h"
#include "model/LocationDatabase.h"
#include "platform/Gdi.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Columns of the location lists.
enum LocationColumn : int { kColumnName = 0, kColumnRegion = 1, kColumnCountry = 2 };

// The records of that country (every record when country is empty), in list order.
std::vector<CDataBaseElement*> LocationsOfCountry(const CLocationList& list, std::string_view country);
// The text of a column of a record (an unknown column gives the name).
const std::string& ColumnText(const CDataBaseElement& record, int column);
// Sorts by the text of the column, accents folded and case ignored, ascending.
void SortLocations(std::vector<CDataBaseElement*>& records, int column);
// True when a goes before b in that order.
bool LocationBefore(const CDataBaseElement& a, const CDataBaseElement& b, int column);
// Every country of the list once, in the order of first appearance (the first spelling kept).
std::vector<std::string> CountriesOf(const CLocationList& list);

// The four texts that describe a record and the rule of the map button.
struct LocationDetails {
    std::string latitude;   // "Latitude :  47° 14' Nord"
    std::string longitude;  // "Longitude :  6° 01' 12\" Est"
    std::string place;      // "Lieu :  BESANÇON (25, FRANCE)"
    std::string zone;       // "Fuseau horaire : Greenwich + 1 h"
    bool onMap = false;
};
LocationDetails DescribeLocation(const CDataBaseElement& record);

// The window of the map picture, degrees (longitude positive west).
inline constexpr double kMapNorth = 52.0;
inline constexpr double kMapSouth = 41.0;
inline constexpr double kMapWest = 5.0;
inline constexpr double kMapEast = -10.0;
// Latitude within [41, 52] and longitude within [-10, 5].
bool IsOnMap(double latitude, double longitude);
// The pixel of a place on a map picture of that size whose one-pixel frame surrounds the
// window: x = 1 + trunc((5 - longitude) W / 15), y = 1 + trunc((52 - latitude) H / 11), with
// W and H the picture's size minus 2.
gdi::Point MapPixel(double latitude, double longitude, int pictureWidth, int pictureHeight);
// Marks every record of the map's window on the picture (drawn into dc) with a blue cross,
// and the record named as the chosen location's name with a yellow disc under its cross.
// Returns the caption of the chosen location: name " (" latitude ", " longitude ")"; empty
// when no record of the window bears that name.
std::string DrawMapMarks(gdi::DC& dc, const CLocationList& list, const CDataBaseElement* chosen,
                         int pictureWidth, int pictureHeight);

// Unlinks that very record (not one equal to it) from the list and hands it back; null when
// the list does not hold it.
std::unique_ptr<CDataBaseElement> TakeLocation(CLocationList& list, const CDataBaseElement* record);
// True when the list holds that very record.
bool ListHolds(const CLocationList& list, const CDataBaseElement* record);
