// The plane dials in documents: each is stored as its own class record followed by the
// records of its parent classes down to the dial's data, and is read back as the same type
// with the same geometry; a document of the first versions holds only the dial's data.
#include "DialTestSupport.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranOccidental.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranPolaire.h"
#include "model/CCadranVerticalQcq.h"
#include "model/CCadranVerticalQcqSept.h"
#include "model/CMeridienne.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

std::string ClassRecord(const std::string& name, int schema)
{
    Archive ar = Archive::ForStoring();
    ar << std::uint16_t{0xFFFF} << static_cast<std::uint16_t>(schema) << static_cast<std::uint16_t>(name.size());
    ar.Write(name);
    return ar.Bytes();
}

struct ChainCase {
    std::unique_ptr<CCadran> dial;
    std::vector<std::string> chain;  // the class records in the order they are stored
};

std::vector<ChainCase> AllTypes()
{
    std::vector<ChainCase> cases;
    cases.push_back({std::make_unique<CCadranHorizontal>(), {"CCadranHorizontal", "CCadran"}});
    cases.push_back({std::make_unique<CCadranMeridional>(), {"CCadranMeridional", "CCadran"}});
    cases.push_back({std::make_unique<CCadranOriental>(), {"CCadranOriental", "CCadran"}});
    cases.push_back({std::make_unique<CCadranOccidental>(), {"CCadranOccidental", "CCadran"}});
    cases.push_back({std::make_unique<CCadranVerticalQcq>(0.4), {"CCadranVerticalQcq", "CCadran"}});
    cases.push_back({std::make_unique<CCadranPlanQuelconque>(-0.3, 1.0), {"CCadranPlanQuelconque", "CCadran"}});
    cases.push_back({std::make_unique<CCadranVerticalQcqSept>(2.5),
                     {"CCadranVerticalQcqSept", "CCadranVerticalQcq", "CCadran"}});
    cases.push_back({std::make_unique<CMeridienne>(-0.2), {"CMeridienne", "CCadranVerticalQcq", "CCadran"}});
    cases.push_back({std::make_unique<CCadranPolaire>(), {"CCadranPolaire", "CCadranPlanQuelconque", "CCadran"}});
    return cases;
}

TEST(PlaneDialStorage, ClassRecordsOfTheParentsPrecedeTheDialData)
{
    for (ChainCase& c : AllTypes()) {
        SCOPED_TRACE(c.chain.front());
        c.dial->styleHeight = 33;
        const std::string bytes = StoreDial(*c.dial);
        std::string expected;
        for (const std::string& name : c.chain)
            expected += ClassRecord(name, name == "CCadran" ? 8 : 1);
        ASSERT_GE(bytes.size(), expected.size() + 4);
        EXPECT_EQ(bytes.substr(0, expected.size()), expected);
        // Then the dial's first field, the style height.
        EXPECT_EQ(bytes.substr(expected.size(), 4), std::string("\x21\0\0\0", 4));
    }
}

TEST(PlaneDialStorage, ReadBackAsTheSameTypeWithTheSameGeometry)
{
    for (ChainCase& c : AllTypes()) {
        SCOPED_TRACE(c.chain.front());
        CCadran& d = *c.dial;
        d.SetSite(-33.9, -151.2, 10.0);
        d.styleHeight = 47;
        d.styleLimit = 31;
        d.styleTruncation = 1;
        if (c.chain.front() == "CCadranPolaire")
            d.planeAngle2 = 33.9 * std::numbers::pi / 180.0;
        d.width = 210;
        d.height = 297;
        const std::unique_ptr<CCadran> loaded = LoadDial(StoreDial(d));
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(std::string(loaded->GetClassInfo().name), c.chain.front());
        EXPECT_EQ(loaded->typeCode, d.typeCode);
        EXPECT_EQ(loaded->planeAngle1, d.planeAngle1);
        EXPECT_EQ(loaded->planeAngle2, d.planeAngle2);
        EXPECT_EQ(loaded->latitude, -33.9);
        EXPECT_EQ(loaded->styleHeight, 47);
        EXPECT_EQ(loaded->firstHour, d.firstHour);
        EXPECT_EQ(loaded->lastHour, d.lastHour);
        // The loaded dial projects the way the stored one did.
        for (double azimuth : {-1.0, -0.2, 0.3, 1.2}) {
            for (double altitude : {0.2, 0.7}) {
                ASSERT_EQ(loaded->IsLit(azimuth, altitude, true), d.IsLit(azimuth, altitude, true));
                if (!d.IsLit(azimuth, altitude, true))
                    continue;
                int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
                d.Project(azimuth, altitude, x1, y1, false, true);
                loaded->Project(azimuth, altitude, x2, y2, false, true);
                EXPECT_EQ(x1, x2);
                EXPECT_EQ(y1, y2);
            }
        }
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        EXPECT_EQ(loaded->GetCentre(x2, y2, true, true), d.GetCentre(x1, y1, true, true));
        EXPECT_EQ(x1, x2);
        EXPECT_EQ(y1, y2);
    }
}

// A polar dial whose stored chain skips the record of the dial on any plane is refused.
TEST(PlaneDialStorage, BrokenChainOfRecordsIsRefused)
{
    CCadranPolaire polar;
    std::string bytes = StoreDial(polar);
    const std::string own = ClassRecord("CCadranPolaire", 1);
    const std::string parent = ClassRecord("CCadranPlanQuelconque", 1);
    ASSERT_EQ(bytes.compare(own.size(), parent.size(), parent), 0);
    bytes.erase(own.size(), parent.size());
    try {
        LoadDial(bytes);
        FAIL() << "loaded a polar dial without the record of its parent";
    } catch (const ArchiveException& e) {
        EXPECT_EQ(e.cause(), ArchiveException::Cause::BadClass);
    }
}

// In a document of the first versions the dial's own class record is followed directly by
// the dial's data (schema taken as 0), whatever the depth of the type.
TEST(PlaneDialStorage, FirstVersionDocumentsHoldOnlyTheDialData)
{
    for (const char* name : {"CCadranVerticalQcqSept", "CCadranPolaire", "CCadranHorizontal"}) {
        SCOPED_TRACE(name);
        Archive ar = Archive::ForStoring();
        ar.Write(ClassRecord(name, 1));
        ar << std::int32_t{35} << std::int32_t{0} << std::int32_t{25} << std::int32_t{200} << std::int32_t{150}
           << 48.5 << -2.0 << std::int32_t{1} << std::int32_t{7} << 2.6 << 1.5707963267948966 << 0.8464846
           << std::int32_t{1998};
        // Preferences of those versions, without a class record: 16 values.
        for (int v = 0; v < 16; ++v)
            ar << std::int32_t{v % 2};
        // The stored tables: 72 (right ascension, declination) pairs, then 72 rows of 97
        // (azimuth, altitude) pairs.
        for (int i = 0; i < (72 + 72 * 97) * 2; ++i)
            ar << 0.25;
        const std::unique_ptr<CCadran> dial = LoadDial(ar.Bytes(), true);
        ASSERT_NE(dial, nullptr);
        EXPECT_EQ(std::string(dial->GetClassInfo().name), name);
        EXPECT_EQ(dial->styleHeight, 35);
        EXPECT_EQ(dial->typeCode, 7);
        EXPECT_EQ(dial->planeAngle1, 2.6);
        EXPECT_EQ(dial->latitude, 48.5);
    }
}

}  // namespace
