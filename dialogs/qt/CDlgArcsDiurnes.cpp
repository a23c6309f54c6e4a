#include "dialogs/qt/CDlgArcsDiurnes.h"

#include "app/Translation.h"
#include "app/qt/DataExchange.h"
#include "dialogs/LineOptions.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "model/CCadran.h"
#include "platform/Services.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

constexpr int kStepRadio = 1286;
constexpr int kStepIds[] = {1286, 1287, 1288, 1289, 1282, 1283, 1284, 1285, 1291};
constexpr int kSolstices = 1290;
constexpr int kByConfiguration = 1292;
constexpr int kAnalemmaticRemark = 1136;

}  // namespace

CDlgArcsDiurnes::CDlgArcsDiurnes(QWidget* parent) : CTopDialog(kTemplateId, "Tracé des arcs diurnes", parent)
{
    auto* body = new QVBoxLayout;
    body->addWidget(AddCheck(kSolstices, "Trace les arcs des solstices ( qui délimitent l'excursion de l'ombre du style )"));
    body->addWidget(AddCheck(kByConfiguration, "Trace les arcs diurnes selon la configuration suivante :"));

    QGroupBox* longitude = AddGroupBox(1130, "Arcs de longitude écliptique");
    auto* longitudeColumn = new QVBoxLayout(longitude);
    longitudeColumn->addWidget(AddRadio(1286, "Tous les 180° de longitude écliptique", kNewGroup));
    longitudeColumn->addWidget(AddRadio(1287, "Tous les 90° de longitude écliptique"));
    longitudeColumn->addWidget(AddRadio(1288, "Tous les 30° de longitude écliptique"));
    longitudeColumn->addWidget(AddRadio(1289, "Tous les 10° de longitude écliptique"));
    longitudeColumn->addWidget(AddStatic(1132, "Les arcs tous les 30° sont ceux des signes du zodiaque."));
    body->addWidget(longitude);

    QGroupBox* declination = AddGroupBox(1131, "Arcs de déclinaison");
    auto* declinationColumn = new QVBoxLayout(declination);
    declinationColumn->addWidget(AddRadio(1282, "Trace des arcs tous les 10° de déclinaison"));
    declinationColumn->addWidget(AddRadio(1283, "Trace des arcs tous les 5° de déclinaison"));
    declinationColumn->addWidget(AddStatic(1133, "La déclinaison du Soleil varie de -23,44° à +23,44°."));
    body->addWidget(declination);

    QGroupBox* dates = AddGroupBox(1137, "Arcs de dates");
    auto* datesColumn = new QVBoxLayout(dates);
    datesColumn->addWidget(AddRadio(1284, "Trace des arcs tous les 1er du mois"));
    datesColumn->addWidget(AddRadio(1285, "Trace des arcs tous les 1er et 16 du mois"));
    datesColumn->addWidget(AddRadio(1291, "Trace des arcs tous les 1er, 11 et 21 du mois"));
    datesColumn->addWidget(AddStatic(1134, "Un arc de date sert à deux dates de l'année, de part et d'autre d'un solstice."));
    body->addWidget(dates);

    QLabel* colours = AddStatic(1135, "Les couleurs des arcs se choisissent dans le menu des styles des lignes.");
    colours->setWordWrap(true);
    body->addWidget(colours);
    QLabel* remark = AddStatic(kAnalemmaticRemark, "Remarque : dans le cas des cadrans analemmatiques, ces options déterminent "
                                                   "les graduations de l'axe de déplacement du style.");
    remark->setWordWrap(true);
    body->addWidget(remark);
    SetDialogLayout(body);

    for (const int id : kStepIds)
        OnClicked(id, [this] { OnStep(); });
}

CDlgArcsDiurnes::~CDlgArcsDiurnes() = default;

void CDlgArcsDiurnes::DoDataExchange(DataExchange& dx)
{
    dx.Radio(kStepRadio, m_step);
    dx.Check(kSolstices, m_solsticeArcs);
    dx.Check(kByConfiguration, m_byConfiguration);
}

void CDlgArcsDiurnes::OnInitDialog()
{
    for (const int group : {1130, 1131, 1137})
        ApplyGroupBoxFont(*this, group);
    for (int id = 1132; id <= 1136; ++id)
        SetControlColor(id, kExplanationColor);
    CTopDialog::OnInitDialog();
    if (m_dial && !m_dial->HasHourPoints())
        ShowControl(kAnalemmaticRemark, false);
    if (m_dial && m_dial->typeCode == 33) {
        EnableControl(1282, false);
        EnableControl(1283, false);
    }
}

void CDlgArcsDiurnes::OnStep()
{
    if (!UpdateData(true))
        return;
    DiurnalArcFields fields{m_step, m_solsticeArcs, m_byConfiguration};
    const bool solsticeChoice = ApplyDiurnalStepClick(fields);
    m_solsticeArcs = fields.solsticeArcs;
    m_byConfiguration = fields.byConfiguration;
    UpdateData(false);
    EnableControl(kSolstices, solsticeChoice);
}

int EditDiurnalArcs(CCadran* dial, CPrefs& defaults, QWidget* parent)
{
    CPrefs& prefs = dial ? dial->prefs : defaults;
    CDlgArcsDiurnes dialog(parent);
    dialog.m_dial = dial;
    DiurnalArcFields fields{dialog.m_step, dialog.m_solsticeArcs, dialog.m_byConfiguration};
    DiurnalArcModeToFields(prefs.diurnalArcMode, fields);
    dialog.m_step = fields.step;
    dialog.m_solsticeArcs = fields.solsticeArcs;
    dialog.m_byConfiguration = fields.byConfiguration;
    const int result = dialog.DoModal();
    if (result != IDOK)
        return result;
    prefs.diurnalArcMode =
        DiurnalArcFieldsToMode({dialog.m_step, dialog.m_solsticeArcs, dialog.m_byConfiguration});
    if (dial && prefs.diurnalArcs == 0) {
        const int answer = GetServices().MessageBox(GetTranslatedString(603), GetTranslatedString(602),
                                                    MB_YESNO | MB_ICONQUESTION, 0);
        if (answer == IDYES)
            prefs.diurnalArcs = 1;
    }
    return result;
}
