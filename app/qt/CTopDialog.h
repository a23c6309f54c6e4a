#pragma once
// The base of the program's dialogs. Over CDialogBase it gives every dialog, with no code
// of its own: its title and control texts from the language file when it opens (by
// template id and control id), colours for its statics, the Japanese dialog font, and its
// Help button opening the help page of its template.
//
// How a dialog is declared (template id, title, controls with their French texts, fields,
// handlers): docs/writing-dialogs.md.
#include "app/CControlColor.h"
#include "app/qt/CDialogBase.h"

#include <string>
#include <vector>

class CTopDialog : public CDialogBase {
    Q_OBJECT

public:
    // A dialog without template: help id -1.
    explicit CTopDialog(QWidget* parent = nullptr);
    // A dialog on a template: the help id is the template id; title is the built-in title.
    CTopDialog(int templateId, const std::string& title, QWidget* parent = nullptr);
    ~CTopDialog() override;

    int GetHelpId() const { return GetTemplateId(); }

    // Static control controlId is drawn in that colour; when a control has several
    // entries, the last one added wins.
    void SetControlColor(int controlId, gdi::COLORREF color);
    const std::vector<CControlColor>& GetControlColors() const { return colors_; }

    // The title and every control with a text take the language file's texts for this
    // template in the program language (the fallback language's where a text is missing);
    // "\n" in them becomes a line break. Controls whose text is empty keep it. Nothing
    // without a language file.
    void TranslateTexts();

    // Opens the help page of the template.
    void OnHelp() override;

protected:
    // Translation and colours after the base's opening.
    void OnInitDialog() override;
    // With the program language 9, the dialog's font is string 115 at 10 points.
    bool PrepareWindow() override;

private:
    void ApplyControlColors();

    std::vector<CControlColor> colors_;
    bool substituteFont_ = false;
};

// The language that the dialog bases translate into: the program language, 0 below 0.
int DialogLanguage();
// What the dialog bases share: applies the language file's texts of a template to every
// control with a text below root, "\n" turned into line breaks.
void TranslateControlTexts(QWidget& root, int templateId);
// Gives every static of root with a colour entry the colour of its last entry.
void ApplyStaticColors(QWidget& root, const std::vector<CControlColor>& colors);
