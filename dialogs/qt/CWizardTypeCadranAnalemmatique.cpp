#include "dialogs/qt/CWizardTypeCadranAnalemmatique.h"

#include "app/Trace.h"
#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "dialogs/DialTypeChoices.h"
#include "dialogs/NewDialCommand.h"
#include "dialogs/qt/WizardFields.h"
#include "model/CCadran.h"

#include <QGridLayout>

CWizardTypeCadranAnalemmatique::CWizardTypeCadranAnalemmatique(CHoravelDoc& document)
    : CTopPropertyPage(kTemplateId, "Créer un nouveau cadran solaire : choix du type ( cadran analemmatique )"),
      document_(document)
{
    // Radio groups are made in template order; the layout places them afterwards.
    QRadioButton* choices[] = {
        AddRadio(1178, "Analemmatique horizontal à style droit", kNewGroup),
        AddRadio(1179, "Analemmatique vertical à style droit"),
        AddRadio(1216, "Analemmatique horizontal à style incliné"),
        AddRadio(1217, "Analemmatique vertical déclinant à style droit"),
    };
    QRadioButton* styleEast = AddRadio(1051, "&Est", kNewGroup);
    QRadioButton* styleWest = AddRadio(1073, "&Ouest");
    QRadioButton* wallEast = AddRadio(1050, "&Est", kNewGroup);
    QRadioButton* wallWest = AddRadio(1203, "&Ouest");

    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i)
        grid->addWidget(choices[i], i, 0, 1, 5);
    AddStyleDeclinationRows(*this, *grid, 3);
    grid->addWidget(styleEast, 4, 3);
    grid->addWidget(styleWest, 4, 4);
    grid->addWidget(AddStatic(1402, "Inclinaison du style par rapport à la verticale ( 0° pour un style droit ) :"),
                    5, 0, 1, 5);
    grid->addWidget(AddEdit(1198), 6, 0);
    grid->addWidget(AddStatic(IDC_STATIC, "°"), 6, 1);
    grid->addWidget(choices[3], 7, 0, 1, 5);
    grid->addWidget(AddStatic(1403, "Déclinaison du mur ( 0° si face au sud ) :"), 8, 0, 1, 5);
    grid->addWidget(AddEdit(1031), 9, 0);
    grid->addWidget(AddStatic(IDC_STATIC, "°"), 9, 1);
    grid->addWidget(AddEdit(1033), 9, 2);
    grid->addWidget(wallEast, 9, 3);
    grid->addWidget(wallWest, 9, 4);
    grid->setRowStretch(10, 1);
    grid->setColumnStretch(5, 1);

    for (int id : {1197, 1198, 1031, 1033})
        Control<QLineEdit>(id)->setMaximumWidth(70);

    PlaceBesidePicture(*this, 1131, 251, grid);

    for (int id : {1178, 1179, 1216, 1217})
        OnClicked(id, [this] { UpdateEnabling(); });
}

CWizardTypeCadranAnalemmatique::~CWizardTypeCadranAnalemmatique() = default;

void CWizardTypeCadranAnalemmatique::DoDataExchange(DataExchange& dx)
{
    dx.Radio(1178, m_choice);
    dx.Text(1197, m_styleDeclination);
    dx.Text(1198, m_styleInclination);
    // Only the inclined style uses it; at 90 degrees it would lie flat on the dial.
    if (m_choice == kAnalemmaticInclinedStyle)
        dx.Range(m_styleInclination, -kMaxStyleInclination, kMaxStyleInclination);
    dx.Radio(1051, m_styleSide);
    dx.Radio(1050, m_wallSide);
    dx.Text(1031, m_wallDegrees);
    if (m_choice == kAnalemmaticVerticalDeclining)
        dx.Range(m_wallDegrees, 0, 180);
    dx.Text(1033, m_wallMinutes);
    if (m_choice == kAnalemmaticVerticalDeclining)
        dx.Range(m_wallMinutes, 0, 59);
}

void CWizardTypeCadranAnalemmatique::UpdateEnabling()
{
    AnalemmaticChoiceValues values;
    values.choice = GetRadioIndex(1178);
    const bool style = AnalemmaticStyleEnabled(values);
    for (int id : {1197, 1198, 1051, 1073})
        EnableControl(id, style);
    const bool wall = AnalemmaticWallEnabled(values);
    for (int id : {1031, 1033, 1050, 1203})
        EnableControl(id, wall);
}

AnalemmaticChoiceValues CWizardTypeCadranAnalemmatique::Values() const
{
    AnalemmaticChoiceValues values;
    values.choice = m_choice;
    values.styleDeclination = m_styleDeclination;
    values.styleInclination = m_styleInclination;
    values.styleSide = m_styleSide;
    values.wallSide = m_wallSide;
    values.wallDegrees = m_wallDegrees;
    values.wallMinutes = m_wallMinutes;
    return values;
}

bool CWizardTypeCadranAnalemmatique::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    const bool shown = CTopPropertyPage::OnSetActive();
    UpdateEnabling();
    return shown;
}

bool CWizardTypeCadranAnalemmatique::OnWizardFinish()
{
    if (!UpdateData(true))
        return false;
    std::unique_ptr<CCadran> dial = BuildAnalemmaticDial(Values());
    if (!dial)
        return false;
    InstallNewDial(document_, std::move(dial));
    Trace("Selected Analemmatic Sundial: %d", m_choice);
    return CTopPropertyPage::OnWizardFinish();
}
