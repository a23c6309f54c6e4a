#include "setup/qt/CFinPage.h"

#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "setup/SetupResources.h"
#include "setup/qt/CSetupSheet.h"
#include "setup/qt/SetupWindows.h"
#include "platform/Services.h"

#include <QPushButton>
#include <QVBoxLayout>

CFinPage::CFinPage() : CSetupPage(kTemplateId, "Installation terminée")
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddTitle("L'installation est terminée"));
    layout->addWidget(AddText(1003, "Le logiciel Horavel 2.0 a été installé sur votre ordinateur."));
    layout->addWidget(AddCheck(1013, "Lancer le logiciel Horavel"));
    layout->addWidget(AddCheck(1014, "Afficher le fichier Lisez-moi"));
    layout->addStretch(1);
}

bool CFinPage::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_FINISH);
    GetParentSheet()->CancelButton()->setEnabled(false);
    return CSetupPage::OnSetActive();
}

void CFinPage::DoDataExchange(DataExchange& dx)
{
    dx.Check(1013, m_lancer);
    dx.Check(1014, m_lisezMoi);
}

bool CFinPage::OnWizardFinish()
{
    UpdateData(true);
    const CSetupSheet* sheet = Sheet();
    if (!sheet)
        return true;
    const std::filesystem::path folder = sheet->m_destination;
    if (m_lisezMoi) {
        Services& services = GetServices();
        std::vector<std::filesystem::path> allowed = services.ShellOpenFolders();
        allowed.push_back(folder);
        services.SetShellOpenFolders(allowed);
        services.ShellOpen((folder / setup::Resources().String(517)).string());
    }
    setup::PauseWithEvents(1000);
    if (m_lancer)
        setup::LaunchProgram(folder / setup::kProgramFile, folder);
    return true;
}
