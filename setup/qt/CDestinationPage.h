#pragma once
// The destination page: the folder to install into, handed to the sheet when it is left.
#include "setup/qt/CSetupPage.h"

class CDestinationPage : public CSetupPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 136;
    CDestinationPage();

    std::string m_path;

    bool OnSetActive() override;
    bool OnKillActive() override;
    // Next only with a full path: the uninstallation finds the folder again by it.
    int OnWizardNext() override;
    void DoDataExchange(DataExchange& dx) override;
};
