#pragma once
// A small document and a recording stand-in for the application's windows, shared by the
// tests of the application object and of the single-document framework.
#include "app/AppWindows.h"
#include "platform/DocumentBase.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace apptest {

// A document holding one integer, stored as a plain int32.
class NumberDocument : public DocumentBase {
public:
    int value = 0;
    int newCalls = 0;
    bool refuseNew = false;

    bool OnNewDocument() override;
    void Serialize(Archive& ar) override;
    const ClassRegistry& GetClassRegistry() const override { return registry_; }
    void DeleteContents() override { value = 0; }

private:
    ClassRegistry registry_;
};

// Writes a document file holding the value.
void WriteNumberFile(const std::filesystem::path& file, int value);

// Records the application's calls in order ("CreateMainFrame", "ShowSplash 2.0.1"...).
class RecordingWindows : public AppWindows {
public:
    std::vector<std::string> calls;
    bool createSucceeds = true;
    bool hasMainWindow = false;
    int helpLanguage = 0;
    StartupScreenResult startupAnswer;
    std::function<void()> onStartupScreen;

    bool CreateMainFrame() override;
    bool HasMainWindow() const override { return hasMainWindow; }
    void ShowSplash(const std::string& versionText) override { calls.push_back("ShowSplash " + versionText); }
    void AcceptDroppedFiles() override { calls.push_back("AcceptDroppedFiles"); }
    void ShowMainWindow(bool maximised) override;
    void SetLanguage(int program, int fallback, int help) override;
    int GetHelpLanguage() const override { return helpLanguage; }
    void RunAboutBox(const std::string& versionText) override { calls.push_back("RunAboutBox " + versionText); }
    StartupScreenResult RunStartupScreen() override;
    void DocumentChanged() override { calls.push_back("DocumentChanged"); }
};

}  // namespace apptest
