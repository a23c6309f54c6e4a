#include "AppTestSupport.h"
#include "app/Accessors.h"
#include "app/BuildNumber.h"
#include "app/CHoravelApp.h"
#include "app/CLanguageFile.h"
#include "app/CommandLineInfo.h"
#include "app/HelpPages.h"
#include "app/Trace.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using apptest::NumberDocument;
using apptest::RecordingWindows;

namespace {

class Application : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(install_.path() / "Help" / "fr");
        std::filesystem::create_directories(install_.path() / "Help" / "en");
        std::filesystem::copy_file(testsupport::SourceDir() / "resources" / "data" / "horavel.lang",
                                   install_ / "horavel.lang");
        paths::SetInstallFolder(install_.path());
        paths::SetDataFolder(data_.path());
        app_ = std::make_unique<CHoravelApp>([] { return std::make_unique<NumberDocument>(); });
        app_->SetWindows(&windows_);
        app_->SetCreationWizard([this] { ++wizardRuns_; });
    }
    void TearDown() override
    {
        app_.reset();
        GetAppContext() = AppContext{};
        paths::SetInstallFolder({});
        paths::SetDataFolder({});
    }

    std::vector<std::string> TraceLines() const
    {
        std::vector<std::string> lines;
        textfile::ReadLines(TraceFilePath(), lines);
        return lines;
    }
    // Index of the first trace line containing the text; -1 when none.
    int TraceIndex(const std::string& text) const
    {
        const auto lines = TraceLines();
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(text) != std::string::npos)
                return static_cast<int>(i);
        return -1;
    }
    NumberDocument& Doc() { return static_cast<NumberDocument&>(app_->GetDocTemplate().GetDocument()); }

    testsupport::TempDir install_;
    testsupport::TempDir data_;
    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    RecordingWindows windows_;
    std::unique_ptr<CHoravelApp> app_;
    int wizardRuns_ = 0;
};

}  // namespace

TEST_F(Application, StartsUpInOrder)
{
    profile_->WriteInt("Options\\Window", "IsZoomed", 1);
    profile_->WriteInt("Options\\General", "Langage", 1);
    profile_->WriteInt("Options\\General", "Langage Aide", 4);
    bool startingWhileFrameMade = false;
    struct Probe : RecordingWindows {
        std::function<void()> check;
        bool CreateMainFrame() override
        {
            check();
            return RecordingWindows::CreateMainFrame();
        }
    } probe;
    probe.check = [&] { startingWhileFrameMade = app_->IsStarting(); };
    app_->SetWindows(&probe);

    ASSERT_TRUE(app_->InitInstance({}));
    EXPECT_TRUE(startingWhileFrameMade);
    EXPECT_FALSE(app_->IsStarting());
    EXPECT_EQ(wizardRuns_, 0);  // File > New during start-up makes no wizard run
    const std::vector<std::string> expected = {"CreateMainFrame",    "DocumentChanged",
                                               "ShowSplash 2.0.1",   "AcceptDroppedFiles",
                                               "ShowMainWindow maximised", "SetLanguage 1 0 4"};
    EXPECT_EQ(probe.calls, expected);
    ASSERT_NE(app_->GetLanguageFile(), nullptr);
    EXPECT_EQ(GetLanguageFile(), app_->GetLanguageFile());

    // The trace: header, the language file, the splash, then the four closing lines.
    const int loading = TraceIndex("Loading resources from");
    const int splash = TraceIndex("Launching Splash Window.");
    const int complete = TraceIndex("Initialisation Phase Complete.");
    ASSERT_GT(loading, 0);
    EXPECT_LT(loading, splash);
    EXPECT_LT(splash, complete);
    const auto lines = TraceLines();
    ASSERT_GE(lines.size(), static_cast<size_t>(complete + 3));
    EXPECT_NE(lines[complete - 1].find(std::string(64, '-')), std::string::npos);
    EXPECT_NE(lines[complete + 1].find("Horavel 2.0.1 (build " + std::to_string(app_->GetBuildNumber()) + ")"),
              std::string::npos);
    EXPECT_NE(lines[complete + 2].find(std::string(64, '-')), std::string::npos);
    EXPECT_EQ(TraceIndex("[ERROR]"), -1);
}

TEST_F(Application, MissingLanguageFileStopsTheStartWithTheErrorLine)
{
    std::filesystem::remove(install_ / "horavel.lang");
    EXPECT_FALSE(app_->InitInstance({}));
    EXPECT_EQ(app_->GetLanguageFile(), nullptr);
    EXPECT_EQ(GetLanguageFile(), nullptr);
    EXPECT_GE(TraceIndex("[ERROR] Resources File not found"), 0);
    const int failing = TraceIndex("[ERROR] Failing to load Resources File!");
    EXPECT_GT(failing, TraceIndex("[ERROR] Resources File not found"));
    EXPECT_EQ(TraceIndex("Launching Splash Window."), -1);
    EXPECT_EQ(std::count(windows_.calls.begin(), windows_.calls.end(), "ShowSplash 2.0.1"), 0);
    EXPECT_FALSE(app_->IsStarting());
    // The user is told which file failed and why, in the program's own words.
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_NE(fake_->messageBoxes[0].text.find((install_ / "horavel.lang").string()), std::string::npos);
    EXPECT_NE(fake_->messageBoxes[0].text.find("cannot be read"), std::string::npos) << fake_->messageBoxes[0].text;

    // A damaged file: its reason.
    testsupport::WriteFileBytes(install_ / "horavel.lang", std::string(4096, '\0'));
    RecordingWindows other;
    app_->SetWindows(&other);
    EXPECT_FALSE(app_->InitInstance({}));
    ASSERT_EQ(fake_->messageBoxes.size(), 2u);
    EXPECT_NE(fake_->messageBoxes[1].text.find("signature"), std::string::npos) << fake_->messageBoxes[1].text;
}

TEST_F(Application, StartFailsWhenTheFrameOrTheCommandLineDocumentCannotBeMade)
{
    windows_.createSucceeds = false;
    EXPECT_FALSE(app_->InitInstance({}));
    EXPECT_EQ(TraceIndex("Loading resources from"), -1);

    RecordingWindows other;
    app_->SetWindows(&other);
    EXPECT_FALSE(app_->InitInstance({(data_ / "missing.cds").string()}));

    apptest::WriteNumberFile(data_ / "six.cds", 6);
    RecordingWindows third;
    app_->SetWindows(&third);
    ASSERT_TRUE(app_->InitInstance({(data_ / "six.cds").string()}));
    EXPECT_EQ(Doc().value, 6);
}

TEST_F(Application, FewColoursWarnOnce)
{
    ScreenInfo screen;
    screen.present = true;
    screen.bitsPerPixel = 8;
    fake_->SetScreen(screen);
    ASSERT_TRUE(app_->InitInstance({}));
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text.find("Pour votre confort"), 0u);
    EXPECT_EQ(fake_->messageBoxes[0].type, unsigned{MB_ICONEXCLAMATION});

    screen.bitsPerPixel = 16;
    fake_->SetScreen(screen);
    RecordingWindows other;
    app_->SetWindows(&other);
    ASSERT_TRUE(app_->InitInstance({}));
    EXPECT_EQ(fake_->messageBoxes.size(), 1u);
}

TEST_F(Application, FileNewRunsTheWizardOnlyAfterASuccessfulNewDocument)
{
    ASSERT_TRUE(app_->InitInstance({}));
    app_->OnFileNew();
    EXPECT_EQ(wizardRuns_, 1);

    // Cancel at "save changes?": the old document stays and no wizard runs over it.
    Doc().value = 9;
    Doc().SetModifiedFlag();
    fake_->QueueMessageBoxAnswer(IDCANCEL);
    ASSERT_TRUE(app_->Commands().Execute(57600));
    EXPECT_EQ(wizardRuns_, 1);
    EXPECT_EQ(Doc().value, 9);

    // A document that refuses to empty itself: no wizard either.
    Doc().SetModifiedFlag(false);
    Doc().refuseNew = true;
    app_->OnFileNew();
    EXPECT_EQ(wizardRuns_, 1);
    Doc().refuseNew = false;

    // File > Close empties the document without the wizard.
    Doc().value = 4;
    ASSERT_TRUE(app_->Commands().Execute(57602));
    EXPECT_EQ(Doc().value, 0);
    EXPECT_EQ(wizardRuns_, 1);
    EXPECT_FALSE(app_->IsStarting());

    // Without a main window the wizard does not run.
    windows_.hasMainWindow = false;
    app_->OnFileNew();
    EXPECT_EQ(wizardRuns_, 1);
}

TEST_F(Application, StartupScreenRunsTheChosenCommandAndStoresTheChoiceOnOk)
{
    ASSERT_TRUE(app_->InitInstance({}));
    EXPECT_EQ(app_->GetStartupOption(), 1);

    apptest::WriteNumberFile(data_ / "two.cds", 2);
    windows_.startupAnswer = {IDOK, 57601, false};
    fake_->QueueOpenFile(data_ / "two.cds");
    ASSERT_TRUE(app_->Commands().Execute(109));
    EXPECT_EQ(Doc().value, 2);
    EXPECT_EQ(app_->GetStartupOption(), 0);
    EXPECT_EQ(profile_->GetInt("Options", "Startup", -1), 0);

    // Cancel stores nothing.
    windows_.startupAnswer = {IDCANCEL, 57600, true};
    app_->OnStartupScreen();
    EXPECT_EQ(profile_->GetInt("Options", "Startup", -1), 0);
    EXPECT_EQ(wizardRuns_, 0);

    windows_.startupAnswer = {IDOK, 57600, true};
    app_->OnStartupScreen();
    EXPECT_EQ(wizardRuns_, 1);
    EXPECT_EQ(app_->GetStartupOption(), 1);

    testsupport::WriteFileBytes(install_ / "Help" / "fr" / "contents.html", "<html></html>");
    windows_.startupAnswer = {IDOK, 57667, true};
    app_->OnStartupScreen();
    ASSERT_FALSE(fake_->shellOpens.empty());
    EXPECT_TRUE(fake_->shellOpens.back().opened);
    EXPECT_NE(fake_->shellOpens.back().target.find("contents.html"), std::string::npos);
}

TEST_F(Application, StartupScreenIsLeftOutWhenAnotherProgramStartedUs)
{
    RecordingWindows embedded;
    app_->SetWindows(&embedded);
    ASSERT_TRUE(app_->InitInstance({"-Embedding"}));
    app_->ShowStartupScreenIfWanted();
    EXPECT_EQ(std::count(embedded.calls.begin(), embedded.calls.end(), "RunStartupScreen"), 0);

    RecordingWindows plain;
    app_->SetWindows(&plain);
    ASSERT_TRUE(app_->InitInstance({}));
    app_->ShowStartupScreenIfWanted();
    EXPECT_EQ(std::count(plain.calls.begin(), plain.calls.end(), "RunStartupScreen"), 1);
}

TEST_F(Application, HelpOpensTheTablePageThenTheContentsThenSaysItIsMissing)
{
    testsupport::WriteFileBytes(install_ / "Help" / "fr" / "dlgStyleTraces.html", "<html></html>");
    testsupport::WriteFileBytes(install_ / "Help" / "fr" / "Contents.HTML", "<html></html>");
    testsupport::WriteFileBytes(install_ / "Help" / "en" / "dlgStart.html", "<html></html>");
    ASSERT_TRUE(app_->InitInstance({}));

    app_->WinHelp(kDialogHelpBase + 184, HELP_CONTEXT);
    ASSERT_EQ(fake_->shellOpens.size(), 1u);
    EXPECT_TRUE(fake_->shellOpens[0].opened);
    EXPECT_EQ(fake_->shellOpens[0].target, (install_ / "Help" / "fr" / "dlgStyleTraces.html").string());

    // No row for 248: the contents page, found whatever its case.
    app_->WinHelp(kDialogHelpBase + 248, HELP_CONTEXT);
    ASSERT_EQ(fake_->shellOpens.size(), 2u);
    EXPECT_EQ(fake_->shellOpens[1].target, (install_ / "Help" / "fr" / "Contents.HTML").string());

    // A page of the table that is missing: traced, then the contents page.
    app_->WinHelp(kDialogHelpBase + 108, HELP_CONTEXT);
    ASSERT_EQ(fake_->shellOpens.size(), 4u);
    EXPECT_FALSE(fake_->shellOpens[2].opened);
    EXPECT_TRUE(fake_->shellOpens[3].opened);
    EXPECT_GE(TraceIndex("[ERROR] Help file not available ("), 0);
    EXPECT_TRUE(fake_->messageBoxes.empty());

    // A desktop that opens no HTML page: the page shows in the program's own help window,
    // without a word about missing help.
    fake_->SetDesktopOpensFiles(false);
    app_->WinHelp(kDialogHelpBase + 184, HELP_CONTEXT);
    EXPECT_EQ(fake_->helpPagesShown,
              std::vector<std::filesystem::path>{install_ / "Help" / "fr" / "dlgStyleTraces.html"});
    EXPECT_TRUE(fake_->messageBoxes.empty());
    fake_->SetDesktopOpensFiles(true);

    // English help has no contents page: message 148 and the folder traced.
    windows_.helpLanguage = 1;
    EXPECT_EQ(app_->GetHelpFolder(), install_ / "Help" / "en");
    app_->WinHelp(kDialogHelpBase + 184, HELP_CONTEXT);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "Les fichiers d'aide ne semblent pas être disponibles dans cette langue !");
    EXPECT_GE(TraceIndex("[ERROR] Help files not installed in this language (" + (install_ / "Help" / "en").string()),
              0);
}

TEST(HelpPages, TableAndFallback)
{
    EXPECT_EQ(HelpPageOfKey(184), "dlgStyleTraces.html");
    EXPECT_EQ(HelpPageOfKey(137), "dlgDimensions.html");
    EXPECT_EQ(HelpPageOfKey(215), "dlgDimensions.html");
    EXPECT_EQ(HelpPageOfKey(241), "graphsun.html");
    EXPECT_EQ(HelpPageOfKey(32975), "Faq.html");
    // The notice of a new version shares the page of the update check.
    EXPECT_EQ(HelpPageOfKey(666), "dlgUpdateCheck.html");
    EXPECT_EQ(HelpPageOfKey(248), "contents.html");
    EXPECT_EQ(HelpPageOfKey(-0x20000), "contents.html");
}

TEST(BuildNumber, WholeDaysFromTheFirstOfJanuary1997LocalTime)
{
    ScopedFakeServices fake;
    constexpr std::int64_t origin = 852076800;  // 1997-01-01 00:00 UTC
    EXPECT_EQ(BuildNumberFromTime(origin), 0);
    EXPECT_EQ(BuildNumberFromTime(origin + 86399), 0);
    EXPECT_EQ(BuildNumberFromTime(origin + 86400), 1);
    EXPECT_EQ(BuildNumberFromTime(1577836800), 8400);  // 2020-01-01
    // Truncated toward zero before the origin.
    EXPECT_EQ(BuildNumberFromTime(origin - 3600), 0);
    EXPECT_EQ(BuildNumberFromTime(origin - 86400), -1);
    // The origin is local midnight: one hour east of Greenwich it is 23:00 UTC the day before.
    FakeZone zone;
    zone.standardOffsetSeconds = 3600;
    fake->SetZone(zone);
    EXPECT_EQ(BuildNumberFromTime(origin + 86400 - 3600), 1);
    EXPECT_EQ(BuildNumberFromTime(origin + 86400 - 3601), 0);

    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir / "f", "x");
    EXPECT_TRUE(FileCreationTime(dir / "f").has_value());
    EXPECT_FALSE(FileCreationTime(dir / "missing").has_value());
}

TEST(CommandLine, FileNamesAndSwitches)
{
    EXPECT_EQ(ParseCommandLine({}).fileName, "");
    EXPECT_TRUE(ParseCommandLine({}).showSplash);
    const auto info = ParseCommandLine({"-x", "/home/me/dial.cds", "other.cds"});
    EXPECT_EQ(info.fileName, "/home/me/dial.cds");
    EXPECT_TRUE(info.showSplash);
    EXPECT_FALSE(ParseCommandLine({"/Embedding"}).showSplash);
    EXPECT_FALSE(ParseCommandLine({"-AUTOMATION", "a.cds"}).showSplash);
    EXPECT_EQ(ParseCommandLine({"-AUTOMATION", "a.cds"}).fileName, "a.cds");
    // A path that happens to start like a switch is still a path.
    EXPECT_EQ(ParseCommandLine({"/embedding.cds"}).fileName, "/embedding.cds");
}
