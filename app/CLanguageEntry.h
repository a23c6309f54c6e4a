#pragma once
// One line of the language file: a string, a dialog text or a menu text, with its text in
// each language column.
#include <string>
#include <vector>

class CLanguageEntry {
public:
    enum Kind : int { kString = 1, kDialog = 2, kMenu = 3 };

    // texts: the columns present on the line (missing columns at the end are empty);
    // languageCount: the number of columns of the file.
    CLanguageEntry(int kind, int stringOrControlId, int dialogOrCommandId, std::string key,
                   std::vector<std::string> texts, int languageCount);

    int GetKind() const { return kind_; }
    void SetKind(int kind) { kind_ = kind; }
    // STR: the string id; DLG: the control id; MENU: 0.
    int GetStringOrControlId() const { return stringOrControlId_; }
    void SetStringOrControlId(int id) { stringOrControlId_ = id; }
    // DLG: the dialog template id; MENU: the command id (-1 for a popup); STR: 0.
    int GetDialogOrCommandId() const { return dialogOrCommandId_; }
    void SetDialogOrCommandId(int id) { dialogOrCommandId_ = id; }
    // MENU: the popup path ("popup#1#2"); empty otherwise.
    const std::string& GetKey() const { return key_; }

    // The text of a column exactly as the file holds it (empty for a missing column).
    const std::string& GetColumnText(int language) const;

    // "?" outside the file's columns; else the column's text, or when it is empty the
    // fallback language's text, or column 0's, or "?" when all are empty.
    std::string GetText(int language) const;

private:
    int kind_;
    int stringOrControlId_;
    int dialogOrCommandId_;
    std::string key_;
    std::vector<std::string> texts_;
    int languageCount_;
};
