#include "app/SystemReport.h"

#include "platform/Services.h"
#include "platform/TextFile.h"

#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace {

std::string OsReleasePrettyName()
{
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::vector<std::string> lines;
        if (!textfile::ReadLines(file, lines))
            continue;
        for (const auto& line : lines) {
            if (!line.starts_with("PRETTY_NAME="))
                continue;
            std::string value = line.substr(12);
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            return value;
        }
    }
    return {};
}

// MemTotal and MemAvailable of /proc/meminfo, in whole megabytes.
void ReadMemory(SystemFacts& facts)
{
    // Files of /proc report a size of 0: read them as a stream.
    std::ifstream in("/proc/meminfo");
    std::string line;
    while (std::getline(in, line)) {
        const auto kilobytes = [&line] { return std::strtoll(line.c_str() + line.find(':') + 1, nullptr, 10); };
        if (line.starts_with("MemTotal:"))
            facts.totalRamMB = kilobytes() / 1024;
        else if (line.starts_with("MemAvailable:"))
            facts.availableRamMB = kilobytes() / 1024;
    }
}

std::string UserName()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return found->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

std::string HostName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

}  // namespace

std::string UserLocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return "C";
}

std::string LocaleLanguageCode(const std::string& localeName)
{
    return localeName.substr(0, localeName.find_first_of("_.@"));
}

LibraryVersion GetDllVersion(const std::string& name)
{
    // The record the entry fills: size, major, minor, build, platform.
    struct VersionRecord {
        std::uint32_t size;
        std::uint32_t major;
        std::uint32_t minor;
        std::uint32_t build;
        std::uint32_t platform;
    };
    using Entry = std::int32_t (*)(VersionRecord*);

    LibraryVersion version;
    void* library = dlopen(name.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        return version;
    if (void* symbol = dlsym(library, "DllGetVersion")) {
        VersionRecord record{sizeof(VersionRecord), 0, 0, 0, 0};
        if (reinterpret_cast<Entry>(symbol)(&record) >= 0) {
            version.major = static_cast<int>(record.major);
            version.minor = static_cast<int>(record.minor);
        }
    }
    dlclose(library);
    return version;
}

SystemFacts GatherSystemFacts()
{
    SystemFacts facts;
    utsname system{};
    if (uname(&system) == 0)
        facts.osVersionText = system.release;
    facts.osServiceText = OsReleasePrettyName();
    facts.shell32 = GetDllVersion("shell32.dll");
    facts.shlwapi = GetDllVersion("shlwapi.dll");
    facts.comctl32 = GetDllVersion("comctl32.dll");
    facts.computerName = HostName();
    facts.userName = UserName();
    facts.systemLanguage = LocaleLanguageCode(UserLocaleName());
    ReadMemory(facts);
    Services& services = GetServices();
    if (const ScreenInfo screen = services.GetScreen(); screen.present) {
        facts.screenWidth = screen.widthPx;
        facts.screenHeight = screen.heightPx;
        facts.colorBits = screen.bitsPerPixel;
    }
    if (const PrinterInfo printer = services.GetPrinter(); printer.IsPresent())
        facts.defaultPrinter = PrinterFacts{printer.name, printer.driverName, {}};
    return facts;
}
