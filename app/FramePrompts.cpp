#include "app/FramePrompts.h"

#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "app/Translation.h"

namespace {

constexpr const char* kBreak = "\\n";

std::string Before(const std::string& text)
{
    const auto pos = text.find(kBreak);
    return pos == std::string::npos ? text : text.substr(0, pos);
}

std::string After(const std::string& text)
{
    const auto pos = text.find(kBreak);
    return pos == std::string::npos ? text : text.substr(pos + 2);
}

}  // namespace

std::string CommandPrompt(int commandId) { return Before(BuiltinFrenchString(commandId)); }

std::string StatusBarText(const std::string& text)
{
    const CLanguageFile* file = GetLanguageFile();
    if (!file || text.empty())
        return text;
    const std::string translated = file->TranslateText(GetLanguageIndex(), text, false, true);
    return translated.empty() ? text : translated;
}

std::string ToolTipText(int commandId)
{
    const CLanguageFile* file = GetLanguageFile();
    if (!file)
        return After(BuiltinFrenchString(commandId));
    const std::string reference = After(file->GetString(0, commandId));
    const std::string translated = file->TranslateText(GetLanguageIndex(), reference, false, false);
    return translated.empty() ? reference : translated;
}
