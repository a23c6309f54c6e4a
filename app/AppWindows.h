#pragma once
// What the application object asks of its windows. The Qt layer implements it with the main
// frame, its view and the dialogs; tests implement it with a recorder, so the application's
// steps run without a display.
#include <string>

// How the start-up screen closed: its result (IDOK, IDCANCEL), the command chosen with one
// of its three large buttons (0 for none) and its "show at next start" check.
struct StartupScreenResult {
    int result = 0;
    int command = 0;
    bool showAtStartup = true;
};

class AppWindows {
public:
    virtual ~AppWindows() = default;

    // Creates the main frame and its view; false when any part of them cannot be made.
    virtual bool CreateMainFrame() = 0;
    virtual bool HasMainWindow() const = 0;
    // Shows the about box as the splash and arms the frame's timer that closes it.
    virtual void ShowSplash(const std::string& versionText) = 0;
    // Files dropped on the main window open as with File > Open.
    virtual void AcceptDroppedFiles() = 0;
    virtual void ShowMainWindow(bool maximised) = 0;
    // The main frame's three language choices: applies them and translates the menu.
    virtual void SetLanguage(int program, int fallback, int help) = 0;
    virtual int GetHelpLanguage() const = 0;
    // Runs the about box modally.
    virtual void RunAboutBox(const std::string& versionText) = 0;
    virtual StartupScreenResult RunStartupScreen() = 0;
    // The document was replaced, opened, saved or emptied: title and view follow.
    virtual void DocumentChanged() = 0;
};
