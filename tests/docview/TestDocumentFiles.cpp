// Dial documents: the stored layout against hand-built golden files, older layouts, and
// damaged or foreign files, which must fail without changing the document.
#include "DocTestSupport.h"

#include "docview/CObjetBitmap.h"
#include "docview/CObjetTexte.h"
#include "docview/TableRebuild.h"
#include "model/Astronomy.h"
#include "model/CPrefs.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

namespace {

using ::testing::ElementsAre;

const CObjetTexte& TextFrame(const CCadran& dial, std::size_t i)
{
    const auto* frame = dynamic_cast<const CObjetTexte*>(dial.frames.at(i).get());
    EXPECT_NE(frame, nullptr) << "frame " << i << " is not a text frame";
    return *frame;
}

const CObjetBitmap& PictureFrame(const CCadran& dial, std::size_t i)
{
    const auto* frame = dynamic_cast<const CObjetBitmap*>(dial.frames.at(i).get());
    EXPECT_NE(frame, nullptr) << "frame " << i << " is not a picture frame";
    return *frame;
}

// Everything a failed load must leave as it was.
struct Snapshot {
    std::string bytes;
    const CCadran* dial = nullptr;
    std::string locationName;
    bool oldFormat = false;
    int astroYear = 0;
    double meridianAltitude = 0.0;
};

class DocumentFiles : public DocumentTest {
protected:
    Snapshot Take()
    {
        Snapshot s;
        s.bytes = Store(Doc());
        s.dial = Doc().GetDial();
        s.locationName = Doc().GetLocation() ? Doc().GetLocation()->name : "";
        s.oldFormat = Doc().IsOldFormat();
        s.astroYear = GetAstroYear();
        s.meridianAltitude = Doc().GetSunGridAltitude()[9][CHoravelDoc::kMeridianColumn];
        return s;
    }

    void ExpectUnchanged(const Snapshot& before, const std::string& context)
    {
        EXPECT_EQ(Store(Doc()), before.bytes) << context;
        EXPECT_EQ(Doc().GetDial(), before.dial) << context;
        EXPECT_EQ(Doc().GetLocation() ? Doc().GetLocation()->name : "", before.locationName) << context;
        EXPECT_EQ(Doc().IsOldFormat(), before.oldFormat) << context;
        EXPECT_EQ(GetAstroYear(), before.astroYear) << context;
        EXPECT_EQ(Doc().GetSunGridAltitude()[9][CHoravelDoc::kMeridianColumn], before.meridianAltitude) << context;
    }

    // A document made of the given objects, in that order.
    static std::string Objects(std::initializer_list<const Serializable*> objects)
    {
        Archive ar = Archive::ForStoring();
        for (const Serializable* o : objects)
            ar.WriteObject(o);
        return ar.Bytes();
    }

    static CDataBaseElement Marker()
    {
        CDataBaseElement m;
        m.latitude = CDataBaseElement::kMarkerLatitude;
        m.longitude = CDataBaseElement::kMarkerLongitude;
        return m;
    }

    static CDataBaseElement Place(const std::string& name, double latitude)
    {
        CDataBaseElement p;
        p.name = name;
        p.country = "FRANCE";
        p.latitude = latitude;
        p.longitude = -2.0;
        p.zone = 1.0;
        return p;
    }
};

TEST_F(DocumentFiles, GoldenDocumentLoadsEveryObjectAndSavesTheSameBytes)
{
    const std::string golden = GoldenDocument("plane_dial.cds");
    ASSERT_EQ(Load(Doc(), golden), std::nullopt);

    const CCadran* dial = Doc().GetDial();
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(&dial->GetClassInfo(), &CCadranHorizontal::ClassInfoOf());
    EXPECT_EQ(dial->styleHeight, 33);
    EXPECT_EQ(dial->width, 160);
    EXPECT_EQ(dial->latitude, 47.25);
    EXPECT_EQ(dial->longitude, -6.0333);
    EXPECT_EQ(dial->referenceYear, 2024);
    EXPECT_EQ(dial->scale, 1.5);
    EXPECT_EQ(dial->firstHour, 6);
    EXPECT_EQ(dial->lastHour, 19);
    EXPECT_EQ(dial->prefs.azimuthStep, 30);
    EXPECT_EQ(dial->prefs.frameThickness, 7);
    EXPECT_THAT(dial->particularDates, ElementsAre(1507u, 2512u));
    EXPECT_EQ(dial->tablesValid, 1);
    EXPECT_EQ(dial->eqTableValid, 1);
    EXPECT_EQ(dial->dateTableValid, 1);
    EXPECT_EQ(dial->longitudeTableValid, 1);

    ASSERT_EQ(dial->frames.size(), 2u);
    const CObjetTexte& text = TextFrame(*dial, 0);
    EXPECT_EQ(text.GetRect(), (gdi::Rect{10, -20, 110, 30}));
    EXPECT_EQ(text.anchoring, 2);
    EXPECT_EQ(text.text, "Cadran de Besançon");
    EXPECT_EQ(text.faceName, "Times New Roman");
    EXPECT_EQ(text.size, 14);
    EXPECT_EQ(text.bold, 1);
    EXPECT_EQ(text.italic, 0);
    EXPECT_EQ(text.color, gdi::COLORREF{0x00336699});
    EXPECT_EQ(text.strikeOut, 0);
    EXPECT_EQ(text.underline, 1);
    const CObjetBitmap& picture = PictureFrame(*dial, 1);
    EXPECT_EQ(picture.GetRect(), (gdi::Rect{-60, 5, -20, 35}));
    EXPECT_EQ(picture.anchoring, 6);
    const std::size_t bmpAt = golden.find(std::string("BM\x46\0\0\0", 6));
    ASSERT_NE(bmpAt, std::string::npos);
    EXPECT_EQ(picture.GetPicture().GetBytes(), golden.substr(bmpAt, 70));
    EXPECT_EQ(picture.GetPicture().GetFormat(), picture::Format::Bmp);

    const CDataBaseElement* location = Doc().GetLocation();
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(location->name, "BESANÇON");
    EXPECT_EQ(location->region, "DOUBS");
    EXPECT_EQ(location->longitude, -6.0333);
    EXPECT_EQ(location->zone, 1.0);
    EXPECT_FALSE(Doc().IsOldFormat());
    EXPECT_EQ(GetAstroYear(), 2024);

    EXPECT_EQ(Store(Doc()), golden);
}

TEST_F(DocumentFiles, OlderLayoutsLoadAndAreSavedInTheCurrentOne)
{
    ASSERT_EQ(Load(Doc(), GoldenDocument("old_schemas_a.cds")), std::nullopt);
    {
        const CCadran& dial = *Doc().GetDial();
        EXPECT_EQ(dial.scale, 1.0);                       // schema 4 has no scale
        EXPECT_THAT(dial.particularDates, ElementsAre(2310u));  // from the anniversary date
        EXPECT_EQ(dial.prefs.diurnalArcLabels, 1);         // preferences 9: default kept
        ASSERT_EQ(dial.frames.size(), 2u);
        EXPECT_EQ(TextFrame(dial, 0).GetRect(), (gdi::Rect{10, -20, 110, 30}));
        EXPECT_EQ(TextFrame(dial, 0).active, 1);
        EXPECT_EQ(TextFrame(dial, 0).anchoring, 4);
        EXPECT_EQ(TextFrame(dial, 0).text, "Cadran de Besançon");
        EXPECT_EQ(PictureFrame(dial, 1).GetRect(), (gdi::Rect{-60, 5, -20, 35}));
        EXPECT_EQ(PictureFrame(dial, 1).anchoring, 3);
        EXPECT_EQ(PictureFrame(dial, 1).GetPicture().GetBytes().size(), 70u);
        EXPECT_EQ(Doc().GetLocation()->name, "DIJON");
        EXPECT_EQ(Doc().GetLocation()->region, "");
        EXPECT_EQ(Doc().GetLocation()->standard, 0);
        EXPECT_FALSE(Doc().IsOldFormat());
    }

    TestDocument other;
    ASSERT_EQ(Load(other, GoldenDocument("old_schemas_b.cds")), std::nullopt);
    {
        const CCadran& dial = *other.GetDial();
        EXPECT_EQ(dial.scale, 2.0);
        EXPECT_THAT(dial.particularDates, ElementsAre(1403u));
        ASSERT_EQ(dial.frames.size(), 1u);
        EXPECT_EQ(TextFrame(dial, 0).GetRect(), (gdi::Rect{-30, -40, 70, 10}));
        EXPECT_EQ(TextFrame(dial, 0).active, 1);
        EXPECT_EQ(TextFrame(dial, 0).anchoring, 2);  // schema 1 stores none
        EXPECT_EQ(other.GetLocation()->name, "LYON");
        EXPECT_EQ(other.GetLocation()->latitude, 45.75);
        EXPECT_EQ(other.GetLocation()->standard, 1);
    }

    // Saved again, both are current documents that read back to the same values.
    for (CHoravelDoc* doc : {static_cast<CHoravelDoc*>(&Doc()), static_cast<CHoravelDoc*>(&other)}) {
        const std::string saved = Store(*doc);
        EXPECT_EQ(saved.substr(0, 24), GoldenDocument("plane_dial.cds").substr(0, 24)) << "marker of schema 7";
        TestDocument again;
        ASSERT_EQ(Load(again, saved), std::nullopt);
        EXPECT_EQ(Store(again), saved);
        EXPECT_EQ(again.GetDial()->particularDates, doc->GetDial()->particularDates);
        EXPECT_EQ(again.GetLocation()->name, doc->GetLocation()->name);
    }
}

TEST_F(DocumentFiles, OldFormatDocumentIsReadAndSavedWithAMarker)
{
    const std::string old = GoldenDocument("old_format.cds");
    ASSERT_EQ(Load(Doc(), old), std::nullopt);
    EXPECT_TRUE(Doc().IsOldFormat());
    const CDataBaseElement& location = *Doc().GetLocation();
    EXPECT_EQ(location.name, "STRASBOURG");
    EXPECT_EQ(location.country, "FRANCE");
    EXPECT_EQ(location.latitude, 48.5833);
    EXPECT_EQ(location.zone, 1.0);
    EXPECT_EQ(location.standard, 1);
    const CCadran& dial = *Doc().GetDial();
    EXPECT_EQ(dial.anchorPercentX, 50);
    EXPECT_EQ(dial.scale, 1.0);
    EXPECT_EQ(dial.prefs.fiveMinuteLines, 1);
    EXPECT_THAT(dial.particularDates, ElementsAre(2310u));
    EXPECT_TRUE(dial.frames.empty());
    // The stored tables are skipped and rebuilt: 21 March at noon is nowhere near 0.75 rad.
    EXPECT_NE(dial.altitudeByDate[CCadran::DateRow(3, 21)][144], 0.75);
    EXPECT_NEAR(dial.declination[CCadran::DateRow(6, 21)], 23.44 * std::numbers::pi / 180.0, 0.01);

    // Saving writes the full current layout, and the document is no longer old-format.
    const auto file = dir_ / "saved.cds";
    std::string error;
    ASSERT_TRUE(Doc().OnSaveDocument(file, &error)) << error;
    EXPECT_FALSE(Doc().IsOldFormat());
    const std::string saved = testsupport::ReadFileBytes(file);
    TestDocument reread;
    ASSERT_TRUE(reread.OnOpenDocument(file, &error)) << error;
    EXPECT_FALSE(reread.IsOldFormat());
    EXPECT_EQ(reread.GetLocation()->name, "STRASBOURG");
    EXPECT_EQ(reread.GetDial()->latitude, dial.latitude);
    EXPECT_EQ(reread.GetDial()->prefs.fiveMinuteLines, 1);
    EXPECT_EQ(Store(reread), saved);
}

TEST_F(DocumentFiles, TruncatedDocumentsFailAtEveryByteAndChangeNothing)
{
    const std::string golden = GoldenDocument("plane_dial.cds");
    ASSERT_EQ(Load(Doc(), GoldenDocument("old_schemas_b.cds")), std::nullopt);
    SetAstroYear(2031);
    const Snapshot before = Take();
    for (std::size_t size = 0; size < golden.size(); ++size) {
        const auto error = Load(Doc(), golden.substr(0, size));
        ASSERT_NE(error, std::nullopt) << "a document cut at byte " << size << " was accepted";
        ExpectUnchanged(before, "cut at byte " + std::to_string(size));
        if (HasFailure())
            return;
    }

    // The same for a document of the first versions, whose dial is long: the head byte by
    // byte, then the rest in steps.
    const std::string old = GoldenDocument("old_format.cds");
    for (std::size_t size = 0; size < old.size(); size += size < 400 ? 1 : 997) {
        ASSERT_NE(Load(Doc(), old.substr(0, size)), std::nullopt) << "cut at byte " << size;
        ExpectUnchanged(before, "old format cut at byte " + std::to_string(size));
        if (HasFailure())
            return;
    }
}

TEST_F(DocumentFiles, ForeignObjectsFailCleanlyAtEveryPlace)
{
    ASSERT_EQ(Load(Doc(), GoldenDocument("plane_dial.cds")), std::nullopt);
    const Snapshot before = Take();

    // Every object once: the archive refuses a second reference to one object.
    const CDataBaseElement marker = Marker();
    const CDataBaseElement marker2 = Marker();
    const CDataBaseElement place = Place("DOLE", 47.1);
    const CDataBaseElement place2 = Place("AUXONNE", 47.2);
    CCadranHorizontal dial;
    dial.latitude = 47.1;
    CCadranHorizontal dial2;
    CPrefs prefs;
    CObjetTexte text;

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a dial in place of the first record", Objects({&dial, &marker, &place})},
        {"preferences in place of the first record", Objects({&prefs, &dial, &place})},
        {"a location in place of the dial", Objects({&marker, &place, &place2})},
        {"a text frame in place of the dial", Objects({&marker, &text, &place})},
        {"a dial in place of the current location", Objects({&marker, &dial, &dial2})},
        {"a text frame in place of the current location", Objects({&marker, &dial, &text})},
        {"nothing in place of the first record", Objects({nullptr, &dial, &place})},
        {"nothing in place of the current location", Objects({&marker, &dial, nullptr})},
        {"the marker in place of the current location", Objects({&marker, &dial, &marker2})},
        {"an old document whose dial is a location", Objects({&place, &place2})},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_NE(Load(Doc(), bytes), std::nullopt) << what << " was accepted";
        ExpectUnchanged(before, what);
    }

    // A class this program does not know, and a frame list holding a location.
    std::string unknown = Objects({&marker, &dial, &place});
    const std::size_t nameAt = unknown.find("CCadranHorizontal");
    ASSERT_NE(nameAt, std::string::npos);
    unknown.replace(nameAt, 17, "CCadranHorizontaX");
    EXPECT_NE(Load(Doc(), unknown), std::nullopt);
    ExpectUnchanged(before, "an unknown class");

    std::string locationAsFrame = GoldenDocument("plane_dial.cds");
    const std::size_t frameAt = locationAsFrame.find(std::string("\xFF\xFF\x01\x00\x0B\x00" "CObjetTexte", 17));
    ASSERT_NE(frameAt, std::string::npos);
    // The first frame's tag becomes a reference to the CDataBaseElement class (index 1).
    locationAsFrame.replace(frameAt, 17, std::string("\x01\x80", 2));
    EXPECT_NE(Load(Doc(), locationAsFrame), std::nullopt);
    ExpectUnchanged(before, "a location in the frame list");
}

TEST_F(DocumentFiles, MarkerIsRecognisedByItsExactLatitude)
{
    // 999.0000001 is not the marker: the record is read as a location, which is no place.
    std::string nearMiss = GoldenDocument("plane_dial.cds");
    const double marker = 999.0;
    const std::size_t at = nearMiss.find(std::string(reinterpret_cast<const char*>(&marker), 8));
    ASSERT_NE(at, std::string::npos);
    const double other = 999.0000001;
    nearMiss.replace(at, 8, std::string(reinterpret_cast<const char*>(&other), 8));
    EXPECT_NE(Load(Doc(), nearMiss), std::nullopt);

    // A first record at an ordinary latitude makes an old-format document.
    ASSERT_EQ(Load(Doc(), GoldenDocument("old_format.cds")), std::nullopt);
    EXPECT_TRUE(Doc().IsOldFormat());
    ASSERT_EQ(Load(Doc(), GoldenDocument("plane_dial.cds")), std::nullopt);
    EXPECT_FALSE(Doc().IsOldFormat());
}

TEST_F(DocumentFiles, DocumentWithoutCurrentLocationSavesTheDialsSite)
{
    auto dial = std::make_unique<CCadranHorizontal>();
    dial->latitude = -33.9;
    dial->longitude = -18.4;
    dial->width = 120;
    dial->height = 90;
    Doc().SetDial(std::move(dial));
    Doc().SetLocation(nullptr);
    SetAstroSite(-33.9, -18.4, 2.0);

    const std::string saved = Store(Doc());
    TestDocument reread;
    ASSERT_EQ(Load(reread, saved), std::nullopt);
    ASSERT_NE(reread.GetLocation(), nullptr);
    EXPECT_EQ(reread.GetLocation()->latitude, -33.9);
    EXPECT_EQ(reread.GetLocation()->longitude, -18.4);
    EXPECT_EQ(reread.GetLocation()->zone, 2.0);
    EXPECT_EQ(reread.GetDial()->width, 120);

    // Without a dial either, the document still reads back (with no dial).
    TestDocument empty;
    empty.SetLocation(nullptr);
    TestDocument emptyRead;
    ASSERT_EQ(Load(emptyRead, Store(empty)), std::nullopt);
    EXPECT_EQ(emptyRead.GetDial(), nullptr);
    EXPECT_NE(emptyRead.GetLocation(), nullptr);
}

class RecordingProgress : public TableRebuildProgress {
public:
    explicit RecordingProgress(std::vector<std::string>& log) : log_(log) {}
    void Show() override { log_.push_back("show"); }
    void SetPos(int bar, int pos) override { log_.push_back(std::to_string(bar) + ":" + std::to_string(pos)); }
    void Close() override { log_.push_back("close"); }

private:
    std::vector<std::string>& log_;
};

TEST_F(DocumentFiles, OpeningRebuildsTheTablesBehindTheLoadingProgress)
{
    const auto file = dir_ / "plane.cds";
    testsupport::WriteFileBytes(file, GoldenDocument("plane_dial.cds"));
    std::vector<std::string> log;
    int opened = 0;
    Doc().SetHooks({[&] { ++opened; }, nullptr,
                    [&] { return std::make_unique<RecordingProgress>(log); }});
    Doc().SetModifiedFlag(true);

    std::string error;
    ASSERT_TRUE(Doc().OnOpenDocument(file, &error)) << error;
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPathName(), file);
    std::vector<std::string> expected{"show"};
    for (int m = 1; m <= 12; ++m)
        expected.push_back("1070:" + std::to_string(m));
    for (int m = 1; m <= 12; ++m)
        expected.push_back("1071:" + std::to_string(m));
    for (int k = 1; k <= 36; ++k)
        expected.push_back("1072:" + std::to_string(k));
    expected.push_back("close");
    EXPECT_EQ(log, expected);

    // A damaged file: no progress, no "opened", an error, and the document as it was.
    log.clear();
    const Snapshot before = Take();
    const auto bad = dir_ / "bad.cds";
    testsupport::WriteFileBytes(bad, GoldenDocument("plane_dial.cds").substr(0, 300));
    EXPECT_FALSE(Doc().OnOpenDocument(bad, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Doc().GetPathName(), file);
    ExpectUnchanged(before, "damaged file");
    EXPECT_FALSE(Doc().OnOpenDocument(dir_ / "missing.cds", &error));
    ExpectUnchanged(before, "missing file");
}

TEST_F(DocumentFiles, LoadingMovesTheSunGridToTheLocationRead)
{
    Doc();  // at the first standard location, BESANÇON (47.25 N)
    ASSERT_EQ(Load(Doc(), GoldenDocument("old_schemas_b.cds")), std::nullopt);  // LYON, 45.75 N
    // Row 0 (equinox) at the meridian: 90 - latitude.
    EXPECT_NEAR(Doc().GetSunGridAltitude()[0][CHoravelDoc::kMeridianColumn] * 180.0 / std::numbers::pi, 90.0 - 45.75, 1e-6);
}

}  // namespace
