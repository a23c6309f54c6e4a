#include "dialogs/qt/CDlgCourbeEquation.h"

#include "app/qt/DataExchange.h"
#include "dialogs/LineOptions.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "model/CPrefs.h"

#include <QVBoxLayout>

namespace {

constexpr int kShapeRadio = 1027;
constexpr int kSummerHalf = 1049;
constexpr int kWinterHalf = 1050;
constexpr int kHourLine = 1029;
constexpr int kDatePoints = 1059;
constexpr int kPlacementRadio = 1026;
constexpr int kEachHourLine = 1028;
constexpr int kNoMeridian = 1030;

}  // namespace

CDlgCourbeEquation::CDlgCourbeEquation(QWidget* parent)
    : CTopDialog(kTemplateId, "Configuration de la courbe d'équation du temps", parent)
{
    auto* body = new QVBoxLayout;
    QGroupBox* placement = AddGroupBox(1131, "Position de la méridienne");
    auto* placementColumn = new QVBoxLayout(placement);
    placementColumn->addWidget(AddRadio(kPlacementRadio, "Méridienne à m&idi", kNewGroup));
    placementColumn->addWidget(AddRadio(kEachHourLine, "Méridienne à chaque &trace"));
    placementColumn->addWidget(AddRadio(kNoMeridian, "Ne pas tracer de méridienne"));
    QLabel* placementNote = AddStatic(1133, "Le tracé à chaque ligne horaire se choisit dans les indications du cadran "
                                            "( heure moyenne ou heure légale ).");
    placementNote->setWordWrap(true);
    placementColumn->addWidget(placementNote);
    body->addWidget(placement);

    QGroupBox* shape = AddGroupBox(1130, "Forme de la méridienne");
    auto* shapeColumn = new QVBoxLayout(shape);
    shapeColumn->addWidget(AddRadio(kShapeRadio, "&Méridienne complète", kNewGroup));
    shapeColumn->addWidget(AddRadio(kSummerHalf, "&Demi-méridienne de l'été et automne"));
    shapeColumn->addWidget(AddRadio(kWinterHalf, "Demi-méridienne de l'&hiver et printemps"));
    shapeColumn->addWidget(AddCheck(kHourLine, "Tracer aussi la ligne &horaire correspondante"));
    shapeColumn->addWidget(AddCheck(kDatePoints, "Tracer un &point les 1, 6, 11, 16, 21 et 26 de chaque mois."));
    QLabel* shapeNote = AddStatic(1132, "Les demi-méridiennes évitent que les deux branches de la courbe se confondent.");
    shapeNote->setWordWrap(true);
    shapeColumn->addWidget(shapeNote);
    body->addWidget(shape);
    SetDialogLayout(body);
}

CDlgCourbeEquation::~CDlgCourbeEquation() = default;

void CDlgCourbeEquation::DoDataExchange(DataExchange& dx)
{
    dx.Radio(kShapeRadio, m_shape);
    dx.Check(kHourLine, m_withHourLine);
    dx.Check(kDatePoints, m_datePoints);
    dx.Radio(kPlacementRadio, m_placement);
}

void CDlgCourbeEquation::OnInitDialog()
{
    SetControlColor(1132, kExplanationColor);
    SetControlColor(1133, kExplanationColor);
    ApplyGroupBoxFont(*this, 1130);
    ApplyGroupBoxFont(*this, 1131);
    bool atEachHourLine = false;
    if (m_prefs) {
        const NoonMarkOpening opening = NoonMarkFromPrefs(*m_prefs);
        m_shape = opening.fields.shape;
        m_withHourLine = opening.fields.withHourLine;
        m_datePoints = opening.fields.datePoints;
        m_placement = opening.fields.placement;
        atEachHourLine = opening.atEachHourLine;
    }
    CTopDialog::OnInitDialog();
    EnableControl(kPlacementRadio, !atEachHourLine);
    EnableControl(kNoMeridian, !atEachHourLine);
    EnableControl(kEachHourLine, atEachHourLine);
    EnableControl(kSummerHalf, atEachHourLine);
    EnableControl(kWinterHalf, atEachHourLine);
    EnableControl(kHourLine, atEachHourLine);
}

int EditNoonMark(CPrefs& prefs, QWidget* parent)
{
    CDlgCourbeEquation dialog(parent);
    dialog.m_prefs = &prefs;
    const int result = dialog.DoModal();
    if (result == IDOK)
        ApplyNoonMarkToPrefs({dialog.m_shape, dialog.m_withHourLine, dialog.m_datePoints, dialog.m_placement}, prefs);
    return result;
}
