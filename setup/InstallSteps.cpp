#include "setup/InstallSteps.h"

#include "dialogs/HelpSearch.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "setup/SetupResources.h"

#include <algorithm>
#include <cctype>

namespace fs = std::filesystem;

namespace setup {
namespace {

std::string S(int id) { return Resources().String(id); }

std::string RelativeName(const std::string& entryName)
{
    std::vector<std::string> parts;
    SplitEntryName(entryName, parts);
    std::string out;
    for (const std::string& part : parts) {
        if (!out.empty())
            out.push_back('/');
        out += part;
    }
    return out;
}

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
                      std::string* written)
{
    SetupEntry entry;
    const CSetupArchiveReader::Result result = reader.ReadEntry(entry);
    if (entryName)
        *entryName = entry.name;
    if (result == CSetupArchiveReader::Result::Missing)
        return 1;
    if (result == CSetupArchiveReader::Result::Corrupt) {
        GetServices().MessageBox(Resources().Format(528, kArchiveFile), "", MB_OK | MB_ICONERROR);
        return 0;
    }
    fs::path path;
    switch (WriteSetupEntry(entry, destination, &path)) {
    case WriteResult::Written:
        if (written)
            *written = RelativeName(entry.name);
        return 1;
    case WriteResult::Unsafe:
        GetServices().MessageBox(Resources().Format(528, kArchiveFile), "", MB_OK | MB_ICONERROR);
        return 0;
    case WriteResult::WriteFailed:
        break;
    }
    if (path.empty())
        path = paths::join(destination, entry.name);
    const int answer = GetServices().MessageBox(Resources().Format(112, path.string()), "", MB_YESNO | MB_ICONWARNING);
    return answer == IDNO ? 0 : 1;
}

CInstallation::CInstallation(fs::path archive, fs::path destination, SetupLocations locations, SetupProgress& progress)
    : archive_(std::move(archive)), destination_(destination.lexically_normal()), locations_(std::move(locations)),
      progress_(progress)
{
    // "folder/" and "folder" are one destination: the uninstall entry compares them.
    if (!destination_.has_filename() && destination_.has_parent_path())
        destination_ = destination_.parent_path();
}

fs::path CInstallation::ProgramPath() const { return destination_ / kProgramFile; }

bool CInstallation::Run()
{
    std::error_code ec;
    // Every missing level: the default destination's parents need not exist yet.
    fs::create_directories(destination_, ec);
    if (!fs::is_directory(destination_, ec)) {
        GetServices().MessageBox(Resources().Format(529, destination_.string()), "", MB_OK | MB_ICONERROR);
        return false;
    }
    if (!skipCopy && !CopyFiles())
        return false;
    progress_.SetStatus(S(503));
    WriteRegistry();
    progress_.Pause(500);
    progress_.SetProgress(96);
    progress_.SetStatus(S(504));
    CreateShortcuts();
    progress_.Pause(500);
    progress_.SetProgress(100);
    progress_.SetStatus("");
    return true;
}

int CInstallation::CopyFiles()
{
    std::error_code ec;
    fs::create_directories(destination_, ec);
    CSetupArchiveReader reader;
    if (!reader.Open(archive_)) {
        // Nothing copied is no installation: say so rather than go on to register it.
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
        std::string written;
        if (!ExtractSetupEntry(reader, destination_, &name, &written))
            return 0;
        if (!written.empty())
            installed_.push_back(written);
        progress_.SetStatus(Resources().Format(505, name));
        progress_.SetProgress(static_cast<int>((i * 90 + 90) / count));
        progress_.Pause(100);
    }
    return 1;
}

bool CInstallation::RegisterFileType(const std::string& extension, const std::string& progId,
                                     const std::string& iconIndex, const std::string& description,
                                     const fs::path& programPath, const std::string& arguments)
{
    // Icons of file types come from the icon theme here; the index has no use.
    (void)iconIndex;
    std::error_code ec;
    fs::create_directories(locations_.mimePackages, ec);
    fs::create_directories(locations_.applications, ec);
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
    // Installing again over the same folder: the files of the first installation stay known.
    if (auto previous = UninstallRecord::Read(locations_.uninstallRecord); previous && previous->folder == destination_)
        record.files = previous->files;
    for (const std::string& name : installed_)
        if (std::find(record.files.begin(), record.files.end(), name) == record.files.end())
            record.files.push_back(name);
    return record.Write(locations_.uninstallRecord) && ok;
}

int CInstallation::CreateShortcuts()
{
    const fs::path folder = locations_.ProgramsFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    CreateShortcut(ProgramPath().string(), folder / (S(506) + ".desktop"), destination_, S(507), "", 0);
    const fs::path manual = paths::FindCaseInsensitive(destination_, S(510) + "\\contents.html")
                                .value_or(paths::join(destination_, S(510) + "\\contents.html"));
    CreateShortcut(manual.string(), folder / (S(508) + ".desktop"), destination_, S(509), "", 0);
    CreateShortcut(S(519), folder / (S(511) + ".desktop"), destination_, S(512), "", 0);
    return 1;
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
    if (!WriteDesktopEntry(linkPath, values)) {
        GetServices().MessageBox("Save failed!", "", MB_OK);
        return false;
    }
    return true;
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
