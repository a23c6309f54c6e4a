#pragma once
// The welcome page. Its debug button, which builds the archive, is hidden at every visit.
#include "setup/qt/CSetupPage.h"

class CAccueilPage : public CSetupPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 132;
    CAccueilPage();
    bool OnSetActive() override;

private:
    void OnDebugBuild();
    void OnAbout();
};
