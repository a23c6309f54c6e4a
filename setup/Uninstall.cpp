#include "setup/Uninstall.h"

#include "dialogs/HelpSearch.h"
#include "setup/SetupResources.h"
#include "platform/Services.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace fs = std::filesystem;

namespace setup {
namespace {

constexpr const char* kRunning = "->";
constexpr const char* kDone = "OK";

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// Deletes a file or link, never a folder; failures (a file in use, no right) are ignored.
void DeleteFileQuiet(const fs::path& file)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(file, ec);
    if (!ec && !fs::is_directory(status))
        fs::remove(file, ec);
}

// Removes a folder only when it is empty.
void RemoveFolderQuiet(const fs::path& folder)
{
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(folder, ec)) && fs::is_empty(folder, ec))
        fs::remove(folder, ec);
}

// What the program writes in its data folder (the installation folder when it may write
// there): its trace file, the table files of its pages and the help search's result page.
// The user's own files there (user locations, mottoes he edited) are not among them.
constexpr const char* kProgramOutputs[] = {"HoravelTraces.txt", "thl.tmp", "thp.tmp", "tdl.tmp", "tdm.tmp",
                                           kSearchResultFile, "SearchResult.txt"};

void DeleteProgramOutputs(const fs::path& folder, const std::string& subFolder)
{
    for (const char* name : kProgramOutputs)
        DeleteFileInside(folder, subFolder.empty() ? name : subFolder + "/" + name);
}

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

CUninstallation::CUninstallation(SetupLocations locations, SetupProgress& progress)
    : locations_(std::move(locations)), progress_(progress)
{
}

void CUninstallation::DeleteInstalledFiles(const fs::path& folder, const UninstallRecord& record)
{
    // The help pages of each language, the rest of the help, then the program's own files.
    struct Phase {
        int percent;
        std::string_view prefix;
    };
    const Phase phases[] = {{30, "help/fr/"}, {45, "help/en/"}, {60, "help/"}, {70, ""}};
    const std::vector<std::string>& files = record.files;
    std::vector<bool> done(files.size(), false);
    std::set<std::string> folders;
    // The program's own output beside the installed files, where it may have written it.
    if (!files.empty())
        DeleteProgramOutputs(folder, "");
    for (const std::string& name : files)
        if (const std::string parent = fs::path(name).parent_path().generic_string(); !parent.empty())
            DeleteProgramOutputs(folder, parent);
    for (const Phase& phase : phases) {
        progress_.SetProgress(phase.percent);
        progress_.SetPercentText(std::to_string(phase.percent) + "%");
        progress_.Pause(200);
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (done[i] || !StartsWithNoCase(files[i], phase.prefix))
                continue;
            done[i] = true;
            std::vector<std::string> parts;
            if (!SplitEntryName(files[i], parts))
                continue;  // a record edited by hand: a name that leaves the folder
            // Never through a link, so a folder replaced by a link cannot make us delete
            // outside the folder.
            DeleteFileInside(folder, files[i]);
            // A file of the user that the installation replaced comes back.
            if (std::find(record.keptCopies.begin(), record.keptCopies.end(), files[i]) != record.keptCopies.end())
                RenameInside(folder, files[i] + kKeptCopySuffix, files[i]);
            for (fs::path parent = fs::path(files[i]).parent_path(); !parent.empty(); parent = parent.parent_path())
                folders.insert(parent.generic_string());
        }
        // The deepest first (a sub-folder sorts after its folder), so that a folder emptied
        // by its sub-folder goes too; the last phase, with no prefix, takes every folder left.
        for (auto it = folders.rbegin(); it != folders.rend(); ++it)
            if (StartsWithNoCase(*it + "/", phase.prefix))
                RemoveFolderInside(folder, *it);
    }
    RemoveFolderQuiet(folder);
}

bool CUninstallation::Run()
{
    Resources();
    progress_.SetStepMarker(0, kRunning);
    // The entry lists what to delete: it goes last, once everything it lists is gone.
    const std::optional<UninstallRecord> record = UninstallRecord::Read(locations_.uninstallRecord);
    progress_.SetProgress(10);
    progress_.SetPercentText("10%");
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(0, kDone);
    progress_.SetStepMarker(1, kRunning);

    std::optional<fs::path> folder;
    if (auto exec = ReadDesktopValue(HandlerEntryPath(locations_, kDocumentProgId), "Exec"))
        folder = FolderOfOpenCommand(*exec);
    if (!folder || !record) {
        GetServices().MessageBox(Resources().String(527), "", MB_OK | MB_ICONERROR);
        return false;
    }
    // Files listed for another folder than the one the open command names are not ours to
    // delete there.
    const bool sameFolder = record->folder.lexically_normal() == folder->lexically_normal();
    DeleteInstalledFiles(*folder, sameFolder ? *record : UninstallRecord{});

    progress_.SetProgress(80);
    progress_.SetPercentText("80%");
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(1, kDone);
    progress_.SetStepMarker(2, kRunning);
    // Only the entries the installation made: a shortcut of the user's own there stays.
    const fs::path programs = locations_.ProgramsFolder();
    std::error_code ec;
    if (!fs::is_symlink(programs, ec))
        for (const std::string& name : record->menuFiles)
            if (name.find('/') == std::string::npos)
                DeleteFileInside(programs, name);
    RemoveFolderQuiet(programs);

    progress_.SetProgress(90);
    progress_.SetPercentText("90%");
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(2, kDone);
    progress_.SetStepMarker(3, kRunning);
    for (const char* progId : {kDocumentProgId, kDatabaseProgId}) {
        DeleteFileQuiet(HandlerEntryPath(locations_, progId));
        DeleteFileQuiet(MimePackagePath(locations_, progId));
    }
    RefreshDesktopCaches(locations_);
    DeleteFileQuiet(locations_.uninstallRecord);
    // The entry's folder is also the program's data folder when it cannot write beside itself.
    DeleteProgramOutputs(locations_.uninstallRecord.parent_path(), "");
    // The folders the installation made for itself, when nothing else came to live there.
    std::vector<fs::path> created = record->createdFolders;
    std::sort(created.begin(), created.end(), [](const fs::path& a, const fs::path& b) {
        return std::distance(a.begin(), a.end()) > std::distance(b.begin(), b.end());
    });
    for (const fs::path& f : created)
        RemoveFolderQuiet(f);

    progress_.SetProgress(100);
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(3, kDone);
    progress_.SetPercentText("100%");
    finalMessage_ = Resources().String(525);
    return true;
}

}  // namespace setup
