#include "setup/DesktopEntry.h"

#include "platform/TextFile.h"

namespace fs = std::filesystem;

namespace setup {
namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";

}  // namespace

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
    // A leading blank would be taken for the space after "=".
    if (value.starts_with(' ')) {
        out += "\\s";
        value.remove_prefix(1);
    }
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

}  // namespace setup
