// The dial in documents: the stored layout of schema 8 and the branches for every older
// schema and for the documents of the first versions (old format).
#include "model/CCadran.h"

#include "docview/CObjetCadre.h"
#include "model/Astronomy.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr int kCurrentSchema = 8;
// Ten times what the dimension dialog allows: beyond, a value is a damaged one, and drawing
// it would overflow the device coordinates.
constexpr long long kMaxStoredMm = 100000;
constexpr double kMaxStoredScale = 100.0;
constexpr std::size_t kPairBytes = 2 * sizeof(double);
// Columns of the by-date table in documents of the first versions.
constexpr int kOldFormatColumns = 97;
// Smallest stored object: a two-byte tag.
constexpr std::size_t kMinObjectBytes = 2;

[[noreturn]] void Refuse(const std::string& what)
{
    throw ArchiveException(ArchiveException::Cause::BadClass, "dial: " + what);
}

void RequireRange(double v, double low, double high, const char* name)
{
    if (!std::isfinite(v) || v < low || v > high)
        Refuse(std::string(name) + " out of range");
}

void RequireFinite(double v, const char* name)
{
    if (!std::isfinite(v))
        Refuse(std::string(name) + " is not a number");
}

}  // namespace

void CCadran::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        ar << styleHeight << styleTruncation << styleLimit << width << height << latitude << longitude
           << localSolarTime << typeCode << planeAngle1 << planeAngle2 << latitudeRad << referenceYear
           << anchorPercentX << anchorPercentY << scale << symmetricMargins << firstHour << lastHour;
        ar.SerializeClass(CPrefs::ClassInfoOf());
        prefs.Serialize(ar);
        ar.WriteCount(static_cast<std::uint32_t>(particularDates.size()));
        for (std::uint32_t date : particularDates)
            ar << date;
        ar.WriteCount(static_cast<std::uint32_t>(frames.size()));
        for (const auto& frame : frames)
            ar.WriteObject(frame.get());
        return;
    }

    // Read the schema even when it is not used, so that the preferences of an old-format
    // document do not take it for theirs.
    int s = ar.GetObjectSchema();
    const bool oldFormat = ar.Context().oldFormat;
    if (oldFormat)
        s = 0;
    else if (s < 0)
        s = kCurrentSchema;

    ar >> styleHeight >> styleTruncation >> styleLimit >> width >> height >> latitude >> longitude >>
        localSolarTime >> typeCode >> planeAngle1 >> planeAngle2 >> latitudeRad >> referenceYear;

    if (styleHeight < 0 || width < 0 || height < 0)
        Refuse("negative dimension");
    if (styleHeight > kMaxStoredMm || width > kMaxStoredMm || height > kMaxStoredMm)
        Refuse("dimension out of range");
    RequireRange(latitude, -90.0, 90.0, "latitude");
    RequireRange(longitude, -180.0, 180.0, "longitude");
    // The plane angles are stored in radians but held to these (degree) bounds: the lower
    // equatorial face and the shepherd's dial store values beyond +-pi/2.
    RequireRange(planeAngle1, -180.0, 180.0, "first plane angle");
    RequireRange(planeAngle2, -90.0, 90.0, "second plane angle");
    RequireFinite(latitudeRad, "latitude");

    if (s > 1) {
        ar >> anchorPercentX >> anchorPercentY;
        // The style foot as a percentage of the dial's size: the dialogs keep it within 2 m
        // of the dial's corner.
        if (std::llabs(static_cast<long long>(width) * anchorPercentX) > kMaxStoredMm * 100 ||
            std::llabs(static_cast<long long>(height) * anchorPercentY) > kMaxStoredMm * 100)
            Refuse("style anchor out of range");
    }

    tablesValid = 1;
    SetAstroYear(referenceYear);

    if (s < 5) {
        scale = 1.0;
    } else {
        ar >> scale;
        // The dialogs offer 5 % to 500 %; the layout divides by it and multiplies sizes by it.
        if (!(scale > 0.0 && scale <= kMaxStoredScale))
            Refuse("scale out of range");
    }

    if (s > 6)
        ar >> symmetricMargins;
    if (s > 7) {
        ar >> firstHour >> lastHour;
        // The hours index the tables.
        firstHour = std::clamp(firstHour, 0, 24);
        lastHour = std::clamp(lastHour, firstHour, 24);
    }

    if (!oldFormat)
        ar.SerializeClass(CPrefs::ClassInfoOf());
    prefs.Serialize(ar);

    particularDates.clear();
    if (s > 5) {
        const std::uint32_t count = ar.ReadCount(sizeof(std::uint32_t));
        particularDates.resize(count);
        for (std::uint32_t& date : particularDates)
            ar >> date;
    } else if (prefs.anniversaryDate) {
        const long long date = static_cast<long long>(prefs.anniversaryDay) * 100 + prefs.anniversaryMonth + 1;
        particularDates.push_back(static_cast<std::uint32_t>(date));
    }

    if (s <= 2) {
        // Tables stored by the first schemas; they are rebuilt after loading.
        const std::size_t dateColumns = oldFormat ? kOldFormatColumns : kSteps;
        ar.ReadBytes(kDateRows * kPairBytes);
        ar.ReadBytes(kDateRows * dateColumns * kPairBytes);
        if (s > 1)
            ar.ReadBytes(kDateRows * kSteps * kPairBytes);
    }

    frames.clear();
    if (s > 3) {
        const std::uint32_t count = ar.ReadCount(kMinObjectBytes);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::unique_ptr<Serializable> object = ar.ReadObject(&CObjetCadre::ClassInfoOf());
            if (!object)
                continue;
            // ReadObject checked the class; the cast cannot fail.
            frames.emplace_back(static_cast<CObjetCadre*>(object.release()));
        }
    }

    UpdateStyleAnchor(anchoringMode);
}
