#include "app/CLanguageFile.h"

#include "app/Accessors.h"
#include "app/Formatting.h"
#include "app/Languages.h"
#include "app/Trace.h"
#include "app/Translation.h"
#include "platform/AsciiText.h"
#include "platform/MenuModel.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace {

// The fields of a data line; type to second number are present only when a tab follows them.
struct DataLine {
    std::string_view type;
    std::string_view key;
    int firstNumber = 0;
    int secondNumber = 0;
    std::vector<std::string> texts;
};

DataLine ParseDataLine(std::string_view line, int languageCount)
{
    const auto fields = CLanguageFile::SplitFields(line);
    DataLine data;
    if (fields.size() > 1)
        data.type = fields[0];
    if (fields.size() > 2)
        data.key = fields[1];
    if (fields.size() > 3)
        data.firstNumber = StringToInt(fields[2]);
    if (fields.size() > 5)
        data.secondNumber = StringToInt(fields[4]);
    for (size_t i = 5; i < fields.size() && i - 5 < static_cast<size_t>(languageCount); ++i)
        data.texts.emplace_back(fields[i]);
    return data;
}

// The part of a text before or after its "\n", unless the whole text is wanted.
std::string CutAtLineBreak(const std::string& text, bool whole, bool before)
{
    if (whole)
        return text;
    const size_t pos = text.find("\\n");
    if (pos == std::string::npos)
        return text;
    return before ? text.substr(0, pos) : text.substr(pos + 2);
}

std::string ExpandTabs(std::string text)
{
    for (size_t pos = 0; (pos = text.find("\\t", pos)) != std::string::npos;)
        text.replace(pos, 2, "\t"), ++pos;
    return text;
}

}  // namespace

CLanguageFile::CLanguageFile(std::filesystem::path path) : path_(std::move(path)) {}

std::vector<std::string_view> CLanguageFile::SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

void CLanguageFile::Clear()
{
    languageIds_.clear();
    englishNames_.clear();
    localNames_.clear();
    entries_.clear();
}

bool CLanguageFile::Load()
{
    Trace("Loading resources from %s.", path_.c_str());
    std::vector<std::string> lines;
    std::string error;
    if (!textfile::ReadLines(path_, lines, &error)) {
        Trace("[ERROR] Resources File not found (%s)!", path_.c_str());
        loadError_ = "it cannot be read (" + error + ")";
        return false;
    }
    return LoadLines(lines);
}

bool CLanguageFile::LoadLines(const std::vector<std::string>& lines)
{
    Clear();
    loadError_.clear();
    const auto refuse = [this](std::string why) {
        loadError_ = std::move(why);
        return false;
    };
    size_t next = 0;  // lines read so far: the number of the current line
    const auto readLine = [&]() -> std::string { return next < lines.size() ? lines[next++] : (++next, std::string()); };
    // Where a header line was wanted: a line that is something else, or the end of a file cut short.
    const auto notTheLine = [&](const std::string& what) {
        return next > lines.size() ? "it ends before its " + what + " line"
                                   : "line " + std::to_string(next) + " is not its " + what + " line";
    };

    const std::string first = readLine();
    const size_t tab = first.find('\t');
    const std::string signature = first.substr(0, tab);
    const int version = tab == std::string::npos ? 0 : StringToInt(std::string_view(first).substr(tab + 1));
    if (!ascii::EqualsNoCase(signature, "HORAVEL_RC_FILE")) {
        Trace("[ERROR] Bad signature in Resources File (%s)!", signature.c_str());
        return refuse("its first line is not the signature HORAVEL_RC_FILE");
    }
    if (tab == std::string::npos || version != 1) {
        Trace("[ERROR] Bad version in Resources File (%d)!", version);
        return refuse("its format version is " + std::to_string(version) + ", not 1");
    }

    std::string line = readLine();
    while (line.starts_with("//"))
        line = readLine();
    if (!line.starts_with("HEAD")) {
        Trace("[ERROR] Bad Resources File header (%s)!", line.c_str());
        return refuse(notTheLine("HEAD"));
    }
    const int languageCount = static_cast<int>(std::count(line.begin(), line.end(), '\t')) - 4;
    Trace("%d languages detected.", languageCount);
    if (languageCount < 2)
        return refuse("its header gives " + std::to_string(std::max(languageCount, 0)) + " language columns, fewer than 2");

    const auto readNames = [&](const char* keyName, std::vector<std::string>& names) {
        const std::string header = readLine();
        const DataLine data = ParseDataLine(header, languageCount);
        if (!ascii::EqualsNoCase(data.type, "HEAD") && !ascii::EqualsNoCase(data.key, keyName)) {
            Trace("[ERROR] Bad Resources File header (%s)!", header.c_str());
            return refuse(notTheLine(keyName));
        }
        names = data.texts;
        names.resize(static_cast<size_t>(languageCount));
        return true;
    };
    std::vector<std::string> englishNames, localNames;
    if (!readNames("ResNamesEng", englishNames))
        return false;
    std::vector<int> languageIds;
    for (const auto& name : englishNames) {
        const auto id = LanguageIdFromEnglishName(name);
        if (!id)
            Trace("[ERROR] %s language not known internally! Will be replaced by english.", name.c_str());
        languageIds.push_back(id.value_or(LANG_ENGLISH));
    }
    if (!readNames("ResNamesLocal", localNames))
        return false;

    Trace("Loading %d Languages from Resources File...", languageCount);
    int strings = 0, dialogs = 0, menus = 0;
    while (next < lines.size()) {
        const std::string& text = lines[next++];
        if (text.find('\t') == std::string::npos)
            continue;
        DataLine data = ParseDataLine(text, languageCount);
        if (ascii::EqualsNoCase(data.type, "STR")) {
            entries_.emplace_back(CLanguageEntry::kString, data.firstNumber, 0, std::string(),
                                  std::move(data.texts), languageCount);
            ++strings;
        } else if (ascii::EqualsNoCase(data.type, "DLG")) {
            entries_.emplace_back(CLanguageEntry::kDialog, data.secondNumber, data.firstNumber, std::string(),
                                  std::move(data.texts), languageCount);
            ++dialogs;
        } else if (ascii::EqualsNoCase(data.type, "MENU")) {
            entries_.emplace_back(CLanguageEntry::kMenu, 0, data.firstNumber, std::string(data.key),
                                  std::move(data.texts), languageCount);
            ++menus;
        } else if (!ascii::EqualsNoCase(data.type, "SKIP")) {
            Trace("[ERROR] Bad Resource Type! (line %d) : %s", static_cast<int>(next),
                  std::string(data.type).c_str());
        }
    }
    Trace("Resources loaded (%d strings, %d dialog strings, %d menu strings).", strings, dialogs, menus);
    languageIds_ = std::move(languageIds);
    englishNames_ = std::move(englishNames);
    localNames_ = std::move(localNames);
    return true;
}

int CLanguageFile::GetLanguageId(int column) const
{
    if (languageIds_.empty())
        return LANG_FRENCH;
    if (column < 0 || column >= GetLanguageCount())
        column = 0;
    return languageIds_[static_cast<size_t>(column)];
}

std::string CLanguageFile::GetEnglishName(int column) const
{
    if (column < 0 || column >= GetLanguageCount())
        return "?";
    return englishNames_[static_cast<size_t>(column)];
}

std::string CLanguageFile::GetLocalName(int column) const
{
    if (column < 0 || column >= GetLanguageCount())
        return "?";
    return localNames_[static_cast<size_t>(column)];
}

std::string CLanguageFile::GetString(int language, int id) const
{
    std::string text;
    const auto found = std::find_if(entries_.begin(), entries_.end(), [id](const CLanguageEntry& e) {
        return e.GetKind() == CLanguageEntry::kString && e.GetStringOrControlId() == id;
    });
    if (found != entries_.end())
        text = found->GetText(language);
    else
        Trace("[-- RC --] String not found in language file: %d (%s)", id, "");
    if (text.empty())
        text = BuiltinFrenchString(id);
    return text;
}

std::string CLanguageFile::GetDialogText(int language, int dialogId, int controlId) const
{
    for (const auto& e : entries_)
        if (e.GetKind() == CLanguageEntry::kDialog && e.GetDialogOrCommandId() == dialogId &&
            e.GetStringOrControlId() == controlId)
            return e.GetText(language);
    return {};
}

std::string CLanguageFile::GetMenuText(int language, int commandId, const std::string& key) const
{
    for (const auto& e : entries_)
        if (e.GetKind() == CLanguageEntry::kMenu && e.GetDialogOrCommandId() == commandId &&
            (key.empty() || e.GetKey() == key))
            return ExpandTabs(e.GetText(language));
    return {};
}

std::string CLanguageFile::TranslateText(int language, const std::string& text, bool whole, bool before) const
{
    language = std::max(language, 0);
    for (const auto& e : entries_)
        if (CutAtLineBreak(e.GetText(0), whole, before) == text)
            return CutAtLineBreak(e.GetText(language), whole, before);
    return {};
}

void CLanguageFile::TranslateMenu(MenuModel* menu) const
{
    if (!menu)
        return;
    TranslateItems(menu->items, "popup", std::max(GetLanguageIndex(), 0));
}

void CLanguageFile::TranslateItems(std::vector<MenuItem>& items, const std::string& path, int language) const
{
    int popupNumber = 1;
    for (auto& item : items) {
        if (item.text.empty())
            continue;
        std::string text;
        if (item.IsPopup() || item.id == 0 || item.id == -1) {
            const std::string popupPath = path + "#" + FormatNumber(popupNumber, -1);
            text = GetMenuText(language, item.id, popupPath);
            TranslateItems(item.items, popupPath, language);
            ++popupNumber;
        } else {
            text = GetMenuText(language, item.id, "");
        }
        if (!text.empty())
            item.text = text;
    }
}

bool CLanguageFile::SetThreadLanguage(int column) const
{
    if (column < 0 || column >= GetLanguageCount())
        return false;
    SetThreadLanguageId(MakeLanguageId(languageIds_[static_cast<size_t>(column)], SUBLANG_DEFAULT));
    return true;
}
