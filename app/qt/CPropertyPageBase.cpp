#include "app/qt/CPropertyPageBase.h"

#include "app/qt/CWizardSheet.h"

CPropertyPageBase::CPropertyPageBase(int templateId, std::string caption)
    : ControlHost(*this, templateId), title_(std::move(caption))
{
}

CPropertyPageBase::~CPropertyPageBase()
{
    if (sheet_)
        sheet_->RemovePage(*this);
}

void CPropertyPageBase::SetTitle(std::string title)
{
    title_ = std::move(title);
    if (sheet_)
        sheet_->UpdateCaption();
}

void CPropertyPageBase::InitPage()
{
    if (initialised_)
        return;
    initialised_ = true;
    OnInitDialog();
}

void CPropertyPageBase::OnInitDialog() { UpdateData(false); }

bool CPropertyPageBase::OnSetActive()
{
    if (firstSetActive_)
        firstSetActive_ = false;
    else
        UpdateData(false);
    return true;
}

bool CPropertyPageBase::OnKillActive() { return UpdateData(true); }

int CPropertyPageBase::OnWizardBack() { return 0; }

int CPropertyPageBase::OnWizardNext() { return 0; }

bool CPropertyPageBase::OnWizardFinish() { return true; }

bool CPropertyPageBase::OnQueryCancel() { return true; }

void CPropertyPageBase::OnCancel() {}

void CPropertyPageBase::OnHelp() {}
