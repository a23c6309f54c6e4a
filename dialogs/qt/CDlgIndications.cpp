#include "dialogs/qt/CDlgIndications.h"

#include "app/qt/DataExchange.h"
#include "dialogs/LineOptions.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "model/CCadran.h"
#include "platform/Services.h"

#include <QVBoxLayout>

namespace {

constexpr int kChoiceRadio = 1190;
constexpr int kChoiceIds[] = {1190, 1191, 1192, 1193, 1197};
constexpr int kItalic = 1242;
constexpr int kBabylonian = 1243;
constexpr int kTemporary = 1244;

}  // namespace

CDlgIndications::CDlgIndications(QWidget* parent) : CTopDialog(kTemplateId, "Indications du cadran", parent)
{
    auto* body = new QVBoxLayout;
    QGroupBox* group = AddGroupBox(1130, "Le cadran indique :");
    auto* column = new QVBoxLayout(group);
    column->addWidget(AddRadio(1190, "Heure Solaire Locale", kNewGroup));
    column->addWidget(AddRadio(1191, "Heure Solaire du Fuseau ( inclut la correction de longitude )"));
    column->addWidget(AddRadio(1192, "Heure Moyenne Locale ( inclut la correction d'équation du temps )"));
    column->addWidget(AddRadio(1193, "Heure Légale ( inclut les corrections de longitude et d'équation du temps )"));
    column->addWidget(AddRadio(1197, "Azimut et Hauteur du Soleil"));
    body->addWidget(group);
    body->addWidget(AddCheck(kItalic, "Tracer les heures &italiques"));
    body->addWidget(AddCheck(kBabylonian, "Tracer les heures &babyloniques"));
    body->addWidget(AddCheck(kTemporary, "Tracer les heures &temporaires"));
    QLabel* note = AddStatic(1133, "Les heures italiques, babyloniques et temporaires ne se tracent qu'en heure solaire locale.");
    note->setWordWrap(true);
    body->addWidget(note);
    SetDialogLayout(body, kOk | kHelp);

    for (const int id : kChoiceIds)
        OnClicked(id, [this] { OnChoice(); });
}

CDlgIndications::~CDlgIndications() = default;

void CDlgIndications::DoDataExchange(DataExchange& dx)
{
    dx.Radio(kChoiceRadio, m_choice);
    dx.Check(kBabylonian, m_babylonian);
    dx.Check(kItalic, m_italic);
    dx.Check(kTemporary, m_temporary);
}

void CDlgIndications::OnInitDialog()
{
    ApplyGroupBoxFont(*this, 1130);
    SetControlColor(1133, kExplanationColor);
    if (!m_dial) {
        EndDialog(0);
        return;
    }
    openingPrefs_ = m_dial->prefs;
    openingLocalSolarTime_ = m_dial->localSolarTime;
    m_choice = IndicationChoiceOfDial(*m_dial);
    m_italic = m_dial->prefs.italicHours;
    m_babylonian = m_dial->prefs.babylonianHours;
    m_temporary = m_dial->prefs.temporaryHours;
    CTopDialog::OnInitDialog();
    OnChoice();
}

void CDlgIndications::OnChoice()
{
    if (!m_dial || !UpdateData(true))
        return;
    HourChecks checks{m_italic, m_babylonian, m_temporary};
    ApplyIndicationChoice(m_choice, checks, *m_dial);
    m_italic = checks.italic;
    m_babylonian = checks.babylonian;
    m_temporary = checks.temporary;
    UpdateData(false);
    for (const int id : {kItalic, kBabylonian, kTemporary})
        EnableControl(id, m_choice == 0);
}

void CDlgIndications::OnOK()
{
    if (!m_dial)
        return;
    const WaitCursor wait;
    if (!UpdateData(true))
        return;
    m_dial->ComputeAllTables();
    m_dial->tablesValid = 1;
    m_dial->prefs.italicHours = m_italic;
    m_dial->prefs.babylonianHours = m_babylonian;
    m_dial->prefs.temporaryHours = m_temporary;
    if (m_choice == 4)
        m_dial->prefs.sunAboveHorizon = 1;
    EndDialog(IDOK);
}

void CDlgIndications::OnCancel()
{
    // Only OK recomputes the tables: a change kept without it would leave the drawing stale.
    if (m_dial) {
        m_dial->prefs = openingPrefs_;
        m_dial->localSolarTime = openingLocalSolarTime_;
    }
    CTopDialog::OnCancel();
}

int EditIndications(CCadran& dial, QWidget* parent)
{
    CDlgIndications dialog(parent);
    dialog.m_dial = &dial;
    return dialog.DoModal();
}
