#include "dialogs/qt/CDlgAnneeReference.h"

#include "app/qt/DataExchange.h"
#include "dialogs/LineOptions.h"
#include "dialogs/NewDialCommand.h"
#include "docview/CHoravelDoc.h"
#include "model/CCadran.h"
#include "model/Astronomy.h"
#include "platform/Services.h"

#include <QGridLayout>

namespace {

constexpr int kYearEdit = 1031;
constexpr int kYearRadio = 1047;
constexpr int kAverageRadio = 1048;

}  // namespace

CDlgAnneeReference::CDlgAnneeReference(QWidget* parent) : CTopDialog(kTemplateId, "Année de référence", parent)
{
    auto* grid = new QGridLayout;
    grid->addWidget(AddRadio(kYearRadio, "Année de &référence :", kNewGroup), 0, 0);
    QLineEdit* year = AddEdit(kYearEdit);
    year->setMaximumWidth(70);
    grid->addWidget(year, 0, 1);
    grid->addWidget(AddRadio(kAverageRadio, "Moyenne de quatre années"), 1, 0, 1, 2);
    grid->addWidget(AddStatic(1132, "Note : l'année doit être comprise entre 1950 et 2100."), 2, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    SetDialogLayout(grid);
    SetControlColor(1132, kExplanationColor);
    OnEditChange(kYearEdit, [this] { OnYearChange(); });
}

CDlgAnneeReference::~CDlgAnneeReference() = default;

void CDlgAnneeReference::DoDataExchange(DataExchange& dx)
{
    dx.Text(kYearEdit, m_year);
    // A year out of range says which years are accepted and keeps the dialog open.
    dx.Range(m_year, kFirstReferenceYear, kLastReferenceYear);
    dx.Radio(kYearRadio, m_mode);
}

void CDlgAnneeReference::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    OnYearChange();
}

void CDlgAnneeReference::OnYearChange()
{
    int year = 0;
    if (!DataExchange::ParseInt(GetDlgItemText(kYearEdit), year) || !ReferenceYearAccepted(year))
        return;
    SetDlgItemText(kAverageRadio, FourYearAverageText(year));
}

int EditReferenceYear(CHoravelDoc& document, QWidget* parent)
{
    CDlgAnneeReference dialog(parent);
    dialog.m_year = GetAstroYear();
    dialog.m_mode = document.GetReferenceYearMode();
    const int result = dialog.DoModal();
    if (result == IDOK) {
        SetAstroYear(dialog.m_year);
        document.SetReferenceYearMode(dialog.m_mode);
        // The dial keeps its own year in the document, and its date arcs, tables and
        // technical sheet are drawn from its tables: both follow, or they would show the old year.
        if (CCadran* dial = document.GetDial(); dial && dial->referenceYear != dialog.m_year) {
            const WaitCursor wait;
            dial->SetYear(dialog.m_year);
            ComputeDialTables(document);
            document.SetModifiedFlag(true);
        }
    }
    return result;
}
