#pragma once
// The installation wizard: welcome, agreement, destination, copy and finish pages, without
// help buttons. It knows the folder the installer was started in (where "setup.dat", the
// agreement and the list file are) and where the installation registers itself.
#include "app/qt/CWizardSheet.h"
#include "setup/SetupSystem.h"
#include "setup/qt/CAccueilPage.h"
#include "setup/qt/CCopiePage.h"
#include "setup/qt/CDestinationPage.h"
#include "setup/qt/CFinPage.h"
#include "setup/qt/CLicencePage.h"

#include <filesystem>

class CSetupSheet : public CWizardSheet {
    Q_OBJECT

public:
    static constexpr int kSheetId = 132;

    CSetupSheet(std::filesystem::path sourceFolder, setup::SetupLocations locations, QWidget* parent = nullptr);

    const std::filesystem::path& SourceFolder() const { return sourceFolder_; }
    const setup::SetupLocations& Locations() const { return locations_; }
    // The destination folder, set when the destination page is left.
    std::filesystem::path m_destination;

    CAccueilPage m_accueil;
    CLicencePage m_licence;
    CDestinationPage m_destinationPage;
    CCopiePage m_copie;
    CFinPage m_fin;

private:
    std::filesystem::path sourceFolder_;
    setup::SetupLocations locations_;
};
