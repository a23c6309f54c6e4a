#pragma once
// The uninstallation, in four steps shown on its dialog: the uninstall entry, the program's
// files, the menu folder, the file types. The entry is the installation's journal: it names
// the installation folder and what each run did there. Only a folder that is this
// installation's is emptied, only files that still hold what was written are deleted, and
// only folders it made and finds empty are removed, so documents, user locations, mottoes
// the user edited and anything else he keeps there stay, and so does the folder then.
#include "setup/InstallSteps.h"

namespace setup {

// Takes back the actions a journal records from one of them on: all of them (the
// uninstallation), or those of the last run (the undo of a failed or killed installation,
// which leaves what earlier runs did). The same walk, never through a link, for every
// removal; the folder is entered only when it is the installation's.
class CRecordedRemoval {
public:
    // ownRun: the record is the one this installation is writing, not one read from the disk;
    // the folders it made on the way to a destination it could not open are then its own.
    CRecordedRemoval(UninstallRecord& record, std::size_t firstAction, SetupLocations locations,
                     bool ownRun = false);

    // The installation folder is one: reached without a link, neither the home folder nor
    // one above it, the folder the journal was written for (its identity), and holding the
    // installer the journal wrote; without the installer, only a folder known by its identity
    // whose run was interrupted, or whose installer an earlier uninstallation deleted. A copy
    // put back where the entry's own command runs the installer is one too.
    bool FolderIsInstallation() const { return verified_; }

    // The files written (the hidden temporaries of a killed run too) and the user's files
    // kept as copies put back; with phases, shown as the uninstallation's steps. outputs:
    // what the program wrote for itself beside its files goes too.
    void RemoveFiles(SetupProgress* phases, bool outputs);
    void RemoveMenuFiles();
    // The file types, when they open the program of this folder.
    void RemoveFileTypes();
    // The folders made, when empty, deepest first; a folder outside is only one of the
    // installation's own places (never the home folder or above).
    void RemoveCreatedFolders();
    // The record of what is left to take back (the runs' marks dropped).
    UninstallRecord Left() const;
    // Whether a record lists nothing left to delete or put back.
    static bool NothingLeft(const UninstallRecord& record);
    // All of it, for an undo, the record then written (or deleted when nothing is left).
    void Undo();

private:
    bool InScope(JournalAction::Kind kind, const std::string& name) const;
    bool IsOwnPlace(const std::filesystem::path& folder) const;

    UninstallRecord& record_;
    std::size_t first_;
    SetupLocations locations_;
    CFolderWalk folder_;
    bool verified_ = false;
    bool ownRun_ = false;
};

class CUninstallation {
public:
    CUninstallation(SetupLocations locations, SetupProgress& progress);

    // Short pauses between the steps (ms); the file steps pause 200 ms.
    int shortPauseMs = 100;

    // True when everything the uninstall entry lists is gone (string 525 is then
    // FinalMessage); false when the installation could not be found (string 527 has been
    // shown), when the entry's folder is no installation of the program (string 538: none of
    // its files was touched), or when some of its files could not be deleted (string 533
    // has been shown and the entry, kept, lists only those).
    bool Run();
    const std::string& FinalMessage() const { return finalMessage_; }

private:
    SetupLocations locations_;
    SetupProgress& progress_;
    std::string finalMessage_;
};

// The installation folder of an open command: the folder of its program.
std::optional<std::filesystem::path> FolderOfOpenCommand(std::string_view exec);

}  // namespace setup
