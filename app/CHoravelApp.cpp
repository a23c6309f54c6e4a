#include "app/CHoravelApp.h"

#include "app/Accessors.h"
#include "app/BuildNumber.h"
#include "app/CLanguageFile.h"
#include "app/CommandLineInfo.h"
#include "app/HelpPages.h"
#include "app/Languages.h"
#include "app/MainMenu.h"
#include "app/ProfileValues.h"
#include "app/Trace.h"
#include "app/Translation.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/Services.h"

#include <algorithm>
#include <sys/utsname.h>

namespace {

constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 0;
constexpr int kVersionRevision = 1;

constexpr const char* kRule = "----------------------------------------------------------------";

std::string KernelRelease()
{
    struct utsname name {};
    if (uname(&name) != 0)
        return {};
    return name.release;
}

}  // namespace

CHoravelApp::CHoravelApp(CSingleDocTemplate::Factory documentFactory)
    : docTemplate_(std::move(documentFactory)),
      programPath_(paths::ExecutablePath()),
      // Whatever the program file is called, its folder is the install folder.
      installFolder_(paths::InstallFolder()),
      osVersion_(KernelRelease())
{
    InstallCommands();
    GetAppContext().app = this;
}

CHoravelApp::~CHoravelApp()
{
    // The document goes first: what it says at exit is said in the user's language.
    docTemplate_.DestroyDocument();
    SetHelpEntry({});
    SetHelpFolder({});
    AppContext& context = GetAppContext();
    if (context.languageFile == languageFile_.get())
        context.languageFile = nullptr;
    if (context.app == this)
        context.app = nullptr;
}

std::string CHoravelApp::GetVersionString()
{
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision);
}

std::filesystem::path CHoravelApp::GetHelpFolder() const
{
    const std::string relative = "Help/" + GetLanguageCode(windows_ ? windows_->GetHelpLanguage() : 0);
    if (auto found = paths::FindCaseInsensitive(installFolder_, relative))
        return *found;
    return paths::join(installFolder_, relative);
}

double CHoravelApp::GetProfileDouble(std::string_view section, std::string_view entry, double defaultValue) const
{
    return ::GetProfileDouble(section, entry, defaultValue);
}

bool CHoravelApp::WriteProfileDouble(std::string_view section, std::string_view entry, double value)
{
    return ::WriteProfileDouble(section, entry, value);
}

gdi::COLORREF CHoravelApp::GetProfileColor(std::string_view section, std::string_view entry,
                                           gdi::COLORREF defaultColor) const
{
    return ::GetProfileColor(section, entry, defaultColor);
}

bool CHoravelApp::WriteProfileColor(std::string_view section, std::string_view entry, gdi::COLORREF color)
{
    return ::WriteProfileColor(section, entry, color);
}

void CHoravelApp::WinHelp(unsigned long data, unsigned /*command*/) { OpenHelpPage(GetHelpFolder(), data); }

// ---------------------------------------------------------------------------------------
// Start-up and end

bool CHoravelApp::InitInstance(const std::vector<std::string>& args)
{
    args_ = args;
    // The settings store and its name ("Orlune Software", "Horavel 2.0") are the program
    // entry's: nothing is read before them.
    WriteTraceHeader();
    docTemplate_.RecentFiles().ReadList();
    startupOption_ = GetProfile().GetInt("Options", "Startup", 1);

    GetServices().SetShellOpenFolders({paths::join(installFolder_, "Help"), paths::DataFolder()});
    // Dialogs, pages and links reach the help pages through this entry.
    SetHelpEntry([this](unsigned long data, unsigned command) { WinHelp(data, command); });

    starting_ = true;
    if (!ProcessShellCommand()) {
        starting_ = false;
        return false;
    }

    const std::filesystem::path languagePath =
        paths::FindCaseInsensitive(installFolder_, "horavel.lang").value_or(installFolder_ / "horavel.lang");
    languageFile_ = std::make_unique<CLanguageFile>(languagePath);
    if (!languageFile_->Load()) {
        // Said in English and built in: the texts of every other message are what failed.
        GetServices().MessageBox("The language file " + languagePath.string() + " cannot be used: " +
                                     languageFile_->GetLoadError() +
                                     ".\n\nHoravel cannot start without it. Installing Horavel again restores it.",
                                 "", MB_OK | MB_ICONSTOP);
        languageFile_.reset();
        Trace("[ERROR] Failing to load Resources File!");
        starting_ = false;
        return false;
    }
    GetAppContext().languageFile = languageFile_.get();

    const ScreenInfo screen = GetServices().GetScreen();
    if (screen.present && screen.bitsPerPixel <= 8)
        TranslatedMessageBox(205, MB_ICONEXCLAMATION);

    if (const auto created = FileCreationTime(programPath_))
        buildNumber_ = BuildNumberFromTime(*created);

    Trace("Launching Splash Window.");
    if (!windows_ || !windows_->HasMainWindow()) {
        starting_ = false;
        return false;
    }
    windows_->ShowSplash(GetVersionString());
    starting_ = false;

    windows_->AcceptDroppedFiles();
    windows_->ShowMainWindow(GetProfile().GetInt("Options\\Window", "IsZoomed", 0) != 0);

    int program = 0;
    int fallback = 0;
    int help = 0;
    ReadLanguageSettings(program, fallback, help);
    windows_->SetLanguage(program, fallback, help);
    SetHelpFolder(GetHelpFolder());

    Trace("%s", kRule);
    Trace("Initialisation Phase Complete.");
    if (buildNumber_ >= 1)
        Trace("%s %s (build %d)", kTitle, GetVersionString().c_str(), buildNumber_);
    else
        Trace("%s %s", kTitle, GetVersionString().c_str());
    Trace("%s", kRule);
    return true;
}

bool CHoravelApp::ProcessShellCommand()
{
    if (!windows_ || !windows_->CreateMainFrame())
        return false;
    docTemplate_.SetChangedCallback([this] {
        if (windows_)
            windows_->DocumentChanged();
    });
    const CommandLineInfo info = ParseCommandLine(args_);
    if (info.fileName.empty())
        OnFileNew();
    else if (!docTemplate_.OpenDocumentFile(info.fileName))
        return false;
    return windows_->HasMainWindow();
}

void CHoravelApp::ExitInstance() { docTemplate_.RecentFiles().WriteList(); }

// ---------------------------------------------------------------------------------------
// Commands

void CHoravelApp::InstallCommands()
{
    commands_.OnCommand(57600, [this] { OnFileNew(); });
    commands_.OnCommand(57601, [this] { OnFileOpen(); });
    commands_.OnCommand(57602, [this] {
        // Closing empties the document without the wizard.
        const bool was = starting_;
        starting_ = true;
        OnFileNew();
        starting_ = was;
    });
    commands_.OnCommand(57603, [this] { docTemplate_.OnFileSave(); });
    commands_.OnCommand(57604, [this] { docTemplate_.OnFileSaveAs(); });
    commands_.OnCommand(57606, [this] { OnFilePrintSetup(); });
    commands_.OnCommandRange(CRecentFileList::kFirstCommandId, CRecentFileList::kFirstCommandId + 7,
                             [this](int id) { docTemplate_.OpenRecentFile(id - CRecentFileList::kFirstCommandId); });
    commands_.OnUpdateRange(CRecentFileList::kFirstCommandId, CRecentFileList::kFirstCommandId + 7, [this](CmdUI& ui) {
        const int index = ui.Id() - CRecentFileList::kFirstCommandId;
        const CRecentFileList& recent = docTemplate_.RecentFiles();
        ui.Enable(index < recent.GetCount());
        if (index < recent.GetCount()) {
            ui.SetText(recent.MenuText(index));
            return;
        }
        // An empty list shows the item's own text again, disabled.
        std::string text;
        if (languageFile_)
            text = languageFile_->GetMenuText(std::max(GetLanguageIndex(), 0), ui.Id(), "");
        if (text.empty())
            if (const MenuItem* item = FindMenuCommand(BuildMainMenu(), ui.Id()))
                text = item->text;
        if (!text.empty())
            ui.SetText(text);
    });
    commands_.OnCommand(57664, [this] { OnAppAbout(); });
    commands_.OnCommand(57666, [this] { WinHelp(0, HELP_CONTEXT); });
    commands_.OnCommand(57670, [this] { WinHelp(0, HELP_CONTEXT); });
    commands_.OnCommand(109, [this] { OnStartupScreen(); });
}

void CHoravelApp::OnFileNew()
{
    // A cancelled "save changes?" or a document that could not empty itself stops here:
    // the wizard must not run over the old document.
    if (!docTemplate_.OnFileNew())
        return;
    if (!windows_ || !windows_->HasMainWindow() || starting_)
        return;
    if (wizard_)
        wizard_();
}

void CHoravelApp::OnFileOpen() { docTemplate_.OnFileOpen(); }

void CHoravelApp::OnFilePrintSetup()
{
    if (GetServices().PrintSetup() && printerChanged_)
        printerChanged_();
}

void CHoravelApp::OnAppAbout()
{
    if (windows_)
        windows_->RunAboutBox(GetVersionString());
}

void CHoravelApp::OnStartupScreen()
{
    if (!windows_)
        return;
    const StartupScreenResult screen = windows_->RunStartupScreen();
    if (screen.result != IDOK)
        return;
    switch (screen.command) {
    case 57600:
        OnFileNew();
        break;
    case 57601:
        OnFileOpen();
        break;
    case 57667:
        WinHelp(0, HELP_FINDER);
        break;
    default:
        break;
    }
    startupOption_ = screen.showAtStartup ? 1 : 0;
    GetProfile().WriteInt("Options", "Startup", startupOption_);
}

void CHoravelApp::ShowStartupScreenIfWanted()
{
    if (ParseCommandLine(args_).showSplash)
        OnStartupScreen();
}
