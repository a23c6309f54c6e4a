#include "setup/qt/CDestinationPage.h"

#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "platform/Services.h"
#include "setup/SetupResources.h"
#include "setup/SetupSystem.h"
#include "setup/qt/CSetupSheet.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CDestinationPage::CDestinationPage() : CSetupPage(kTemplateId, "Dossier d'installation")
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddTitle("Choix du dossier d'installation"));
    layout->addWidget(AddText(1003, "Le logiciel Horavel va être installé dans le dossier suivant. Vous pouvez "
                                    "indiquer un autre dossier."));
    auto* row = new QHBoxLayout;
    row->addWidget(AddEdit(1000), 1);
    row->addWidget(AddButton(1018, "Parcourir..."));
    layout->addLayout(row);
    layout->addStretch(1);
}

bool CDestinationPage::OnSetActive()
{
    m_path = setup::DefaultDestination().string();
    SetDlgItemText(1000, m_path);
    ShowControl(1018, false);
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CSetupPage::OnSetActive();
}

bool CDestinationPage::OnKillActive()
{
    if (!CSetupPage::OnKillActive())
        return false;
    if (CSetupSheet* sheet = Sheet())
        sheet->m_destination = m_path;
    return true;
}

int CDestinationPage::OnWizardNext()
{
    if (!std::filesystem::path(GetDlgItemText(1000)).is_absolute()) {
        GetServices().MessageBox(setup::Resources().String(532), "", MB_OK | MB_ICONWARNING);
        return -1;
    }
    return CSetupPage::OnWizardNext();
}

void CDestinationPage::DoDataExchange(DataExchange& dx) { dx.Text(1000, m_path); }
