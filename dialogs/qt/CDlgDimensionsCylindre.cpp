#include "dialogs/qt/CDlgDimensionsCylindre.h"

#include "app/qt/DataExchange.h"
#include "model/Rounding.h"

#include <QGridLayout>

namespace {

constexpr int kRadius = 1277;
constexpr int kStyleLength = 1030;

}  // namespace

CDlgDimensionsCylindre::CDlgDimensionsCylindre(QWidget* parent) : CTopDialog(kTemplateId, "Dimensions", parent)
{
    auto* grid = new QGridLayout;
    QGroupBox* cylinder = AddGroupBox(1130, "Cylindre");
    auto* cylinderGrid = new QGridLayout(cylinder);
    // The field holds the radius, the value the technical sheet prints.
    cylinderGrid->addWidget(AddStatic(1278, "&Rayon :"), 0, 0);
    cylinderGrid->addWidget(AddEdit(kRadius), 0, 1);
    cylinderGrid->addWidget(AddStatic(1279, "mm"), 0, 2);
    cylinderGrid->setColumnStretch(3, 1);
    grid->addWidget(cylinder, 0, 0);
    QGroupBox* style = AddGroupBox(1131, "Style");
    auto* styleGrid = new QGridLayout(style);
    styleGrid->addWidget(AddStatic(1280, "&Longueur :"), 0, 0);
    styleGrid->addWidget(AddEdit(kStyleLength), 0, 1);
    styleGrid->addWidget(AddStatic(1281, "mm"), 0, 2);
    styleGrid->setColumnStretch(3, 1);
    grid->addWidget(style, 1, 0);
    for (int id : {kRadius, kStyleLength})
        Control<QLineEdit>(id)->setMaximumWidth(70);
    SetDialogLayout(grid);
}

CDlgDimensionsCylindre::~CDlgDimensionsCylindre() = default;

void CDlgDimensionsCylindre::DoDataExchange(DataExchange& dx)
{
    dx.Text(kRadius, m_fields.radius);
    dx.Range(m_fields.radius, RoundToInt(kMinDimensionMm), RoundToInt(kMaxDimensionMm));
    dx.Text(kStyleLength, m_fields.styleLength);
    // A style length the dial does not use is kept as it is, whatever it holds.
    if (CylinderHasStyleLength(m_fields.typeCode))
        dx.Range(m_fields.styleLength, RoundToInt(kMinDimensionMm), RoundToInt(kMaxDimensionMm));
}

void CDlgDimensionsCylindre::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    EnableControl(kStyleLength, CylinderHasStyleLength(m_fields.typeCode));
}
