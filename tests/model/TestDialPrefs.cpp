// Drawing preferences: golden bytes of schema 11, the branches of older schemas and of
// documents without a class tag, copying, and the steps the line families divide by.
#include "model/CPrefs.h"
#include "model/ModelClasses.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

using Field = int CPrefs::*;

// Every field in stored order.
const std::vector<std::pair<const char*, Field>>& StoredOrder()
{
    static const std::vector<std::pair<const char*, Field>> fields = {
        {"halfHourLines", &CPrefs::halfHourLines},
        {"quarterHourLines", &CPrefs::quarterHourLines},
        {"fiveMinuteLines", &CPrefs::fiveMinuteLines},
        {"diurnalArcs", &CPrefs::diurnalArcs},
        {"diurnalArcMode", &CPrefs::diurnalArcMode},
        {"noonMark", &CPrefs::noonMark},
        {"noonMarkType", &CPrefs::noonMarkType},
        {"noonMarkShape", &CPrefs::noonMarkShape},
        {"noonMarkWithHourLine", &CPrefs::noonMarkWithHourLine},
        {"noonMarkPointer", &CPrefs::noonMarkPointer},
        {"hourNumbers", &CPrefs::hourNumbers},
        {"hours24", &CPrefs::hours24},
        {"romanNumerals", &CPrefs::romanNumerals},
        {"styleMarking", &CPrefs::styleMarking},
        {"indications", &CPrefs::indications},
        {"anniversaryDate", &CPrefs::anniversaryDate},
        {"anniversaryDay", &CPrefs::anniversaryDay},
        {"anniversaryMonth", &CPrefs::anniversaryMonth},
        {"sunAboveHorizon", &CPrefs::sunAboveHorizon},
        {"axesXY", &CPrefs::axesXY},
        {"extendHourLines", &CPrefs::extendHourLines},
        {"substyleLine", &CPrefs::substyleLine},
        {"steepestSlopeLine", &CPrefs::steepestSlopeLine},
        {"hourLines", &CPrefs::hourLines},
        {"horizontalLines", &CPrefs::horizontalLines},
        {"italicHours", &CPrefs::italicHours},
        {"babylonianHours", &CPrefs::babylonianHours},
        {"temporaryHours", &CPrefs::temporaryHours},
        {"azimuthStep", &CPrefs::azimuthStep},
        {"altitudeStep", &CPrefs::altitudeStep},
        {"diurnalArcLabels", &CPrefs::diurnalArcLabels},
        {"doubleFrame", &CPrefs::doubleFrame},
        {"frameThickness", &CPrefs::frameThickness},
    };
    return fields;
}

// The values of the golden file, in stored order (tests/tools/gen_dial_golden.py).
const std::vector<int> kGoldenValues = {0, 1, 1, 0, 12, 1, 1, 2, 0, 1, 0, 1, 0, 0, 1, 1, 23,
                                        9, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 30, 5, 0, 0, 7};

const ClassRegistry& Registry()
{
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        RegisterModelClasses(r);
        return r;
    }();
    return registry;
}

// A CPrefs object with a class tag of the given schema and these stored values.
std::string Tagged(int schema, std::initializer_list<int> values)
{
    Archive ar = Archive::ForStoring();
    ar << std::uint16_t{0xFFFF} << static_cast<std::uint16_t>(schema) << std::uint16_t{6};
    ar.Write("CPrefs");
    for (int v : values)
        ar << std::int32_t{v};
    return ar.Bytes();
}

// Expects the fields named with their values; every other field at its default.
void ExpectFields(const CPrefs& p, const std::vector<std::pair<const char*, int>>& changed)
{
    const CPrefs defaults;
    for (const auto& [name, field] : StoredOrder()) {
        int want = defaults.*field;
        for (const auto& [changedName, value] : changed) {
            if (std::string(changedName) == name)
                want = value;
        }
        EXPECT_EQ(p.*field, want) << name;
    }
}

TEST(DialPrefs, GoldenSchema11LoadsEveryFieldAndStoresTheSameBytes)
{
    const std::string golden = testsupport::ReadFileBytes(testsupport::DataDir() / "dial" / "prefs_schema11.bin");
    Archive in = Archive::ForLoading(golden, Registry());
    const auto loaded = in.ReadObjectAs<CPrefs>();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(in.Remaining(), 0u);
    const auto& fields = StoredOrder();
    ASSERT_EQ(fields.size(), kGoldenValues.size());
    CPrefs built;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(loaded.get()->*fields[i].second, kGoldenValues[i]) << fields[i].first;
        built.*fields[i].second = kGoldenValues[i];
    }
    Archive out = Archive::ForStoring();
    out.WriteObject(&built);
    EXPECT_EQ(out.Bytes(), golden);
}

TEST(DialPrefs, SchemaOneReadsTheFirstFieldsAndClearsFiveMinuteLines)
{
    CPrefs start;
    start.fiveMinuteLines = 1;
    // halfHour, quarter, diurnalArcs, noonMark x4, hourNumbers, hours24, roman, styleMarking, indications
    const std::string bytes = Tagged(1, {0, 1, 0, 1, 1, 2, 0, 0, 1, 0, 0, 1});
    Archive ar = Archive::ForLoading(bytes, Registry());
    const auto p = ar.ReadObjectAs<CPrefs>();
    EXPECT_EQ(ar.Remaining(), 0u);
    ExpectFields(*p, {{"halfHourLines", 0}, {"quarterHourLines", 1}, {"fiveMinuteLines", 0}, {"diurnalArcs", 0},
                      {"noonMark", 1}, {"noonMarkType", 1}, {"noonMarkShape", 2}, {"noonMarkWithHourLine", 0},
                      {"hourNumbers", 0}, {"hours24", 1}, {"romanNumerals", 0}, {"styleMarking", 0},
                      {"indications", 1}});
}

TEST(DialPrefs, UntaggedPreferencesReadAsSchemaThree)
{
    // The old-format documents store the preferences without a class tag: 16 values, the
    // anniversary included, diurnalArcMode and noonMarkPointer not.
    Archive store = Archive::ForStoring();
    for (int v : {0, 1, 1, 0, 1, 1, 2, 0, 0, 1, 0, 0, 1, 1, 23, 9})
        store << std::int32_t{v};
    Archive ar = Archive::ForLoading(store.Bytes(), Registry());
    CPrefs p;
    p.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
    ExpectFields(p, {{"halfHourLines", 0}, {"quarterHourLines", 1}, {"fiveMinuteLines", 1}, {"diurnalArcs", 0},
                     {"noonMark", 1}, {"noonMarkType", 1}, {"noonMarkShape", 2}, {"noonMarkWithHourLine", 0},
                     {"hourNumbers", 0}, {"hours24", 1}, {"romanNumerals", 0}, {"styleMarking", 0},
                     {"indications", 1}, {"anniversaryDate", 1}, {"anniversaryDay", 23}, {"anniversaryMonth", 9}});
}

TEST(DialPrefs, EachSchemaReadsExactlyItsFields)
{
    // Number of stored values per schema 1..11.
    const int counts[] = {12, 13, 16, 18, 19, 20, 21, 23, 30, 31, 33};
    for (int s = 1; s <= 11; ++s) {
        Archive store = Archive::ForStoring();
        store << std::uint16_t{0xFFFF} << static_cast<std::uint16_t>(s) << std::uint16_t{6};
        store.Write("CPrefs");
        for (int i = 0; i < counts[s - 1]; ++i)
            store << std::int32_t{7};
        Archive ar = Archive::ForLoading(store.Bytes(), Registry());
        const auto p = ar.ReadObjectAs<CPrefs>();
        EXPECT_EQ(ar.Remaining(), 0u) << "schema " << s;
        // The last field a schema holds took the stored value.
        const int lastIndex[] = {14, 14, 17, 17, 18, 19, 20, 22, 29, 30, 32};
        const auto& [name, field] = StoredOrder()[lastIndex[s - 1]];
        EXPECT_EQ(p.get()->*field, 7) << "schema " << s << " " << name;
    }
}

TEST(DialPrefs, LoadingKeepsTheStepsTheLineFamiliesDivideBy)
{
    struct Case {
        int azimuth, altitude, wantAzimuth, wantAltitude;
    };
    for (const Case& c : {Case{0, 0, 5, 1}, Case{-15, -10, 5, 1}, Case{5, 10, 5, 10}, Case{10, 1, 10, 1}}) {
        CPrefs stored;
        stored.azimuthStep = c.azimuth;
        stored.altitudeStep = c.altitude;
        Archive out = Archive::ForStoring();
        out.WriteObject(&stored);
        Archive in = Archive::ForLoading(out.Bytes(), Registry());
        const auto p = in.ReadObjectAs<CPrefs>();
        EXPECT_EQ(p->azimuthStep, c.wantAzimuth) << c.azimuth;
        EXPECT_EQ(p->altitudeStep, c.wantAltitude) << c.altitude;
    }
}

TEST(DialPrefs, CopyFromCopiesEveryField)
{
    CPrefs source;
    int value = 100;
    for (const auto& entry : StoredOrder())
        source.*entry.second = value++;
    CPrefs copy;
    copy.CopyFrom(source);
    for (const auto& [name, field] : StoredOrder())
        EXPECT_EQ(copy.*field, source.*field) << name;
}

TEST(DialPrefs, ProfileKeysNameDistinctFieldsWithTheirAbsentDefaults)
{
    const auto& keys = CPrefs::ProfileKeys();
    EXPECT_EQ(keys.size(), 23u);
    const CPrefs defaults;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (std::size_t j = i + 1; j < keys.size(); ++j) {
            EXPECT_NE(keys[i].field, keys[j].field) << keys[i].name;
            EXPECT_NE(std::string(keys[i].name), keys[j].name);
        }
        // Only "24Heures" reads otherwise than the construction default when absent.
        if (std::string(keys[i].name) == "24Heures")
            EXPECT_EQ(keys[i].absentDefault, 1);
        else
            EXPECT_EQ(keys[i].absentDefault, defaults.*keys[i].field) << keys[i].name;
    }
}

}  // namespace
