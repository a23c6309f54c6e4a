#include "dialogs/qt/CWizardTypeCadran.h"

#include "app/Trace.h"
#include "app/Translation.h"
#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "dialogs/qt/WizardFields.h"
#include "platform/Profile.h"

#include <QGridLayout>

namespace {

constexpr const char* kSection = "Dialogues\\TypeCadran";
constexpr int kNoPageString = 61932;  // the conical family cannot be drawn yet
constexpr int kDescriptions[CWizardTypeCadran::kFamilyCount] = {1134, 1208, 1209, 1138, 1140};

}  // namespace

CWizardTypeCadran::CWizardTypeCadran()
    : CTopPropertyPage(kTemplateId, "Créer un nouveau cadran solaire : choix du type")
{
    auto* grid = new QGridLayout;
    grid->addWidget(AddStatic(1131, "Quel type de cadran souhaitez-vous créer ?"), 0, 0);
    grid->addWidget(AddRadio(1178, "Cadran plan à style polaire", kNewGroup), 1, 0);
    grid->addWidget(AddStatic(1134, "C'est le plus courant des cadrans solaires. L'orientation et l'inclinaison du "
                                    "plan peuvent être choisies librement."),
                    2, 0);
    grid->addWidget(AddRadio(1207, "Cadran analemmatique"), 3, 0);
    grid->addWidget(AddStatic(1208, "C'est un type de cadran solaire plan à style mobile. Le style doit être "
                                    "positionné selon la date."),
                    4, 0);
    grid->addWidget(AddRadio(1179, "Cadran cylindrique"), 5, 0);
    grid->addWidget(AddStatic(1209, "Le cadran peut être tracé sur la face interne ou externe d'un cylindre "
                                    "pouvant être incliné."),
                    6, 0);
    grid->addWidget(AddRadio(1177, "Cadran bifilaire"), 7, 0);
    grid->addWidget(AddStatic(1138, "C'est un type de cadran solaire plan dont le style est constitué de deux "
                                    "fils croisés fixés à des hauteurs différentes."),
                    8, 0);
    grid->addWidget(AddRadio(1180, "Cadran conique"), 9, 0);
    grid->addWidget(AddStatic(1140, "Cadran tracé sur la face externe d'un cône."), 10, 0);
    grid->setRowStretch(11, 1);
    for (int id : kDescriptions) {
        if (auto* label = Control<QLabel>(id)) {
            label->setWordWrap(true);
            label->setContentsMargins(20, 0, 0, 4);
        }
        SetControlColor(id, kExplanationColor);
    }

    PlaceBesidePicture(*this, 1132, 161, grid);
    GetDlgItem(1180)->setToolTip(QString::fromStdString(GetTranslatedString(kNoPageString)));
}

CWizardTypeCadran::~CWizardTypeCadran() = default;

void CWizardTypeCadran::DoDataExchange(DataExchange& dx) { dx.Radio(1178, m_family); }

bool CWizardTypeCadran::OnSetActive()
{
    CWizardSheet* sheet = GetParentSheet();
    sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    m_family = GetProfile().GetInt(kSection, "Type", 0);
    // The family chosen last time is chosen again when the page is left.
    for (CPropertyPageBase* page : familyPages_)
        if (page && sheet->GetPageIndex(*page) > 0)
            sheet->RemovePage(*page);
    const bool shown = CTopPropertyPage::OnSetActive();
    UpdateData(false);
    return shown;
}

int CWizardTypeCadran::OnWizardNext()
{
    if (!UpdateData(true))
        return -1;
    if (m_family < 0 || m_family >= static_cast<int>(familyPages_.size()) || !familyPages_[m_family]) {
        TranslatedMessageBox(kNoPageString, MB_OK | MB_ICONINFORMATION);
        return -1;
    }
    return CTopPropertyPage::OnWizardNext();
}

bool CWizardTypeCadran::OnKillActive()
{
    if (!UpdateData(true))
        return false;
    if (m_family >= 0 && m_family < static_cast<int>(familyPages_.size()) && familyPages_[m_family])
        GetParentSheet()->AddPage(*familyPages_[m_family]);
    GetProfile().WriteInt(kSection, "Type", m_family);
    Trace("Selected Type: %d", m_family);
    return CTopPropertyPage::OnKillActive();
}
