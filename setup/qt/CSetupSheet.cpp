#include "setup/qt/CSetupSheet.h"

#include "setup/SetupResources.h"
#include "setup/qt/SetupWindows.h"

#include <QPushButton>

CSetupSheet::CSetupSheet(std::filesystem::path sourceFolder, setup::SetupLocations locations, QWidget* parent)
    : CWizardSheet(setup::SetupTitle(kSheetId, "Installation de Horavel"), parent, kSheetId),
      sourceFolder_(std::move(sourceFolder)), locations_(std::move(locations))
{
    AddPage(m_accueil);
    AddPage(m_licence);
    AddPage(m_destinationPage);
    AddPage(m_copie);
    AddPage(m_fin);
    HelpButton()->hide();
    // The sheet's own buttons speak the installer's language, not the program's.
    if (setup::Resources().IsEnglish()) {
        const std::pair<QPushButton*, int> buttons[] = {
            {BackButton(), 61703}, {NextButton(), 61704}, {FinishButton(), 61705}, {CancelButton(), 61701}};
        for (const auto& [button, id] : buttons)
            if (const std::string text = setup::Resources().String(id); !text.empty())
                button->setText(QString::fromStdString(text));
    }
}
