#pragma once
// The program's languages. A language index is at once the program's language number and
// the column of the language file: 0 French, 1 English, 2 German, 3 Spanish, 4 Italian ...
// 24 Turkish.
#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int kKnownLanguageCount = 25;

// Primary language ids of the system's locale naming, kept in the language file object.
enum PrimaryLanguageId : int {
    LANG_ARABIC = 0x01, LANG_BULGARIAN = 0x02, LANG_CHINESE = 0x04, LANG_CZECH = 0x05,
    LANG_DANISH = 0x06, LANG_GERMAN = 0x07, LANG_GREEK = 0x08, LANG_ENGLISH = 0x09,
    LANG_SPANISH = 0x0A, LANG_FINNISH = 0x0B, LANG_FRENCH = 0x0C, LANG_HEBREW = 0x0D,
    LANG_HUNGARIAN = 0x0E, LANG_ITALIAN = 0x10, LANG_JAPANESE = 0x11, LANG_KOREAN = 0x12,
    LANG_DUTCH = 0x13, LANG_NORWEGIAN = 0x14, LANG_POLISH = 0x15, LANG_PORTUGUESE = 0x16,
    LANG_ROMANIAN = 0x18, LANG_RUSSIAN = 0x19, LANG_SLOVAK = 0x1B, LANG_SWEDISH = 0x1D,
    LANG_TURKISH = 0x1F, LANG_SLOVENIAN = 0x24,
};
inline constexpr int SUBLANG_DEFAULT = 0x01;
constexpr int MakeLanguageId(int primary, int sub) { return (sub << 10) | primary; }

// The index whose upper-case system name ("FRENCH", "NORWEGIAN"...) equals the name
// upper-cased; -1 when none.
int LanguageIndexFromName(std::string_view name);
// The two-letter code of the index ("fr", "en", ..., "Ro" for 21); "en" for any other index.
std::string GetLanguageCode(int index);
// The ISO 639 code of the index's language ("fr", "en", "de", "es", ...), as locale names
// and Qt's own translations use it; "en" for any other index.
std::string LanguageIsoCode(int index);
// The primary language id of a column's English name as the language file writes it
// (compared exactly); nothing when the name is not known.
std::optional<int> LanguageIdFromEnglishName(std::string_view name);

// The English name of the user's language, from the locale chosen for messages ("French"
// for fr_FR.UTF-8); empty when the language is not one the system names.
std::string SystemLanguageEnglishName();
std::string EnglishLanguageNameOfLocale(const std::string& localeName);

// The help languages in the order of the help combo: French, English, Italian.
inline constexpr std::array<int, 3> kHelpLanguages{0, 1, 4};

// The place of a language index in kHelpLanguages; -1 when it has no help pages.
int HelpLanguagePlace(int language);

// The three language choices of "Options\General": the program language ("Langage"; when
// it is -1 or absent, the language of the user's locale, which gives -1 when the program
// does not know it), the fallback language ("DefaultLangage", default 0) and the help
// language ("Langage Aide"; by default the program language when it has help pages, else 0).
void ReadLanguageSettings(int& program, int& fallback, int& help);

// The language of the user-interface thread (a language id made by MakeLanguageId); set by
// CLanguageFile::SetThreadLanguage, French until then.
int GetThreadLanguage();
void SetThreadLanguageId(int languageId);
