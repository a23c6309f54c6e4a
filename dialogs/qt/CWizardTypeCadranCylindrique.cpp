#include "dialogs/qt/CWizardTypeCadranCylindrique.h"

#include "app/ProfileValues.h"
#include "app/Trace.h"
#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "dialogs/DialTypeChoices.h"
#include "dialogs/NewDialCommand.h"
#include "dialogs/qt/WizardFields.h"
#include "model/CCadran.h"
#include "platform/Profile.h"

#include <QGridLayout>

namespace {

constexpr const char* kSection = "Dialogues\\TypeCylindrique";
constexpr int kChoiceIds[] = {1178, 1179, 1223, 1222, 1221};

}  // namespace

CWizardTypeCadranCylindrique::CWizardTypeCadranCylindrique(CHoravelDoc& document)
    : CTopPropertyPage(kTemplateId, "Créer un nouveau cadran solaire : choix du type ( cadran cylindrique )"),
      document_(document)
{
    QRadioButton* choices[] = {
        AddRadio(1178, "Couronne armillaire", kNewGroup),
        AddRadio(1179, "Demi-cylindre polaire interne sans style"),
        AddRadio(1223, "Cylindre vertical externe à style déclinant"),
        AddRadio(1222, "Cadran de berger"),
        AddRadio(1221, "Cylindre vertical interne à oeilleton"),
    };
    QRadioButton* east = AddRadio(1051, "&Est", kNewGroup);
    QRadioButton* west = AddRadio(1073, "&Ouest");

    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i)
        grid->addWidget(choices[i], i, 0, 1, 5);
    AddStyleDeclinationRows(*this, *grid, 3);
    grid->addWidget(east, 4, 2);
    grid->addWidget(west, 4, 3);
    grid->addWidget(choices[3], 5, 0, 1, 5);
    grid->addWidget(choices[4], 6, 0, 1, 5);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(4, 1);

    for (int id : {1197})
        Control<QLineEdit>(id)->setMaximumWidth(70);

    PlaceBesidePicture(*this, 1131, 252, grid);

    DisableChoicesNotDrawn(*this, kChoiceIds, CylindricalChoiceAvailable);
    for (int id : kChoiceIds)
        OnClicked(id, [this] { UpdateEnabling(); });
}

CWizardTypeCadranCylindrique::~CWizardTypeCadranCylindrique() = default;

void CWizardTypeCadranCylindrique::DoDataExchange(DataExchange& dx)
{
    dx.Radio(1178, m_choice);
    dx.Text(1197, m_styleDeclination);
    dx.Radio(1051, m_west);
}

void CWizardTypeCadranCylindrique::UpdateEnabling()
{
    // The style declination belongs to the vertical convex cylinder.
    const bool style = GetRadioIndex(1178) == kCylinderVerticalDeclining;
    for (int id : {1197, 1051, 1073})
        EnableControl(id, style);
}

bool CWizardTypeCadranCylindrique::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    const Profile& profile = GetProfile();
    m_choice = profile.GetInt(kSection, "Type", 0);
    // A choice that can no longer be taken is not offered again.
    if (!CylindricalChoiceAvailable(m_choice))
        m_choice = kCylinderArmillary;
    m_styleDeclination = GetProfileDouble(kSection, "DeclinaisonStyle", 0.0);
    m_west = profile.GetInt(kSection, "bOuest", 0);
    UpdateData(false);
    UpdateEnabling();
    return CTopPropertyPage::OnSetActive();
}

bool CWizardTypeCadranCylindrique::OnWizardFinish()
{
    if (!UpdateData(true))
        return false;
    std::unique_ptr<CCadran> dial = BuildCylindricalDial(m_choice, CurrentLatitude(document_));
    if (!dial)
        return false;
    InstallNewDial(document_, std::move(dial));
    Profile& profile = GetProfile();
    profile.WriteInt(kSection, "Type", m_choice);
    WriteProfileDouble(kSection, "DeclinaisonStyle", m_styleDeclination);
    profile.WriteInt(kSection, "bOuest", m_west);
    Trace("Selected Cylindric Sundial: %d", m_choice);
    return CTopPropertyPage::OnWizardFinish();
}
