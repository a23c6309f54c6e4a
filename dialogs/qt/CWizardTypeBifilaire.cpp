#include "dialogs/qt/CWizardTypeBifilaire.h"

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

constexpr const char* kSection = "Dialogues\\TypeBifilaire";
constexpr int kChoiceIds[] = {1178, 1179, 1356};

}  // namespace

CWizardTypeBifilaire::CWizardTypeBifilaire(CHoravelDoc& document)
    : CTopPropertyPage(kTemplateId, "Créer un nouveau cadran solaire : choix du type ( cadran bifilaire )"),
      document_(document)
{
    QRadioButton* choices[] = {
        AddRadio(1178, "Horizontal à fils équiangulaires", kNewGroup),
        AddRadio(1179, "Vertical déclinant à fils équiangulaires"),
        AddRadio(1356, "Horizontal à fils d'angle quelconque"),
    };
    QRadioButton* east = AddRadio(1050, "&Est", kNewGroup);
    QRadioButton* west = AddRadio(1072, "&Ouest");

    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i)
        grid->addWidget(choices[i], i, 0, 1, 5);
    grid->addWidget(AddStatic(1401, "Hauteur des fils au-dessus de la table du cadran :"), 3, 0, 1, 5);
    grid->addWidget(AddStatic(1402, "Fil Nord-Sud :"), 4, 0);
    grid->addWidget(AddEdit(1354), 4, 1);
    grid->addWidget(AddStatic(IDC_STATIC, "mm"), 4, 2);
    grid->addWidget(AddStatic(1403, "Fil Est-Ouest :"), 5, 0);
    grid->addWidget(AddEdit(1355), 5, 1);
    grid->addWidget(AddStatic(IDC_STATIC, "mm"), 5, 2);
    grid->addWidget(AddStatic(1404, "Déclinaison gnomonique du mur :"), 6, 0, 1, 5);
    grid->addWidget(AddEdit(1031), 7, 0);
    grid->addWidget(AddStatic(IDC_STATIC, "°"), 7, 1);
    grid->addWidget(AddEdit(1033), 7, 2);
    grid->addWidget(AddStatic(IDC_STATIC, "'"), 7, 3);
    grid->addWidget(east, 8, 0);
    grid->addWidget(west, 8, 1);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(4, 1);

    for (int id : {1354, 1355, 1031, 1033})
        Control<QLineEdit>(id)->setMaximumWidth(70);

    PlaceBesidePicture(*this, 1131, 253, grid);

    DisableChoicesNotDrawn(*this, kChoiceIds, BifilarChoiceAvailable);
    for (int id : kChoiceIds)
        OnClicked(id, [this] { UpdateEnabling(); });
}

CWizardTypeBifilaire::~CWizardTypeBifilaire() = default;

void CWizardTypeBifilaire::DoDataExchange(DataExchange& dx)
{
    dx.Radio(1178, m_choice);
    // The wires cast the shadows: a wire lying on the table would draw nothing.
    dx.Text(1354, m_northSouthHeight);
    dx.Range(m_northSouthHeight, kMinWireHeight, kMaxWireHeight);
    dx.Text(1355, m_eastWestHeight);
    dx.Range(m_eastWestHeight, kMinWireHeight, kMaxWireHeight);
    dx.Text(1031, m_declinationDegrees);
    dx.Text(1033, m_declinationMinutes);
    dx.Radio(1050, m_west);
}

void CWizardTypeBifilaire::UpdateEnabling()
{
    // The wall declination belongs to the vertical declining dial.
    const bool wall = GetRadioIndex(1178) == kBifilarVerticalDeclining;
    for (int id : {1031, 1033, 1050, 1072})
        EnableControl(id, wall);
}

bool CWizardTypeBifilaire::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    const Profile& profile = GetProfile();
    m_choice = profile.GetInt(kSection, "Type", 0);
    // A choice that can no longer be taken is not offered again.
    if (!BifilarChoiceAvailable(m_choice))
        m_choice = kBifilarHorizontal;
    m_northSouthHeight = profile.GetInt(kSection, "HauteurFil1", 10);
    m_eastWestHeight = profile.GetInt(kSection, "HauteurFil2", 20);
    m_declinationDegrees = profile.GetInt(kSection, "Azimut", 0);
    m_declinationMinutes = profile.GetInt(kSection, "MnAzimut", 0);
    m_west = profile.GetInt(kSection, "Est", 0);
    UpdateData(false);
    UpdateEnabling();
    return CTopPropertyPage::OnSetActive();
}

bool CWizardTypeBifilaire::OnWizardFinish()
{
    if (!UpdateData(true))
        return false;
    BifilarChoiceValues values;
    values.choice = m_choice;
    values.northSouthHeight = m_northSouthHeight;
    values.eastWestHeight = m_eastWestHeight;
    values.declinationDegrees = m_declinationDegrees;
    values.declinationMinutes = m_declinationMinutes;
    values.side = m_west;
    std::unique_ptr<CCadran> dial = BuildBifilarDial(values, CurrentLatitude(document_));
    if (!dial)
        return false;
    InstallNewDial(document_, std::move(dial));
    Profile& profile = GetProfile();
    profile.WriteInt(kSection, "Type", m_choice);
    profile.WriteInt(kSection, "HauteurFil1", m_northSouthHeight);
    profile.WriteInt(kSection, "HauteurFil2", m_eastWestHeight);
    profile.WriteInt(kSection, "Azimut", m_declinationDegrees);
    profile.WriteInt(kSection, "MnAzimut", m_declinationMinutes);
    profile.WriteInt(kSection, "Est", m_west);
    Trace("Selected Bifilar Sundial: %d", m_choice);
    return CTopPropertyPage::OnWizardFinish();
}

