#pragma once
// The wizard's family page: plane dial with a polar style, analemmatic, cylindrical,
// bifilar or conical. Leaving it with Next adds the page of the chosen family after it (the
// conical family has none: Next says so and stays); showing it again takes that page away.
#include "app/qt/CTopPropertyPage.h"

#include <array>

class CPropertyPageBase;

class CWizardTypeCadran : public CTopPropertyPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 205;
    static constexpr int kFamilyCount = 5;

    CWizardTypeCadran();
    ~CWizardTypeCadran() override;

    // The pages of the plane, analemmatic, cylindrical and bifilar families, in that order.
    void SetFamilyPages(const std::array<CPropertyPageBase*, 4>& pages) { familyPages_ = pages; }

    bool OnSetActive() override;
    int OnWizardNext() override;
    bool OnKillActive() override;

    int m_family = 0;  // radio group 1178

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    std::array<CPropertyPageBase*, 4> familyPages_{};
};
