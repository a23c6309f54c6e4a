#include "setup/DesktopEntry.h"

#include "platform/TextFile.h"

namespace fs = std::filesystem;

namespace setup {
namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";
constexpr std::string_view kFolderKey = "InstallLocation";
constexpr std::string_view kFileKey = "File";
// "hash name": the name after the first blank (a hash holds none).
constexpr std::string_view kFileHashKey = "FileHash";
constexpr std::string_view kKeptCopyKey = "KeptCopy";
constexpr std::string_view kMenuFileKey = "MenuFile";
constexpr std::string_view kCreatedFolderKey = "CreatedFolder";

// Lines "key=value" of the text, values unescaped; lines before a group header belong to
// no group and are kept only when there is no header at all.
KeyValues ParseKeyValues(const std::vector<std::string>& lines, bool inGroup)
{
    KeyValues values;
    bool active = !inGroup;
    for (const std::string& line : lines) {
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            active = !inGroup || line == kGroup;
            continue;
        }
        if (!active)
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = line.substr(0, eq);
        while (!key.empty() && key.back() == ' ')
            key.pop_back();
        std::string_view value = std::string_view(line).substr(eq + 1);
        while (!value.empty() && value.front() == ' ')
            value.remove_prefix(1);
        values.emplace_back(std::move(key), UnescapeDesktopValue(value));
    }
    return values;
}

}  // namespace

std::string QuoteExecArgument(std::string_view argument)
{
    std::string out = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out.push_back('\\');
        if (c == '%')
            out.push_back('%');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string EscapeDesktopValue(std::string_view value)
{
    std::string out;
    for (char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

std::string UnescapeDesktopValue(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out.push_back(value[i]);
            continue;
        }
        const char next = value[++i];
        switch (next) {
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case 'r': out.push_back('\r'); break;
        case 's': out.push_back(' '); break;
        default: out.push_back(next);
        }
    }
    return out;
}

std::optional<std::string> FirstExecArgument(std::string_view exec)
{
    std::size_t i = 0;
    while (i < exec.size() && exec[i] == ' ')
        ++i;
    if (i == exec.size())
        return std::nullopt;
    std::string raw;
    if (exec[i] == '"') {
        bool closed = false;
        for (++i; i < exec.size(); ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size()) {
                raw.push_back(exec[++i]);
            } else if (exec[i] == '"') {
                closed = true;
                break;
            } else {
                raw.push_back(exec[i]);
            }
        }
        if (!closed)
            return std::nullopt;
    } else {
        for (; i < exec.size() && exec[i] != ' '; ++i)
            raw.push_back(exec[i]);
    }
    std::string out;
    for (std::size_t j = 0; j < raw.size(); ++j) {
        out.push_back(raw[j]);
        if (raw[j] == '%' && j + 1 < raw.size() && raw[j + 1] == '%')
            ++j;
    }
    return out;
}

bool WriteDesktopEntry(const fs::path& file, const KeyValues& values)
{
    textfile::AtomicWriter writer(file);
    writer.WriteLine(kGroup);
    for (const auto& [key, value] : values)
        writer.WriteLine(key + "=" + EscapeDesktopValue(value));
    return writer.Commit();
}

std::optional<std::string> ReadDesktopValue(const fs::path& file, std::string_view key)
{
    std::vector<std::string> lines;
    if (!textfile::ReadLines(file, lines))
        return std::nullopt;
    for (const auto& [k, v] : ParseKeyValues(lines, true))
        if (k == key)
            return v;
    return std::nullopt;
}

bool UninstallRecord::Write(const fs::path& file) const
{
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    textfile::AtomicWriter writer(file);
    for (const auto& [key, value] : values)
        writer.WriteLine(key + "=" + EscapeDesktopValue(value));
    writer.WriteLine(std::string(kFolderKey) + "=" + EscapeDesktopValue(folder.string()));
    auto list = [&](std::string_view key, const auto& items) {
        for (const auto& item : items)
            writer.WriteLine(std::string(key) + "=" + EscapeDesktopValue(fs::path(item).string()));
    };
    list(kFileKey, files);
    for (const auto& [name, hash] : fileHashes)
        writer.WriteLine(std::string(kFileHashKey) + "=" + EscapeDesktopValue(hash + " " + name));
    list(kKeptCopyKey, keptCopies);
    list(kMenuFileKey, menuFiles);
    list(kCreatedFolderKey, createdFolders);
    return writer.Commit();
}

std::optional<UninstallRecord> UninstallRecord::Read(const fs::path& file)
{
    std::vector<std::string> lines;
    if (!textfile::ReadLines(file, lines))
        return std::nullopt;
    UninstallRecord record;
    for (auto& [key, value] : ParseKeyValues(lines, false)) {
        if (key == kFolderKey)
            record.folder = value;
        else if (key == kFileKey)
            record.files.push_back(std::move(value));
        else if (const std::size_t blank = value.find(' '); key == kFileHashKey && blank != std::string::npos)
            record.fileHashes[value.substr(blank + 1)] = value.substr(0, blank);
        else if (key == kKeptCopyKey)
            record.keptCopies.push_back(std::move(value));
        else if (key == kMenuFileKey)
            record.menuFiles.push_back(std::move(value));
        else if (key == kCreatedFolderKey)
            record.createdFolders.emplace_back(std::move(value));
        else
            record.values.emplace_back(std::move(key), std::move(value));
    }
    if (record.folder.empty())
        return std::nullopt;
    return record;
}

std::string UninstallRecord::Value(std::string_view key) const
{
    for (const auto& [k, v] : values)
        if (k == key)
            return v;
    return {};
}

}  // namespace setup
