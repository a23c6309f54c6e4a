#include "setup/qt/CSetupPage.h"

#include "app/qt/CWizardSheet.h"
#include "setup/qt/CSetupSheet.h"
#include "setup/qt/SetupWindows.h"

CSetupPage::CSetupPage(int templateId, const std::string& caption)
    : CPropertyPageBase(templateId, setup::SetupTitle(templateId, caption))
{
}

void CSetupPage::OnInitDialog()
{
    CPropertyPageBase::OnInitDialog();
    setup::TranslateSetupTexts(*this, GetTemplateId());
}

QLabel* CSetupPage::AddTitle(const std::string& text)
{
    QLabel* title = AddStatic(kTitleId, text);
    setup::MakeBold(*title);
    return title;
}

QLabel* CSetupPage::AddText(int id, const std::string& text)
{
    QLabel* label = AddStatic(id, text);
    label->setWordWrap(true);
    return label;
}

CSetupSheet* CSetupPage::Sheet() const { return dynamic_cast<CSetupSheet*>(GetParentSheet()); }
