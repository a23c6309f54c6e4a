#include "setup/qt/CSetupAboutDlg.h"

#include "app/qt/DialogControls.h"
#include "setup/qt/SetupWindows.h"

#include <QVBoxLayout>

CSetupAboutDlg::CSetupAboutDlg(QWidget* parent) : CDialogBase(kTemplateId, parent)
{
    SetTitle(setup::SetupTitle(kTemplateId, "À propos de l'installation de Horavel"));
    auto* body = new QVBoxLayout;
    QLabel* name = AddStatic(1001, "Installation de Horavel");
    setup::MakeBold(*name);
    body->addWidget(name);
    body->addWidget(AddStatic(1002, "v1.0.4"));
    QLabel* maker = AddStatic(1003, "Orlune Software");
    SetNoPrefix(*maker);
    body->addWidget(maker);
    SetDialogLayout(body, kOk);
}

void CSetupAboutDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    setup::TranslateSetupTexts(*this, kTemplateId);
}
