#include "setup/Uninstall.h"

#include "platform/Paths.h"
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

// What the program writes for itself in its data folder (the installation folder when it
// may write there), in folder or in its sub-folder.
void DeleteProgramOutputs(const fs::path& folder, const std::string& subFolder)
{
    for (const char* name : paths::kProgramOutputFiles)
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

void CUninstallation::DeleteInstalledFiles(const fs::path& folder, UninstallRecord& record)
{
    // The help pages of each language, the rest of the help, then the program's own files.
    struct Phase {
        int percent;
        std::string_view prefix;
    };
    const Phase phases[] = {{30, "help/fr/"}, {45, "help/en/"}, {60, "help/"}, {70, ""}};
    const std::vector<std::string>& files = record.files;
    std::vector<bool> done(files.size(), false);
    // A file that no longer holds what was written is the user's now (the mottoes he edited):
    // it stays, and so does the copy of his older file beside it.
    std::set<std::string> changed;
    std::set<std::string> restored;
    for (const auto& [name, hash] : record.fileHashes)
        if (const auto now = HashFileInside(folder, name); now && *now != hash)
            changed.insert(name);
    // The folders of the installed files, each once; a name that leaves the folder (a record
    // edited by hand) names none.
    std::set<std::string> folders{""};
    for (const std::string& name : files) {
        std::vector<std::string> parts;
        if (SplitEntryName(name, parts))
            for (fs::path parent = fs::path(name).parent_path(); !parent.empty(); parent = parent.parent_path())
                folders.insert(parent.generic_string());
    }
    // The program's own output beside the installed files, where it may have written it.
    for (const std::string& parent : folders)
        DeleteProgramOutputs(folder, parent);
    folders.erase("");
    for (const Phase& phase : phases) {
        progress_.SetProgress(phase.percent);
        progress_.SetPercentText(std::to_string(phase.percent) + "%");
        progress_.Pause(200);
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (done[i] || !StartsWithNoCase(files[i], phase.prefix))
                continue;
            done[i] = true;
            std::vector<std::string> parts;
            if (!SplitEntryName(files[i], parts) || changed.count(files[i]))
                continue;  // a record edited by hand (a name that leaves the folder), or the user's file
            // Never through a link, so a folder replaced by a link cannot make us delete
            // outside the folder.
            DeleteFileInside(folder, files[i]);
            // A file of the user that the installation replaced comes back.
            if (std::find(record.keptCopies.begin(), record.keptCopies.end(), files[i]) != record.keptCopies.end() &&
                !ExistsInside(folder, files[i]) && RenameInside(folder, files[i] + kKeptCopySuffix, files[i]))
                restored.insert(files[i]);
        }
        // The deepest first (a sub-folder sorts after its folder), so that a folder emptied
        // by its sub-folder goes too; the last phase, with no prefix, takes every folder left.
        for (auto it = folders.rbegin(); it != folders.rend(); ++it)
            // A link in the place of a folder goes itself, never what it leads to (a
            // folder that is still one stays: unlinking refuses folders).
            if (StartsWithNoCase(*it + "/", phase.prefix) && !RemoveFolderInside(folder, *it))
                DeleteFileInside(folder, *it);
    }
    RemoveFolderQuiet(folder);
    // What is still there is still ours to delete (a name that leaves the folder is never
    // found in it); the user's files are no more ours.
    std::erase_if(record.files, [&](const std::string& name) {
        return changed.count(name) || restored.count(name) || !ExistsInside(folder, name);
    });
    const std::set<std::string> left(record.files.begin(), record.files.end());
    std::erase_if(record.keptCopies, [&](const std::string& name) { return !left.count(name); });
    std::erase_if(record.fileHashes, [&](const auto& item) { return !left.count(item.first); });
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

    // The entry names the folder; the open command of the document type only confirms it,
    // and its file types are left alone when it names another folder.
    if (!record || !record->folder.is_absolute()) {
        GetServices().MessageBox(Resources().String(527), "", MB_OK | MB_ICONERROR);
        return false;
    }
    const fs::path folder = NormalFolder(record->folder);
    std::optional<fs::path> handlerFolder;
    if (auto exec = ReadDesktopValue(HandlerEntryPath(locations_, kDocumentProgId), "Exec"))
        handlerFolder = FolderOfOpenCommand(*exec);
    const bool ownTypes = !handlerFolder || IsSameFolder(*handlerFolder, folder);
    DeleteInstalledFiles(folder, *record);

    progress_.SetProgress(80);
    progress_.SetPercentText("80%");
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(1, kDone);
    progress_.SetStepMarker(2, kRunning);
    // Only the entries the installation made: a shortcut of the user's own there stays.
    const fs::path programs = locations_.ProgramsFolder();
    std::error_code ec;
    const bool menuLinked = fs::is_symlink(programs, ec);
    auto menuFile = [](const std::string& name) { return name.find('/') == std::string::npos; };
    if (!menuLinked)
        for (const std::string& name : record->menuFiles)
            if (menuFile(name))
                DeleteFileInside(programs, name);
    RemoveFolderQuiet(programs);
    std::erase_if(record->menuFiles,
                  [&](const std::string& name) { return menuLinked || !menuFile(name) || !ExistsInside(programs, name); });

    progress_.SetProgress(90);
    progress_.SetPercentText("90%");
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(2, kDone);
    progress_.SetStepMarker(3, kRunning);
    if (ownTypes)
        for (const char* progId : {kDocumentProgId, kDatabaseProgId}) {
            DeleteFileQuiet(HandlerEntryPath(locations_, progId));
            DeleteFileQuiet(MimePackagePath(locations_, progId));
        }
    const fs::path mime = locations_.mimePackages.parent_path();
    RefreshDesktopCaches(locations_, std::any_of(record->createdFolders.begin(), record->createdFolders.end(),
                                                 [&](const fs::path& f) { return IsSameFolder(f, mime); }));
    const bool complete = record->files.empty() && record->menuFiles.empty();
    if (complete)
        DeleteFileQuiet(locations_.uninstallRecord);
    else
        record->Write(locations_.uninstallRecord);  // what is left, for another run
    // The entry's folder is also the program's data folder when it cannot write beside itself.
    DeleteProgramOutputs(locations_.uninstallRecord.parent_path(), "");
    // The folders the installation made for itself, when nothing else came to live there.
    std::vector<fs::path> created = complete ? record->createdFolders : std::vector<fs::path>{};
    std::sort(created.begin(), created.end(), [](const fs::path& a, const fs::path& b) {
        return std::distance(a.begin(), a.end()) > std::distance(b.begin(), b.end());
    });
    for (const fs::path& f : created)
        RemoveFolderQuiet(f);

    progress_.SetProgress(100);
    progress_.Pause(shortPauseMs);
    progress_.SetStepMarker(3, kDone);
    progress_.SetPercentText("100%");
    if (!complete) {
        GetServices().MessageBox(Resources().Format(533, folder.string()), "", MB_OK | MB_ICONERROR);
        return false;
    }
    finalMessage_ = Resources().String(525);
    return true;
}

}  // namespace setup
