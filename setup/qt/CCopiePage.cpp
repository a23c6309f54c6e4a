#include "setup/qt/CCopiePage.h"

#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "setup/InstallSteps.h"
#include "setup/qt/CSetupSheet.h"
#include "setup/qt/SetupWindows.h"

#include <QProgressBar>
#include <QVBoxLayout>

CCopiePage::CCopiePage() : CSetupPage(kTemplateId, "Copie des fichiers")
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddTitle("Copie des fichiers"));
    layout->addWidget(AddText(1003, "Cliquez sur le bouton ci-dessous pour copier les fichiers du logiciel et "
                                    "l'enregistrer auprès du système."));
    QPushButton* install = AddButton(1016, "Installer le logiciel");
    layout->addWidget(install, 0, Qt::AlignLeft);
    progress_ = new QProgressBar(this);
    SetControlId(*progress_, 1002);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    layout->addWidget(progress_);
    QLabel* status = AddStatic(1020, "");
    status->setTextFormat(Qt::PlainText);
    SetNoPrefix(*status);
    layout->addWidget(status);
    layout->addWidget(AddCheck(1025, "[DEBUG] Sauter la copie des fichiers."));
    layout->addStretch(1);
    OnClicked(1016, [this] { OnInstall(); });
}

bool CCopiePage::OnSetActive()
{
    m_skipCopy = 0;
    CheckDlgButton(1025, 0);
    ShowControl(1025, false);
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK);
    return CSetupPage::OnSetActive();
}

void CCopiePage::DoDataExchange(DataExchange& dx) { dx.Check(1025, m_skipCopy); }

bool CCopiePage::OnInstall()
{
    UpdateData(true);
    EnableControl(1016, false);
    CSetupSheet* sheet = Sheet();
    if (!sheet)
        return false;
    setup::WindowProgress progress(*this, progress_, Control<QLabel>(1020), nullptr);
    setup::CInstallation installation(sheet->SourceFolder() / setup::kArchiveFile, sheet->m_destination,
                                      sheet->Locations(), progress);
    installation.skipCopy = m_skipCopy != 0;
    if (!installation.Run())
        return false;
    GetParentSheet()->SetWizardButtons(PSWIZB_NEXT);
    return true;
}
