#include "setup/InstallSteps.h"

#include "dialogs/HelpSearch.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "setup/SetupResources.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

extern char** environ;

namespace fs = std::filesystem;

namespace setup {
namespace {

// The pauses of the whole copy, at most.
constexpr std::uint64_t kCopyPausesMs = 5000;

std::string S(int id) { return Resources().String(id); }

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsLinkTarget(const std::string& target)
{
    if (target.find("://") != std::string::npos)
        return true;
    const std::string extension = Lower(fs::path(target).extension().string());
    return extension == ".html" || extension == ".htm";
}

// The Exec text of an argument given in the desktop's form: "%1" is the file opened.
std::string ExecArgument(const std::string& argument) { return argument == "%1" ? "%f" : QuoteExecArgument(argument); }

}  // namespace

std::string MimeTypeOf(const std::string& progId)
{
    std::string name = Lower(progId);
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

int ExtractSetupEntry(CSetupArchiveReader& reader, const fs::path& destination, std::string* entryName,
                      WriteReport* written, const KeepCopyRule& keepCopyOf)
{
    SetupEntry entry;
    const CSetupArchiveReader::Result read = reader.ReadEntry(entry);
    if (entryName)
        *entryName = entry.name;
    if (written)
        *written = WriteReport{};
    if (read == CSetupArchiveReader::Result::Missing)
        return 1;
    if (read == CSetupArchiveReader::Result::Corrupt) {
        GetServices().MessageBox(Resources().Format(528, kArchiveFile), "", MB_OK | MB_ICONERROR);
        return 0;
    }
    fs::path path;
    switch (WriteSetupEntry(entry, destination, &path, keepCopyOf, written)) {
    case WriteResult::Written:
        return 1;
    case WriteResult::Unsafe:
        GetServices().MessageBox(Resources().Format(528, kArchiveFile), "", MB_OK | MB_ICONERROR);
        return 0;
    case WriteResult::Outside:
        GetServices().MessageBox(Resources().Format(531, path.string()), "", MB_OK | MB_ICONERROR);
        return 0;
    case WriteResult::WriteFailed:
        break;
    }
    if (path.empty())
        path = paths::join(destination, entry.name);
    const int answer = GetServices().MessageBox(Resources().Format(112, path.string()), "", MB_YESNO | MB_ICONWARNING);
    return answer == IDNO ? 0 : 1;
}

namespace {

// The folder that holds name under root, opened without following a link at any level;
// -1 when a level is missing, no folder, or a link. last: the name's final component.
int OpenParentInside(const fs::path& root, const std::string& name, std::string& last)
{
    std::vector<std::string> parts;
    if (!SplitEntryName(name, parts))
        return -1;
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (std::size_t i = 0; fd >= 0 && i + 1 < parts.size(); ++i) {
        const int next = ::openat(fd, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    last = parts.back();
    return fd;
}

bool UnlinkInside(const fs::path& folder, const std::string& name, int flags)
{
    std::string last;
    const int fd = OpenParentInside(folder, name, last);
    if (fd < 0)
        return false;
    const bool done = ::unlinkat(fd, last.c_str(), flags) == 0;
    ::close(fd);
    return done;
}

}  // namespace

// Without AT_REMOVEDIR a folder is refused; a link is removed itself.
bool DeleteFileInside(const fs::path& folder, const std::string& name) { return UnlinkInside(folder, name, 0); }

bool RemoveFolderInside(const fs::path& folder, const std::string& name)
{
    return UnlinkInside(folder, name, AT_REMOVEDIR);
}

bool RenameInside(const fs::path& folder, const std::string& from, const std::string& to)
{
    std::string fromLast;
    std::string toLast;
    const int fd = OpenParentInside(folder, from, fromLast);
    if (fd < 0)
        return false;
    const bool sameFolder = fs::path(from).parent_path() == fs::path(to).parent_path();
    const int check = OpenParentInside(folder, to, toLast);
    if (check >= 0)
        ::close(check);
    const bool done = sameFolder && check >= 0 && ::renameat(fd, fromLast.c_str(), fd, toLast.c_str()) == 0;
    ::close(fd);
    return done;
}

bool ExistsInside(const fs::path& folder, const std::string& name)
{
    std::string last;
    const int fd = OpenParentInside(folder, name, last);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool found = ::fstatat(fd, last.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    ::close(fd);
    return found;
}

std::optional<std::string> HashFileInside(const fs::path& folder, const std::string& name)
{
    std::string last;
    const int parent = OpenParentInside(folder, name, last);
    if (parent < 0)
        return std::nullopt;
    const int fd = ::openat(parent, last.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    ::close(parent);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::string bytes;
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ReadAll(fd, bytes);
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return ContentHash(bytes);
}

fs::path NormalFolder(const fs::path& folder)
{
    const fs::path normal = folder.lexically_normal();
    return !normal.has_filename() && normal.has_parent_path() ? normal.parent_path() : normal;
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
        for (const char* name : kMimeDatabaseFiles)
            DeleteFileInside(mime, name);
        for (fs::directory_iterator it(mime, ec), end; !ec && it != end; it.increment(ec))
            RemoveFolderInside(mime, it->path().filename().string());
    }
    const bool entries = HoldsAny(locations.applications, ".desktop");
    if (entries)
        RunQuietly("update-desktop-database", {locations.applications.string()});
    // Entries left that open no type (a user's own shortcut) give a cache of its header alone.
    std::string cache;
    if (!entries || !textfile::ReadBytes(locations.applications / "mimeinfo.cache", cache) ||
        cache.find('=') == std::string::npos)
        DeleteFileInside(locations.applications, "mimeinfo.cache");
}

CInstallation::CInstallation(fs::path archive, fs::path destination, SetupLocations locations, SetupProgress& progress)
    : archive_(std::move(archive)), destination_(NormalFolder(fs::absolute(destination))),
      locations_(std::move(locations)), progress_(progress)
{
}

fs::path CInstallation::ProgramPath() const { return destination_ / kProgramFile; }

bool CInstallation::MakeFolders(const fs::path& folder)
{
    std::error_code ec;
    std::vector<fs::path> missing;
    for (fs::path level = folder; !level.empty() && !fs::exists(fs::symlink_status(level, ec));
         level = level.parent_path()) {
        missing.push_back(level);
        if (level == level.parent_path())
            break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!fs::create_directory(*it, ec))
            break;
        createdFolders_.push_back(*it);
    }
    return fs::is_directory(folder, ec);
}

void CInstallation::Remember(const fs::path& file)
{
    for (const auto& [path, bytes] : remembered_)
        if (path == file)
            return;
    std::string bytes;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(file, ec)) && textfile::ReadBytes(file, bytes))
        remembered_.emplace_back(file, std::move(bytes));
    else
        remembered_.emplace_back(file, std::nullopt);
}

std::vector<std::string> CInstallation::ShortcutFiles() const
{
    return {S(506) + ".desktop", S(508) + ".desktop", S(511) + ".desktop"};
}

bool CInstallation::Run()
{
    previous_ = UninstallRecord::Read(locations_.uninstallRecord);
    // Another installation still in its folder: installing elsewhere would leave it with no
    // entry to uninstall it by. One whose folder is gone has nothing left to lose.
    std::error_code ec;
    if (previous_ && !IsSameFolder(previous_->folder, destination_) &&
        fs::exists(fs::symlink_status(previous_->folder, ec))) {
        GetServices().MessageBox(Resources().Format(534, previous_->folder.string()), "", MB_OK | MB_ICONERROR);
        return false;
    }
    // Every missing level: the default destination's parents need not exist yet.
    if (!MakeFolders(destination_)) {
        GetServices().MessageBox(Resources().Format(529, destination_.string()), "", MB_OK | MB_ICONERROR);
        Undo();
        return false;
    }
    if (!skipCopy && !CopyFiles()) {
        Undo();
        return false;
    }
    progress_.SetStatus(S(503));
    if (!WriteRegistry()) {
        GetServices().MessageBox(S(530), "", MB_OK | MB_ICONERROR);
        Undo();
        return false;
    }
    progress_.Pause(500);
    progress_.SetProgress(96);
    progress_.SetStatus(S(504));
    if (!CreateShortcuts()) {
        GetServices().MessageBox(S(535), "", MB_OK | MB_ICONERROR);
        Undo();
        return false;
    }
    RefreshDesktopCaches(locations_);
    progress_.Pause(500);
    progress_.SetProgress(100);
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
    // A file already in the destination is the user's unless an installation there wrote
    // it and it still holds what was written (the mottoes the user edited are his).
    UninstallRecord ours;
    if (previous_ && IsSameFolder(previous_->folder, destination_))
        ours = *previous_;
    const KeepCopyRule keepCopyOf = [&](const std::string& name) {
        if (std::find(installed_.begin(), installed_.end(), name) != installed_.end())
            return false;
        if (std::find(ours.files.begin(), ours.files.end(), name) == ours.files.end())
            return true;
        const auto hash = ours.fileHashes.find(name);
        return hash != ours.fileHashes.end() && HashFileInside(destination_, name) != hash->second;
    };
    progress_.SetProgress(0);
    const std::uint64_t count = reader.GetCount();
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string name;
        WriteReport written;
        const int go = ExtractSetupEntry(reader, destination_, &name, &written, keepCopyOf);
        createdInside_.insert(written.createdFolders.begin(), written.createdFolders.end());
        if (!go)
            return 0;
        if (!written.name.empty()) {
            installed_.push_back(written.name);
            hashes_[written.name] = written.hash;
            if (written.created)
                created_.push_back(written.name);
            if (written.keptCopy)
                kept_.push_back(written.name);
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
    for (const std::string& name : created_)
        DeleteFileInside(destination_, name);
    for (const std::string& name : kept_)
        RenameInside(destination_, name + kKeptCopySuffix, name);
    // The deepest first (a sub-folder sorts after its folder), so that a folder emptied by
    // its sub-folder goes too.
    for (auto it = createdInside_.rbegin(); it != createdInside_.rend(); ++it)
        RemoveFolderInside(destination_, *it);
    for (auto it = remembered_.rbegin(); it != remembered_.rend(); ++it) {
        std::error_code ec;
        if (it->second)
            textfile::WriteAtomic(it->first, *it->second);
        else
            fs::remove(it->first, ec);
    }
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it) {
        std::error_code ec;
        if (fs::is_directory(fs::symlink_status(*it, ec)) && fs::is_empty(*it, ec))
            fs::remove(*it, ec);
    }
    created_.clear();
    kept_.clear();
    installed_.clear();
    hashes_.clear();
    createdInside_.clear();
    remembered_.clear();
    createdFolders_.clear();
}

bool CInstallation::RegisterFileType(const std::string& extension, const std::string& progId,
                                     const std::string& iconIndex, const std::string& description,
                                     const fs::path& programPath, const std::string& arguments)
{
    // Icons of file types come from the icon theme here; the index has no use.
    (void)iconIndex;
    MakeFolders(locations_.mimePackages);
    MakeFolders(locations_.applications);
    Remember(MimePackagePath(locations_, progId));
    Remember(HandlerEntryPath(locations_, progId));
    const std::string mime = MimeTypeOf(progId);
    std::string pattern = "*" + Lower(extension);
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
    ok = RegisterFileType(".DBL", kDatabaseProgId, "-2", S(514), program, "") && ok;

    UninstallRecord record;
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
    // Installing again over the same folder: what the first installation did stays known.
    if (previous_ && IsSameFolder(previous_->folder, destination_)) {
        record.files = previous_->files;
        record.fileHashes = previous_->fileHashes;
        record.keptCopies = previous_->keptCopies;
    }
    if (previous_) {
        record.menuFiles = previous_->menuFiles;
        record.createdFolders = previous_->createdFolders;
    }
    // The menu folder is made here, so that the entry knows it before the shortcuts exist.
    ok = MakeFolders(locations_.ProgramsFolder()) && ok;
    ok = MakeFolders(locations_.uninstallRecord.parent_path()) && ok;
    auto add = [](auto& list, const auto& items) {
        for (const auto& item : items)
            if (std::find(list.begin(), list.end(), item) == list.end())
                list.push_back(item);
    };
    add(record.files, installed_);
    for (const auto& [name, hash] : hashes_)
        record.fileHashes[name] = hash;
    add(record.keptCopies, kept_);
    add(record.menuFiles, ShortcutFiles());
    add(record.createdFolders, createdFolders_);
    Remember(locations_.uninstallRecord);
    return ok && record.Write(locations_.uninstallRecord);
}

int CInstallation::CreateShortcuts()
{
    const fs::path folder = locations_.ProgramsFolder();
    if (!MakeFolders(folder))
        return 0;
    const std::vector<std::string> files = ShortcutFiles();
    // Each remembered first, so that a failure takes back the ones made before it.
    for (const std::string& file : files)
        Remember(folder / file);
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
