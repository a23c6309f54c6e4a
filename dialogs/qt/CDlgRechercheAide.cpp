#include "dialogs/qt/CDlgRechercheAide.h"

#include "app/HelpEntry.h"
#include "app/HelpPages.h"
#include "app/Trace.h"
#include "app/qt/DataExchange.h"
#include "dialogs/HelpSearch.h"
#include "platform/Paths.h"
#include "platform/Services.h"

#include <QHBoxLayout>
#include <QLineEdit>

CDlgRechercheAide::CDlgRechercheAide(QWidget* parent) : CTopDialog(kTemplateId, "Recherche dans l'aide en ligne", parent)
{
    auto* row = new QHBoxLayout;
    row->addWidget(AddStatic(1324, "Rechercher : "));
    QLineEdit* edit = AddEdit(1323);
    edit->setMinimumWidth(240);
    row->addWidget(edit, 1);
    SetDialogLayout(row, kOk | kCancel);
    SetDlgItemText(IDOK, "Rechercher");
}

CDlgRechercheAide::~CDlgRechercheAide() = default;

void CDlgRechercheAide::DoDataExchange(DataExchange& dx) { dx.Text(1323, m_keyword); }

void CDlgRechercheAide::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    if (QWidget* edit = GetDlgItem(1323))
        edit->setFocus();
}

void CDlgRechercheAide::OnOK()
{
    if (!UpdateData(true))
        return;
    // Closed first, so that a help window of the program's own shows the results over the
    // main window rather than over this dialog, which takes it away as it goes.
    EndDialog(IDOK);
    RunHelpSearch(m_keyword);
}

bool RunHelpSearch(const std::string& keyword)
{
    WaitCursor wait;
    if (keyword.empty())
        return false;
    // The page goes beside the help pages, or to the data folder when the help folder is
    // read-only (an installed program).
    const std::filesystem::path& helpFolder = GetHelpFolderPath();
    const std::filesystem::path folder = paths::IsWritableFolder(helpFolder) ? helpFolder : paths::DataFolder();
    const auto page = WriteHelpSearchResult(helpFolder, folder, keyword);
    if (!page) {
        Trace("[ERROR] The help search could not write its page of results in %s.", folder.string().c_str());
        return false;
    }
    return ShowLocalPage(*page);
}
