#include "docview/qt/CDlgChargementCadran.h"

#include "app/qt/DialogControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

namespace {

QProgressBar* MakeBar(QWidget& parent, int id, int maximum)
{
    auto* bar = new QProgressBar(&parent);
    bar->setRange(0, maximum);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setMinimumWidth(220);
    SetControlId(*bar, id);
    return bar;
}

}  // namespace

CDlgChargementCadran::CDlgChargementCadran(QWidget* parent)
    : CTopDialog(kTemplateId, "Chargement d'un fichier cadran solaire", parent)
{
    auto* grid = new QGridLayout;
    grid->addWidget(AddStatic(1073, "Reconstruction des tables de coordonnées nécessaires au cadran :"), 0, 0, 1, 2);
    grid->addWidget(AddStatic(1074, "Coordonnées équatoriales :"), 1, 0);
    grid->addWidget(MakeBar(*this, kEquatorialBar, kMonths), 1, 1);
    grid->addWidget(AddStatic(1075, "Coordonnées horizontales :"), 2, 0);
    grid->addWidget(MakeBar(*this, kHorizontalBar, kMonths), 2, 1);
    grid->addWidget(AddStatic(1076, "Table des déclinaisons :"), 3, 0);
    grid->addWidget(MakeBar(*this, kDeclinationBar, kLongitudeRows), 3, 1);
    SetDialogLayout(grid, 0);
}

CDlgChargementCadran::~CDlgChargementCadran() = default;

QProgressBar* CDlgChargementCadran::Bar(int bar) const
{
    return Control<QProgressBar>(bar);
}

void CDlgChargementCadran::Show()
{
    if (!Create())
        return;
    show();
    repaint();
}

void CDlgChargementCadran::SetPos(int bar, int pos)
{
    if (QProgressBar* control = Bar(bar)) {
        control->setValue(pos);
        control->repaint();
    }
}

void CDlgChargementCadran::Close()
{
    hide();
    EndDialog(IDCANCEL);
}
