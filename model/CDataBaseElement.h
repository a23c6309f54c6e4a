#pragma once
// One geographic location: the place a dial is computed for. Records come from the
// locations files (LocationDatabase.h), from the dialogs, and from dial documents, where
// the current location is stored as an archive object.
#include "platform/ClassRegistry.h"

#include <cstdint>
#include <string>

class CDataBaseElement : public Serializable {
    HV_DECLARE_SERIAL(CDataBaseElement)

public:
    // Layout written by this program; older documents carry schemas 0 to 6.
    static constexpr int kSchema = 7;

    CDataBaseElement() = default;
    CDataBaseElement(const CDataBaseElement&) = default;
    CDataBaseElement& operator=(const CDataBaseElement&) = default;

    // Texts byte for byte, doubles exactly, and the flag.
    friend bool operator==(const CDataBaseElement& a, const CDataBaseElement& b)
    {
        return a.name == b.name && a.region == b.region && a.country == b.country &&
               a.latitude == b.latitude && a.longitude == b.longitude && a.zone == b.zone &&
               a.standard == b.standard;
    }

    // Storing writes schema 7. Loading follows the stored schema; a record whose values
    // cannot be a place (see HasPlausibleValues) throws ArchiveException.
    void Serialize(Archive& ar) override;

    // Latitude within [-90, 90], longitude within [-180, 180] and zone within [-24, 24],
    // all finite: what a location file or document may hold.
    bool HasPlausibleValues() const;

    // Documents begin with a marker record that is no place: latitude 999, longitude 1001.
    // Loading accepts a record whose latitude is exactly (bit for bit) the marker's.
    static constexpr double kMarkerLatitude = 999.0;
    static constexpr double kMarkerLongitude = 1001.0;
    bool IsDocumentMarker() const;

    std::string name = "?";
    std::string region;  // region or province; files before version 6 have none
    std::string country = "?";
    double latitude = 0.0;   // decimal degrees, north positive
    double longitude = 0.0;  // decimal degrees, WEST positive, east negative
    double zone = 0.0;       // standard time zone, hours east of Greenwich
    std::int32_t standard = 1;  // 1: from the standard list, 0: entered by the user
};
