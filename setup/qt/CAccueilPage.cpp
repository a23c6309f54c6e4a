#include "setup/qt/CAccueilPage.h"

#include "app/qt/CWizardSheet.h"
#include "setup/InstallSteps.h"
#include "setup/qt/CSetupAboutDlg.h"
#include "setup/qt/CSetupSheet.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CAccueilPage::CAccueilPage() : CSetupPage(kTemplateId, "Installation de Horavel")
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddTitle("Bienvenue dans l'installation de Horavel 2.0"));
    layout->addWidget(AddText(1001, "Ce programme va installer Horavel 2.0, le logiciel de création de cadrans "
                                    "solaires, sur votre ordinateur."));
    layout->addWidget(AddText(1002, "Il est conseillé de fermer toutes les autres applications avant de continuer."));
    layout->addWidget(AddText(1003, "Cliquez sur Suivant pour continuer."));
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddButton(1011, "[DEBUG] Créer setup.dat"));
    buttons->addStretch(1);
    buttons->addWidget(AddButton(1023, "?"));
    layout->addLayout(buttons);
    OnClicked(1011, [this] { OnDebugBuild(); });
    OnClicked(1023, [this] { OnAbout(); });
}

bool CAccueilPage::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_NEXT);
    ShowControl(1011, false);
    return CSetupPage::OnSetActive();
}

void CAccueilPage::OnDebugBuild()
{
    if (CSetupSheet* sheet = Sheet())
        setup::BuildArchiveInFolder(sheet->SourceFolder());
}

void CAccueilPage::OnAbout()
{
    CSetupAboutDlg about(this);
    about.DoModal();
}
