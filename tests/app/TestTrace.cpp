#include "app/Accessors.h"
#include "app/Trace.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <string>

namespace {

// Points the trace file into a fresh folder; the fake clock stands at 14:03:07.
class TraceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths::SetDataFolder(dir_.path());
        SetClock({2024, 3, 5, 14, 3, 7});
    }
    void TearDown() override { paths::SetDataFolder({}); }
    void SetClock(DateTimeFields local) { fake_->SetNowMs(FieldsToUnix(local) * 1000); }
    std::string TraceText() const { return testsupport::ReadFileBytes(dir_ / "HoravelTraces.txt"); }
    void CreateEmptyTraceFile() const { testsupport::WriteFileBytes(dir_ / "HoravelTraces.txt", ""); }

    testsupport::TempDir dir_;
    ScopedFakeServices fake_;
};

}  // namespace

TEST_F(TraceTest, HeaderReportsADesktopByteForByte)
{
    SystemFacts facts;
    facts.osVersionText = "6.1.0-18-amd64";
    facts.osServiceText = "Debian GNU/Linux 12 (bookworm)";
    facts.computerName = "atelier-cadrans-solaires-01";  // longer than 15 characters: written whole
    facts.userName = "marie-claire.dupont";
    facts.defaultPrinter = PrinterFacts{"Bureau_LaserJet", "CUPS", "ipp://imprimante.local/ipp/print"};
    facts.systemLanguage = "fr";
    facts.totalRamMB = 15953;
    facts.availableRamMB = 4096;
    facts.screenWidth = 1920;
    facts.screenHeight = 1080;
    facts.colorBits = 24;
    SetClock({2024, 3, 5, 9, 4, 7});
    WriteTraceHeader(facts);
    EXPECT_EQ(TraceText(), testsupport::ReadFileBytes(testsupport::DataDir() / "app" / "trace_header_desktop.txt"));
}

TEST_F(TraceTest, HeaderReportsAMachineWithoutScreenOrPrinter)
{
    SystemFacts facts;
    facts.osKind = 6;
    facts.osVersionText = "5.1.2600";
    facts.shell32 = {6, 0};
    facts.shlwapi = {6, 0};
    facts.comctl32 = {5, 82};
    facts.systemLanguage = "C";
    SetClock({1999, 12, 31, 23, 59, 59});
    // An older, longer trace file is replaced.
    testsupport::WriteFileBytes(dir_ / "HoravelTraces.txt", std::string(10000, 'x'));
    WriteTraceHeader(facts);
    EXPECT_EQ(TraceText(), testsupport::ReadFileBytes(testsupport::DataDir() / "app" / "trace_header_headless.txt"));
}

TEST_F(TraceTest, LinesAreTimeStampedAndEndOnce)
{
    CreateEmptyTraceFile();
    WriteTraceLine("Launching Splash Window.");
    WriteTraceLine("Already ended.\n");
    Trace("[ERROR] Help file not available (%s)", "/opt/horavel/Help/fr/%s%d.html");
    EXPECT_EQ(TraceText(), "14:03:07  Launching Splash Window.\n"
                           "14:03:07  Already ended.\n"
                           "14:03:07  [ERROR] Help file not available (/opt/horavel/Help/fr/%s%d.html)\n");
    EXPECT_EQ(GetCurrentYear(), 2024);
}

TEST_F(TraceTest, LongMessagesAreWrittenWhole)
{
    CreateEmptyTraceFile();
    const std::string longText(2000, 'a');
    Trace("%s|%d", longText.c_str(), 42);
    EXPECT_EQ(TraceText(), "14:03:07  " + longText + "|42\n");
}

TEST_F(TraceTest, NumbersIgnoreTheProcessLocale)
{
    CreateEmptyTraceFile();
    const std::string old = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "fr_FR.UTF-8"), nullptr) << "fr_FR.UTF-8 missing (test.sh generates it)";
    Trace("Latitude %.2f, %g degrees, %d lines.", 48.856613, 2.5, 1234567);
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(TraceText(), "14:03:07  Latitude 48.86, 2.5 degrees, 1234567 lines.\n");
}

TEST_F(TraceTest, NothingIsWrittenWithoutATraceFile)
{
    Trace("Lost line %d", 1);
    WriteTraceLine("Lost too");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "HoravelTraces.txt"));
    paths::SetDataFolder(dir_ / "missing-folder");
    WriteTraceHeader(SystemFacts{});
    Trace("Still nothing");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "missing-folder"));
}

TEST(SystemReport, GathersLocalFactsAndThoseOfTheDesktop)
{
    ScopedFakeServices fake;
    ScreenInfo screen;
    screen.present = true;
    screen.widthPx = 800;
    screen.heightPx = 600;
    screen.bitsPerPixel = 32;
    fake->SetScreen(screen);
    PrinterInfo printer;
    printer.name = "PDF";
    printer.driverName = "CUPS-PDF";
    fake->SetPrinter(printer);
    SystemFacts facts = GatherSystemFacts();
    EXPECT_FALSE(facts.osVersionText.empty());
    EXPECT_GT(facts.totalRamMB, 0);
    EXPECT_LE(facts.availableRamMB, facts.totalRamMB);
    EXPECT_EQ(facts.screenWidth, 800);
    EXPECT_EQ(facts.screenHeight, 600);
    EXPECT_EQ(facts.colorBits, 32);
    ASSERT_TRUE(facts.defaultPrinter);
    EXPECT_EQ(facts.defaultPrinter->deviceName, "PDF");
    EXPECT_EQ(facts.defaultPrinter->driverName, "CUPS-PDF");
    // These libraries do not exist here: the report shows 0.0 for them.
    EXPECT_EQ(facts.shell32.major, 0);
    EXPECT_EQ(facts.comctl32.minor, 0);
    // A library without the version entry reads 0.0 too.
    EXPECT_EQ(GetDllVersion("libc.so.6").major, 0);

    // Without a screen or a printer.
    fake->SetScreen({});
    fake->SetPrinter({});
    facts = GatherSystemFacts();
    EXPECT_EQ(facts.screenWidth, 0);
    EXPECT_FALSE(facts.colorBits);
    EXPECT_FALSE(facts.defaultPrinter);

    EXPECT_EQ(LocaleLanguageCode("fr_FR.UTF-8"), "fr");
    EXPECT_EQ(LocaleLanguageCode("de_DE@euro"), "de");
    EXPECT_EQ(LocaleLanguageCode("C"), "C");
}
