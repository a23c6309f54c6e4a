#include "dialogs/MottoesFile.h"

#include "app/CHoravelApp.h"
#include "app/Trace.h"
#include "platform/AsciiText.h"
#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <unordered_set>

namespace mottoes {

namespace {

constexpr std::string_view kLanguageTag = "<LANG:";
constexpr std::string_view kCommentTag = "<COMMENT:";
constexpr std::string_view kEnd = "<END>";

std::string OneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace

bool ParseMottoLine(std::string_view line, CMottoRecord& record)
{
    const auto tag = line.find(kLanguageTag);
    if (tag == std::string_view::npos)
        return false;
    const auto languageStart = tag + kLanguageTag.size();
    const auto close = line.find('>', languageStart);
    if (close == std::string_view::npos)
        return false;
    std::string_view rest = line.substr(close + 1);
    // The writer puts one blank between the language and the text.
    if (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    record.language = std::string(line.substr(languageStart, close - languageStart));
    const auto comment = rest.find(kCommentTag);
    if (comment == std::string_view::npos) {
        record.text = std::string(rest);
        record.comment.clear();
        return true;
    }
    std::string_view text = rest.substr(0, comment);
    if (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::string_view note = rest.substr(comment + kCommentTag.size());
    note = note.substr(0, note.find('>'));
    record.text = std::string(text);
    record.comment = std::string(note);
    return true;
}

std::string FormatMottoLine(const CMottoRecord& record)
{
    std::string line = std::string(kLanguageTag) + OneLine(record.language) + "> " + OneLine(record.text);
    if (!record.comment.empty())
        line += " " + std::string(kCommentTag) + OneLine(record.comment) + ">";
    return line;
}

void ReadText(std::string_view bytes, std::vector<CMottoRecord>& list)
{
    for (const std::string& line : textfile::SplitLines(enc::DecodeFileText(bytes))) {
        if (line == kEnd)
            break;
        if (line.empty() || line.front() == ';')
            continue;
        CMottoRecord record;
        if (ParseMottoLine(line, record))
            list.push_back(std::move(record));
    }
}

std::string WriteText(const std::vector<CMottoRecord>& list)
{
    std::string text = "; Liste de devises de cadrans solaires\n"
                       "; List of mottoes for sundials\n"
                       ";\n"
                       "; Horavel ( " + std::string(CHoravelApp::kMakerWebSite) + " )\n"
                       ";\n"
                       ";\n";
    for (const CMottoRecord& record : list)
        text += FormatMottoLine(record) + "\n";
    text += std::string(kEnd) + "\n";
    return text;
}

bool LoadMottoes(const std::filesystem::path& file, std::vector<CMottoRecord>& list)
{
    std::string bytes;
    std::string error;
    if (!textfile::ReadBytes(file, bytes, &error, kMaxFileBytes)) {
        Trace("[ERROR] Mottoes file %s: %s", file.c_str(), error.c_str());
        return false;
    }
    ReadText(bytes, list);
    return true;
}

bool SaveMottoes(const std::filesystem::path& file, const std::vector<CMottoRecord>& list, std::string* error)
{
    std::string why;
    if (!textfile::WriteAtomic(file, WriteText(list), &why)) {
        Trace("[ERROR] Mottoes file %s: %s", file.c_str(), why.c_str());
        if (error)
            *error = why;
        return false;
    }
    return true;
}

std::filesystem::path FileToRead()
{
    if (auto own = paths::FindCaseInsensitive(paths::DataFolder(), kFileName))
        return *own;
    return paths::FindShipped(kFileName).value_or(paths::InstallFolder() / kFileName);
}

std::filesystem::path FileToWrite()
{
    const std::filesystem::path folder = paths::DataFolder();
    return paths::FindCaseInsensitive(folder, kFileName).value_or(folder / kFileName);
}

std::vector<std::string> Languages(const std::vector<CMottoRecord>& list)
{
    std::vector<std::string> languages;
    std::unordered_set<std::string> seen;
    for (const CMottoRecord& record : list)
        if (seen.insert(record.language).second)
            languages.push_back(record.language);
    return languages;
}

int FindLanguage(const std::vector<std::string>& entries, std::string_view language)
{
    if (language.empty())
        return -1;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == language)
            return static_cast<int>(i);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (ascii::StartsWithNoCase(entries[i], language))
            return static_cast<int>(i);
    return -1;
}

}  // namespace mottoes
