#include "app/qt/CTopPropertyPage.h"

#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "app/HelpEntry.h"
#include "app/qt/CTopDialog.h"

namespace {

std::string PageTitle(int templateId, const std::string& caption)
{
    const CLanguageFile* file = GetLanguageFile();
    if (!file)
        return caption;
    const std::string title = file->GetDialogText(DialogLanguage(), templateId, templateId);
    return title.empty() ? caption : title;
}

}  // namespace

CTopPropertyPage::CTopPropertyPage(int templateId, const std::string& caption)
    : CPropertyPageBase(templateId, PageTitle(templateId, caption))
{
}

CTopPropertyPage::~CTopPropertyPage() = default;

void CTopPropertyPage::SetControlColor(int controlId, gdi::COLORREF color)
{
    colors_.push_back({controlId, color});
    ApplyStaticColors(*this, colors_);
}

void CTopPropertyPage::TranslatePageTexts() { TranslateControlTexts(*this, GetTemplateId()); }

void CTopPropertyPage::OnInitDialog()
{
    CPropertyPageBase::OnInitDialog();
    TranslatePageTexts();
    ApplyStaticColors(*this, colors_);
}

void CTopPropertyPage::OnHelp()
{
    CallHelpEntry(kDialogHelpBase + static_cast<unsigned long>(GetTemplateId()), HELP_CONTEXT);
}
