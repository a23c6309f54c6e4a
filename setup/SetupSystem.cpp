#include "setup/SetupSystem.h"

#include "platform/TextFile.h"

#include <sys/utsname.h>

#include <charconv>
#include <cstdlib>

namespace fs = std::filesystem;

namespace setup {
namespace {

fs::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    return fs::temp_directory_path();
}

// The value of KEY=value or KEY="value" in os-release text.
std::string OsReleaseValue(std::string_view text, std::string_view key)
{
    for (const std::string& line : textfile::SplitLines(text)) {
        if (line.size() <= key.size() || !line.starts_with(key) || line[key.size()] != '=')
            continue;
        std::string value = line.substr(key.size() + 1);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return {};
}

}  // namespace

OsInfo OsInfoFrom(std::string_view kernelRelease, std::string_view osRelease)
{
    OsInfo info;
    unsigned numbers[3] = {0, 0, 0};
    const char* p = kernelRelease.data();
    const char* end = p + kernelRelease.size();
    for (int i = 0; i < 3 && p < end; ++i) {
        const auto [next, ec] = std::from_chars(p, end, numbers[i]);
        if (ec != std::errc())
            break;
        p = next;
        if (p == end || *p != '.')
            break;
        ++p;
    }
    info.version = std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." + std::to_string(numbers[2]);
    info.servicePack = OsReleaseValue(osRelease, "PRETTY_NAME");
    if (info.servicePack.empty())
        info.servicePack = OsReleaseValue(osRelease, "NAME");
    return info;
}

OsInfo DetectOs()
{
    struct utsname names {};
    std::string release;
    if (uname(&names) == 0)
        release = names.release;
    std::string osRelease;
    if (!textfile::ReadBytes("/etc/os-release", osRelease))
        textfile::ReadBytes("/usr/lib/os-release", osRelease);
    return OsInfoFrom(release, osRelease);
}

bool IsUninstallCommandLine(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments)
        if (argument == "/r" || argument == "/R" || argument == "--uninstall")
            return true;
    return false;
}

std::vector<std::string> CommandArguments(int argc, const char* const* argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

SetupLocations SetupLocations::Under(const fs::path& dataHome)
{
    SetupLocations locations;
    locations.applications = dataHome / "applications";
    locations.mimePackages = dataHome / "mime" / "packages";
    locations.uninstallRecord = dataHome / "horavel" / (std::string(kProductKey) + ".uninstall");
    return locations;
}

SetupLocations SetupLocations::FromEnvironment()
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
        return Under(xdg);
    return Under(HomeFolder() / ".local" / "share");
}

fs::path DefaultDestination() { return HomeFolder() / ".local" / "opt" / kProductKey; }

}  // namespace setup
