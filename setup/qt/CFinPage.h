#pragma once
// The finish page: open the readme and start the program, as the user chooses.
#include "setup/qt/CSetupPage.h"

class CFinPage : public CSetupPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 134;
    CFinPage();

    int m_lancer = 1;
    int m_lisezMoi = 1;

    bool OnSetActive() override;
    bool OnWizardFinish() override;
    void DoDataExchange(DataExchange& dx) override;
};
