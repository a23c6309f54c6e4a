#pragma once
// What the installer learns from the system: the operating system, its command line, and
// where the desktop keeps menu entries, file types and the uninstall record.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace setup {

// The program the installer installs, the installer itself, and the names they go by.
inline constexpr const char* kProgramFile = "horavel";
inline constexpr const char* kSetupProgramFile = "horavel-setup";
inline constexpr const char* kArchiveFile = "setup.dat";
inline constexpr const char* kProductKey = "Horavel 2.0";

// The operating system as the installer reports it. Linux belongs to none of the coded
// families: code 0, no NT flag; the version is the kernel's "major.minor.patch" and the
// service-pack text the distribution's name.
struct OsInfo {
    int code = 0;
    int nt = 0;
    std::string version;
    std::string servicePack;
};
OsInfo DetectOs();
// From a kernel release ("6.1.0-13-amd64") and the text of /etc/os-release.
OsInfo OsInfoFrom(std::string_view kernelRelease, std::string_view osRelease);

// An argument "/r" (either case) or "--uninstall" asks for the uninstallation; a longer
// word that merely holds "/r" (a path such as "/run/...") does not.
bool IsUninstallCommandLine(const std::vector<std::string>& arguments);
// The arguments after the program name.
std::vector<std::string> CommandArguments(int argc, const char* const* argv);

// Where the installation registers itself, under the user's data home
// ($XDG_DATA_HOME, default ~/.local/share).
struct SetupLocations {
    std::filesystem::path applications;     // menu entries and file-type handlers
    std::filesystem::path mimePackages;     // file-type definitions
    std::filesystem::path uninstallRecord;  // the uninstall entry

    // The menu folder that holds the program's shortcuts.
    std::filesystem::path ProgramsFolder() const { return applications / kProductKey; }

    static SetupLocations Under(const std::filesystem::path& dataHome);
    static SetupLocations FromEnvironment();
};

// The default destination folder: ~/.local/opt/Horavel 2.0.
std::filesystem::path DefaultDestination();

}  // namespace setup
