#pragma once
// The base of the program's wizard pages: over CPropertyPageBase it gives every page its
// title from the language file, its control texts translated when it is first shown
// ("\n" turned into line breaks), colours for its statics (on the page's own background),
// and its Help button opening the help page of its template. A page is declared like a
// dialog (see CTopDialog.h), with `kTemplateId = <id>` and its built-in caption.
#include "app/CControlColor.h"
#include "app/qt/CPropertyPageBase.h"

#include <string>
#include <vector>

class CTopPropertyPage : public CPropertyPageBase {
    Q_OBJECT

public:
    // caption: the built-in title, replaced by the language file's title of the template
    // when a language file is loaded and has one.
    CTopPropertyPage(int templateId, const std::string& caption);
    ~CTopPropertyPage() override;

    void SetControlColor(int controlId, gdi::COLORREF color);
    const std::vector<CControlColor>& GetControlColors() const { return colors_; }

    void TranslatePageTexts();

    void OnHelp() override;

protected:
    void OnInitDialog() override;

private:
    std::vector<CControlColor> colors_;
};
