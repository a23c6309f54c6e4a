#pragma once
// The agreement page: the agreement file of the installer's language, and Next only once
// it is accepted.
#include "setup/qt/CSetupPage.h"

class CLicencePage : public CSetupPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 133;
    CLicencePage();

    // 0 accepted, 1 refused, -1 none.
    int m_acceptation = -1;

    bool OnSetActive() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void OnChoice();
};
