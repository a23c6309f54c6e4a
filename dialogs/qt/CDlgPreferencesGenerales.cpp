#include "dialogs/qt/CDlgPreferencesGenerales.h"

#include "app/HelpEntry.h"
#include "app/qt/DataExchange.h"
#include "dialogs/GeneralPreferences.h"
#include "platform/Paths.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kLink = 1346;
constexpr int kThicknessEdit = 1350;

}  // namespace

CDlgPreferencesGenerales::CDlgPreferencesGenerales(QWidget* parent)
    : CTopDialog(kTemplateId, "Préférences générales", parent)
{
    auto* body = new QVBoxLayout;
    QGroupBox* drawing = AddGroupBox(1130, "Tracé du cadran");
    auto* drawingBox = new QVBoxLayout(drawing);
    drawingBox->addWidget(AddCheck(1343, "Tracer un double cadre autour du cadran"));
    auto* thickness = new QHBoxLayout;
    thickness->addWidget(AddStatic(1351, "Épaisseur du cadre (mm) :"));
    QLineEdit* edit = AddEdit(kThicknessEdit);
    edit->setMaximumWidth(60);
    thickness->addWidget(edit);
    thickness->addStretch(1);
    drawingBox->addLayout(thickness);
    drawingBox->addWidget(AddCheck(1342, "Colorier le fond du cadran solaire affiché à l'écran."));
    body->addWidget(drawing);

    QGroupBox* printing = AddGroupBox(1131, "Impression");
    auto* printingBox = new QVBoxLayout(printing);
    printingBox->addWidget(AddCheck(1359, "Tracer des repères de coupe à l'impression"));
    printingBox->addWidget(AddCheck(1360, "Tracer les limites de page à l'impression"));
    body->addWidget(printing);

    QGroupBox* program = AddGroupBox(1132, "Logiciel");
    auto* programBox = new QVBoxLayout(program);
    programBox->addWidget(AddCheck(1341, "Vérifier automatiquement la disponibilité d'une nouvelle version de Horavel"));
    programBox->addWidget(AddCheck(1344, "Afficher l'écran de démarrage au lancement du logiciel"));
    body->addWidget(program);

    QGroupBox* eot = AddGroupBox(1133, "Equation du temps");
    auto* eotBox = new QVBoxLayout(eot);
    QCheckBox* correction =
        AddCheck(1345, "Inclure la correction de longitude dans les graphes et les tables de l'équation du temps.");
    eotBox->addWidget(correction);
    auto* sign = new QHBoxLayout;
    sign->addWidget(AddRadio(1347, "Temps Moyen - Temps Solaire", kNewGroup));
    sign->addWidget(AddRadio(1348, "Temps Solaire - Temps Moyen"));
    sign->addStretch(1);
    eotBox->addLayout(sign);
    QLabel* note = AddStatic(1137, "Le signe choisi s'applique aux graphes et aux tables de l'équation du temps.");
    note->setWordWrap(true);
    eotBox->addWidget(note);
    eotBox->addWidget(AddHyperlink(kLink, "En savoir plus sur l'équation du temps..."), 0, Qt::AlignLeft);
    body->addWidget(eot);
    QLabel* hint = AddStatic(1138, "Les options de tracé s'appliquent au cadran affiché, ou aux nouveaux cadrans "
                                   "quand aucun cadran n'est ouvert.");
    hint->setWordWrap(true);
    body->addWidget(hint);
    SetDialogLayout(body);
    SetControlColor(1137, kExplanationColor);
    SetControlColor(1138, kExplanationColor);
}

CDlgPreferencesGenerales::~CDlgPreferencesGenerales() = default;

void CDlgPreferencesGenerales::DoDataExchange(DataExchange& dx)
{
    dx.Check(1343, m_doubleFrame);
    dx.Check(1342, m_colouredBackground);
    dx.Check(1341, m_checkVersion);
    dx.Check(1344, m_startupScreen);
    dx.Check(1345, m_longitudeCorrection);
    dx.Radio(1347, m_eotSign);
    dx.Text(kThicknessEdit, m_frameThickness);
    dx.Range(m_frameThickness, 0, 100);
    dx.Check(1359, m_cuttingMarks);
    dx.Check(1360, m_pageLimits);
}

void CDlgPreferencesGenerales::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    if (auto* link = Control<CHyperlinkCtrl>(kLink))
        link->SetURL(paths::join(GetHelpFolderPath(), "eotgeneral.html").string());
}

bool RunGeneralPreferences(CPrefs& prefs, QWidget* parent)
{
    GeneralPreferences values = ReadGeneralPreferences(prefs);
    CDlgPreferencesGenerales dialog(parent);
    dialog.m_doubleFrame = values.doubleFrame;
    dialog.m_colouredBackground = values.colouredBackground;
    dialog.m_checkVersion = values.checkVersion;
    dialog.m_startupScreen = values.startupScreen;
    dialog.m_longitudeCorrection = values.longitudeCorrection;
    dialog.m_eotSign = values.eotSign;
    dialog.m_frameThickness = values.frameThickness;
    dialog.m_cuttingMarks = values.cuttingMarks;
    dialog.m_pageLimits = values.pageLimits;
    if (dialog.DoModal() != IDOK)
        return false;
    values.doubleFrame = dialog.m_doubleFrame;
    values.colouredBackground = dialog.m_colouredBackground;
    values.checkVersion = dialog.m_checkVersion;
    values.startupScreen = dialog.m_startupScreen;
    values.longitudeCorrection = dialog.m_longitudeCorrection;
    // No sign chosen keeps the one in force.
    if (dialog.m_eotSign >= 0)
        values.eotSign = dialog.m_eotSign;
    values.frameThickness = dialog.m_frameThickness;
    values.cuttingMarks = dialog.m_cuttingMarks;
    values.pageLimits = dialog.m_pageLimits;
    WriteGeneralPreferences(values, prefs);
    return true;
}
