#include "dialogs/qt/CWizardTypeCadranPlanAStylePolaire.h"

#include "app/Trace.h"
#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "dialogs/NewDialCommand.h"
#include "dialogs/qt/COrientationPreview.h"
#include "dialogs/qt/WizardFields.h"
#include "model/CCadran.h"
#include "platform/Profile.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include <utility>

namespace {

constexpr const char* kSection = "Dialogues\\TypePlanAStylePolaire";
constexpr int kPlaneIds[] = {1178, 1176, 1053, 1163, 1028, 1212};
constexpr int kVerticalIds[] = {1049, 1051, 1052, 1054};
constexpr QSize kPreviewSize(120, 120);

}  // namespace

CWizardTypeCadranPlanAStylePolaire::CWizardTypeCadranPlanAStylePolaire(CHoravelDoc& document)
    : CTopPropertyPage(kTemplateId,
                       "Créer un nouveau cadran solaire : choix du type ( cadran plan à style polaire )"),
      document_(document)
{
    // Radio groups are made in template order; the layout places them afterwards.
    QRadioButton* planes[] = {
        AddRadio(1178, "Horizontal", kNewGroup),
        AddRadio(1176, "Vertical :"),
        AddRadio(1053, "Polaire"),
        AddRadio(1163, "Equatorial, face supérieure"),
        AddRadio(1028, "Equatorial, face inférieure"),
        AddRadio(1212, "Incliné-déclinant"),
    };
    QRadioButton* east = AddRadio(1050, "&Est", kNewGroup);
    QRadioButton* west = AddRadio(1072, "&Ouest");
    QRadioButton* verticals[] = {
        AddRadio(1049, "Méridional", kNewGroup),
        AddRadio(1051, "Occidental"),
        AddRadio(1052, "Oriental"),
        AddRadio(1054, "Déclinant"),
    };

    auto* choices = new QGridLayout;
    choices->addWidget(planes[0], 0, 0, 1, 2);
    choices->addWidget(planes[1], 1, 0);
    for (int i = 0; i < 4; ++i)
        choices->addWidget(verticals[i], 1 + i, 1);
    choices->addWidget(planes[2], 5, 0, 1, 2);
    choices->addWidget(planes[3], 6, 0, 1, 2);
    choices->addWidget(planes[4], 7, 0, 1, 2);
    choices->addWidget(planes[5], 8, 0, 1, 2);
    choices->addWidget(AddCheck(1206, "En faire une méridienne ( heures limitées entre 11 h et 13 h )"), 9, 0, 1, 2);

    auto* previews = new QGridLayout;
    previews->addWidget(AddStatic(1138, "Déclinaison gnomonique :"), 0, 0);
    previews->addWidget(AddPlaceholder(1262, kPreviewSize), 1, 0);
    previews->addWidget(AddStatic(1137, "Inclinaison :"), 2, 0);
    previews->addWidget(AddPlaceholder(1261, kPreviewSize), 3, 0);
    previews->setRowStretch(4, 1);

    auto* angles = new QGridLayout;
    angles->addWidget(AddStatic(1401, "Déclinaison gnomonique du mur :"), 0, 0, 1, 6);
    angles->addWidget(AddEdit(1031), 1, 0);
    angles->addWidget(AddStatic(IDC_STATIC, "°"), 1, 1);
    angles->addWidget(AddEdit(1033), 1, 2);
    angles->addWidget(AddStatic(IDC_STATIC, "'"), 1, 3);
    angles->addWidget(east, 1, 4);
    angles->addWidget(west, 1, 5);
    angles->addWidget(AddStatic(1402, "Inclinaison du cadran par rapport à l'horizontale :"), 2, 0, 1, 6);
    angles->addWidget(AddEdit(1032), 3, 0);
    angles->addWidget(AddStatic(IDC_STATIC, "°"), 3, 1);
    angles->addWidget(AddEdit(1034), 3, 2);
    angles->addWidget(AddStatic(IDC_STATIC, "'"), 3, 3);
    angles->addWidget(AddStatic(1139, "L'angle beta peut être négatif."), 3, 4, 1, 2);
    angles->setColumnStretch(6, 1);
    for (int id : {1031, 1033, 1032, 1034})
        Control<QLineEdit>(id)->setMaximumWidth(56);

    auto* upper = new QHBoxLayout;
    upper->addLayout(choices, 1);
    upper->addLayout(previews);
    auto* right = new QVBoxLayout;
    right->addLayout(upper);
    right->addLayout(angles);
    right->addStretch(1);

    PlaceBesidePicture(*this, 1131, 250, right);

    for (int id : kPlaneIds)
        OnClicked(id, [this] { OnPlaneChoice(); });
    for (int id : kVerticalIds)
        OnClicked(id, [this] { OnVerticalChoice(); });
    for (int id : {1031, 1033})
        OnEditChange(id, [this] { OnDeclinationChange(); });
    for (int id : {1050, 1072})
        OnClicked(id, [this] { OnDeclinationChange(); });
    for (int id : {1032, 1034})
        OnEditChange(id, [this] { OnInclinationChange(); });
}

CWizardTypeCadranPlanAStylePolaire::~CWizardTypeCadranPlanAStylePolaire() = default;

void CWizardTypeCadranPlanAStylePolaire::DoDataExchange(DataExchange& dx)
{
    dx.Radio(1178, m_values.plane);
    dx.Text(1031, m_values.declinationDegrees);
    dx.Text(1033, m_values.declinationMinutes);
    dx.Text(1032, m_values.inclinationDegrees);
    dx.Text(1034, m_values.inclinationMinutes);
    dx.Radio(1050, m_values.side);
    dx.Check(1206, m_values.noonMark);
    dx.Radio(1049, m_values.vertical);
}

bool CWizardTypeCadranPlanAStylePolaire::CreatePreviews()
{
    if (declinationPreview_ && inclinationPreview_)
        return true;
    auto declination = std::make_unique<COrientationPreview>();
    auto inclination = std::make_unique<COrientationPreview>();
    if (!declination->CreateOverPlaceholder(*this, 1262, kDeclinationPreviewId) ||
        !inclination->CreateOverPlaceholder(*this, 1261, kInclinationPreviewId))
        return false;
    declination->m_planView = 1;
    inclination->m_planView = 0;
    declinationPreview_ = std::move(declination);
    inclinationPreview_ = std::move(inclination);
    return true;
}

bool CWizardTypeCadranPlanAStylePolaire::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    if (!CreatePreviews())
        return false;
    const int north = CurrentLatitude(document_) >= 0.0 ? 1 : 0;
    declinationPreview_->m_north = north;
    inclinationPreview_->m_north = north;

    const Profile& profile = GetProfile();
    m_values.plane = profile.GetInt(kSection, "Type", 0);
    m_values.declinationDegrees = profile.GetInt(kSection, "Azimut", 0);
    m_values.declinationMinutes = profile.GetInt(kSection, "MnAzimut", 0);
    m_values.side = profile.GetInt(kSection, "Est", 0);
    m_values.inclinationDegrees = profile.GetInt(kSection, "Inclinaison", 90);
    m_values.inclinationMinutes = profile.GetInt(kSection, "MnInclinaison", 0);
    m_values.noonMark = profile.GetInt(kSection, "bMeridienne", 0);
    m_values.vertical = profile.GetInt(kSection, "nTypeVertical", 0);
    UpdateEnabling();
    ApplyPresets();
    writing_ = true;
    const bool shown = CTopPropertyPage::OnSetActive();
    writing_ = false;
    return shown;
}

void CWizardTypeCadranPlanAStylePolaire::UpdateEnabling()
{
    const bool declination = PlaneDeclinationEnabled(m_values);
    for (int id : {1031, 1033, 1050, 1072})
        EnableControl(id, declination);
    const bool inclination = PlaneInclinationEnabled(m_values);
    for (int id : {1032, 1034})
        EnableControl(id, inclination);
}

void CWizardTypeCadranPlanAStylePolaire::ApplyPresets()
{
    ApplyPlanePreset(m_values, CurrentLatitude(document_));
    WriteAngleFields();
    RefreshPreviews();
}

void CWizardTypeCadranPlanAStylePolaire::WriteAngleFields()
{
    writing_ = true;
    UpdateData(false);
    writing_ = false;
}

void CWizardTypeCadranPlanAStylePolaire::RefreshPreviews()
{
    if (declinationPreview_)
        declinationPreview_->SetAngle(PlaneDeclinationDegrees(m_values));
    if (inclinationPreview_)
        inclinationPreview_->SetAngle(PlaneInclinationDegrees(m_values));
}

void CWizardTypeCadranPlanAStylePolaire::OnPlaneChoice()
{
    m_values.plane = GetRadioIndex(1178);
    UpdateEnabling();
    ApplyPresets();
}

void CWizardTypeCadranPlanAStylePolaire::OnVerticalChoice()
{
    m_values.vertical = GetRadioIndex(1049);
    m_values.plane = kPlaneVertical;
    UpdateEnabling();
    ApplyPresets();
}

void CWizardTypeCadranPlanAStylePolaire::OnDeclinationChange()
{
    if (writing_)
        return;
    // A field that does not hold a number yet (empty, a lone "-") keeps its last value and
    // its text, unless the correction of the other field changes that value.
    const PlaneDialChoice before = m_values;
    const bool degreesTyped = ReadIntField(*this, 1031, m_values.declinationDegrees);
    const bool minutesTyped = ReadIntField(*this, 1033, m_values.declinationMinutes);
    m_values.side = GetRadioIndex(1050);
    NormaliseDeclination(m_values);
    writing_ = true;
    if (degreesTyped || m_values.declinationDegrees != before.declinationDegrees)
        WriteIntField(*this, 1031, m_values.declinationDegrees);
    if (minutesTyped || m_values.declinationMinutes != before.declinationMinutes)
        WriteIntField(*this, 1033, m_values.declinationMinutes);
    SetRadioIndex(1050, m_values.side);
    writing_ = false;
    RefreshPreviews();
}

void CWizardTypeCadranPlanAStylePolaire::OnInclinationChange()
{
    if (writing_)
        return;
    ReadIntField(*this, 1032, m_values.inclinationDegrees);
    const bool minutesTyped = ReadIntField(*this, 1034, m_values.inclinationMinutes);
    NormaliseInclination(m_values);
    writing_ = true;
    if (minutesTyped)
        WriteIntField(*this, 1034, m_values.inclinationMinutes);
    writing_ = false;
    RefreshPreviews();
}

bool CWizardTypeCadranPlanAStylePolaire::OnWizardFinish()
{
    if (!UpdateData(true))
        return false;
    NormaliseDeclination(m_values);
    NormaliseInclination(m_values);
    Profile& profile = GetProfile();
    profile.WriteInt(kSection, "Type", m_values.plane);
    profile.WriteInt(kSection, "Azimut", m_values.declinationDegrees);
    profile.WriteInt(kSection, "MnAzimut", m_values.declinationMinutes);
    profile.WriteInt(kSection, "Est", m_values.side);
    profile.WriteInt(kSection, "Inclinaison", m_values.inclinationDegrees);
    profile.WriteInt(kSection, "MnInclinaison", m_values.inclinationMinutes);
    profile.WriteInt(kSection, "bMeridienne", m_values.noonMark);
    profile.WriteInt(kSection, "nTypeVertical", m_values.vertical);

    std::unique_ptr<CCadran> dial = BuildPlaneDial(m_values, CurrentLatitude(document_));
    if (!dial)
        return false;
    InstallNewDial(document_, std::move(dial));
    Trace("Selected Plane Sundial: %d, (alpha = %d° %d', beta = %d° %d')", m_values.plane,
          m_values.declinationDegrees, m_values.declinationMinutes, m_values.inclinationDegrees,
          m_values.inclinationMinutes);
    return CTopPropertyPage::OnWizardFinish();
}
