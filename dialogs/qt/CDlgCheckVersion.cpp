#include "dialogs/qt/CDlgCheckVersion.h"

#include "app/CHoravelApp.h"

#include <QVBoxLayout>

CDlgCheckVersion::CDlgCheckVersion(QWidget* parent)
    : CTopDialog(kTemplateId, "Vérifier la disponibilité d'une nouvelle version", parent)
{
    auto* body = new QVBoxLayout;
    body->addWidget(AddHyperlink(1360, "Site Web Horavel"), 0, Qt::AlignHCenter);
    body->addWidget(AddStatic(1131, "(la vérification prendra quelques secondes.)"), 0, Qt::AlignHCenter);
    SetDialogLayout(body, kOk | kCancel);
    SetDlgItemText(IDOK, "Vérifier la disponibilité d'une nouvelle version");
    SetDlgItemText(IDCANCEL, "Annuler");
    SetControlColor(1131, kExplanationColor);
}

CDlgCheckVersion::~CDlgCheckVersion() = default;

void CDlgCheckVersion::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    if (auto* link = Control<CHyperlinkCtrl>(1360))
        link->SetURL(CHoravelApp::kMakerWebSite);
}
