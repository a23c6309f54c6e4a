#pragma once
// Where the program finds its shipped files and where it writes its own.
//
// The install folder is the folder of the running executable: shipped data (language file,
// standard locations, tips, mottoes, help) are read there, looked up case-insensitively.
// Files the program writes (trace file, user locations, table files, help-search result)
// go to the data folder: the install folder when it is writable, otherwise
// $XDG_DATA_HOME/horavel (default ~/.local/share/horavel).
#include <filesystem>
#include <optional>
#include <string>

namespace paths {

std::filesystem::path InstallFolder();
std::filesystem::path DataFolder();

// The files the program writes for itself in the data folder and rewrites at will: the
// trace file, the table files of the table pages (read back by the table export) and the
// help search's page of results (written beside the help pages when it may write there).
// The user's own files there (his locations, the mottoes he edited) are not among them.
inline constexpr const char* kTraceFile = "HoravelTraces.txt";
inline constexpr const char* kHourLineTableFile = "thl.tmp";
inline constexpr const char* kHourPointTableFile = "thp.tmp";
inline constexpr const char* kDateArcTableFile = "tdl.tmp";
inline constexpr const char* kMobileStyleTableFile = "tdp.tmp";
inline constexpr const char* kNoonMarkTableFile = "tdm.tmp";
inline constexpr const char* kEotTableFile = "teot.tmp";
inline constexpr const char* kSearchResultFile = "SearchResult.html";
// Locked by every copy of the program while it rewrites the user's locations file.
inline constexpr const char* kUserLocationsLockFile = "LIEUX2.DBL.lock";
inline constexpr const char* kProgramOutputFiles[] = {
    kTraceFile,         kHourLineTableFile, kHourPointTableFile, kDateArcTableFile,
    kMobileStyleTableFile, kNoonMarkTableFile, kEotTableFile,    kSearchResultFile,
    kUserLocationsLockFile};

// Tests and the application may fix either folder; an empty path returns to the default.
void SetInstallFolder(const std::filesystem::path& folder);
void SetDataFolder(const std::filesystem::path& folder);

// The path of the running executable (from /proc/self/exe).
std::filesystem::path ExecutablePath();

// A shipped file of the install folder whose name matches case-insensitively (ASCII case),
// searched component by component ("Help/fr/contents.html").
std::optional<std::filesystem::path> FindShipped(const std::string& relativeName);
// The same lookup inside any folder.
std::optional<std::filesystem::path> FindCaseInsensitive(const std::filesystem::path& folder,
                                                         const std::string& relativeName);

// folder + name, accepting the program's "\name" and "a\b" forms as well as "/".
std::filesystem::path join(const std::filesystem::path& folder, const std::string& name);

// The folder is writable by this process (a probe file is created and removed).
bool IsWritableFolder(const std::filesystem::path& folder);

// A path as the path of a URL: every byte but the unreserved ones and "/" percent-encoded,
// so that "#", "?", "%" and blanks stay part of it.
std::string UrlPath(const std::filesystem::path& path);
// "file://" followed by UrlPath(file).
std::string FileUrl(const std::filesystem::path& file);

}  // namespace paths
