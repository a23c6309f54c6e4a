#include "app/Languages.h"

#include "app/SystemReport.h"
#include "platform/AsciiText.h"
#include "platform/Profile.h"

#include <array>
#include <cstddef>

namespace {

struct KnownLanguage {
    const char* systemName;
    const char* code;
};

constexpr std::array<KnownLanguage, kKnownLanguageCount> kLanguages = {{
    {"FRENCH", "fr"},    {"ENGLISH", "en"},   {"GERMAN", "de"},    {"SPANISH", "sp"},
    {"ITALIAN", "it"},   {"PORTUGUESE", "pt"}, {"DUTCH", "du"},    {"RUSSIAN", "ru"},
    {"HUNGARIAN", "hu"}, {"JAPANESE", "jp"},  {"CHINESE", "cn"},   {"SWEDISH", "sw"},
    {"POLISH", "po"},    {"NORWEGIAN", "no"}, {"GREEK", "gr"},     {"DANISH", "da"},
    {"CZECH", "cz"},     {"BULGARIAN", "bu"}, {"FINNISH", "fi"},   {"HEBREW", "he"},
    {"KOREAN", "ko"},    {"ROMANIAN", "Ro"},  {"SLOVAK", "sk"},    {"SLOVENIAN", "sl"},
    {"TURKISH", "tu"},
}};

struct NamedId {
    const char* name;
    int id;
};

// Column names as language files write them; the later ones in lower case.
constexpr std::array<NamedId, 26> kEnglishNames = {{
    {"French", LANG_FRENCH},       {"English", LANG_ENGLISH},   {"German", LANG_GERMAN},
    {"Italian", LANG_ITALIAN},     {"Spanish", LANG_SPANISH},   {"Portuguese", LANG_PORTUGUESE},
    {"Dutch", LANG_DUTCH},         {"Russian", LANG_RUSSIAN},   {"Hungarian", LANG_HUNGARIAN},
    {"Japanese", LANG_JAPANESE},   {"Chinese", LANG_CHINESE},   {"Swedish", LANG_SWEDISH},
    {"Polish", LANG_POLISH},       {"Norwegian", LANG_NORWEGIAN}, {"Greek", LANG_GREEK},
    {"Danish", LANG_DANISH},       {"Czech", LANG_CZECH},       {"Bulgarian", LANG_BULGARIAN},
    {"finnish", LANG_FINNISH},     {"hebrew", LANG_HEBREW},     {"korean", LANG_KOREAN},
    {"romanian", LANG_ROMANIAN},   {"slovak", LANG_SLOVAK},     {"slovenian", LANG_SLOVENIAN},
    {"turkish", LANG_TURKISH},     {"arabic", LANG_ARABIC},
}};

// ISO 639 codes of locale names and the English names the system gives their languages.
constexpr std::array<std::pair<const char*, const char*>, 28> kLocaleLanguages = {{
    {"fr", "French"},    {"en", "English"},   {"de", "German"},     {"es", "Spanish"},
    {"it", "Italian"},   {"pt", "Portuguese"}, {"nl", "Dutch"},     {"ru", "Russian"},
    {"hu", "Hungarian"}, {"ja", "Japanese"},  {"zh", "Chinese"},    {"sv", "Swedish"},
    {"pl", "Polish"},    {"no", "Norwegian"}, {"nb", "Norwegian"},  {"nn", "Norwegian"},
    {"el", "Greek"},     {"da", "Danish"},    {"cs", "Czech"},      {"bg", "Bulgarian"},
    {"fi", "Finnish"},   {"he", "Hebrew"},    {"ko", "Korean"},     {"ro", "Romanian"},
    {"sk", "Slovak"},    {"sl", "Slovenian"}, {"tr", "Turkish"},    {"ar", "Arabic"},
}};

thread_local int g_threadLanguage = MakeLanguageId(LANG_FRENCH, SUBLANG_DEFAULT);

}  // namespace

int LanguageIndexFromName(std::string_view name)
{
    for (size_t i = 0; i < kLanguages.size(); ++i)
        if (ascii::EqualsNoCase(name, kLanguages[i].systemName))
            return static_cast<int>(i);
    return -1;
}

std::string GetLanguageCode(int index)
{
    if (index < 0 || index >= kKnownLanguageCount)
        return "en";
    return kLanguages[static_cast<size_t>(index)].code;
}

std::string LanguageIsoCode(int index)
{
    if (index >= 0 && index < kKnownLanguageCount)
        for (const auto& [iso, english] : kLocaleLanguages)
            if (LanguageIndexFromName(english) == index)
                return iso;
    return "en";
}

std::optional<int> LanguageIdFromEnglishName(std::string_view name)
{
    for (const auto& entry : kEnglishNames)
        if (name == entry.name)
            return entry.id;
    return std::nullopt;
}

std::string EnglishLanguageNameOfLocale(const std::string& localeName)
{
    const std::string code = LocaleLanguageCode(localeName);
    for (const auto& [iso, english] : kLocaleLanguages)
        if (code == iso)
            return english;
    return {};
}

std::string SystemLanguageEnglishName() { return EnglishLanguageNameOfLocale(UserLocaleName()); }

void ReadLanguageSettings(int& program, int& fallback, int& help)
{
    const Profile& profile = GetProfile();
    program = profile.GetInt("Options\\General", "Langage", -1);
    if (program == -1)
        program = LanguageIndexFromName(SystemLanguageEnglishName());
    fallback = profile.GetInt("Options\\General", "DefaultLangage", 0);
    // Until the user chooses, a language with its own help pages reads them: on a first start
    // the program language comes from the locale, and the help must follow it.
    help = profile.GetInt("Options\\General", "Langage Aide", HelpLanguagePlace(program) >= 0 ? program : 0);
}

int HelpLanguagePlace(int language)
{
    for (std::size_t i = 0; i < kHelpLanguages.size(); ++i)
        if (kHelpLanguages[i] == language)
            return static_cast<int>(i);
    return -1;
}

int GetThreadLanguage() { return g_threadLanguage; }
void SetThreadLanguageId(int languageId) { g_threadLanguage = languageId; }
