// The location record: archive layouts of every schema, list operations and texts.
#include "model/LocationDatabase.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

// Archive bytes built by hand: little-endian integers and IEEE doubles.
class Bytes {
public:
    Bytes& u8(std::uint8_t v)
    {
        s_ += static_cast<char>(v);
        return *this;
    }
    Bytes& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& i32(std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        return u16(u & 0xFFFF).u16(u >> 16);
    }
    Bytes& f64(double v)
    {
        const auto u = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            u8(static_cast<std::uint8_t>(u >> (8 * i)));
        return *this;
    }
    Bytes& raw(std::string_view bytes)
    {
        s_ += bytes;
        return *this;
    }
    // A counted string of fewer than 255 bytes.
    Bytes& str(std::string_view bytes) { return u8(static_cast<std::uint8_t>(bytes.size())).raw(bytes); }
    // The fixed 80-byte text field of the old layouts.
    Bytes& fixed80(std::string_view bytes)
    {
        std::string field(bytes);
        field.resize(80, '\0');
        return raw(field);
    }
    // A new-class object tag for the record at the given schema.
    Bytes& newRecord(std::uint16_t schema) { return u16(0xFFFF).u16(schema).str16("CDataBaseElement"); }
    const std::string& get() const { return s_; }

private:
    Bytes& str16(std::string_view name) { return u16(static_cast<std::uint16_t>(name.size())).raw(name); }
    std::string s_;
};

ClassRegistry Registry()
{
    ClassRegistry registry;
    registry.Register<CDataBaseElement>();
    return registry;
}

std::unique_ptr<CDataBaseElement> LoadRecord(const std::string& bytes)
{
    const ClassRegistry registry = Registry();
    Archive ar = Archive::ForLoading(bytes, registry);
    auto record = ar.ReadObjectAs<CDataBaseElement>();
    EXPECT_EQ(ar.Remaining(), 0u);
    return record;
}

CDataBaseElement Besancon()
{
    CDataBaseElement r;
    r.name = "BESANÇON";
    r.region = "25";
    r.country = "FRANCE";
    r.latitude = 47.25;
    r.longitude = -6.0;
    r.zone = 1.0;
    r.standard = 0;
    return r;
}

}  // namespace

TEST(LocationRecord, StoresSchema7Bytes)
{
    const CDataBaseElement record = Besancon();
    Archive ar = Archive::ForStoring();
    ar.WriteObject(&record);
    const std::string expected = std::string("\xFF\xFF\x07\x00\x10\x00", 6) + "CDataBaseElement" +
                                 "\x08" "BESAN\xC7ON" "\x02" "25" "\x06" "FRANCE" +
                                 std::string("\x00\x00\x00\x00\x00\xA0\x47\x40", 8) +  // 47.25
                                 std::string("\x00\x00\x00\x00\x00\x00\x18\xC0", 8) +  // -6.0
                                 std::string("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8) +  // 1.0
                                 std::string("\x00\x00\x00\x00", 4);                   // user-defined
    EXPECT_EQ(ar.Bytes(), expected);

    auto back = LoadRecord(ar.Bytes());
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, record);
}

TEST(LocationRecord, LoadsEveryOlderSchema)
{
    struct Case {
        const char* what;
        std::string bytes;
        CDataBaseElement expected;
    };
    auto expect = [](std::string name, std::string region, std::string country, double zone, int standard) {
        CDataBaseElement r;
        r.name = std::move(name);
        r.region = std::move(region);
        r.country = std::move(country);
        r.latitude = -33.5;
        r.longitude = -18.25;
        r.zone = zone;
        r.standard = standard;
        return r;
    };
    const std::string eighty(80, 'A');
    const std::vector<Case> cases = {
        {"schema 2: whole-hour zone, no flag",
         Bytes().newRecord(2).fixed80("LE CAP").fixed80("AFRIQUE DU SUD").f64(-33.5).f64(-18.25).i32(2).get(),
         expect("LE CAP", "", "AFRIQUE DU SUD", 2, 1)},
        {"schema 4: Windows-1252 texts, zone as a double, flag stays standard",
         Bytes().newRecord(4).fixed80("Z\xDCRICH").fixed80("SUISSE").f64(-33.5).f64(-18.25).f64(5.75).get(),
         expect("ZÜRICH", "", "SUISSE", 5.75, 1)},
        {"schema 4: a field without NUL ends at 80 bytes",
         Bytes().newRecord(4).raw(eighty).fixed80(std::string("FRANCE\0XYZ", 10)).f64(-33.5).f64(-18.25).f64(1).get(),
         expect(eighty, "", "FRANCE", 1, 1)},
        {"schema 5: flag stored",
         Bytes().newRecord(5).fixed80("MA MAISON").fixed80("FRANCE").f64(-33.5).f64(-18.25).f64(1.5).i32(0).get(),
         expect("MA MAISON", "", "FRANCE", 1.5, 0)},
        {"schema 6: counted texts without region",
         Bytes().newRecord(6).str("QUITO").str("\xC9QUATEUR").f64(-33.5).f64(-18.25).f64(-5).i32(1).get(),
         expect("QUITO", "", "ÉQUATEUR", -5, 1)},
        {"schema 7: region",
         Bytes().newRecord(7).str("QUITO").str("PICHINCHA").str("EQUATEUR").f64(-33.5).f64(-18.25).f64(-5).i32(0).get(),
         expect("QUITO", "PICHINCHA", "EQUATEUR", -5, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto record = LoadRecord(c.bytes);
        ASSERT_TRUE(record);
        EXPECT_EQ(*record, c.expected);
    }
}

TEST(LocationRecord, DamagedRecordsThrow)
{
    const ClassRegistry registry = Registry();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::string> damaged = {
        Bytes().newRecord(7).str("QUITO").str("").str("EQUATEUR").f64(-0.2).f64(78.5).get(),  // cut short
        Bytes().newRecord(4).fixed80("QUITO").raw("EQUATEUR").get(),                    // cut in a fixed field
        Bytes().newRecord(8).str("QUITO").str("").str("EQUATEUR").f64(0).f64(0).f64(0).i32(1).get(),  // newer
        Bytes().newRecord(7).str("QUITO").str("").str("EQUATEUR").f64(nan).f64(78.5).f64(-5).i32(1).get(),
        Bytes().newRecord(7).str("QUITO").str("").str("EQUATEUR").f64(-0.2).f64(200).f64(-5).i32(1).get(),
        Bytes().newRecord(5).fixed80("X").fixed80("Y").f64(0).f64(0).f64(1e300).i32(1).get(),
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        Archive ar = Archive::ForLoading(damaged[i], registry);
        EXPECT_THROW(ar.ReadObjectAs<CDataBaseElement>(), ArchiveException);
    }
}

TEST(LocationList, LookupsIgnoreCaseAndRemovalHandsTheRecordBack)
{
    CLocationList list;
    for (const char* name : {"BESANÇON", "ZÜRICH", "BESANÇON"}) {
        auto r = std::make_unique<CDataBaseElement>(Besancon());
        r->name = name;
        list.push_back(std::move(r));
    }
    list[1]->country = "SUISSE";
    list[2]->zone = 2;  // same name, another record

    EXPECT_EQ(FindLocationByName(list, "besançon"), list[0].get());
    EXPECT_EQ(FindLocationByName(list, "Zürich"), list[1].get());
    EXPECT_EQ(FindLocationByName(list, "ZURICH"), nullptr);
    EXPECT_TRUE(LocationNameExists(list, "zürich"));
    EXPECT_FALSE(LocationNameExists(list, "PARIS"));
    EXPECT_TRUE(CountryExists(list, "Suisse"));
    EXPECT_FALSE(CountryExists(list, "SUISS"));

    const CDataBaseElement* second = list[2].get();
    CDataBaseElement copy = *second;
    auto removed = RemoveLocation(list, copy);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed.get(), second);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->zone, 1.0);
    EXPECT_EQ(RemoveLocation(list, copy), nullptr);

    DeleteAllLocations(list);
    EXPECT_TRUE(list.empty());
}

TEST(LocationRecord, EqualityLooksAtEveryMember)
{
    const CDataBaseElement a = Besancon();
    std::vector<CDataBaseElement> changed(7, a);
    changed[0].name = "BESANCON";
    changed[1].region = "";
    changed[2].country = "France";
    changed[3].latitude = std::nextafter(47.25, 48.0);
    changed[4].longitude = 6.0;
    changed[5].zone = 2;
    changed[6].standard = 1;
    for (const CDataBaseElement& b : changed) {
        EXPECT_FALSE(a == b) << b.name;
        EXPECT_TRUE(a != b);
    }
    CDataBaseElement assigned;
    assigned = a;
    EXPECT_EQ(assigned, a);
    const CDataBaseElement fresh;
    EXPECT_EQ(fresh.name, "?");
    EXPECT_EQ(fresh.country, "?");
    EXPECT_EQ(fresh.standard, 1);
}

TEST(LocationText, LatitudeAndLongitude)
{
    CDataBaseElement r;
    r.latitude = 47.25;
    r.longitude = -(6 + 1 / 60.0 + 19 / 3600.0);
    EXPECT_EQ(FormatLatitude(&r), "47° 15' Nord");
    EXPECT_EQ(FormatLongitude(&r), "6° 01' 19\" Est");
    r.latitude = -(33 + 55 / 60.0);
    r.longitude = 0.5;
    EXPECT_EQ(FormatLatitude(&r), "33° 55' Sud");
    EXPECT_EQ(FormatLongitude(&r), "0° 30' Ouest");
    EXPECT_EQ(FormatLatitude(nullptr), "");
    EXPECT_EQ(FormatLongitude(nullptr), "");
}
