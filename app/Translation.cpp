#include "app/Translation.h"

#include "app/Accessors.h"
#include "app/BuiltinLanguageFile.h"
#include "app/CLanguageFile.h"
#include "app/Formatting.h"
#include "platform/AsciiText.h"
#include "platform/Encoding.h"
#include "platform/Services.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

// id -> French text of the first STR line of the built-in language file.
const std::unordered_map<int, std::string>& BuiltinStrings()
{
    static const std::unordered_map<int, std::string> strings = [] {
        std::unordered_map<int, std::string> table;
        const std::string text = enc::DecodeFileText(
            std::string_view(reinterpret_cast<const char*>(kBuiltinLanguageFile), kBuiltinLanguageFileSize));
        for (const auto& line : textfile::SplitLines(text)) {
            const auto fields = CLanguageFile::SplitFields(line);
            if (fields.size() > 5 && ascii::EqualsNoCase(fields[0], "str"))
                table.emplace(StringToInt(fields[2]), std::string(fields[5]));
        }
        return table;
    }();
    return strings;
}

}  // namespace

std::string BuiltinFrenchString(int id)
{
    const auto& strings = BuiltinStrings();
    const auto found = strings.find(id);
    return found == strings.end() ? std::string() : found->second;
}

std::string WithReason(std::string message, const std::string& reason)
{
    if (!reason.empty())
        message += "\n\n" + reason;
    return message;
}

std::string ExpandLineBreaks(std::string text)
{
    for (size_t pos = 0; (pos = text.find("\\n", pos)) != std::string::npos; ++pos)
        text.replace(pos, 2, "\n");
    return text;
}

std::string GetTranslatedString(int id)
{
    const CLanguageFile* file = GetLanguageFile();
    return ExpandLineBreaks(file ? file->GetString(std::max(GetLanguageIndex(), 0), id) : BuiltinFrenchString(id));
}

std::string GetMonthName(int month)
{
    if (month < 1 || month > 12)
        return {};
    return GetTranslatedString(250 + month);
}

int TranslatedMessageBox(int id, unsigned type, unsigned helpId)
{
    return GetServices().MessageBox(GetTranslatedString(id), "", type, helpId);
}
