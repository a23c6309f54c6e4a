#include "setup/Uninstall.h"

#include "platform/AsciiText.h"
#include "platform/Paths.h"
#include "setup/SetupResources.h"
#include "platform/Services.h"

#include <unistd.h>

#include <algorithm>
#include <set>
#include <span>

namespace fs = std::filesystem;

namespace setup {
namespace {

using Kind = JournalAction::Kind;

constexpr const char* kRunning = "->";
constexpr const char* kDone = "OK";

// What the program writes for itself in its data folder (the installation folder when it
// may write there), in folder or in its sub-folder.
void DeleteProgramOutputs(const CFolderWalk& folder, const std::string& subFolder)
{
    for (const char* name : paths::kProgramOutputFiles)
        folder.Unlink(subFolder.empty() ? name : subFolder + "/" + name);
}

std::size_t Depth(const fs::path& path) { return static_cast<std::size_t>(std::distance(path.begin(), path.end())); }

}  // namespace

std::optional<fs::path> FolderOfOpenCommand(std::string_view exec)
{
    const std::optional<std::string> program = FirstExecArgument(exec);
    if (!program || program->empty())
        return std::nullopt;
    const fs::path path(*program);
    if (!path.is_absolute() || !path.has_parent_path())
        return std::nullopt;
    return path.parent_path();
}

CRecordedRemoval::CRecordedRemoval(UninstallRecord& record, std::size_t firstAction, SetupLocations locations,
                                   bool ownRun)
    : record_(record), first_(firstAction), locations_(std::move(locations)), folder_(record.folder), ownRun_(ownRun)
{
    // A record pointed at another folder (by hand, or at a link where the installation was
    // moved away) must not empty it, even of files equal to installed ones.
    const bool sameFolder = !record_.folderId || *record_.folderId == folder_.Id();
    const bool installer = record_.Owns(kSetupProgramFile, folder_.Hash(kSetupProgramFile));
    // Without the installer: a run killed before it was written, or an uninstallation that
    // deleted it and left other files; both known by the folder's identity.
    const bool installerGone = record_.Interrupted() || record_.HashesOf(kSetupProgramFile).empty();
    // Copied back in its place (a backup, a new disk), the folder is another object at the
    // path the entry was written for, whose own command still names the installer there.
    const bool restored =
        installer && FolderOfOpenCommand(record_.Value("UninstallString")) == NormalFolder(record_.folder);
    verified_ = folder_.IsOpen() && record_.folder.is_absolute() && !HoldsHomeFolder(record_.folder) &&
                ((sameFolder && (installer || (record_.folderId && installerGone))) || restored);
}

bool CRecordedRemoval::InScope(Kind kind, const std::string& name) const
{
    bool inRun = false;
    for (std::size_t i = 0; i < record_.actions.size(); ++i) {
        const JournalAction& action = record_.actions[i];
        if (action.kind != kind || action.name != name)
            continue;
        if (i < first_)
            return false;  // an earlier run's: it stays
        inRun = true;
    }
    return inRun;
}

bool CRecordedRemoval::IsOwnPlace(const fs::path& folder) const
{
    if (!folder.is_absolute() || HoldsHomeFolder(folder))
        return false;
    std::vector<fs::path> places = {locations_.applications, locations_.ProgramsFolder(), locations_.mimePackages,
                                    locations_.uninstallRecord.parent_path()};
    if (verified_ || ownRun_)
        places.push_back(record_.folder);
    const fs::path normal = NormalFolder(folder);
    for (const fs::path& place : places) {
        const fs::path relative = NormalFolder(place).lexically_relative(normal);
        if (!relative.empty() && *relative.begin() != "..")
            return true;
    }
    return false;
}

void CRecordedRemoval::RemoveFiles(SetupProgress* phases, bool outputs)
{
    // The help pages of each language, the rest of the help, then the program's own files.
    struct Phase {
        int percent;
        std::string_view prefix;
    };
    static constexpr Phase kPhases[] = {{30, "help/fr/"}, {45, "help/en/"}, {60, "help/"}, {70, ""}};
    static constexpr Phase kOnePhase[] = {{0, ""}};
    const std::vector<std::string> all = record_.Files();
    std::vector<std::string> files;
    // A name that could leave the folder (a record edited by hand) names nothing in it.
    std::copy_if(all.begin(), all.end(), std::back_inserter(files), [&](const std::string& name) {
        std::vector<std::string> parts;
        return SplitEntryName(name, parts) && InScope(Kind::File, name);
    });
    std::set<std::string> done;
    for (const Phase& phase : phases ? std::span<const Phase>(kPhases) : std::span<const Phase>(kOnePhase)) {
        if (phases) {
            phases->SetProgress(phase.percent);
            phases->SetPercentText(std::to_string(phase.percent) + "%");
            phases->Pause(200);
        }
        for (const std::string& name : files) {
            if (!verified_ || done.count(name) || !ascii::StartsWithNoCase(name, phase.prefix))
                continue;
            done.insert(name);
            if (!record_.HashesOf(name).empty())
                folder_.Unlink(TemporaryNameOf(name));
            // Only what still holds what was written: a file the user changed is his now,
            // and so is the copy of his older file beside it.
            if (record_.Owns(name, folder_.Hash(name)))
                folder_.Unlink(name);
            const std::string copy = name + kKeptCopySuffix;
            if (!InScope(Kind::KeptCopy, name) || !folder_.Exists(copy))
                continue;
            if (!folder_.Exists(name))
                folder_.Rename(copy, name);  // the user's file that the installation replaced comes back
            else if (folder_.Hash(copy) == folder_.Hash(name))
                folder_.Unlink(copy);  // it was never replaced
        }
    }
    if (!verified_)
        return;
    // The folders of the installed files; a journal of older installers names none, and
    // then the folders of its files were its own.
    std::set<std::string> folders{""};
    std::vector<std::string> made;
    const bool olderJournal = record_.Names(Kind::Run).empty() && record_.Names(Kind::Folder).empty();
    for (const std::string& name : files)
        for (fs::path parent = fs::path(name).parent_path(); !parent.empty(); parent = parent.parent_path()) {
            folders.insert(parent.generic_string());
            if (olderJournal)
                made.push_back(parent.generic_string());
        }
    if (outputs)
        for (const std::string& parent : folders)
            DeleteProgramOutputs(folder_, parent);
    for (const std::string& name : record_.Names(Kind::Folder))
        if (InScope(Kind::Folder, name))
            made.push_back(name);
    std::sort(made.begin(), made.end(), [](const std::string& a, const std::string& b) {
        return Depth(a) > Depth(b) || (Depth(a) == Depth(b) && a < b);
    });
    made.erase(std::unique(made.begin(), made.end()), made.end());
    // A link in the place of a folder goes itself, never what it leads to; a file there is
    // no folder of ours (a record edited to name the user's file as one).
    for (const std::string& name : made)
        if (!folder_.RemoveFolder(name) && folder_.IsLink(name))
            folder_.Unlink(name);
}

void CRecordedRemoval::RemoveMenuFiles()
{
    // Reached without following a link: a menu folder replaced by one leads nowhere else.
    const CFolderWalk menu(locations_.ProgramsFolder());
    for (const std::string& name : record_.Names(Kind::MenuFile))
        if (name.find('/') == std::string::npos && InScope(Kind::MenuFile, name))
            menu.Unlink(name);
}

void CRecordedRemoval::RemoveFileTypes()
{
    // The open command of the document type names the folder of the program it opens: the
    // types are another installation's when it names another folder.
    std::optional<fs::path> handlerFolder;
    if (auto exec = ReadDesktopValue(HandlerEntryPath(locations_, kDocumentProgId), "Exec"))
        handlerFolder = FolderOfOpenCommand(*exec);
    if (!handlerFolder || IsSameFolder(*handlerFolder, record_.folder)) {
        const CFolderWalk applications(locations_.applications);
        const CFolderWalk mimePackages(locations_.mimePackages);
        for (const char* progId : {kDocumentProgId, kDatabaseProgId}) {
            applications.Unlink(HandlerEntryPath(locations_, progId).filename().string());
            mimePackages.Unlink(MimePackagePath(locations_, progId).filename().string());
        }
    }
    const fs::path mime = locations_.mimePackages.parent_path();
    const std::vector<std::string> created = record_.Names(Kind::CreatedFolder);
    RefreshDesktopCaches(locations_, std::any_of(created.begin(), created.end(), [&](const std::string& f) {
                             return InScope(Kind::CreatedFolder, f) && IsSameFolder(f, mime);
                         }));
}

void CRecordedRemoval::RemoveCreatedFolders()
{
    std::vector<fs::path> folders;
    for (const std::string& name : record_.Names(Kind::CreatedFolder))
        if (InScope(Kind::CreatedFolder, name) && IsOwnPlace(name))
            folders.emplace_back(name);
    std::stable_sort(folders.begin(), folders.end(),
                     [](const fs::path& a, const fs::path& b) { return Depth(a) > Depth(b); });
    // rmdir takes only an empty folder, and never a link in its place.
    for (const fs::path& folder : folders)
        ::rmdir(folder.c_str());
}

UninstallRecord CRecordedRemoval::Left() const
{
    const CFolderWalk menu(locations_.ProgramsFolder());
    std::set<std::string> files;
    // What still holds what was written, or stands in its place and could not be read: the
    // user's files (changed since) are no more the installation's.
    if (verified_)
        for (const std::string& name : record_.Files())
            if (folder_.Exists(name))
                if (const auto hash = folder_.Hash(name); !hash || record_.Owns(name, hash))
                    files.insert(name);
    std::error_code ec;
    UninstallRecord left = record_;
    // Known now to be the installation's: another run finds it by its identity.
    if (verified_)
        left.folderId = folder_.Id();
    std::erase_if(left.actions, [&](const JournalAction& action) {
        switch (action.kind) {
        case Kind::File:
            return !files.count(action.name) || action.hash.empty();
        case Kind::KeptCopy:
            return !files.count(action.name) || !folder_.Exists(action.name + kKeptCopySuffix);
        case Kind::Folder:
            return !verified_ || !folder_.Exists(action.name);
        case Kind::CreatedFolder:
            return !fs::exists(fs::symlink_status(action.name, ec));
        case Kind::MenuFile:
            return !menu.Hash(action.name);
        case Kind::Run:
        case Kind::Installed:
            break;
        }
        return true;
    });
    return left;
}

bool CRecordedRemoval::NothingLeft(const UninstallRecord& record)
{
    return std::none_of(record.actions.begin(), record.actions.end(), [](const JournalAction& action) {
        return action.kind == Kind::File || action.kind == Kind::MenuFile || action.kind == Kind::KeptCopy;
    });
}

void CRecordedRemoval::Undo()
{
    const bool earlierRuns = std::any_of(record_.actions.begin(), record_.actions.begin() + static_cast<long>(first_),
                                         [](const JournalAction& a) { return a.kind != Kind::Run; });
    RemoveFiles(nullptr, false);
    RemoveMenuFiles();
    if (!earlierRuns)
        RemoveFileTypes();
    std::error_code ec;
    // Nothing of this installation is left: the entry goes before the folders that held it.
    if (!earlierRuns && NothingLeft(Left()))
        fs::remove(locations_.uninstallRecord, ec);
    RemoveCreatedFolders();
    if (fs::exists(locations_.uninstallRecord, ec)) {
        record_ = Left();
        record_.Write(locations_.uninstallRecord);
    }
}

CUninstallation::CUninstallation(SetupLocations locations, SetupProgress& progress)
    : locations_(std::move(locations)), progress_(progress)
{
}

bool CUninstallation::Run()
{
    Resources();
    progress_.SetStepMarker(0, kRunning);
    // The entry lists what to delete: it goes last, once everything it lists is gone.
    std::optional<UninstallRecord> record = UninstallRecord::Read(locations_.uninstallRecord);
    progress_.SetProgress(10);
    progress_.SetPercentText("10%");
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(0, kDone);
    progress_.SetStepMarker(1, kRunning);
    if (!record || !record->folder.is_absolute()) {
        GetServices().MessageBox(Resources().String(527), "", MB_OK | MB_ICONERROR);
        return false;
    }
    const fs::path folder = NormalFolder(record->folder);
    CRecordedRemoval removal(*record, 0, locations_);
    // Written ahead, as a run that has not ended: killed once the installer is gone, this
    // run leaves an entry by which the next one still knows the folder, by its identity.
    if (removal.FolderIsInstallation()) {
        UninstallRecord ahead = *record;
        ahead.folderId = CFolderWalk(folder).Id();
        ahead.actions.push_back({Kind::Run, {}, {}});
        ahead.Write(locations_.uninstallRecord);
    }
    removal.RemoveFiles(&progress_, true);

    progress_.SetProgress(80);
    progress_.SetPercentText("80%");
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(1, kDone);
    progress_.SetStepMarker(2, kRunning);
    removal.RemoveMenuFiles();

    progress_.SetProgress(90);
    progress_.SetPercentText("90%");
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(2, kDone);
    progress_.SetStepMarker(3, kRunning);
    removal.RemoveFileTypes();
    // A folder that is no installation keeps its files; the entry that named it names
    // nothing of ours and goes.
    const bool verified = removal.FolderIsInstallation();
    const UninstallRecord left = removal.Left();
    const bool complete = CRecordedRemoval::NothingLeft(left);
    std::error_code ec;
    if (complete)
        fs::remove(locations_.uninstallRecord, ec);
    else
        left.Write(locations_.uninstallRecord);  // what is left, for another run
    // The entry's folder is also the program's data folder when it cannot write beside itself.
    DeleteProgramOutputs(CFolderWalk(locations_.uninstallRecord.parent_path()), "");
    // The folders the installation made for itself, when nothing else came to live there.
    if (complete)
        removal.RemoveCreatedFolders();

    progress_.SetProgress(100);
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(3, kDone);
    progress_.SetPercentText("100%");
    if (!verified) {
        GetServices().MessageBox(Resources().Format(538, folder.string()), "", MB_OK | MB_ICONERROR);
        return false;
    }
    if (!complete) {
        GetServices().MessageBox(Resources().Format(533, folder.string()), "", MB_OK | MB_ICONERROR);
        return false;
    }
    finalMessage_ = Resources().String(525);
    return true;
}

}  // namespace setup
