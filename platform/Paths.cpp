#include "platform/Paths.h"

#include "platform/AsciiText.h"
#include "platform/Encoding.h"

#include <cstdlib>
#include <fstream>
#include <mutex>
#include <unistd.h>

namespace fs = std::filesystem;

namespace paths {
namespace {

std::mutex g_mutex;
fs::path g_install;
fs::path g_data;

fs::path DefaultDataFolder(const fs::path& install)
{
    if (!install.empty() && IsWritableFolder(install))
        return install;
    fs::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        base = fs::temp_directory_path();
    fs::path folder = base / "horavel";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

}  // namespace

fs::path ExecutablePath()
{
    std::error_code ec;
    fs::path p = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : p;
}

fs::path InstallFolder()
{
    std::lock_guard lock(g_mutex);
    if (g_install.empty())
        g_install = ExecutablePath().parent_path();
    return g_install;
}

fs::path DataFolder()
{
    fs::path install = InstallFolder();
    std::lock_guard lock(g_mutex);
    if (g_data.empty())
        g_data = DefaultDataFolder(install);
    return g_data;
}

void SetInstallFolder(const fs::path& folder)
{
    std::lock_guard lock(g_mutex);
    g_install = folder;
}

void SetDataFolder(const fs::path& folder)
{
    std::lock_guard lock(g_mutex);
    g_data = folder;
}

bool IsWritableFolder(const fs::path& folder)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return false;
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

fs::path join(const fs::path& folder, const std::string& name)
{
    fs::path result = folder;
    std::string part;
    for (const char c : name) {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                result /= part;
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        result /= part;
    return result;
}

std::optional<fs::path> FindCaseInsensitive(const fs::path& folder, const std::string& relativeName)
{
    fs::path current = folder;
    const fs::path rel = join(fs::path(), relativeName);
    for (const auto& component : rel) {
        const std::string wanted = component.string();
        std::error_code ec;
        fs::path exact = current / wanted;
        if (fs::exists(exact, ec)) {
            current = exact;
            continue;
        }
        bool found = false;
        for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
            if (ascii::EqualsNoCase(it->path().filename().string(), wanted)) {
                current = it->path();
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return current;
}

std::optional<fs::path> FindShipped(const std::string& relativeName)
{
    return FindCaseInsensitive(InstallFolder(), relativeName);
}

std::string UrlPath(const fs::path& path)
{
    std::string out;
    for (char c : path.string()) {
        const auto u = static_cast<unsigned char>(c);
        const bool plain = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
                           c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain)
            out.push_back(c);
        else
            enc::AppendPercentEscaped(out, u);
    }
    return out;
}

std::string FileUrl(const fs::path& file) { return "file://" + UrlPath(file); }

}  // namespace paths
