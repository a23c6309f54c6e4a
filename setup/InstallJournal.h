#pragma once
// The installation's journal, which is also its uninstall entry: a "key=value" file in the
// user's data folder. Its head holds the entry's values, the installation folder and that
// folder's identity; then come the actions, each one written (and synced) before it is
// done: a run of the installation starts, a folder is made, a file of the user's is kept
// as a copy, a file is written with contents of a given hash, a menu entry is written, the
// run ends. A run killed half-way leaves a journal that names everything it may have left,
// so a later run can finish it or undo it; the uninstallation reads the same actions.
//
//   Run=                  a run starts (its actions follow; an uninstallation's has none)
//   CreatedFolder=<path>  a folder made outside the installation folder, or that folder
//   Folder=<name>         a folder made inside the installation folder
//   KeptCopy=<name>       the user's file there is kept as <name>.orig
//   FileHash=<hash> <name> the file is written with contents of that ContentHash
//   File=<name>           (entries of older installers) a file written, contents unknown
//   MenuFile=<name>       a menu entry in the program's menu folder
//   Installed=            the run ended
#include "setup/DesktopEntry.h"
#include "setup/FolderWalk.h"
#include "setup/SetupArchive.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace setup {

struct JournalAction {
    enum class Kind { Run, CreatedFolder, Folder, KeptCopy, File, MenuFile, Installed };
    Kind kind = Kind::Run;
    std::string name;  // a name under its folder ("/" between folders), or a full path
    std::string hash;  // File: the ContentHash written, empty when unknown
    bool operator==(const JournalAction&) const = default;
};

struct UninstallRecord {
    KeyValues values;
    std::filesystem::path folder;
    std::optional<FileId> folderId;
    std::vector<JournalAction> actions;

    // The value of a key, empty when absent.
    std::string Value(std::string_view key) const;
    // Whether a run was started and never ended (a record of older installers has none).
    bool Interrupted() const;
    // The index of the first action of the last run left unfinished (actions.size() when
    // none is).
    std::size_t InterruptedRunStart() const;

    // The names of the actions of a kind, each once, in the journal's order.
    std::vector<std::string> Names(JournalAction::Kind kind) const;
    std::vector<std::string> Files() const { return Names(JournalAction::Kind::File); }
    // The hashes of what was written at name (several when it was written by several runs).
    std::vector<std::string> HashesOf(std::string_view name) const;
    // Whether the file at name, holding contents of that hash, is one the installation
    // wrote: never a file whose contents were not recorded.
    bool Owns(std::string_view name, const std::optional<std::string>& hash) const;

    // The whole file, the head first; a line cut by a crash (the last, without its end)
    // is no action.
    std::string Text() const;
    bool Write(const std::filesystem::path& file) const;
    static std::optional<UninstallRecord> Read(const std::filesystem::path& file);
    static std::optional<UninstallRecord> Parse(std::string_view text);
};

// One line of the journal for an action.
std::string JournalLine(const JournalAction& action);

// The journal of one run of the installation, appended to the uninstall entry's file.
class CInstallJournal : public WriteAhead {
public:
    explicit CInstallJournal(std::filesystem::path file) : file_(std::move(file)) {}

    // Starts a run: the entry (with what earlier runs in the same folder recorded) is written
    // whole, with the run's start; false when it cannot be written.
    bool Begin(UninstallRecord record);
    // Appends an action and syncs it to the disk; false when it could not be written.
    bool Append(JournalAction action);
    // Ends the run: its end is appended, then the entry is written again, each file with the
    // hash of what it holds; false only when the end could not be appended.
    bool Finish(const CFolderWalk& folder);

    const UninstallRecord& Record() const { return record_; }
    UninstallRecord& Record() { return record_; }
    const std::filesystem::path& File() const { return file_; }

    bool BeforeFolder(const std::string& relative) override;
    bool BeforeKeptCopy(const std::string& name) override;
    bool BeforeFile(const std::string& name, const std::string& hash) override;
    bool IsOwn(const std::string& name, const std::optional<std::string>& hash) const override;

private:
    std::filesystem::path file_;
    UninstallRecord record_;
};

}  // namespace setup
