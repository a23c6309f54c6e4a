#pragma once
// The application object: the start-up sequence, the install paths, the build number, the
// language file, the single-document framework, the application's commands (File > New
// and Open, print setup, help, about, the start-up screen) and the settings helpers for
// doubles and colours. Its windows are reached through AppWindows.
#include "app/AppWindows.h"
#include "app/CSingleDocTemplate.h"
#include "platform/Commands.h"
#include "platform/Gdi.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CLanguageFile;

class CHoravelApp {
public:
    static constexpr const char* kTitle = "Horavel";
    // The maker's web site (a deployment value).
    static constexpr const char* kMakerWebSite = "https://horavel.orlune-software.example/";
    // The address users write to (a deployment value).
    static constexpr const char* kMakerSupportAddress = "support@horavel.orlune-software.example";

    // The document template's factory makes the program's document.
    explicit CHoravelApp(CSingleDocTemplate::Factory documentFactory);
    ~CHoravelApp();
    CHoravelApp(const CHoravelApp&) = delete;
    CHoravelApp& operator=(const CHoravelApp&) = delete;

    // The windows must outlive the start-up and the commands that use them.
    void SetWindows(AppWindows* windows) { windows_ = windows; }

    // The start-up sequence with the command-line arguments (after the program's name);
    // false stops the program.
    bool InitInstance(const std::vector<std::string>& args);
    // The end of the program, after the main frame is gone: writes the recent-file list.
    void ExitInstance();

    static std::string GetVersionString();
    const std::filesystem::path& GetProgramPath() const { return programPath_; }
    const std::filesystem::path& GetInstallFolder() const { return installFolder_; }
    // The install folder's "Help/<code>" of the main frame's help language.
    std::filesystem::path GetHelpFolder() const;
    int GetBuildNumber() const { return buildNumber_; }
    int GetOSKind() const { return osKind_; }
    const std::string& GetOSVersionText() const { return osVersion_; }
    const std::string& GetOSServicePackText() const { return osServicePack_; }
    CLanguageFile* GetLanguageFile() const { return languageFile_.get(); }

    double GetProfileDouble(std::string_view section, std::string_view entry, double defaultValue) const;
    bool WriteProfileDouble(std::string_view section, std::string_view entry, double value);
    gdi::COLORREF GetProfileColor(std::string_view section, std::string_view entry, gdi::COLORREF defaultColor) const;
    bool WriteProfileColor(std::string_view section, std::string_view entry, gdi::COLORREF color);

    // Opens the help page of the help id (0x20000 + a dialog's template id); the command is
    // not used.
    void WinHelp(unsigned long data, unsigned command);

    // Set while the command line is processed, so File > New makes no wizard run.
    bool IsStarting() const { return starting_; }
    void SetStarting(bool starting) { starting_ = starting; }
    // "Options"/"Startup": whether the start-up screen opens when the splash closes.
    int GetStartupOption() const { return startupOption_; }

    // File > New: the framework's new document, then, when that succeeded once start-up is
    // over and the main window exists, the creation wizard.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppAbout();
    void OnStartupScreen();
    // The start-up screen, unless the program was started by another program.
    void ShowStartupScreenIfWanted();

    // The creation wizard, run by File > New with the previous dial set aside.
    void SetCreationWizard(std::function<void()> wizard) { wizard_ = std::move(wizard); }
    // What follows a change of printer: the page size and layout of the document and view.
    void SetPrinterChangedHandler(std::function<void()> handler) { printerChanged_ = std::move(handler); }

    CSingleDocTemplate& GetDocTemplate() { return docTemplate_; }
    const CommandTable& Commands() const { return commands_; }

private:
    void InstallCommands();
    bool ProcessShellCommand();

    AppWindows* windows_ = nullptr;
    CSingleDocTemplate docTemplate_;
    CommandTable commands_;
    std::vector<std::string> args_;
    std::function<void()> wizard_;
    std::function<void()> printerChanged_;

    bool starting_ = false;
    int startupOption_ = 1;
    std::filesystem::path programPath_;
    std::filesystem::path installFolder_;
    int buildNumber_ = 0;
    std::unique_ptr<CLanguageFile> languageFile_;
    int osKind_ = 0;
    std::string osVersion_;
    std::string osServicePack_;
};
