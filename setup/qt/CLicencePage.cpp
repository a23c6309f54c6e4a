#include "setup/qt/CLicencePage.h"

#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "setup/SetupResources.h"
#include "setup/qt/CSetupSheet.h"
#include "platform/TextFile.h"

#include <QVBoxLayout>

CLicencePage::CLicencePage() : CSetupPage(kTemplateId, "Contrat de licence")
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddTitle("Contrat de licence"));
    layout->addWidget(AddText(1003, "Veuillez lire attentivement le contrat de licence suivant."));
    QPlainTextEdit* text = AddMultiLineEdit(1012);
    text->setReadOnly(true);
    text->setMinimumHeight(160);
    layout->addWidget(text, 1);
    layout->addWidget(AddRadio(1024, "J'accepte", kNewGroup));
    layout->addWidget(AddRadio(1025, "Je n'accepte pas"));
    OnClicked(1024, [this] { OnChoice(); });
    OnClicked(1025, [this] { OnChoice(); });
}

bool CLicencePage::OnSetActive()
{
    m_acceptation = -1;
    SetRadioIndex(1024, -1);
    std::string agreement;
    std::vector<std::string> lines;
    const CSetupSheet* sheet = Sheet();
    const std::filesystem::path folder = sheet ? sheet->SourceFolder() : std::filesystem::path(".");
    if (textfile::ReadLines(folder / setup::Resources().String(501), lines)) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            agreement += (i ? "\n" : "") + lines[i];
    } else {
        agreement = setup::Resources().String(502);
    }
    SetDlgItemText(1012, agreement);
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK);
    return CSetupPage::OnSetActive();
}

void CLicencePage::DoDataExchange(DataExchange& dx) { dx.Radio(1024, m_acceptation); }

void CLicencePage::OnChoice()
{
    m_acceptation = GetRadioIndex(1024);
    GetParentSheet()->SetWizardButtons(m_acceptation == 0 ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}
