#pragma once
// The uninstallation, in four steps shown on its dialog: the uninstall entry, the program's
// files, the menu folder, the file types. The installation folder is found again through
// the open command of the document type; only the files the installation wrote there (the
// uninstall entry lists them) are deleted, so documents, user locations and anything else
// the user keeps in that folder stay, and so does the folder then.
#include "setup/InstallSteps.h"

namespace setup {

class CUninstallation {
public:
    CUninstallation(SetupLocations locations, SetupProgress& progress);

    // Short pauses between the steps (ms); the file steps pause 200 ms.
    int shortPauseMs = 100;

    // True when the procedure reached its end (string 525 is then FinalMessage); false
    // when the installation could not be found (string 527 has been shown).
    bool Run();
    const std::string& FinalMessage() const { return finalMessage_; }

private:
    void DeleteInstalledFiles(const std::filesystem::path& folder, const UninstallRecord& record);

    SetupLocations locations_;
    SetupProgress& progress_;
    std::string finalMessage_;
};

// The installation folder of an open command: the folder of its program.
std::optional<std::filesystem::path> FolderOfOpenCommand(std::string_view exec);

}  // namespace setup
