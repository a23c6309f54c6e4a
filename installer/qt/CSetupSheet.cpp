#include "installer/qt/CSetupSheet.h"

#include "installer/qt/SetupWindows.h"

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
}
