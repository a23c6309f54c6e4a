#pragma once
// The installer's texts. Its French strings are built in; its dialogs' French texts are
// the texts their builders give. English is a resource file shipped beside the installer
// ("english.txt"): when it is chosen and can be read, every string and dialog text comes
// from it, else the French ones stay.
//
// Resource file: one entry a line, fields separated by tabs; "#" starts a comment line;
// the two characters "\n" in a text stand for a line break.
//   S <string id> <text>
//   D <template id> <control id> <text>      (control id = template id: the title)
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace setup {

// The name of the English resource file.
inline constexpr const char* kEnglishResourceFile = "english.txt";

class CSetupResources {
public:
    // The string in the language in use; the French one when the English file lacks it;
    // empty for an unknown id.
    std::string String(int id) const;
    // String(id) with its first "%s" replaced by argument.
    std::string Format(int id, std::string_view argument) const;
    // The English text of a dialog control; empty in French or when the file has none.
    std::string DialogText(int templateId, int controlId) const;

    // Reads the English resources from file; false (and French kept) when it cannot be read
    // or holds no entry.
    bool LoadEnglish(const std::filesystem::path& file);
    // Parses resource lines; false when one is malformed (the entries before it are kept).
    bool ParseLines(const std::vector<std::string>& lines);
    void UseFrench();
    bool IsEnglish() const { return english_; }

    const std::map<int, std::string>& EnglishStrings() const { return strings_; }
    const std::map<std::pair<int, int>, std::string>& EnglishDialogTexts() const { return dialogs_; }

private:
    bool english_ = false;
    std::map<int, std::string> strings_;
    std::map<std::pair<int, int>, std::string> dialogs_;
};

// The installer's built-in French strings, by id.
const std::map<int, std::string>& FrenchStrings();

// The resources the whole installer uses.
CSetupResources& Resources();

}  // namespace setup
