#include "setup/qt/CLangueDlg.h"

#include "app/qt/DataExchange.h"
#include "setup/SetupResources.h"
#include "setup/qt/SetupWindows.h"
#include "platform/Services.h"

#include <QVBoxLayout>

CLangueDlg::CLangueDlg(QWidget* parent) : CDialogBase(kTemplateId, parent)
{
    auto* body = new QVBoxLayout;
    body->addWidget(AddRadio(1026, "English", kNewGroup));
    body->addWidget(AddRadio(1027, "Français"));
    SetDialogLayout(body, kOk | kCancel);
    setMinimumWidth(300);
    OnClicked(1026, [this] { UpdateTexts(); });
    OnClicked(1027, [this] { UpdateTexts(); });
    m_resourceFolders = setup::ResourceFolders();
}

void CLangueDlg::DoDataExchange(DataExchange& dx) { dx.Radio(1026, m_langue); }

void CLangueDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    UpdateTexts();
}

void CLangueDlg::UpdateTexts()
{
    const bool french = GetRadioIndex(1026) == 1;
    if (m_desinstallation)
        SetTitle(french ? "Désinstallation de Horavel" : "Uninstallation of Horavel");
    else
        SetTitle(french ? "Installation de Horavel" : "Installation of Horavel");
    SetDlgItemText(IDOK, french ? "Continuer" : "Continue");
    SetDlgItemText(IDCANCEL, french ? "Annuler" : "Cancel");
}

void CLangueDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    setup::Resources().UseFrench();
    if (m_langue == 0) {
        bool loaded = false;
        for (const std::filesystem::path& folder : m_resourceFolders)
            if (!loaded)
                loaded = setup::Resources().LoadEnglish(folder / setup::kEnglishResourceFile);
        if (!loaded)
            GetServices().MessageBox(setup::Resources().String(526), "", MB_OK | MB_ICONWARNING);
    }
    EndDialog(IDOK);
}
