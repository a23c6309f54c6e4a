#pragma once
// The uninstallation, in four steps shown on its dialog: the uninstall entry, the program's
// files, the menu folder, the file types. The uninstall entry names the installation folder
// and lists the files the installation wrote there: only those are deleted, and only while
// they hold what was written, so documents, user locations, mottoes the user edited and
// anything else he keeps in that folder stay, and so does the folder then.
#include "setup/InstallSteps.h"

namespace setup {

class CUninstallation {
public:
    CUninstallation(SetupLocations locations, SetupProgress& progress);

    // Short pauses between the steps (ms); the file steps pause 200 ms.
    int shortPauseMs = 100;

    // True when everything the uninstall entry lists is gone (string 525 is then
    // FinalMessage); false when the installation could not be found (string 527 has been
    // shown), or when some of its files could not be deleted (string 533 has been shown and
    // the entry, kept, lists only those).
    bool Run();
    const std::string& FinalMessage() const { return finalMessage_; }

private:
    // Deletes the files record lists in folder but those the user changed since, and
    // leaves in record only the files still there to delete.
    void DeleteInstalledFiles(const std::filesystem::path& folder, UninstallRecord& record);

    SetupLocations locations_;
    SetupProgress& progress_;
    std::string finalMessage_;
};

// The installation folder of an open command: the folder of its program.
std::optional<std::filesystem::path> FolderOfOpenCommand(std::string_view exec);

}  // namespace setup
