// The dial in documents: golden bytes of the current layout, every older schema, the
// documents of the first versions, and the values a document may not hold.
#include "DialTestSupport.h"
#include "docview/CObjetCadre.h"
#include "model/Astronomy.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using Cause = ArchiveException::Cause;

std::string GoldenFile(const char* name)
{
    return testsupport::ReadFileBytes(testsupport::DataDir() / "dial" / name);
}

void NewClass(Archive& ar, const std::string& name, int schema)
{
    ar << std::uint16_t{0xFFFF} << static_cast<std::uint16_t>(schema) << static_cast<std::uint16_t>(name.size());
    ar.Write(name);
}

// Values of a stored dial that the loading branches are checked against.
struct Stored {
    std::int32_t styleHeight = 30;
    std::int32_t width = 120;
    std::int32_t height = 90;
    double latitude = 47.25;
    double longitude = -6.03;
    double planeAngle1 = 0.2;
    double planeAngle2 = 1.5;
    double latitudeRad = 0.8246680715673207;
    double scale = 2.0;
    std::int32_t anchorPercentX = 40;
    std::int32_t anchorPercentY = 20;
    std::int32_t firstHour = 5;
    std::int32_t lastHour = 20;
    // What the frame list holds: a frame, a preferences object, or an unknown class.
    enum { kFrame, kPrefs, kUnknown } frameClass = kFrame;
};

// Preferences of schema 3 as the first versions stored them (no tag): 16 values.
void WriteSchema3Prefs(Archive& ar)
{
    for (int v : {0, 1, 1, 0})  // halfHourLines, quarterHourLines, fiveMinuteLines, diurnalArcs
        ar << std::int32_t{v};
    for (int v : {1, 1, 2, 0})  // noonMark, noonMarkType, noonMarkShape, noonMarkWithHourLine
        ar << std::int32_t{v};
    for (int v : {0, 1, 0, 0, 1})  // hourNumbers, hours24, romanNumerals, styleMarking, indications
        ar << std::int32_t{v};
    for (int v : {1, 23, 9})  // anniversaryDate, anniversaryDay, anniversaryMonth
        ar << std::int32_t{v};
}

// A dial as an object of CTestDial, laid out field by field for the schema s of CCadran
// (s = 0: a document of the first versions).
std::string DialBytes(int s, const Stored& v = {})
{
    Archive ar = Archive::ForStoring();
    NewClass(ar, "CTestDial", 1);
    if (s > 0)
        NewClass(ar, "CCadran", s);
    ar << v.styleHeight << std::int32_t{1} << std::int32_t{22} << v.width << v.height << v.latitude << v.longitude
       << std::int32_t{0} << std::int32_t{5} << v.planeAngle1 << v.planeAngle2 << v.latitudeRad << std::int32_t{2031};
    if (s > 1)
        ar << v.anchorPercentX << v.anchorPercentY;
    if (s >= 5)
        ar << v.scale;
    if (s > 6)
        ar << std::int32_t{0};
    if (s > 7)
        ar << v.firstHour << v.lastHour;
    if (s == 0) {
        WriteSchema3Prefs(ar);
    } else {
        CPrefs prefs;
        prefs.anniversaryDate = 1;
        prefs.anniversaryDay = 23;
        prefs.anniversaryMonth = 9;
        ar.SerializeClass(CPrefs::ClassInfoOf());
        prefs.Serialize(ar);
    }
    if (s > 5) {
        ar.WriteCount(1);
        ar << std::uint32_t{1507};
    }
    if (s <= 2) {
        const double value = 0.5;
        for (int i = 0; i < 72 * 2; ++i)
            ar << value;
        for (int i = 0; i < 72 * (s == 0 ? 97 : 289) * 2; ++i)
            ar << value;
        if (s > 1) {
            for (int i = 0; i < 72 * 289 * 2; ++i)
                ar << value;
        }
    }
    if (s > 3) {
        ar.WriteCount(1);
        if (v.frameClass == Stored::kPrefs) {
            CPrefs prefs;
            ar.WriteObject(&prefs);
        } else {
            NewClass(ar, v.frameClass == Stored::kFrame ? "CObjetCadre" : "CObjetXyz", 3);
            for (int f : {7, 8, 60, 30, 0, 2})
                ar << std::int32_t{f};
        }
    }
    return ar.Bytes();
}

// Loads and checks that every byte was used.
std::unique_ptr<CCadran> LoadAll(const std::string& bytes, bool oldFormat = false)
{
    Archive ar = Archive::ForLoading(bytes, TestRegistry());
    ar.Context().oldFormat = oldFormat;
    auto dial = ar.ReadObjectAs<CCadran>();
    EXPECT_EQ(ar.Remaining(), 0u);
    return dial;
}

Cause LoadFailure(const std::string& bytes)
{
    try {
        LoadDial(bytes);
    } catch (const ArchiveException& e) {
        return e.cause();
    }
    ADD_FAILURE() << "the dial loaded";
    return Cause::Generic;
}

class DialStorage : public ::testing::Test {
protected:
    void SetUp() override { ResetAstroState(); }
    void TearDown() override { ResetAstroState(); }
};

// The golden dial, built field by field as the loading must give it.
void FillGoldenDial(CTestDial& d)
{
    d.styleHeight = 33;
    d.styleTruncation = 1;
    d.styleLimit = 27;
    d.width = 160;
    d.height = 180;
    d.latitude = 47.25;
    d.longitude = -6.0333;
    d.localSolarTime = 0;
    d.typeCode = 5;
    d.planeAngle1 = 0.3;
    d.planeAngle2 = 1.5707963267948966;
    d.latitudeRad = 0.8246680715673207;
    d.referenceYear = 2024;
    d.anchorPercentX = 45;
    d.anchorPercentY = 35;
    d.scale = 1.5;
    d.symmetricMargins = 0;
    d.firstHour = 6;
    d.lastHour = 19;
    CPrefs& p = d.prefs;
    p.halfHourLines = 0;
    p.quarterHourLines = 1;
    p.fiveMinuteLines = 1;
    p.diurnalArcs = 0;
    p.diurnalArcMode = 12;
    p.noonMark = 1;
    p.noonMarkType = 1;
    p.noonMarkShape = 2;
    p.noonMarkWithHourLine = 0;
    p.noonMarkPointer = 1;
    p.hourNumbers = 0;
    p.hours24 = 1;
    p.romanNumerals = 0;
    p.styleMarking = 0;
    p.indications = 1;
    p.anniversaryDate = 1;
    p.anniversaryDay = 23;
    p.anniversaryMonth = 9;
    p.sunAboveHorizon = 1;
    p.axesXY = 1;
    p.extendHourLines = 1;
    p.substyleLine = 1;
    p.steepestSlopeLine = 1;
    p.hourLines = 0;
    p.horizontalLines = 1;
    p.italicHours = 1;
    p.babylonianHours = 1;
    p.temporaryHours = 1;
    p.azimuthStep = 30;
    p.altitudeStep = 5;
    p.diurnalArcLabels = 0;
    p.doubleFrame = 0;
    p.frameThickness = 7;
    d.particularDates = {1507, 2512};
    auto f1 = std::make_unique<CObjetCadre>();
    f1->SetPosition(10, -20, 110, 30);
    f1->active = 1;
    auto f2 = std::make_unique<CObjetCadre>();
    f2->SetPosition(-60, 5, -20, 35);
    f2->anchoring = CObjetCadre::kAnchorScreen;
    d.frames.push_back(std::move(f1));
    d.frames.push_back(std::move(f2));
}

TEST_F(DialStorage, GoldenDialLoadsEveryFieldAndStoresTheSameBytes)
{
    const std::string golden = GoldenFile("dial_schema8.bin");
    CTestDial expected;
    FillGoldenDial(expected);
    EXPECT_EQ(StoreDial(expected), golden);

    const auto dial = LoadAll(golden);
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(&dial->GetClassInfo(), &CTestDial::ClassInfoOf());
    EXPECT_EQ(dial->styleHeight, 33);
    EXPECT_EQ(dial->styleTruncation, 1);
    EXPECT_EQ(dial->styleLimit, 27);
    EXPECT_EQ(dial->width, 160);
    EXPECT_EQ(dial->height, 180);
    EXPECT_EQ(dial->latitude, 47.25);
    EXPECT_EQ(dial->longitude, -6.0333);
    EXPECT_EQ(dial->localSolarTime, 0);
    EXPECT_EQ(dial->typeCode, 5);
    EXPECT_EQ(dial->planeAngle1, 0.3);
    EXPECT_EQ(dial->planeAngle2, 1.5707963267948966);
    EXPECT_EQ(dial->latitudeRad, 0.8246680715673207);
    EXPECT_EQ(dial->referenceYear, 2024);
    EXPECT_EQ(GetAstroYear(), 2024);
    EXPECT_EQ(dial->anchorPercentX, 45);
    EXPECT_EQ(dial->anchorPercentY, 35);
    EXPECT_EQ(dial->scale, 1.5);
    EXPECT_EQ(dial->symmetricMargins, 0);
    EXPECT_EQ(dial->firstHour, 6);
    EXPECT_EQ(dial->lastHour, 19);
    EXPECT_EQ(dial->tablesValid, 1);
    // Anchoring mode 1 derives the millimetres from the percentages.
    EXPECT_EQ(dial->anchorX, 72);
    EXPECT_EQ(dial->anchorY, 63);
    // The preferences are checked field by field in the preference tests; here the copy
    // must equal what was stored.
    Archive a = Archive::ForStoring();
    Archive b = Archive::ForStoring();
    const_cast<CPrefs&>(dial->prefs).Serialize(a);
    expected.prefs.Serialize(b);
    EXPECT_EQ(a.Bytes(), b.Bytes());
    EXPECT_EQ(dial->particularDates, (std::vector<std::uint32_t>{1507, 2512}));
    ASSERT_EQ(dial->frames.size(), 2u);
    EXPECT_EQ(dial->frames[0]->GetRect(), (gdi::Rect{10, -20, 110, 30}));
    EXPECT_EQ(dial->frames[0]->active, 1);
    EXPECT_EQ(dial->frames[0]->anchoring, 2);
    EXPECT_EQ(dial->frames[1]->GetRect(), (gdi::Rect{-60, 5, -20, 35}));
    EXPECT_EQ(dial->frames[1]->active, 0);
    EXPECT_EQ(dial->frames[1]->anchoring, 6);

    EXPECT_EQ(StoreDial(*dial), golden);
}

TEST_F(DialStorage, EveryTruncationOfTheGoldenDialFails)
{
    const std::string golden = GoldenFile("dial_schema8.bin");
    for (std::size_t n = 0; n < golden.size(); ++n)
        EXPECT_THROW(LoadDial(golden.substr(0, n)), ArchiveException) << n << " bytes";
}

TEST_F(DialStorage, OlderSchemasReadTheirOwnValuesAndKeepDefaultsForTheRest)
{
    for (int s = 1; s <= 8; ++s) {
        SCOPED_TRACE("schema " + std::to_string(s));
        const auto dial = LoadAll(DialBytes(s));
        ASSERT_NE(dial, nullptr);
        EXPECT_EQ(dial->styleHeight, 30);
        EXPECT_EQ(dial->styleLimit, 22);
        EXPECT_EQ(dial->width, 120);
        EXPECT_EQ(dial->typeCode, 5);
        EXPECT_EQ(dial->referenceYear, 2031);
        EXPECT_EQ(GetAstroYear(), 2031);
        EXPECT_EQ(dial->tablesValid, 1);
        EXPECT_EQ(dial->anchorPercentX, s > 1 ? 40 : 50);
        EXPECT_EQ(dial->anchorPercentY, s > 1 ? 20 : 30);
        EXPECT_EQ(dial->anchorX, 120 * dial->anchorPercentX / 100);
        EXPECT_EQ(dial->scale, s >= 5 ? 2.0 : 1.0);
        EXPECT_EQ(dial->symmetricMargins, s > 6 ? 0 : 1);
        EXPECT_EQ(dial->firstHour, s > 7 ? 5 : 0);
        EXPECT_EQ(dial->lastHour, s > 7 ? 20 : 24);
        // Without a stored list the anniversary setting gives the one particular date:
        // 23 October (month index 9).
        EXPECT_EQ(dial->particularDates, (std::vector<std::uint32_t>{s > 5 ? 1507u : 2310u}));
        ASSERT_EQ(dial->frames.size(), s > 3 ? 1u : 0u);
        if (s > 3) {
            EXPECT_EQ(dial->frames[0]->GetRect(), (gdi::Rect{7, 8, 67, 38}));
        }
    }
}

TEST_F(DialStorage, OldFormatDocumentSkipsItsTablesAndReadsUntaggedPreferences)
{
    const auto dial = LoadAll(DialBytes(0), true);
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->styleHeight, 30);
    EXPECT_EQ(dial->latitude, 47.25);
    EXPECT_EQ(dial->referenceYear, 2031);
    EXPECT_EQ(dial->anchorPercentX, 50);
    EXPECT_EQ(dial->scale, 1.0);
    EXPECT_EQ(dial->firstHour, 0);
    EXPECT_EQ(dial->lastHour, 24);
    EXPECT_TRUE(dial->frames.empty());
    // Schema-3 preferences: read up to the anniversary, later fields at their defaults.
    EXPECT_EQ(dial->prefs.halfHourLines, 0);
    EXPECT_EQ(dial->prefs.fiveMinuteLines, 1);
    EXPECT_EQ(dial->prefs.diurnalArcMode, 3);
    EXPECT_EQ(dial->prefs.noonMarkShape, 2);
    EXPECT_EQ(dial->prefs.noonMarkPointer, 0);
    EXPECT_EQ(dial->prefs.indications, 1);
    EXPECT_EQ(dial->prefs.anniversaryDay, 23);
    EXPECT_EQ(dial->prefs.sunAboveHorizon, 0);
    EXPECT_EQ(dial->particularDates, (std::vector<std::uint32_t>{2310}));
}

TEST_F(DialStorage, ValuesOutOfRangeRefuseTheDocument)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        void (*change)(Stored&);
    };
    const Case cases[] = {
        {"style height", [](Stored& v) { v.styleHeight = -1; }},
        {"width", [](Stored& v) { v.width = -1; }},
        {"height", [](Stored& v) { v.height = -5; }},
        {"latitude 91", [](Stored& v) { v.latitude = 91.0; }},
        {"latitude -90.5", [](Stored& v) { v.latitude = -90.5; }},
        {"longitude", [](Stored& v) { v.longitude = 180.25; }},
        {"plane angle 1", [](Stored& v) { v.planeAngle1 = -181.0; }},
        {"plane angle 2", [](Stored& v) { v.planeAngle2 = 90.5; }},
        // Values no dialog makes, on which drawing overflowed.
        {"width beyond 100 m", [](Stored& v) { v.width = 100001; }},
        {"anchor far left", [](Stored& v) { v.anchorPercentX = INT32_MIN + 50; }},
        {"anchor far below", [](Stored& v) { v.anchorPercentY = 8400000; }},
        {"negative scale", [](Stored& v) { v.scale = -3e25; }},
        {"zero scale", [](Stored& v) { v.scale = 0.0; }},
    };
    for (const Case& c : cases) {
        Stored v;
        c.change(v);
        EXPECT_EQ(LoadFailure(DialBytes(8, v)), Cause::BadClass) << c.what;
    }
    const double notNumbers[] = {nan, inf, -inf};
    for (double bad : notNumbers) {
        for (int field = 0; field < 6; ++field) {
            Stored v;
            double* targets[] = {&v.latitude, &v.longitude, &v.planeAngle1, &v.planeAngle2, &v.latitudeRad, &v.scale};
            *targets[field] = bad;
            EXPECT_EQ(LoadFailure(DialBytes(8, v)), Cause::BadClass) << "field " << field << " = " << bad;
        }
    }
}

TEST_F(DialStorage, BoundaryValuesOfRealDialsLoad)
{
    // The lower equatorial face stores latitude + 90 degrees in radians, the shepherd's
    // dial 90.0: the checks compare with degree bounds and must let them through.
    Stored v;
    v.latitude = -90.0;
    v.longitude = 180.0;
    v.planeAngle1 = 180.0;
    v.planeAngle2 = 90.0;
    v.width = 0;
    v.height = 0;
    v.styleHeight = 0;
    const auto dial = LoadAll(DialBytes(8, v));
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->planeAngle2, 90.0);
    EXPECT_EQ(dial->anchorX, 0);
}

TEST_F(DialStorage, HourRangeIsBroughtInsideTheTables)
{
    struct Case {
        int first, last, wantFirst, wantLast;
    };
    for (const Case& c : {Case{-3, 30, 0, 24}, Case{20, 5, 20, 20}, Case{30, 40, 24, 24}, Case{7, 7, 7, 7}}) {
        Stored v;
        v.firstHour = c.first;
        v.lastHour = c.last;
        const auto dial = LoadAll(DialBytes(8, v));
        EXPECT_EQ(dial->firstHour, c.wantFirst) << c.first << ".." << c.last;
        EXPECT_EQ(dial->lastHour, c.wantLast) << c.first << ".." << c.last;
    }
}

TEST_F(DialStorage, FrameListAcceptsOnlyFrames)
{
    Stored v;
    v.frameClass = Stored::kPrefs;
    EXPECT_EQ(LoadFailure(DialBytes(8, v)), Cause::BadClass);
    v.frameClass = Stored::kUnknown;
    EXPECT_EQ(LoadFailure(DialBytes(8, v)), Cause::BadClass);
}

TEST_F(DialStorage, StoreThenLoadKeepsParticularDatesAndFrames)
{
    CTestDial dial;
    dial.width = 100;
    dial.height = 100;
    dial.particularDates = {101, 3112, 2906};
    for (int i = 0; i < 3; ++i) {
        auto f = std::make_unique<CObjetCadre>();
        f->SetPosition(i, 2 * i, 10 + i, 20 + i);
        f->anchoring = 1 + i;
        dial.frames.push_back(std::move(f));
    }
    const auto back = LoadAll(StoreDial(dial));
    EXPECT_EQ(back->particularDates, dial.particularDates);
    ASSERT_EQ(back->frames.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back->frames[i]->GetRect(), dial.frames[i]->GetRect());
        EXPECT_EQ(back->frames[i]->anchoring, 1 + i);
    }
}

}  // namespace
