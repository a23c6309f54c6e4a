#include "model/CDataBaseElement.h"

#include "platform/Archive.h"
#include "platform/Encoding.h"

#include <bit>
#include <cmath>
#include <cstring>

HV_IMPLEMENT_SERIAL(CDataBaseElement, Serializable, CDataBaseElement::kSchema)

namespace {

// Old documents hold the name and the country in fixed 80-byte fields, Windows-1252 text
// ended by a NUL; a field without a NUL is taken whole and nothing past it is read.
std::string ReadFixedField(Archive& ar)
{
    constexpr std::size_t kFieldBytes = 80;
    char field[kFieldBytes];
    ar.Read(field, kFieldBytes);
    const void* nul = std::memchr(field, '\0', kFieldBytes);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field)
                                   : kFieldBytes;
    return enc::Cp1252ToUtf8(std::string_view(field, length));
}

}  // namespace

bool CDataBaseElement::HasPlausibleValues() const
{
    return std::isfinite(latitude) && std::abs(latitude) <= 90.0 && std::isfinite(longitude) &&
           std::abs(longitude) <= 180.0 && std::isfinite(zone) && std::abs(zone) <= 24.0;
}

bool CDataBaseElement::IsDocumentMarker() const
{
    return std::bit_cast<std::uint64_t>(latitude) == std::bit_cast<std::uint64_t>(kMarkerLatitude);
}

void CDataBaseElement::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        ar << name << region << country << latitude << longitude << zone << standard;
        return;
    }

    int schema = ar.GetObjectSchema();
    if (schema < 0)  // read outside an object record: the current layout
        schema = kSchema;

    CDataBaseElement loaded;
    if (schema < 6) {
        loaded.name = ReadFixedField(ar);
        loaded.country = ReadFixedField(ar);
    } else {
        ar >> loaded.name;
        if (schema > 6)
            ar >> loaded.region;
        ar >> loaded.country;
    }
    ar >> loaded.latitude >> loaded.longitude;
    if (schema == 2) {
        std::int32_t wholeHours = 0;
        ar >> wholeHours;
        loaded.zone = wholeHours;
    } else {
        ar >> loaded.zone;
        if (schema > 4)
            ar >> loaded.standard;
    }
    if (!loaded.HasPlausibleValues() && !loaded.IsDocumentMarker())
        throw ArchiveException(ArchiveException::Cause::Generic,
                               "archive: location \"" + loaded.name + "\" has impossible coordinates");
    *this = std::move(loaded);
}
