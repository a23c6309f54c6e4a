// The new-location entry: zone table and its texts, the offset between legal and solar
// time, the checks of an entry and its transfer to and from a record.
#include "dialogs/LocationEntry.h"

#include <gtest/gtest.h>

namespace {

LocationFields ValidFields()
{
    LocationFields f;
    f.name = "LE CAP";
    f.country = "AFRIQUE DU SUD";
    f.latDegrees = 33;
    f.latMinutes = 55;
    f.lonDegrees = 18;
    f.lonMinutes = 25;
    f.hemisphere = kSouth;
    f.side = kEast;
    f.zoneIndex = 15;
    return f;
}

}  // namespace

TEST(ZoneTable, IndexOfEveryZoneAndOfZonesOutsideTheTable)
{
    for (std::size_t i = 0; i < kZoneTable.size(); ++i)
        EXPECT_EQ(ZoneIndexOf(kZoneTable[i]), static_cast<int>(i)) << kZoneTable[i];
    EXPECT_EQ(ZoneIndexOf(5.75), 22);
    EXPECT_EQ(ZoneIndexOf(-1.0), kDefaultZoneIndex);
    EXPECT_EQ(ZoneIndexOf(1.25), kNoZoneIndex);
    EXPECT_EQ(ZoneIndexOf(-12.0), kNoZoneIndex);
    EXPECT_FALSE(IsZoneIndex(-1));
    EXPECT_FALSE(IsZoneIndex(kNoZoneIndex));
}

TEST(ZoneTable, EntryTextsWithHoursAndMinutes)
{
    EXPECT_EQ(ZoneEntryText(0.0), "UT (Heure de Greenwich)");
    EXPECT_EQ(ZoneEntryText(5.75), "UT + 5 h 45 m");
    EXPECT_EQ(ZoneEntryText(-3.5), "UT - 3 h 30 m");
    EXPECT_EQ(ZoneEntryText(-11.0), "UT - 11 h");
    EXPECT_EQ(ZoneEntryText(13.0), "UT + 13 h");
    EXPECT_EQ(ZoneEntryText(12.75), "UT + 12 h 45 m");
    EXPECT_EQ(ZoneEntryText(-9.5), "UT - 9 h 30 m");
}

TEST(LongitudeOffset, MinutesAndSecondsOfAPlaceEastOfItsZoneMeridian)
{
    // 6° 2' east in UT + 1 h: (15 - 6.0333) x 4 = 35.8667 minutes.
    EXPECT_EQ(LongitudeOffsetText(14, 6, 2, kEast), "Écart de longitude : 35 m 52 s");
    // 7° 1' east in UT: -28.0667 minutes.
    EXPECT_EQ(LongitudeOffsetText(13, 7, 1, kEast), "Écart de longitude : -28 m 4 s");
    // West of Greenwich in UT - 5 h: (-75 + 74.0167) x 4 = -3.9333 minutes.
    EXPECT_EQ(LongitudeOffsetText(7, 74, 1, kWest), "Écart de longitude : -3 m 56 s");
}

TEST(LongitudeOffset, WholeHoursNeverReadSixtyMinutes)
{
    EXPECT_EQ(LongitudeOffsetText(13, 30, 0, kWest), "Écart de longitude : 2 h 0 m 0 s");
    EXPECT_EQ(LongitudeOffsetText(13, 15, 0, kEast), "Écart de longitude : -1 h 0 m 0 s");
    EXPECT_EQ(LongitudeOffsetText(13, 45, 15, kWest), "Écart de longitude : 3 h 1 m 0 s");
    // One minute of arc is not exact in binary; it still gives 4 whole seconds of time.
    EXPECT_EQ(LongitudeOffsetText(13, 0, 1, kWest), "Écart de longitude : 0 m 4 s");
    EXPECT_EQ(LongitudeOffsetText(13, 14, 59, kWest), "Écart de longitude : 59 m 56 s");
}

TEST(LongitudeOffset, UnknownWithoutLongitudeOrZone)
{
    EXPECT_EQ(LongitudeOffsetText(14, 0, 0, kEast), "?");
    EXPECT_EQ(LongitudeOffsetText(0, 0, 0, kWest), "?");
    EXPECT_EQ(LongitudeOffsetText(-1, 6, 2, kEast), "?");
    EXPECT_EQ(LongitudeOffsetText(kNoZoneIndex, 6, 2, kEast), "?");
}

TEST(LocationChecks, AnglesAreCheckedWithTheirMinutes)
{
    EXPECT_TRUE(AngleFieldsValid(90, 0, 90));
    EXPECT_TRUE(AngleFieldsValid(89, 59, 90));
    EXPECT_FALSE(AngleFieldsValid(90, 59, 90));
    EXPECT_FALSE(AngleFieldsValid(90, 1, 90));
    EXPECT_TRUE(AngleFieldsValid(180, 0, 180));
    EXPECT_FALSE(AngleFieldsValid(180, 1, 180));
    EXPECT_FALSE(AngleFieldsValid(12, 60, 90));
    EXPECT_FALSE(AngleFieldsValid(-1, 0, 90));
    EXPECT_FALSE(AngleFieldsValid(0, -5, 90));

    LocationFields f = ValidFields();
    f.latDegrees = 90;
    f.latMinutes = 59;
    EXPECT_EQ(CheckLocationFields(f), LocationEntryError::AngleOutOfRange);
    f = ValidFields();
    f.lonDegrees = 180;
    f.lonMinutes = 30;
    EXPECT_EQ(CheckLocationFields(f), LocationEntryError::AngleOutOfRange);
}

TEST(LocationChecks, EmptyTextsAndNoAngleAreRefused)
{
    EXPECT_EQ(CheckLocationFields(ValidFields()), LocationEntryError::None);
    LocationFields f = ValidFields();
    f.name.clear();
    EXPECT_EQ(CheckLocationFields(f), LocationEntryError::EmptyName);
    f = ValidFields();
    f.country.clear();
    EXPECT_EQ(CheckLocationFields(f), LocationEntryError::EmptyCountry);
    f = ValidFields();
    f.latDegrees = f.latMinutes = f.lonDegrees = f.lonMinutes = 0;
    EXPECT_EQ(CheckLocationFields(f), LocationEntryError::NoAngle);
    // One minute of longitude alone is a place.
    f.lonMinutes = 1;
    EXPECT_EQ(CheckLocationFields(f), LocationEntryError::None);
    // The region may stay empty.
    f.region.clear();
    EXPECT_EQ(CheckLocationFields(f), LocationEntryError::None);
}

TEST(LocationChecks, TextsThatTheLocationsFileCannotKeepAreRefused)
{
    for (char c : std::string(",;:!/%*_#$\t")) {
        for (std::string LocationFields::*text : {&LocationFields::name, &LocationFields::region, &LocationFields::country}) {
            LocationFields f = ValidFields();
            f.*text = std::string("A") + c + "B";
            EXPECT_EQ(CheckLocationFields(f), LocationEntryError::ForbiddenChar) << "character " << c;
        }
    }
    // Blanks are written '$' and read back as blanks; accented letters are kept.
    LocationFields f = ValidFields();
    f.name = "SAINT ÉTIENNE";
    f.region = "LOIRE ATLANTIQUE";
    EXPECT_EQ(CheckLocationFields(f), LocationEntryError::None);
}

TEST(LocationRecord, FieldsAreWrittenWithTheirSides)
{
    CDataBaseElement record;
    record.zone = 7.25;
    record.standard = 1;
    ApplyFieldsToRecord(ValidFields(), record);
    EXPECT_EQ(record.name, "LE CAP");
    EXPECT_EQ(record.country, "AFRIQUE DU SUD");
    EXPECT_DOUBLE_EQ(record.latitude, -(33 + 55 / 60.0));
    EXPECT_DOUBLE_EQ(record.longitude, -(18 + 25 / 60.0));
    EXPECT_EQ(record.zone, 2.0);
    EXPECT_EQ(record.standard, 1);

    LocationFields f = ValidFields();
    f.hemisphere = kNorth;
    f.side = kWest;
    f.zoneIndex = -1;
    ApplyFieldsToRecord(f, record);
    EXPECT_GT(record.latitude, 33.9);
    EXPECT_GT(record.longitude, 18.4);
    // Without a zone entry the record keeps its zone.
    EXPECT_EQ(record.zone, 2.0);
    f.zoneIndex = kNoZoneIndex;
    ApplyFieldsToRecord(f, record);
    EXPECT_EQ(record.zone, 2.0);
}

TEST(LocationRecord, FieldsOfARecordRoundTripAndNeverShowSixtyMinutes)
{
    CDataBaseElement record;
    record.name = "QUITO";
    record.region = "PICHINCHA";
    record.country = "ECUADOR";
    record.latitude = -(0 + 13 / 60.0);
    record.longitude = 78 + 31 / 60.0;
    record.zone = -5.0;
    const LocationFields f = FieldsFromRecord(record);
    EXPECT_EQ(f.latDegrees, 0);
    EXPECT_EQ(f.latMinutes, 13);
    EXPECT_EQ(f.hemisphere, kSouth);
    EXPECT_EQ(f.lonDegrees, 78);
    EXPECT_EQ(f.lonMinutes, 31);
    EXPECT_EQ(f.side, kWest);
    EXPECT_EQ(f.zoneIndex, 7);
    CDataBaseElement copy = record;
    ApplyFieldsToRecord(f, copy);
    EXPECT_NEAR(copy.latitude, record.latitude, 1e-12);
    EXPECT_NEAR(copy.longitude, record.longitude, 1e-12);
    EXPECT_EQ(copy.zone, record.zone);

    record.latitude = 45.99999;
    record.longitude = -6.9999999;
    record.zone = 1.1;
    const LocationFields g = FieldsFromRecord(record);
    EXPECT_EQ(g.latDegrees, 46);
    EXPECT_EQ(g.latMinutes, 0);
    EXPECT_EQ(g.lonDegrees, 7);
    EXPECT_EQ(g.lonMinutes, 0);
    EXPECT_EQ(g.side, kEast);
    EXPECT_EQ(g.zoneIndex, kNoZoneIndex);
}

TEST(FillFormat, ConversionsTakeTheTextsInOrder)
{
    EXPECT_EQ(FillFormat("UT + %d h %d m", {"5", "45"}), "UT + 5 h 45 m");
    EXPECT_EQ(FillFormat("%s entrées dans la base.", {"12"}), "12 entrées dans la base.");
    EXPECT_EQ(FillFormat("Supprimer %s ?", {"A %d B"}), "Supprimer A %d B ?");
    // Missing texts leave nothing; "%%" is a percent sign; other conversions stay as written.
    EXPECT_EQ(FillFormat("%s and %s", {"one"}), "one and ");
    EXPECT_EQ(FillFormat("100%% %x %", {}), "100% %x %");
}
