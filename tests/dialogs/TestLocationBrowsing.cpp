// Browsing the location list: whole-text matching, countries, order, the details texts, and
// the map of the records with its pixel placement.
#include "dialogs/LocationBrowsing.h"

#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

namespace {

CDataBaseElement Place(std::string name, std::string region, std::string country, double latitude,
                       double longitude, double zone = 1.0)
{
    CDataBaseElement r;
    r.name = std::move(name);
    r.region = std::move(region);
    r.country = std::move(country);
    r.latitude = latitude;
    r.longitude = longitude;
    r.zone = zone;
    return r;
}

CLocationList MakeList(std::initializer_list<CDataBaseElement> records)
{
    CLocationList list;
    for (const CDataBaseElement& r : records)
        list.push_back(std::make_unique<CDataBaseElement>(r));
    return list;
}

std::vector<std::string> Names(const std::vector<CDataBaseElement*>& records)
{
    std::vector<std::string> names;
    for (const CDataBaseElement* r : records)
        names.push_back(r->name);
    return names;
}

}  // namespace

TEST(LocationMatching, WholeTextsWithoutRegardToCase)
{
    EXPECT_TRUE(SameTextNoCase("niger", "NIGER"));
    EXPECT_TRUE(SameTextNoCase("besançon", "BESANÇON"));
    EXPECT_FALSE(SameTextNoCase("NIGER", "NIGERIA"));
    EXPECT_FALSE(SameTextNoCase("", "FRANCE"));
    EXPECT_TRUE(SameTextNoCase("", ""));

    const CLocationList list = MakeList({Place("NIAMEY", "", "NIGER", 13.5, -2.1),
                                         Place("LAGOS", "", "NIGERIA", 6.5, -3.4),
                                         Place("ZINDER", "", "Niger", 13.8, -9.0)});
    EXPECT_EQ(Names(LocationsOfCountry(list, "NIGER")), (std::vector<std::string>{"NIAMEY", "ZINDER"}));
    EXPECT_EQ(Names(LocationsOfCountry(list, "nigeria")), (std::vector<std::string>{"LAGOS"}));
    EXPECT_EQ(Names(LocationsOfCountry(list, "")), (std::vector<std::string>{"NIAMEY", "LAGOS", "ZINDER"}));
    EXPECT_TRUE(LocationsOfCountry(list, "NIG").empty());
    EXPECT_EQ(CountriesOf(list), (std::vector<std::string>{"NIGER", "NIGERIA"}));
}

TEST(LocationOrder, AccentsFoldedAndCaseIgnoredOnEachColumn)
{
    CLocationList list = MakeList({Place("ZURICH", "ZH", "SUISSE", 47.4, -8.5),
                                   Place("ÉPINAL", "VOSGES", "FRANCE", 48.2, -6.4),
                                   Place("dijon", "CÔTE D'OR", "FRANCE", 47.3, -5.0),
                                   Place("FOIX", "ARIÈGE", "France", 43.0, -1.6),
                                   Place("ÉVIAN", "", "FRANCE", 46.4, -6.6)});
    std::vector<CDataBaseElement*> records = LocationsOfCountry(list, "");
    SortLocations(records, kColumnName);
    EXPECT_EQ(Names(records), (std::vector<std::string>{"dijon", "ÉPINAL", "ÉVIAN", "FOIX", "ZURICH"}));
    SortLocations(records, kColumnRegion);
    EXPECT_EQ(Names(records), (std::vector<std::string>{"ÉVIAN", "FOIX", "dijon", "ÉPINAL", "ZURICH"}));
    SortLocations(records, kColumnCountry);
    EXPECT_EQ(records.back()->name, "ZURICH");
    EXPECT_TRUE(LocationBefore(*list[1], *list[0], kColumnName));
    EXPECT_FALSE(LocationBefore(*list[0], *list[1], kColumnName));
}

TEST(LocationDetails, TextsAndTheMapWindow)
{
    const LocationDetails d = DescribeLocation(Place("BESANÇON", "DOUBS", "FRANCE", 47.25, -(6 + 2 / 60.0), 1.0));
    EXPECT_EQ(d.latitude, "Latitude :  47° 15' Nord");
    EXPECT_EQ(d.longitude, "Longitude :  6° 02' Est");
    EXPECT_EQ(d.place, "Lieu :  BESANÇON (DOUBS, FRANCE)");
    EXPECT_EQ(d.zone, "Fuseau horaire : Greenwich + 1 h ");
    EXPECT_TRUE(d.onMap);

    // Without a region the country stands alone.
    EXPECT_EQ(DescribeLocation(Place("PERTH", "", "AUSTRALIE", -31.95, -115.85, 8.0)).place, "Lieu :  PERTH (AUSTRALIE)");
    EXPECT_EQ(DescribeLocation(Place("A", "", "B", 10, 50, -3.5)).zone, "Fuseau horaire : Greenwich - 3 h 30 min");
    EXPECT_EQ(DescribeLocation(Place("A", "", "B", 10, 0, 0.0)).zone, "Fuseau horaire : Greenwich");

    EXPECT_FALSE(IsOnMap(40.9, 0.0));
    EXPECT_TRUE(IsOnMap(41.0, -10.0));
    EXPECT_TRUE(IsOnMap(52.0, 5.0));
    EXPECT_FALSE(IsOnMap(52.01, 0.0));
    EXPECT_FALSE(IsOnMap(45.0, 5.01));
    EXPECT_FALSE(IsOnMap(45.0, -10.01));
}

TEST(MapPlacement, CornersAndMiddleOfThePicture)
{
    // The shipped map: 557 x 596 pixels, a one-pixel frame round 555 x 594.
    EXPECT_EQ(MapPixel(52.0, 5.0, 557, 596), (gdi::Point{1, 1}));
    EXPECT_EQ(MapPixel(41.0, -10.0, 557, 596), (gdi::Point{556, 595}));
    // 2.5 degrees east of the west edge and 5.5 below the top: 555 x 7.5 / 15, 594 x 5.5 / 11.
    EXPECT_EQ(MapPixel(46.5, -2.5, 557, 596), (gdi::Point{1 + 277, 1 + 297}));
    // Truncated, not rounded.
    EXPECT_EQ(MapPixel(51.99, 4.99, 557, 596).x, 1);
    EXPECT_EQ(MapPixel(51.99, 4.99, 557, 596).y, 1);
}

TEST(MapPlacement, CrossesForEveryPlaceOfTheWindowAndADiscForTheChosenOne)
{
    const CLocationList list = MakeList({Place("PARIS", "", "FRANCE", 48.85, -2.35),
                                         Place("PARISOT", "", "FRANCE", 44.2, -1.8),
                                         Place("MADRID", "", "ESPAGNE", 40.4, 3.7),
                                         Place("BREST", "", "FRANCE", 48.4, 4.5)});
    const CDataBaseElement chosen = Place("paris", "", "FRANCE", 48.85, -2.35);
    gdi::RecordingDC dc;
    const std::string caption = DrawMapMarks(dc, list, &chosen, 557, 596);
    EXPECT_EQ(caption, "paris (48° 51' Nord, 2° 21' Est)");

    // Madrid lies south of the window: three crosses of two strokes each.
    const std::vector<gdi::Segment> strokes = dc.Segments();
    ASSERT_EQ(strokes.size(), 6u);
    for (const gdi::Segment& s : strokes)
        EXPECT_EQ(s.pen, (gdi::Pen{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 255)}));
    const gdi::Point paris = MapPixel(48.85, -2.35, 557, 596);
    EXPECT_EQ(strokes[0].from, (gdi::Point{paris.x - 2, paris.y}));
    EXPECT_EQ(strokes[0].to, (gdi::Point{paris.x + 3, paris.y}));
    EXPECT_EQ(strokes[1].from, (gdi::Point{paris.x, paris.y - 2}));
    EXPECT_EQ(strokes[1].to, (gdi::Point{paris.x, paris.y + 3}));

    // Only Paris (not Parisot) has the disc, drawn before its cross.
    const auto discs = dc.RecordsOf(gdi::RecordKind::Ellipse);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0]->args, (std::vector<int>{paris.x - 4, paris.y - 4, paris.x + 5, paris.y + 5}));
    EXPECT_EQ(discs[0]->brush, (gdi::Brush{gdi::BS_SOLID, gdi::RGB(255, 255, 0)}));
    EXPECT_EQ(discs[0]->pen, (gdi::Pen{gdi::PS_SOLID, 1, gdi::RGB(0, 0, 0)}));
    EXPECT_EQ(dc.Records().front().kind, gdi::RecordKind::SaveDC);
    EXPECT_EQ(dc.Records().back().kind, gdi::RecordKind::RestoreDC);

    gdi::RecordingDC none;
    EXPECT_EQ(DrawMapMarks(none, list, nullptr, 557, 596), "");
    EXPECT_EQ(none.Count(gdi::RecordKind::Ellipse), 0);
    const CDataBaseElement far = Place("MADRID", "", "ESPAGNE", 40.4, 3.7);
    EXPECT_EQ(DrawMapMarks(none, list, &far, 557, 596), "");
}

TEST(LocationList, RecordsAreTakenByIdentityNotByValue)
{
    const CDataBaseElement twin = Place("LYON", "RHÔNE", "FRANCE", 45.76, -4.84);
    CLocationList list = MakeList({twin, twin, Place("NICE", "", "FRANCE", 43.7, -7.27)});
    CDataBaseElement* first = list[0].get();
    CDataBaseElement* second = list[1].get();
    std::unique_ptr<CDataBaseElement> taken = TakeLocation(list, second);
    EXPECT_EQ(taken.get(), second);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].get(), first);
    EXPECT_TRUE(ListHolds(list, first));
    EXPECT_FALSE(ListHolds(list, second));
    // A copy equal to a record of the list is not that record.
    EXPECT_EQ(TakeLocation(list, &twin), nullptr);
    EXPECT_EQ(TakeLocation(list, nullptr), nullptr);
    EXPECT_EQ(list.size(), 2u);
}
