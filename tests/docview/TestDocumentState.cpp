// The document's own state: reset, settings read and written, the locations it keeps, the
// printer sheet and page sizes, and the sun grid against an independent ephemeris.
#include "DocTestSupport.h"

#include "app/Accessors.h"
#include "model/Astronomy.h"
#include "platform/Profile.h"

#include <cmath>
#include <iostream>
#include <numbers>
#include <sstream>
#include <sys/stat.h>

namespace {

constexpr double kDeg = 180.0 / std::numbers::pi;

using DocumentState = DocumentTest;

TEST_F(DocumentState, ResetChoosesTheReferenceLocationByExactName)
{
    // No reference: the first record of the standard file.
    EXPECT_EQ(Doc().GetLocationList().size(), 3u);
    ASSERT_NE(Doc().GetLocation(), nullptr);
    EXPECT_EQ(Doc().GetLocation()->name, "BESANÇON");

    GetProfile().WriteString("Options\\General", "LieuReference", "PARIS");
    Doc().ResetDocument();
    EXPECT_EQ(Doc().GetLocation()->name, "PARIS");

    // The comparison is exact: another case or an unknown name gives the first record.
    for (const char* name : {"Paris", "NOWHERE"}) {
        GetProfile().WriteString("Options\\General", "LieuReference", name);
        Doc().ResetDocument();
        EXPECT_EQ(Doc().GetLocation()->name, "BESANÇON") << name;
    }

    // Without any locations file there is no location at all.
    GetProfile().WriteString("Options\\General", "NomFichierLieux", (dir_ / "none.dbl").string());
    TestDocument empty;
    EXPECT_TRUE(empty.GetLocationList().empty());
    EXPECT_EQ(empty.GetLocation(), nullptr);
    EXPECT_TRUE(empty.IsSunGridReady());
}

TEST_F(DocumentState, ResetClearsTheDialAndTakesYearSheetAndResolution)
{
    GetProfile().WriteInt("Options\\General", "AnneeReference", 2031);
    GetProfile().WriteInt("Options\\General", "ModeAnneeReference", 2);
    GetAppContext().screenPixelsPerInchX = 120;
    GetAppContext().screenPixelsPerInchY = 144;
    Doc().SetDial(std::make_unique<CCadranHorizontal>());
    Doc().SetPageCount(6);
    ASSERT_TRUE(Doc().SetDrawingSizeMm({400, 560}));

    Doc().ResetDocument();
    EXPECT_EQ(Doc().GetDial(), nullptr);
    EXPECT_EQ(GetAstroYear(), 2031);
    EXPECT_EQ(Doc().GetReferenceYearMode(), 2);
    EXPECT_EQ(Doc().GetPageCount(), 1);
    EXPECT_EQ(Doc().GetDrawingSizeMm(), (gdi::Size{200, 280}));
    EXPECT_EQ(Doc().GetScreenPixelsPerInchX(), 120);
    EXPECT_EQ(Doc().GetScreenPixelsPerInchY(), 144);
    EXPECT_EQ(Doc().GetLabel(), "Horavel 2.0");

    // Without a stored year: the current year of the clock (14 November 2023).
    GetProfile().DeleteValue("Options\\General", "AnneeReference");
    Doc().LoadReferenceYear();
    EXPECT_EQ(GetAstroYear(), 2023);
    EXPECT_EQ(Doc().GetEphemeris().time, 1'700'000'000);
    EXPECT_EQ(Doc().GetEphemeris().fixedDate, 0);
    EXPECT_EQ(Doc().GetEphemeris().summerTime, 0);
}

TEST_F(DocumentState, PrinterSheetComesFromThePrinterAndRefusesEmptySizes)
{
    // No printer: 200 x 280 from the start.
    EXPECT_EQ(Doc().GetPrinterPageSizeMm(), (gdi::Size{200, 280}));

    PrinterInfo printer;
    printer.name = "Office";
    printer.printableWidthMm = 190;
    printer.printableHeightMm = 277;
    services_->SetPrinter(printer);
    Doc().ResetDocument();
    EXPECT_EQ(Doc().GetPrinterPageSizeMm(), (gdi::Size{190, 277}));
    EXPECT_EQ(Doc().GetDrawingSizeMm(), (gdi::Size{190, 277}));

    // A printer that reports no size keeps the sheet in force, the first time too.
    printer.printableWidthMm = 0;
    services_->SetPrinter(printer);
    Doc().UpdatePrinterPageSize();
    EXPECT_EQ(Doc().GetPrinterPageSizeMm(), (gdi::Size{190, 277}));
    TestDocument fresh;
    EXPECT_EQ(fresh.GetPrinterPageSizeMm(), (gdi::Size{200, 280}));

    // No printer, but a page set up for printing to a file (A3 on its side): its paper.
    PrinterInfo file;
    file.printableWidthMm = 413;
    file.printableHeightMm = 290;
    services_->QueuePrintSetup(file);
    ASSERT_TRUE(GetServices().PrintSetup());
    fresh.UpdatePrinterPageSize();
    EXPECT_EQ(fresh.GetPrinterPageSizeMm(), (gdi::Size{413, 290}));

    // The layout divides by these sizes: zero and negative ones are refused.
    EXPECT_FALSE(Doc().SetDrawingSizeMm({0, 100}));
    EXPECT_FALSE(Doc().SetSheetSizePx({756, -1}));
    EXPECT_FALSE(Doc().SetPrinterPageSizeMm({-210, 297}));
    EXPECT_EQ(Doc().GetDrawingSizeMm(), (gdi::Size{190, 277}));
    EXPECT_TRUE(Doc().SetSheetSizePx({718, 1047}));
    EXPECT_EQ(Doc().GetSheetSizePx(), (gdi::Size{718, 1047}));
    Doc().SetPageCount(0);
    EXPECT_EQ(Doc().GetPageCount(), 1);
}

TEST_F(DocumentState, ClosingSavesYearLocationNameAndUserLocations)
{
    Doc().SetLocation(Doc().GetLocationList().at(2).get());
    auto user = std::make_unique<CDataBaseElement>();
    user->name = "MON JARDIN";
    user->country = "FRANCE";
    user->latitude = 46.5;
    user->longitude = -4.25;
    user->zone = 1.0;
    user->standard = 0;
    Doc().GetLocationList().push_back(std::move(user));
    SetAstroYear(2027);
    Doc().SetReferenceYearMode(1);
    doc_.reset();

    EXPECT_EQ(GetProfile().GetString("Options\\General", "LieuReference", ""), "QUITO");
    EXPECT_EQ(GetProfile().GetInt("Options\\General", "AnneeReference", 0), 2027);
    EXPECT_EQ(GetProfile().GetInt("Options\\General", "ModeAnneeReference", 0), 1);
    const std::string saved = testsupport::ReadFileBytes(UserFile());
    EXPECT_NE(saved.find("MON$JARDIN"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("PARIS"), std::string::npos) << "standard records are not written back";

    // The next document finds the user's location after the standard ones, and starts there.
    TestDocument next;
    ASSERT_EQ(next.GetLocationList().size(), 4u);
    EXPECT_EQ(next.GetLocationList().back()->name, "MON JARDIN");
    EXPECT_EQ(next.GetLocation()->name, "QUITO");
}

TEST_F(DocumentState, UserLocationsThatCannotBeSavedAtExitGoToADatedCopyAndTheUserIsTold)
{
    testsupport::WriteFileBytes(UserFile(), "$VERSION 6\n$NBRECORDS 0\n$END\n");
    ::chmod(UserFile().c_str(), 0400);
    auto user = std::make_unique<CDataBaseElement>();
    user->name = "MON JARDIN";
    user->country = "FRANCE";
    user->standard = 0;
    Doc().GetLocationList().push_back(std::move(user));
    doc_.reset();
    ::chmod(UserFile().c_str(), 0644);

    const auto copy = dir_ / "data" / "LIEUX2-20231114-221320.DBL";  // the fake clock's time
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    const std::string& text = services_->messageBoxes[0].text;
    EXPECT_NE(text.find(UserFile().string()), std::string::npos) << text;
    EXPECT_NE(text.find(copy.string()), std::string::npos) << text;
    EXPECT_EQ(testsupport::ReadFileBytes(copy), "$VERSION 6\n$NBRECORDS 1\nMON$JARDIN ? FRANCE 0 0 N 0 0 W 0 0\n$END\n");
    struct stat st;
    ASSERT_EQ(::stat(copy.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0400u) << "the copy is as private as the file";
}

TEST_F(DocumentState, AUserFileWithLinesSkippedIsToldOnceWithTheCopyKept)
{
    const std::string damaged = "$VERSION 6\n$NBRECORDS 2\nPOLE ? NULLE-PART 95 0 N 0 0 E 0 0\n"
                                "MON$JARDIN ? FRANCE 46 30 N 4 15 E 1 0\n$END\n";
    testsupport::WriteFileBytes(UserFile(), damaged);
    ScopedFakeTimers timers;
    TestDocument next;
    EXPECT_EQ(next.GetLocationList().back()->name, "MON JARDIN");
    // Not while the document is made, before the program's language is known: once started.
    EXPECT_TRUE(services_->messageBoxes.empty());
    timers->Advance(100);
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    const std::string& text = services_->messageBoxes[0].text;
    EXPECT_NE(text.find(UserFile().string() + ".bak"), std::string::npos) << text;
    EXPECT_EQ(testsupport::ReadFileBytes(UserFile().string() + ".bak"), damaged);
}

TEST_F(DocumentState, CurrentLocationIsTheDocumentsOwnCopy)
{
    Doc().SetLocation(Doc().GetLocationList().at(1).get());
    const CDataBaseElement* current = Doc().GetLocation();
    DeleteAllLocations(Doc().GetLocationList());
    ASSERT_EQ(Doc().GetLocation(), current);
    EXPECT_EQ(current->name, "PARIS");
    EXPECT_EQ(current->latitude, 48 + 52 / 60.0);

    // The application's accessors reach the document's dial and list.
    GetAppContext().document = &Doc();
    auto dial = std::make_unique<CCadranHorizontal>();
    const CCadran* raw = dial.get();
    Doc().SetDial(std::move(dial));
    EXPECT_EQ(GetDial(), raw);
    EXPECT_EQ(GetLocationList(), &Doc().GetLocationList());
    GetAppContext().document = nullptr;
    EXPECT_EQ(GetDial(), nullptr);
    EXPECT_EQ(GetLocationList(), nullptr);

    // File > New: the dial goes, the document is clean and has a location again.
    Doc().SetModifiedFlag(true);
    ASSERT_TRUE(Doc().OnNewDocument());
    EXPECT_EQ(Doc().GetDial(), nullptr);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(DocumentState, CloseStepsCallTheWindowsFirst)
{
    int closing = 0;
    Doc().SetHooks({nullptr, [&] { ++closing; }, nullptr});
    Doc().SetDial(std::make_unique<CCadranHorizontal>());
    Doc().OnCloseDocument();
    EXPECT_EQ(closing, 1);
    EXPECT_EQ(Doc().GetDial(), nullptr);
}

struct GridCell {
    double latitude = 0;
    int row = 0;
    int column = 0;
    double declination = 0;
    double altitude = 0;
    double azimuth = 0;
};

std::vector<GridCell> ReadGridReference()
{
    std::istringstream in(testsupport::ReadFileBytes(testsupport::DataDir() / "document" / "sun_grid.csv"));
    std::string line;
    std::getline(in, line);
    std::vector<GridCell> cells;
    while (std::getline(in, line)) {
        GridCell c;
        std::istringstream fields(line);
        fields.imbue(std::locale::classic());
        char comma = 0;
        fields >> c.latitude >> comma >> c.row >> comma >> c.column >> comma >> c.declination >> comma >> c.altitude >>
            comma >> c.azimuth;
        cells.push_back(c);
    }
    return cells;
}

TEST_F(DocumentState, SunGridMatchesTheEphemeris)
{
    GetProfile().WriteInt("Options\\General", "AnneeReference", 2024);
    const std::vector<GridCell> cells = ReadGridReference();
    ASSERT_EQ(cells.size(), 168u);
    double worst = 0.0;
    for (const GridCell& cell : cells) {
        CDataBaseElement site;
        site.latitude = cell.latitude;
        site.longitude = -6.0;
        site.zone = 1.0;
        Doc().SetLocation(&site);
        ASSERT_TRUE(Doc().IsSunGridReady());
        const double altitude = Doc().GetSunGridAltitude()[cell.row][cell.column] * kDeg;
        const double azimuth = Doc().GetSunGridAzimuth()[cell.row][cell.column] * kDeg;
        double dAz = std::remainder(azimuth - cell.azimuth, 360.0) * std::cos(cell.altitude / kDeg);
        const double error = std::max(std::abs(altitude - cell.altitude), std::abs(dAz));
        worst = std::max(worst, error);
        EXPECT_LT(error, 0.02) << "latitude " << cell.latitude << " row " << cell.row << " column " << cell.column
                               << ": altitude " << altitude << " expected " << cell.altitude << ", azimuth "
                               << azimuth << " expected " << cell.azimuth << " (tolerance 0.02 degree)";
    }
    std::cout << "worst sun grid error: " << worst << " degree\n";

    // The meridian and the two ends of the grid.
    CDataBaseElement north;
    north.latitude = 47.25;
    Doc().SetLocation(&north);
    const auto& az = Doc().GetSunGridAzimuth();
    const auto& alt = Doc().GetSunGridAltitude();
    const double solstice = DeclinationOfLongitude(9, true);
    EXPECT_NEAR(alt[9][CHoravelDoc::kMeridianColumn] * kDeg, 90.0 - 47.25 + solstice, 1e-9);
    EXPECT_NEAR(az[9][CHoravelDoc::kMeridianColumn], 0.0, 1e-12);
    EXPECT_NEAR(alt[9][0], alt[9][288], 1e-12);
    EXPECT_NEAR(std::abs(az[9][0]) * kDeg, 180.0, 1e-9);
    // Midnight of the winter solstice: the lower culmination, latitude + declination - 90.
    EXPECT_NEAR(alt[27][0] * kDeg, 47.25 + DeclinationOfLongitude(27, true) - 90.0, 1e-9);
}

}  // namespace
