// Reading and writing the ".dbl" locations files.
#include "app/TextHelpers.h"
#include "app/Trace.h"
#include "model/LocationDatabase.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

struct Expected {
    std::string name, region, country;
    double latitude, longitude, zone;
    int standard;
};

void ExpectRecord(const CDataBaseElement& r, const Expected& e)
{
    SCOPED_TRACE(e.name);
    EXPECT_EQ(r.name, e.name);
    EXPECT_EQ(r.region, e.region);
    EXPECT_EQ(r.country, e.country);
    EXPECT_NEAR(r.latitude, e.latitude, 1e-12);
    EXPECT_NEAR(r.longitude, e.longitude, 1e-12);
    EXPECT_EQ(r.zone, e.zone);
    EXPECT_EQ(r.standard, e.standard);
}

void ExpectRecords(const CLocationList& list, const std::vector<Expected>& expected)
{
    ASSERT_EQ(list.size(), expected.size());
    for (size_t i = 0; i < list.size(); ++i)
        ExpectRecord(*list[i], expected[i]);
}

std::unique_ptr<CDataBaseElement> Make(std::string name, std::string region, std::string country,
                                       double latitude, double longitude, double zone, int standard)
{
    auto r = std::make_unique<CDataBaseElement>();
    r->name = std::move(name);
    r->region = std::move(region);
    r->country = std::move(country);
    r->latitude = latitude;
    r->longitude = longitude;
    r->zone = zone;
    r->standard = standard;
    return r;
}

std::filesystem::path DataFile(const std::string& name) { return testsupport::DataDir() / "locations" / name; }

// Points the data folder (where the user file lives) at a temporary folder for one test.
class UserFolder {
public:
    UserFolder() { paths::SetDataFolder(dir_.path()); }
    ~UserFolder() { paths::SetDataFolder({}); }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
};

}  // namespace

TEST(LocationsFile, ReadsEveryVersionLayout)
{
    struct Case {
        const char* file;
        std::vector<Expected> records;
    };
    const std::vector<Case> cases = {
        {"v1_crlf_cp1252.dbl",
         {{"BESANÇON", "", "FRANCE", 47.25, -(6 + 1 / 60.0), 0, 1},
          {"SANTIAGO", "", "CHILI", -(33 + 27 / 60.0), 70 + 40 / 60.0, 0, 1},
          {"GREENWICH PARK", "", "ROYAUME-UNI", 51 + 28 / 60.0, -0.5, 0, 1}}},
        {"v2_integer_zones.dbl",
         {{"NEW DELHI", "", "INDE", 28.6, -(77 + 12 / 60.0), 5, 1},
          {"QUITO", "", "EQUATEUR", -13 / 60.0, 78.5, -5, 1},
          {"ADELAIDE", "", "AUSTRALIE", -(34 + 56 / 60.0), -(138 + 36 / 60.0), 9, 1}}},
        {"v3_letters.dbl",
         {{"LE CAP", "", "AFRIQUE DU SUD", -(33 + 55 / 60.0), -(18 + 25 / 60.0), 2, 1},
          {"HONOLULU", "", "ETATS-UNIS", 21.3, 157 + 52 / 60.0, -10, 1}}},
        {"v4_separators_tabs.dbl",
         {{"ADELAIDE", "", "AUSTRALIE", -(34 + 56 / 60.0), -(138 + 36 / 60.0), 9.5, 1},
          {"KATMANDOU", "", "NEPAL", 27 + 43 / 60.0, -(85 + 19 / 60.0), 5.75, 1}}},
        {"v5_flags.dbl",
         {{"PARIS", "", "FRANCE", 48 + 52 / 60.0, -(2 + 20 / 60.0), 1, 1},
          {"MA MAISON", "", "FRANCE", -45.5, -0.5, 1, 0},
          {"CHATHAM", "", "NOUVELLE-ZELANDE", -(43 + 57 / 60.0), 176.55, 12.75, 0}}},
        {"v6_crlf_utf8.dbl",
         {{"BESANÇON", "25", "FRANCE", 47.25, -(6 + 1 / 60.0), 1, 1},
          {"SAINT-ÉTIENNE", "", "FRANCE", 45 + 26 / 60.0, -(4 + 23 / 60.0), 1, 0},
          {"ZÜRICH", "ZH", "SUISSE", 47 + 23 / 60.0, -(8 + 32 / 60.0), 1, 1},
          {"KATHMANDU", "", "NEPAL", 27 + 43 / 60.0, -(85 + 19 / 60.0), 5.75, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CLocationList list;
        EXPECT_TRUE(LoadDatabaseFile(list, DataFile(c.file)));
        ExpectRecords(list, c.records);
    }
}

TEST(LocationsFile, RefusedLinesAndWrongCountKeepWhatWasRead)
{
    // Lines without a country or a name, a latitude of 95 and a NaN are refused and not
    // counted; the count then disagrees with the 3 declared.
    CLocationList list;
    EXPECT_FALSE(LoadDatabaseFile(list, DataFile("v6_bad_lines_count.dbl")));
    ExpectRecords(list, {{"LYON", "69", "FRANCE", 45 + 46 / 60.0, -(4 + 50 / 60.0), 1, 1}});

    TempDir dir;
    const auto file = dir / "f.dbl";
    const std::string lyon = "LYON 69 FRANCE 45 46 N 4 50 E 1 1\n";
    struct Case {
        std::string content;
        size_t kept;
    };
    const std::vector<Case> failing = {
        {"$VERSION 7\n$NBRECORDS 1\n" + lyon + "$END\n", 0},         // newer than we read
        {"$VERSION 6\n$NBRECORDS 2\n" + lyon + lyon, 2},              // no "$END"
        {"$VERSION 6\n$NBRECORDS 2\n" + lyon + "\n" + lyon + "$END\n", 2},  // empty line, skipped
        {"$VERSION 6\n$NBRECORDS 3\n" + lyon + lyon + "$END\n", 2},  // 2 read, 3 declared
    };
    for (const Case& c : failing) {
        SCOPED_TRACE(c.content);
        WriteFileBytes(file, c.content);
        CLocationList partial;
        EXPECT_FALSE(LoadDatabaseFile(partial, file));
        EXPECT_EQ(partial.size(), c.kept);
    }

    CLocationList none;
    EXPECT_FALSE(LoadDatabaseFile(none, dir / "missing.dbl"));
    EXPECT_TRUE(none.empty());
}

// A damaged line of the user file loses only itself: the places after it are read, the user
// is told once where the file as it was is kept, and the next save keeps every place read.
TEST(LocationsFile, ADamagedUserFileKeepsThePlacesAfterItsBadLines)
{
    UserFolder folder;
    const auto userFile = folder.dir() / "LIEUX2.DBL";
    const std::string damaged = "$VERSION 6\n$NBRECORDS 3\nPLACE0 ? FRANCE 45 0 N 1 0 E 1 0\n\n"
                                "POLE ? NULLE-PART 95 0 N 0 0 E 0 0\nPLACE1 ? FRANCE 45 1 N 1 7 E 1 0\n";
    WriteFileBytes(userFile, damaged);
    CLocationList list;
    std::optional<SkippedPlaces> skipped;
    LoadLocationDatabase(list, folder.dir() / "missing.dbl", &skipped);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1]->name, "PLACE1");
    ASSERT_TRUE(skipped.has_value());
    EXPECT_EQ(skipped->file, userFile);
    EXPECT_EQ(skipped->lines, 1);
    ASSERT_TRUE(skipped->copy.has_value());
    EXPECT_EQ(ReadFileBytes(*skipped->copy), damaged);

    ASSERT_TRUE(SaveUserLocations(list));
    CLocationList back;
    ASSERT_TRUE(LoadDatabaseFile(back, userFile));
    EXPECT_EQ(back.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(folder.dir() / "LIEUX2.DBL.unreadable"));
    EXPECT_FALSE(std::filesystem::exists(folder.dir() / "LIEUX2.DBL.bak2"));

    // A file of a newer version: nothing after its version line is read, which is told too.
    const std::string newer = "$VERSION 7\n$NBRECORDS 1\nPLACE2 ? FRANCE 45 2 N 1 0 E 1 0 MORE\n$END\n";
    WriteFileBytes(userFile, newer);
    CLocationList none;
    skipped.reset();
    LoadLocationDatabase(none, folder.dir() / "missing.dbl", &skipped);
    EXPECT_TRUE(none.empty());
    ASSERT_TRUE(skipped.has_value());
    ASSERT_TRUE(skipped->copy.has_value());
    EXPECT_EQ(ReadFileBytes(*skipped->copy), newer);
}

// Two running copies of the program: each save applies its own additions, changes and
// deletions to what the file holds at that moment, one copy at a time.
TEST(LocationsFile, TwoRunningCopiesKeepEachOthersPlaces)
{
    UserFolder folder;
    const auto missing = folder.dir() / "missing.dbl";
    const auto addPlaces = [&](const std::string& prefix) {
        CLocationList list;
        LoadLocationDatabase(list, missing);
        for (int i = 0; i < 20; ++i) {
            list.push_back(Make(prefix + std::to_string(i), "", "FRANCE", 45, i, 1, 0));
            if (!SaveUserLocations(list))
                return false;
        }
        return true;
    };
    pid_t copies[2];
    for (int c = 0; c < 2; ++c) {
        copies[c] = ::fork();
        ASSERT_GE(copies[c], 0);
        if (copies[c] == 0)
            ::_exit(addPlaces(c == 0 ? "A" : "B") ? 0 : 1);
    }
    for (const pid_t copy : copies) {
        int status = -1;
        ASSERT_EQ(::waitpid(copy, &status, 0), copy);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    CLocationList both;
    ASSERT_TRUE(LoadLocationDatabase(both, missing));
    ASSERT_EQ(both.size(), 40u);

    // One copy changes a place and deletes another; the other, which knew both, saves after.
    CLocationList other;
    LoadLocationDatabase(other, missing);
    both[0]->latitude = 10;
    both.erase(both.begin() + 1);
    ASSERT_TRUE(SaveUserLocations(both));
    other.push_back(Make("C", "", "FRANCE", 45, 0, 1, 0));
    ASSERT_TRUE(SaveUserLocations(other));
    CLocationList back;
    ASSERT_TRUE(LoadDatabaseFile(back, UserLocationsFile()));
    ASSERT_EQ(back.size(), 40u);
    EXPECT_EQ(FindLocationByName(back, both[0]->name)->latitude, 10);
    EXPECT_EQ(std::count_if(back.begin(), back.end(), [&](const auto& r) { return r->name == other[1]->name; }), 0);
    EXPECT_NE(FindLocationByName(back, "C"), nullptr);
}

TEST(LocationsFile, FailuresAreTracedWithTheirTexts)
{
    UserFolder folder;
    WriteTraceHeader(SystemFacts{});
    const auto file = folder.dir() / "f.dbl";
    CLocationList list;
    EXPECT_FALSE(LoadDatabaseFile(list, DataFile("v6_bad_lines_count.dbl")));
    WriteFileBytes(file, "$VERSION 7\n");
    EXPECT_FALSE(LoadDatabaseFile(list, file));
    WriteFileBytes(file, "$VERSION 6\n$NBRECORDS 0\n$END\n");
    EXPECT_TRUE(LoadDatabaseFile(list, file));
    EXPECT_FALSE(LoadDatabaseFile(list, folder.dir() / "missing.dbl"));
    EXPECT_FALSE(SaveDatabaseFile(list, folder.dir() / "missing" / "x.dbl", 0));

    const std::string trace = ReadFileBytes(TraceFilePath());
    for (const std::string& expected :
         {"Loading Database File : " + DataFile("v6_bad_lines_count.dbl").string() + ".",
          std::string("[ERROR] Bad database entry: NOWHERE ?\n"), std::string("[ERROR] Bad database entry:  ? FRANCE"),
          std::string("[ERROR] Bad database entry: POLE ? NULLE-PART 95 0 N"),
          std::string("[ERROR] 1 records read but 3 records declared in database!"),
          std::string("[ERROR] Program not compatible with that database version number."),
          "0 records loaded from Database File " + file.string() + ".",
          "[ERROR] Failing to open Database File " + (folder.dir() / "missing.dbl").string() + "\n",
          "Saving 0 records into Database File " + (folder.dir() / "missing" / "x.dbl").string(),
          "[ERROR] Failing to open Database File " + (folder.dir() / "missing" / "x.dbl").string() + "!"})
        EXPECT_NE(trace.find(expected), std::string::npos) << expected << "\nin\n" << trace;
}

TEST(LocationsFile, WritesVersion6Lines)
{
    CLocationList list;
    list.push_back(Make("MA MAISON", "", "FRANCE", -45.5, -6.25, 1, 0));
    list.push_back(Make("KATHMANDU", "", "NEPAL", 27 + 43 / 60.0, -(85 + 19 / 60.0), 5.75, 0));
    list.push_back(Make("PARIS", "75", "FRANCE", 48.85, -2.35, 1, 1));  // standard: not selected
    list.push_back(Make("ST. JOHN'S", "NL", "CANADA", 47 + 34 / 60.0, 52 + 43 / 60.0, -3.5, 0));
    list.push_back(Make("QUITO", "PICHINCHA", "ÉQUATEUR", -13 / 60.0, 78.5, -5, 0));
    list.push_back(Make("CHATHAM", "", "NOUVELLE-ZÉLANDE", -(43 + 57 / 60.0), 176.55, 12.75, 0));
    list.push_back(Make("BOMBAY", "", "INDE", 18.9333, -72.8333, 5.5, 0));  // minutes rounded

    TempDir dir;
    ASSERT_TRUE(SaveDatabaseFile(list, dir / "out.dbl", 0));
    EXPECT_EQ(ReadFileBytes(dir / "out.dbl"),
              "$VERSION 6\n"
              "$NBRECORDS 6\n"
              "MA$MAISON ? FRANCE 45 30 S 6 15 E 1 0\n"
              "KATHMANDU ? NEPAL 27 43 N 85 19 E 5.75 0\n"
              "ST.$JOHN'S NL CANADA 47 34 N 52 43 W -3.5 0\n"
              "QUITO PICHINCHA ÉQUATEUR 0 13 S 78 30 W -5 0\n"
              "CHATHAM ? NOUVELLE-ZÉLANDE 43 57 S 176 33 W 12.75 0\n"
              "BOMBAY ? INDE 18 56 N 72 50 E 5.5 0\n"
              "$END\n");

    // Selector 1 takes the standard records, any other value all of them.
    ASSERT_TRUE(SaveDatabaseFile(list, dir / "std.dbl", 1));
    CLocationList standard;
    ASSERT_TRUE(LoadDatabaseFile(standard, dir / "std.dbl"));
    ASSERT_EQ(standard.size(), 1u);
    EXPECT_EQ(standard[0]->name, "PARIS");
    ASSERT_TRUE(SaveDatabaseFile(list, dir / "all.dbl", 2));
    CLocationList all;
    ASSERT_TRUE(LoadDatabaseFile(all, dir / "all.dbl"));
    EXPECT_EQ(all.size(), list.size());
}

TEST(LocationsFile, SavedFileReadsBackToTheSameRecords)
{
    CLocationList list;
    list.push_back(Make("MA MAISON", "", "FRANCE", -45.5, -6.25, 1, 0));
    list.push_back(Make("LE CAP", "CAP-OCCIDENTAL", "AFRIQUE DU SUD", -(33 + 55 / 60.0), -(18 + 25 / 60.0), 2, 0));
    list.push_back(Make("KATHMANDU", "", "NEPAL", 27 + 43 / 60.0, -(85 + 19 / 60.0), 5.75, 0));
    list.push_back(Make("CHATHAM", "", "NOUVELLE-ZÉLANDE", -(43 + 57 / 60.0), 176.55, 12.75, 0));
    list.push_back(Make("ÉQUATEUR", "", "?", 0, 0, 0, 0));
    TempDir dir;
    ASSERT_TRUE(SaveDatabaseFile(list, dir / "a.dbl", 0));
    CLocationList back;
    ASSERT_TRUE(LoadDatabaseFile(back, dir / "a.dbl"));
    ASSERT_EQ(back.size(), list.size());
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(*back[i], *list[i]) << list[i]->name;
}

TEST(LocationsFile, SeparatorsInsideTextsDoNotShiftFields)
{
    // Texts from a document or an old file may hold separator characters; written as they
    // are they would split their field and shift every later one.
    CLocationList list;
    list.push_back(Make("SAINT-DENIS,CENTRE VILLE", "A/B;C", "X,Y:Z!%*_#", -(20 + 53 / 60.0), -(55 + 27 / 60.0), 4, 0));
    list.push_back(Make("DEUX\nLIGNES", "R\tS", "P\rQ", 10.5, 20.5, -3.5, 0));
    TempDir dir;
    ASSERT_TRUE(SaveDatabaseFile(list, dir / "a.dbl", 0));
    CLocationList back;
    ASSERT_TRUE(LoadDatabaseFile(back, dir / "a.dbl"));
    ExpectRecords(back, {{"SAINT-DENIS,CENTRE VILLE", "A-B-C", "X-Y-Z-----", -(20 + 53 / 60.0),
                          -(55 + 27 / 60.0), 4, 0},
                         {"DEUX LIGNES", "R S", "P Q", 10.5, 20.5, -3.5, 0}});

    // Saving what was read gives the same file again.
    ASSERT_TRUE(SaveDatabaseFile(back, dir / "b.dbl", 0));
    EXPECT_EQ(ReadFileBytes(dir / "b.dbl"), ReadFileBytes(dir / "a.dbl"));

    for (const char* text : {"A/B", "A,B", "A;B", "A:B", "A!B", "A%B", "A*B", "A_B", "A#B", "A\tB"})
        EXPECT_TRUE(HasForbiddenLocationChar(text)) << text;
    EXPECT_FALSE(HasForbiddenLocationChar("SAINT-ÉTIENNE DU ROUVRAY (76)"));
}

TEST(LocationsFile, DeletingTheLastUserLocationReachesTheDisk)
{
    UserFolder folder;
    CLocationList list;
    list.push_back(Make("PARIS", "75", "FRANCE", 48.85, -2.35, 1, 1));
    // A user who never added a place gets no empty file of their own.
    ASSERT_TRUE(SaveUserLocations(list));
    EXPECT_FALSE(std::filesystem::exists(folder.dir() / "LIEUX2.DBL"));

    list.push_back(Make("MA MAISON", "", "FRANCE", 47, -6, 1, 0));
    ASSERT_TRUE(SaveUserLocations(list));

    list.pop_back();
    ASSERT_TRUE(SaveUserLocations(list));
    EXPECT_EQ(ReadFileBytes(folder.dir() / "LIEUX2.DBL"), "$VERSION 6\n$NBRECORDS 0\n$END\n");
    CLocationList back;
    EXPECT_TRUE(LoadDatabaseFile(back, UserLocationsFile()));
    EXPECT_TRUE(back.empty());
}

TEST(LocationsFile, FailedSaveReportsFailureAndLeavesNoTemporaryFile)
{
    TempDir dir;
    CLocationList list;
    list.push_back(Make("MA MAISON", "", "FRANCE", 47, -6, 1, 0));
    EXPECT_FALSE(SaveDatabaseFile(list, dir / "no-such-folder" / "LIEUX2.DBL", 0));
    std::filesystem::create_directory(dir / "LIEUX2.DBL");  // a folder where the file should go
    EXPECT_FALSE(SaveDatabaseFile(list, dir / "LIEUX2.DBL", 0));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "LIEUX2.DBL"));

    ASSERT_TRUE(SaveDatabaseFile(list, dir / "ok.dbl", 0));
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"LIEUX2.DBL", "ok.dbl"}));
}

TEST(LocationsFile, StandardAndUserFilesAcrossSessions)
{
    // A standard file written on Windows (CRLF) must keep its records standard, or each
    // session would copy them into the user file.
    UserFolder folder;
    const auto standardFile = folder.dir() / "LIEUX.DBL";
    WriteFileBytes(standardFile, "$VERSION 6\r\n$NBRECORDS 2\r\nBESANÇON 25 FRANCE 47 15 N 6 1 E 1 1\r\n"
                                 "ZÜRICH ZH SUISSE 47 23 N 8 32 E 1 1\r\n$END\r\n");
    WriteFileBytes(folder.dir() / "LIEUX2.DBL",
                   "$VERSION 6\r\n$NBRECORDS 1\r\nMA$MAISON ? FRANCE 47 0 N 6 0 E 1 0\r\n$END\r\n");
    for (int session = 0; session < 3; ++session) {
        SCOPED_TRACE(session);
        CLocationList list;
        ASSERT_TRUE(LoadLocationDatabase(list, standardFile));
        ASSERT_EQ(list.size(), 3u);
        EXPECT_EQ(list[0]->standard, 1);
        EXPECT_EQ(list[1]->standard, 1);
        ASSERT_TRUE(SaveUserLocations(list));
    }
    CLocationList user;
    ASSERT_TRUE(LoadDatabaseFile(user, UserLocationsFile()));
    ASSERT_EQ(user.size(), 1u);
    EXPECT_EQ(user[0]->name, "MA MAISON");

    // Either file alone is enough; neither is a failure.
    CLocationList onlyUser;
    EXPECT_TRUE(LoadLocationDatabase(onlyUser, folder.dir() / "missing.dbl"));
    EXPECT_EQ(onlyUser.size(), 1u);
    std::filesystem::remove(folder.dir() / "LIEUX2.DBL");
    CLocationList nothing;
    EXPECT_FALSE(LoadLocationDatabase(nothing, folder.dir() / "missing.dbl"));
}

TEST(LocationsFile, UserFilePlacesStayUserPlacesAndAChangedFileIsKeptBeforeItsRewrite)
{
    // An older version's file (no flag: standard by default) and a version-6 line whose flag
    // was damaged into 1: their places were dropped at the next save.
    for (const std::string old : {"$VERSION 4\n$NBRECORDS 1\nCHEZ$MOI FRANCE 47 0 N 6 0 E 1\n$END\n",
                                  "$VERSION 6\n$NBRECORDS 1\nCHEZ$MOI ? FRANCE 47 0 N 6 0 E 1 1\n$END\n"}) {
        SCOPED_TRACE(old);
        UserFolder folder;
        const auto userFile = folder.dir() / "LIEUX2.DBL";
        WriteFileBytes(userFile, old);
        std::filesystem::permissions(userFile, std::filesystem::perms(0600));
        CLocationList list;
        ASSERT_TRUE(LoadLocationDatabase(list, folder.dir() / "missing.dbl"));
        ASSERT_TRUE(SaveUserLocations(list));
        EXPECT_EQ(ReadFileBytes(userFile), "$VERSION 6\n$NBRECORDS 1\nCHEZ$MOI ? FRANCE 47 0 N 6 0 E 1 0\n$END\n");
        EXPECT_EQ(ReadFileBytes(folder.dir() / "LIEUX2.DBL.bak"), old);
        // The copy is no more readable by others than the file.
        EXPECT_EQ(static_cast<int>(std::filesystem::status(folder.dir() / "LIEUX2.DBL.bak").permissions()), 0600);
        // The rewritten file is kept as it is: no second copy.
        ASSERT_TRUE(SaveUserLocations(list));
        EXPECT_FALSE(std::filesystem::exists(folder.dir() / "LIEUX2.DBL.bak2"));
    }
}

TEST(LocationsFile, NextTokenSplitsOnEverySeparator)
{
    const std::string line = "A,,B C;D:E!F/G%H*I_J#K";
    size_t pos = 0;
    std::vector<std::string> tokens;
    for (int i = 0; i < 13; ++i)
        tokens.push_back(NextToken(line, pos));
    EXPECT_EQ(tokens, (std::vector<std::string>{"A", "", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", ""}));
    EXPECT_EQ(pos, line.size());

    std::string text = "A$B$$C";
    ReplaceChar(text, '$', ' ');
    EXPECT_EQ(text, "A B  C");
}

TEST(LocationsFile, AnUnreadableUserFileIsSetAsideNotOverwritten)
{
    UserFolder folder;
    const auto userFile = folder.dir() / "LIEUX2.DBL";
    const std::string newer = "$VERSION 9\n$NBRECORDS 1\nCHEZ$MOI ? FRANCE 47 0 N 6 0 E 1 0\n$END\n";
    WriteFileBytes(userFile, newer);
    CLocationList list;
    list.push_back(Make("MA MAISON", "", "FRANCE", 47, -6, 1, 0));

    ASSERT_TRUE(SaveUserLocations(list));
    EXPECT_EQ(ReadFileBytes(folder.dir() / "LIEUX2.DBL.unreadable"), newer);
    CLocationList back;
    ASSERT_TRUE(LoadDatabaseFile(back, userFile));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0]->name, "MA MAISON");

    // A second damaged file does not replace the first one set aside.
    WriteFileBytes(userFile, "garbage");
    ASSERT_TRUE(SaveUserLocations(list));
    EXPECT_EQ(ReadFileBytes(folder.dir() / "LIEUX2.DBL.unreadable"), newer);
    EXPECT_EQ(ReadFileBytes(folder.dir() / "LIEUX2.DBL.unreadable2"), "garbage");

    // A readable file is simply rewritten.
    ASSERT_TRUE(SaveUserLocations(list));
    EXPECT_FALSE(std::filesystem::exists(folder.dir() / "LIEUX2.DBL.unreadable3"));
}
