// The standard locations file shipped beside the program.
#include "app/TextHelpers.h"
#include "model/LocationDatabase.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>

namespace {

// The zones the dialogs offer, hours east of Greenwich.
const std::set<double> kZones = {-11, -10, -9.5, -9, -8, -7, -6, -5, -4, -3.5, -3, -2, -1, 0, 1, 2, 3, 3.5,
                                 4, 4.5, 5, 5.5, 5.75, 6, 6.5, 7, 8, 9, 9.5, 10, 11, 11.5, 12, 12.75, 13};

class ShippedLocations : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        paths::SetInstallFolder(testsupport::BinDir());
        list_ = std::make_unique<CLocationList>();
        loaded_ = LoadDatabaseFile(*list_, DefaultStandardLocationsFile());
        paths::SetInstallFolder({});
    }
    static void TearDownTestSuite() { list_.reset(); }
    static std::unique_ptr<CLocationList> list_;
    static bool loaded_;
};

std::unique_ptr<CLocationList> ShippedLocations::list_;
bool ShippedLocations::loaded_ = false;

}  // namespace

TEST_F(ShippedLocations, LoadsCompletelyAsStandardRecords)
{
    ASSERT_TRUE(loaded_);
    // Same records as the committed source of the file.
    CLocationList source;
    ASSERT_TRUE(LoadDatabaseFile(source, testsupport::SourceDir() / "resources" / "data" / "LIEUX.DBL"));
    EXPECT_EQ(source.size(), list_->size());
    EXPECT_GE(list_->size(), 400u);
    std::set<std::string> names;
    for (const auto& r : *list_) {
        SCOPED_TRACE(r->name);
        EXPECT_EQ(r->standard, 1);
        EXPECT_EQ(kZones.count(r->zone), 1u) << r->zone;
        EXPECT_TRUE(r->HasPlausibleValues());
        std::string upper = r->name;
        MakeUpperAccents(upper);
        EXPECT_EQ(upper, r->name);
        EXPECT_TRUE(names.insert(upper).second) << "name used twice";
    }
}

TEST_F(ShippedLocations, KnownPlaces)
{
    struct Known {
        const char* name;
        const char* country;
        double latitude, longitude, zone;  // longitude west positive
    };
    const Known known[] = {
        {"BESANÇON", "FRANCE", 47.24, -6.02, 1},
        {"PARIS", "FRANCE", 48.86, -2.35, 1},
        {"LONDON", "UNITED KINGDOM", 51.51, 0.12, 0},
        {"NEW YORK", "UNITED STATES", 40.71, 74.01, -5},
        {"ST. JOHN'S", "CANADA", 47.56, 52.71, -3.5},
        {"SÃO PAULO", "BRAZIL", -23.55, 46.63, -3},
        {"KOLKATA", "INDIA", 22.57, -88.36, 5.5},
        {"KATHMANDU", "NEPAL", 27.72, -85.32, 5.75},
        {"TOKYO", "JAPAN", 35.68, -139.74, 9},
        {"SYDNEY", "AUSTRALIA", -33.87, -151.21, 10},
        {"CHATHAM", "NEW ZEALAND", -43.95, 176.55, 12.75},
        {"NAIROBI", "KENYA", -1.28, -36.82, 3},
        {"MCMURDO", "ANTARCTICA", -77.83, -166.6, 12},
    };
    for (const Known& k : known) {
        SCOPED_TRACE(k.name);
        const CDataBaseElement* r = FindLocationByName(*list_, k.name);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->country, k.country);
        EXPECT_NEAR(r->latitude, k.latitude, 0.05);
        EXPECT_NEAR(r->longitude, k.longitude, 0.05);
        EXPECT_EQ(r->zone, k.zone);
    }
    EXPECT_EQ(FindLocationByName(*list_, "BESANÇON")->region, "25");
}

TEST_F(ShippedLocations, CoversEveryContinentAndTheMapWindow)
{
    auto countIn = [&](double south, double north, double west, double east) {
        // west/east in degrees east of Greenwich; records hold west-positive longitudes.
        return std::count_if(list_->begin(), list_->end(), [&](const auto& r) {
            const double eastLongitude = -r->longitude;
            return r->latitude >= south && r->latitude <= north && eastLongitude >= west && eastLongitude <= east;
        });
    };
    EXPECT_GE(countIn(35, 71, -25, 40), 40) << "Europe";
    EXPECT_GE(countIn(-35, 37, -18, 52), 40) << "Africa";
    EXPECT_GE(countIn(0, 78, 40, 180), 40) << "Asia";
    EXPECT_GE(countIn(7, 84, -170, -50), 40) << "North America";
    EXPECT_GE(countIn(-56, 13, -82, -34), 20) << "South America";
    EXPECT_GE(countIn(-48, 0, 110, 180), 10) << "Oceania";
    EXPECT_GE(countIn(-90, -60, -180, 180), 5) << "Antarctica";
    // The area of the map picture: 41 to 52 north, 10 east to 5 west.
    EXPECT_GE(countIn(41, 52, -5, 10), 12) << "map window";
}
