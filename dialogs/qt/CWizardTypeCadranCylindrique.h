#pragma once
// The wizard's page of cylindrical dials: armillary ring, polar half-cylinder, shepherd's
// dial. The vertical convex cylinder and the inner cylinder with an eyelet are shown but
// cannot be chosen (they have no drawing). Finish builds the dial.
#include "app/qt/CTopPropertyPage.h"

class CHoravelDoc;

class CWizardTypeCadranCylindrique : public CTopPropertyPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 216;

    explicit CWizardTypeCadranCylindrique(CHoravelDoc& document);
    ~CWizardTypeCadranCylindrique() override;

    bool OnSetActive() override;
    bool OnWizardFinish() override;

    int m_choice = 0;                 // radio group 1178
    double m_styleDeclination = 0.0;  // edit 1197, degrees
    int m_west = 0;                   // radio group 1051: 0 east, 1 west

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    void UpdateEnabling();

    CHoravelDoc& document_;
};
