#pragma once
// Desktop entry files (menu entries, shortcuts, file-type handlers) and the uninstall
// record, both "key=value" text files, and the quoting rules of their values.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace setup {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// One argument of an Exec line: in double quotes, with '"', '`', '$' and '\' escaped by a
// backslash and '%' doubled.
std::string QuoteExecArgument(std::string_view argument);
// A value as a desktop file stores it: backslashes doubled, line breaks, tabs and returns
// as "\n", "\t", "\r".
std::string EscapeDesktopValue(std::string_view value);
std::string UnescapeDesktopValue(std::string_view value);
// The first argument of an Exec value (already unescaped): quoted or not, its escapes and
// "%%" undone; nothing for an empty or badly quoted line.
std::optional<std::string> FirstExecArgument(std::string_view exec);

// Writes "[Desktop Entry]" and the pairs, values escaped; false when the file cannot be
// written (nothing half-written is left).
bool WriteDesktopEntry(const std::filesystem::path& file, const KeyValues& values);
// The unescaped value of key in the "[Desktop Entry]" group.
std::optional<std::string> ReadDesktopValue(const std::filesystem::path& file, std::string_view key);

// The uninstall entry: its values in order, the installation folder, the files the
// installation wrote there (relative, "/" between folders), the content hash of each as it
// was written (a file whose content changed since is the user's now; entries written
// before hashes were kept have none), the files of the user it replaced there and kept as
// copies, its menu entries (names in the menu folder), and the folders it created outside
// the installation folder (removed when they are left empty).
struct UninstallRecord {
    KeyValues values;
    std::filesystem::path folder;
    std::vector<std::string> files;
    std::map<std::string, std::string> fileHashes;  // file -> ContentHash of what was written
    std::vector<std::string> keptCopies;
    std::vector<std::string> menuFiles;
    std::vector<std::filesystem::path> createdFolders;

    bool Write(const std::filesystem::path& file) const;
    static std::optional<UninstallRecord> Read(const std::filesystem::path& file);
    // The value of a key, empty when absent.
    std::string Value(std::string_view key) const;
};

}  // namespace setup
