#pragma once
// Desktop entry files (menu entries, shortcuts, file-type handlers), "key=value" text
// files, and the quoting rules of their values.
#include <filesystem>
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

// The "key=value" lines of a file's text, values unescaped; with inGroup only those of the
// "[Desktop Entry]" group, else every one (lines before a group header included).
KeyValues ParseKeyValues(const std::vector<std::string>& lines, bool inGroup);

}  // namespace setup
