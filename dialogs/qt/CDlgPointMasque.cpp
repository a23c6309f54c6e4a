#include "dialogs/qt/CDlgPointMasque.h"

#include "app/qt/DataExchange.h"

#include <QGridLayout>

namespace {

constexpr int kAzimuthEdit = 1334;
constexpr int kHeightEdit = 1032;

}  // namespace

CDlgPointMasque::CDlgPointMasque(QWidget* parent)
    : CTopDialog(kTemplateId, "Saisie d'un point du masque d'horizon", parent)
{
    auto* grid = new QGridLayout;
    grid->addWidget(AddStatic(1701, "Azimut :"), 0, 0);
    grid->addWidget(AddEdit(kAzimuthEdit), 0, 1);
    grid->addWidget(AddStatic(1702, "( entre -180° et +180° )"), 0, 2);
    grid->addWidget(AddStatic(1703, "Hauteur :"), 1, 0);
    grid->addWidget(AddEdit(kHeightEdit), 1, 1);
    grid->addWidget(AddStatic(1704, "( entre 0° et +90° )"), 1, 2);
    SetDialogLayout(grid);
}

CDlgPointMasque::~CDlgPointMasque() = default;

void CDlgPointMasque::DoDataExchange(DataExchange& dx)
{
    dx.Text(kAzimuthEdit, m_azimuth);
    dx.Range(m_azimuth, -180, 180);
    dx.Text(kHeightEdit, m_height);
    dx.Range(m_height, 0, 90);
}
