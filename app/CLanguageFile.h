#pragma once
// The language file "horavel.lang": one text column per language for every string, dialog
// text and menu text of the program. Loaded and checked once at start-up; lookups scan the
// entries in file order and the first match wins.
//
// Format (UTF-8 text, fields separated by one tab):
//   HORAVEL_RC_FILE<tab>1                  signature (any case) and version
//   // ...                                 comment lines
//   HEAD<tab>...                           n languages: the line's tab count minus 4
//   HEAD<tab>ResNamesEng<tab>...           English names of the n columns
//   HEAD<tab>ResNamesLocal<tab>...         their own names
//   type<tab>key<tab>id1<tab>comment<tab>id2<tab>text 0<tab>...<tab>text n-1
// type: STR (id1 = string id), DLG (id1 = dialog template id, id2 = control id, the dialog
// itself for its title), MENU (key = popup path, id1 = command id, -1 for a popup) or SKIP.
// In texts "\n" stands for a line break; in menu texts "\t" for the accelerator tab.
#include "app/CLanguageEntry.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct MenuItem;
struct MenuModel;

class CLanguageFile {
public:
    explicit CLanguageFile(std::filesystem::path path);

    // Reads and checks the file; false (traced, and the reason in GetLoadError) when it is
    // missing or malformed.
    bool Load();
    // The checks and reading of Load on lines already read (line 1 is the signature).
    bool LoadLines(const std::vector<std::string>& lines);

    const std::filesystem::path& GetPath() const { return path_; }
    // Why the last load failed, in English: the language file is what failed, so no
    // translation can tell it. Empty after a load that succeeded.
    const std::string& GetLoadError() const { return loadError_; }
    int GetLanguageCount() const { return static_cast<int>(languageIds_.size()); }
    // The primary language id of a column; column 0's for any other column.
    int GetLanguageId(int column) const;
    // The header names of a column; "?" outside the columns.
    std::string GetEnglishName(int column) const;
    std::string GetLocalName(int column) const;
    const std::vector<CLanguageEntry>& Entries() const { return entries_; }

    // The first string with that id, in that language (with the fallbacks of
    // CLanguageEntry::GetText); the built-in French text when no entry has the id.
    std::string GetString(int language, int id) const;
    // The text of control controlId of dialog template dialogId; empty when none.
    std::string GetDialogText(int language, int dialogId, int controlId) const;
    // The menu text of a command (or of the popup with that path when key is not empty),
    // with "\t" turned into a tab; empty when none.
    std::string GetMenuText(int language, int commandId, const std::string& key) const;
    // Reverse lookup: the translation of the first entry whose French text equals text.
    // Unless whole is set, only the part before (before set) or after a "\n" of a text
    // that holds one is compared and returned. Empty when no entry matches.
    std::string TranslateText(int language, const std::string& text, bool whole, bool before) const;
    // Replaces every command and popup text that the file translates, in the main frame's
    // program language. Nothing when menu is null.
    void TranslateMenu(MenuModel* menu) const;

    // Makes the column's language the thread's; false for a column outside the file.
    bool SetThreadLanguage(int column) const;

    // Splits a line at its tabs.
    static std::vector<std::string_view> SplitFields(std::string_view line);

private:
    void Clear();
    void TranslateItems(std::vector<MenuItem>& items, const std::string& path, int language) const;

    std::filesystem::path path_;
    std::string loadError_;
    std::vector<int> languageIds_;
    std::vector<std::string> englishNames_;
    std::vector<std::string> localNames_;
    std::vector<CLanguageEntry> entries_;
};
