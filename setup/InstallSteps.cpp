#include "setup/InstallSteps.h"

#include "dialogs/HelpSearch.h"
#include "platform/AsciiText.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "setup/SetupResources.h"
#include "setup/Uninstall.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace fs = std::filesystem;

namespace setup {
namespace {

// The pauses of the whole copy, at most.
constexpr std::uint64_t kCopyPausesMs = 5000;

std::string S(int id) { return Resources().String(id); }

bool IsLinkTarget(const std::string& target)
{
    if (target.find("://") != std::string::npos)
        return true;
    const std::string extension = ascii::Lower(fs::path(target).extension().string());
    return extension == ".html" || extension == ".htm";
}

// The Exec text of an argument given in the desktop's form: "%1" is the file opened.
std::string ExecArgument(const std::string& argument) { return argument == "%1" ? "%f" : QuoteExecArgument(argument); }

// The levels of folder that do not exist yet (a link counts as one that does), the
// outermost first.
std::vector<fs::path> MissingLevels(const fs::path& folder)
{
    std::error_code ec;
    std::vector<fs::path> missing;
    for (fs::path level = folder; !level.empty() && !fs::exists(fs::symlink_status(level, ec));
         level = level.parent_path()) {
        missing.insert(missing.begin(), level);
        if (level == level.parent_path())
            break;
    }
    return missing;
}

}  // namespace

std::string MimeTypeOf(const std::string& progId)
{
    std::string name = ascii::Lower(progId);
    std::replace(name.begin(), name.end(), '.', '-');
    return "application/x-" + name;
}

fs::path HandlerEntryPath(const SetupLocations& locations, const std::string& progId)
{
    return locations.applications / (progId + ".desktop");
}

fs::path MimePackagePath(const SetupLocations& locations, const std::string& progId)
{
    return locations.mimePackages / (progId + ".xml");
}

int ExtractSetupEntry(CSetupArchiveReader& reader, const CFolderWalk& destination, WriteAhead* journal,
                      std::string* entryName, WriteReport* written)
{
    SetupEntry entry;
    const CSetupArchiveReader::Result read = reader.ReadEntry(entry);
    if (entryName)
        *entryName = entry.name;
    WriteReport local;
    WriteReport& report = written ? *written : local;
    report = WriteReport{};
    if (read == CSetupArchiveReader::Result::Missing)
        return 1;
    if (read == CSetupArchiveReader::Result::Corrupt) {
        GetServices().MessageBox(Resources().Format(528, kArchiveFile), "", MB_OK | MB_ICONERROR);
        return 0;
    }
    switch (WriteSetupEntry(entry, destination, journal, &report)) {
    case WriteResult::Written:
        return 1;
    case WriteResult::Unsafe:
        GetServices().MessageBox(Resources().Format(528, kArchiveFile), "", MB_OK | MB_ICONERROR);
        return 0;
    case WriteResult::Outside:
        GetServices().MessageBox(Resources().Format(531, (destination.Path() / report.name).string()), "",
                                 MB_OK | MB_ICONERROR);
        return 0;
    case WriteResult::WriteFailed:
        break;
    }
    // The path, and the system's reason beside it: a full disk is not a missing right.
    const fs::path path = destination.Path() / (report.name.empty() ? entry.name : report.name);
    const std::string named = path.string() + " (" + std::strerror(report.error) + ")";
    const int answer = GetServices().MessageBox(Resources().Format(112, named), "", MB_YESNO | MB_ICONWARNING);
    return answer == IDNO ? 0 : 1;
}

bool IsSameFolder(const fs::path& a, const fs::path& b)
{
    if (NormalFolder(a) == NormalFolder(b))
        return true;
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

std::optional<int> RunQuietly(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return std::nullopt;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return std::nullopt;
    if (!WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}

namespace {

// What update-mime-database writes beside the definitions it reads.
constexpr const char* kMimeDatabaseFiles[] = {"XMLnamespaces", "aliases", "generic-icons", "globs", "globs2",
                                              "icons", "magic", "mime.cache", "subclasses", "treemagic",
                                              "types", "version"};

bool HoldsAny(const fs::path& folder, const std::string& extension)
{
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && (extension.empty() || it->path().extension() == extension))
            return true;
    return false;
}

}  // namespace

void RefreshDesktopCaches(const SetupLocations& locations, bool mimeFolderCreated)
{
    std::error_code ec;
    const fs::path mime = locations.mimePackages.parent_path();
    if (fs::is_directory(mime, ec))
        RunQuietly("update-mime-database", {mime.string()});
    // Only a database the installation started: one that was there before is another's.
    if (mimeFolderCreated && !HoldsAny(locations.mimePackages, "") && fs::is_directory(mime, ec)) {
        // No definition left: the database built from them describes nothing.
        const CFolderWalk database(mime);
        for (const char* name : kMimeDatabaseFiles)
            database.Unlink(name);
        for (fs::directory_iterator it(mime, ec), end; !ec && it != end; it.increment(ec))
            database.RemoveFolder(it->path().filename().string());
    }
    const bool entries = HoldsAny(locations.applications, ".desktop");
    if (entries)
        RunQuietly("update-desktop-database", {locations.applications.string()});
    // Entries left that open no type (a user's own shortcut) give a cache of its header alone.
    std::string cache;
    if (!entries || !textfile::ReadBytes(locations.applications / "mimeinfo.cache", cache) ||
        cache.find('=') == std::string::npos)
        CFolderWalk(locations.applications).Unlink("mimeinfo.cache");
}

CInstallation::CInstallation(fs::path archive, fs::path destination, SetupLocations locations, SetupProgress& progress)
    : archive_(std::move(archive)), destination_(NormalFolder(fs::absolute(destination))),
      locations_(std::move(locations)), progress_(progress), journal_(locations_.uninstallRecord)
{
}

fs::path CInstallation::ProgramPath() const { return destination_ / kProgramFile; }

bool CInstallation::MakeFolders(const fs::path& folder)
{
    std::error_code ec;
    for (const fs::path& level : MissingLevels(folder))
        if (!journal_.Append({JournalAction::Kind::CreatedFolder, level.string(), {}}) ||
            !fs::create_directory(level, ec))
            break;
    return fs::is_directory(folder, ec);
}

std::vector<std::string> CInstallation::ShortcutFiles() const
{
    return {S(506) + ".desktop", S(508) + ".desktop", S(511) + ".desktop"};
}

bool CInstallation::Stop(int messageId, const std::string& argument)
{
    GetServices().MessageBox(argument.empty() ? S(messageId) : Resources().Format(messageId, argument), "",
                             MB_OK | MB_ICONERROR);
    Undo();
    return false;
}

bool CInstallation::BeginJournal()
{
    std::optional<UninstallRecord> previous = UninstallRecord::Read(locations_.uninstallRecord);
    // A run killed in another folder is undone first: what it left is known, and it is no
    // installation to keep.
    if (previous && previous->Interrupted() && !IsSameFolder(previous->folder, destination_)) {
        CRecordedRemoval(*previous, previous->InterruptedRunStart(), locations_).Undo();
        previous = UninstallRecord::Read(locations_.uninstallRecord);
    }
    // Another installation still in its folder: installing elsewhere would leave it with no
    // entry to uninstall it by. One whose folder is gone has nothing left to lose.
    std::error_code ec;
    if (previous && !IsSameFolder(previous->folder, destination_) &&
        fs::exists(fs::symlink_status(previous->folder, ec))) {
        GetServices().MessageBox(Resources().Format(534, previous->folder.string()), "", MB_OK | MB_ICONERROR);
        return false;
    }
    // Installing again over the same folder (or finishing a run killed there): what the
    // earlier runs did stays known, so their files are never taken for the user's.
    UninstallRecord record;
    if (previous && IsSameFolder(previous->folder, destination_)) {
        record.actions = std::move(previous->actions);
        record.folderId = previous->folderId;
    }
    record.values = {
        {"DisplayName", kProductKey},
        {"UninstallString", QuoteExecArgument((destination_ / kSetupProgramFile).string()) + " /r"},
        {"DisplayVersion", "2.0"},
        {"Publisher", kPublisher},
        {"URLInfoAbout", S(519)},
        {"URLUpdateInfo", S(518)},
        {"HelpLink", S(519)},
        {"Comments", S(520)},
    };
    record.folder = destination_;
    // The entry's own folder must exist before anything can be written ahead in it.
    const std::vector<fs::path> made = MissingLevels(locations_.uninstallRecord.parent_path());
    for (const fs::path& level : made)
        if (!fs::create_directory(level, ec))
            break;
    bool ok = journal_.Begin(std::move(record));
    for (const fs::path& level : made)
        ok = ok && journal_.Append({JournalAction::Kind::CreatedFolder, level.string(), {}});
    if (!ok) {
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            fs::remove(*it, ec);
        GetServices().MessageBox(S(530), "", MB_OK | MB_ICONERROR);
    }
    return ok;
}

bool CInstallation::Run()
{
    missing_.clear();
    folder_.reset();
    if (!BeginJournal())
        return false;
    // Every missing level: the default destination's parents need not exist yet.
    if (!MakeFolders(destination_))
        return Stop(529, destination_.string());
    folder_.emplace(destination_);
    if (!folder_->IsOpen())
        return Stop(folder_->OpenError() == ELOOP ? 531 : 529, destination_.string());
    // Which folder this is, so that a record pointed elsewhere later is not taken for it.
    journal_.Record().folderId = folder_->Id();
    if (!journal_.Record().Write(journal_.File()))
        return Stop(530);
    if (!skipCopy && !CopyFiles()) {
        Undo();
        return false;
    }
    progress_.SetStatus(S(503));
    if (!WriteRegistry())
        return Stop(530);
    progress_.Pause(500);
    progress_.SetProgress(96);
    progress_.SetStatus(S(504));
    if (!CreateShortcuts())
        return Stop(535);
    RefreshDesktopCaches(locations_);
    if (!journal_.Finish(*folder_))
        return Stop(530);
    progress_.Pause(500);
    progress_.SetProgress(100);
    if (!missing_.empty()) {
        // Registered all the same, so that it can be installed again or uninstalled; but it
        // is no working installation, and the user is told what is missing and why.
        // A box taller than the screen would hide its button: the first ones and a count.
        constexpr std::size_t kListed = 20;
        std::string list;
        for (std::size_t i = 0; i < missing_.size() && i < kListed; ++i)
            list += "\n" + missing_[i].name + " (" + std::strerror(missing_[i].error) + ")";
        if (missing_.size() > kListed)
            list += "\n... (+" + std::to_string(missing_.size() - kListed) + ")";
        progress_.SetStatus(S(537));
        GetServices().MessageBox(Resources().Format(536, destination_.string()) + list, "", MB_OK | MB_ICONWARNING);
        return false;
    }
    progress_.SetStatus("");
    return true;
}

int CInstallation::CopyFiles()
{
    CSetupArchiveReader reader;
    if (!reader.Open(archive_)) {
        // Nothing copied is no installation: say so rather than go on to register it.
        std::error_code ec;
        if (fs::exists(archive_, ec))
            GetServices().MessageBox(Resources().Format(528, kArchiveFile), "", MB_OK | MB_ICONERROR);
        else
            GetServices().MessageBox(Resources().Format(516, archive_.string()), "", MB_OK | MB_ICONERROR);
        return 0;
    }
    progress_.SetProgress(0);
    const std::uint64_t count = reader.GetCount();
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string name;
        WriteReport written;
        if (!ExtractSetupEntry(reader, *folder_, &journal_, &name, &written))
            return 0;
        if (written.error) {
            std::string shown = name;
            std::replace(shown.begin(), shown.end(), '\\', '/');
            missing_.push_back({shown, written.error});
        }
        progress_.SetStatus(Resources().Format(505, name));
        progress_.SetProgress(static_cast<int>((i * 90 + 90) / count));
        // Long enough to read each name of a small package; a large one (the help pictures
        // of three languages) pauses five seconds in all, not half a minute.
        progress_.Pause(static_cast<int>(std::min<std::uint64_t>(100, kCopyPausesMs / count)));
    }
    return 1;
}

void CInstallation::Undo()
{
    CRecordedRemoval(journal_.Record(), journal_.Record().InterruptedRunStart(), locations_, true).Undo();
}

bool CInstallation::RegisterFileType(const std::string& extension, const std::string& progId,
                                     const std::string& iconIndex, const std::string& description,
                                     const fs::path& programPath, const std::string& arguments)
{
    // Icons of file types come from the icon theme here; the index has no use.
    (void)iconIndex;
    MakeFolders(locations_.mimePackages);
    MakeFolders(locations_.applications);
    const std::string mime = MimeTypeOf(progId);
    std::string pattern = "*" + ascii::Lower(extension);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                      "  <mime-type type=\"" + HtmlEscape(mime) + "\">\n"
                      "    <comment>" + HtmlEscape(description) + "</comment>\n"
                      "    <glob pattern=\"" + HtmlEscape(pattern) + "\"/>\n"
                      "  </mime-type>\n"
                      "</mime-info>\n";
    const bool mimeOk = textfile::WriteAtomic(MimePackagePath(locations_, progId), xml);
    std::string exec = QuoteExecArgument(programPath.string());
    if (!arguments.empty())
        exec += " " + ExecArgument(arguments);
    const bool entryOk = WriteDesktopEntry(HandlerEntryPath(locations_, progId), {
                                                                                     {"Type", "Application"},
                                                                                     {"Name", description},
                                                                                     {"Exec", exec},
                                                                                     {"MimeType", mime + ";"},
                                                                                     {"NoDisplay", "true"},
                                                                                 });
    return mimeOk && entryOk;
}

bool CInstallation::WriteRegistry()
{
    const fs::path program = ProgramPath();
    bool ok = RegisterFileType(".CDS", kDocumentProgId, "-1", S(513), program, "%1");
    return RegisterFileType(".DBL", kDatabaseProgId, "-2", S(514), program, "") && ok;
}

int CInstallation::CreateShortcuts()
{
    const fs::path folder = locations_.ProgramsFolder();
    if (!MakeFolders(folder))
        return 0;
    const std::vector<std::string> files = ShortcutFiles();
    // Each journaled first, so that a failure takes back the ones made before it.
    for (const std::string& file : files)
        if (!journal_.Append({JournalAction::Kind::MenuFile, file, {}}))
            return 0;
    const fs::path manual = paths::FindCaseInsensitive(destination_, S(510) + "\\contents.html")
                                .value_or(paths::join(destination_, S(510) + "\\contents.html"));
    return CreateShortcut(ProgramPath().string(), folder / files[0], destination_, S(507), "", 0) &&
           CreateShortcut(manual.string(), folder / files[1], destination_, S(509), "", 0) &&
           CreateShortcut(S(519), folder / files[2], destination_, S(512), "", 0);
}

bool CInstallation::CreateShortcut(const std::string& target, const fs::path& linkPath, const fs::path& workingFolder,
                                   const std::string& description, const std::string& arguments, int iconIndex)
{
    KeyValues values;
    const std::string name = linkPath.stem().string();
    if (IsLinkTarget(target)) {
        values = {{"Type", "Link"},
                  {"Name", name},
                  {"Comment", description},
                  {"URL", target.find("://") != std::string::npos ? target : paths::FileUrl(target)}};
    } else {
        std::string exec = QuoteExecArgument(target);
        if (!arguments.empty())
            exec += " " + ExecArgument(arguments);
        values = {{"Type", "Application"}, {"Name", name}, {"Comment", description},
                  {"Exec", exec},          {"Path", workingFolder.string()}};
        // A program file carries no icon here: the picture installed beside it stands in.
        const fs::path icon = fs::path(target).parent_path() / kIconFile;
        std::error_code ec;
        if (iconIndex >= 0 && fs::exists(icon, ec))
            values.emplace_back("Icon", icon.string());
    }
    return WriteDesktopEntry(linkPath, values);
}

}  // namespace setup

namespace setup {

bool BuildArchiveInFolder(const fs::path& folder)
{
    WaitCursor wait;
    std::vector<std::string> list;
    if (!ReadFileList(folder / Resources().String(109), list)) {
        GetServices().MessageBox(Resources().String(110), "", MB_OK | MB_ICONERROR);
        return false;
    }
    const fs::path archive = folder / kArchiveFile;
    if (!BuildSetupData(folder / "source", list, archive)) {
        GetServices().MessageBox(Resources().Format(516, archive.string()), "", MB_OK | MB_ICONERROR);
        return false;
    }
    GetServices().MessageBox(Resources().String(111), "", MB_OK | MB_ICONINFORMATION);
    return true;
}

}  // namespace setup
